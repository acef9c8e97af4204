#include "print/printer_form.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

#include "startup/session.h"

namespace qorvana {
namespace {

QFont FontOf(const PrintText& t) {
    QFont font(QString::fromStdString(t.font));
    // Sizes of 0 or less come from a damaged layout: the suite's printers ignore them.
    font.setPointSizeF(t.size > 0 ? t.size : 9);
    font.setBold(t.bold);
    font.setItalic(t.italic);
    return font;
}

QColor ColourOf(int number) {
    const Rgb c = PrintColour(number);
    return QColor(c.r, c.g, c.b);
}

// Positions are millimetres; the painter stays in device pixels so that font point sizes
// keep the device's own conversion.
class PagePainter {
  public:
    PagePainter(QPainter& painter, QPrinter& printer, const Session& session)
        : p_(painter), dots_(printer.resolution() / 25.4), device_(&printer), session_(session) {}

    void draw(const PrintPage& page) {
        for (const PrintOp& op : page.ops) std::visit([this](const auto& o) { draw(o); }, op);
    }

  private:
    double at(double mm) const { return mm * dots_; }

    void draw(const PrintText& t) {
        const QFont font = FontOf(t);
        p_.setFont(font);
        p_.setPen(ColourOf(t.colour));
        // The position is the top left corner of the text, as the suite's printers place it.
        const QFontMetricsF metrics(font, device_);
        p_.drawText(QPointF(at(t.x), at(t.y) + metrics.ascent()), QString::fromStdString(t.text));
    }

    void draw(const PrintShape& s) {
        QPen pen(ColourOf(s.colour));
        pen.setWidthF(std::max(at(s.thickness), 1.0));
        p_.setPen(pen);
        const QPointF a(at(s.x1), at(s.y1));
        const QPointF b(at(s.x2), at(s.y2));
        if (s.kind == ShapeKind::Line) {
            p_.drawLine(a, b);
            return;
        }
        p_.setBrush(s.fill >= 0 ? QBrush(ColourOf(s.fill)) : QBrush(Qt::NoBrush));
        p_.drawRect(QRectF(a, b).normalized());
        p_.setBrush(Qt::NoBrush);
    }

    void draw(const PrintPicture& picture) {
        // A bare file name lies in the company folder; a Windows path is mapped.
        const bool bare = picture.file.find_first_of("\\:") == std::string::npos;
        const auto file =
            bare ? session_.companyFile(picture.file) : session_.paths.map(picture.file);
        const QImage image(QString::fromStdString(file.string()));
        if (image.isNull()) return;  // a missing picture leaves its place empty
        p_.drawImage(QRectF(at(picture.x), at(picture.y), at(picture.width), at(picture.height)),
                     image);
    }

    QPainter& p_;
    double dots_;
    QPaintDevice* device_;
    const Session& session_;
};

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

TextWidth DocumentPrinter::textWidth() const {
    QPaintDevice* device = printer_;
    return [device](const PrintText& t) {
        const QFontMetricsF metrics(FontOf(t), device);
        return metrics.horizontalAdvance(QString::fromStdString(t.text)) * 25.4 /
               device->logicalDpiX();
    };
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
    PagePainter pages(painter, printer, session_);
    for (std::size_t i = 0; i < document.size(); ++i) {
        if (i > 0 && !printer.newPage()) {
            painter.end();
            return failed;
        }
        pages.draw(document[i]);
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error) return failed;
    return std::nullopt;
}

}  // namespace qorvana
