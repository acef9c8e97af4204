#pragma once
// A printed document as pages of drawing operations, positions in millimetres from the top
// left corner of the printable page. Page composition produces it; the print-image file, the
// printer and the PDF program consume it, so the three always show the same page.

#include <string>
#include <variant>
#include <vector>

namespace qorvana {

// A text already placed: x is its left edge (a right-aligned text has been moved left by its
// printed width when it was composed).
struct PrintText {
    double x = 0;
    double y = 0;
    double size = 9;   // points
    int colour = 0;    // colour number (0 black), see PrintColour
    std::string text;  // UTF-8, already cleaned of unprintable characters
    std::string font = "Arial";
    bool bold = false;
    bool italic = false;
    bool operator==(const PrintText&) const = default;
};

enum class ShapeKind { Line = 1, Box = 2 };

// A line from (x1, y1) to (x2, y2), or a box with those opposite corners.
struct PrintShape {
    ShapeKind kind = ShapeKind::Line;
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    double thickness = 0.2;  // millimetres
    int colour = 0;
    int fill = -1;  // box fill colour number, -1 for none
    bool operator==(const PrintShape&) const = default;
};

// A picture file drawn into the rectangle at (x, y) of the given size.
struct PrintPicture {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    std::string file;  // as stored (a Windows path); mapped to the host when drawn
    bool operator==(const PrintPicture&) const = default;
};

using PrintOp = std::variant<PrintText, PrintShape, PrintPicture>;

struct PrintPage {
    std::vector<PrintOp> ops;
    bool operator==(const PrintPage&) const = default;
};

using PrintedDocument = std::vector<PrintPage>;

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

// The colour numbers of layout items and drawing elements: 0..15 are the sixteen classic
// palette colours (0 black, 1 blue, 2 green, 3 cyan, 4 red, 5 magenta, 6 brown, 7 light grey,
// 8 dark grey, 9..15 their bright forms); larger numbers are an RGB value stored as
// red + 256 * green + 65536 * blue. Negative numbers are black.
inline Rgb PrintColour(int number) {
    static constexpr Rgb kPalette[16] = {
        {0, 0, 0},     {0, 0, 128},     {0, 128, 0},     {0, 128, 128},  {128, 0, 0}, {128, 0, 128},
        {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255},    {0, 255, 0}, {0, 255, 255},
        {255, 0, 0},   {255, 0, 255},   {255, 255, 0},   {255, 255, 255}};
    if (number < 0) return {};
    if (number < 16) return kPalette[number];
    return {number & 0xFF, (number >> 8) & 0xFF, (number >> 16) & 0xFF};
}

}  // namespace qorvana
