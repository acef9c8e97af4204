#pragma once
// What the program does with a document on its way to the archive, as one call for the
// harnesses: its figures, its printed pages and their print image, its FatturaPA file, its
// posting and its journal entry, each read from the company's current files. Whatever the
// files hold, none of it may crash; a print image the program writes must read back.

#include <string>

#include "core/result.h"
#include "document/document_draft.h"

namespace qorvana {
struct Session;
}

namespace qorvana::fuzz {

// Stops the process (a finding for the fuzzer) when `holds` is false.
void Expect(bool holds, const char* what);

// A sample invoice: customer `customer`, two of article 1 (ABC) at 10 euro and a free line,
// number `number` of 05/03/2025, first payment condition. The company holds number 1.
DocumentDraft SampleDraft(int customer, const std::string& number);

// The draft's figures, and its one instalment of the whole amount due.
void Recompute(const Session& session, const VatTable& vat, DocumentDraft& draft);

// Recomputes the draft's figures and takes it through printing, the FatturaPA export (not
// written) and the journal entry's proposal, with the settings and records of the session's
// company; with `post`, posts the document and its journal entry too.
void ConfirmDocument(Session& session, DocumentDraft& draft, bool post);

// The FatturaPA 1.2.3 file the program writes for SampleDraft(9, "2"), an invoice to the
// public administration; a failure gives the reason when it writes none.
Result<std::string> SampleFatturaPa(Session& session);

}  // namespace qorvana::fuzz
