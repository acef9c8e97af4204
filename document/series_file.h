#pragma once
// The series each electronic invoice for a public administration (kind 7) was numbered in:
// the ordinary series or the separate electronic-invoice series. The document record has no
// field for it, so a file of this program's own keeps it, qorvana.num in the company folder,
// keyed by the record number in qorvana.fte and holding the record's number and date, so that
// an entry whose record holds another document is seen as stale (docs/numbering.md).
//
// The file: Windows-1252, CRLF lines, fields separated by tabs. The first line is
// "QORVANA-NUM<TAB>1"; then one line per document:
//   record number, document number, document date (yyyymmdd), series ("fatturapa" or
//   "ordinaria").
// A file that does not read so is refused as damaged, naming the line, and never written
// over.

#include <filesystem>
#include <map>
#include <string>

#include "core/result.h"

namespace qorvana {

inline constexpr const char* kSeriesFile = "qorvana.num";

struct SeriesEntry {
    std::string number;  // as stored
    std::string date;    // yyyymmdd
    bool separate = false;
};

// The entries by record number of qorvana.fte.
using StoredSeries = std::map<int, SeriesEntry>;

// A missing file reads as no entries; a damaged or unreadable one fails, naming the file.
Result<StoredSeries> ReadStoredSeries(const std::filesystem::path& file,
                                      const std::string& suiteName);
// The file's whole text for `series`.
std::string StoredSeriesText(const StoredSeries& series);

}  // namespace qorvana
