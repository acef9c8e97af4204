#pragma once
// Every message box of the program goes through ShowMessage, so that an operator script
// can answer it and see its text.

#include <QString>
#include <functional>
#include <set>
#include <string>
#include <vector>

class QWidget;

namespace qorvana {

enum class MsgIcon { Critical, Exclamation, Question, Information };
enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

// Shows a modal message box and returns the operator's answer; Enter answers `enterAnswer`
// to a question.
MsgAnswer ShowMessage(QWidget* parent, const QString& title, const QString& text, MsgIcon icon,
                      MsgButtons buttons = MsgButtons::Ok, MsgAnswer enterAnswer = MsgAnswer::Yes);
// The usual "Attenzione" box.
inline MsgAnswer Warn(QWidget* parent, const QString& text, MsgIcon icon = MsgIcon::Critical) {
    return ShowMessage(parent, QStringLiteral("Attenzione"), text, icon);
}
inline bool AskYesNo(QWidget* parent, const QString& title, const QString& text) {
    return ShowMessage(parent, title, text, MsgIcon::Question, MsgButtons::YesNo) == MsgAnswer::Yes;
}
// A question whose Yes throws work away ("Attenzione"): Enter answers No, so that a hurried
// Enter keeps the work.
inline bool AskBeforeLosingWork(QWidget* parent, const QString& text) {
    return ShowMessage(parent, QStringLiteral("Attenzione"), text, MsgIcon::Question,
                       MsgButtons::YesNo, MsgAnswer::No) == MsgAnswer::Yes;
}

// Tells, in one box, those of `messages` not told before in this run (`told` keeps them).
void WarnOnce(QWidget* parent, const std::vector<std::string>& messages,
              std::set<std::string>& told);

// Answers message boxes instead of showing them (operator-script replay); empty to restore.
using MessageResponder =
    std::function<MsgAnswer(const QString& title, const QString& text, MsgButtons buttons)>;
void SetMessageResponder(MessageResponder responder);

}  // namespace qorvana
