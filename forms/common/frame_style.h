#pragma once
// The look of the program's windows: the desktop's own style, except that with Fusion (Qt's
// style on a desktop without its own, and offscreen) frames are drawn cheaply:
// - a group box's frame is drawn in code. Fusion draws it from a picture, and reading its
//   first picture makes Qt load every image-format plugin: 3 ms and 0.9 MB at start for a
//   thin rounded line;
// - a line edit's frame, which Fusion strokes antialiased (a sixth of what the start form
//   costs to draw), is drawn once a look and copied onto every box of that look.

#include <QImage>
#include <QPalette>
#include <QRgb>
#include <array>
#include <functional>
#include <utility>
#include <vector>

class QPainter;
class QRect;
class QStyleOption;

namespace qorvana {

// Sets the style on the application, once; the first form built calls it.
void InstallFrameStyle();

// Pictures of frames whose look does not depend on their size between the corners: each look
// is drawn once at a small size; a frame is then its four corners copied, and its sides (and
// ground, when it has one) filled line by line with the colours of the picture's middle.
class FramePictures {
  public:
    // A look: the element drawn, its state and the colours it may be drawn with.
    struct Key {
        int element;
        int state;
        std::array<QRgb, QPalette::NColorRoles> colours;
        bool operator==(const Key&) const = default;
    };
    static Key KeyOf(int element, const QStyleOption& option);

    // Paints on `rect` the frame `draw` paints on the rectangle it is given. False, having
    // painted nothing, where a copy would not be the same picture: a frame too small for its
    // corners, a painter that scales or a high-density screen.
    bool draw(QPainter* painter, const QRect& rect, const Key& key,
              const std::function<void(QPainter*, const QRect&)>& draw);

  private:
    static constexpr int kCorner = 6;
    static constexpr int kSide = 2 * kCorner + 4;
    static constexpr std::size_t kMaxPictures = 16;
    static constexpr int kBand = 16;  // rows filled at once
    static QImage render(const std::function<void(QPainter*, const QRect&)>& draw);
    const QImage& pictureFor(const Key& key,
                             const std::function<void(QPainter*, const QRect&)>& draw);

    std::vector<std::pair<Key, QImage>> pictures_;
};

}  // namespace qorvana
