#include "forms/common/message_box.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QStringList>

namespace qorvana {
namespace {

MessageResponder& Responder() {
    static MessageResponder responder;
    return responder;
}

QMessageBox::Icon ToQt(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::Information:
            return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void SetMessageResponder(MessageResponder responder) {
    Responder() = std::move(responder);
}

MsgAnswer ShowMessage(QWidget* parent, const QString& title, const QString& text, MsgIcon icon,
                      MsgButtons buttons, MsgAnswer enterAnswer) {
    if (Responder()) return Responder()(title, text, buttons);
    QMessageBox box(
        ToQt(icon), title, text,
        buttons == MsgButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
        parent);
    if (QAbstractButton* yes = box.button(QMessageBox::Yes)) yes->setText(QStringLiteral("Sì"));
    if (buttons == MsgButtons::YesNo)
        box.setDefaultButton(enterAnswer == MsgAnswer::No ? QMessageBox::No : QMessageBox::Yes);
    const int result = box.exec();
    if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
    return result == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
}

void WarnOnce(QWidget* parent, const std::vector<std::string>& messages,
              std::set<std::string>& told) {
    QStringList fresh;
    for (const std::string& message : messages)
        if (told.insert(message).second) fresh << QString::fromStdString(message);
    if (!fresh.isEmpty()) Warn(parent, fresh.join(QLatin1Char('\n')), MsgIcon::Exclamation);
}

}  // namespace qorvana
