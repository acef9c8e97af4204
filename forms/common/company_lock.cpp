#include "forms/common/company_lock.h"

#include "core/session.h"
#include "forms/common/message_box.h"
#include "forms/common/wait_cursor.h"

namespace qorvana {

std::optional<PostingLock> LockCompanyForPosting(QWidget* parent, const Session& session) {
    for (;;) {
        PostingLock::Attempt attempt;
        {
            const WaitCursor wait;
            attempt = PostingLock::Take(session.companyFolder());
        }
        switch (attempt.outcome) {
            case PostingLock::Outcome::Taken:
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
