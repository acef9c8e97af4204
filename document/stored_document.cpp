#include "document/stored_document.h"

#include <cmath>
#include <string>
#include <vector>

#include "core/civil_date.h"
#include "core/numbers.h"
#include "core/paths.h"
#include "core/text.h"
#include "customers/customer_record.h"
#include "document/document_continuation_record.h"
#include "document/document_kind.h"
#include "document/document_record.h"
#include "document/document_setup.h"
#include "document/due_dates.h"
#include "document/einvoice_amounts.h"
#include "document/line_file.h"

namespace qorvana {
namespace {

namespace d = document_record;
namespace c = continuation_record;

// "dd/mm/yyyy" of a record's yyyymmdd; empty for a blank date.
std::string ShownDate(const std::string& yyyymmdd) {
    return CivilDate::ShownFromRecord(Trim(yyyymmdd));
}

// A list position as the line file keeps it ("-1" for none).
int Position(const std::string& text) {
    const double value = Val(text);
    return value >= -1 && value < 1000 ? static_cast<int>(value) : -1;
}

// The entry at `position` of a form's list; empty for none.
std::string Entry(const std::vector<std::string>& list, int position) {
    return position >= 0 && position < static_cast<int>(list.size())
               ? list[static_cast<std::size_t>(position)]
               : std::string();
}

DocumentKind KindOf(std::int16_t stored) {
    switch (stored) {
        case static_cast<int>(DocumentKind::CreditNote):
            return DocumentKind::CreditNote;
        case static_cast<int>(DocumentKind::ElectronicInvoice):
            return DocumentKind::ElectronicInvoice;
        default:
            return DocumentKind::Invoice;
    }
}

// The e-invoice state posting stored (kFpaOrdinary for a value no state has).
int FpaStateOf(double stored) {
    return std::isfinite(stored) && stored >= kFpaOrdinary && stored <= 1e6
               ? static_cast<int>(stored)
               : kFpaOrdinary;
}

double StoredTotal(const DocumentRecord& doc, const ContinuationRecord& more) {
    double total = 0;
    for (int i = 0; i < d::kVatSlots; ++i)
        total += doc.dbl(DocumentRecord::At(d::kTaxable, i)) +
                 doc.dbl(DocumentRecord::At(d::kVat, i)) +
                 doc.dbl(DocumentRecord::At(d::kOutsideVat, i));
    for (int i = 0; i < c::kVatSlots; ++i)
        total += more.dbl(ContinuationRecord::At(c::kTaxable, i)) +
                 more.dbl(ContinuationRecord::At(c::kVat, i)) +
                 more.dbl(ContinuationRecord::At(c::kOutsideVat, i));
    return total;
}

void TakeHeader(HeaderEntries& h, const DocumentRecord& doc, const ContinuationRecord& more) {
    h.documentNumber = Trim(doc.text(d::kNumber));
    h.documentDate = ShownDate(doc.text(d::kDocumentDate));
    h.registrationDate = ShownDate(doc.text(d::kRegistrationDate));
    for (int i = 0; i < 6; ++i) {
        const bool first = i < d::kDueDates;
        h.dueDates[static_cast<std::size_t>(i)] =
            ShownDate(first ? doc.text(DocumentRecord::At(d::kDueDate, i))
                            : more.text(ContinuationRecord::At(c::kDueDate, i - d::kDueDates)));
        const double amount =
            first ? doc.dbl(DocumentRecord::At(d::kDueAmount, i))
                  : more.dbl(ContinuationRecord::At(c::kDueAmount, i - d::kDueDates));
        if (amount != 0) h.instalmentAmounts[static_cast<std::size_t>(i)] = InstalmentText(amount);
    }
    h.paymentTerms = Position(doc.text(d::kPaymentTerms)) - 1;
    h.deferredVat = Trim(doc.text(d::kVatOnPayment)) == "1";
    h.vatOptions.selfInvoice = Trim(doc.text(d::kSelfInvoice)) == "1";
}

// The start form's transport entries and the scorporo box, from the line file's header lines
// (document/line_file.h, IssuedHeader).
void TakeLineFileHeader(DocumentDraft& draft, const std::vector<std::string>& header) {
    const auto line = [&header](std::size_t n) {
        return n < header.size() ? header[n] : std::string();
    };
    TransportEntries& t = draft.transport;
    t.deliveryNote = line(2);  // with the numbers of the delivery notes imported
    t.order = line(3);
    t.packages = line(4);
    t.weight = line(5);
    t.startDate = line(6);
    t.startTime = line(7);
    t.reasonPosition = Position(line(8));
    t.goodsAppearancePosition = Position(line(9));
    const int shipping = Position(line(10));
    t.shipping = shipping == 0   ? Shipping::BySender
                 : shipping == 1 ? Shipping::ByRecipient
                                 : Shipping::ByCarrier;
    draft.vatInclusive = line(11) == "1";
}

}  // namespace

Result<StoredDocument> ReadStoredDocument(const DataFiles& files, int record) {
    try {
        if (record < 1 || record > files.physicalRecords(kFte) ||
            record > files.physicalRecords(kF2e))
            return Failure{"il documento " + std::to_string(record) +
                           " di qorvana.fte non è nell'archivio"};
        const DocumentRecord doc = files.read<InvoicesFile>(record);
        const ContinuationRecord more = files.read<ContinuationsFile>(record);
        StoredDocument stored;
        DocumentDraft& draft = stored.draft;
        TakeHeader(draft.header, doc, more);
        const std::string lineFile = LineFile::IssuedFileName(doc.single(d::kSerial));
        const auto content =
            LineFile::Read(FindInFolder(files.pathOf(kFte).parent_path(), lineFile),
                           LineFile::kIssuedHeaderLines, LineFile::kIssuedBlocks);
        if (!content || content->readError != 0 || content->badLine != 0)
            return Failure{"il file delle righe " + lineFile + " del documento n. " +
                           draft.header.documentNumber + " del " + draft.header.documentDate +
                           " manca o è danneggiato"};
        draft.customer = ReadDraftCustomer(files, doc.int16(d::kCustomer));
        draft.kind = KindOf(doc.int16(d::kKind));
        draft.fpaState = FpaStateOf(more.dbl(c::kFpaMode));
        for (std::size_t n = 0; n < content->blocks.size(); ++n)
            draft.lines[static_cast<int>(n) + 1] = content->blocks[n];
        TakeLineFileHeader(draft, content->header);
        static constexpr Field<CustomerLayout> kCarrier[] = {cli::kCarrier1, cli::kCarrier2,
                                                             cli::kCarrier3};
        const CustomerRecord customer = ReadCountedCustomer(files, draft.customer.record);
        for (std::size_t j = 0; j < draft.transport.carrierLines.size(); ++j)
            draft.transport.carrierLines[j] = Trim(customer.text(kCarrier[j]));
        stored.total = StoredTotal(doc, more);
        return stored;
    } catch (const RecordIoError& e) {
        return Failure{e.what()};
    }
}

void NameListEntries(DocumentDraft& draft, const PaymentTerms& terms, const StartTables& start) {
    draft.header.paymentTermsText = terms.description(draft.header.paymentTerms + 1);
    TransportEntries& t = draft.transport;
    t.reason = Entry(start.transportReasons, t.reasonPosition);
    t.goodsAppearance = Entry(start.goodsAppearance, t.goodsAppearancePosition);
}

Status RecomputeStoredFigures(StoredDocument& stored, const VatTable& vat, const Money& money) {
    DocumentDraft& draft = stored.draft;
    draft.figures = RecomputeDocument(draft.lines, vat, draft.vatInclusive, money);
    ChargeStampDuty(draft.figures, IsCreditNote(draft.kind, draft.panel.documentType),
                    draft.einvoice, money);
    if (money.RoundAmount(draft.figures.documentTotal - stored.total) == 0) return {};
    return Failure{
        "il documento n. " + draft.header.documentNumber + " del " + draft.header.documentDate +
        " ricalcolato con la tabella IVA di oggi ha un totale di " +
        money.FormatAmount(draft.figures.documentTotal) + ", diverso da quello memorizzato"};
}

}  // namespace qorvana
