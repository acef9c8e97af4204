#pragma once
// The candidate documents of the four pickers, read from the data files: one row per listed
// document holding the picker grid's cells.
//
// | Column | Delivery notes       | Receipts      | Invoices       | Quotes         |
// |--------|----------------------|---------------|----------------|----------------|
// | 0      | number, or return    | number        | number         | number         |
// | 1      | date dd/mm/yyyy      | date          | date           | date           |
// | 2      | "SI"/"NO"            | "SI"/"NO"     | customer name  | description    |
// | 3      | serial (hidden)      | serial        | serial         | ordinal        |
// | 4      | record (hidden)      | record        | record         | (none)         |

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/civil_date.h"
#include "document/document_draft.h"

namespace qorvana {

class DataFiles;

enum class SourceKind { DeliveryNotes, Receipts, Invoices, Quotes };

struct SourceRow {
    std::array<std::string, 5> cells{};
    int record = 0;    // record number in the source file; a quote's ordinal
    int customer = 0;  // an earlier invoice's customer (the invoice picker lists them all)
};

inline constexpr std::string_view kYes = "SI";
inline constexpr std::string_view kNo = "NO";
// Column 0 of a deposit-account return note.
inline constexpr std::string_view kReturnNoteCaption = "Estinzione c/deposito";

// The mark of a receipt still to invoice (qorvana.ric, offset 350); posting clears it to 0.
inline constexpr std::int16_t kReceiptToInvoice = 1;

// The picker's rows for `customer` (the invoice picker lists every customer's invoices). A
// note or receipt whose record is in `alreadyImported` starts "NO" instead of "SI". Records
// whose customer code lies outside the customer file are skipped.
std::vector<SourceRow> ListSources(const DataFiles& files, SourceKind kind, int customer,
                                   const std::vector<int>& alreadyImported);

// The invoice picker's hand-over for a picked row: workStrings(20) "f" + serial, and
// workStrings(10) "ftr" + number + ".a" + year digits, empty when the number is not all
// digits (the name must stay a plain name in the company folder).
struct InvoicePick {
    std::string fileName;      // workStrings(20)
    std::string fallbackName;  // workStrings(10)
};
InvoicePick InvoicePickOf(const SourceRow& row);

// The invoice that a credit note of `customer`, dated `creditNoteDate` ("dd/mm/yyyy"), names as
// the one it corrects, looked for among the documents the invoice picker lists: empty when it
// is there, of that customer and dated on or before the credit note; else the Italian text of
// what does not match.
std::string CorrectedInvoiceMismatch(const DataFiles& files, int customer,
                                     const InvoiceReference& corrected,
                                     std::string_view creditNoteDate);

}  // namespace qorvana
