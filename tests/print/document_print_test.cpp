#include "print/document_print.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "articles/article_record.h"
#include "core/counters_record.h"
#include "core/general_settings_record.h"
#include "core/session.h"
#include "customers/customer_record.h"
#include "document/document_draft.h"
#include "document/document_kind.h"
#include "document/einvoice_amounts.h"
#include "document/stored_document.h"
#include "posting/posting.h"
#include "print/print_image.h"
#include "tests/temp_dir.h"

namespace qorvana {
namespace {

// Every character is 2 mm wide.
double TwoMillimetresEach(const PrintText& t) {
    return 2.0 * static_cast<double>(t.text.size());
}

void Place(PrintSettings& s, int item, int x, int y) {
    char position[8];
    std::snprintf(position, sizeof position, "%03d%03d", x, y);
    s.layout[item].columns[0] = position;
}

std::vector<PrintText> Texts(const PrintPage& page) {
    std::vector<PrintText> texts;
    for (const PrintOp& op : page.ops)
        if (const auto* t = std::get_if<PrintText>(&op)) texts.push_back(*t);
    return texts;
}

// The text printed at (x, y) on the page, or "-" when none.
std::string TextAt(const PrintPage& page, double x, double y) {
    for (const PrintText& t : Texts(page))
        if (t.x == x && t.y == y) return t.text;
    return "-";
}

bool Shows(const PrintPage& page, const std::string& text) {
    for (const PrintText& t : Texts(page))
        if (t.text == text) return true;
    return false;
}

class ComposeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Place(settings, 1, 10, 10);     // company name
        Place(settings, 80, 198, 250);  // document total, right-aligned
        Place(settings, 82, 150, 10);   // title
        Place(settings, 85, 100, 0);    // first row at 100 mm
        Place(settings, 86, 110, 0);    // ten rows per page
        Place(settings, 88, 30, 0);     // description
        Place(settings, 89, 120, 0);    // quantity
        Place(settings, 92, 160, 0);    // gross amount
        settings.printLines[1] = "DITTA";
        doc.lines = &lines;
    }
    void describeLines(int count) {
        for (int n = 1; n <= count; ++n) lines[n].description = "L" + std::to_string(n);
    }
    PrintedDocument compose() {
        return ComposeDocument(doc, settings, vat, {}, Money(true, 2), TwoMillimetresEach);
    }

    PrintSettings settings;
    VatTable vat;
    LineTable lines;
    DocumentToPrint doc;
};

// Rows from item 85 down to item 86: as many pages as the lines need, every page with its
// items, the total on the last page only; no rows when item 86 is at item 85.
TEST_F(ComposeTest, PagesAndTheLastPageItems) {
    doc.figures.documentTotal = 1234.5;
    const struct {
        int rowsEnd;
        int lines;
        std::size_t pages;
        double lastY;
        const char* last;  // at (30, lastY) of the last page
    } cases[] = {{110, 10, 1, 136, "L10"},
                 {110, 11, 2, 100, "L11"},
                 {125, 500, 20, 100 + 24 * 4, "L500"},
                 {100, 30, 1, 100, "-"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        Place(settings, 86, c.rowsEnd, 0);
        describeLines(c.lines);
        const PrintedDocument printed = compose();
        ASSERT_EQ(printed.size(), c.pages);
        EXPECT_EQ(TextAt(printed.back(), 30, c.lastY), c.last);
        EXPECT_EQ(TextAt(printed.back(), 10, 10), "DITTA");
        EXPECT_TRUE(Shows(printed.back(), "1.234,50"));
        EXPECT_EQ(Shows(printed.front(), "1.234,50"), c.pages == 1);
    }
    // The default layout places nothing: one empty page.
    settings = PrintSettings{};
    ASSERT_EQ(compose().size(), 1u);
    EXPECT_TRUE(compose()[0].ops.empty());
}

TEST_F(ComposeTest, MarkerQuantityPriceOnlyLineAndCleaning) {
    lines[1].description = "Trasporto";
    lines[1].quantity = -9999;
    lines[1].unitPrice = 10;
    lines[2].description =
        "A\x01"
        "B\xC3\xBF"
        "C";
    lines[3].unitPrice = 50;  // a trailing line with a price and nothing else
    const PrintPage page = compose()[0];
    EXPECT_EQ(TextAt(page, 160 - 2 * 5, 100), "10,00");
    EXPECT_EQ(TextAt(page, 30, 104), "ABC");
    EXPECT_EQ(TextAt(page, 160 - 2 * 5, 108), "50,00");
    for (const PrintText& t : Texts(page)) {
        EXPECT_EQ(t.text.find("9999"), std::string::npos);
        EXPECT_EQ(t.text.find("9.999"), std::string::npos);
    }
}

TEST_F(ComposeTest, Titles) {
    struct Case {
        DocumentKind kind;
        int fpaState;
        const char* type;
        const char* title;
        bool internalCopy;
    };
    Place(settings, 81, 60, 280);
    const Case cases[] = {
        {DocumentKind::CreditNote, -1, "", "NOTA CREDITO", false},
        {DocumentKind::ElectronicInvoice, 0, "TD01", "FATTURA", true},
        {DocumentKind::ElectronicInvoice, 3, "TD04", "NOTA CREDITO", true},
    };
    for (const Case& c : cases) {
        doc.entries.documentKind = c.kind;
        doc.entries.fpaState = c.fpaState;
        doc.entries.fpaDocumentType = c.type;
        const PrintPage page = compose()[0];
        EXPECT_EQ(TextAt(page, 150, 10), c.title) << c.type;
        EXPECT_EQ(Shows(page, "COPIA DOCUMENTO AD USO INTERNO"), c.internalCopy);
    }
}

// Every VAT rate and every exemption is printed: rows beyond the layout's third continue
// below it at the spacing of its rows. Where they would fall on another text of the page or
// out of their box, the operator is told; the page is printed all the same.
TEST_F(ComposeTest, SummariesPrintEveryRow) {
    const auto layOut = [&](int outsideX, int outsideY) {
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 3; ++column)
                Place(settings, 60 + 3 * row + column, 40 + 30 * column, 240 + 4 * row);
            for (int column = 0; column < 2; ++column)
                Place(settings, 72 + 2 * row + column, outsideX + 30 * column, outsideY + 5 * row);
        }
    };
    layOut(140, 240);
    auto& b = doc.figures.breakdown;
    for (int slot : {1, 3, 4, 5}) {
        b[slot][0] = 100 * slot;
        vat.rateText[slot] = "R" + std::to_string(slot);
    }
    for (int slot : {2, 6, 7, 8}) {
        b[slot][2] = slot;
        vat.exemptionText[slot] = "E" + std::to_string(slot);
    }
    const PrintPage page = compose()[0];
    EXPECT_EQ(TextAt(page, 70, 240), "R1");
    EXPECT_EQ(TextAt(page, 70, 248), "R4");
    EXPECT_EQ(TextAt(page, 70, 252), "R5");
    EXPECT_EQ(TextAt(page, 40 - 2 * 6, 252), "500,00");  // right-aligned
    EXPECT_EQ(TextAt(page, 170, 240), "E2");
    EXPECT_EQ(TextAt(page, 170, 255), "E8");
    EXPECT_EQ(TextAt(page, 140 - 2 * 4, 255), "8,00");
    const auto warning = [&](const FormDrawing& form) {
        const PrintPage last =
            ComposeDocument(doc, settings, vat, form, Money(true, 2), TwoMillimetresEach).back();
        return SummaryRowsWarning(doc, settings, vat, last, Money(true, 2), TwoMillimetresEach);
    };
    EXPECT_EQ(warning({}), "");
    // The exemptions under the rates, from 252: the fourth rate falls on the first exemption.
    layOut(40, 252);
    EXPECT_TRUE(Shows(compose()[0], "R4"));
    EXPECT_EQ(warning({}),
              "Il riepilogo IVA ha 4 righe e il modulo di stampa (qorvana.lyf) ne prevede 3: le "
              "righe dalla quarta si sovrappongono ad altri dati della pagina.\nLa pagina è "
              "stata stampata: controllarla, e ampliare il modulo.");
    // Room below the rates, but the box around the exemptions ends at 266: the fourth
    // exemption (from 267) is out of it.
    layOut(40, 256);
    FormElement box;
    box.numbers = {2, 10, 235, 190, 31, 0, 0, -1, 0};
    EXPECT_NE(warning({box}).find("Il riepilogo degli importi esenti / non imponibili ha 4 "
                                  "righe e il modulo di stampa (qorvana.lyf) ne prevede 3: le "
                                  "righe dalla quarta escono dal loro riquadro."),
              std::string::npos);
    box.numbers[4] = 40;
    EXPECT_EQ(warning({box}), "");
}

// Every placed item and every column of every row of the page has its record, an empty
// text too.
TEST_F(ComposeTest, PrintImageOfASmallDocument) {
    Place(settings, 86, 102, 0);           // two rows per page
    Place(settings, 52, 150, 280);         // first instalment, empty
    settings.layout[1].columns[3] = "1";   // bold
    settings.layout[80].columns[5] = "4";  // colour
    lines[1].description = "Viti";
    lines[1].quantity = 2;
    lines[1].unitPrice = 1.5;
    doc.figures.documentTotal = 3.66;
    FormElement box;
    box.numbers = {2, 10, 95, 190, 50, 0, 0, -1, 0};
    const std::string expected =
        "#FILEFORMAT=KVX-RTO\r\n"
        " 2\r\n 2\r\n 10\r\n 95\r\n 200\r\n 145\r\n .2\r\n 0\r\n-1\r\n"
        " 3\r\n 10\r\n 10\r\n 0\r\n 0\r\n 9\r\n 0\r\nDITTA\r\nArial\r\n 1\r\n 0\r\n"
        " 3\r\n 150\r\n 280\r\n 0\r\n 0\r\n 9\r\n 0\r\n\r\nArial\r\n 0\r\n 0\r\n"
        " 3\r\n 190\r\n 250\r\n 0\r\n 0\r\n 9\r\n 4\r\n3,66\r\nArial\r\n 0\r\n 0\r\n"
        " 3\r\n 150\r\n 10\r\n 0\r\n 0\r\n 9\r\n 0\r\nFATTURA\r\nArial\r\n 0\r\n 0\r\n"
        " 3\r\n 30\r\n 100\r\n 0\r\n 0\r\n 9\r\n 0\r\nViti\r\nArial\r\n 0\r\n 0\r\n"
        " 3\r\n 118\r\n 100\r\n 0\r\n 0\r\n 9\r\n 0\r\n2\r\nArial\r\n 0\r\n 0\r\n"
        " 3\r\n 152\r\n 100\r\n 0\r\n 0\r\n 9\r\n 0\r\n3,00\r\nArial\r\n 0\r\n 0\r\n"
        " 3\r\n 30\r\n 104\r\n 0\r\n 0\r\n 9\r\n 0\r\n\r\nArial\r\n 0\r\n 0\r\n"
        " 3\r\n 120\r\n 104\r\n 0\r\n 0\r\n 9\r\n 0\r\n\r\nArial\r\n 0\r\n 0\r\n"
        " 3\r\n 160\r\n 104\r\n 0\r\n 0\r\n 9\r\n 0\r\n\r\nArial\r\n 0\r\n 0\r\n"
        " 9\r\n";
    const PrintedDocument printed =
        ComposeDocument(doc, settings, vat, {box}, Money(true, 2), TwoMillimetresEach);
    EXPECT_EQ(PrintImageBytes(printed), expected);
}

// Decimal coordinates read alike under every locale (the program runs under the desktop's).
TEST(FormDrawing, ElementsToOperations) {
    testing::TempDir dir;
    const auto file = dir.write("qorvana.lkf",
                                "\r\n\r\n1,10.5,20,200,20,0,0,0,0\r\n"         // line
                                "\r\n\r\n2,10,30,50,40,5,4,-1,0\r\n"           // box
                                "\r\nlogo.bmp\r\n3,10,5,40,15,0,0,0,0\r\n"     // picture
                                "Totale\r\nArial\r\n4,100,50,8,2,1,0,0,0\r\n"  // right caption
                                "x\r\n\r\n4,abc,1,1,1,1,1,1,1\r\n"             // unreadable
                                "Dopo\r\n\r\n4,1,1,1,1,0,0,0,0\r\n");
    const Result<FormDrawing> read = ReadFormDrawing(file, "c:\\qorvana.lkf");
    ASSERT_TRUE(read) << read.message();
    const FormDrawing& form = *read;
    ASSERT_EQ(form.size(), 4u);
    const auto ops = DrawForm(form, TwoMillimetresEach);
    ASSERT_EQ(ops.size(), 4u);
    EXPECT_EQ(std::get<PrintShape>(ops[0]),
              (PrintShape{ShapeKind::Line, 10.5, 20, 200, 20, 0.2, 0, -1}));
    EXPECT_EQ(std::get<PrintShape>(ops[1]),
              (PrintShape{ShapeKind::Box, 10, 30, 60, 70, 0.5, 4, -1}));
    EXPECT_EQ(std::get<PrintPicture>(ops[2]), (PrintPicture{10, 5, 40, 15, "logo.bmp"}));
    // Paper and PDF look for a bare picture name in the company folder.
    EXPECT_EQ(PictureWindowsPath("\\qorwin\\qorwin\\qoraz0.001", "logo.bmp"),
              "\\qorwin\\qorwin\\qoraz0.001\\logo.bmp");
    EXPECT_EQ(PictureWindowsPath("\\x", "c:\\loghi\\a.bmp"), "c:\\loghi\\a.bmp");
    const auto& caption = std::get<PrintText>(ops[3]);
    EXPECT_EQ(caption.text, "Totale");
    EXPECT_EQ(caption.x, 100 - 12);
    EXPECT_EQ(caption.size, 8);
    EXPECT_TRUE(caption.bold);
    const Result<FormDrawing> missing = ReadFormDrawing(dir.path() / "missing.lkf", "missing.lkf");
    ASSERT_TRUE(missing) << missing.message();
    EXPECT_TRUE(missing->empty());
}

// The draft of document `number` to customer 2, as the forms leave it at confirmation.
DocumentDraft PostedDraft(const std::string& number) {
    DocumentDraft draft;
    draft.customer = {2, "ROSSI SRL", "VERONA"};
    HeaderEntries& h = draft.header;
    h.documentNumber = number;
    h.documentDate = h.registrationDate = "06/12/2026";
    h.paymentTerms = 1;
    h.paymentTermsText = "Bonifico 30 gg";
    h.dueDates = {"05/01/2027", "05/02/2027", "", "", "", ""};
    h.instalmentAmounts = {"600,5", "50,25", "", "", "", ""};
    h.deferredVat = true;
    TransportEntries& t = draft.transport;
    t = {.deliveryNote = " 7 ",  // the "DDT" typed, then the delivery notes imported
         .order = "ORD-4",
         .packages = "3",
         .weight = "12,5",
         .startDate = "06/12/2026",
         .startTime = "10:30",
         .warehouseDescription = "",
         .reason = "Reso",
         .reasonPosition = 1,
         .goodsAppearance = "Sfuso",
         .goodsAppearancePosition = 2,
         .shipping = Shipping::ByCarrier,
         .carrierLines = {"BARTOLINI SPA", "", ""}};
    draft.imports.noteNumbers = "12 13";
    const auto line = [&draft](int n, const char* description, double quantity, double price,
                               int vatCode) -> DocumentLine& {
        DocumentLine& l = draft.lines[n];
        l.description = description;
        l.quantity = quantity;
        l.unitPrice = price;
        l.vatCode = static_cast<std::int16_t>(vatCode);
        return l;
    };
    DocumentLine& lamp = line(1, "Lampada LED", 2.5, 199.99, 1);
    lamp.articleRecord = 1;
    lamp.code = "LAMP";
    lamp.unit = "NR";
    lamp.discount1 = 10;
    lamp.discount2 = 5;
    line(2, "Trasporto", -9999, 15, 1);
    line(3, "Diritti", 0, 100, 13);
    return draft;
}

// A document read back from its records and line file (document/stored_document.h) prints as
// it printed when it was posted, byte for byte in the print image: the way a document a
// recovery completed after the program ended is printed again. The texts come from the draft
// and the customer's record, never from a form.
TEST(PostedDocumentPrint, ReadBackItPrintsAsPosted) {
    testing::TempCompany company;
    DataFiles& files = company.files;
    for (const auto& [record, count] : {std::pair{tot::kCustomers, 2}, {tot::kArticles, 1}}) {
        auto counter = files.read<CountersFile>(record);
        counter.setInt16(tot::kRecordCount, static_cast<std::int16_t>(count));
        files.write<CountersFile>(record, counter);
    }
    CustomerRecord c;
    c.setText(cli::kName1, "ROSSI SRL  ");
    c.setText(cli::kIbanPrefix, "IT60");
    c.setText(cli::kCin, "X");
    c.setText(cli::kAbi, "05428");
    c.setText(cli::kCab, "11101");
    c.setText(cli::kBankAccount, "000000123456");
    c.setText(cli::kCarrier1, "BARTOLINI SPA");
    c.setText(cli::kNotes1, "Consegna al mattino");
    files.write<CustomersFile>(2, c);
    files.write<ArticlesFile>(1, ArticleRecord{});
    // Every item and every line column placed.
    PrintSettings settings;
    for (int item = 1; item <= 84; ++item) Place(settings, item, 10 + 2 * item, 5 + 3 * item);
    Place(settings, 85, 100, 0);
    Place(settings, 86, 110, 0);
    for (int column = 1; column <= 9; ++column) Place(settings, 86 + column, 20 * column, 0);
    VatTable vat;
    vat.rate[1] = 22;
    vat.rateText[1] = "22";
    vat.withholdingText[1] = "20";
    vat.withholding[1] = 20;
    vat.exemptionText[1] = "Escluso art. 15";
    std::array<std::array<std::string, 2>, PaymentTerms::kTerms> rows{};
    rows[1] = {"Bonifico 30 gg", "1"};
    const PaymentTerms terms = PaymentTerms::FromRows(rows);
    StartTables start;
    start.transportReasons = {"Vendita", "Reso"};
    start.goodsAppearance = {"Scatole", "Bancali", "Sfuso"};
    const Money money(true, 2);
    const auto print = [&](const DocumentDraft& draft) {
        return ComposeDocument(DocumentToPrintOf(draft, files, money, true), settings, vat, {},
                               money, TwoMillimetresEach);
    };

    struct Case {
        const char* number;
        DocumentKind kind;
        int fpaState;
        const char* type;
        bool vatInclusive;
        bool everyCustomer;  // with the stamp duty charged to the customer
    };
    const Case cases[] = {
        {"15", DocumentKind::Invoice, kFpaOrdinary, "", true, false},
        {"16", DocumentKind::CreditNote, kFpaOrdinary, "", false, false},
        {"17", DocumentKind::Invoice, 3, "TD01", false, true},
        {"18", DocumentKind::ElectronicInvoice, 4, "TD04", false, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.number);
        DocumentDraft draft = PostedDraft(k.number);
        draft.kind = k.kind;
        draft.fpaState = k.fpaState;
        draft.panel.documentType = k.type;
        draft.vatInclusive = k.vatInclusive;
        draft.einvoice.everyCustomer = draft.einvoice.chargeStampDuty = k.everyCustomer;
        draft.einvoice.stampDutyEntry = 1;
        draft.einvoice.stampDutyEntries[1] = true;
        // The figures as the body form computes them.
        draft.figures = RecomputeDocument(draft.lines, vat, draft.vatInclusive, money);
        ChargeStampDuty(draft.figures, IsCreditNote(draft.kind, k.type), draft.einvoice, money);
        PostingInput in;
        in.draft = &draft;
        in.vat = &vat;
        in.money = money;
        in.documentKind = draft.kind;
        in.fpaState = draft.fpaState;
        const Result<DocumentStored> stored = PostDocument(files, in);
        ASSERT_TRUE(stored.ok()) << stored.message();
        const PrintedDocument posted = print(draft);
        ASSERT_EQ(posted.size(), 1u);
        for (const char* shown :
             {"ROSSI SRL", "IT60.X.05428.11101.000000123456", "Vettore", "BARTOLINI SPA", "7 12 13",
              "Sfuso", "50,25", "Bonifico 30 gg", "Consegna al mattino"})
            EXPECT_TRUE(Shows(posted[0], shown)) << shown;
        EXPECT_TRUE(Shows(posted[0], std::string(k.number) + "/2026"));
        // The outside-VAT amount, with the stamp duty charged to the customer.
        EXPECT_TRUE(Shows(posted[0], k.everyCustomer ? "102,00" : "100,00"));

        Result<StoredDocument> read = ReadStoredDocument(files, stored->recordNumber);
        ASSERT_TRUE(read.ok()) << read.message();
        NameListEntries(read->draft, terms, start);
        // What the caller sets: the e-invoice terms and the type of its archive copy.
        read->draft.einvoice = draft.einvoice;
        read->draft.panel.documentType = k.type;
        ASSERT_TRUE(RecomputeStoredFigures(*read, vat, money).ok());
        EXPECT_EQ(PrintImageBytes(print(read->draft)), PrintImageBytes(posted));
    }
    // A VAT rate changed since: the figures are not the stored ones.
    vat.rate[1] = 10;
    Result<StoredDocument> read = ReadStoredDocument(files, 2);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(RecomputeStoredFigures(*read, vat, money).message(),
              "il documento n. 16 del 06/12/2026 ricalcolato con la tabella IVA di oggi ha un "
              "totale di 586,73, diverso da quello memorizzato");
    // A customer record beyond the file prints no customer texts.
    read->draft.customer.record = 9;
    EXPECT_FALSE(Shows(print(read->draft)[0], "ROSSI SRL"));
}

}  // namespace
}  // namespace qorvana
