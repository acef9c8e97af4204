#pragma once
// The program's application object: an exception that an operator action lets through is
// stopped where Qt hands the event over, said to the operator in Italian and logged, and the
// program goes on.

#include <QApplication>

namespace qorvana {

class SafeApplication : public QApplication {
  public:
    SafeApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Tells the operator that an action stopped on an unexpected error; `what` goes to the log.
void TellUnexpectedError(const char* what);

}  // namespace qorvana
