#include "forms/common/typed_number_boxes.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "core/money.h"
#include "forms/common/message_box.h"
#include "forms/common/qt_text.h"

namespace qorvana {
namespace {

// Focus moves that are not the operator leaving the box: a message box or a popup.
bool PassingFocus(const QEvent* event) {
    const auto reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

}  // namespace

TypedNumberBoxes::TypedNumberBoxes(QWidget* form) : QObject(form), form_(form) {}

void TypedNumberBoxes::add(QLineEdit* box, Format format) {
    boxes_.insert(box, Watched{std::move(format), box->text()});
    box->installEventFilter(this);
    connect(box, &QLineEdit::textEdited, this, [this, box] { boxes_[box].edited = true; });
}

bool TypedNumberBoxes::commit(QLineEdit* box) {
    const auto found = boxes_.find(box);
    if (found == boxes_.end()) return true;
    const QString typed = box->text();
    if (!found->edited) return true;
    found->edited = false;
    if (typed.trimmed().isEmpty()) {
        found->held = typed;
        return true;
    }
    const TypedNumber number = ReadTypedNumber(S(typed));
    if (number.ok()) {
        found->held = found->format(number.value);
        if (typed != found->held) box->setText(found->held);
        return true;
    }
    const QString held = found->held;
    box->setText(held);
    Warn(form_, Q(TypedNumberRefusal(S(typed.trimmed()), number.fault)));
    return false;
}

bool TypedNumberBoxes::commitFocused() {
    return commit(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
}

bool TypedNumberBoxes::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    const auto found = box ? boxes_.find(box) : boxes_.end();
    if (found == boxes_.end()) return false;
    switch (event->type()) {
        case QEvent::FocusIn:
            if (!PassingFocus(event)) *found = Watched{found->format, box->text()};
            break;
        case QEvent::FocusOut:
            if (!PassingFocus(event)) commit(box);
            break;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !commit(box)) return true;
            break;
        }
        default:
            break;
    }
    return false;
}

}  // namespace qorvana
