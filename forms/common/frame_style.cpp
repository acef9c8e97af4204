#include "forms/common/frame_style.h"

#include <QApplication>
#include <QGroupBox>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>

namespace qorvana {
namespace {

// Fusion's space between the top of a group box and its frame, below the title.
constexpr int kGroupBoxTopMargin = 3;

class FrameStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_FrameGroupBox) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        DrawGroupBoxFrame(frameRect(option, widget), painter);
    }

  private:
    // Where Fusion puts the frame: below the title, when there is one.
    QRect frameRect(const QStyleOption* option, const QWidget* widget) const {
        int top = kGroupBoxTopMargin;
        const auto* box = qobject_cast<const QGroupBox*>(widget);
        if (!box || box->isCheckable() || !box->title().isEmpty()) {
            top += qMax(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget),
                        option->fontMetrics.height());
        }
        return option->rect.adjusted(0, top, 0, 0);
    }

    // Fusion's picture, drawn: a translucent grey rounded line one pixel in, a fainter line
    // inside it, and a barely darker ground.
    static void DrawGroupBoxFrame(const QRect& frame, QPainter* painter) {
        if (frame.width() < 6 || frame.height() < 6) return;
        painter->save();
        painter->fillRect(frame.adjusted(3, 3, -2, -2), QColor(0, 0, 0, 3));
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QColor(0, 0, 0, 7));
        painter->drawRect(frame.adjusted(2, 2, -2, -2));
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QColor(117, 117, 117, 50));
        painter->drawRoundedRect(QRectF(frame).adjusted(1.5, 1.5, -0.5, -0.5), 2, 2);
        painter->restore();
    }
};

}  // namespace

void InstallFrameStyle() {
    QStyle* style = QApplication::style();
    if (dynamic_cast<FrameStyle*>(style) || style->name() != QLatin1String("fusion")) return;
    QApplication::setStyle(new FrameStyle(QStringLiteral("Fusion")));
}

}  // namespace qorvana
