#pragma once
// An operator script run against the real forms (--replay): a plugin, loaded only then, so that
// the program does not load Qt Test, with which the replay sends its key and mouse events.

#include <QString>
#include <QtPlugin>
#include <memory>

namespace qorvana {

class FormSet;

class OperatorScript {
  public:
    virtual ~OperatorScript() = default;
    // Answers message boxes from now on (also those shown while the program starts).
    virtual void takeMessages() = 0;
    // Runs every step; the exit status: 0 when all passed, 1 otherwise.
    virtual int run() = 0;
    // The start form ended the program; later steps fail.
    virtual void programEnded() = 0;
};

class OperatorScriptReplay {
  public:
    virtual ~OperatorScriptReplay() = default;
    // The script at `scriptPath`; relative picture names of `shot` are taken inside
    // `outputFolder` (the current folder when empty).
    virtual std::unique_ptr<OperatorScript> load(FormSet& forms, const QString& scriptPath,
                                                 const QString& outputFolder) = 0;
};

}  // namespace qorvana

#define QORVANA_OPERATOR_SCRIPT_REPLAY_IID "org.qorvana.OperatorScriptReplay/1"
Q_DECLARE_INTERFACE(qorvana::OperatorScriptReplay, QORVANA_OPERATOR_SCRIPT_REPLAY_IID)
