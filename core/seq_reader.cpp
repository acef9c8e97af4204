#include "core/seq_reader.h"

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
    if (atEnd()) {
        failed_ = true;
        return "";
    }
    const std::size_t start = pos_;
    while (pos_ < data_.size() && !IsLineEnd(data_[pos_])) ++pos_;
    const std::string_view line = std::string_view(data_).substr(start, pos_ - start);
    SkipLineEnd(data_, pos_);
    return Cp1252ToUtf8(line);
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
