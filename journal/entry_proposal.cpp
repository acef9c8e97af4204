#include "journal/entry_proposal.h"

#include <cmath>
#include <string_view>

#include "core/civil_date.h"
#include "core/cp1252.h"
#include "core/data_files.h"
#include "core/general_settings_record.h"
#include "core/numbers.h"
#include "core/text.h"
#include "customers/customer_record.h"
#include "document/document_draft.h"
#include "document/document_kind.h"
#include "document/einvoice_amounts.h"

namespace qorvana {
namespace {

// Characters first..first+count-1 (1-based) of a text, one Windows-1252 byte per character.
std::string Characters(const std::string& text, std::size_t first, std::size_t count) {
    const std::string bytes = Utf8ToCp1252(text);
    if (first > bytes.size()) return {};
    return Cp1252ToUtf8(std::string_view(bytes).substr(first - 1, count));
}

// The document number without control characters and without character 255.
std::string CleanNumber(const std::string& number) {
    std::string bytes;
    for (char c : Utf8ToCp1252(number)) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= 32 && code != 255) bytes += c;
    }
    return Cp1252ToUtf8(bytes);
}

void ReplaceFirst(std::string& text, std::string_view placeholder, const std::string& by) {
    const auto at = text.find(placeholder);
    if (at != std::string::npos) text.replace(at, placeholder.size(), by);
}

// Adds a line on the next free slot: a positive amount in its own column, a negative one in
// the other column with its absolute value.
void AddLine(JournalEntry& entry, int& next, const std::string& code, double amount,
             bool debitSide) {
    if (next >= JournalEntry::kLines) return;
    EntryLine& line = entry.lines[static_cast<std::size_t>(next++)];
    line.code = Trim(code);
    if (amount < 0) debitSide = !debitSide;
    (debitSide ? line.dare : line.avere) = std::fabs(amount);
}

}  // namespace

ProposalInput ProposalFor(const DocumentDraft& draft, const DataFiles& files, const Money& money,
                          bool numberWithYear, const std::array<std::string, 21>& printLines) {
    ProposalInput in;
    in.figures = draft.figures;
    in.money = money;
    in.creditNote = IsCreditNote(draft.kind, draft.panel.documentType);
    const auto customer = files.read<CustomersFile>(draft.customer.record);
    in.customerAccounts = {customer.text(cli::kCustomerAccount),
                           customer.text(cli::kRevenueAccount), customer.text(cli::kVatAccount),
                           customer.text(cli::kOutsideVatAccount)};
    in.customerName = customer.text(cli::kName1);
    in.deferredVat = draft.header.deferredVat;
    in.documentNumber = draft.header.documentNumber;
    in.documentDate = draft.header.documentDate;
    in.vatRegisterNumber = draft.header.vatRegisterNumber;
    in.numberWithYear = numberWithYear;
    in.withholdingAccountLine = printLines[5];
    in.deferredVatAccountLine = printLines[8];
    in.descriptionTemplates = printLines[15];
    in.splitPayment = SplitPayment(draft);
    return in;
}

std::string ProposedDescription(const ProposalInput& in) {
    std::string text = Trim(Characters(in.descriptionTemplates, in.creditNote ? 41 : 1, 40));
    std::string number = CleanNumber(in.documentNumber);
    if (in.numberWithYear) number += "/" + Characters(in.documentDate, 7, 4);
    ReplaceFirst(text, "$D", number);
    ReplaceFirst(text, "$N", Trim(in.customerName));
    const auto date = CivilDate::Parse(in.documentDate);
    ReplaceFirst(text, "$G", date ? date->text() : std::string());
    ReplaceFirst(text, "$P", PlainNumberText(Val(in.vatRegisterNumber)));
    return text;
}

JournalEntry ProposeEntry(const ProposalInput& in) {
    const DocumentFigures& f = in.figures;
    const double t1 = in.money.RoundAmount(f.taxableWithVat());
    const double t2 = in.money.RoundAmount(f.vatTotal());
    const double t3 = in.money.RoundAmount(f.outsideVat());
    const double w = f.withholdingAmount;
    const bool customerDebit = !in.creditNote;

    JournalEntry entry;
    int next = 0;
    AddLine(entry, next, in.customerAccounts[0], t1 + t2 + t3 - w, customerDebit);
    const std::string vatAccount =
        in.deferredVat ? Characters(in.deferredVatAccountLine, 81, 8) : in.customerAccounts[2];
    const struct {
        std::string code;
        double amount;
        bool debit;
    } others[] = {
        {Characters(in.withholdingAccountLine, 1, 8), w, customerDebit},
        {in.customerAccounts[1], t1, !customerDebit},
        {vatAccount, t2, !customerDebit},
        {in.customerAccounts[3], t3, !customerDebit},
        // Split payment: the VAT charged is closed against the customer, who pays without it.
        {vatAccount, in.splitPayment ? t2 : 0, customerDebit},
        {in.customerAccounts[0], in.splitPayment ? t2 : 0, !customerDebit},
    };
    for (const auto& o : others)
        if (o.amount != 0) AddLine(entry, next, o.code, o.amount, o.debit);

    entry.description = ProposedDescription(in);
    entry.date = in.documentDate;
    return entry;
}

}  // namespace qorvana
