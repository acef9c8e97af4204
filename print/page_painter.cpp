#include "print/page_painter.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <algorithm>

namespace qorvana {
namespace {

QColor ColourOf(int number) {
    const Rgb c = PrintColour(number);
    return QColor(c.r, c.g, c.b);
}

class PageDrawer {
  public:
    PageDrawer(QPainter& painter, const PictureFile& pictureFile)
        : p_(painter),
          dotsPerMm_(painter.device()->logicalDpiX() / 25.4),
          pictureFile_(pictureFile) {}

    void operator()(const PrintText& t) {
        const QFont font = PrintFont(t);
        p_.setFont(font);
        p_.setPen(ColourOf(t.colour));
        // The position is the top left corner of the text, as the suite's printers place it.
        const QFontMetricsF metrics(font, p_.device());
        p_.drawText(at(t.x, t.y) + QPointF(0, metrics.ascent()), QString::fromStdString(t.text));
    }

    void operator()(const PrintShape& s) {
        QPen pen(ColourOf(s.colour));
        // A thickness of 0 or less comes from a damaged image: the default 0.2 mm.
        pen.setWidthF(std::max(mm(s.thickness > 0 ? s.thickness : 0.2), 1.0));
        p_.setPen(pen);
        if (s.kind == ShapeKind::Line) {
            p_.drawLine(at(s.x1, s.y1), at(s.x2, s.y2));
            return;
        }
        p_.setBrush(s.fill >= 0 ? QBrush(ColourOf(s.fill)) : QBrush(Qt::NoBrush));
        p_.drawRect(QRectF(at(s.x1, s.y1), at(s.x2, s.y2)).normalized());
        p_.setBrush(Qt::NoBrush);
    }

    void operator()(const PrintPicture& picture) {
        const QImage image(QString::fromStdString(pictureFile_(picture.file).string()));
        if (image.isNull()) return;
        // A picture without a size is drawn at its own resolution.
        const double width =
            picture.width > 0 ? picture.width : image.width() * 1000.0 / image.dotsPerMeterX();
        const double height =
            picture.height > 0 ? picture.height : image.height() * 1000.0 / image.dotsPerMeterY();
        p_.drawImage(QRectF(at(picture.x, picture.y), QSizeF(mm(width), mm(height))), image);
    }

  private:
    double mm(double millimetres) const { return millimetres * dotsPerMm_; }
    QPointF at(double x, double y) const { return {mm(x), mm(y)}; }

    QPainter& p_;
    double dotsPerMm_;
    const PictureFile& pictureFile_;
};

// The resolution texts are measured at: a high-resolution printer's.
constexpr double kMeasuringDotsPerInch = 1200;

}  // namespace

TextWidth PageTextWidth() {
    return [](const PrintText& t) {
        static const QImage page = [] {
            QImage image(1, 1, QImage::Format_Mono);
            const int dotsPerMeter = static_cast<int>(kMeasuringDotsPerInch / 0.0254 + 0.5);
            image.setDotsPerMeterX(dotsPerMeter);
            image.setDotsPerMeterY(dotsPerMeter);
            return image;
        }();
        QFont font = PrintFont(t);
        font.setHintingPreference(QFont::PreferNoHinting);
        const QFontMetricsF metrics(font, &page);
        return metrics.horizontalAdvance(QString::fromStdString(t.text)) * 25.4 /
               page.logicalDpiX();
    };
}

QFont PrintFont(const PrintText& text) {
    QFont font(QString::fromStdString(text.font));
    font.setPointSizeF(text.size > 0 ? text.size : 9);
    font.setBold(text.bold);
    font.setItalic(text.italic);
    return font;
}

void PaintPage(QPainter& painter, const PrintPage& page, const PictureFile& pictureFile) {
    PageDrawer draw(painter, pictureFile);
    for (const PrintOp& op : page.ops) std::visit(draw, op);
}

}  // namespace qorvana
