#pragma once
// A document posting stored, read back into the draft it was posted from: its record of
// qorvana.fte, its continuation record of qorvana.f2e at the same number and its line file
// ("f" + serial). The e-invoice of a rejected document is written again from it, and a document
// a recovery completed after the program ended is printed from it as it was printed when posted
// (print/document_print.h prints a draft, wherever it came from).
//
// The records keep the customer, the kind and e-invoice state, the number and the dates, the due
// dates and their amounts, the payment terms, the VAT on payment and the self-invoice mark; the
// line file keeps the lines, whether prices include VAT and the start form's transport entries,
// the transport reason and the appearance of the goods by their place in their lists
// (NameListEntries gives their texts). The carrier lines are not kept: the draft takes the
// customer's usual carrier, which the start form shows unless the operator chose another.
// Neither are the electronic-invoice panel's entries (its archive copy fpaNNN holds them) nor
// the sources imported.

#include "core/data_files.h"
#include "core/result.h"
#include "core/settings.h"
#include "document/document_draft.h"
#include "document/payment_terms.h"

namespace qorvana {

struct StoredDocument {
    DocumentDraft draft;  // its figures not yet computed (RecomputeStoredFigures)
    double total = 0;     // the total the records hold: taxable, VAT and outside VAT of every code
};

// Reads stored document `record` of qorvana.fte. The failure says, in Italian, which record or
// file is missing, damaged or unreadable.
Result<StoredDocument> ReadStoredDocument(const DataFiles& files, int record);

// The texts of the list entries the draft's positions choose, as the forms' lists show them: the
// payment terms, the transport reason, the appearance of the goods.
void NameListEntries(DocumentDraft& draft, const PaymentTerms& terms, const StartTables& start);

// The stored document's figures computed again from its lines as the body form computes them,
// the stamp duty by the draft's e-invoice terms and document type (set them first). Refused when
// the total is not the one stored: a VAT table changed since would make it another document.
Status RecomputeStoredFigures(StoredDocument& stored, const VatTable& vat, const Money& money);

}  // namespace qorvana
