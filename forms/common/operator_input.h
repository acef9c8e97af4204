#pragma once
// How every window takes the operator's keyboard and mouse: one filter over the whole
// application, installed by the first form built.
// - A text box entered by Enter, Tab, a shortcut or the program's own focus move has its whole
//   text selected, so that typing replaces it; a click puts the cursor where it points.
// - Combo boxes, spin boxes and date pickers take the mouse wheel only while they have the
//   focus: over another one the wheel scrolls the area around it, never its value.
// - A typed (or pasted) character that the archives cannot hold, one Windows-1252 lacks and
//   the program would write as "?", is refused, and the operator is told which.

#include <QObject>

namespace qorvana {

class OperatorInput : public QObject {
  public:
    // Installs the filter on the application, once.
    static void Install();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    explicit OperatorInput(QObject* parent) : QObject(parent) {}
};

}  // namespace qorvana
