#include "forms/print/printer_form.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include "core/session.h"
#include "core/whole_file.h"
#include "print/form_drawing.h"
#include "print/page_painter.h"

namespace qorvana {
namespace {

// The first DIR/print-N.pdf that does not exist yet.
QString NextPrintFile(const std::filesystem::path& folder) {
    for (int n = 1;; ++n) {
        const QString file =
            QString::fromStdString((folder / ("print-" + std::to_string(n) + ".pdf")).string());
        if (!QFileInfo::exists(file)) return file;
    }
}

const QString kPrintFailed =
    QStringLiteral("La stampa non è riuscita: controllare la stampante e ristampare.");

}  // namespace

void SetDocumentPage(QPrinter& printer) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

bool PaintDocument(QPainter& painter, QPagedPaintDevice& device, const PrintedDocument& document,
                   const PictureFile& pictureFile) {
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::size_t i = 0; i < document.size(); ++i) {
        if (i > 0 && !device.newPage()) return false;
        PaintPage(painter, document[i], pictureFile);
    }
    return true;
}

PictureFile DocumentPictures(const Session& session) {
    const std::string companyFolder = CompanyFolder(static_cast<int>(session.companyNumber));
    return [&session, companyFolder](const std::string& file) {
        return session.paths.map(PictureWindowsPath(companyFolder, file));
    };
}

DocumentPrinter::DocumentPrinter(const Session& session, QPrinter* chosen)
    : session_(session), printer_(session.printTo ? nullptr : chosen) {}

DocumentPrinter::~DocumentPrinter() = default;

bool DocumentPrinter::ready(QString* problem) {
    if (printer_ || session_.printTo) return true;
    // Without a configured printer a default QPrinter silently writes a nameless PDF.
    if (QPrinterInfo::defaultPrinter().isNull() &&
        QPrinterInfo::availablePrinterNames().isEmpty()) {
        *problem =
            QStringLiteral("Nessuna stampante è installata: il documento non è stato stampato.");
        return false;
    }
    own_ = std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    printer_ = own_.get();
    return true;
}

std::optional<QString> DocumentPrinter::print(const PrintedDocument& document,
                                              const QString& jobName) {
    if (session_.printTo) return printToFile(document, jobName);
    QPrinter& printer = *printer_;
    printer.setDocName(jobName);
    SetDocumentPage(printer);
    QPainter painter;
    if (!painter.begin(&printer)) return kPrintFailed;
    const bool painted = PaintDocument(painter, printer, document, DocumentPictures(session_));
    if (!painter.end() || !painted || printer.printerState() == QPrinter::Error)
        return kPrintFailed;
    return std::nullopt;
}

std::optional<QString> DocumentPrinter::printToFile(const PrintedDocument& document,
                                                    const QString& jobName) {
    // Drawn in memory, then written whole: a disk that takes only part of it leaves no
    // partial file, and the failure is told.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(1200);  // QPrinter::HighResolution's, as on a printer
        writer.setTitle(jobName);
        writer.setCreator(QStringLiteral("Qorvana"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&writer)) return kPrintFailed;
        const bool painted = PaintDocument(painter, writer, document, DocumentPictures(session_));
        if (!painter.end() || !painted) return kPrintFailed;
    }
    const QString file = NextPrintFile(*session_.printTo);
    const QByteArray& bytes = pdf.data();
    if (const auto written = WriteFileDurably(file.toStdString(), file.toStdString(),
                                              std::string_view(bytes.constData(), bytes.size()));
        !written)
        return QString::fromStdString(written.message() + ". Il documento non è stato stampato.");
    return std::nullopt;
}

}  // namespace qorvana
