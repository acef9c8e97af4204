#pragma once
// Boxes that take a typed number (prices, quantities, discounts, amounts). What the operator
// typed is read with the one reader of typed numbers when the box is left or Enter is
// pressed in it: the box then shows the value as read, or the operator is told why the text
// is refused and the box gets back the text it held when it took the focus. Enter on a
// refused text keeps the focus in the box.

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

class QLineEdit;
class QWidget;

namespace qorvana {

class TypedNumberBoxes : public QObject {
  public:
    // How a box shows a value it read; an empty text always stays empty.
    using Format = std::function<QString(double)>;

    explicit TypedNumberBoxes(QWidget* form);

    // Watches `box`. Add it after the form's own event filter, so that a refused Enter never
    // reaches the form.
    void add(QLineEdit* box, Format format);
    // Reads the box's text if the operator typed in it since it took the focus; false when
    // the text was refused.
    bool commit(QLineEdit* box);
    // commit() for the watched box that has the focus, true when none has it.
    bool commitFocused();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Watched {
        Format format;
        QString held;         // the text when the box took the focus
        bool edited = false;  // typed in since
    };
    QWidget* form_;
    QHash<QLineEdit*, Watched> boxes_;
};

}  // namespace qorvana
