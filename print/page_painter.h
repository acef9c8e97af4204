#pragma once
// Draws the pages of a printed document with Qt: the printer and the PDF program both draw
// through here, so paper and PDF show the same page.

#include <QFont>
#include <QPainter>
#include <filesystem>
#include <functional>
#include <string>

#include "print/print_page.h"

namespace qorvana {

// The font a text is printed in; a size of 0 or less (a damaged layout) prints at 9 points.
QFont PrintFont(const PrintText& text);

// The host file of a picture's stored name (see PictureWindowsPath).
using PictureFile = std::function<std::filesystem::path(const std::string&)>;

// Draws `page` on the painter's device. Positions are millimetres; the painter stays in
// device units, so that font point sizes keep the device's own conversion. A picture whose
// file cannot be read leaves its place empty.
void PaintPage(QPainter& painter, const PrintPage& page, const PictureFile& pictureFile);

}  // namespace qorvana
