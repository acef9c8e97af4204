#include "forms/header/xml_creation_form.h"

#include <filesystem>

#include "company/company_settings.h"
#include "core/session.h"
#include "document/document_setup.h"
#include "fatturapa/fpa_export.h"
#include "fatturapa/fpa_writer_v12.h"
#include "forms/common/company_lock.h"
#include "forms/common/message_box.h"
#include "forms/common/qt_text.h"

namespace qorvana {

XmlCreation::XmlCreation(Session& session, DocumentDraft& draft, QWidget* window)
    : session_(session), draft_(draft), window_(window) {}

std::optional<XmlCreation::Created> XmlCreation::run(const QString& proposed, bool proposedKept) {
    Session& s = session_;
    try {
        const CustomerRecord customer = ReadCountedCustomer(s.files, s.currentCustomer);
        const CompanySettings& settings = SettingsOf(s);
        const FpaExportInput input{settings.fpa,          draft_,     customer, settings.vat(),
                                   settings.headerTables, S(proposed)};
        // The progressive is chosen and the counter advanced under the company's lock; the
        // question before a file is replaced is asked without it, and the export is prepared
        // again once the lock is back.
        std::filesystem::path agreedToReplace;
        for (;;) {
            std::optional<PostingLock> lock = LockCompanyForPosting(window_, s);
            if (!lock) return std::nullopt;
            const FpaPrepared prepared = PrepareFpaExport(input, s);
            if (!prepared.plan) {
                lock->release();
                Warn(window_, Q(prepared.refusal));
                return std::nullopt;
            }
            const FpaExportPlan& plan = *prepared.plan;
            if (plan.replacesFile && s.fpaState == 0 && plan.target != agreedToReplace) {
                lock->release();
                if (!AskBeforeLosingWork(window_, Q(FpaReplaceQuestion(plan)))) return std::nullopt;
                agreedToReplace = plan.target;
                continue;
            }
            const std::string failure = CommitFpaExport(plan, s);
            lock->release();
            if (!failure.empty()) {
                Warn(window_, Q(failure));
                return std::nullopt;
            }
            draft_.fpaFile = plan.folderText + plan.fileName;
            const bool publicAdministration =
                plan.format == FpaFormat::V10 ||
                TransmissionFormat(RecipientCode(customer)) == "FPA12";
            Created created{s.fpaState, Q(FpaCreatedMessage(plan)),
                            publicAdministration ? QStringLiteral("Fattura elettronica PA")
                                                 : QStringLiteral("Fattura elettronica")};
            if (proposedKept && QString::number(s.fpaState) != proposed)
                created.message += QStringLiteral(
                                       "\nIl progressivo invio %1 è stato usato nel frattempo "
                                       "da un'altra postazione: il file ha il progressivo %2.")
                                       .arg(proposed)
                                       .arg(s.fpaState);
            return created;
        }
    } catch (const RecordIoError& e) {
        Warn(window_, QString::fromUtf8(e.what()));
    }
    return std::nullopt;
}

}  // namespace qorvana
