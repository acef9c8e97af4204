#include "tools/demo/demo_company.h"

#include <sstream>
#include <vector>

#include "core/counters_record.h"
#include "core/data_files.h"
#include "core/paths.h"
#include "customers/einvoice_customers.h"
#include "document/line_file.h"
#include "fatturapa/einvoice_terms.h"
#include "fatturapa/fpa_export.h"
#include "tools/demo/demo_articles.h"
#include "tools/demo/demo_customers.h"
#include "tools/demo/demo_documents.h"
#include "tools/demo/demo_files.h"
#include "tools/demo/demo_fixtures.h"
#include "tools/demo/demo_settings.h"

namespace qorvana::demo {
namespace {

namespace fs = std::filesystem;

inline constexpr int kCounterRecords = 20;

void CreateFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) throw DemoWriteError("cannot create " + folder.string() + ": " + error.message());
}

// qorvana.tot: word 1 of each counted file's record holds its number of records.
std::vector<CountersRecord> Counters(int customers, int articles, int accounts, int receipts,
                                     int noteRecords, int agents, int quotes) {
    std::vector<CountersRecord> counters(kCounterRecords);
    auto set = [&counters](int record, int count) {
        counters[static_cast<std::size_t>(record - 1)].setInt16(tot::kRecordCount,
                                                                static_cast<std::int16_t>(count));
    };
    set(tot::kCustomers, customers);
    set(tot::kArticles, articles);
    set(tot::kAccounts, accounts);
    set(tot::kReceipts, receipts);
    set(tot::kDeliveryNoteLines, noteRecords);
    set(tot::kAgents, agents);
    set(tot::kQuotes, quotes);
    return counters;
}

// Creates every file of the set that nothing was written to, empty.
void CreateRemainingDataFiles(const fs::path& folder) {
    for (const auto& entry : kDataFileSet) {
        const fs::path file = folder / (std::string("qorvana.") + entry.extension);
        if (!fs::exists(file)) WriteRecords(file, std::vector<CountersRecord>{});
    }
}

}  // namespace

DemoSummary WriteDemoCompany(const DemoOptions& options) {
    const PathMapper paths(options.drive);
    const fs::path root = paths.map(std::string(kDataRoot));
    const fs::path company = paths.map(CompanyFolder(options.company));
    CreateFolder(company);
    CreateFolder(paths.map("\\QORWIN\\PDF"));
    CreateFolder(company / "fatturepa");

    WriteTextLines(root / "qorvana.eur", EurLines(options));
    WriteTextLines(root / "qorvana.tbl", TblLines());
    WriteTextLines(root / "qorvana.prg", PrgLines(options));
    WriteTextLines(company / "qorvana.int", IntLines());
    WriteTextLines(company / "qorvana.tab", TabLines());
    WriteTextLines(company / "qorvana.ilx", IlxLines());
    WriteTextLines(company / "qorvana.lyf", LyfLines());
    WriteTextLines(company / "qorvana.pdf", PdfLines());
    WriteTextLines(company / "qorvana.lkf", LkfLines());
    WriteRecords(company / "qorvana.gnr", std::vector{DemoGeneralSettings()});
    WriteRecords(company / "qorvana.fpa", std::vector{DemoFpaSettings(options.company)});
    WriteTextLines(company / kFpaFormatFile, {options.fpaFormat});
    if (options.einvoicesAll == 1) {
        // E-invoices to every customer: ARCO by its recipient code, NORDICA by certified
        // mail, the municipality under split payment; transfers paid into the account the
        // printed footer shows.
        WriteTextLines(company / kEInvoiceSettingsFile,
                       {"# Fatture elettroniche", "tutti_i_clienti=si",
                        "bollo_a_carico_del_cliente=no", "iban=IT60X0542811101000000123456"});
        const EInvoiceCustomers data{{customer::kArco, {"M5UXCR1", "", false, ""}},
                                     {customer::kNordica, {"", "nordica@pec.it", false, ""}},
                                     {customer::kComune, {"", "", true, ""}}};
        if (const Status written = WriteEInvoiceCustomers(company / kEInvoiceCustomersFile,
                                                          kEInvoiceCustomersFile, data);
            !written)
            throw DemoWriteError(written.message());
    }

    DemoRandom random(20250305);
    const auto customers = MakeCustomers(options.customers, random);
    const auto agents = MakeAgents();
    const auto accounts = MakeAccounts(customers);
    WriteRecords(company / "qorvana.cli", customers);
    WriteRecords(company / "qorvana.src", MakeNameIndex(customers));
    WriteRecords(company / "qorvana.age", agents);
    WriteRecords(company / "qorvana.con", accounts);

    const auto articles = MakeArticles(options.articles, options.lire, random);
    WriteRecords(company / "qorvana.art", articles);
    WriteRecords(company / "qorvana.sra", MakeCodeIndex(articles));
    WriteRecords(company / "qorvana.srb", MakeBarcodeIndex(articles));
    WriteRecords(company / "qorvana.prx", MakeExtraDescriptions(static_cast<int>(articles.size())));

    const auto documents = MakeDocuments(articles, static_cast<int>(customers.size()), options.lire,
                                         options.notes, random);
    WriteRecords(company / "qorvana.bol", documents.noteRecords);
    WriteRecords(company / "qorvana.ric", documents.receipts);
    WriteRecords(company / "qorvana.prv", documents.quoteRecords);
    for (const auto& file : documents.lineFiles) {
        if (const Status written = LineFile::Write(company / file.name, file.header, file.blocks);
            !written)
            throw DemoWriteError(written.message());
    }

    DemoSummary summary;
    summary.companyFolder = company;
    summary.customers = static_cast<int>(customers.size());
    summary.articles = static_cast<int>(articles.size());
    summary.agents = static_cast<int>(agents.size());
    summary.accounts = static_cast<int>(accounts.size());
    summary.notes = documents.notes;
    summary.noteRecords = static_cast<int>(documents.noteRecords.size());
    summary.receipts = static_cast<int>(documents.receipts.size());
    summary.quotes = documents.quotes;
    summary.lineFiles = static_cast<int>(documents.lineFiles.size());

    WriteRecords(company / "qorvana.tot",
                 Counters(summary.customers, summary.articles, summary.accounts, summary.receipts,
                          summary.noteRecords, summary.agents, summary.quotes));
    for (const char* empty : {"qorvana.fte", "qorvana.f2e", "qorvana.mag", "qorvana.gio"})
        WriteRecords(company / empty, std::vector<CountersRecord>{});
    CreateRemainingDataFiles(company);
    return summary;
}

std::string SummaryText(const DemoSummary& s, const DemoOptions& options) {
    std::ostringstream out;
    out << "Demo company " << options.company << " written to " << s.companyFolder.string() << " ("
        << (options.lire ? "lire" : "euro") << ")\n"
        << "  customers " << s.customers << " (name index sorted), agents " << s.agents
        << ", accounts " << s.accounts << "\n"
        << "  articles " << s.articles << " (code and bar-code indexes, extended descriptions)\n"
        << "  delivery notes " << s.notes << " in " << s.noteRecords << " records, receipts "
        << s.receipts << ", quotes " << s.quotes << ", line files " << s.lineFiles << "\n"
        << "  invoices, movements and journal empty; settings: eur, tbl, prg, int, gnr, tab "
           "(833 lines), ilx, lyf, lkf, pdf, fpa\n";
    return out.str();
}

}  // namespace qorvana::demo
