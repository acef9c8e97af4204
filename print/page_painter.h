#pragma once
// Draws the pages of a printed document with Qt: the printer and the PDF program both draw
// through here, so paper and PDF show the same page.

#include <QFont>
#include <QPainter>
#include <filesystem>
#include <functional>
#include <string>

#include "print/form_drawing.h"
#include "print/print_page.h"

namespace qorvana {

// The font a text is printed in; a size of 0 or less (a damaged layout) prints at 9 points.
QFont PrintFont(const PrintText& text);

// Printed widths in millimetres from the font metrics of the page itself, measured at a fixed
// resolution without hinting: the same whichever device prints the page (a printer, a PDF
// file) and when there is none, so that right-aligned texts land at the same place.
TextWidth PageTextWidth();

// The host file of a picture's stored name (see PictureWindowsPath).
using PictureFile = std::function<std::filesystem::path(const std::string&)>;

// Draws `page` on the painter's device. Positions are millimetres; the painter stays in
// device units, so that font point sizes keep the device's own conversion. A picture whose
// file cannot be read leaves its place empty.
void PaintPage(QPainter& painter, const PrintPage& page, const PictureFile& pictureFile);

}  // namespace qorvana
