#pragma once
// Posting of a confirmed document draft: counters, document and continuation records,
// article totals, stock movements and the marks on imported delivery notes and receipts, in
// the suite's order. Everything that can be checked is checked before the first write; the
// written files are made durable before posting reports success.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/civil_date.h"
#include "core/money.h"
#include "core/session_codes.h"
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
    std::string pdfFolder;  // workStrings slot 7
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
};

struct PostingResult {
    bool ok = false;
    // Italian text for the operator when !ok: why nothing was written, or what was and was
    // not written when a write failed midway.
    std::string message;
    bool anythingWritten = false;
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

// Posts the document. Never throws for data problems: a refusal or a failed write comes
// back in the result. Every check runs on the files as they are at this moment: where other
// processes of this program share the company, the caller holds the PostingLock.
PostingResult PostDocument(DataFiles& files, const PostingInput& input);

// The credit-note rules apply: kind 1, or an electronic invoice of type TD04.
bool IsCreditNote(DocumentKind documentKind, const std::string& fpaDocumentType);
// "dd/mm/yyyy" to "yyyymmdd"; empty when the text is not a valid date.
std::string RecordDate(const std::string& ddmmyyyy);
// The file name of a document's PDF copy, unique for the document: "ftr", the number's key
// (DocumentNumberKey: "0015" gives 15), "_", the year of the document date, "pa" when the
// document is numbered in the separate electronic-invoice series, ".pdf" ("ftr15_2026.pdf",
// "ftr15_2026pa.pdf"). Posting stores it and the PDF hand-off passes it: the stored path names
// this document's PDF.
std::string DocumentPdfName(const HeaderEntries& header, DocumentKind kind);
// Path of the document's PDF copy as stored: the PDF folder without its drive, "\", the name;
// at most 60 characters.
std::string PdfPath(const std::string& pdfFolder, const std::string& pdfName);
// The warning for a PDF folder with which the stored path of a document's PDF (folder and the
// longest name DocumentPdfName gives) would not fit its 60 characters; empty when it fits.
std::string PdfFolderWarning(const std::string& pdfFolder);
// Deferred-VAT limit: month of the document date and the following year ("112025").
std::string DeferredVatLimit(const std::string& documentDateDdMmYyyy);
// The serial after `serial`: + 1, back to 1 beyond 1 000 000 000 or when single precision
// can no longer count up.
float NextSerial(float serial);
// Date-time value: days since 30 December 1899, time of day as the fraction.
double DateTimeValue(const CivilDateTime& moment);
// Net unit price of a line: both discounts, then VAT taken out for codes below 13 when
// prices include VAT.
double NetUnitPrice(const DocumentLine& line, const VatTable& vat, bool vatInclusive,
                    const Money& money);

}  // namespace qorvana
