#pragma once
// Copying source documents into the document's line table: delivery notes and receipts
// (appended, each under a description line), a quote (appended line by line) and an issued
// invoice (replacing the table). Nothing is dropped silently: lines that find no room after
// line 500, files that cannot be read and sources refused come back as messages, and only
// the sources whose lines all reached the document are reported as imported.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/money.h"
#include "core/progress.h"
#include "document/document_draft.h"
#include "document/document_math.h"
#include "document/line_table.h"

namespace qorvana {

class DataFiles;

// The document's side of an import.
struct ImportTerms {
    const VatTable* vat = nullptr;
    Money money;
    bool vatInclusive = false;    // the body's scorporo box
    int customerVatOverride = 0;  // customer offset 712: replaces note lines' codes when 1..24
    ProgressReport progress;      // hears of each note or receipt read
};

struct ImportResult {
    // Records (notes, receipts) whose in-use lines all reached the document: posting marks
    // exactly these.
    std::vector<int> imported;
    int linesLeftOut = 0;               // in-use source lines with no room after line 500
    std::vector<std::string> problems;  // Italian texts for the operator, one per source
    std::string noteNumbers;            // imported note numbers separated by blanks
    std::vector<ImportedNote> notes;    // the same notes with their dates
    std::optional<bool> vatInclusive;   // the scorporo box after the import, when it changes
    bool changed = false;               // the line table changed

    // Everything the operator must be told, one paragraph per problem; empty when none.
    std::string message() const;
};

// Delivery notes of qorvana.bol, by record number, in the picker's order. `group` is the
// picker's `ragg` box: description lines first, then the lines, equal lines merged.
ImportResult ImportDeliveryNotes(const DataFiles& files, const std::filesystem::path& companyFolder,
                                 const std::vector<int>& noteRecords, bool group,
                                 const ImportTerms& terms, LineTable& lines);
// Receipts of qorvana.ric, by record number.
ImportResult ImportReceipts(const DataFiles& files, const std::filesystem::path& companyFolder,
                            const std::vector<int>& receiptRecords, const ImportTerms& terms,
                            LineTable& lines);
// Quote `quote` (ordinal, 1-based) of qorvana.prv.
ImportResult ImportQuote(const DataFiles& files, int quote, const ImportTerms& terms,
                         LineTable& lines);
// An issued invoice's line file: `fileName` ("f" + serial), else `fallbackName` ("ftr...").
// The table is replaced and the invoice's own scorporo comes back in `vatInclusive`.
ImportResult ImportInvoice(const std::filesystem::path& companyFolder, const std::string& fileName,
                           const std::string& fallbackName, LineTable& lines);

// Description line of a delivery note: "Documento trasporto n.12 del 05/03/2025".
std::string NoteDescription(int number, const std::string& date);

}  // namespace qorvana
