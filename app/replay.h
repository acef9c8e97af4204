#pragma once
// Operator-script replay: runs the steps of a script against the real forms, answering and
// printing message boxes, and reports the first failing step.

#include <QString>
#include <QStringList>
#include <deque>

#include "app/operator_script.h"
#include "app/script_text.h"
#include "forms/common/message_box.h"

class QWidget;

namespace qorvana {

class FormSet;
class QorForm;

class Replay : public OperatorScript {
  public:
    // Relative picture names of `shot` are taken inside `outputFolder` (the current folder
    // when empty).
    Replay(FormSet& forms, QString scriptPath, QString outputFolder = {});
    ~Replay() override;
    Replay(const Replay&) = delete;
    Replay& operator=(const Replay&) = delete;

    // Answers message boxes from now on (also those shown while the program starts): the
    // answers the script begins with are queued for the messages of the start.
    void takeMessages() override;
    // Runs every step (after takeMessages); the exit status: 0 when all passed, 1 otherwise.
    int run() override;
    // The start form ended the program; later steps fail.
    void programEnded() override { ended_ = true; }
    // A failure noticed before the first step (a message box no script could answer yet).
    bool failedEarly() const { return !failure_.isEmpty(); }

  private:
    MsgAnswer answerMessage(const QString& title, const QString& text, MsgButtons buttons);
    void runStep(const ScriptStep& step);
    void settle();

    QorForm* formNamed(const ControlName& control) const;
    QWidget* controlNamed(const ScriptWord& word) const;
    QWidget* targetNamed(const ScriptWord& word) const;

    void doType(QWidget* control, const QString& text);
    void doKeys(QWidget* control, const std::vector<ScriptWord>& keys);
    void doClick(QWidget* control);
    void doSelect(QWidget* control, int entry);
    void doPick(QWidget* control, int row);
    void doScroll(QWidget* control, int value);
    void doShot(const QString& file);
    void focusOn(QWidget* control);

    FormSet& forms_;
    QString scriptPath_;
    QString outputFolder_;
    std::deque<MsgAnswer> answers_;
    QString lastMessage_;
    Result<std::vector<ScriptStep>> parsed_ = std::vector<ScriptStep>();
    bool unreadable_ = false;
    std::size_t firstStep_ = 0;  // the steps before it are the leading answers, already queued
    QString failure_;            // set by a message box no queued answer fits
    bool ended_ = false;
};

}  // namespace qorvana
