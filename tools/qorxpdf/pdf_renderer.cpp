#include "tools/qorxpdf/pdf_renderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace qorvana::qorxpdf {
namespace {

// The painter stays unscaled (device units) so that font point sizes keep their size:
// positions and lengths are converted from millimetres here.
class Millimetre {
  public:
    explicit Millimetre(int dpi) : unitsPerMm_(dpi / 25.4) {}
    double operator()(double mm) const { return mm * unitsPerMm_; }
    QPointF point(double x, double y) const { return {(*this)(x), (*this)(y)}; }

  private:
    double unitsPerMm_;
};

QColor Colour(int number) {
    const Rgb rgb = PrintColour(number);
    return QColor(rgb.r, rgb.g, rgb.b);
}

class PageDrawer {
  public:
    PageDrawer(QPainter& painter, QPdfWriter& writer, const PathMapper& paths)
        : painter_(painter), writer_(writer), mm_(writer.resolution()), paths_(paths) {}

    void operator()(const PrintText& t) {
        QFont font(QString::fromStdString(t.font));
        font.setPointSizeF(t.size > 0 ? t.size : 9);
        font.setBold(t.bold);
        font.setItalic(t.italic);
        painter_.setFont(font);
        painter_.setPen(Colour(t.colour));
        // The record's Y is the top of the text, as the printer's current position is.
        const double ascent = QFontMetricsF(font, &writer_).ascent();
        painter_.drawText(mm_.point(t.x, t.y) + QPointF(0, ascent), QString::fromStdString(t.text));
    }

    void operator()(const PrintShape& s) {
        QPen pen(Colour(s.colour));
        pen.setWidthF(mm_(s.thickness > 0 ? s.thickness : 0.2));
        painter_.setPen(pen);
        if (s.kind == ShapeKind::Line) {
            painter_.drawLine(mm_.point(s.x1, s.y1), mm_.point(s.x2, s.y2));
            return;
        }
        painter_.setBrush(s.fill >= 0 ? QBrush(Colour(s.fill)) : QBrush(Qt::NoBrush));
        painter_.drawRect(QRectF(mm_.point(s.x1, s.y1), mm_.point(s.x2, s.y2)).normalized());
        painter_.setBrush(Qt::NoBrush);
    }

    void operator()(const PrintPicture& p) {
        const QImage image(QString::fromStdString(paths_.map(p.file).string()));
        if (image.isNull()) return;
        // A picture without a size is drawn at its own resolution.
        const double width = p.width > 0 ? p.width : image.width() * 1000.0 / image.dotsPerMeterX();
        const double height =
            p.height > 0 ? p.height : image.height() * 1000.0 / image.dotsPerMeterY();
        painter_.drawImage(QRectF(mm_.point(p.x, p.y), QSizeF(mm_(width), mm_(height))), image);
    }

  private:
    QPainter& painter_;
    QPdfWriter& writer_;
    Millimetre mm_;
    const PathMapper& paths_;
};

}  // namespace

QString RenderPdf(const PrintedDocument& document, const PageSetup& page, const PathMapper& paths,
                  QIODevice* out) {
    if (document.empty()) return QStringLiteral("il file di stampa non contiene pagine");
    QPdfWriter writer(out);
    writer.setCreator(QStringLiteral("Qorvana"));
    // A page size is given upright; a wide page is that size turned.
    const bool wide = page.width > page.height;
    const QSizeF upright(std::min(page.width, page.height), std::max(page.width, page.height));
    const QPageLayout layout(QPageSize(upright, QPageSize::Millimeter),
                             wide ? QPageLayout::Landscape : QPageLayout::Portrait,
                             QMarginsF(page.left, page.top, page.right, page.bottom),
                             QPageLayout::Millimeter);
    if (!writer.setPageLayout(layout)) return QStringLiteral("formato di pagina non valido");
    QPainter painter;
    if (!painter.begin(&writer)) return QStringLiteral("non è possibile creare il PDF");
    PageDrawer draw(painter, writer, paths);
    for (std::size_t p = 0; p < document.size(); ++p) {
        if (p > 0) writer.newPage();
        for (const PrintOp& op : document[p].ops) std::visit(draw, op);
    }
    painter.end();
    return {};
}

}  // namespace qorvana::qorxpdf
