#include "forms/common/work_progress.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <algorithm>

namespace qorvana {
namespace {

// The bar counts up to this many steps, whatever the work counts in.
constexpr int kBarSteps = 1000;
// Windows are drawn again at most this often while the work goes on.
constexpr qint64 kDrawEveryMs = 50;

}  // namespace

WorkProgress::WorkProgress(QWidget* parent, QString what, std::chrono::milliseconds shownAfter)
    : parent_(parent), what_(std::move(what)), shownAfter_(shownAfter) {
    started_.start();
}

WorkProgress::~WorkProgress() = default;

ProgressReport WorkProgress::report() {
    return [this](std::int64_t done, std::int64_t total) { step(done, total); };
}

void WorkProgress::step(std::int64_t done, std::int64_t total) {
    if (!dialog_) {
        if (started_.elapsed() < shownAfter_.count()) return;
        // No cancel button: the work runs to its end, as it would without the window.
        dialog_ = std::make_unique<QProgressDialog>(what_, QString(), 0, kBarSteps, parent_);
        dialog_->setWindowTitle(QStringLiteral("Attendere"));
        dialog_->setObjectName(QStringLiteral("avanzamento"));
        dialog_->setMinimumDuration(0);
        dialog_->setAutoReset(false);
        dialog_->setAutoClose(false);
        dialog_->show();
        drawn_.invalidate();
    }
    // A total not known shows a moving bar.
    if (total <= 0) {
        dialog_->setMaximum(0);
    } else {
        const double part = static_cast<double>(std::min(done, total)) / static_cast<double>(total);
        dialog_->setValue(static_cast<int>(part * kBarSteps));
    }
    if (drawn_.isValid() && drawn_.elapsed() < kDrawEveryMs) return;
    drawn_.start();
    // Drawing only: no key or click of the operator, and no run of another program ending
    // (its message would open in the middle of the work).
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                    QEventLoop::ExcludeSocketNotifiers);
}

}  // namespace qorvana
