#pragma once
// The runs of the PDF and e-mail program qorxpdf, watched without waiting for them: the
// operator goes on working, and is told when a run ends: a failure with qorxpdf's own Italian
// message, a PDF sent by e-mail with its recipient. The document's own print image is removed once
// its run has ended. Runs still going when the program ends are left to finish on their own.

#include <QObject>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "print/pdf_handoff.h"

class QWidget;

namespace qorvana {

class PdfJobs : public QObject {
    Q_OBJECT
  public:
    // Messages appear over `window`, which owns the watcher.
    explicit PdfJobs(QWidget* window);
    ~PdfJobs() override;

    // Starts `program` for the PDF `pdfFile` (its suite path), sent to `recipient` (empty: not
    // sent); `image` is the host file of the document's own print image, removed when the run
    // ends. False when it could not start.
    bool start(const ProgramStart& program, const std::string& pdfFile,
               const std::string& recipient, const std::filesystem::path& image);
    // Runs not ended yet.
    int running() const { return static_cast<int>(jobs_.size()); }
    // Handles events until every run has ended, or `msecs` passed: the operator-script replay
    // waits so that what a run tells comes at a fixed point of the script.
    void waitForAll(int msecs);

  private:
    struct Job;
    void read(Job* job);
    void ended(Job* job);

    QWidget* window_;
    std::vector<std::unique_ptr<Job>> jobs_;
    std::vector<std::unique_ptr<Job>> ended_;
};

}  // namespace qorvana
