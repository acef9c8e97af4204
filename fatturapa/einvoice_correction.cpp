#include "fatturapa/einvoice_correction.h"

#include <filesystem>

#include "core/counters.h"
#include "core/counters_record.h"
#include "core/paths.h"
#include "core/session.h"
#include "core/text.h"
#include "document/document_record.h"
#include "document/document_setup.h"
#include "document/stored_document.h"
#include "fatturapa/fpa_checks.h"
#include "fatturapa/fpa_export.h"
#include "fatturapa/fpa_file.h"
#include "fatturapa/sdi_einvoice.h"
#include "fatturapa/sdi_files.h"
#include "fatturapa/sdi_state.h"
#include "fatturapa/sdi_xml.h"

namespace qorvana {
namespace {

namespace d = document_record;

CivilDate DaysAfter(CivilDate day, int days) {
    for (; days > 0; --days)
        if (++day.day > CivilDate::DaysInMonth(day.year, day.month)) {
            day.day = 1;
            if (++day.month > 12) {
                day.month = 1;
                ++day.year;
            }
        }
    return day;
}

// The date of "2026-12-02T09:30:00" or "2026-12-02 09:30:00".
std::optional<CivilDate> DateOfMoment(const std::string& moment) {
    if (moment.size() < 10) return std::nullopt;
    return CivilDate::Parse(moment.substr(8, 2) + "/" + moment.substr(5, 2) + "/" +
                            moment.substr(0, 4));
}

// What only the e-invoice held, read from the rejected file: the withholding's reason (the
// archive copy keeps one character), the invoice a credit note corrects, the delivery notes of
// a deferred invoice (a DatiDDT naming the lines each brought).
struct FileOnly {
    std::string withholdingReason;
    InvoiceReference correctedInvoice;
    std::vector<ImportedNote> notes;
};

std::string FormDateOfIso(const std::string& iso) {
    const auto day = DateOfMoment(iso);
    return day ? day->text() : std::string();
}

Result<FileOnly> ReadFileOnly(const std::string& xml) {
    sdi_xml::XmlProblem wrong;
    const sdi_xml::Document doc = sdi_xml::Parse(xml, wrong);
    const _xmlNode* general =
        doc ? sdi_xml::At(sdi_xml::Root(doc), "FatturaElettronicaBody/DatiGenerali") : nullptr;
    if (!general) return Failure{doc ? "non è una fattura elettronica" : sdi_xml::Italian(wrong)};
    FileOnly only;
    only.withholdingReason =
        sdi_xml::TextAt(general, "DatiGeneraliDocumento/DatiRitenuta/CausalePagamento");
    only.correctedInvoice.id = sdi_xml::TextAt(general, "DatiFattureCollegate/IdDocumento");
    only.correctedInvoice.date =
        FormDateOfIso(sdi_xml::TextAt(general, "DatiFattureCollegate/Data"));
    for (const _xmlNode* note : sdi_xml::Children(general, "DatiDDT")) {
        const std::string number = sdi_xml::TextAt(note, "NumeroDDT");
        if (!sdi_xml::Child(note, "RiferimentoNumeroLinea") || number.empty() ||
            number.size() > 5 || number.find_first_not_of("0123456789") != std::string::npos)
            continue;
        only.notes.push_back({std::stoi(number), FormDateOfIso(sdi_xml::TextAt(note, "DataDDT"))});
    }
    return only;
}

// The record of the stored invoice or credit note of that number and date (yyyy-mm-dd); 0
// when none, -1 when several.
int FindStoredDocument(const DataFiles& files, const std::string& number,
                       const std::string& isoDate) {
    const std::string date = isoDate.size() == 10
                                 ? isoDate.substr(0, 4) + isoDate.substr(5, 2) + isoDate.substr(8)
                                 : std::string();
    int found = 0;
    const int count = RecordCount(files, tot::kInvoices);
    for (int record = 1; record <= count; ++record) {
        const DocumentRecord doc = files.read<InvoicesFile>(record);
        if (Trim(doc.text(d::kNumber)) != number || Trim(doc.text(d::kDocumentDate)) != date)
            continue;
        if (found != 0) return -1;
        found = record;
    }
    return found;
}

// The archive copy of the e-invoice's panel: that of its own progressive, else that of the
// e-invoice it corrects (a file corrected by hand was written without one). A failure says
// that there is none, or that the copy cannot be read.
Result<FpaRecord> ArchivedEntries(const SdiStore& store, const EInvoiceEntry& entry,
                                  const Session& s) {
    for (const EInvoiceEntry* e = &entry; e;
         e = e->replaces.empty() ? nullptr : store.find(e->replaces)) {
        const std::string name = "fpa" + Trim(e->progressive);
        const auto file = s.companyFile(name);
        std::error_code error;
        if (!Trim(e->progressive).empty() && std::filesystem::is_regular_file(file, error))
            return LoadFpaRecord(file, s.companyPath(name));
    }
    return Failure{"manca la copia fpa" + Trim(entry.progressive) +
                   " dei dati fatturaPA del documento, nella cartella della ditta"};
}

}  // namespace

std::optional<CivilDate> RejectionDay(const EInvoiceEntry& entry) {
    std::optional<CivilDate> day;
    for (const NotificationRecord& n : entry.notifications) {
        if (n.kind != NotificationKind::NS) continue;
        const auto date = DateOfMoment(n.moment.empty() ? n.recordedAt : n.moment);
        if (date && (!day || *date > *day)) day = date;
    }
    return day;
}

Status SameNumberHolds(const EInvoiceEntry& entry, const CivilDate& today) {
    const auto rejected = RejectionDay(entry);
    if (!rejected || today <= DaysAfter(*rejected, kSameNumberDays)) return {};
    return Failure{
        "la fattura n. " + entry.number + " è stata scartata il " + rejected->text() +
        ": con lo stesso numero e la stessa data si può inviare di nuovo solo entro " +
        std::to_string(kSameNumberDays) + " giorni dallo scarto (fino al " +
        DaysAfter(*rejected, kSameNumberDays).text() +
        ", circolare 13/E del 2018 dell'Agenzia delle Entrate). Occorre emettere un nuovo "
        "documento, con un nuovo numero e la data di oggi, che faccia riferimento a quello "
        "scartato"};
}

Result<Rewritten> RewriteRejectedEInvoice(SdiStore& store, const std::string& rejectedFile,
                                          const EInvoiceCompany& company, Session& s) {
    const auto refuse = [](std::string why) -> Result<Rewritten> {
        return Failure{std::move(why)};
    };
    EInvoiceEntry* old = store.find(rejectedFile);
    if (!old || StateOf(*old) != EInvoiceState::Rejected || !old->replacedBy.empty())
        return refuse("si può correggere solo una fattura elettronica scartata, una volta");
    if (Status holds = SameNumberHolds(*old, s.clock.today()); !holds)
        return refuse(holds.message());
    const Result<std::string> rejectedXml = ReadFileBytes(s.paths.map(old->path));
    if (!rejectedXml) return refuse(rejectedXml.message());
    const Result<FileOnly> only = ReadFileOnly(*rejectedXml);
    if (!only) return refuse(old->fileName + ": " + only.message());
    const Result<FpaRecord> archived = ArchivedEntries(store, *old, s);
    if (!archived) return refuse(archived.message());
    const std::string ofDocument =
        "il documento n. " + old->number + " del " + FormDateOfIso(old->date);
    try {
        const int record = FindStoredDocument(s.files, old->number, old->date);
        if (record == 0) return refuse(ofDocument + " non è tra i documenti memorizzati");
        if (record < 0)
            return refuse(ofDocument + " è memorizzato più volte: correggere il file a mano");
        Result<StoredDocument> read = ReadStoredDocument(s.files, record);
        if (!read) return refuse(read.message());
        DocumentDraft& draft = read->draft;
        draft.panel.correctedInvoice = only->correctedInvoice;
        draft.imports.notes = only->notes;
        // A public administration's e-invoice (kind 7) of type TD04 is a credit note too.
        draft.panel.documentType = archived->text(fpa::kDocumentType);

        const CustomerRecord customer = ReadCountedCustomer(s.files, draft.customer.record);
        const Result<CustomerEInvoiceTerms> terms =
            ReadEInvoiceTerms(s, company.einvoice, company.tables, draft.customer.record);
        if (!terms) return refuse(terms.message());
        draft.einvoice = terms->terms;
        const Money money = s.money();
        // The file is the stored document: a VAT table changed since would make it another.
        if (Status same = RecomputeStoredFigures(*read, company.vat, money); !same)
            return refuse(same.message());

        const DocumentKind kind = draft.kind == DocumentKind::CreditNote ? DocumentKind::CreditNote
                                                                         : DocumentKind::Invoice;
        const StoredEntries stored{*archived, kind, only->withholdingReason};
        const Result<FpaExportPlan> prepared = PrepareFpaExport(
            {company.fpa, draft, customer, company.vat, company.tables, money, s.files, s.paths,
             CompanyFolder(static_cast<int>(s.companyNumber)), CheckWithProgramSchema, &stored});
        if (!prepared) return refuse(prepared.message());
        const FpaExportPlan& plan = *prepared;
        if (store.find(plan.fileName) || plan.replacesFile)
            return refuse("il file " + plan.fileName +
                          " esiste già: il contatore dei progressivi di invio è indietro");
        const Result<EInvoiceFacts> facts = ReadEInvoiceFacts(plan.xml);
        if (!facts) return refuse(plan.fileName + ": " + facts.message());
        const std::string oldName = old->fileName;
        std::string message = "Il file " + plan.fileName + " è stato scritto dal documento n. " +
                              old->number + " del " + FormDateOfIso(old->date) +
                              ", con i dati del cliente come sono ora e il progressivo invio " +
                              std::to_string(plan.progressive) + ", al posto di " + oldName + ".";
        // The list of the e-invoices to send, with the new file in place of the rejected one,
        // is written in the same step as the file: a crash leaves both or neither.
        SdiStore changed = store;
        changed.find(oldName)->replacedBy = plan.fileName;
        changed.add(plan.fileName, plan.folderText + plan.fileName, *facts).replaces = oldName;
        const WholeFileContent list{FindInFolder(s.companyFolder(), kSdiStoreFile), kSdiStoreFile,
                                    FormatSdiStore(changed)};
        const Result<FpaFileNamed> committed =
            CommitFpaExport(plan, s.files, s.paths, s.companyFolder(), list);
        if (!committed && !committed.partlyDone()) return refuse(committed.message());
        store = std::move(changed);
        // Left to the intent: the file and the list will be completed together.
        if (!committed) return Failure{committed.message(), true};
        for (const std::string& w : plan.warnings) message += "\n\nAttenzione: " + w;
        return Rewritten{plan.fileName, message};
    } catch (const RecordIoError& e) {
        return refuse(e.what());
    }
}

}  // namespace qorvana
