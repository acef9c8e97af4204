#include "document/series_file.h"

#include <vector>

#include "core/cp1252.h"
#include "core/data_file_types.h"
#include "core/text.h"
#include "core/whole_file.h"

namespace qorvana {
namespace {

constexpr const char* kFirstLine = "QORVANA-NUM\t1";
constexpr const char* kSeparate = "fatturapa";
constexpr const char* kOrdinary = "ordinaria";

bool Digits(const std::string& text, std::size_t most) {
    return !text.empty() && text.size() <= most &&
           text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

Result<StoredSeries> ReadStoredSeries(const std::filesystem::path& file,
                                      const std::string& suiteName) {
    const FileRead read = ReadWholeFile(file);
    if (read.missing) return StoredSeries{};
    if (!read.ok()) return Failure{ReadFailureMessage(suiteName, read.error)};
    const auto damaged = [&](std::size_t line) {
        return Failure{"Il file " + suiteName +
                       " (serie di numerazione dei documenti) è "
                       "danneggiato alla riga " +
                       std::to_string(line)};
    };
    const TabFileLines lines = SplitTabFile(read.bytes, kFirstLine);
    if (lines.damagedLine != 0) return damaged(lines.damagedLine);
    StoredSeries series;
    for (std::size_t i = 0; i < lines.rows.size(); ++i) {
        const std::vector<std::string>& f = lines.rows[i];
        if (f.size() != 4 || !Digits(f[0], 5) || !Digits(f[2], 8) || f[2].size() != 8 ||
            (f[3] != kSeparate && f[3] != kOrdinary))
            return damaged(i + 2);
        const int record = std::stoi(f[0]);
        if (record < 1 || record > kMaxCountedRecords) return damaged(i + 2);
        series[record] = {f[1], f[2], f[3] == kSeparate};
    }
    return series;
}

std::string StoredSeriesText(const StoredSeries& series) {
    std::string text = std::string(kFirstLine) + "\r\n";
    for (const auto& [record, e] : series)
        text += std::to_string(record) + "\t" + TabFieldText(e.number) + "\t" +
                TabFieldText(e.date) + "\t" + (e.separate ? kSeparate : kOrdinary) + "\r\n";
    return Utf8ToCp1252(text);
}

}  // namespace qorvana
