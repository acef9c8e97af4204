#pragma once
// The look of the program's windows: the desktop's own style, except that with Fusion (Qt's
// style on a desktop without its own, and offscreen) the frame of a group box is drawn in
// code. Fusion draws it from a picture, and reading its first picture makes Qt load every
// image-format plugin: 3 ms and 0.9 MB at start for a thin rounded line.

namespace qorvana {

// Sets the style on the application, once; the first form built calls it.
void InstallFrameStyle();

}  // namespace qorvana
