// qorxpdf: turns the print image of a document into a PDF and, when an address is given,
// sends the PDF by e-mail. Started by the invoicing module with one comma-joined argument:
//   qorxpdf [--drive DIR] LAYOUT,IMAGE,PDF,ADDRESS-or-***[,EXTRA]
// One log line per run goes to \qorwin\qorwin\qorxpdf.log, whatever happens. A failure ends
// with a non-zero exit and its Italian message, for the operator, on standard output; the
// system's own texts go to the log and to standard error.

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QGuiApplication>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <variant>
#include <vector>

#include "core/paths.h"
#include "core/whole_file.h"
#include "print/form_drawing.h"
#include "print/pdf_handoff.h"
#include "print/print_image.h"
#include "tools/qorxpdf/mail_sender.h"
#include "tools/qorxpdf/pdf_renderer.h"
#include "tools/qorxpdf/qorxpdf_job.h"

namespace {

using namespace qorvana;
using namespace qorvana::qorxpdf;

constexpr std::string_view kSettingsFile = "\\qorwin\\qorwin\\qorxpdf.ini";
constexpr std::string_view kLogFile = "\\qorwin\\qorwin\\qorxpdf.log";

// A sentence joined after a colon: its first letter in lower case.
std::string Lowered(std::string sentence) {
    if (!sentence.empty() && sentence[0] >= 'A' && sentence[0] <= 'Z') sentence[0] += 'a' - 'A';
    return sentence;
}

// Renders the image into the PDF file, written whole or not at all. The name is the document's
// own, so an existing PDF of that name is the same document printed before: the new one
// replaces it, once complete.
RunError MakePdf(const JobArgument& job, const PathMapper& paths) {
    const std::string notMade = "Il PDF " + job.pdfFile + " non è stato creato. ";
    const auto image = ReadPrintImage(paths.map(job.printImage), job.printImage);
    if (!image) return {notMade + image.message(), {}};
    const auto layout = ReadKeyValues(paths.map(job.layoutFile), job.layoutFile);
    if (const auto* error = std::get_if<RunError>(&layout))
        return {notMade + error->message, error->detail};
    // The layout file lies in the company folder, where a picture's bare file name lies too.
    const std::string companyFolder = job.layoutFile.substr(0, job.layoutFile.rfind('\\'));
    const PictureFile pictureFile = [&](const std::string& file) {
        return paths.map(PictureWindowsPath(companyFolder, file));
    };
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    const Status rendered =
        RenderPdf(*image, PageSetupOf(std::get<KeyValues>(layout)), pictureFile, &out);
    if (!rendered) return {notMade + rendered.message(), {}};
    const std::filesystem::path pdf = paths.map(job.pdfFile);
    QDir().mkpath(QString::fromStdString(pdf.parent_path().string()));
    const QByteArray& bytes = out.data();
    if (const auto written =
            WriteFileDurably(pdf, job.pdfFile, std::string_view(bytes.constData(), bytes.size()));
        !written)
        return {written.message() + ".", pdf.string()};
    return {};
}

RunError SendMail(const JobArgument& job, const PathMapper& paths) {
    const std::string notSent =
        "Il PDF " + job.pdfFile + " è stato creato ma non inviato a " + job.email + ": ";
    if (!IsUsableEmail(job.email) || job.email.find('@') == std::string::npos)
        return {notSent + "l'indirizzo non è valido.", {}};
    const std::string iniName(kSettingsFile);
    const auto values = ReadKeyValues(paths.map(kSettingsFile), iniName);
    if (const auto* error = std::get_if<RunError>(&values))
        return {notSent + Lowered(error->message), error->detail};
    const Result<MailSettings> settings = MailSettingsOf(std::get<KeyValues>(values), iniName);
    if (!settings) return {notSent + Lowered(settings.message()) + ".", {}};
    RunError sent = SendPdf(*settings, job.email, paths.map(job.pdfFile));
    if (sent.failed()) sent.message = notSent + sent.message + ".";
    return sent;
}

int Finish(const PathMapper& paths, const JobArgument& job, const RunError& error) {
    const std::string time =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")).toStdString();
    if (!AppendLog(paths.map(kLogFile), LogLine(time, job.pdfFile, job.email, error)))
        std::cerr << "qorxpdf: non è possibile scrivere il registro " << paths.map(kLogFile)
                  << "\n";
    if (!error.failed()) return 0;
    std::cout << error.message << std::endl;
    if (!error.detail.empty()) std::cerr << "qorxpdf: " << error.detail << "\n";
    return 1;
}

int Run(int argc, char** argv) {
    const Result<CommandLine> parsed =
        ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed) {
        std::cerr << "qorxpdf: " << parsed.message() << "\n"
                  << "uso: qorxpdf [--drive CARTELLA] LAYOUT,STAMPA,PDF,INDIRIZZO|***[,EXTRA]\n";
        return 2;
    }
    const CommandLine& line = *parsed;
    // Without a display the PDF is still made: fonts need a GUI application, not a screen.
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
        std::getenv("QT_QPA_PLATFORM") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    const PathMapper paths(PathMapper::DriveRootFrom(line.drive));
    RunError error;
    try {
        error = MakePdf(line.job, paths);
        if (!error.failed() && !line.job.email.empty()) error = SendMail(line.job, paths);
    } catch (const std::exception& e) {
        error = {"Il PDF " + line.job.pdfFile +
                     " non è stato creato o inviato: errore imprevisto "
                     "(avvisare l'assistenza).",
                 e.what()};
    }
    return Finish(paths, line.job, error);
}

}  // namespace

int main(int argc, char** argv) {
    // The module that started the program may have ended: its message then goes nowhere,
    // and the log line, written first, stays.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "qorxpdf: " << e.what() << "\n";
        return 1;
    }
}
