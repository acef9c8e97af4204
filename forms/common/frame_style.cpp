#include "forms/common/frame_style.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>
#include <array>
#include <utility>
#include <vector>

namespace qorvana {
namespace {

// Fusion's space between the top of a group box and its frame, below the title.
constexpr int kGroupBoxTopMargin = 3;

// Fusion's picture, drawn: a translucent grey rounded line one pixel in, a fainter line
// inside it, and a barely darker ground.
void DrawGroupBoxFrame(const QRect& frame, QPainter* painter) {
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

}  // namespace

QImage FramePictures::render(const std::function<void(QPainter*, const QRect&)>& draw) {
    QImage picture(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    draw(&painter, picture.rect());
    return picture;
}

bool FramePictures::draw(QPainter* painter, const QRect& rect, const Key& key,
                         const std::function<void(QPainter*, const QRect&)>& draw) {
    if (rect.width() <= 2 * kCorner || rect.height() <= 2 * kCorner ||
        painter->transform().type() > QTransform::TxTranslate ||
        painter->device()->devicePixelRatio() != 1.0) {
        return false;
    }
    const QImage& image = pictureFor(key, draw);
    const int c = kCorner, s = kSide, w = rect.width() - 2 * c, h = rect.height() - 2 * c;
    const int left = rect.left(), top = rect.top(), right = rect.right() + 1 - c,
              bottom = rect.bottom() + 1 - c;
    painter->drawImage(QPoint(left, top), image, QRect(0, 0, c, c));
    painter->drawImage(QPoint(right, top), image, QRect(s - c, 0, c, c));
    painter->drawImage(QPoint(left, bottom), image, QRect(0, s - c, c, c));
    painter->drawImage(QPoint(right, bottom), image, QRect(s - c, s - c, c, c));
    // The sides and the ground are lines of one colour each: filled, not stretched, as
    // stretching a picture inside a group box goes pixel by pixel. A group box is painted
    // around its boxes, and Qt hands a fill of more than 96 such pieces to other threads and
    // waits for them: a tall fill is made in bands low enough to stay on this one.
    const auto fill = [&](const QRect& line, const QPoint& from) {
        const QColor colour = image.pixelColor(from);
        if (colour.alpha() == 0) return;
        for (int y = line.top(); y <= line.bottom(); y += kBand) {
            painter->fillRect(
                QRect(line.left(), y, line.width(), qMin(kBand, line.bottom() + 1 - y)), colour);
        }
    };
    for (int i = 0; i < c; ++i) {
        fill(QRect(left + c, top + i, w, 1), QPoint(c, i));
        fill(QRect(left + c, bottom + i, w, 1), QPoint(c, s - c + i));
        fill(QRect(left + i, top + c, 1, h), QPoint(i, c));
        fill(QRect(right + i, top + c, 1, h), QPoint(s - c + i, c));
    }
    fill(QRect(left + c, top + c, w, h), QPoint(c, c));
    return true;
}

const QImage& FramePictures::pictureFor(const Key& key,
                                        const std::function<void(QPainter*, const QRect&)>& draw) {
    for (const auto& [known, picture] : pictures_) {
        if (known == key) return picture;
    }
    // Frames come in a few looks (focused or not, enabled or not): a short list is enough.
    if (pictures_.size() == kMaxPictures) pictures_.erase(pictures_.begin());
    pictures_.emplace_back(key, render(draw));
    return pictures_.back().second;
}

FramePictures::Key FramePictures::KeyOf(int element, const QStyleOption& option) {
    Key key{element, static_cast<int>(option.state), {}};
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        key.colours[role] = option.palette.color(static_cast<QPalette::ColorRole>(role)).rgba();
    }
    return key;
}

namespace {

// A line edit of its own: one inside a combo box or a spin box is drawn by its owner.
bool IsPlainLineEdit(const QWidget* widget) {
    if (!qobject_cast<const QLineEdit*>(widget)) return false;
    const QWidget* owner = widget->parentWidget();
    return !qobject_cast<const QComboBox*>(owner) && !qobject_cast<const QAbstractSpinBox*>(owner);
}

class FrameStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_FrameGroupBox) {
            const QRect frame = frameRect(option, widget);
            if (frame.width() < 6 || frame.height() < 6) return;
            const auto draw = [](QPainter* p, const QRect& r) { DrawGroupBoxFrame(r, p); };
            if (!pictures_.draw(painter, frame, FramePictures::KeyOf(element, *option), draw)) {
                DrawGroupBoxFrame(frame, painter);
            }
            return;
        }
        // Fusion strokes a line edit's rounded frame antialiased, the dearest thing a form
        // with thirty boxes draws; its picture is drawn once a look and copied.
        const auto* lineEdit = qstyleoption_cast<const QStyleOptionFrame*>(option);
        if (element == PE_FrameLineEdit && lineEdit && IsPlainLineEdit(widget)) {
            const auto draw = [&](QPainter* p, const QRect& r) {
                QStyleOptionFrame sized(*lineEdit);
                sized.rect = r;
                QProxyStyle::drawPrimitive(element, &sized, p, widget);
            };
            if (pictures_.draw(painter, option->rect, FramePictures::KeyOf(element, *option),
                               draw)) {
                return;
            }
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
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

    mutable FramePictures pictures_;
};

}  // namespace

void InstallFrameStyle() {
    QStyle* style = QApplication::style();
    if (dynamic_cast<FrameStyle*>(style) || style->name() != QLatin1String("fusion")) return;
    QApplication::setStyle(new FrameStyle(QStringLiteral("Fusion")));
}

}  // namespace qorvana
