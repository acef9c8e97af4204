#include "forms/common/company_lock.h"

#include "core/intent_log.h"
#include "core/session.h"
#include "forms/common/message_box.h"
#include "forms/common/wait_cursor.h"

namespace qorvana {
namespace {

// Completes an interrupted operation (the caller holds the lock); false when one is left.
bool RecoverUnderLock(QWidget* parent, Session& session) {
    Result<IntentRecovery> recovered = [&] {
        const WaitCursor wait;
        return RecoverIntent(session.files, session.companyFolder());
    }();
    if (!recovered) {
        Warn(parent, QString::fromStdString(recovered.message()));
        return false;
    }
    for (const std::string& told : recovered->told)
        ShowMessage(parent, QStringLiteral("Attenzione"), QString::fromStdString(told),
                    MsgIcon::Information);
    return true;
}

}  // namespace

void RecoverInterruptedWrites(QWidget* parent, Session& session) {
    PostingLock::Attempt attempt = PostingLock::Take(session.companyFolder(), {});
    if (attempt.outcome == PostingLock::Outcome::Taken) RecoverUnderLock(parent, session);
}

std::optional<PostingLock> LockCompanyForPosting(QWidget* parent, Session& session) {
    for (;;) {
        PostingLock::Attempt attempt;
        {
            const WaitCursor wait;
            attempt = PostingLock::Take(session.companyFolder());
        }
        switch (attempt.outcome) {
            case PostingLock::Outcome::Taken:
                if (!RecoverUnderLock(parent, session)) return std::nullopt;
                return std::move(attempt.lock);
            case PostingLock::Outcome::Busy:
                if (AskYesNo(parent, QStringLiteral("Attenzione"),
                             QStringLiteral("Un'altra postazione sta memorizzando dati di questa "
                                            "azienda e l'archivio è ancora occupato. Riprovare?")))
                    continue;
                return std::nullopt;
            case PostingLock::Outcome::Failed:
                Warn(parent, QStringLiteral("L'archivio dell'azienda non si può riservare per la "
                                            "memorizzazione: %1. Non è stato scritto niente.")
                                 .arg(QString::fromStdString(attempt.problem)));
                return std::nullopt;
        }
    }
}

}  // namespace qorvana
