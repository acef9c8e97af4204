#include "document/line_file.h"

#include <algorithm>
#include <cmath>

#include "core/cp1252.h"
#include "core/money.h"
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

std::int16_t SmallInteger(const std::string& line) {
    return ToInt16OrZero(Val(line));
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

// What is wrong with the number on block line `index` (0-based), if anything.
LineFault BlockNumberFault(int index, std::string text) {
    if (!IsNumberLine(text)) return LineFault::NotNumber;
    if (index == kQuantityLine || index == kPriceLine) {
        std::replace(text.begin(), text.end(), ',', '.');
        return FitsAmount(FiniteVal(text)) ? LineFault::None : LineFault::BeyondLimits;
    }
    const std::optional<double> value = FiniteVal(text);
    return value && ToInt16(*value) ? LineFault::None : LineFault::BeyondLimits;
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
    for (const std::string* text :
         {&t.deliveryNote, &t.order, &t.packages, &t.weight, &t.startDate, &t.startTime})
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

bool LineFile::Write(const std::filesystem::path& file, const std::vector<std::string>& header,
                     const std::vector<DocumentLine>& blocks, std::string* error) {
    const auto failed = WriteFileDurably(file, file.string(), Bytes(header, blocks));
    if (failed && error) *error = *failed;
    return !failed;
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
    for (int b = 0; b < maxBlocks; ++b) {
        if (reader.atEnd()) {
            content.complete = false;
            break;
        }
        std::array<std::string, kBlockLines> v{};
        const auto note = [&](int index, LineFault fault) {
            if (content.badLine != 0 || fault == LineFault::None) return;
            content.badLine = headerLines + b * kBlockLines + index + 1;
            content.badFault = fault;
        };
        int got = 0;
        for (; got < kBlockLines && !reader.atEnd(); ++got) {
            v[got] = Trim(reader.readLine());
            if (kNumberLine[got]) note(got, BlockNumberFault(got, v[got]));
        }
        DocumentLine line;
        line.articleRecord = SmallInteger(v[0]);
        line.reference = v[1];
        line.code = v[2];
        line.description = v[3];
        line.unit = v[4];
        line.discount1 = SmallInteger(v[5]);
        line.discount2 = SmallInteger(v[6]);
        line.vatCode = SmallInteger(v[7]);
        line.quantity = ParseDecimal(v[8]);
        line.quantityMoved = line.quantity;
        line.unitPrice = ParseDecimal(v[9]);
        if (!FitsAmount(line.quantity * line.unitPrice)) note(kPriceLine, LineFault::BeyondLimits);
        content.blocks.push_back(std::move(line));
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
    return block.quantity != 0 || block.unitPrice != 0 || !Trim(block.description).empty();
}

}  // namespace qorvana
