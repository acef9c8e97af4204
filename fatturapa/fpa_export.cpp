#include "fatturapa/fpa_export.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <memory>

#include "document/document_kind.h"
#include "document/einvoice_amounts.h"
#include "document/numbering.h"

#include "core/counters_record.h"
#include "core/data_files.h"
#include "core/intent_log.h"
#include "core/numbers.h"
#include "core/paths.h"
#include "core/system_error.h"
#include "core/text.h"
#include "core/whole_file.h"
#include "core/write_set.h"

namespace qorvana {
namespace {

std::string First(const std::string& item, std::size_t n) {
    return Trim(item.substr(0, std::min(n, item.size())));
}

// The leading code of the item at `position` of a panel list ("RT01" of "RT01 Ritenuta
// persone fisiche" with n = 4); empty for no choice.
std::string ItemCode(const std::vector<std::string>& items, int position, std::size_t n) {
    if (position < 0 || position >= static_cast<int>(items.size())) return {};
    return First(items[static_cast<std::size_t>(position)], n);
}

// The progressive of this export: the one already used when the document was exported
// before in this run; otherwise the one typed over the proposal, else the counter's next.
struct Progressive {
    int value = 0;
    bool advancesCounter = false;
};

Result<Progressive> ChooseProgressive(const std::string& typedText, const std::string& proposed,
                                      int fpaState, const DataFiles& files) {
    if (fpaState > 0) return Progressive{fpaState, false};
    const int stored = files.read<CountersFile>(tot::kFatturaPa).int16(tot::kRecordCount);
    if (stored < 0)
        return Failure{
            "Il contatore dei progressivi di invio della fatturaPA (qorvana.tot) è "
            "danneggiato: il file XML non è stato creato."};
    const std::string typed = Trim(typedText);
    if (typed.empty() || typed == Trim(proposed)) {
        if (stored >= kMaxCountedRecords)
            return Failure{
                "Il contatore dei progressivi di invio della fatturaPA ha raggiunto il "
                "massimo (" +
                std::to_string(kMaxCountedRecords) + "): il file XML non è stato creato."};
        return Progressive{stored + 1, true};
    }
    const bool digits =
        typed.size() <= 5 && typed.find_first_not_of("0123456789") == std::string::npos;
    const int value = digits ? std::stoi(typed) : 0;
    if (value < 1 || value > kMaxCountedRecords)
        return Failure{"Il progressivo invio \"" + typed +
                       "\" non è valido: indicare un numero da 1 a " +
                       std::to_string(kMaxCountedRecords) + "."};
    return Progressive{value, true};
}

// The counter's next progressive, whatever the document had before.
Result<Progressive> NextProgressive(const DataFiles& files) {
    const int stored = files.read<CountersFile>(tot::kFatturaPa).int16(tot::kRecordCount);
    if (stored < 0 || stored >= kMaxCountedRecords)
        return Failure{
            "Il contatore dei progressivi di invio della fatturaPA (qorvana.tot) non si può "
            "usare: il file XML non è stato creato."};
    return Progressive{stored + 1, true};
}

// The panel's entries of a document's archive copy (from the document type to the VAT on
// payment) taken into `record`, with the new progressive and the customer's code as now.
void TakeArchivedEntries(FpaRecord& record, const FpaRecord& archived,
                         const CustomerRecord& customer, int progressive) {
    const std::size_t from = fpa::kDocumentType.offset;
    const std::size_t to = fpa::kDeferredVat.offset + fpa::kDeferredVat.width;
    std::copy(archived.bytes().begin() + static_cast<std::ptrdiff_t>(from),
              archived.bytes().begin() + static_cast<std::ptrdiff_t>(to),
              record.bytes().begin() + static_cast<std::ptrdiff_t>(from));
    record.setText(fpa::kProgressive, std::to_string(progressive));
    record.setText(fpa::kRecipientCode, customer.text(cli::kRecipientCode));
}

// The XML folder of the settings as the Part writes it, ending with "\".
std::string FolderText(const FpaRecord& record) {
    std::string folder = Trim(record.text(fpa::kXmlFolder));
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace

std::filesystem::path FpaXmlFolder(const FpaRecord& fpa, const PathMapper& paths) {
    const std::string folder = FolderText(fpa);
    return folder.empty() ? std::filesystem::path() : paths.map(folder);
}

namespace {

// A file of the company folder, by its suite path.
std::string CompanyPath(const FpaExportInput& in, const std::string& name) {
    return in.companyFolder + "\\" + name;
}

// Refused when the exchange system would reject the file to be written under `fileName`.
Status AcceptedByExchangeSystem(const FpaFileCheck& check, const std::string& fileName,
                                const std::string& xml) {
    const Result<std::vector<FpaFinding>> checked = check(fileName, xml);
    if (!checked) return Failure{"Il file XML non è stato creato: " + checked.message()};
    const std::vector<FpaFinding>& findings = *checked;
    if (findings.empty()) return {};
    std::string message =
        "Il file XML non è stato creato: il Sistema di Interscambio lo scarterebbe. Correggere:";
    for (const auto& f : findings) message += "\n- " + FormatFinding(f);
    return Failure{message};
}

// The part of the file name after "_": 1.0 the document number's key, 1.2.3 the progressive
// in base 36.
Result<std::string> NamePart(FpaFormat format, const std::string& number, int progressive) {
    if (format == FpaFormat::V123) return FileProgressive(progressive);
    std::string part = DocumentNumberKey(number);  // no number can name a folder
    if (part.empty())
        return Failure{"Il numero del documento \"" + number +
                       "\" non contiene lettere o cifre: il nome del file XML non si può formare."};
    return part;
}

// The first line of the document whose VAT code has the exemption nature `nature`; 0 none.
int LineOfNature(const LineTable& lines, const HeaderTables& tables, std::string_view nature) {
    for (int n = 1; n <= LineTable::kLines; ++n) {
        const int code = NormalisedVatCode(lines[n].vatCode);
        if (lines[n].inUse() && code > 12 &&
            NatureOfDigits(Trim(tables.exemptions[static_cast<std::size_t>(code - 12)][2])) ==
                nature)
            return n;
    }
    return 0;
}

}  // namespace

void FillFpaRecord(FpaRecord& r, const PanelEntries& panel, const HeaderEntries& header,
                   const HeaderTables& tables, const CustomerRecord& customer,
                   double withholdingAmount, double withholdingRate, int progressive) {
    r.setText(fpa::kDocumentType, First(panel.documentType, 4));
    r.setText(fpa::kDocumentDate, header.documentDate);
    r.setText(fpa::kDocumentNumber, Trim(header.documentNumber));
    r.setText(fpa::kDdtDate, panel.deliveryNote.date);
    r.setText(fpa::kDdtNumber, panel.deliveryNote.id);
    const bool withholding = withholdingRate > 0;
    r.setText(fpa::kWithholdingType,
              withholding ? ItemCode(WithholdingTypeItems(), panel.withholdingType, 4) : "");
    r.setText(fpa::kWithholdingAmount, withholding ? PlainNumberText(withholdingAmount) : "");
    r.setText(fpa::kWithholdingRate, withholding ? PlainNumberText(withholdingRate) : "");
    r.setText(fpa::kWithholdingReason,
              withholding ? ItemCode(WithholdingReasonItems(), panel.withholdingReason, 1) : "");
    for (Field<FpaLayout> f :
         {fpa::kFundType, fpa::kFundRate, fpa::kFundContribution, fpa::kFundTaxable,
          fpa::kFundVatRate, fpa::kFundWithholding, fpa::kFundNature})
        r.setText(f, "");
    r.setText(fpa::kProgressive, std::to_string(progressive));
    const std::pair<const InvoiceReference*, std::array<Field<FpaLayout>, 4>> references[] = {
        {&panel.purchaseOrder,
         {fpa::kOrderId, fpa::kOrderDate, fpa::kOrderItem, fpa::kOrderJobCode}},
        {&panel.contract,
         {fpa::kContractId, fpa::kContractDate, fpa::kContractItem, fpa::kContractJobCode}},
        {&panel.convention,
         {fpa::kConventionId, fpa::kConventionDate, fpa::kConventionItem, fpa::kConventionJobCode}},
        {&panel.reception,
         {fpa::kReceptionId, fpa::kReceptionDate, fpa::kReceptionItem, fpa::kReceptionJobCode}}};
    for (const auto& [reference, fields] : references) {
        r.setText(fields[0], reference->id);
        r.setText(fields[1], reference->date);
        r.setText(fields[2], reference->lineNumber);
        r.setText(fields[3], reference->jobCode);
    }
    r.setText(fpa::kCupCode, panel.cup);
    r.setText(fpa::kCigCode, panel.cig);
    const bool carrier = panel.carrier >= 0 && panel.carrier < 40;
    const auto& row = tables.carriers[static_cast<std::size_t>(carrier ? panel.carrier + 1 : 0)];
    r.setText(fpa::kCarrierCountry, carrier ? row[6] : "");
    r.setText(fpa::kCarrierId, carrier ? row[7] : "");
    r.setText(fpa::kCarrierTaxCode, carrier ? row[8] : "");
    r.setText(fpa::kCarrierName, carrier ? row[2] : "");
    r.setText(fpa::kPaymentCondition, ItemCode(PaymentConditionItems(), panel.paymentCondition, 4));
    r.setText(fpa::kPaymentMode, ItemCode(PaymentModeItems(), panel.paymentMode, 4));
    r.setText(fpa::kArt73, panel.art73 ? "1" : "0");
    r.setText(fpa::kDeferredVat, header.deferredVat ? "1" : "0");
    r.setText(fpa::kRecipientCode, customer.text(cli::kRecipientCode));
}

EInvoiceDocument EInvoiceDocumentOf(const DocumentDraft& draft, const Money& money) {
    EInvoiceDocument e;
    e.customer = draft.einvoice.customer;
    e.notes = draft.imports.notes;
    e.correctedInvoice = draft.panel.correctedInvoice;
    e.correctedInvoice.id = Trim(e.correctedInvoice.id);
    e.stampDuty = StampDutyOf(draft, money) > 0;
    e.chargeStampDuty = draft.einvoice.chargeStampDuty;
    e.stampDutyEntry = draft.einvoice.stampDutyEntry;
    return e;
}

Result<FpaFormat> ReadFpaFormat(const std::filesystem::path& file, const std::string& suiteName) {
    const FileRead read = ReadWholeFile(file);
    if (read.missing) return FpaFormat::V10;
    if (read.error != 0)
        return Failure{ReadFailureMessage(suiteName, read.error) +
                       ": il formato della fatturaPA non si può stabilire."};
    const std::string& text = read.bytes;
    const std::string value = Trim(text.substr(0, text.find_first_of("\r\n")));
    if (value == "1.2.3") return FpaFormat::V123;
    if (value == "1.0") return FpaFormat::V10;
    if (text.empty())
        return Failure{"Il file " + suiteName +
                       " (formato della fatturaPA) non si può leggere: è vuoto."};
    return Failure{"Il file " + suiteName + " indica il formato \"" + value +
                   "\" della fatturaPA: i formati possibili sono 1.0 e 1.2.3."};
}

Result<FpaExportPlan> PrepareFpaExport(const FpaExportInput& in) {
    auto refuse = [](std::string message) { return Failure{std::move(message)}; };
    const DocumentDraft& draft = in.draft;
    const HeaderEntries& header = draft.header;
    const Money money = in.money;
    if (!money.euro())
        return refuse(
            "Il programma è impostato in lire: la fattura elettronica si emette solo in euro.");

    Progressive progressive;
    try {
        auto chosen = in.stored
                          ? NextProgressive(in.files)
                          : ChooseProgressive(header.transmissionNumber, header.proposedProgressive,
                                              draft.fpaState, in.files);
        if (!chosen) return *chosen.failure();
        progressive = *chosen;
    } catch (const RecordIoError& e) {
        return refuse(e.what());
    }

    FpaExportPlan plan;
    plan.progressive = progressive.value;
    plan.advancesCounter = progressive.advancesCounter;
    plan.archiveName = CompanyPath(in, "fpa" + std::to_string(plan.progressive));
    plan.setsFpaState = !in.stored;
    plan.record = in.settings;
    const double withholdingRate = DocumentWithholdingRate(draft.figures, in.vat);
    if (in.stored)
        TakeArchivedEntries(plan.record, in.stored->archived, in.customer, plan.progressive);
    else
        FillFpaRecord(plan.record, draft.panel, header, in.tables, in.customer,
                      draft.figures.withholdingAmount, withholdingRate, plan.progressive);
    const DocumentKind kind = in.stored ? in.stored->kind : draft.kind;
    const std::string withholdingReason =
        in.stored             ? in.stored->withholdingReason
        : withholdingRate > 0 ? ItemCode(WithholdingReasonItems(), draft.panel.withholdingReason, 2)
                              : std::string();

    const std::string formatFile = CompanyPath(in, kFpaFormatFile);
    const Result<FpaFormat> format = ReadFpaFormat(in.paths.map(formatFile), formatFile);
    if (!format) return *format.failure();
    plan.format = *format;
    const bool everyCustomer = draft.einvoice.everyCustomer;
    if (everyCustomer && plan.format != FpaFormat::V123)
        return refuse(
            "Le fatture elettroniche a tutti i clienti si emettono nel formato 1.2.3: "
            "indicarlo nel file " +
            formatFile + ".");
    EInvoiceDocument everyone;
    if (everyCustomer) {
        everyone = EInvoiceDocumentOf(draft, money);
        // A credit note is never charged the duty (see ChargeStampDuty).
        if (IsCreditNote(kind, draft.panel.documentType)) everyone.chargeStampDuty = false;
        if (!everyone.notes.empty() && Trim(plan.record.text(fpa::kDocumentType)) == "TD01")
            plan.record.setText(fpa::kDocumentType, "TD24");
    }
    const Result<std::string> part =
        NamePart(plan.format, Trim(header.documentNumber), plan.progressive);
    if (!part) return *part.failure();
    plan.fileName = Trim(plan.record.text(fpa::kTransmitterCountry)) +
                    Trim(plan.record.text(fpa::kTransmitterId)) + "_" + *part + ".xml";
    if (!IsSafeFileName(plan.fileName))
        return refuse(
            "Il codice del trasmittente (impostazioni fatturaPA) non può formare il "
            "nome del file \"" +
            plan.fileName + "\".");

    plan.folderText = FolderText(plan.record);
    if (plan.folderText.empty())
        return refuse("Impossibile creare il file " + plan.fileName +
                      ": nelle impostazioni fatturaPA manca la cartella dei file XML.");
    const std::filesystem::path folder = in.paths.map(plan.folderText);
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        return refuse("Impossibile creare il file " + plan.fileName + ": la cartella " +
                      plan.folderText + " non esiste.");

    std::array<double, 6> dueAmounts{};
    for (std::size_t i = 0; i < dueAmounts.size(); ++i)
        dueAmounts[i] = ParseDecimal(header.instalmentAmounts[i]);
    const FpaWriterInput document{plan.record,
                                  in.customer,
                                  draft.lines,
                                  draft.figures,
                                  in.vat,
                                  in.tables,
                                  money,
                                  header.dueDates,
                                  dueAmounts,
                                  header.vatOptions.selfInvoice,
                                  draft.vatInclusive,
                                  everyCustomer ? &everyone : nullptr,
                                  draft.einvoice.companyIban,
                                  withholdingReason,
                                  &draft.einvoice.fund};
    FpaComposition composition =
        plan.format == FpaFormat::V123 ? ComposeFpaV12(document) : ComposeFpaV10(document);
    if (!composition.problems.empty()) {
        std::string message = "Il file XML non è stato creato. Correggere:";
        for (const auto& p : composition.problems) message += "\n- " + p;
        return refuse(message);
    }
    if (plan.format == FpaFormat::V123)
        if (auto accepted = AcceptedByExchangeSystem(in.check, plan.fileName, composition.xml);
            !accepted)
            return *accepted.failure();
    plan.xml = std::move(composition.xml);
    if (everyCustomer && everyone.customer.intentProtocol.empty())
        if (const int n = LineOfNature(draft.lines, in.tables, "N3.5"))
            plan.warnings.push_back(
                "La riga " + std::to_string(n) +
                " è non imponibile per dichiarazione d'intento (N3.5), ma i dati fattura "
                "elettronica del cliente non hanno il protocollo della dichiarazione e la data "
                "della ricevuta: la fattura deve indicarli (art. 1 c. 1 lett. c D.L. 746/83). "
                "Indicarli con \"Dati fattura elettronica\" e creare di nuovo il file XML.");
    plan.target = FindInFolder(folder, plan.fileName);
    plan.replacesFile = std::filesystem::exists(plan.target, error);
    return plan;
}

Result<FpaFileNamed> CommitFpaExport(const FpaExportPlan& plan, DataFiles& files,
                                     const PathMapper& paths,
                                     const std::filesystem::path& companyFolder,
                                     const std::optional<WholeFileContent>& withFile) {
    const std::string untouched = " Il progressivo di invio non è stato usato.";
    if (plan.advancesCounter && !files.isWritable(kTot))
        return Failure{"Impossibile creare il file " + plan.fileName +
                       ": il contatore dei progressivi di invio (qorvana.tot) non si può "
                       "aggiornare." +
                       untouched};

    // The file first, written and flushed under a temporary name: when it cannot be written,
    // nothing else is. Then the archive copy, staged too.
    WriteSet set(files);
    const auto xml = set.stage(plan.target, plan.folderText + plan.fileName, plan.xml);
    if (!xml) return Failure{xml.message() + "." + untouched};
    const std::string& archiveName = plan.archiveName;
    const auto bytes = plan.record.bytes();
    const auto archive =
        set.stage(paths.map(archiveName), archiveName,
                  std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!archive) return Failure{archive.message() + "." + untouched};
    std::optional<WriteSet::StagedFile> with;
    if (withFile) {
        auto staged = set.stage(withFile->file, withFile->suiteName, withFile->bytes);
        if (!staged) return Failure{staged.message() + "." + untouched};
        with = *staged;
    }
    // Then the archive copy takes its name and the counter is written, each flushed to the
    // disk, and last the file takes its name.
    set.step("copia " + archiveName);
    set.publish(*archive);
    if (plan.advancesCounter) {
        set.step("contatore dei progressivi di invio (qorvana.tot)");
        try {
            auto counter = set.read<CountersFile>(tot::kFatturaPa);
            const int stored = counter.int16(tot::kRecordCount);
            counter.setInt16(tot::kRecordCount,
                             static_cast<std::int16_t>(std::max(stored, plan.progressive)));
            set.write<CountersFile>(tot::kFatturaPa, counter);
        } catch (const RecordIoError& e) {
            return Failure{"Impossibile creare il file " + plan.fileName +
                           ": il contatore dei progressivi di invio non si può aggiornare (" +
                           e.what() + ")." + untouched};
        }
        set.flush();
    }
    set.step(plan.fileName);
    set.publish(*xml);
    if (with) {
        set.step(withFile->suiteName);
        set.publish(*with);
    }

    const Status applied =
        ApplyWithIntent(set, companyFolder, "La creazione del file XML " + plan.fileName);
    if (applied) return FpaFileNamed{};
    // Once the intent is written the file, the copy and the counter are as good as written: what
    // is missing is completed from it.
    if (applied.partlyDone()) return {*applied.failure(), FpaFileNamed{}};
    return Failure{applied.message() + untouched};
}

bool FpaFileIsCurrent(const FpaExportPlan& plan, const std::filesystem::path& written) {
    if (written != plan.target) return false;
    const FileRead read = ReadWholeFile(written);
    return read.ok() && read.bytes == plan.xml;
}

Status RemoveFpaFile(const PathMapper& paths, const std::string& fpaFile) {
    if (fpaFile.empty() || ::unlink(paths.map(fpaFile).c_str()) == 0 || errno == ENOENT) return {};
    const int error = errno;
    LogSystemError("rimozione di " + fpaFile, error);
    return Failure{"Il file " + fpaFile + " non si può eliminare: " + ItalianReason(error)};
}

std::string FpaCreatedMessage(const FpaExportPlan& plan) {
    std::string message = "Il file " + plan.fileName +
                          " è stato creato all'interno della cartella " + plan.folderText;
    for (const std::string& w : plan.warnings) message += "\n\nAttenzione: " + w;
    return message;
}

std::string FpaReplaceQuestion(const FpaExportPlan& plan) {
    return "Il file " + plan.fileName + " esiste già nella cartella " + plan.folderText +
           ": sostituirlo?";
}

}  // namespace qorvana
