// Damaged record files, chosen by the input's first byte; the input replaces that file of
// the company folder:
//   0 tot  1 cli  2 src  3 art  4 srb  5 prx  6 bol  7 ric  8 prv  9 fte  10 f2e  11 age
//   12 con  13 gio  14 mag  15 sra  16 num (the series of the stored e-invoices, a text file)
// Then everything that walks the records runs: the name search and the customer list, the
// four pickers and their imports, the article list and the bar-code search, taking an
// article into a line, the agent and the accounts, the number proposal, the confirmation of
// two documents, one holding every import of customer 1 (print, FatturaPA, posting, journal),
// and record-dump on the damaged file.

#include <array>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "articles/article_lookup.h"
#include "core/company_check.h"
#include "core/counters.h"
#include "core/counters_record.h"
#include "core/session.h"
#include "core/tab_file.h"
#include "customers/customer_index.h"
#include "document/document_setup.h"
#include "document/numbering.h"
#include "fuzz/confirmation.h"
#include "fuzz/scratch_company.h"
#include "journal/account_list.h"
#include "print/print_settings.h"
#include "sources/imports.h"
#include "sources/source_documents.h"
#include "tools/record_dump/layout_registry.h"
#include "tools/record_dump/record_printer.h"

namespace {

using namespace qorvana;
using namespace qorvana::fuzz;

constexpr std::array<const char*, 17> kExtensions{"tot", "cli", "src", "art", "srb", "prx",
                                                  "bol", "ric", "prv", "fte", "f2e", "age",
                                                  "con", "gio", "mag", "sra", "num"};

// Customers the walks start from: fixed ones (1 has every kind of source, 9 is a public
// administration) and one past the file.
constexpr std::array<int, 4> kCustomers{1, 2, 9, 13};

void SearchCustomers(const DataFiles& files) {
    const CustomerIndex index(files);
    static_cast<void>(index.countHolds());
    for (const char* key : {"A", "ALFA", "ROSSI", "ORD", "Z", "\xC3\x88"})
        index.card(index.recordAt(index.findByName(key)));
    index.list("");
    index.list("ORD");
    for (int customer : kCustomers) index.findByRecord(customer);
    for (int position = 1; position <= index.count(); ++position)
        index.card(index.recordAt(position));
}

// Three pickers of `customer`, and every document they list imported into `lines`; the
// notes are imported grouped too for customer 1.
void PickAndImport(Session& s, const ImportTerms& terms, int customer, LineTable& lines) {
    const auto folder = s.companyFolder();
    std::vector<int> notes;
    std::vector<int> receipts;
    for (const SourceRow& row : ListSources(s.files, SourceKind::DeliveryNotes, customer, {}))
        notes.push_back(row.record);
    for (const SourceRow& row : ListSources(s.files, SourceKind::Receipts, customer, {}))
        receipts.push_back(row.record);
    if (customer == 1) {
        LineTable grouped;
        ImportDeliveryNotes(s.files, folder, notes, true, terms, grouped);
    }
    ImportDeliveryNotes(s.files, folder, notes, false, terms, lines);
    ImportReceipts(s.files, folder, receipts, terms, lines);
    for (const SourceRow& row : ListSources(s.files, SourceKind::Quotes, customer, {}))
        ImportQuote(s.files, row.record, terms, lines).message();
}

// The invoice picker (every customer's invoices), each invoice copied.
void CopyInvoices(const Session& s) {
    for (const SourceRow& row : ListSources(s.files, SourceKind::Invoices, 0, {})) {
        const InvoicePick pick = InvoicePickOf(row);
        LineTable copied;
        ImportInvoice(s.companyFolder(), pick.fileName, pick.fallbackName, copied);
    }
}

// The body form's article look-ups: the list in both forms, codes, bar codes, and each live
// article taken into a line with its extended description, for `customer`.
void LookUpArticles(const Session& s, int customer, const VatTable& vat) {
    static_cast<void>(ArticleCountHolds(s.files));
    for (ArticleListForm form : {ArticleListForm::CodeFirst, ArticleListForm::DescriptionFirst}) {
        const ArticleList list = ArticleList::Build(s.files, form);
        for (int i = 0; i < list.size(); ++i) list.text(i);
        for (const char* typed : {"A", "AB", "LED", "Z"}) {
            list.findCode(typed);
            list.findDescription(typed);
        }
    }
    for (const char* code : {"8001234567897", "8001234567804", "0", "9999999999999"})
        FindArticleByBarcode(s.files, code);
    const DocumentSetup setup = ReadDocumentSetup(s.files, s.generalSettings, customer);
    FindAgentRecord(s.files, setup.customerAgentCode);
    ArticleTerms terms;
    terms.customerVatCode = setup.customerVatCode;
    terms.defaultVatCode = setup.defaultVatCode;
    terms.secondPriceList = setup.secondPriceList;
    terms.vatInclusive = true;
    LineTable lines;
    for (int n = 1; n <= ArticleCount(s.files); ++n) {
        const auto article = ReadLiveArticle(s.files, n);
        if (!article) continue;
        TakeArticle(lines[1], *article, n, terms, vat, s.money());
        StockLabelText(*article, n);
        WriteExtendedDescription(lines, 1, s.files.read<ExtraDescriptionsFile>(n));
    }
}

// The header's number proposal in both series, and the registration's accounts.
void ProposeNumbersAndAccounts(const Session& s) {
    for (bool separate : {false, true}) {
        const NumberingScope scope{2025, separate, separate};
        const SeriesNumbers stored =
            ScanSeriesNumbers(s.files, ReadCompanySeries(s).valueOr(StoredSeries{}), scope);
        ProposeNumbers(s.files.read<CountersFile>(tot::kInvoices),
                       s.files.read<CountersFile>(tot::kFatturaPa), separate,
                       separate ? kFpaXmlNotWritten : kFpaOrdinary, stored);
    }
    const AccountList accounts = AccountList::Load(s.files);
    for (const char* code : {"01020002", "05010001", "0", "99999999"}) accounts.find(code);
}

// record-dump on the damaged file, every record field by field.
void DumpRecords(const std::string& extension, std::string_view bytes) {
    const Layout* layout = FindDumpLayout(extension);
    if (!layout) return;
    std::ostringstream out;
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    for (std::size_t at = 0; at + layout->length <= bytes.size(); at += layout->length)
        PrintRecord(out, static_cast<std::int32_t>(at / layout->length + 1),
                    {data + at, layout->length}, *layout);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ScratchCompany& company = ScratchCompany::Get();
    const Selected input = Select({data, size}, static_cast<int>(kExtensions.size()));
    const std::string extension = kExtensions[static_cast<std::size_t>(input.choice)];
    ScratchCompany::Put(company.folder() / ("qorvana." + extension), input.bytes);
    {
        const auto session = company.openSession();
        Session& s = *session;
        (void)CheckCompanyFolder(s.paths, 1);
        SearchCustomers(s.files);
        LoadPrintSettings(s);
        const VatTable vat = VatTable::FromTab(TabFile::Load(s.companyFile("qorvana.tab")));
        ImportTerms terms;
        terms.vat = &vat;
        terms.money = s.money();
        // Customer 1's document takes every source it has; the public administration's is
        // the sample (its FatturaPA file).
        DocumentDraft imported = SampleDraft(1, "2");
        for (int customer : kCustomers) {
            LineTable lines;
            PickAndImport(s, terms, customer, customer == 1 ? imported.lines : lines);
            LookUpArticles(s, customer, vat);
        }
        CopyInvoices(s);
        ProposeNumbersAndAccounts(s);
        DocumentDraft sample = SampleDraft(9, "3");
        ConfirmDocument(s, imported, true);
        ConfirmDocument(s, sample, true);
        DumpRecords(extension, input.bytes);
    }
    company.restore();
    return 0;
}
