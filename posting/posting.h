#pragma once
// Posting of a confirmed document draft: counters, document and continuation records,
// article totals, stock movements and the marks on imported delivery notes and receipts, in
// the suite's order. Everything that can be checked is checked before the first write; the
// written files are made durable before posting reports success.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/civil_date.h"
#include "core/money.h"
#include "core/result.h"
#include "core/session_codes.h"
#include "core/write_set.h"
#include "document/document_draft.h"
#include "document/document_record.h"

namespace qorvana {

class DataFiles;

// What posting takes: the draft, and the session's values at the moment of issue.
struct PostingInput {
    const DocumentDraft* draft = nullptr;
    const VatTable* vat = nullptr;
    Money money;
    DocumentKind documentKind = DocumentKind::Invoice;
    int fpaState = kFpaOrdinary;
    std::string pdfFolder;  // runSettings.pdfFolder
    // The company numbers electronic invoices in a series of their own (qorvana.fpa, offset
    // 707 "1"): stored electronic invoices then belong to that series.
    bool fpaSeparateNumbering = false;
    // Write the document's line file ("f" + serial) in the company folder as the last step.
    bool writeLineFile = true;
    // The document number is the one the header proposed, not one the operator typed: when
    // another workstation has stored a document under it meanwhile, posting takes the next
    // free number of the year and series instead (a typed number is refused).
    bool numberProposed = false;
    std::string companyFolder;  // \qorwin\qorwin\qoraz0.NNN: names the line file in messages
    CivilDateTime issueMoment;
    // A whole file that changes with the document, in the same atomic step: the list of the
    // electronic invoices to send, with the document's e-invoice.
    using WholeFile = WholeFileContent;
    std::optional<WholeFile> withDocument;
};

// A document posted: where it was stored and under which number.
struct DocumentStored {
    int recordNumber = 0;  // N of qorvana.fte / qorvana.f2e
    float serial = 0;      // document serial (names the line file "f" + serial)
    int movements = 0;     // stock movements written
    std::string pdfName;   // file name of the document's PDF copy (DocumentPdfName)
    // Set when the proposed number had been taken meanwhile: the number the document was
    // stored under instead, and its VAT register number (which follows the number when it
    // was the proposal too). The draft still holds the numbers it was given.
    std::optional<std::string> renumbered;
    std::string vatRegisterNumber;
};

// Posts the document through one WriteSet under an intent (core/intent_log.h). Never throws
// for data problems: a refusal comes back as a failure with nothing written; a write failing
// once the intent is written as a failure partly done, with the document as it is stored: the
// intent left completes it at the next posting or start, and the message says so. Every check runs
// on the files as they are at this moment: where other processes of this program share the company,
// the caller holds the PostingLock.
Result<DocumentStored> PostDocument(DataFiles& files, const PostingInput& input);

// The serial after `serial`: + 1, back to 1 beyond 1 000 000 000 or when single precision
// can no longer count up.
float NextSerial(float serial);
// Net unit price of a line: both discounts, then VAT taken out for codes below 13 when
// prices include VAT.
double NetUnitPrice(const DocumentLine& line, const VatTable& vat, bool vatInclusive,
                    const Money& money);

}  // namespace qorvana
