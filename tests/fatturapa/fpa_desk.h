#pragma once
// The desk shared by the tests of the FatturaPA writers.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/counters_record.h"
#include "core/numbers.h"
#include "core/session.h"
#include "document/document_kind.h"
#include "document/einvoice_amounts.h"
#include "fatturapa/einvoice_terms.h"
#include "fatturapa/fpa_checks.h"
#include "fatturapa/fpa_export.h"
#include "tests/temp_dir.h"
#include "tools/demo/demo_settings.h"

namespace qorvana::fpatest {

namespace fs = std::filesystem;
using qorvana::testing::TempDir;

inline const fs::path kHere = QORVANA_FPA_TEST_DIR;

inline std::string Slurp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The FatturaPA 1.2.3 schema, loaded once.
inline const FpaSchema& Schema() {
    static const std::unique_ptr<FpaSchema> schema = [] {
        auto loaded = FpaSchema::Load(DefaultFpaSchemaPath());
        if (!loaded) ADD_FAILURE() << loaded.message();
        return std::move(loaded).valueOr(nullptr);
    }();
    return *schema;
}

// The demo company's FatturaPA settings with its counters and XML folder, a
// public-administration customer, and a one-line document at 22%, ready to be exported.
struct Desk {
    TempDir drive;
    fs::path company = drive.path() / "qorwin/qorwin/qoraz0.001";
    Session s;
    FpaRecord settings;
    CustomerRecord customer;
    DocumentDraft draft;
    LineTable& lines = draft.lines;
    VatTable vat;
    HeaderTables tables;
    PanelEntries& panel = draft.panel;
    HeaderEntries& header = draft.header;
    EInvoiceSettings einvoice;  // qorvana-fe.ini; draft.einvoice.customer the customer's data

    Desk() {
        fs::create_directories(company / "fatturepa");
        drive.write(company / "qorvana.tot", std::string(20 * tot::kLength, '\0'));
        s.paths = PathMapper(drive.path());
        s.companyNumber = 1;
        s.runSettings.euro = true;
        s.runSettings.priceDecimals = 2;
        draft.fpaState = kFpaXmlNotWritten;
        s.files.open(company);

        settings = demo::DemoFpaSettings(1);
        settings.setText(fpa::kSellerFirstName, "Mario");
        settings.setText(fpa::kSellerSurname, "Rossi");

        customer.setText(cli::kName1, "COMUNE DI VERONA");
        customer.setText(cli::kAddress, "Piazza Bra 1");
        customer.setText(cli::kTown, "Verona");
        customer.setText(cli::kPostcode, "37121");
        customer.setText(cli::kVatNumber, "00215150236");
        customer.setText(cli::kTaxCode, "00215150236");
        customer.setText(cli::kRecipientCode, "UFH7Q2");
        customer.setText(cli::kVatPrefix, "IT");

        const char* rates[] = {"", "22", "10", "22"};
        for (int k = 1; k <= 3; ++k) {
            vat.rateText[k] = rates[k];
            vat.rate[k] = std::stod(rates[k]);
        }
        vat.withholdingText[3] = "20";
        vat.withholding[3] = 20;
        tables.exemptions[1] = {"Fuori campo IVA, art. 2", "", "1"};
        tables.exemptions[2] = {"Esente art. 10 DPR 633/72", "", "3"};
        tables.carriers[1] = {"", "", "BARTOLINI S.P.A.", "", "", "", "IT", "03354520158", ""};

        panel.documentType = "TD01";
        panel.withholdingType = 0;   // RT00
        panel.paymentCondition = 1;  // TP02
        panel.paymentMode = 4;       // MP05
        header.documentNumber = "15";
        header.documentDate = "06/12/2026";
        header.transmissionNumber = "1";
        header.proposedProgressive = "1";
        header.dueDates[0] = "05/01/2027";

        line(1, "Manutenzione impianti", 2, 100, 1);
    }

    void line(int n, const std::string& description, double quantity, double price, int code) {
        lines[n].description = description;
        lines[n].quantity = quantity;
        lines[n].unitPrice = price;
        lines[n].vatCode = static_cast<std::int16_t>(code);
    }

    // The customer's bank coordinates; a 12-digit account makes a 27-character IBAN.
    void bank(const char* account) {
        customer.setText(cli::kIbanPrefix, "IT60");
        customer.setText(cli::kCin, "X");
        customer.setText(cli::kAbi, "05428");
        customer.setText(cli::kCab, "11101");
        customer.setText(cli::kBankAccount, account);
    }

    // The terms as the document's start takes them, then the figures as the body computes
    // them, then the export's checks and composition.
    Result<FpaExportPlan> prepare() {
        const EInvoiceCustomer data = draft.einvoice.customer;
        draft.einvoice = CompanyEInvoiceTerms(einvoice, tables);
        draft.einvoice.customer = data;
        UpdateFundLine(lines, draft.einvoice.fund, vat, draft.vatInclusive, s.money(), true);
        draft.figures = RecomputeDocument(lines, vat, draft.vatInclusive, s.money());
        ChargeStampDuty(draft.figures, IsCreditNote(draft.kind, draft.panel.documentType),
                        draft.einvoice, s.money());
        if (header.instalmentAmounts == std::array<std::string, 6>{})
            header.instalmentAmounts[0] = PlainNumberText(AmountDue(draft, s.money()));
        return PrepareFpaExport({settings, draft, customer, vat, tables, s.money(), s.files,
                                 s.paths, CompanyFolder(static_cast<int>(s.companyNumber)),
                                 CheckWithProgramSchema});
    }

    // The refusal or failure message, or the success message.
    std::string exportOnce(std::string* xml = nullptr, std::string* fileName = nullptr) {
        const Result<FpaExportPlan> prepared = prepare();
        if (!prepared) return prepared.message();
        const Result<FpaFileNamed> committed =
            CommitFpaExport(*prepared, s.files, s.paths, s.companyFolder());
        if (committed.hasValue()) draft.fpaState = prepared->progressive;
        if (!committed) return committed.message();
        if (xml) *xml = Slurp(prepared->target);
        if (fileName) *fileName = prepared->fileName;
        return FpaCreatedMessage(*prepared);
    }

    int counter() const {
        return s.files.read<CountersFile>(tot::kFatturaPa).int16(tot::kRecordCount);
    }
};

// A change to the desk's document and what the export then writes (or says, when refused).
struct Case {
    const char* name;
    std::function<void(Desk&)> change;
    std::vector<std::string> present;  // in the XML or its message, or in the refusal
    std::vector<std::string> absent = {};
    bool refused = false;
};

// A change the export refuses, saying `said`.
inline Case Refused(const char* name, std::function<void(Desk&)> change,
                    std::vector<std::string> said) {
    return {name, std::move(change), std::move(said), {}, true};
}

// Every file given is valid against the 1.0 schema (xmllint, offline).
inline void ExpectSchemaValid10(const std::vector<fs::path>& files) {
    std::string command = "bash '" + (kHere / "validate_v10.sh").string() + "'";
    for (const auto& f : files) command += " '" + f.string() + "'";
    command += " >/dev/null 2>xmllint.log";
    EXPECT_EQ(std::system(command.c_str()), 0) << Slurp("xmllint.log");
}

// Each case's file, written by a company of FatturaPA `format`, passes the format's schema
// (1.2.3: and the exchange system's checks, qorvana-check) and holds what the case says; a
// refused case writes, archives and counts nothing and says why.
inline void ExpectExports(const std::vector<Case>& cases, const std::string& format = "1.2.3") {
    TempDir out;
    std::vector<fs::path> written10;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Desk d;
        if (format != "1.0") d.drive.write(d.company / kFpaFormatFile, format + "\r\n");
        c.change(d);
        const int counterBefore = d.counter();
        std::string xml, fileName;
        const std::string message = d.exportOnce(&xml, &fileName);
        if (c.refused) {
            for (const auto& p : c.present)
                EXPECT_NE(message.find(p), std::string::npos) << message;
            EXPECT_EQ(d.draft.fpaState, 0);
            EXPECT_EQ(d.counter(), counterBefore);
            EXPECT_FALSE(fs::exists(d.company / "fpa1"));
            EXPECT_TRUE(!fs::exists(d.company / "fatturepa") ||
                        fs::is_empty(d.company / "fatturepa"));
            continue;
        }
        ASSERT_EQ(message.rfind("Il file IT01234567897_", 0), 0u) << message;
        if (format == "1.0")
            written10.push_back(out.write(std::to_string(written10.size()) + ".xml", xml));
        else
            for (const auto& f : CheckFatturaPAFile(fileName, xml, Schema()))
                ADD_FAILURE() << FormatFinding(f) << "\n" << xml;
        for (const auto& p : c.present)
            EXPECT_NE((xml + message).find(p), std::string::npos) << p << "\n" << xml;
        for (const auto& a : c.absent) EXPECT_EQ(xml.find(a), std::string::npos) << a;
    }
    if (!written10.empty()) ExpectSchemaValid10(written10);
}

}  // namespace qorvana::fpatest
