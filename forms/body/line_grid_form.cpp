#include "forms/body/line_grid_form.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <limits>

#include "core/numbers.h"
#include "forms/common/message_box.h"
#include "forms/common/qt_text.h"
#include "forms/common/typed_number_boxes.h"

namespace qorvana {
namespace {

constexpr int kFirstOffset = 1;   // row 0 shows line 1
constexpr int kLastOffset = 489;  // row 11 shows line 500
constexpr int kEnterScrollLimit = 490;
constexpr int kRowTop = 32;
constexpr int kRowHeight = 20;

// The grid's columns: heading, left edge, width.
struct GridColumn {
    const char* name;
    const char* heading;
    int x;
    int width;
    int maxLength;
};
constexpr GridColumn kArtic{"artic", "Codice", 8, 120, 15};
constexpr GridColumn kDs{"ds", "Descrizione", 130, 282, 60};
constexpr GridColumn kUm{"um", "UM", 414, 30, 2};
constexpr GridColumn kQuantita{"quantita", "Quantità", 446, 80, 15};
constexpr GridColumn kSc1{"sc1", "Sc.1", 528, 40, 6};
constexpr GridColumn kSc2{"sc2", "Sc.2", 570, 40, 6};
constexpr GridColumn kPrezzo{"prezzo", "Prezzo", 612, 90, 15};
constexpr GridColumn kCiv{"civ", "Iva", 704, 30, 2};
constexpr GridColumn kImporto{"importo", "Importo", 736, 90, 30};
constexpr int kScrollX = 828;
constexpr int kScrollWidth = 16;

// The rows the cursor keys move the focus by: one for Up and Down, a page for PageUp and
// PageDown; 0 for any other key.
int RowsMoved(int key) {
    switch (key) {
        case Qt::Key_Up:
            return -1;
        case Qt::Key_Down:
            return 1;
        case Qt::Key_PageUp:
            return -LineGrid::kRows;
        case Qt::Key_PageDown:
            return LineGrid::kRows;
        default:
            return 0;
    }
}

// Quantity, price and discounts as the rows show them: plain decimal text, empty for 0.
QString NumberBox(double v) {
    return v == 0 ? QString() : Q(PlainNumberText(v));
}

}  // namespace

LineGrid::LineGrid(LineTable& lines, QWidget* parent)
    : QWidget(parent), lines_(lines), numbers_(new TypedNumberBoxes(parent)) {
    setGeometry(0, 0, kScrollX + kScrollWidth, kRowTop + kRows * kRowHeight);
    for (const GridColumn& c : {kArtic, kDs, kUm, kQuantita, kSc1, kSc2, kPrezzo, kCiv, kImporto}) {
        auto* l = new QLabel(QString::fromUtf8(c.heading), this);
        l->move(c.x, kRowTop - 18);
    }
    for (int r = 0; r < kRows; ++r) {
        artic_[r] = addBox(r, kArtic.x, kArtic.width, kArtic.maxLength);
        ds_[r] = addBox(r, kDs.x, kDs.width, kDs.maxLength);
        um_[r] = addBox(r, kUm.x, kUm.width, kUm.maxLength);
        quantita_[r] = addBox(r, kQuantita.x, kQuantita.width, kQuantita.maxLength);
        discount1_[r] = addBox(r, kSc1.x, kSc1.width, kSc1.maxLength);
        discount2_[r] = addBox(r, kSc2.x, kSc2.width, kSc2.maxLength);
        prezzo_[r] = addBox(r, kPrezzo.x, kPrezzo.width, kPrezzo.maxLength);
        civ_[r] = addBox(r, kCiv.x, kCiv.width, kCiv.maxLength);
        civ_[r]->setReadOnly(true);
        for (QLineEdit* number : {quantita_[r], discount1_[r], discount2_[r], prezzo_[r]}) {
            number->setAlignment(Qt::AlignRight);
            // Left, the box shows what its line took from the typed text.
            numbers_->add(number,
                          [this, number, r](double) { return NumberBox(lineValue(number, r)); });
        }
        civ_[r]->setAlignment(Qt::AlignCenter);
        // The line's amount is shown, never typed: the focus passes it by.
        importo_[r] = addBox(r, kImporto.x, kImporto.width, kImporto.maxLength);
        importo_[r]->setReadOnly(true);
        importo_[r]->setFocusPolicy(Qt::NoFocus);
        importo_[r]->setAlignment(Qt::AlignRight);
        QPalette shown = importo_[r]->palette();
        shown.setColor(QPalette::Base, QColor(0xf3, 0xf3, 0xf0));
        importo_[r]->setPalette(shown);

        connect(ds_[r], &QLineEdit::textChanged, this, [this, r] {
            onTextChanged(ds_[r], r);
            if (!refreshing_) emit descriptionTyped(r);
        });
        connect(um_[r], &QLineEdit::textChanged, this, [this, r] { onTextChanged(um_[r], r); });
        connect(artic_[r], &QLineEdit::textChanged, this, [this, r] {
            if (refreshing_) return;
            emit textTyped();
            emit codeTyped(r);
        });
        connect(quantita_[r], &QLineEdit::textChanged, this,
                [this, r] { onNumberChanged(quantita_[r], r); });
        connect(prezzo_[r], &QLineEdit::textChanged, this,
                [this, r] { onNumberChanged(prezzo_[r], r); });
        connect(discount1_[r], &QLineEdit::textChanged, this,
                [this, r] { onDiscountChanged(discount1_[r], r, 1); });
        connect(discount2_[r], &QLineEdit::textChanged, this,
                [this, r] { onDiscountChanged(discount2_[r], r, 2); });
    }

    columns_ = {&artic_, &ds_, &um_, &quantita_, &discount1_, &discount2_, &prezzo_, &civ_};
    vscroll_ = new QScrollBar(Qt::Vertical, this);
    vscroll_->setGeometry(kScrollX, kRowTop, kScrollWidth, kRows * kRowHeight);
    vscroll_->setRange(kFirstOffset, kLastOffset);
    vscroll_->setPageStep(kRows);
    connect(vscroll_, &QScrollBar::valueChanged, this, [this] { refresh(); });
}

QLineEdit* LineGrid::addBox(int row, int x, int width, int maxLength) {
    auto* box = new QLineEdit(this);
    box->setGeometry(x, kRowTop + row * kRowHeight, width, kRowHeight);
    box->setMaxLength(maxLength);
    box->setProperty("row", row);
    box->installEventFilter(this);
    return box;
}

void LineGrid::registerControls(const ControlRegistry& add) const {
    const std::pair<const GridColumn&, const std::array<QLineEdit*, kRows>&> columns[] = {
        {kArtic, artic_},       {kDs, ds_},         {kUm, um_},
        {kQuantita, quantita_}, {kSc1, discount1_}, {kSc2, discount2_},
        {kPrezzo, prezzo_},     {kCiv, civ_},       {kImporto, importo_}};
    // Row by row, as the boxes were always registered.
    for (int r = 0; r < kRows; ++r)
        for (const auto& [column, boxes] : columns)
            add(QString::fromUtf8(column.name), boxes[static_cast<std::size_t>(r)], r);
    add(QStringLiteral("VScroll1"), vscroll_, -1);
}

int LineGrid::lineOfRow(int row) const {
    return row + vscroll_->value();
}

int LineGrid::rowTop(int row) const {
    return y() + kRowTop + row * kRowHeight;
}

void LineGrid::refresh() {
    for (int r = 0; r < kRows; ++r) showRow(r);
}

void LineGrid::refreshLine(int n) {
    const int row = n - vscroll_->value();
    if (row >= 0 && row < kRows) showRow(row);
}

void LineGrid::showRow(int r) {
    const QScopedValueRollback<bool> refreshing(refreshing_, true);
    // A box not being typed in shows the start of its text, as a long description needs.
    const auto show = [](QLineEdit* box, const QString& text) {
        box->setText(text);
        if (!box->hasFocus()) box->setCursorPosition(0);
    };
    const DocumentLine& line = lines_[lineOfRow(r)];
    show(artic_[r], Q(line.code).trimmed());
    show(ds_[r], Q(line.description).trimmed());
    show(um_[r], Q(line.unit).trimmed());
    show(quantita_[r], NumberBox(line.quantity));
    show(prezzo_[r], NumberBox(line.unitPrice));
    show(discount1_[r], NumberBox(line.discount1));
    show(discount2_[r], NumberBox(line.discount2));
    show(civ_[r], VatCodeText(line.vatCode));
    showAmount(r);
}

void LineGrid::showAmounts() {
    for (int r = 0; r < kRows; ++r) showAmount(r);
}

void LineGrid::showAmount(int r) {
    if (!amountText_) return;
    const DocumentLine& line = lines_[lineOfRow(r)];
    importo_[r]->setText(line.inUse() ? amountText_(line) : QString());
    importo_[r]->setCursorPosition(0);
}

void LineGrid::showFromTop() {
    {
        const QSignalBlocker block(vscroll_);
        vscroll_->setValue(kFirstOffset);
    }
    refresh();
    currentRow_ = 0;
}

void LineGrid::showUpTo(int last) {
    // The last line shows in the next-to-last row, the empty line after it below.
    {
        const QSignalBlocker block(vscroll_);
        vscroll_->setValue(std::clamp(last - (kRows - 2), kFirstOffset, kLastOffset));
    }
    refresh();
    currentRow_ = std::clamp(last + 1 - vscroll_->value(), 0, kRows - 1);
    artic_[currentRow_]->setFocus();
}

void LineGrid::focusCode(int row) {
    artic_[row]->setFocus();
}
void LineGrid::focusDescription(int row) {
    ds_[row]->setFocus();
}
void LineGrid::focusQuantity(int row) {
    quantita_[row]->setFocus();
}
void LineGrid::focusVatCode(int row) {
    civ_[row]->setFocus();
}
QString LineGrid::codeText(int row) const {
    return artic_[row]->text();
}
QString LineGrid::descriptionText(int row) const {
    return ds_[row]->text();
}

QString LineGrid::VatCodeText(int code) {
    return code == 0 ? QString() : QStringLiteral("%1").arg(code, 2, 10, QLatin1Char('0'));
}

void LineGrid::showVatCode(int row) {
    showText(civ_[row], VatCodeText(lines_[lineOfRow(row)].vatCode));
}

bool LineGrid::commitFocused() {
    return numbers_->commitFocused();
}

void LineGrid::showText(QLineEdit* box, const QString& text) {
    const QScopedValueRollback<bool> refreshing(refreshing_, true);
    box->setText(text);
}

void LineGrid::onEnterMove(QLineEdit* box, int row) {
    if (box == ds_[row]) {
        um_[row]->setFocus();
    } else if (box == um_[row]) {
        quantita_[row]->setFocus();
    } else if (box == quantita_[row]) {
        discount1_[row]->setFocus();
    } else if (box == discount1_[row]) {
        discount2_[row]->setFocus();
    } else if (box == discount2_[row]) {
        prezzo_[row]->setFocus();
    } else if (box == prezzo_[row]) {
        if (row < kRows - 1) {
            artic_[row + 1]->setFocus();
        } else if (lineOfRow(row) < kEnterScrollLimit) {
            vscroll_->setValue(vscroll_->value() + 1);
            artic_[row]->setFocus();
        }
    }
}

void LineGrid::moveRows(QLineEdit* box, int row, int by) {
    // A number being typed is read first; a refused one keeps the focus where it is.
    if (!numbers_->commit(box)) return;
    const auto column = std::find_if(columns_.begin(), columns_.end(), [&](const auto* boxes) {
        return (*boxes)[static_cast<std::size_t>(row)] == box;
    });
    if (column == columns_.end()) return;
    const int offset = vscroll_->value();
    const int line = std::clamp(lineOfRow(row) + by, 1, LineTable::kLines);
    // A page moves the lines under the rows; a step moves the row, and the lines only past the
    // first or the last row.
    int shown = std::abs(by) >= kRows ? offset + by : offset;
    shown = std::clamp(shown, line - (kRows - 1), line);
    shown = std::clamp(shown, kFirstOffset, kLastOffset);
    if (shown != offset) vscroll_->setValue(shown);
    QLineEdit* target = (**column)[static_cast<std::size_t>(line - shown)];
    target->setFocus();
    target->selectAll();  // also when it had the focus already and the lines moved under it
}

void LineGrid::onTextChanged(QLineEdit* box, int row) {
    if (refreshing_) return;
    DocumentLine& line = lines_[lineOfRow(row)];
    (box == ds_[row] ? line.description : line.unit) = S(box->text());
    emit textTyped();
}

double LineGrid::lineValue(const QLineEdit* box, int row) const {
    const DocumentLine& line = lines_[lineOfRow(row)];
    if (box == quantita_[row]) return line.quantity;
    if (box == prezzo_[row]) return line.unitPrice;
    return box == discount1_[row] ? line.discount1 : line.discount2;
}

void LineGrid::onNumberChanged(QLineEdit* box, int row) {
    if (refreshing_) return;
    DocumentLine& line = lines_[lineOfRow(row)];
    // A text that is no number yet ("1.234.") is read once the box is left.
    const TypedNumber typed = ReadTypedNumber(S(box->text()));
    if (typed.fault == NumberFault::Malformed) return;
    if (!typed.ok()) {
        // The box keeps the value the line holds.
        showText(box, NumberBox(lineValue(box, row)));
        Warn(window(), Q(TypedNumberRefusal("", typed.fault)));
        return;
    }
    const double value = typed.value;
    if (box == quantita_[row]) {
        line.quantity = value;
    } else {
        line.unitPrice = value;
        if (value != 0 && line.vatCode == 0 && fallbackVatCode_) {
            line.vatCode = static_cast<std::int16_t>(fallbackVatCode_());
            showVatCode(row);
        }
    }
    emit linesEdited();
}

void LineGrid::onDiscountChanged(QLineEdit* box, int row, int which) {
    if (refreshing_) return;
    DocumentLine& line = lines_[lineOfRow(row)];
    std::int16_t& discount = which == 1 ? line.discount1 : line.discount2;
    // A typed fraction is rounded; the box shows the whole percent once it is left.
    const TypedDiscount typed = ParseDiscount(S(box->text()));
    if (typed.fault == DiscountFault::Malformed) return;  // read once the box is left
    if (typed.fault != DiscountFault::None) {
        // The box keeps the value the line holds.
        showText(box, NumberBox(discount));
        Warn(window(), typed.fault == DiscountFault::BeyondNumbers
                           ? Q(TypedNumberRefusal("", NumberFault::BeyondNumbers))
                       : typed.fault == DiscountFault::AboveHundred
                           ? QStringLiteral("Sconto non valido: il valore non può superare 100")
                           : QStringLiteral("Sconto non valido: il valore deve essere tra %1 e %2")
                                 .arg(std::numeric_limits<std::int16_t>::min())
                                 .arg(std::numeric_limits<std::int16_t>::max()));
        return;
    }
    discount = typed.percent;
    emit linesEdited();
}

bool LineGrid::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    const QVariant rowProperty = box ? box->property("row") : QVariant();
    if (!rowProperty.isValid()) return QWidget::eventFilter(watched, event);
    const int r = rowProperty.toInt();

    switch (event->type()) {
        case QEvent::FocusIn:
            currentRow_ = r;
            if (box == artic_[r]) emit codeFocused(r);
            if (box == civ_[r]) emit vatCodeEntered(r);
            break;
        case QEvent::MouseButtonPress:
            if (box == civ_[r]) {
                currentRow_ = r;
                emit vatCodeEntered(r);
            }
            break;
        case QEvent::ShortcutOverride:
            // Ctrl+Z comes to the box as a key, whatever box it is: the form may take it.
            if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Undo)) {
                event->accept();
                return true;
            }
            break;
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->matches(QKeySequence::Undo) && undoKey_ && undoKey_()) return true;
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                if (box == artic_[r])
                    emit codeEntered(r);
                else
                    onEnterMove(box, r);
                return true;
            }
            if (key->key() == Qt::Key_F1 && box == ds_[r]) {
                emit descriptionLookup(r);
                return true;
            }
            // The VAT chooser from the keyboard: its arrows then choose the code.
            if ((key->key() == Qt::Key_Down || key->key() == Qt::Key_F4) && box == civ_[r]) {
                emit vatChooserKey(r);
                return true;
            }
            if (const int by = RowsMoved(key->key());
                by != 0 && key->modifiers() == Qt::NoModifier) {
                moveRows(box, r, by);
                return true;
            }
            break;
        }
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace qorvana
