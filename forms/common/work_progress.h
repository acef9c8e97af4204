#pragma once
// Long work on the window thread shown to the operator: a window with a bar that opens only
// once the work has taken more than half a second, so that quick work shows nothing. While it
// shows, windows are drawn again between steps; the operator's keys and clicks wait for the
// end of the work, as under the hourglass. The hourglass shows for as long as the work lasts.

#include <QElapsedTimer>
#include <QString>
#include <chrono>
#include <memory>

#include "core/progress.h"
#include "forms/common/wait_cursor.h"

class QProgressDialog;
class QWidget;

namespace qorvana {

class WorkProgress {
  public:
    static constexpr std::chrono::milliseconds kShownAfter{500};

    // `what`: the work, as the window says it ("Lettura dei clienti...").
    WorkProgress(QWidget* parent, QString what, std::chrono::milliseconds shownAfter = kShownAfter);
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    // The report the core's work calls.
    ProgressReport report();
    // Whether the window has opened.
    bool shown() const { return dialog_ != nullptr; }

  private:
    void step(std::int64_t done, std::int64_t total);

    WaitCursor wait_;
    QWidget* parent_;
    QString what_;
    std::chrono::milliseconds shownAfter_;
    QElapsedTimer started_;
    QElapsedTimer drawn_;
    std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace qorvana
