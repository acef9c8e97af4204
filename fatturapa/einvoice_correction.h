#pragma once
// A rejected e-invoice corrected. The exchange system rejects a file (most often for the
// customer's data, 00305 a wrong VAT number); the operator corrects the customer's card or its
// e-invoice data, and the program writes the file again from the stored document: its
// records, its line file and the panel's entries of its archive copy, with the customer's data
// and the company's settings as they are now, under the next transmission progressive, listed
// in place of the rejected one. The same number and date hold only within five days of the
// rejection (Agenzia delle Entrate, circolare 13/E of 2 July 2018); after that a new document
// is needed (docs/einvoice-sending.md).

#include <optional>
#include <string>
#include <vector>

#include "core/civil_date.h"
#include "core/result.h"
#include "document/document_math.h"
#include "fatturapa/einvoice_terms.h"
#include "fatturapa/fpa_record.h"
#include "fatturapa/fpa_tables.h"
#include "fatturapa/sdi_store.h"

namespace qorvana {

struct Session;

// The company's settings an e-invoice is written with (CompanySettings).
struct EInvoiceCompany {
    const FpaRecord& fpa;
    const VatTable& vat;
    const HeaderTables& tables;
    const EInvoiceSettings& einvoice;
};

// The days after the rejection within which the document goes again with its number and date.
inline constexpr int kSameNumberDays = 5;

// The day of the rejection: the date its latest NS notification carries (not the day it was
// read); nullopt when the e-invoice has none.
std::optional<CivilDate> RejectionDay(const EInvoiceEntry& entry);
// Done while the rejected e-invoice can still go with the same number and date on `today`;
// else a refusal saying why it can no longer, in Italian.
Status SameNumberHolds(const EInvoiceEntry& entry, const CivilDate& today);

struct Rewritten {
    std::string fileName;  // the new file's name
    std::string message;   // Italian: what was written, with any warning
};
// Writes the rejected e-invoice `rejectedFile` again from its stored document (above) and lists
// it in `store` as correcting the rejected one, ready to be sent: the file, its archive copy,
// the counter and the list (qorvana.sdi) in one step under an intent. The caller holds the
// company's posting lock. A refusal says, in Italian, why nothing was written; a failure once
// the intent is written (partlyDone) says that the intent will complete the file and the list.
Result<Rewritten> RewriteRejectedEInvoice(SdiStore& store, const std::string& rejectedFile,
                                          const EInvoiceCompany& company, Session& session);

}  // namespace qorvana
