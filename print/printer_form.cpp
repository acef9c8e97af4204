#include "print/printer_form.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "print/form_drawing.h"
#include "print/page_painter.h"
#include "startup/session.h"

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

}  // namespace

DocumentPrinter::DocumentPrinter(const Session& session, QPrinter* chosen)
    : session_(session), printer_(session.printTo ? nullptr : chosen) {}

DocumentPrinter::~DocumentPrinter() = default;

bool DocumentPrinter::ready(QString* problem) {
    if (printer_) return true;
    if (session_.printTo) {
        own_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        own_->setOutputFormat(QPrinter::PdfFormat);
    } else {
        // Without a configured printer a default QPrinter silently writes a nameless PDF.
        if (QPrinterInfo::defaultPrinter().isNull() &&
            QPrinterInfo::availablePrinterNames().isEmpty()) {
            *problem = QStringLiteral(
                "Nessuna stampante è installata: il documento non è stato stampato.");
            return false;
        }
        own_ = std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    }
    printer_ = own_.get();
    return true;
}

std::optional<QString> DocumentPrinter::print(const PrintedDocument& document,
                                              const QString& jobName) {
    QPrinter& printer = *printer_;
    if (session_.printTo) printer.setOutputFileName(NextPrintFile(*session_.printTo));
    printer.setDocName(jobName);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);

    const QString failed =
        QStringLiteral("La stampa non è riuscita: controllare la stampante e ristampare.");
    QPainter painter;
    if (!painter.begin(&printer)) return failed;
    painter.setRenderHint(QPainter::Antialiasing);
    const std::string companyFolder = CompanyFolder(static_cast<int>(session_.companyNumber));
    const PictureFile pictureFile = [this, &companyFolder](const std::string& file) {
        return session_.paths.map(PictureWindowsPath(companyFolder, file));
    };
    for (std::size_t i = 0; i < document.size(); ++i) {
        if (i > 0 && !printer.newPage()) {
            painter.end();
            return failed;
        }
        PaintPage(painter, document[i], pictureFile);
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error) return failed;
    return std::nullopt;
}

}  // namespace qorvana
