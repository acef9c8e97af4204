#pragma once
// The body form's grid: twelve rows of boxes (code, description, unit, quantity, two
// discounts, price, VAT code, and the line's amount, shown only) over the document's 500
// lines, and the scroll bar that moves them. The grid writes what is typed into the lines and moves
// with Enter from box to box; what concerns the article list and the VAT chooser it leaves to the
// form by its signals. Up and Down move to the row above or below, PageUp and PageDown by a page,
// scrolling as needed.

#include <QWidget>
#include <array>
#include <functional>

#include "document/line_table.h"
#include "forms/common/qor_form.h"

class QLineEdit;
class QScrollBar;

namespace qorvana {

class TypedNumberBoxes;

class LineGrid : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kRows = 12;

    LineGrid(LineTable& lines, QWidget* parent);

    // Registers the boxes (artic, ds, um, quantita, sc1, sc2, prezzo, civ, importo by row) and
    // VScroll1.
    void registerControls(const ControlRegistry& add) const;
    // The VAT code a priced line without one takes.
    void setFallbackVatCode(std::function<int()> fallback) {
        fallbackVatCode_ = std::move(fallback);
    }
    // The amount a line's row shows.
    void setAmountText(std::function<QString(const DocumentLine&)> amount) {
        amountText_ = std::move(amount);
    }
    // What Ctrl+Z in a box does first: true when it did something, else the box undoes its
    // own typing.
    void setUndoKey(std::function<bool()> undo) { undoKey_ = std::move(undo); }

    // The row that took the focus last, and the line a row shows.
    int currentRow() const { return currentRow_; }
    int lineOfRow(int row) const;
    // The window's vertical position of a row, for what opens beside it.
    int rowTop(int row) const;
    // Shows the lines from the scroll offset in the rows.
    void refresh();
    // Shows the amount of the line of each row again.
    void showAmounts();
    // Shows line `n` again, when a row shows it.
    void refreshLine(int n);
    // Shows the first lines, row 0 current.
    void showFromTop();
    // Scrolls so that line `last` shows in the next-to-last row, and puts the focus in the code
    // of the row below it.
    void showUpTo(int last);
    void focusCode(int row);
    void focusDescription(int row);
    void focusQuantity(int row);
    void focusVatCode(int row);
    QString codeText(int row) const;
    QString descriptionText(int row) const;
    // Shows the VAT code the line of `row` holds now.
    void showVatCode(int row);
    // A VAT code as the rows show it: two digits, empty for none.
    static QString VatCodeText(int code);
    // Reads the number being typed in the box that has the focus; false when it is refused.
    bool commitFocused();

  signals:
    void codeEntered(int row);        // Enter in artic
    void codeTyped(int row);          // artic edited
    void codeFocused(int row);        // artic took the focus
    void descriptionTyped(int row);   // ds edited
    void descriptionLookup(int row);  // F1 in ds
    void vatCodeEntered(int row);     // civ took the focus or was clicked
    void vatChooserKey(int row);      // Down or F4 in civ
    void linesEdited();               // a quantity, price, discount or code changed
    void textTyped();                 // a code, description or unit typed

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showRow(int row);
    // The amount of the line row `row` shows.
    void showAmount(int row);
    QLineEdit* addBox(int row, int x, int width, int maxLength);
    void onEnterMove(QLineEdit* box, int row);
    // Up, Down (`by` ±1), PageUp, PageDown (±kRows): the same box `by` lines away, scrolling the
    // lines when it is out of sight.
    void moveRows(QLineEdit* box, int row, int by);
    void onTextChanged(QLineEdit* box, int row);
    // The quantity, price or discount of the line shown in `row` that `box` edits.
    double lineValue(const QLineEdit* box, int row) const;
    void onNumberChanged(QLineEdit* box, int row);
    void onDiscountChanged(QLineEdit* box, int row, int which);
    // Sets a box's text without taking it as typed.
    void showText(QLineEdit* box, const QString& text);

    LineTable& lines_;
    TypedNumberBoxes* numbers_;  // quantita, prezzo, sc1, sc2 of every row
    std::function<int()> fallbackVatCode_;
    std::function<QString(const DocumentLine&)> amountText_;
    std::function<bool()> undoKey_;
    bool refreshing_ = false;
    int currentRow_ = 0;

    std::array<QLineEdit*, kRows> artic_{};
    std::array<QLineEdit*, kRows> ds_{};
    std::array<QLineEdit*, kRows> um_{};
    std::array<QLineEdit*, kRows> quantita_{};
    std::array<QLineEdit*, kRows> prezzo_{};
    std::array<QLineEdit*, kRows> discount1_{};  // sc1
    std::array<QLineEdit*, kRows> discount2_{};  // sc2
    std::array<QLineEdit*, kRows> civ_{};
    std::array<QLineEdit*, kRows> importo_{};
    std::array<const std::array<QLineEdit*, kRows>*, 8> columns_{};  // the boxes, by column
    QScrollBar* vscroll_ = nullptr;
};

}  // namespace qorvana
