#include "forms/common/company_lock.h"

#include "company/company_settings.h"
#include "core/counters.h"
#include "core/data_file_types.h"
#include "core/intent_log.h"
#include "core/session.h"
#include "fatturapa/fpa_export.h"
#include "forms/common/message_box.h"
#include "forms/common/wait_cursor.h"

namespace qorvana {
namespace {

// The document a completed operation stored: its record of qorvana.fte, which only posting
// writes; none for another operation.
std::optional<int> DocumentStoredBy(const IntentRecovery& recovery) {
    for (const auto& [channel, record] : recovery.completedRecords)
        if (channel == kFte) return record;
    return std::nullopt;
}

// Completes an interrupted operation (the caller holds the lock); false when one is left. At
// start, a document it completes is the one "Ristampa" prints, and the operator is told how.
bool RecoverUnderLock(QWidget* parent, Session& session, bool atStart = false) {
    Result<IntentRecovery> recovered = [&] {
        const WaitCursor wait;
        return RecoverIntent(session.files, session.companyFolder(),
                             {FpaXmlFolder(SettingsOf(session).fpa, session.paths)});
    }();
    if (!recovered) {
        Warn(parent, QString::fromStdString(recovered.message()));
        return false;
    }
    const std::optional<int> document = DocumentStoredBy(*recovered);
    if (atStart && document && !recovered->told.empty()) {
        session.recoveredDocument = *document;
        recovered->told.back() +=
            "\nSe non è stata stampata, si può ristampare con \"Ristampa\" (o vedere con "
            "\"Anteprima ristampa\") nella testata del prossimo documento, che si apre con "
            "\"Conferma\" dopo averne scritto le righe.";
    }
    for (const std::string& told : recovered->told)
        ShowMessage(parent, QStringLiteral("Attenzione"), QString::fromStdString(told),
                    MsgIcon::Information);
    return true;
}

// Sets the counters to the files under the lock, and tells what was repaired.
void RepairCountersUnderLock(QWidget* parent, Session& session) {
    std::vector<std::string> repaired;
    std::string problem;
    {
        PostingLock::Attempt attempt = PostingLock::Take(session.companyFolder());
        if (attempt.outcome != PostingLock::Outcome::Taken) {
            problem = attempt.outcome == PostingLock::Outcome::Busy
                          ? "un'altra postazione sta memorizzando dati di questa azienda"
                          : attempt.problem;
        } else {
            try {
                repaired = RepairCounters(session.files, CountersOutOfStep(session.files));
            } catch (const RecordIoError& e) {
                problem = e.what();
            }
        }
    }
    if (!problem.empty()) {
        Warn(parent, QStringLiteral("I contatori non sono stati riparati: %1.")
                         .arg(QString::fromStdString(problem)));
        return;
    }
    std::string text = "Contatori di qorvana.tot riparati dai file:";
    for (const std::string& r : repaired) text += "\n- " + r;
    ShowMessage(parent, QStringLiteral("Attenzione"), QString::fromStdString(text),
                MsgIcon::Information);
}

// Counters out of step with their files (core/counters.h) are offered for repair, once a run:
// `lock` is released while the operator answers. False when not offered (the lock is still
// held).
bool OfferCounterRepair(QWidget* parent, Session& session, PostingLock& lock) {
    if (session.counterRepairOffered) return false;
    std::vector<CounterOutOfStep> outOfStep;
    try {
        outOfStep = CountersOutOfStep(session.files);
    } catch (const RecordIoError&) {
        return false;  // the posting reads them again and tells
    }
    if (outOfStep.empty()) return false;
    session.counterRepairOffered = true;
    lock.release();
    std::string text = "I contatori di qorvana.tot non corrispondono all'archivio:";
    for (const CounterOutOfStep& c : outOfStep)
        text += "\n- contatore " + std::to_string(c.counterRecord) + ", " + c.what + ": indica " +
                std::to_string(c.counted) + ", l'archivio arriva a " + std::to_string(c.held);
    text += "\nRipararli dai file?";
    if (AskYesNo(parent, QStringLiteral("Attenzione"), QString::fromStdString(text)))
        RepairCountersUnderLock(parent, session);
    return true;
}

}  // namespace

void RecoverInterruptedWrites(QWidget* parent, Session& session) {
    PostingLock::Attempt attempt = PostingLock::Take(session.companyFolder(), {});
    if (attempt.outcome != PostingLock::Outcome::Taken) return;
    if (RecoverUnderLock(parent, session, true)) OfferCounterRepair(parent, session, *attempt.lock);
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
                if (!OfferCounterRepair(parent, session, *attempt.lock))
                    return std::move(attempt.lock);
                continue;
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
