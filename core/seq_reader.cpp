#include "core/seq_reader.h"

#include <cstring>

#include "core/cp1252.h"
#include "core/whole_file.h"

namespace qorvana {
namespace {

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Moves past one line end ("\r\n", "\n" or "\r") at pos, if there is one.
void SkipLineEnd(std::string_view data, std::size_t& pos) {
    if (pos < data.size() && data[pos] == '\r') ++pos;
    if (pos < data.size() && data[pos] == '\n') ++pos;
}

// One item from pos: a quoted string, or the text up to the next comma or line end,
// trimmed. Consumes the comma or the line end that ends it.
std::string ParseItem(std::string_view data, std::size_t& pos) {
    while (pos < data.size() && (data[pos] == ' ' || data[pos] == '\t')) ++pos;
    std::string item;
    if (pos < data.size() && data[pos] == '"') {
        ++pos;
        while (pos < data.size() && data[pos] != '"' && !IsLineEnd(data[pos])) item += data[pos++];
        if (pos < data.size() && data[pos] == '"') ++pos;
        // Anything between the closing quote and the delimiter is not part of the item.
        while (pos < data.size() && data[pos] != ',' && !IsLineEnd(data[pos])) ++pos;
    } else {
        while (pos < data.size() && data[pos] != ',' && !IsLineEnd(data[pos])) item += data[pos++];
        const std::size_t last = item.find_last_not_of(" \t");
        item.erase(last == std::string::npos ? 0 : last + 1);
    }
    if (pos < data.size() && data[pos] == ',') {
        ++pos;
    } else {
        SkipLineEnd(data, pos);
    }
    return item;
}

}  // namespace

SeqReader::SeqReader(const std::filesystem::path& file) {
    FileRead read = ReadWholeFile(file);
    readError_ = read.error;
    if (!read.ok()) return;
    data_ = std::move(read.bytes);
    opened_ = true;
    failed_ = false;
}

SeqReader SeqReader::FromBytes(std::string bytes) {
    SeqReader reader;
    reader.data_ = std::move(bytes);
    reader.opened_ = true;
    reader.failed_ = false;
    return reader;
}

bool SeqReader::atEnd() const {
    return pos_ >= data_.size();
}

std::string SeqReader::readLine() {
    return Cp1252ToUtf8(readRawLine());
}

std::string_view SeqReader::readRawLine() {
    if (atEnd()) {
        failed_ = true;
        return {};
    }
    // A line ends at its first CR or LF. Lines usually end in LF, so the LF is looked for
    // first, once, and then a CR only up to it: every byte is looked at about once, even in a
    // file without LFs.
    const char* start = data_.data() + pos_;
    if (lineFeed_ == std::string::npos || lineFeed_ < pos_) {
        const void* lf = std::memchr(start, '\n', data_.size() - pos_);
        lineFeed_ = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data_.data())
                       : data_.size();
    }
    const void* cr = std::memchr(start, '\r', lineFeed_ - pos_);
    const std::size_t end =
        cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - data_.data()) : lineFeed_;
    const std::string_view line(start, end - pos_);
    pos_ = end;
    SkipLineEnd(data_, pos_);
    return line;
}

bool SeqReader::skipIfNext(std::string_view bytes) {
    if (!std::string_view(data_).substr(pos_).starts_with(bytes)) return false;
    pos_ += bytes.size();
    return true;
}

std::string SeqReader::readItem() {
    if (atEnd()) {
        failed_ = true;
        return "";
    }
    return Cp1252ToUtf8(ParseItem(data_, pos_));
}

void SeqReader::skipLines(int count) {
    for (int i = 0; i < count; ++i) readLine();
}

std::vector<std::string> SeqReader::SplitItems(std::string_view line) {
    std::vector<std::string> items;
    std::size_t pos = 0;
    do {
        items.push_back(ParseItem(line, pos));
    } while (pos < line.size());
    if (!line.empty() && line.back() == ',') items.emplace_back();
    return items;
}

}  // namespace qorvana
