#include "sources/imports.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/counters.h"
#include "core/counters_record.h"
#include "core/data_files.h"
#include "core/numbers.h"
#include "customers/customer_record.h"
#include "document/document_draft.h"
#include "document/document_record.h"
#include "document/line_file.h"
#include "sources/delivery_note_record.h"
#include "sources/quote_record.h"
#include "sources/source_documents.h"
#include "tests/temp_dir.h"

namespace qorvana {
namespace {

// One source line: article, quantity, price, VAT code, description.
struct Src {
    int article;
    double quantity;
    double price;
    int vat;
    std::string description = "Articolo";
};

DocumentLine Block(const Src& s) {
    DocumentLine l;
    l.articleRecord = static_cast<std::int16_t>(s.article);
    l.code = s.article > 0 ? "ART" + std::to_string(s.article) : "";
    l.description = s.description;
    l.unit = "PZ";
    l.vatCode = static_cast<std::int16_t>(s.vat);
    l.quantity = s.quantity;
    l.unitPrice = s.price;
    return l;
}

// Line `line` of quote `quote` for customer 1: 1 at `price`, VAT code `vat`.
QuoteRecord QuoteLine(int quote, int line, double price, int vat) {
    QuoteRecord q;
    q.setText(prv::kNumber, "P" + std::to_string(quote));
    q.setInt16(prv::kCustomer, 1);
    q.setText(prv::kLineDescription1, "Voce " + std::to_string(line));
    q.setDouble(prv::kQuantity, 1);
    q.setDouble(prv::kPrice, price);
    q.setInt16(prv::kVatCode, static_cast<std::int16_t>(vat));
    return q;
}

// A stored document of `customer`: number, date (yyyymmdd) and serial.
DocumentRecord StoredDocument(int customer, const std::string& number = "", const char* date = "",
                              float serial = 0) {
    DocumentRecord r;
    r.setInt16(document_record::kCustomer, static_cast<std::int16_t>(customer));
    r.setText(document_record::kNumber, number);
    r.setText(document_record::kDocumentDate, date);
    r.setSingle(document_record::kSerial, serial);
    return r;
}

// A company folder with customers 1..3, and notes, receipts and quotes added by the tests.
class ImportsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int c = 1; c <= 3; ++c) files_.write<CustomersFile>(c, CustomerRecord{});
        vat_.rate[1] = 22;
        vat_.rate[3] = 10;
        vat_.rate[14] = 5;  // an exempt code's table entry: never used to add VAT
        terms_.vat = &vat_;
    }

    void setCount(int counter, int count) { WriteRecordCount(files_, counter, count); }

    void writeLineFile(const std::string& name, int headerLines, int blocks,
                       const std::vector<Src>& lines, const std::string& line12 = "0") {
        std::vector<std::string> header(static_cast<std::size_t>(headerLines), "x");
        if (headerLines >= 12) header[11] = line12;
        std::vector<DocumentLine> b(static_cast<std::size_t>(blocks));
        for (std::size_t i = 0; i < lines.size(); ++i) b[i] = Block(lines[i]);
        ASSERT_TRUE(LineFile::Write(dir_.path() / name, header, b));
    }

    // Adds note `number` of customer 1 with serial 1000 + number; returns its record.
    int addNote(int number, const std::vector<Src>& lines, const char* text = "Vendita",
                bool fileUnderFallback = false) {
        DeliveryNoteRecord r;
        r.setInt16(bol::kNumber, static_cast<std::int16_t>(number));
        r.setText(bol::kDate, "20250305");
        r.setText(bol::kText, text);
        r.setSingle(bol::kSerial, static_cast<float>(1000 + number));
        r.setDouble(bol::kReturnNumber, 7);
        r.setInt16(bol::kHeadMark, 1);
        r.setInt16(bol::kCustomer, 1);
        files_.write<DeliveryNotesFile>(++notes_, r);
        setCount(tot::kDeliveryNoteLines, notes_);
        const bool isReturn = text[0] == 'R';
        const std::string name = !fileUnderFallback ? "b" + std::to_string(1000 + number)
                                 : isReturn         ? std::string("blr7.a25")
                                                    : "bll" + std::to_string(number) + ".a25";
        writeLineFile(name, LineFile::kNoteHeaderLines, LineFile::kNoteBlocks, lines);
        return notes_;
    }

    // Renders lines 1..last: "D:description" or "reference article qty price vat".
    std::vector<std::string> rendered() const {
        std::vector<std::string> out;
        for (int n = 1; n <= lines_.lastUsed(); ++n) {
            const DocumentLine& l = lines_[n];
            if (l.articleRecord == 0 && l.unitPrice == 0 && l.quantity == 0)
                out.push_back("D:" + l.description);
            else
                out.push_back(l.reference + " " + std::to_string(l.articleRecord) + " " +
                              PlainNumberText(l.quantity) + " " + PlainNumberText(l.unitPrice) +
                              " " + std::to_string(l.vatCode));
        }
        return out;
    }

    testing::TempCompany company_;
    const testing::TempDir& dir_ = company_.dir;
    DataFiles& files_ = company_.files;
    VatTable vat_;
    ImportTerms terms_;
    LineTable lines_;
    int notes_ = 0;
};

TEST_F(ImportsTest, DeliveryNotes) {
    struct Case {
        const char* name;
        std::vector<std::vector<Src>> notes;  // notes 12, 13, ...
        struct {
            bool group;
            int vatOverride;
            bool vatInclusive;
        } options;
        std::vector<std::string> expected;
    };
    const std::string d12 = "D:Documento trasporto n.12 del 05/03/2025";
    const std::string d13 = "D:Documento trasporto n.13 del 05/03/2025";
    const std::vector<Case> cases = {
        {"same article grouped: one summed line under both descriptions",
         {{{1, 2, 10, 1}}, {{1, 3, 10, 1}}},
         {true, 0, false},
         {d12, d13, "**12 1 5 10 1"}},
        {"same article at two prices: two lines",
         {{{1, 2, 10, 1}}, {{1, 3, 12, 1}}},
         {true, 0, false},
         {d12, d13, "**12 1 2 10 1", "**13 1 3 12 1"}},
        {"same article with another VAT code: two lines",
         {{{1, 2, 10, 1}}, {{1, 3, 10, 3}}},
         {true, 0, false},
         {d12, d13, "**12 1 2 10 1", "**13 1 3 10 3"}},
        {"unused block skipped; priced line without VAT code gets code 1",
         {{{2, 1, 10, 0}, {0, 0, 0, 0, ""}, {3, 1, 0, 0}}},
         {false, 0, false},
         {d12, "**12 2 1 10 1", "**12 3 1 0 0"}},
        {"customer override replaces the code",
         {{{2, 1, 10, 0}}},
         {false, 7, false},
         {d12, "**12 2 1 10 7"}},
        {"prices with VAT: 100 at 22% is 122, an exempt line unchanged",
         {{{1, 1, 100, 1}, {2, 1, 100, 14}}},
         {false, 0, true},
         {d12, "**12 1 1 122 1", "**12 2 1 100 14"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        lines_.clear();
        std::vector<int> records;
        for (std::size_t i = 0; i < c.notes.size(); ++i)
            records.push_back(addNote(12 + static_cast<int>(i), c.notes[i]));
        terms_.customerVatOverride = c.options.vatOverride;
        terms_.vatInclusive = c.options.vatInclusive;
        const ImportResult r =
            ImportDeliveryNotes(files_, dir_.path(), records, c.options.group, terms_, lines_);
        EXPECT_EQ(rendered(), c.expected);
        EXPECT_EQ(r.imported, records);
        EXPECT_EQ(r.message(), "");
        EXPECT_EQ(r.noteNumbers, c.notes.size() == 2 ? "12 13" : "12");
    }
}

TEST_F(ImportsTest, DeliveryNoteFilesAndBounds) {
    // A return note read from its "blr" fallback, a normal note from its "bll" fallback.
    const int ret = addNote(15, {{1, 2, 10, 1}}, "Rientro merce", true);
    const int old = addNote(16, {{2, 1, 5, 1}}, "Vendita", true);
    ImportResult r = ImportDeliveryNotes(files_, dir_.path(), {ret, old}, false, terms_, lines_);
    EXPECT_EQ(rendered(), (std::vector<std::string>{
                              "D:Estinzione c/deposito - prodotti non resi", "**15 1 2 10 1",
                              "D:Documento trasporto n.16 del 05/03/2025", "**16 2 1 5 1"}));
    EXPECT_EQ(r.noteNumbers, "16");

    // A missing, a garbled, a truncated and an unreadable file (a folder in its place):
    // named, nothing of them imported.
    lines_.clear();
    const int missing = addNote(20, {{1, 1, 1, 1}});
    std::filesystem::remove(dir_.path() / "b1020");
    const int garbled = addNote(21, {{1, 1, 1, 1}});
    std::string bytes = dir_.read("b1021");
    bytes.replace(bytes.find(" 1 \r\n"), 3, "uno");
    dir_.write("b1021", bytes);
    const int truncated = addNote(22, {{1, 1, 1, 1}});
    dir_.write("b1022", dir_.read("b1022").substr(0, 500));
    const int absurd = addNote(24, {{1, 2, 10, 1}, {1, 1e300, 3.5, 1}});
    const int unreadable = addNote(25, {{1, 1, 1, 1}});
    std::filesystem::remove(dir_.path() / "b1025");
    std::filesystem::create_directory(dir_.path() / "b1025");
    r = ImportDeliveryNotes(files_, dir_.path(),
                            {missing, garbled, truncated, absurd, unreadable, 0, 999}, false,
                            terms_, lines_);
    EXPECT_EQ(lines_.lastUsed(), 0);
    EXPECT_TRUE(r.imported.empty());
    for (const char* says :
         {"n.20 del 05/03/2025: non esiste il file delle righe \"b1020\"",
          "\"b1021\" contiene un valore non numerico alla riga 11", "\"b1022\" è incompleto",
          "\"b1024\" contiene un valore fuori dai limiti alla riga 29",
          "\"b1025\" non può essere letto: al posto del file c'è una cartella"})
        EXPECT_NE(r.message().find(says), std::string::npos) << r.message();

    // No room after line 500: the lines left out are counted and the note stays open.
    lines_.clear();
    for (int n = 1; n <= 498; ++n) lines_[n].description = "riga";
    const int big = addNote(23, {{1, 1, 1, 1}, {2, 1, 1, 1}, {3, 1, 1, 1}});
    r = ImportDeliveryNotes(files_, dir_.path(), {big}, false, terms_, lines_);
    EXPECT_EQ(lines_.lastUsed(), 500);
    EXPECT_EQ(r.linesLeftOut, 2);
    EXPECT_TRUE(r.imported.empty());
    EXPECT_NE(r.message().find("2 righe non sono state importate"), std::string::npos);
}

TEST_F(ImportsTest, ReceiptsQuotesAndInvoices) {
    // Receipt 5 (prices with VAT) into an empty document sets scorporo; receipt 6 (net
    // prices) is then refused, as the document already holds prices with VAT.
    for (int i = 1; i <= 2; ++i) {
        DocumentRecord r =
            StoredDocument(1, std::to_string(4 + i), "20250306", static_cast<float>(2000 + i));
        r.setInt16(document_record::kKind, 1);
        files_.write<ReceiptsFile>(i, r);
        writeLineFile("r" + std::to_string(2000 + i), LineFile::kReceiptHeaderLines,
                      LineFile::kReceiptBlocks, {{1, 2, 5.86, 0}}, i == 1 ? "1" : "0");
    }
    setCount(tot::kReceipts, 2);
    ImportResult r = ImportReceipts(files_, dir_.path(), {1, 2}, terms_, lines_);
    EXPECT_EQ(rendered(), (std::vector<std::string>{"D:Ricevuta fiscale n.5 del 06/03/2025",
                                                    "##5 1 2 5.86 1"}));
    EXPECT_EQ(r.imported, std::vector<int>{1});
    EXPECT_EQ(r.vatInclusive, true);
    EXPECT_NE(r.message().find("Ricevuta fiscale n.6"), std::string::npos) << r.message();

    // A 200-line quote into a 350-line document: 150 lines added, 50 reported.
    lines_.clear();
    for (int n = 1; n <= 350; ++n) lines_[n].description = "riga";
    for (int j = 1; j <= prv::kLinesPerQuote; ++j) {
        QuoteRecord q = QuoteLine(1, j, j == 1 ? 0 : 3, 3);
        q.setText(prv::kLineDescription2, "seconda");
        files_.write<QuotesFile>(j, q);
    }
    setCount(tot::kQuotes, 1);
    terms_.vatInclusive = false;
    r = ImportQuote(files_, 1, terms_, lines_);
    EXPECT_EQ(lines_.lastUsed(), 500);
    EXPECT_EQ(lines_[351].description, "Voce 1" + std::string(34, ' ') + "seconda");
    EXPECT_EQ(lines_[351].vatCode, 0);  // no price, no code
    EXPECT_EQ(r.linesLeftOut, 50);
    EXPECT_NE(r.message().find("50 righe non sono state importate"), std::string::npos);

    // A posted 3-line invoice with prices with VAT comes back whole, with its scorporo.
    DocumentDraft posted;
    for (int n = 1; n <= 3; ++n) posted.lines[n] = Block({n, 1, 10.0 * n, 1});
    posted.vatInclusive = true;
    ASSERT_TRUE(LineFile::Write(dir_.path() / "f77",
                                LineFile::IssuedHeader(posted, DocumentKind::Invoice),
                                LineFile::BlocksOf(posted.lines)));
    lines_.clear();
    lines_[7].description = "sostituita";
    r = ImportInvoice(dir_.path(), "f77", "ftr123.a25", lines_);
    EXPECT_EQ(rendered(), (std::vector<std::string>{" 1 1 10 1", " 2 1 20 1", " 3 1 30 1"}));
    EXPECT_EQ(r.vatInclusive, true);
    // Only the fallback name exists, in other letter case; then neither.
    std::filesystem::rename(dir_.path() / "f77", dir_.path() / "FTR123.A25");
    lines_.clear();
    r = ImportInvoice(dir_.path(), "f77", "ftr123.a25", lines_);
    EXPECT_EQ(lines_.lastUsed(), 3);
    r = ImportInvoice(dir_.path(), "f78", "../ftr123.a25", lines_);
    EXPECT_NE(r.message().find("\"../ftr123.a25\" non è valido"), std::string::npos);
}

// Quote q starts at record (q - 1) * 200 + 1: from the 165th quote on, beyond record 32767.
TEST_F(ImportsTest, QuotesBeyondRecord32767) {
    constexpr int kQuotes = 170;
    for (int k = 1; k <= kQuotes; ++k)
        files_.write<QuotesFile>(prv::RecordOf(k, 1), QuoteLine(k, 1, 2, 1));
    for (int j = 2; j <= prv::kLinesPerQuote; ++j)
        files_.write<QuotesFile>(prv::RecordOf(164, j), QuoteLine(164, j, 2, 1));
    setCount(tot::kQuotes, kQuotes);

    const auto rows = ListSources(files_, SourceKind::Quotes, 1, {});
    ASSERT_EQ(rows.size(), std::size_t{kQuotes});
    EXPECT_EQ(rows.back().cells[0], "P170");
    EXPECT_EQ(rows.back().cells[3], "170");

    const ImportResult r = ImportQuote(files_, 164, terms_, lines_);
    EXPECT_EQ(r.message(), "");
    EXPECT_EQ(lines_.lastUsed(), prv::kLinesPerQuote);
    EXPECT_EQ(lines_[168].description, "Voce 168");  // record 32768
    EXPECT_EQ(lines_[200].description, "Voce 200");
    EXPECT_EQ(lines_[200].unitPrice, 2);
}

TEST_F(ImportsTest, PickerRows) {
    // Invoices: a row names the line file by serial, and by number and year. The other
    // program's marks, at their documented places, leave a document out: an invoice's at offset
    // 520, an open receipt's at 354 or 520.
    DocumentRecord marked = StoredDocument(3, "124", "20250305", 78);
    marked.bytes()[520] = 1;
    files_.write<InvoicesFile>(1, StoredDocument(3, "123", "20250305", 77));
    files_.write<InvoicesFile>(2, marked);
    setCount(tot::kInvoices, 2);
    const std::size_t receiptMarks[] = {0, 354, 520};  // 0: none
    for (int i = 0; i < 3; ++i) {
        DocumentRecord receipt = StoredDocument(1, "5", "20250306", 2001);
        receipt.setInt16(document_record::kKind, 1);
        if (const std::size_t at = receiptMarks[i]; at != 0) receipt.bytes()[at] = 1;
        files_.write<ReceiptsFile>(i + 1, receipt);
    }
    setCount(tot::kReceipts, 3);
    EXPECT_EQ(ListSources(files_, SourceKind::Receipts, 1, {}).size(), 1u);
    const auto invoices = ListSources(files_, SourceKind::Invoices, 1, {});
    ASSERT_EQ(invoices.size(), 1u);
    const InvoicePick pick = InvoicePickOf(invoices[0]);
    EXPECT_EQ(pick.fileName, "f77");
    EXPECT_EQ(pick.fallbackName, "ftr123.a25");
    SourceRow odd = invoices[0];
    odd.cells[0] = "15/2024";
    EXPECT_EQ(InvoicePickOf(odd).fallbackName, "");

    // Delivery notes: a return by its caption; a date that is not 8 characters as it is.
    const struct {
        const char* text;
        const char* date;
        float serial;
        std::array<std::string, 5> cells;
    } notes[] = {
        {"Vendita", "20250305", 1012, {"12", "05/03/2025", "SI", "1012", "1"}},
        {"Reso",
         "2025030\xC3\xA0",
         2.5,
         {"Estinzione c/deposito", "2025030\xC3\xA0", "NO", "2.5", "2"}},
        {" R", "202503", -3, {"12", "202503", "SI", "-3", "3"}},
    };
    for (int i = 1; i <= 3; ++i) {
        DeliveryNoteRecord r;
        r.setInt16(bol::kNumber, 12);
        r.setText(bol::kText, notes[i - 1].text);
        r.setText(bol::kDate, notes[i - 1].date);
        r.setSingle(bol::kSerial, notes[i - 1].serial);
        r.setInt16(bol::kHeadMark, 1);
        r.setInt16(bol::kCustomer, 1);
        files_.write<DeliveryNotesFile>(i, r);
    }
    setCount(tot::kDeliveryNoteLines, 3);
    const auto rows = ListSources(files_, SourceKind::DeliveryNotes, 1, {2});
    ASSERT_EQ(rows.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(rows[i].cells, notes[i].cells);
}

// Each invoice row names its customer, whether the names are read with the customer file's
// range (customers close together) or one by one (far apart).
TEST_F(ImportsTest, InvoicePickerNamesEveryRowsCustomer) {
    for (int code : {1, 3, 130}) {
        CustomerRecord c;
        c.setText(cli::kName1, "CLIENTE " + std::to_string(code));
        files_.write<CustomersFile>(code, c);
    }
    const std::vector<int> cases[] = {{3, 0, 1, 3}, {130, 1}};
    for (const auto& customers : cases) {
        std::vector<std::string> expected;
        for (std::size_t i = 0; i < customers.size(); ++i) {
            files_.write<InvoicesFile>(static_cast<int>(i) + 1, StoredDocument(customers[i]));
            if (customers[i] > 0) expected.push_back("CLIENTE " + std::to_string(customers[i]));
        }
        setCount(tot::kInvoices, static_cast<int>(customers.size()));
        std::vector<std::string> names;
        for (const auto& row : ListSources(files_, SourceKind::Invoices, 1, {}))
            names.push_back(row.cells[2]);
        EXPECT_EQ(names, expected);
    }
}

// The invoice a credit note names by hand is looked for as the picker lists invoices: there,
// dated on or before it (of another customer: einvoices_all.qrs).
TEST_F(ImportsTest, CorrectedInvoiceCheckedAgainstTheArchive) {
    files_.write<InvoicesFile>(1, StoredDocument(1, "2", "20261105"));
    setCount(tot::kInvoices, 1);
    struct Case {
        const char* number;
        const char* date;
        const char* creditNote;
        std::string mismatch;
    };
    const Case cases[] = {
        {"2", "05/11/2026", "06/12/2026", ""},
        {" 2 ", "05/11/2026", "05/11/2026", ""},
        {"9", "05/11/2026", "06/12/2026",
         "La fattura rettificata n. 9 del 05/11/2026 non è tra le fatture emesse."},
        {"2", "06/11/2026", "06/12/2026",
         "La fattura rettificata n. 2 del 06/11/2026 non è tra le fatture emesse."},
        {"2", "05/11/2026", "04/11/2026",
         "La fattura rettificata n. 2 del 05/11/2026 è successiva alla nota credito (04/11/2026)."},
        {"2", "31/02/2026", "06/12/2026",
         "La fattura rettificata n. 2 del 31/02/2026: la data non è valida (gg/mm/aaaa)."},
    };
    for (const Case& c : cases) {
        InvoiceReference corrected;
        corrected.id = c.number;
        corrected.date = c.date;
        EXPECT_EQ(CorrectedInvoiceMismatch(files_, 1, corrected, c.creditNote), c.mismatch)
            << c.number << " " << c.date;
    }
}

}  // namespace
}  // namespace qorvana
