#include "forms/print/pdf_jobs_form.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <csignal>

#include <QWidget>

#include "forms/common/message_box.h"

extern char** environ;

namespace qorvana {
namespace {

// The program's environment with the drive root set.
std::vector<std::string> EnvironmentWith(const std::string& driveRoot) {
    const std::string prefix = std::string(kDriveVariable) + "=";
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry)
        if (!std::string_view(*entry).starts_with(prefix)) environment.emplace_back(*entry);
    environment.push_back(prefix + driveRoot);
    return environment;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Starts `program` with standard input from /dev/null, standard output into `output` and
// standard error shared with this program (its log); the process id, or -1 with errno set.
pid_t Spawn(const ProgramStart& program, int output) {
    std::vector<std::string> argv{program.program.string()};
    argv.insert(argv.end(), program.arguments.begin(), program.arguments.end());
    std::vector<std::string> environment = EnvironmentWith(program.driveRoot);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, output, 1);
    // The program starts with every signal at its default and none blocked.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t mask;
    sigemptyset(&mask);
    posix_spawnattr_setsigmask(&attributes, &mask);
    sigfillset(&mask);
    posix_spawnattr_setsigdefault(&attributes, &mask);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = -1;
    const int failed = ::posix_spawn(&pid, argv.front().c_str(), &actions, &attributes,
                                     Pointers(argv).data(), Pointers(environment).data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (failed == 0) return pid;
    errno = failed;
    return -1;
}

}  // namespace

struct PdfJobs::Job {
    pid_t pid = -1;
    int output = -1;  // the read end of the program's standard output
    std::unique_ptr<QSocketNotifier> notifier;
    std::string pdfFile;
    std::string recipient;
    std::filesystem::path image;
    std::string said;  // what the program wrote on its standard output
};

PdfJobs::PdfJobs(QWidget* window) : QObject(window), window_(window) {}

PdfJobs::~PdfJobs() {
    // Runs still going finish on their own; their messages go nowhere.
    for (const auto& job : jobs_) {
        job->notifier.reset();
        ::close(job->output);
    }
}

bool PdfJobs::start(const ProgramStart& program, const std::string& pdfFile,
                    const std::string& recipient, const std::filesystem::path& image) {
    ended_.clear();
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0) return false;
    const pid_t pid = Spawn(program, pipe[1]);
    ::close(pipe[1]);
    if (pid < 0) {
        ::close(pipe[0]);
        return false;
    }
    ::fcntl(pipe[0], F_SETFL, O_NONBLOCK);
    auto job = std::make_unique<Job>();
    job->pid = pid;
    job->output = pipe[0];
    job->pdfFile = pdfFile;
    job->recipient = recipient;
    job->image = image;
    job->notifier = std::make_unique<QSocketNotifier>(pipe[0], QSocketNotifier::Read);
    Job* watched = job.get();
    connect(job->notifier.get(), &QSocketNotifier::activated, this,
            [this, watched] { read(watched); });
    jobs_.push_back(std::move(job));
    return true;
}

void PdfJobs::read(Job* job) {
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(job->output, buffer, sizeof buffer);
        if (n > 0) {
            job->said.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) return;
        break;  // the end: the program has closed its output, it is ending
    }
    ended(job);
}

void PdfJobs::ended(Job* job) {
    job->notifier->setEnabled(false);
    ::close(job->output);
    int status = 0;
    while (::waitpid(job->pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!job->image.empty()) ::unlink(job->image.c_str());
    const bool failed = !WIFEXITED(status) || WEXITSTATUS(status) != 0;
    std::string said = job->said;
    while (!said.empty() && (said.back() == '\n' || said.back() == '\r')) said.pop_back();
    const std::string pdfFile = job->pdfFile;
    const std::string recipient = job->recipient;
    // Forgotten before the message, which runs an event loop of its own.
    const auto found =
        std::find_if(jobs_.begin(), jobs_.end(), [job](const auto& j) { return j.get() == job; });
    // Its notifier is the sender of this call: kept until the next start.
    ended_.push_back(std::move(*found));
    jobs_.erase(found);
    if (!failed) {
        if (!recipient.empty())
            ShowMessage(window_, QStringLiteral("Attenzione"),
                        QString::fromStdString("Copia PDF del documento inviata a " + recipient +
                                               " (" + pdfFile + ")."),
                        MsgIcon::Information);
        return;
    }
    if (said.empty())
        said =
            "Il programma di invio del documento (qorxpdf) si è interrotto senza completare "
            "il PDF " +
            pdfFile + ": controllare \\qorwin\\qorwin\\qorxpdf.log e ristampare.";
    Warn(window_, QString::fromStdString(said));
}

void PdfJobs::waitForAll(int msecs) {
    const QDeadlineTimer deadline(msecs);
    while (!jobs_.empty() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        if (!jobs_.empty()) QThread::msleep(10);
    }
}

}  // namespace qorvana
