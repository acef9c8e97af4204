#include "document/line_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/cp1252.h"
#include "core/numbers.h"
#include "core/seq_reader.h"
#include "core/text.h"
#include "core/whole_file.h"

namespace qorvana {
namespace {

constexpr std::size_t kReferenceWidth = 15;
constexpr std::size_t kCodeWidth = 15;
constexpr std::size_t kDescriptionWidth = 60;
constexpr std::size_t kUnitWidth = 2;

// Keeps whole UTF-8 characters: the first `count` code points of `utf8`.
std::string FirstCharacters(std::string_view utf8, std::size_t count) {
    std::size_t at = 0;
    std::size_t seen = 0;
    while (at < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        std::size_t step = 1;
        if (lead >= 0xF0)
            step = 4;
        else if (lead >= 0xE0)
            step = 3;
        else if (lead >= 0xC0)
            step = 2;
        if (seen == count) break;
        at += step;
        ++seen;
    }
    return std::string(utf8.substr(0, std::min(at, utf8.size())));
}

// A number line as the suite writes it: blank, or a sign, digits with one "." or ",", and an
// exponent ("E" or "D").
bool IsNumberLine(std::string_view text) {
    std::size_t i = 0;
    if (text.empty()) return true;
    if (text[i] == '-' || text[i] == '+') ++i;
    bool digits = false;
    bool separator = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
        } else {
            break;
        }
    }
    if (!digits) return false;
    if (i == text.size()) return true;
    if (text[i] != 'E' && text[i] != 'e' && text[i] != 'D' && text[i] != 'd') return false;
    ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    if (i == text.size()) return false;
    for (; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

// Block lines 1 and 6 to 10 hold numbers: 1 and 6 to 8 small integers, 9 and 10 the
// quantity and the unit price.
constexpr std::array<bool, LineFile::kBlockLines> kNumberLine{true, false, false, false, false,
                                                              true, true,  true,  true,  true};
constexpr int kQuantityLine = 8;
constexpr int kPriceLine = 9;

// A quantity, a price and their product stay below 11 integer digits: the electronic
// invoice's amounts hold no more, and 500 such lines still add up exactly to the cent.
constexpr double kLargestValue = 1e11;

bool FitsAmount(std::optional<double> value) {
    return value && std::fabs(*value) < kLargestValue;
}

// The value of a number line of the usual shape, a sign and up to 15 digits with one decimal
// point ("," too when `commaIsPoint`), as FiniteVal reads it: the digits are a whole number
// below 2^53 and the power of ten is exact, so one division rounds as FiniteVal does. nullopt
// for any other text.
std::optional<double> PlainDecimal(std::string_view text, bool commaIsPoint) {
    static constexpr std::array<double, 16> kPowers{1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                    1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) ++i;
    std::uint64_t digits = 0;
    int count = 0;
    int decimals = -1;  // digits after the point; -1 before it
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            if (++count > 15) return std::nullopt;
            digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
            if (decimals >= 0) ++decimals;
        } else if ((c == '.' || (c == ',' && commaIsPoint)) && decimals < 0) {
            decimals = 0;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0) return text.empty() ? std::optional(0.0) : std::nullopt;
    const double value =
        static_cast<double>(digits) / kPowers[static_cast<std::size_t>(std::max(decimals, 0))];
    return negative ? -value : value;
}

// A number line's value (0 when it has none) and fault: quantities and prices take "," as a
// decimal point, small integers keep the integer part of a value within -32768..32767.
struct NumberLine {
    double value = 0;
    LineFault fault = LineFault::None;
};

NumberLine ReadNumberLine(std::string_view text, bool amount) {
    std::optional<double> value = PlainDecimal(text, amount);
    const bool numberShape = value || IsNumberLine(text);
    if (!value) {
        // Other shapes (exponents, long digit runs, text): the suite's number reader.
        std::string plain(text);
        if (amount) std::replace(plain.begin(), plain.end(), ',', '.');
        value = FiniteVal(plain);
    }
    bool fits = false;
    NumberLine read;
    if (amount) {
        fits = FitsAmount(value);
        read.value = value.value_or(0);
    } else {
        const std::optional<std::int16_t> small = value ? ToInt16(*value) : std::nullopt;
        fits = small.has_value();
        read.value = small.value_or(0);
    }
    read.fault = !numberShape ? LineFault::NotNumber
                 : fits       ? LineFault::None
                              : LineFault::BeyondLimits;
    return read;
}

}  // namespace

std::string LineFile::NumberText(double value) {
    if (!std::isfinite(value) || value == 0) return " 0 ";
    std::string digits = PlainNumberText(value);
    const bool negative = digits.front() == '-';
    if (negative) digits.erase(0, 1);
    if (digits.size() > 1 && digits[0] == '0' && digits[1] == '.') digits.erase(0, 1);
    for (char& c : digits)
        if (c == '.') c = ',';
    return (negative ? "-" : " ") + digits + " ";
}

std::string LineFile::CleanText(std::string_view utf8) {
    return KeepPrintable(utf8);
}

std::string LineFile::PaddedText(std::string_view utf8, std::size_t width) {
    std::string text = FirstCharacters(CleanText(utf8), width);
    const std::size_t length = Utf8Length(text);
    if (length < width) text.append(width - length, ' ');
    return text;
}

std::vector<std::string> LineFile::IssuedHeader(const DocumentDraft& draft,
                                                DocumentKind documentKind) {
    const TransportEntries& t = draft.transport;
    std::vector<std::string> lines = {NumberText(draft.customer.record),
                                      NumberText(static_cast<int>(documentKind))};
    const std::string deliveryNotes = draft.deliveryNotes();
    for (const std::string* text :
         {&deliveryNotes, &t.order, &t.packages, &t.weight, &t.startDate, &t.startTime})
        lines.push_back(CleanText(*text));
    lines.push_back(NumberText(t.reasonPosition));
    lines.push_back(NumberText(t.goodsAppearancePosition));
    lines.push_back(std::to_string(static_cast<int>(t.shipping)));
    lines.push_back(draft.vatInclusive ? "1" : "0");
    lines.push_back(CleanText(draft.header.documentNumber));
    lines.push_back(CleanText(draft.header.documentDate));
    lines.push_back(CleanText(draft.header.registrationDate));
    return lines;
}

std::string LineFile::IssuedFileName(float serial) {
    const double whole = std::isfinite(serial) ? std::floor(std::fabs(serial)) : 0;
    return "f" + PlainNumberText(whole);
}

std::vector<std::string> LineFile::BlockLines(const DocumentLine& line) {
    return {
        NumberText(line.articleRecord),    PaddedText(line.reference, kReferenceWidth),
        PaddedText(line.code, kCodeWidth), PaddedText(line.description, kDescriptionWidth),
        PaddedText(line.unit, kUnitWidth), NumberText(line.discount1),
        NumberText(line.discount2),        NumberText(line.vatCode),
        NumberText(line.quantity),         NumberText(line.unitPrice),
    };
}

std::vector<DocumentLine> LineFile::BlocksOf(const LineTable& table, int count) {
    std::vector<DocumentLine> blocks;
    blocks.reserve(static_cast<std::size_t>(count));
    for (int n = 1; n <= count && n <= LineTable::kLines; ++n) blocks.push_back(table[n]);
    return blocks;
}

std::string LineFile::Bytes(const std::vector<std::string>& header,
                            const std::vector<DocumentLine>& blocks) {
    std::string bytes;
    bytes.reserve((header.size() + blocks.size() * kBlockLines) * 24);
    const auto put = [&bytes](std::string_view utf8) {
        bytes += Utf8ToCp1252(utf8);
        bytes += "\r\n";
    };
    for (const auto& line : header) put(CleanText(line));
    for (const auto& block : blocks)
        for (const auto& line : BlockLines(block)) put(line);
    return bytes;
}

Status LineFile::Write(const std::filesystem::path& file, const std::vector<std::string>& header,
                       const std::vector<DocumentLine>& blocks) {
    return WriteFileDurably(file, file.string(), Bytes(header, blocks));
}

LineFileContent LineFile::Parse(std::string bytes, int headerLines, int maxBlocks) {
    LineFileContent content;
    SeqReader reader = SeqReader::FromBytes(std::move(bytes));
    for (int i = 0; i < headerLines; ++i) {
        if (reader.atEnd()) {
            content.complete = false;
            return content;
        }
        content.header.push_back(Trim(reader.readLine()));
    }
    // Most blocks of a file are the empty lines the writer pads it with: their bytes are
    // recognised whole.
    static const DocumentLine kEmptyLine{};
    static const std::string kEmptyBlock = Bytes({}, {kEmptyLine});
    content.blocks.reserve(static_cast<std::size_t>(std::max(0, maxBlocks)));
    for (int b = 0; b < maxBlocks; ++b) {
        if (reader.atEnd()) {
            content.complete = false;
            break;
        }
        int empty = 0;
        while (b + empty < maxBlocks && reader.skipIfNext(kEmptyBlock)) ++empty;
        if (empty > 0) {
            content.blocks.insert(content.blocks.end(), static_cast<std::size_t>(empty),
                                  kEmptyLine);
            b += empty - 1;
            continue;
        }
        const auto note = [&](int index, LineFault fault) {
            if (content.badLine != 0 || fault == LineFault::None) return;
            content.badLine = headerLines + b * kBlockLines + index + 1;
            content.badFault = fault;
        };
        std::array<std::string_view, kBlockLines> v{};
        std::array<double, kBlockLines> number{};
        int got = 0;
        for (; got < kBlockLines && !reader.atEnd(); ++got) {
            v[got] = TrimView(reader.readRawLine());
            if (!kNumberLine[got]) continue;
            const NumberLine read =
                ReadNumberLine(v[got], got == kQuantityLine || got == kPriceLine);
            number[got] = read.value;
            note(got, read.fault);
        }
        DocumentLine& line = content.blocks.emplace_back();
        line.articleRecord = static_cast<std::int16_t>(number[0]);
        line.reference = Cp1252ToUtf8(v[1]);
        line.code = Cp1252ToUtf8(v[2]);
        line.description = Cp1252ToUtf8(v[3]);
        line.unit = Cp1252ToUtf8(v[4]);
        line.discount1 = static_cast<std::int16_t>(number[5]);
        line.discount2 = static_cast<std::int16_t>(number[6]);
        line.vatCode = static_cast<std::int16_t>(number[7]);
        line.quantity = number[kQuantityLine];
        line.quantityMoved = line.quantity;
        line.unitPrice = number[kPriceLine];
        if (!FitsAmount(line.quantity * line.unitPrice)) note(kPriceLine, LineFault::BeyondLimits);
        if (got < kBlockLines) {
            content.complete = false;
            break;
        }
    }
    return content;
}

std::optional<LineFileContent> LineFile::Read(const std::filesystem::path& file, int headerLines,
                                              int maxBlocks) {
    FileRead read = ReadWholeFile(file);
    if (read.missing) return std::nullopt;
    if (read.error != 0) {
        LineFileContent content;
        content.complete = false;
        content.readError = read.error;
        return content;
    }
    return Parse(std::move(read.bytes), headerLines, maxBlocks);
}

bool BlockInUse(const DocumentLine& block) {
    return block.quantity != 0 || block.unitPrice != 0 ||
           block.description.find_first_not_of(' ') != std::string::npos;
}

}  // namespace qorvana
