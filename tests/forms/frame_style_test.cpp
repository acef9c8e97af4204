// The program's frames look as Fusion draws them, whatever their size, state and colours, and
// whatever part of them a paint covers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <memory>

#include "forms/common/frame_style.h"

namespace qorvana {
namespace {

// The largest difference, over the three colours, between two pictures of the same size.
int LargestDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

QImage Ground(const QSize& size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(0xef, 0xef, 0xef));
    return image;
}

TEST(FrameStyle, LineEditsLookAsFusionDrawsThem) {
    InstallFrameStyle();
    ASSERT_TRUE(qobject_cast<QProxyStyle*>(QApplication::style()));
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    QLineEdit box;
    QPalette grey = box.palette();
    grey.setColor(QPalette::Base, QColor(0xf3, 0xf3, 0xf0));
    struct Look {
        QSize size;
        QStyle::State state;
        QPalette palette;
    };
    const QStyle::State plain = QStyle::State_Enabled;
    const Look looks[] = {
        {{300, 24}, plain, box.palette()},
        {{300, 24}, plain | QStyle::State_HasFocus, box.palette()},
        {{57, 22}, QStyle::State_None, box.palette()},  // disabled
        {{120, 24}, plain | QStyle::State_ReadOnly, grey},
        {{13, 13}, plain, box.palette()},  // the smallest a copy draws
        {{9, 30}, plain, box.palette()},   // too narrow: drawn by Fusion itself
    };
    for (const Look& look : looks) {
        QStyleOptionFrame option;
        option.initFrom(&box);
        option.rect = QRect(QPoint(0, 0), look.size);
        option.state = look.state;
        option.palette = look.palette;
        option.lineWidth = 1;
        QImage expected = Ground(look.size), drawn = Ground(look.size);
        for (auto [style, image] :
             {std::pair{fusion.get(), &expected}, std::pair{QApplication::style(), &drawn}}) {
            QPainter painter(image);
            style->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, &box);
        }
        // Copied corners went through an 8-bit picture: their antialiased pixels may differ by
        // a level or two of 255, which no eye sees.
        EXPECT_LE(LargestDifference(expected, drawn), 2)
            << look.size.width() << "x" << look.size.height();
    }
}

// A translucent ground inside a rounded line, like a group box's frame.
void DrawFrame(QPainter* painter, const QRect& rect) {
    painter->save();
    painter->fillRect(rect.adjusted(3, 3, -2, -2), QColor(0, 0, 0, 30));
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QColor(117, 117, 117, 150));
    painter->drawRoundedRect(QRectF(rect).adjusted(1.5, 1.5, -0.5, -0.5), 2, 2);
    painter->restore();
}

TEST(FrameStyle, CopiedFramesMatchDrawnOnesEvenAroundBoxes) {
    FramePictures pictures;
    QStyleOption option;
    const auto key = FramePictures::KeyOf(QStyle::PE_FrameGroupBox, option);
    // A tall frame painted around two boxes, as Qt paints a group box: the fills go in bands.
    const QRegion around =
        QRegion(0, 0, 400, 300) - QRegion(40, 40, 200, 24) - QRegion(40, 200, 300, 24);
    for (const QSize size : {QSize(400, 300), QSize(13, 13), QSize(64, 200)}) {
        QImage expected = Ground(size), drawn = Ground(size);
        {
            QPainter painter(&expected);
            painter.setClipRegion(around);
            DrawFrame(&painter, expected.rect());
        }
        {
            QPainter painter(&drawn);
            painter.setClipRegion(around);
            ASSERT_TRUE(pictures.draw(&painter, drawn.rect(), key, DrawFrame));
        }
        EXPECT_LE(LargestDifference(expected, drawn), 1) << size.width() << "x" << size.height();
    }
    // Where a copy would not be the same picture, nothing is painted and the caller draws.
    QImage image = Ground({100, 100});
    QPainter painter(&image);
    EXPECT_FALSE(pictures.draw(&painter, QRect(0, 0, 12, 50), key, DrawFrame));
    painter.scale(2, 2);
    EXPECT_FALSE(pictures.draw(&painter, QRect(0, 0, 40, 40), key, DrawFrame));
}

}  // namespace
}  // namespace qorvana
