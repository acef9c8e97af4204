#pragma once
// The journal entry proposed for a posted document: the customer line first, then the
// withholding, revenue, VAT and outside-VAT lines, and the description from the template
// of the print settings.

#include <array>
#include <string>

#include "core/money.h"
#include "document/document_math.h"
#include "journal/journal_entry.h"

namespace qorvana {

class DataFiles;
struct DocumentDraft;

struct ProposalInput {
    DocumentFigures figures;
    Money money;
    bool creditNote = false;  // the credit-note rules (kind 1, or type TD04 of kind 7)
    // Customer record: account codes at offsets 594, 602, 610, 618 and the name.
    std::array<std::string, 4> customerAccounts{};  // customer, revenue, VAT, outside VAT
    std::string customerName;
    bool deferredVat = false;       // the header's esig box
    std::string documentNumber;     // header text2(0), as typed
    std::string documentDate;       // header document date, "dd/mm/yyyy"
    std::string vatRegisterNumber;  // header text2(3), stored at offset 434 of the document
    bool numberWithYear = false;    // generalSettings offset 252 = "1"
    // Print settings lines 5 (withholding account at characters 1-8), 8 (deferred-VAT
    // account at characters 81-88) and 15 (description templates: invoice 1-40, credit
    // note 41-80).
    std::string withholdingAccountLine;
    std::string deferredVatAccountLine;
    std::string descriptionTemplates;
    // The e-invoices to every customer: split payment closes the VAT against the customer
    // (the administration pays it to the treasury). A stamp duty charged to the customer is
    // in the figures' outside-VAT amounts.
    bool splitPayment = false;
};

// The proposed entry. A negative amount goes to the opposite column with its absolute
// value, so that the proposal always balances.
JournalEntry ProposeEntry(const ProposalInput& in);

// The proposal's inputs for the document just posted: its draft, its customer's record in
// `files`, the currency, the general settings' number-with-year switch and the print
// settings' lines.
ProposalInput ProposalFor(const DocumentDraft& draft, const DataFiles& files, const Money& money,
                          bool numberWithYear, const std::array<std::string, 21>& printLines);

// The description: the template with the first "$D", "$N", "$G" and "$P" replaced in turn.
std::string ProposedDescription(const ProposalInput& in);

}  // namespace qorvana
