#pragma once
// Writing the demo company's files: text files as the suite writes them (Windows-1252, CRLF)
// and record files as arrays of fixed-length records.

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/record.h"

namespace qorvana::demo {

// A file that could not be written; the demo maker stops with its message.
class DemoWriteError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Writes UTF-8 lines as Windows-1252 text with CRLF line ends, replacing the file.
void WriteTextLines(const std::filesystem::path& file, const std::vector<std::string>& lines);

// `text` padded with blanks (or cut) to `width` characters.
std::string PadTo(std::string_view text, std::size_t width);

// Writes the records back to back, record 1 first, replacing the file.
template <class L>
void WriteRecords(const std::filesystem::path& file, const std::vector<Record<L>>& records) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (const auto& r : records)
        out.write(reinterpret_cast<const char*>(r.bytes().data()), L::kLength);
    out.close();
    if (!out) throw DemoWriteError("cannot write " + file.string());
}

// Sets a text field of demo data; demo data that does not fit its field is a fault of the
// demo maker, not something to cut silently.
template <class L>
void SetText(Record<L>& record, Field<L> field, std::string_view utf8) {
    if (!record.setText(field, utf8))
        throw DemoWriteError("demo text too long for its field: " + std::string(utf8));
}

// A record with every text field of the layout blank and every number 0, as the suite's
// programs create them.
template <class L, std::size_t N>
Record<L> BlankRecord(const FieldTable<L, N>& fields) {
    Record<L> r;
    r.blankTexts(fields);
    return r;
}

}  // namespace qorvana::demo
