// qorxpdf: turns the print image of a document into a PDF and, when an address is given,
// sends the PDF by e-mail. Started by the invoicing module with one comma-joined argument:
//   qorxpdf [--drive DIR] LAYOUT,IMAGE,PDF,ADDRESS-or-***[,EXTRA]
// One log line per run goes to \qorwin\qorwin\qorxpdf.log; any failure is told on stderr and
// ends with a non-zero exit.

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <cstdlib>
#include <iostream>
#include <string>
#include <variant>
#include <vector>

#include "print/form_drawing.h"
#include "print/pdf_handoff.h"
#include "print/print_image.h"
#include "startup/paths.h"
#include "tools/qorxpdf/mail_sender.h"
#include "tools/qorxpdf/pdf_renderer.h"
#include "tools/qorxpdf/qorxpdf_job.h"

namespace {

using namespace qorvana;
using namespace qorvana::qorxpdf;

constexpr std::string_view kSettingsFile = "\\qorwin\\qorwin\\qorxpdf.ini";
constexpr std::string_view kLogFile = "\\qorwin\\qorwin\\qorxpdf.log";

// Renders the image into the PDF file. The name is the document's own, so an existing PDF of
// that name is the same document printed before: the new one replaces it, once complete.
// An empty text, or what went wrong.
std::string MakePdf(const JobArgument& job, const PathMapper& paths) {
    const auto image = ReadPrintImage(paths.map(job.printImage));
    if (const auto* error = std::get_if<PrintImageError>(&image)) return error->message;
    const std::filesystem::path pdf = paths.map(job.pdfFile);
    QDir().mkpath(QString::fromStdString(pdf.parent_path().string()));
    QSaveFile out(QString::fromStdString(pdf.string()));
    if (!out.open(QIODevice::WriteOnly)) {
        return "non è possibile scrivere " + pdf.string() + ": " + out.errorString().toStdString();
    }
    // The layout file lies in the company folder, where a picture's bare file name lies too.
    const std::string companyFolder = job.layoutFile.substr(0, job.layoutFile.rfind('\\'));
    const PictureFile pictureFile = [&](const std::string& file) {
        return paths.map(PictureWindowsPath(companyFolder, file));
    };
    const QString error = RenderPdf(std::get<PrintedDocument>(image),
                                    ReadPageSetup(paths.map(job.layoutFile)), pictureFile, &out);
    if (!error.isEmpty()) return error.toStdString();
    if (!out.commit()) {
        return "non è possibile scrivere " + pdf.string() + ": " + out.errorString().toStdString();
    }
    return {};
}

std::string SendMail(const JobArgument& job, const PathMapper& paths) {
    if (!IsUsableEmail(job.email) || job.email.find('@') == std::string::npos) {
        return "indirizzo di posta non valido";
    }
    const auto settings = ReadMailSettings(paths.map(kSettingsFile));
    if (const auto* error = std::get_if<std::string>(&settings)) return *error;
    return SendPdf(std::get<MailSettings>(settings), job.email, paths.map(job.pdfFile));
}

int Finish(const PathMapper& paths, const JobArgument& job, const std::string& error) {
    const std::string time =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")).toStdString();
    if (!AppendLog(paths.map(kLogFile),
                   LogLine(time, error.empty(), job.pdfFile, job.email, error))) {
        std::cerr << "qorxpdf: non è possibile scrivere il registro " << paths.map(kLogFile)
                  << "\n";
    }
    if (error.empty()) return 0;
    std::cerr << "qorxpdf: " << error << "\n";
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const auto parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        std::cerr << "qorxpdf: " << *error << "\n"
                  << "uso: qorxpdf [--drive CARTELLA] LAYOUT,STAMPA,PDF,INDIRIZZO|***[,EXTRA]\n";
        return 2;
    }
    const CommandLine& line = std::get<CommandLine>(parsed);
    // Without a display the PDF is still made: fonts need a GUI application, not a screen.
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
        std::getenv("QT_QPA_PLATFORM") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    const PathMapper paths(PathMapper::DriveRootFrom(line.drive));
    std::string error = MakePdf(line.job, paths);
    if (error.empty() && !line.job.email.empty()) error = SendMail(line.job, paths);
    return Finish(paths, line.job, error);
}
