#include "print/print_image.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>

#include "core/cp1252.h"
#include "core/numbers.h"
#include "core/whole_file.h"

namespace qorvana {
namespace {

constexpr std::string_view kMarker = "#FILEFORMAT=KVX-RTO";
constexpr std::string_view kCrLf = "\r\n";

enum RecordType { kPicture = 0, kShape = 2, kText = 3, kPageBreak = 9 };

constexpr double kMaxMeasure = 100000;

// A text as one line of the image: Windows-1252, without the line breaks and other control
// characters that would shift every later value.
void AppendTextLine(std::string& out, std::string_view utf8) {
    const auto control = [](char c) { return static_cast<unsigned char>(c) < 32; };
    const bool ascii = std::none_of(utf8.begin(), utf8.end(),
                                    [](char c) { return static_cast<unsigned char>(c) >= 128; });
    // Plain ASCII is the same in Windows-1252: copied without a conversion.
    if (ascii) {
        std::copy_if(utf8.begin(), utf8.end(), std::back_inserter(out),
                     [&](char c) { return !control(c); });
        return;
    }
    const std::string line = Utf8ToCp1252(utf8);
    std::copy_if(line.begin(), line.end(), std::back_inserter(out),
                 [&](char c) { return !control(c); });
}

// A number as a plain print gives it: a leading blank (or "-"), at most 7 significant
// digits, no leading zero before the point.
void AppendNumber(std::string& out, double value) {
    if (!std::isfinite(value) || value == 0) {
        out += " 0";
        return;
    }
    out += value < 0 ? '-' : ' ';
    const double magnitude = std::fabs(value);
    char buffer[32];
    char* end;
    if (magnitude < 1e7 && magnitude == std::floor(magnitude)) {
        end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<long>(magnitude)).ptr;
    } else {
        end =
            std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::general, 7)
                .ptr;
    }
    const char* begin = buffer;
    if (end - begin > 1 && begin[0] == '0' && begin[1] == '.') ++begin;
    const std::size_t start = out.size();
    out.append(begin, static_cast<std::size_t>(end - begin));
    std::replace(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), 'e', 'E');
}

class ImageWriter {
  public:
    void number(double value) {
        AppendNumber(bytes_, value);
        bytes_ += kCrLf;
    }
    void text(std::string_view utf8) {
        AppendTextLine(bytes_, utf8);
        bytes_ += kCrLf;
    }
    void line(std::string_view value) {
        bytes_ += value;
        bytes_ += kCrLf;
    }
    void reserve(std::size_t size) { bytes_.reserve(size); }
    std::string take() { return std::move(bytes_); }

  private:
    std::string bytes_;
};

void Write(ImageWriter& out, const PrintText& t) {
    out.number(kText);
    for (double v : {t.x, t.y, 0.0, 0.0, t.size, double(t.colour)}) out.number(v);
    out.text(t.text);
    out.text(t.font);
    out.number(t.bold ? 1 : 0);
    out.number(t.italic ? 1 : 0);
}

void Write(ImageWriter& out, const PrintShape& s) {
    out.number(kShape);
    for (double v :
         {double(s.kind), s.x1, s.y1, s.x2, s.y2, s.thickness, double(s.colour), double(s.fill)}) {
        out.number(v);
    }
}

void Write(ImageWriter& out, const PrintPicture& p) {
    out.number(kPicture);
    for (double v : {p.x, p.y, p.width, p.height}) out.number(v);
    out.line("");
    out.text(p.file);
    out.line("");
}

// Reads the image line by line; the first problem is kept and every later read fails.
class ImageReader {
  public:
    explicit ImageReader(std::string_view bytes) : bytes_(bytes) {}

    bool atEnd() const { return pos_ >= bytes_.size(); }
    bool failed() const { return !problem_.empty(); }
    const std::string& problem() const { return problem_; }
    int lineNumber() const { return lineNumber_; }

    std::string_view line() {
        if (failed()) return {};
        if (atEnd()) {
            fail("il file finisce a metà di un elemento");
            return {};
        }
        const std::size_t start = pos_;
        while (pos_ < bytes_.size() && bytes_[pos_] != '\r' && bytes_[pos_] != '\n') ++pos_;
        const std::string_view value = bytes_.substr(start, pos_ - start);
        if (pos_ < bytes_.size() && bytes_[pos_] == '\r') ++pos_;
        if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
        ++lineNumber_;
        return value;
    }
    std::string text() { return Cp1252ToUtf8(line()); }
    double number() {
        const std::string_view value = line();
        if (failed()) return 0;
        const std::optional<double> parsed = WholeNumber(value);
        if (!parsed) fail("alla riga " + std::to_string(lineNumber_) + " manca un numero");
        return parsed.value_or(0);
    }
    int integer() { return int(std::lround(std::clamp(number(), -2147483648.0, 2147483647.0))); }
    // A position or size in millimetres (a font size in points): beyond 100 m the image is
    // damaged, and no page device could take the number.
    double measure() {
        const double value = number();
        if (std::fabs(value) > kMaxMeasure)
            fail("alla riga " + std::to_string(lineNumber_) + " il numero è fuori dai limiti");
        return failed() ? 0 : value;
    }
    void fail(std::string problem) {
        if (!failed()) problem_ = std::move(problem);
    }

  private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
    int lineNumber_ = 0;
    std::string problem_;
};

PrintText ReadText(ImageReader& in) {
    PrintText t;
    t.x = in.measure();
    t.y = in.measure();
    in.number();
    in.number();
    t.size = in.measure();
    t.colour = in.integer();
    t.text = in.text();
    t.font = in.text();
    t.bold = in.number() != 0;
    t.italic = in.number() != 0;
    return t;
}

PrintShape ReadShape(ImageReader& in) {
    PrintShape s;
    const int kind = in.integer();
    if (kind != int(ShapeKind::Line) && kind != int(ShapeKind::Box)) {
        in.fail("alla riga " + std::to_string(in.lineNumber()) + " la forma è sconosciuta");
    }
    s.kind = ShapeKind(kind);
    s.x1 = in.measure();
    s.y1 = in.measure();
    s.x2 = in.measure();
    s.y2 = in.measure();
    s.thickness = in.measure();
    s.colour = in.integer();
    s.fill = in.integer();
    return s;
}

PrintPicture ReadPicture(ImageReader& in) {
    PrintPicture p;
    p.x = in.measure();
    p.y = in.measure();
    p.width = in.measure();
    p.height = in.measure();
    in.line();
    p.file = in.text();
    in.line();
    return p;
}

// The record type of a type line: a whole number 0..9, else -1 (unknown).
int RecordTypeOf(std::optional<double> value) {
    if (!value || *value != std::floor(*value) || *value < 0 || *value > 9) return -1;
    return static_cast<int>(*value);
}

std::string DamagedMessage(const std::string& problem) {
    return "Il file di stampa è danneggiato o incompleto: " + problem + ".";
}

}  // namespace

std::string PrintImageNumber(double value) {
    std::string text;
    AppendNumber(text, value);
    return text;
}

std::string PrintImageBytes(const PrintedDocument& document) {
    ImageWriter out;
    std::size_t ops = 0;
    for (const PrintPage& page : document) ops += page.ops.size();
    out.reserve(64 * ops + 64);  // a text record is about 60 bytes
    out.line(kMarker);
    for (const PrintPage& page : document) {
        for (const PrintOp& op : page.ops) {
            std::visit([&out](const auto& element) { Write(out, element); }, op);
        }
        out.number(kPageBreak);
    }
    return out.take();
}

Status WritePrintImage(const std::filesystem::path& file, std::string_view suiteName,
                       const PrintedDocument& document) {
    if (auto written = WriteFileDurably(file, suiteName, PrintImageBytes(document)); !written)
        return Failure{written.message() + ". Il documento non è stato stampato."};
    return {};
}

Result<PrintedDocument> ParsePrintImage(std::string_view bytes) {
    ImageReader in(bytes);
    if (in.line() != kMarker)
        return Failure{DamagedMessage("manca l'intestazione " + std::string(kMarker))};
    PrintedDocument document;
    PrintPage page;
    bool pageOpen = false;
    while (!in.atEnd() && !in.failed()) {
        const std::string_view typeLine = in.line();
        if (typeLine.empty() && in.atEnd()) break;  // a blank last line
        const int typeLineNumber = in.lineNumber();
        const int type = RecordTypeOf(WholeNumber(typeLine));
        pageOpen = true;
        switch (type) {
            case kText:
                page.ops.emplace_back(ReadText(in));
                break;
            case kShape:
                page.ops.emplace_back(ReadShape(in));
                break;
            case kPicture:
                page.ops.emplace_back(ReadPicture(in));
                break;
            case kPageBreak:
                document.push_back(std::move(page));
                page = {};
                pageOpen = false;
                break;
            default:
                in.fail("alla riga " + std::to_string(typeLineNumber) +
                        " il tipo di elemento è sconosciuto");
        }
    }
    if (in.failed()) return Failure{DamagedMessage(in.problem())};
    if (pageOpen) return Failure{DamagedMessage("l'ultima pagina non è chiusa")};
    return document;
}

Result<PrintedDocument> ReadPrintImage(const std::filesystem::path& file,
                                       std::string_view suiteName) {
    const FileRead read = ReadWholeFile(file);
    if (read.missing) return Failure{"Manca il file di stampa " + std::string(suiteName) + "."};
    if (!read.ok()) return Failure{ReadFailureMessage(suiteName, read.error) + "."};
    return ParsePrintImage(read.bytes);
}

}  // namespace qorvana
