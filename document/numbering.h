#pragma once
// Document numbers: the series a document is numbered in, and the number and transmission
// progressive proposed for a new document. The header proposes with these rules and
// posting writes the counters back with them.
//
// Numbers are unique within a year and a series and restart at 1 each year. The proposal is
// the next number after the highest one stored documents of the document date's year hold
// in its series, and after the series' last number in qorvana.tot unless that number belongs
// to a stored document of another year: a late document of last year never moves this
// year's proposal, and the first document of a new year gets 1. A company that numbers on
// across the years types the first number of the year once; the proposals follow it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/counters_record.h"
#include "core/result.h"
#include "core/session_codes.h"
#include "document/document_record.h"
#include "document/series_file.h"

namespace qorvana {

class DataFiles;

// The key two document numbers are compared by, and the document's PDF copy is named after:
// a number of digits only is its value without leading zeros ("01" is "1"); any other number
// its letters and digits, small letters as capitals ("15/a" is "15A": distinct from "15B"
// and from "15"). Empty when the number holds no letter or digit.
std::string DocumentNumberKey(std::string_view number);

// True when the document takes its number from the separate electronic-invoice series: the
// series is chosen and the document is an electronic invoice for a public administration
// (kind 7). An invoice or credit note with the e-invoice every customer gets stays in the
// ordinary series, whatever its file.
bool NumberedInSeparateSeries(bool separateSeriesChosen, DocumentKind kind);
// True when stored document record `document`, record `recordNumber` of qorvana.fte, was
// numbered in the separate electronic-invoice series. A record of kind 0 or 1 never was; one
// of kind 7 as its entry of `series` says (an entry with the record's number and date); a
// record of kind 7 without one, stored before the series were kept, when the company numbers
// electronic invoices separately.
bool StoredInSeparateSeries(int recordNumber, const DocumentRecord& document,
                            const StoredSeries& series, bool fpaSeparateNumbering);
// A typed number as a counter word holds it (a document number, a progressive): a whole
// number in 1..kMaxCountedRecords, else nothing.
std::optional<std::int16_t> CounterWordValue(const std::string& text);

// The year and series a number is proposed in.
struct NumberingScope {
    int year = 0;
    bool separateSeries = false;        // NumberedInSeparateSeries of the document
    bool fpaSeparateNumbering = false;  // the company's setting (qorvana.fpa, offset 707 "1")
};

// The numbers the stored documents of one series hold (qorvana.fte, records 1 to the count of
// counters record 7).
struct SeriesNumbers {
    int highestOfYear = 0;         // the highest of the scope's year, 0 when none
    std::vector<bool> otherYears;  // otherYears[n]: a document of another year holds n

    bool heldInAnotherYear(int number) const;
};
SeriesNumbers ScanSeriesNumbers(const DataFiles& files, const StoredSeries& series,
                                const NumberingScope& scope);

// Refused when `number` cannot be the number of a document of the scope's year and series: a
// stored document of that year and series holds a number of the same key (DocumentNumberKey);
// the message names it.
Status NumberIsFree(const DataFiles& files, const StoredSeries& series, const NumberingScope& scope,
                    const std::string& number);
// The number, date and customer of a stored document, as the operator reads them.
std::string StoredDocumentText(const DataFiles& files, const DocumentRecord& document);

struct NumberProposal {
    std::optional<int> documentNumber;  // also the VAT register number
    // The series' last number lies outside 0..32766, so that no next number can be stored:
    // documentNumber is then nullopt and the operator must be told.
    std::optional<int> counterOutOfRange;
    // The year already holds number kMaxCountedRecords: no next number can be stored either.
    bool yearFull = false;
    std::optional<int> transmissionNumber;  // electronic invoices only
    // The last transmission progressive lies outside 0..32766 (a damaged or full counter):
    // no progressive is proposed and the operator must be told.
    std::optional<int> transmissionCounterOutOfRange;
};

// The numbers proposed for a new document from counters records 7 (`invoices`) and 5
// (`fatturaPa`), each nullopt when it could not be read, and the numbers stored documents of
// the series hold (see the rule above); and the transmission's progressive (the XML's once
// written, else the last + 1).
NumberProposal ProposeNumbers(const std::optional<CountersRecord>& invoices,
                              const std::optional<CountersRecord>& fatturaPa, bool separateSeries,
                              int fpaState, const SeriesNumbers& stored);

}  // namespace qorvana
