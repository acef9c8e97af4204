#include "tools/demo/demo_documents.h"

#include <algorithm>
#include <cmath>

#include "core/civil_date.h"
#include "core/numbers.h"
#include "document/line_file.h"
#include "tools/demo/demo_articles.h"
#include "tools/demo/demo_files.h"
#include "tools/demo/demo_fixtures.h"

namespace qorvana::demo {
namespace {

// One line of a source document: an article (0 = free text), quantity, price in euro
// (negative = the article's first price list), VAT code (-1 = the article's).
struct SourceLine {
    int article;
    double quantity;
    double price = -1;
    int vatCode = -1;
    const char* text = nullptr;
    std::int16_t discount1 = 0;
};

struct Note {
    int number;
    const char* date;  // yyyymmdd
    int customer;
    std::vector<SourceLine> lines;
    const char* text = "Vendita";
    int invoiced = 0;
    int excluded = 0;
    int returnNumber = 0;  // a deposit-account return: number of its "blr" line file
    bool fallbackFileOnly = false;
};

class DocumentMaker {
  public:
    DocumentMaker(const std::vector<ArticleRecord>& articles, bool lire)
        : articles_(articles), lire_(lire) {}

    DocumentLine LineOf(const SourceLine& s) const {
        DocumentLine line;
        if (s.article > 0) {
            const ArticleRecord& a = articles_[static_cast<std::size_t>(s.article - 1)];
            line.articleRecord = static_cast<std::int16_t>(s.article);
            line.code = a.text(art::kCode);
            line.description = a.text(art::kDescription);
            line.unit = a.text(art::kUnit);
            line.vatCode =
                s.vatCode >= 0 ? static_cast<std::int16_t>(s.vatCode) : a.int16(art::kVatCode);
            line.unitPrice = s.price >= 0 ? DemoAmount(s.price, lire_) : a.dbl(art::kPrice1);
            line.unitWeight = a.dbl(art::kUnitWeight);
        } else {
            line.description = s.text ? s.text : "";
        }
        if (s.text && s.article > 0) line.description = s.text;
        line.quantity = s.quantity;
        line.quantityMoved = s.quantity;
        line.discount1 = s.discount1;
        return line;
    }

    std::vector<DocumentLine> Blocks(const std::vector<SourceLine>& lines, int count) const {
        std::vector<DocumentLine> blocks(static_cast<std::size_t>(count));
        for (std::size_t i = 0; i < lines.size() && i < blocks.size(); ++i)
            blocks[i] = LineOf(lines[i]);
        return blocks;
    }

    void AddNote(const Note& note, DemoDocuments& out) {
        const float serial = static_cast<float>(nextNoteSerial_++);
        auto head = BlankRecord(bol::kFields);
        head.setInt16(bol::kNumber, static_cast<std::int16_t>(note.number));
        SetText(head, bol::kDate, note.date);
        SetText(head, bol::kText, note.text);
        head.setSingle(bol::kSerial, serial);
        head.setDouble(bol::kReturnNumber, note.returnNumber);
        head.setInt16(bol::kCustomer, static_cast<std::int16_t>(note.customer));
        head.setInt16(bol::kInvoiced, static_cast<std::int16_t>(note.invoiced));
        head.setInt16(bol::kExcluded, static_cast<std::int16_t>(note.excluded));
        head.setInt16(bol::kHeadMark, 1);
        out.noteRecords.push_back(head);
        for (const auto& s : note.lines) {
            auto line = head;
            line.setInt16(bol::kHeadMark, 0);
            SetText(line, bol::kText, PadTo(LineOf(s).description, bol::kText.width));
            out.noteRecords.push_back(line);
        }
        ++out.notes;

        const std::string year = std::string(note.date).substr(2, 2);
        // Named as the imports look for them (sources/imports.cpp).
        const std::string name =
            note.returnNumber > 0   ? "blr" + std::to_string(note.returnNumber) + ".a" + year
            : note.fallbackFileOnly ? "bll" + std::to_string(note.number) + ".a" + year
                                    : "b" + PlainNumberText(static_cast<double>(serial));
        out.lineFiles.push_back(
            {name,
             {std::to_string(note.number), CivilDate::ShownFromRecord(note.date),
              std::to_string(note.customer), note.text, "", "", "", "", "", ""},
             Blocks(note.lines, LineFile::kNoteBlocks)});
    }

    void AddReceipt(const char* number, const char* date, int customer, bool open, bool vatIncluded,
                    const std::vector<SourceLine>& lines, DemoDocuments& out) {
        const int serial = nextReceiptSerial_++;
        DocumentRecord r = NewDocumentRecord();
        r.setInt16(document_record::kCustomer, static_cast<std::int16_t>(customer));
        SetText(r, document_record::kNumber, number);
        SetText(r, document_record::kRegistrationDate, date);
        SetText(r, document_record::kDocumentDate, date);
        r.setInt16(document_record::kKind, open ? 1 : 0);
        r.setSingle(document_record::kSerial, static_cast<float>(serial));
        SetText(r, document_record::kPaymentTerms, "1");
        double total = 0;
        for (const auto& s : lines) {
            const DocumentLine l = LineOf(s);
            total += std::round(l.unitPrice * l.quantity * 100) / 100;
        }
        const double taxable = vatIncluded ? std::round(total / 1.22 * 100) / 100 : total;
        const double vat = vatIncluded ? total - taxable : std::round(taxable * 22) / 100;
        r.setDouble(document_record::kTaxable, taxable);
        r.setDouble(document_record::kVat, vat);
        r.setDouble(document_record::kDueAmount, taxable + vat);
        out.receipts.push_back(r);
        out.lineFiles.push_back(
            {"r" + std::to_string(serial),
             {std::to_string(customer), "2", "", "", "", "", "", "", "-1", "-1", "0",
              vatIncluded ? "1" : "0", number, CivilDate::ShownFromRecord(date),
              CivilDate::ShownFromRecord(date)},
             Blocks(lines, LineFile::kReceiptBlocks)});
    }

    void AddQuote(const char* number, const char* date, int customer, const char* description,
                  bool open, bool vatIncluded, const std::vector<SourceLine>& lines,
                  DemoDocuments& out) {
        for (int j = 1; j <= prv::kLinesPerQuote; ++j) {
            auto r = BlankRecord(prv::kFields);
            SetText(r, prv::kNumber, number);
            SetText(r, prv::kDate, date);
            r.setInt16(prv::kCustomer, static_cast<std::int16_t>(customer));
            SetText(r, prv::kDescription, description);
            r.setInt16(prv::kVatIncluded, vatIncluded ? 1 : 0);
            r.setInt16(prv::kState, open ? 0 : 1);
            if (j <= static_cast<int>(lines.size())) {
                const DocumentLine l = LineOf(lines[static_cast<std::size_t>(j - 1)]);
                const std::string text = PadTo(l.description, 50);
                r.setInt16(prv::kArticle, l.articleRecord);
                SetText(r, prv::kLineDescription1, PadTo(text, 40));
                SetText(r, prv::kLineDescription2, text.substr(PadTo(text, 40).size()));
                r.setDouble(prv::kQuantity, l.quantity);
                r.setDouble(prv::kPrice, l.unitPrice);
                SetText(r, prv::kUnit, l.unit);
                r.setInt16(prv::kDiscount1, l.discount1);
                r.setInt16(prv::kVatCode, l.vatCode);
            }
            out.quoteRecords.push_back(r);
        }
        ++out.quotes;
    }

  private:
    const std::vector<ArticleRecord>& articles_;
    bool lire_;
    int nextNoteSerial_ = 1001;
    int nextReceiptSerial_ = 2001;
};

}  // namespace

DemoDocuments MakeDocuments(const std::vector<ArticleRecord>& articles, int customerCount,
                            bool lire, int extraNotes, DemoRandom& random) {
    using namespace customer;
    using namespace article;
    DemoDocuments out;
    DocumentMaker maker(articles, lire);

    const std::vector<Note> notes{
        {12,
         "20250305",
         kAlfa,
         {{kAbc, 10}, {kLed, 20}, {0, 0, 0, 0, "Merce consegnata al magazzino"}}},
        {13, "20250310", kAlfa, {{kAbc, 5}, {kBoiler, 1}}},
        {14, "20250312", kAlfa, {{kAb, 3}}, "Vendita", 1},
        {15, "20250314", kArco, {{kRadiator, 2}}, "Rientro merce da conto deposito", 0, 0, 7},
        {16, "20250318", kArco, {{kManual, 1}}, "Vendita", 0, 1},
        {17, "20250320", kArco, {{kPanel, 1}, {kLabour, 8, 32.0, 0}}},
        {18, "20250321", kIstituto, {{kCourse, 2, 180.0, 0}}},
        {19, "20250324", kGrandi, {{kLed, 50}}, "Vendita", 0, 0, 0, true},
    };
    for (const auto& note : notes)
        if (note.customer <= customerCount) maker.AddNote(note, out);

    // One note for each of the first generated customers, with articles in use.
    const int firstGenerated = customer::kFixtureCount + 1;
    const int lastWithNote = std::min(customerCount, firstGenerated + 19);
    for (int c = firstGenerated; c <= lastWithNote; ++c) {
        Note note{100 + c, "20250401", c, {}};
        const int lines = random.between(1, 3);
        for (int i = 0; i < lines; ++i) {
            int a = random.between(1, static_cast<int>(articles.size()));
            if (articles[static_cast<std::size_t>(a - 1)].int16(art::kDeleted) != 0) a = kAbc;
            note.lines.push_back({a, static_cast<double>(random.between(1, 20))});
        }
        maker.AddNote(note, out);
    }

    // Many open notes for one customer: the picker's long lists.
    for (int i = 1; i <= extraNotes && customer::kNordica <= customerCount; ++i)
        maker.AddNote({1000 + i, "20250402", customer::kNordica, {{kAb, 1}}}, out);

    maker.AddReceipt("5", "20250306", kAlfa, true, true, {{kLed, 2, 5.86}, {kAbc, 4, 4.27}}, out);
    maker.AddReceipt("6", "20250307", kArco, true, false, {{kAb, 10}}, out);
    maker.AddReceipt("4", "20250301", kAlfa, false, false, {{kAbc, 1}}, out);

    maker.AddQuote("P-2025/001", "20250115", kAlfa, "Impianto elettrico capannone", true, false,
                   {{kAbc, 20, 3.50, -1, nullptr, 10},
                    {kPanel, 1},
                    {kDesign, 1},
                    {0, 0, 0, 0, "Trasporto e installazione inclusi nel prezzo"}},
                   out);
    maker.AddQuote("P-2025/002", "20250120", kAlfa, "Preventivo scaduto", false, false,
                   {{kAb, 100}}, out);
    maker.AddQuote("P-2025/003", "20250201", kArco, "Ristrutturazione bagni", true, true,
                   {{kRadiator, 4, 157.38}, {kLabour, 16, 39.04, 1}}, out);
    return out;
}

}  // namespace qorvana::demo
