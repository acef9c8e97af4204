#include "print/document_print.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

#include "core/data_files.h"
#include "core/general_settings_record.h"
#include "core/text.h"
#include "customers/customer_record.h"
#include "document/document_draft.h"
#include "document/document_kind.h"
#include "document/einvoice_amounts.h"

namespace qorvana {
namespace {

constexpr int kLastItem = 84;
constexpr int kFirstLastPageItem = 52;
constexpr int kLastLastPageItem = 82;
constexpr int kFirstRowItem = 85;
constexpr int kRowsEndItem = 86;
constexpr int kColumns = 9;
constexpr double kRowHeight = 4;  // millimetres
constexpr int kLastLine = LineTable::kLines;
// The layout's rows of the VAT summary (items 60 to 68, three a row) and of the outside-VAT
// summary (items 72 to 77, two a row).
constexpr int kSummaryRows = 3;
constexpr int kFirstVatItem = 60;
constexpr int kVatColumns = 3;
constexpr int kFirstOutsideItem = 72;
constexpr int kOutsideColumns = 2;

constexpr const char* kCourtesyCopyNote =
    "Copia di cortesia: la fattura è il file XML trasmesso al Sistema di Interscambio";

// The courtesy copy's note of a credit note, naming the invoice it corrects when given.
std::string CreditNoteCourtesyCopyNote(const InvoiceReference& corrected) {
    std::string note =
        "Copia di cortesia: la nota di credito è il file XML trasmesso al Sistema di Interscambio";
    const std::string number = Trim(corrected.id);
    if (number.empty()) return note;
    note += "; rettifica la fattura n. " + number;
    if (!Trim(corrected.date).empty()) note += " del " + Trim(corrected.date);
    return note;
}
constexpr const char* kSplitPaymentNote =
    "Scissione dei pagamenti: l'IVA è versata dal cessionario ai sensi dell'art. 17-ter del "
    "D.P.R. 633/1972";
constexpr const char* kStampDutyNote =
    "Imposta di bollo di 2,00 euro assolta in modo virtuale ai sensi dell'art. 6 del D.M. "
    "17/06/2014";
constexpr const char* kVatOnPaymentNote =
    "'Iva per cassa': documento emesso ai sensi dell'art.32 bis del D.L. 22/6/2012 n.83 "
    "convertito dalla L. 7/8/2012 n.134";

// The breakdown slots printed in the VAT and outside-VAT summaries, one a row, in order.
struct Summary {
    std::vector<int> vatSlots;
    std::vector<int> outsideSlots;
    double taxable = 0;
    double vat = 0;
};

Summary SummaryOf(const VatBreakdown& b) {
    Summary s;
    for (int slot = 1; slot <= 16; ++slot) {
        s.taxable += b[slot][0];
        s.vat += b[slot][1];
        if (b[slot][0] != 0 || b[slot][1] != 0) s.vatSlots.push_back(slot);
        if (b[slot][2] != 0) s.outsideSlots.push_back(slot);
    }
    return s;
}

enum class SummaryKind { Vat, Outside };

// The item of column `column` of the summary's third row (66.. or 76..).
int ThirdRowItem(SummaryKind kind, int column) {
    return kind == SummaryKind::Vat
               ? kFirstVatItem + (kSummaryRows - 1) * kVatColumns + column
               : kFirstOutsideItem + (kSummaryRows - 1) * kOutsideColumns + column;
}

// The slot of summary row `row` (0-based); 0 when the document has fewer rows.
int SlotOfRow(const std::vector<int>& slots, int row) {
    return row < static_cast<int>(slots.size()) ? slots[static_cast<std::size_t>(row)] : 0;
}

// The withholding rate text: that of the last taxable code with withholding and an amount.
std::string WithholdingRateText(const VatBreakdown& b, const VatTable& vat) {
    std::string text;
    for (int code = 1; code <= 12; ++code)
        if (vat.withholdingOf(code) > 0 && b[code][0] != 0) text = vat.withholdingText[code];
    return text;
}

// Amounts are right-aligned: instalments, VAT summary, withholding, net, outside-VAT
// summary and totals.
bool RightAligned(int item) {
    static constexpr std::array<int, 18> kAmounts = {52, 54, 56, 58, 60, 62, 63, 65, 66,
                                                     68, 70, 71, 72, 74, 76, 78, 79, 80};
    return std::find(kAmounts.begin(), kAmounts.end(), item) != kAmounts.end();
}

class Composer {
  public:
    Composer(const DocumentToPrint& doc, const PrintSettings& settings, const VatTable& vat,
             const Money& money, const TextWidth& width)
        : doc_(doc),
          e_(doc.entries),
          settings_(settings),
          vat_(vat),
          money_(money),
          width_(width),
          summary_(SummaryOf(doc.figures.breakdown)) {
        // Parsed once: every row of every page places texts with the same items.
        for (std::size_t k = 0; k < settings.layout.size(); ++k) {
            const LayoutItem& item = settings.layout[k];
            numbers_[k] = {item.x(), item.y(), item.fontSize(), item.colour()};
        }
    }

    void addItems(PrintPage& page, bool lastPage) const {
        for (int item = 1; item <= kLastItem; ++item) {
            if (item >= kFirstLastPageItem && item <= kLastLastPageItem && !lastPage) continue;
            const ItemNumbers& at = numbers_[static_cast<std::size_t>(item)];
            place(page, item, at.x, at.y, itemText(item), RightAligned(item));
        }
        if (lastPage)
            for (const SummaryKind kind : {SummaryKind::Vat, SummaryKind::Outside})
                for (const PrintText& t : furtherSummaryRows(kind)) page.ops.emplace_back(t);
    }

    // The texts of the summary rows beyond the layout's third: placed with the items of the
    // third row, each lower than the one before by the distance between the layout's second
    // and third rows.
    std::vector<PrintText> furtherSummaryRows(SummaryKind kind) const {
        const bool vat = kind == SummaryKind::Vat;
        const std::vector<int>& slots = vat ? summary_.vatSlots : summary_.outsideSlots;
        const int firstItem = vat ? kFirstVatItem : kFirstOutsideItem;
        const int columns = vat ? kVatColumns : kOutsideColumns;
        std::vector<PrintText> texts;
        for (int row = kSummaryRows; row < static_cast<int>(slots.size()); ++row)
            for (int column = 0; column < columns; ++column) {
                const int third = ThirdRowItem(kind, column);
                const ItemNumbers& at = numbers_[static_cast<std::size_t>(third)];
                const int step = at.y - numbers_[static_cast<std::size_t>(third - columns)].y;
                if (auto t = placed(third, at.x, at.y + (row - kSummaryRows + 1) * step,
                                    summaryText(firstItem, SlotOfRow(slots, row), column),
                                    RightAligned(third)))
                    texts.push_back(std::move(*t));
            }
        return texts;
    }

    // Rows of the summary the document prints.
    int summaryRows(SummaryKind kind) const {
        return static_cast<int>(kind == SummaryKind::Vat ? summary_.vatSlots.size()
                                                         : summary_.outsideSlots.size());
    }
    // Where the layout places the first column of the summary's third row.
    std::pair<double, double> thirdRowAt(SummaryKind kind) const {
        const ItemNumbers& at = numbers_[static_cast<std::size_t>(ThirdRowItem(kind, 0))];
        return {at.x, at.y};
    }

    void addRows(PrintPage& page, int firstLine, int lastLine) const {
        const double top = numbers_[kFirstRowItem].x;
        for (int n = firstLine; n <= lastLine; ++n) {
            const double y = top + (n - firstLine) * kRowHeight;
            const DocumentLine& line = (*doc_.lines)[n];
            for (int c = 1; c <= kColumns; ++c) {
                const int item = kRowsEndItem + c;
                const bool right = c == 3 || c == 5 || c == 6 || c == 7;
                place(page, item, numbers_[static_cast<std::size_t>(item)].x, y,
                      columnText(line, c), right);
            }
        }
    }

  private:
    // The numbers of a layout item, parsed from its texts.
    struct ItemNumbers {
        int x = 0;
        int y = 0;
        double fontSize = 0;
        int colour = 0;
    };

    // Column `column` of a summary row showing breakdown slot `slot` (0: an empty row).
    std::string summaryText(int firstItem, int slot, int column) const {
        if (slot == 0) return {};
        const auto& b = doc_.figures.breakdown;
        if (firstItem == kFirstOutsideItem)
            return column == 0 ? amount(b[slot][2]) : vat_.exemptionText[slot];
        return column == 0   ? amount(b[slot][0])
               : column == 1 ? vat_.rateText[slot]
                             : amount(b[slot][1]);
    }

    // Every placed item is written, an empty text too: the suite's readers of the print
    // image expect a record for each.
    void place(PrintPage& page, int item, double x, double y, const std::string& raw,
               bool right) const {
        if (auto t = placed(item, x, y, raw, right)) page.ops.emplace_back(std::move(*t));
    }

    // The text of layout item `item` at (x, y); nothing when the layout does not place it.
    std::optional<PrintText> placed(int item, double x, double y, const std::string& raw,
                                    bool right) const {
        const ItemNumbers& at = numbers_[static_cast<std::size_t>(item)];
        const LayoutItem& layout = settings_.layout[static_cast<std::size_t>(item)];
        if (at.x == 0 && at.y == 0) return std::nullopt;
        PrintText t;
        t.text = Trim(KeepPrintable(raw));
        t.x = x;
        t.y = y;
        t.size = at.fontSize;
        t.font = layout.fontName();
        t.bold = layout.bold();
        t.italic = layout.italic();
        t.colour = at.colour;
        if (right && !t.text.empty()) t.x -= width_(t);
        return t;
    }

    std::string amount(double value) const { return money_.FormatAmount(value); }

    std::string itemText(int item) const {
        const auto& b = doc_.figures.breakdown;
        const VatTable& vat = vat_;
        if (item >= 1 && item <= 15) return settings_.printLines[item];
        if (item >= 18 && item <= 32) return e_.customer[item - 18];
        if (item >= 43 && item <= 45) return e_.carrier[item - 43];
        if (item >= 52 && item <= 59) {
            const int k = (item - 52) / 2;
            return item % 2 == 0 ? amount(e_.dueAmounts[k]) : e_.dueDates[k];
        }
        if (item >= kFirstVatItem && item < kFirstVatItem + kSummaryRows * kVatColumns) {
            const int k = item - kFirstVatItem;
            return summaryText(kFirstVatItem, SlotOfRow(summary_.vatSlots, k / kVatColumns),
                               k % kVatColumns);
        }
        if (item >= kFirstOutsideItem &&
            item < kFirstOutsideItem + kSummaryRows * kOutsideColumns) {
            const int k = item - kFirstOutsideItem;
            return summaryText(kFirstOutsideItem,
                               SlotOfRow(summary_.outsideSlots, k / kOutsideColumns),
                               k % kOutsideColumns);
        }
        switch (item) {
            case 16:
                return e_.vatOnPayment ? kVatOnPaymentNote : settings_.printLines[16];
            case 17:
                return e_.splitPayment ? kSplitPaymentNote : "";
            case 33:
                return e_.stampDuty ? kStampDutyNote : "";
            case 35:
                return e_.numberWithYear && e_.documentDate.size() > 6
                           ? Trim(e_.number) + "/" + e_.documentDate.substr(6)
                           : e_.number;
            case 36:
                return e_.documentDate;
            case 37:
                return e_.packages;
            case 38:
                return e_.weight;
            case 39:
                return e_.goodsAppearance;
            case 40:
                return e_.bankCoordinates;
            case 41:
                return e_.email;
            case 42: {
                static constexpr const char* kShippedBy[] = {"Mittente", "Destinatario", "Vettore"};
                return e_.shippedBy >= 0 && e_.shippedBy <= 2 ? kShippedBy[e_.shippedBy] : "";
            }
            case 46:
                return e_.transportDate;
            case 47:
                return e_.transportTime;
            case 48:
            case 49:
                return e_.transportReferences[static_cast<std::size_t>(item - 48)];
            case 50:
                return e_.paymentTerms;
            case 51:
                return e_.customerNote;
            case 69:
                return doc_.figures.withholdingAmount != 0 ? WithholdingRateText(b, vat) : "";
            case 70:
                return amount(doc_.figures.withholdingAmount);
            case 71:
                return amount(e_.amountDue.value_or(doc_.figures.netToPay()));
            case 78:
                return amount(summary_.taxable);
            case 79:
                return amount(summary_.vat);
            case 80:
                return amount(doc_.figures.documentTotal);
            case 81:
                if (e_.courtesyCopy && IsCreditNote(e_.documentKind, e_.fpaDocumentType))
                    return CreditNoteCourtesyCopyNote(e_.correctedInvoice);
                if (e_.courtesyCopy) return kCourtesyCopyNote;
                return e_.fpaState >= 0 ? "COPIA DOCUMENTO AD USO INTERNO" : "";
            case 82:
                return IsCreditNote(e_.documentKind, e_.fpaDocumentType) ? "NOTA CREDITO"
                                                                         : "FATTURA";
            case 83:
                return e_.notes[0];
            case 84:
                return e_.notes[1];
            default:
                return {};
        }
    }

    std::string columnText(const DocumentLine& line, int column) const {
        switch (column) {
            case 1:
                return line.articleRecord != 0 ? line.code : "";
            case 2:
                return line.description;
            case 3:
                return line.countsQuantity() ? PrintedQuantity(line.quantity) : "";
            case 4:
                return line.unit;
            case 5:
                return money_.FormatCurrencyAmount(line.unitPrice);
            case 6:
                return amount(LineAmountOf(line, money_).gross);
            case 7:
                return amount(LineAmountOf(line, money_).net);
            case 8: {
                const bool priced = LineAmountOf(line, money_).gross != 0;
                const int code = line.vatCode;
                return priced && code >= 1 && code <= 12 ? vat_.rateText[code] : "";
            }
            default: {
                if (line.discount1 == 0 && line.discount2 == 0) return {};
                std::string text = std::to_string(line.discount1);
                if (line.discount2 != 0) text += "+" + std::to_string(line.discount2);
                return text;
            }
        }
    }

    // Up to three decimals, shown only when there is a fraction; Italian separators.
    static std::string PrintedQuantity(double quantity) {
        std::string text = FormatGrouped(quantity, 3);
        text.erase(text.find_last_not_of('0') + 1);
        if (!text.empty() && text.back() == ',') text.pop_back();
        return text;
    }

    const DocumentToPrint& doc_;
    const PrintedEntries& e_;
    const PrintSettings& settings_;
    const VatTable& vat_;
    const Money& money_;
    const TextWidth& width_;
    Summary summary_;
    std::array<ItemNumbers, PrintSettings::kLayoutItems + 1> numbers_{};
};

// The customer's own texts, from its record; left empty when the record is not in the file.
void TakeCustomer(PrintedEntries& e, const DataFiles& files, int record) {
    if (record < 1 || record > files.physicalRecords(kCli)) return;
    const auto c = files.read<CustomersFile>(record);
    static constexpr Field<CustomerLayout> kPrinted[] = {
        cli::kName1,      cli::kName2,        cli::kAddress,       cli::kPostcode,
        cli::kTown,       cli::kVatNumber,    cli::kTaxCode,       cli::kAdminName1,
        cli::kAdminName2, cli::kAdminAddress, cli::kAdminPostcode, cli::kAdminTown,
        cli::kPhone1,     cli::kPhone2,       cli::kPhone3};
    for (std::size_t i = 0; i < e.customer.size(); ++i) e.customer[i] = Trim(c.text(kPrinted[i]));
    e.bankCoordinates =
        BankCoordinates({c.text(cli::kIbanPrefix), c.text(cli::kCin), c.text(cli::kAbi),
                         c.text(cli::kCab), c.text(cli::kBankAccount)});
    e.email = Trim(c.text(cli::kEmail));
    e.customerNote = c.text(cli::kBankText);
    e.notes = {Trim(c.text(cli::kNotes1)), Trim(c.text(cli::kNotes2))};
}

// A text's place on the page, in millimetres.
struct Area {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    static Area Of(const PrintText& t, const TextWidth& width) {
        return {t.x, t.y, t.x + width(t), t.y + t.size * 25.4 / 72};
    }
    // Texts that only touch do not overlap.
    bool overlaps(const Area& o) const {
        constexpr double kTouch = 0.1;
        return left < o.right - kTouch && o.left < right - kTouch && top < o.bottom - kTouch &&
               o.top < bottom - kTouch;
    }
    bool inside(const Area& box) const {
        return left >= box.left && right <= box.right && top >= box.top && bottom <= box.bottom;
    }
};

// The smallest box of the page's form drawing that holds the point (x, y); none when no box
// does.
std::optional<Area> BoxAround(const PrintPage& page, double x, double y) {
    std::optional<Area> found;
    for (const PrintOp& op : page.ops) {
        const auto* box = std::get_if<PrintShape>(&op);
        if (!box || box->kind != ShapeKind::Box) continue;
        const Area a{std::min(box->x1, box->x2), std::min(box->y1, box->y2),
                     std::max(box->x1, box->x2), std::max(box->y1, box->y2)};
        const auto size = [](const Area& b) { return (b.right - b.left) * (b.bottom - b.top); };
        if (x >= a.left && x <= a.right && y >= a.top && y <= a.bottom &&
            (!found || size(a) < size(*found)))
            found = a;
    }
    return found;
}

}  // namespace

std::string SummaryRowsWarning(const DocumentToPrint& doc, const PrintSettings& settings,
                               const VatTable& vat, const PrintPage& lastPage, const Money& money,
                               const TextWidth& width) {
    const Composer composer(doc, settings, vat, money, width);
    std::string warning;
    for (const SummaryKind kind : {SummaryKind::Vat, SummaryKind::Outside}) {
        const std::vector<PrintText> further = composer.furtherSummaryRows(kind);
        const auto [x, y] = composer.thirdRowAt(kind);
        const std::optional<Area> box = BoxAround(lastPage, x, y);
        bool onOther = false;
        bool offBox = false;
        for (const PrintText& t : further) {
            if (t.text.empty()) continue;
            const Area area = Area::Of(t, width);
            offBox = offBox || (box && !area.inside(*box));
            for (const PrintOp& op : lastPage.ops) {
                const auto* other = std::get_if<PrintText>(&op);
                if (!other || other->text.empty() ||
                    std::find(further.begin(), further.end(), *other) != further.end())
                    continue;
                onOther = onOther || area.overlaps(Area::Of(*other, width));
            }
        }
        if (!onOther && !offBox) continue;
        warning += std::string(kind == SummaryKind::Vat
                                   ? "Il riepilogo IVA"
                                   : "Il riepilogo degli importi esenti / non imponibili") +
                   " ha " + std::to_string(composer.summaryRows(kind)) +
                   " righe e il modulo di stampa (qorvana.lyf) ne prevede 3: le righe dalla "
                   "quarta " +
                   (onOther ? "si sovrappongono ad altri dati della pagina" : "") +
                   (onOther && offBox ? " ed " : "") + (offBox ? "escono dal loro riquadro" : "") +
                   ".\n";
    }
    if (warning.empty()) return {};
    return warning + "La pagina è stata stampata: controllarla, e ampliare il modulo.";
}

DocumentToPrint DocumentToPrintOf(const DocumentDraft& draft, const DataFiles& files,
                                  const Money& money, bool numberWithYear) {
    DocumentToPrint d;
    PrintedEntries& e = d.entries;
    TakeCustomer(e, files, draft.customer.record);
    const HeaderEntries& h = draft.header;
    e.number = h.documentNumber;
    e.documentDate = h.documentDate;
    e.numberWithYear = numberWithYear;
    e.paymentTerms = h.paymentTermsText;
    for (std::size_t i = 0; i < e.dueDates.size(); ++i) {
        e.dueAmounts[i] = ParseDecimal(h.instalmentAmounts[i]);
        e.dueDates[i] = h.dueDates[i];
    }
    e.vatOnPayment = h.deferredVat;
    const TransportEntries& t = draft.transport;
    e.transportReferences = {draft.deliveryNotes(), t.order};
    e.packages = t.packages;
    e.weight = t.weight;
    e.goodsAppearance = t.goodsAppearance;
    e.shippedBy = static_cast<int>(t.shipping);
    e.carrier = t.carrierLines;
    e.transportDate = t.startDate;
    e.transportTime = t.startTime;
    e.documentKind = draft.kind;
    e.fpaState = draft.fpaState;
    e.fpaDocumentType = draft.panel.documentType;
    if (draft.einvoice.everyCustomer && draft.fpaState >= 0) {
        e.courtesyCopy = true;
        e.correctedInvoice = draft.panel.correctedInvoice;
        e.splitPayment = SplitPayment(draft);
        e.stampDuty = StampDutyOf(draft, money) > 0;
        e.amountDue = AmountDue(draft, money);
    }
    d.lines = &draft.lines;
    d.figures = draft.figures;
    return d;
}

std::string BankCoordinates(const std::array<std::string, 5>& parts) {
    std::string joined;
    bool any = false;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string part = Trim(parts[i]);
        any = any || !part.empty();
        if (i > 0) joined += ".";
        joined += part;
    }
    return any ? joined : std::string();
}

int RowsPerPage(const PrintSettings& settings) {
    return std::abs(settings.layout[kRowsEndItem].x() - settings.layout[kFirstRowItem].x());
}

int PageCount(int lines, int rowsPerPage) {
    if (rowsPerPage <= 0 || lines <= 0) return 1;
    return (lines + rowsPerPage - 1) / rowsPerPage;
}

PrintedDocument ComposeDocument(const DocumentToPrint& doc, const PrintSettings& settings,
                                const VatTable& vat, const FormDrawing& form, const Money& money,
                                const TextWidth& width) {
    const Composer composer(doc, settings, vat, money, width);
    const int lines = doc.lines ? doc.lines->lastUsed() : 0;
    const int rows = RowsPerPage(settings);
    const int pages = PageCount(lines, rows);
    const std::vector<PrintOp> formOps = DrawForm(form, width);

    PrintedDocument printed(static_cast<std::size_t>(pages));
    for (int p = 1; p <= pages; ++p) {
        PrintPage& page = printed[static_cast<std::size_t>(p - 1)];
        page.ops = formOps;
        composer.addItems(page, p == pages);
        // Every row of the page, the rows after the document's last line too, up to line 500.
        if (rows > 0) {
            const int first = (p - 1) * rows + 1;
            composer.addRows(page, first, std::min(first + rows - 1, kLastLine));
        }
    }
    return printed;
}

}  // namespace qorvana
