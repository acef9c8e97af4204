#include "fatturapa/fpa_export.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "startup/counters_record.h"
#include "startup/numbers.h"
#include "startup/paths.h"
#include "startup/session.h"
#include "startup/text.h"

namespace qorvana {
namespace {

std::string First(const std::string& item, std::size_t n) {
    return Trim(item.substr(0, std::min(n, item.size())));
}

// The progressive of this export: the one already used when the document was exported
// before in this run; otherwise the one typed over the proposal, else the counter's next.
struct Progressive {
    int value = 0;
    bool advancesCounter = false;
    std::string refusal;
};

Progressive ChooseProgressive(const FpaHeaderEntries& header, const Session& s) {
    if (s.fpaState > 0) return {s.fpaState, false, {}};
    const int stored = s.files.read<tot::kLength>(kTot, tot::kFatturaPa).int16(tot::kWord1);
    if (stored < 0)
        return {0, false,
                "Il contatore dei progressivi di invio della fatturaPA (qorvana.tot) è "
                "danneggiato: il file XML non è stato creato."};
    const std::string typed = Trim(header.progressive);
    if (typed.empty() || typed == Trim(header.proposedProgressive)) {
        if (stored >= 32767)
            return {0, false,
                    "Il contatore dei progressivi di invio della fatturaPA ha raggiunto il "
                    "massimo (32767): il file XML non è stato creato."};
        return {stored + 1, true, {}};
    }
    const bool digits =
        typed.size() <= 5 && typed.find_first_not_of("0123456789") == std::string::npos;
    const int value = digits ? std::stoi(typed) : 0;
    if (value < 1 || value > 32767)
        return {0, false,
                "Il progressivo invio \"" + typed +
                    "\" non è valido: indicare un numero da 1 a 32767."};
    return {value, true, {}};
}

// The XML folder of the settings as the Part writes it, ending with "\".
std::string FolderText(const FpaRecord& record) {
    std::string folder = Trim(record.text(fpa::kXmlFolder));
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

std::filesystem::path ArchivePath(const Session& s, int progressive) {
    return s.paths.map(CompanyFolder(static_cast<int>(s.companyNumber)) + "\\fpa" +
                       std::to_string(progressive));
}

std::string SystemReason(int error) {
    return std::strerror(error);
}

}  // namespace

void FillFpaRecord(FpaRecord& r, const FpaPanelEntries& panel, const FpaHeaderEntries& header,
                   const HeaderTables& tables, const CustomerRecord& customer,
                   double withholdingAmount, double withholdingRate, int progressive) {
    r.setText(fpa::kDocumentType, First(panel.documentType, 4));
    r.setText(fpa::kDocumentDate, header.documentDate);
    r.setText(fpa::kDocumentNumber, Trim(header.documentNumber));
    r.setText(fpa::kDdtDate, panel.dates[6]);
    r.setText(fpa::kDdtNumber, panel.text4[1]);
    const bool withholding = withholdingRate > 0;
    r.setText(fpa::kWithholdingType, withholding ? First(panel.withholdingType, 4) : "");
    r.setText(fpa::kWithholdingAmount, withholding ? PlainNumberText(withholdingAmount) : "");
    r.setText(fpa::kWithholdingRate, withholding ? PlainNumberText(withholdingRate) : "");
    r.setText(fpa::kWithholdingReason, withholding ? First(panel.withholdingReason, 1) : "");
    for (Field f : {fpa::kFundType, fpa::kFundRate, fpa::kFundContribution, fpa::kFundTaxable,
                    fpa::kFundVatRate, fpa::kFundWithholding, fpa::kFundNature})
        r.setText(f, "");
    r.setText(fpa::kProgressive, std::to_string(progressive));
    const Field references[][4] = {
        {fpa::kOrderId, fpa::kOrderDate, fpa::kOrderItem, fpa::kOrderJobCode},
        {fpa::kContractId, fpa::kContractDate, fpa::kContractItem, fpa::kContractJobCode},
        {fpa::kConventionId, fpa::kConventionDate, fpa::kConventionItem, fpa::kConventionJobCode},
        {fpa::kReceptionId, fpa::kReceptionDate, fpa::kReceptionItem, fpa::kReceptionJobCode}};
    for (std::size_t i = 0; i < 4; ++i) {
        const std::size_t text4 = 2 + 3 * i;  // id, item number, job code
        r.setText(references[i][0], panel.text4[text4]);
        r.setText(references[i][1], panel.dates[7 + i]);
        r.setText(references[i][2], panel.text4[text4 + 1]);
        r.setText(references[i][3], panel.text4[text4 + 2]);
    }
    r.setText(fpa::kCupCode, panel.text4[14]);
    r.setText(fpa::kCigCode, panel.text4[15]);
    const bool carrier = panel.carrier >= 0 && panel.carrier < 40;
    const auto& row = tables.carriers[static_cast<std::size_t>(carrier ? panel.carrier + 1 : 0)];
    r.setText(fpa::kCarrierCountry, carrier ? row[6] : "");
    r.setText(fpa::kCarrierId, carrier ? row[7] : "");
    r.setText(fpa::kCarrierTaxCode, carrier ? row[8] : "");
    r.setText(fpa::kCarrierName, carrier ? row[2] : "");
    r.setText(fpa::kPaymentCondition, First(panel.paymentCondition, 4));
    r.setText(fpa::kPaymentMode, First(panel.paymentMode, 4));
    r.setText(fpa::kArt73, panel.art73 ? "1" : "0");
    r.setText(fpa::kDeferredVat, panel.deferredVat ? "1" : "0");
    r.setText(fpa::kRecipientCode, customer.text(cli::kCarried515));
}

std::string FileNamePart(std::string_view documentNumber) {
    std::string part;
    for (char c : documentNumber)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) part += c;
    return part;
}

FpaPrepared PrepareFpaExport(const FpaExportInput& in, const Session& s) {
    auto refuse = [](std::string message) { return FpaPrepared{std::nullopt, std::move(message)}; };
    const Money money = s.money();
    if (!money.euro())
        return refuse(
            "Il programma è impostato in lire: la fattura elettronica si emette solo in euro.");

    Progressive progressive;
    try {
        progressive = ChooseProgressive(in.header, s);
    } catch (const RecordIoError& e) {
        return refuse(e.what());
    }
    if (!progressive.refusal.empty()) return refuse(progressive.refusal);

    FpaExportPlan plan;
    plan.progressive = progressive.value;
    plan.advancesCounter = progressive.advancesCounter;
    plan.record = in.settings;
    const double withholdingRate = DocumentWithholdingRate(in.figures, in.vat);
    FillFpaRecord(plan.record, in.panel, in.header, in.tables, in.customer,
                  in.figures.withholdingAmount, withholdingRate, plan.progressive);

    const std::string number = Trim(in.header.documentNumber);
    const std::string part = FileNamePart(number);
    if (part.empty())
        return refuse("Il numero del documento \"" + number +
                      "\" non contiene lettere o cifre: il nome del file XML non si può formare.");
    plan.fileName = Trim(plan.record.text(fpa::kTransmitterCountry)) +
                    Trim(plan.record.text(fpa::kTransmitterId)) + "_" + part + ".xml";
    if (!IsSafeFileName(plan.fileName))
        return refuse(
            "Il codice del trasmittente (impostazioni fatturaPA) non può formare il "
            "nome del file \"" +
            plan.fileName + "\".");

    plan.folderText = FolderText(plan.record);
    if (plan.folderText.empty())
        return refuse("Impossibile creare il file " + plan.fileName +
                      ": nelle impostazioni fatturaPA manca la cartella dei file XML.");
    const std::filesystem::path folder = s.paths.map(plan.folderText);
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        return refuse("Impossibile creare il file " + plan.fileName + ": la cartella " +
                      plan.folderText + " non esiste.");

    const FpaWriterInput document{
        plan.record, in.customer, in.lines,           in.figures,           in.vat,
        in.tables,   money,       in.header.dueDates, in.header.dueAmounts, in.header.selfBilled};
    FpaComposition composition = ComposeFpaV10(document);
    if (!composition.problems.empty()) {
        std::string message = "Il file XML non è stato creato. Correggere:";
        for (const auto& p : composition.problems) message += "\n- " + p;
        return refuse(message);
    }
    plan.xml = std::move(composition.xml);
    plan.target = FindInFolder(folder, plan.fileName);
    plan.replacesFile = std::filesystem::exists(plan.target, error);
    return {std::move(plan), {}};
}

std::string CommitFpaExport(const FpaExportPlan& plan, Session& s) {
    const std::string cannot =
        "Impossibile creare il file " + plan.fileName + " nella cartella " + plan.folderText + ": ";
    if (plan.advancesCounter && !s.files.isWritable(kTot))
        return cannot +
               "il contatore dei progressivi di invio (qorvana.tot) non si può aggiornare.";

    // The archive first: should the file fail, the next attempt uses the same progressive
    // and replaces this copy.
    const auto bytes = plan.record.bytes();
    const std::string archive = ReplaceFileContents(
        ArchivePath(s, plan.progressive),
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!archive.empty())
        return cannot + "l'archivio fpa" + std::to_string(plan.progressive) +
               " non si può scrivere (" + archive + ").";
    const std::string file = ReplaceFileContents(plan.target, plan.xml);
    if (!file.empty()) return cannot + file + ".";

    if (plan.advancesCounter) {
        try {
            auto counter = s.files.read<tot::kLength>(kTot, tot::kFatturaPa);
            const int stored = counter.int16(tot::kWord1);
            counter.setInt16(tot::kWord1,
                             static_cast<std::int16_t>(std::max(stored, plan.progressive)));
            s.files.write(kTot, tot::kFatturaPa, counter);
        } catch (const RecordIoError& e) {
            return "Il file " + plan.fileName +
                   " è stato scritto, ma il contatore dei progressivi di invio non è stato "
                   "aggiornato: " +
                   e.what();
        }
    }
    s.fpaState = plan.progressive;
    return {};
}

std::string FpaCreatedMessage(const FpaExportPlan& plan) {
    return "Il file " + plan.fileName + " è stato creato all'interno della cartella " +
           plan.folderText;
}

std::string FpaReplaceQuestion(const FpaExportPlan& plan) {
    return "Il file " + plan.fileName + " esiste già nella cartella " + plan.folderText +
           ": sostituirlo?";
}

std::string ReplaceFileContents(const std::filesystem::path& file, std::string_view bytes) {
    const std::filesystem::path temporary = file.string() + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return SystemReason(errno);
    int error = 0;
    for (std::size_t done = 0; done < bytes.size() && error == 0;) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR) error = errno;
        if (n > 0) done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && std::rename(temporary.c_str(), file.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return SystemReason(error);
    }
    return {};
}

}  // namespace qorvana
