#include "forms/header/xml_creation_form.h"

#include <filesystem>

#include "company/company_settings.h"
#include "core/session.h"
#include "document/document_setup.h"
#include "fatturapa/fpa_export.h"
#include "fatturapa/fpa_writer_v12.h"
#include "forms/common/company_lock.h"
#include "forms/common/einvoice_windows.h"
#include "forms/common/message_box.h"
#include "forms/common/qt_text.h"

namespace qorvana {

QString RemoveDocumentXml(Session& session, DocumentDraft& draft, const QString& then) {
    if (draft.fpaFile.empty()) return {};
    const Status removed = RemoveFpaFile(session.paths, draft.fpaFile);
    if (!removed)
        return QStringLiteral("%1: non corrisponde al documento e non va inviato.")
            .arg(Q(removed.message()));
    const QString told =
        QStringLiteral("Il file %1 scritto per il documento è stato eliminato: %2.")
            .arg(Q(draft.fpaFile), then);
    draft.fpaFile.clear();
    return told;
}

XmlCreation::XmlCreation(Session& session, DocumentDraft& draft, QWidget* window)
    : session_(session), draft_(draft), window_(window) {}

std::optional<XmlCreation::Created> XmlCreation::run() {
    return write(false);
}

bool XmlCreation::bringUpToDate() {
    const std::string before = draft_.fpaFile;
    const auto written = write(true);
    if (!written) return false;
    if (written->message.isEmpty()) return true;
    QString text = QStringLiteral(
                       "Il documento è cambiato dopo la creazione del file XML: il file %1 è stato "
                       "scritto di nuovo con i dati del documento, con lo stesso progressivo "
                       "invio %2.")
                       .arg(Q(draft_.fpaFile))
                       .arg(written->progressive);
    // A file of the number the document had before carries a number that is not its own.
    if (!before.empty() && before != draft_.fpaFile) {
        const Status removed = RemoveFpaFile(session_.paths, before);
        text += removed ? QStringLiteral(
                              "\nIl file %1, con il numero di prima, è stato "
                              "eliminato.")
                              .arg(Q(before))
                        : QStringLiteral("\n%1: ha il numero di prima e non va inviato.")
                              .arg(Q(removed.message()));
    }
    ShowMessage(window_, written->title, text, MsgIcon::Information);
    return true;
}

std::optional<XmlCreation::Created> XmlCreation::write(bool onlyWhenChanged) {
    Session& s = session_;
    // The progressive proposed, kept: another workstation may have taken it meanwhile.
    const std::string proposed = draft_.header.proposedProgressive;
    const bool proposedKept = !onlyWhenChanged && draft_.fpaState == kFpaXmlNotWritten &&
                              draft_.header.transmissionNumber == proposed;
    try {
        const CustomerRecord customer = ReadCountedCustomer(s.files, draft_.customer.record);
        const CompanySettings& settings = SettingsOf(s);
        // The file is checked by the e-invoice channel, which brings the XML parser with it.
        EInvoiceWindows* channel = LoadEInvoiceWindows(window_);
        if (!channel) return std::nullopt;
        const FpaExportInput input{settings.fpa,
                                   draft_,
                                   customer,
                                   settings.vat,
                                   settings.headerTables,
                                   s.money(),
                                   s.files,
                                   s.paths,
                                   CompanyFolder(static_cast<int>(s.companyNumber)),
                                   channel->fileCheck()};
        // The progressive is chosen and the counter advanced under the company's lock; the
        // question before a file is replaced is asked without it, and the export is prepared
        // again once the lock is back.
        std::filesystem::path agreedToReplace;
        for (;;) {
            std::optional<PostingLock> lock = LockCompanyForPosting(window_, s);
            if (!lock) return std::nullopt;
            const Result<FpaExportPlan> prepared = PrepareFpaExport(input);
            if (!prepared) {
                lock->release();
                Warn(window_, Q(prepared.message()));
                return std::nullopt;
            }
            const FpaExportPlan& plan = *prepared;
            const std::filesystem::path own =
                draft_.fpaFile.empty() ? std::filesystem::path() : s.paths.map(draft_.fpaFile);
            if (onlyWhenChanged && FpaFileIsCurrent(plan, own))
                return Created{draft_.fpaState, {}, {}};
            // The document's own file is replaced without a question, another one with.
            if (plan.replacesFile && plan.target != own && plan.target != agreedToReplace) {
                lock->release();
                if (!AskBeforeLosingWork(window_, Q(FpaReplaceQuestion(plan)))) return std::nullopt;
                agreedToReplace = plan.target;
                continue;
            }
            const Result<FpaFileNamed> committed =
                CommitFpaExport(plan, s.files, s.paths, s.companyFolder());
            lock->release();
            if (committed.hasValue() && plan.setsFpaState) draft_.fpaState = plan.progressive;
            if (!committed) {
                Warn(window_, Q(committed.message()));
                // Once its intent is written the file is the document's: it is completed from it
                // before anything else is written, and listed to send with the document.
                if (!committed.partlyDone()) return std::nullopt;
            }
            draft_.fpaFile = plan.folderText + plan.fileName;
            const bool publicAdministration =
                plan.format == FpaFormat::V10 ||
                TransmissionFormat(RecipientCode(customer)) == "FPA12";
            Created created{draft_.fpaState, Q(FpaCreatedMessage(plan)),
                            publicAdministration ? QStringLiteral("Fattura elettronica PA")
                                                 : QStringLiteral("Fattura elettronica")};
            if (!committed) created.message.clear();  // the warning told what became of it
            if (proposedKept && std::to_string(draft_.fpaState) != proposed)
                created.message += QStringLiteral(
                                       "\nIl progressivo invio %1 è stato usato nel frattempo "
                                       "da un'altra postazione: il file ha il progressivo %2.")
                                       .arg(Q(proposed))
                                       .arg(draft_.fpaState);
            return created;
        }
    } catch (const RecordIoError& e) {
        Warn(window_, QString::fromUtf8(e.what()));
    }
    return std::nullopt;
}

}  // namespace qorvana
