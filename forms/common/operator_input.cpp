#include "forms/common/operator_input.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWheelEvent>

#include "core/cp1252.h"
#include "forms/common/date_picker.h"
#include "forms/common/message_box.h"
#include "forms/common/qt_text.h"

namespace qorvana {
namespace {

constexpr const char* kInstalledName = "qorvana-operator-input";

// The text box a widget edits the text of: itself, or an editable combo box's own box.
QLineEdit* EditedBox(QObject* watched) {
    if (auto* box = qobject_cast<QLineEdit*>(watched)) return box;
    if (auto* combo = qobject_cast<QComboBox*>(watched)) return combo->lineEdit();
    return nullptr;
}

bool TakesTypedText(QObject* watched) {
    if (QLineEdit* box = EditedBox(watched)) return !box->isReadOnly();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(watched)) return !plain->isReadOnly();
    if (auto* rich = qobject_cast<QTextEdit*>(watched)) return !rich->isReadOnly();
    return false;
}

bool EnteredByKeyboardOrProgram(const QEvent* event) {
    switch (static_cast<const QFocusEvent*>(event)->reason()) {
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason:
        case Qt::OtherFocusReason:
            return true;
        default:  // a click, a window or popup coming back: the cursor stays as it was
            return false;
    }
}

// A control whose value the wheel would change.
bool TakesWheel(const QWidget* w) {
    return qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const DatePicker*>(w);
}

// The control of `w` (itself or the control it is part of) that the wheel would change.
QWidget* WheelControl(QWidget* w) {
    for (; w && !w->isWindow(); w = w->parentWidget())
        if (TakesWheel(w)) return w;
    return nullptr;
}

bool HoldsFocus(const QWidget* control) {
    const QWidget* focused = QApplication::focusWidget();
    return focused && (focused == control || control->isAncestorOf(focused));
}

// The wheel over a control without the focus goes to the area that scrolls around it.
void ScrollAround(QWidget* control, QEvent* event) {
    for (QWidget* w = control->parentWidget(); w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) {
            QCoreApplication::sendEvent(area->viewport(), event);
            return;
        }
    }
}

QString Refusal(const std::vector<std::string>& characters) {
    QStringList quoted;
    for (const std::string& c : characters) quoted << QLatin1Char('"') + Q(c) + QLatin1Char('"');
    if (quoted.size() == 1)
        return QStringLiteral(
                   "Il carattere %1 non può essere memorizzato: negli archivi e nei "
                   "documenti diventerebbe \"?\". Scrivere un altro carattere.")
            .arg(quoted.front());
    const QString last = quoted.takeLast();
    return QStringLiteral(
               "I caratteri %1 e %2 non possono essere memorizzati: negli archivi e "
               "nei documenti diventerebbero \"?\". Scrivere altri caratteri.")
        .arg(quoted.join(QStringLiteral(", ")), last);
}

// True, once the operator is told, when `text` holds characters the archives cannot hold.
bool RefusedText(QObject* watched, const QString& text) {
    if (text.isEmpty()) return false;
    const std::vector<std::string> lacking = CharactersNotInCp1252(S(text));
    if (lacking.empty()) return false;
    Warn(static_cast<QWidget*>(watched)->window(), Refusal(lacking), MsgIcon::Exclamation);
    return true;
}

bool RefusedKey(QObject* watched, QKeyEvent* key) {
    if (key->matches(QKeySequence::Paste))
        return RefusedText(watched, QGuiApplication::clipboard()->text());
    return RefusedText(watched, key->text());
}

}  // namespace

void OperatorInput::Install() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app ||
        app->findChild<OperatorInput*>(QLatin1String(kInstalledName), Qt::FindDirectChildrenOnly))
        return;
    auto* filter = new OperatorInput(app);
    filter->setObjectName(QLatin1String(kInstalledName));
    app->installEventFilter(filter);
}

bool OperatorInput::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusIn:
            if (QLineEdit* box = EditedBox(watched); box && EnteredByKeyboardOrProgram(event))
                box->selectAll();
            break;
        case QEvent::Polish:
            // A combo box given the focus by the wheel would then take the wheel as well.
            if (auto* w = qobject_cast<QWidget*>(watched);
                w && TakesWheel(w) && w->focusPolicy() == Qt::WheelFocus)
                w->setFocusPolicy(Qt::StrongFocus);
            break;
        case QEvent::Wheel:
            if (QWidget* control = WheelControl(qobject_cast<QWidget*>(watched));
                control && !HoldsFocus(control)) {
                ScrollAround(control, event);
                return true;
            }
            break;
        case QEvent::KeyPress:
            if (TakesTypedText(watched) && RefusedKey(watched, static_cast<QKeyEvent*>(event)))
                return true;
            break;
        case QEvent::InputMethod:
            if (TakesTypedText(watched) &&
                RefusedText(watched, static_cast<QInputMethodEvent*>(event)->commitString()))
                return true;
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace qorvana
