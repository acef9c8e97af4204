#include "forms/sdi/einvoice_sending_form.h"

#include <functional>
#include <optional>

#include "company/company_settings.h"
#include "core/session.h"
#include "fatturapa/einvoice_correction.h"
#include "fatturapa/sdi_channel.h"
#include "forms/common/company_lock.h"
#include "forms/common/message_box.h"
#include "forms/common/qt_text.h"
#include "forms/common/wait_cursor.h"
#include "forms/common/work_progress.h"

namespace qorvana {
namespace {

const QString kTitle = QStringLiteral("Fatture elettroniche");

std::string Now(const Session& s) {
    return StoreTime(s.clock.now());
}

// Who writes the store once it is changed: ChangeStore, or the change itself (in the same step
// as the files it writes with it).
enum class StoreSaved { ByChangeStore, ByTheChange };

// Loads the store, changes it and saves it under the company's lock; false when it could not
// (the operator has been told).
bool ChangeStore(QWidget* parent, Session& s, const std::function<Status(SdiStore&)>& change,
                 const QString& notDone, StoreSaved saved = StoreSaved::ByChangeStore) {
    std::optional<PostingLock> lock = LockCompanyForPosting(parent, s);
    if (!lock) return false;
    Result<SdiStore> store = LoadSdiStore(s.companyFolder());
    Status done = store ? change(*store) : Status(*store.failure());
    if (done && saved == StoreSaved::ByChangeStore) done = SaveSdiStore(s.companyFolder(), *store);
    lock->release();
    if (done) return true;
    // A change left to its intent is not "not done": the message says when it will be.
    Warn(parent, done.partlyDone() ? Q(done.message()) : notDone + Q(done.message()));
    return false;
}

std::optional<SdiSettings> Settings(QWidget* parent, const Session& s) {
    Result<SdiSettings> read = ReadSdiSettings(s.companyFile(kSdiSettingsFile), s.paths);
    if (!read) {
        Warn(parent, Q("Impostazioni dell'invio: " + read.message() + "."));
        return std::nullopt;
    }
    return std::move(*read);
}

std::optional<SdiStore> CurrentStore(QWidget* parent, const Session& s) {
    Result<SdiStore> store = LoadSdiStore(s.companyFolder());
    if (!store) {
        Warn(parent, Q(store.message()));
        return std::nullopt;
    }
    return std::move(*store);
}

}  // namespace

bool SendListedEInvoice(QWidget* parent, Session& s, const std::string& fileName) {
    const std::optional<SdiSettings> settings = Settings(parent, s);
    const std::optional<SdiStore> store = settings ? CurrentStore(parent, s) : std::nullopt;
    if (!store) return false;
    const EInvoiceEntry* entry = store->find(fileName);
    if (!entry || StateOf(*entry) != EInvoiceState::Written) {
        Warn(parent, Q("La fattura elettronica " + fileName + " è già stata inviata."));
        return false;
    }
    const std::string to = SystemAddressFor(*settings, store->assignedAddress);
    const Result<SendingRecord> sent = [&] {
        WorkProgress progress(parent, Q("Invio di " + fileName + " al Sistema di Interscambio..."));
        return SendEInvoice(*settings, to, s.paths.map(entry->path), Now(s), progress.report());
    }();
    if (!sent) {
        Warn(parent, Q("Il file " + fileName + " non è stato inviato: " + sent.message() + "."));
        return false;
    }
    const bool recorded = ChangeStore(
        parent, s,
        [&](SdiStore& changed) -> Status {
            EInvoiceEntry* e = changed.find(fileName);
            if (!e) return Failure{"la fattura non è più nell'elenco"};
            RecordSending(changed, *e, *sent);
            return {};
        },
        Q("Il file " + fileName + " è stato inviato, ma l'invio non è stato registrato: "));
    if (recorded)
        ShowMessage(parent, kTitle,
                    Q("Il file " + sent->fileSent +
                      " è stato inviato al Sistema di Interscambio (" + to + ")."),
                    MsgIcon::Information);
    return recorded;
}

bool CorrectRejectedEInvoice(QWidget* parent, Session& s, const std::string& fileName) {
    const CompanySettings& settings = SettingsOf(s);
    const EInvoiceCompany company{settings.fpa, settings.vat, settings.headerTables,
                                  settings.einvoice};
    Rewritten rewritten;
    const bool written = ChangeStore(
        parent, s,
        [&](SdiStore& changed) -> Status {
            Result<Rewritten> done = RewriteRejectedEInvoice(changed, fileName, company, s);
            if (!done) return *done.failure();
            rewritten = std::move(*done);
            return {};
        },
        Q("Il file " + fileName + " non è stato scritto di nuovo: "), StoreSaved::ByTheChange);
    if (!written) return false;
    ShowMessage(parent, kTitle, Q(rewritten.message), MsgIcon::Information);
    return SendListedEInvoice(parent, s, rewritten.fileName);
}

void SendEInvoiceAtOnce(QWidget* parent, Session& s, const std::string& fpaFile) {
    if (fpaFile.empty()) return;
    const std::filesystem::path file = s.paths.map(fpaFile);
    std::error_code error;
    if (!std::filesystem::exists(s.companyFile(kSdiSettingsFile), error)) return;
    const Result<SdiSettings> read = ReadSdiSettings(s.companyFile(kSdiSettingsFile), s.paths);
    if (read && read->sendAfterConfirmation)
        SendListedEInvoice(parent, s, file.filename().string());
}

void ReadMailboxNotifications(QWidget* parent, Session& s) {
    const std::optional<SdiSettings> settings = Settings(parent, s);
    if (!settings) return;
    if (settings->imap.url.empty()) {
        Warn(parent, QStringLiteral("Nelle impostazioni dell'invio manca la casella imap da "
                                    "cui leggere le notifiche."));
        return;
    }
    const Result<std::unique_ptr<NotificationSchemas>> schemas = NotificationSchemas::Load();
    std::optional<SdiStore> store = schemas ? CurrentStore(parent, s) : std::nullopt;
    if (!schemas)
        Warn(parent, Q("Le notifiche non possono essere lette: " + schemas.message() + "."));
    if (!store) return;
    const std::string key = MailboxKey(settings->imap);
    Gathered gathered;
    MailboxMark reached;
    Status stopped;
    {
        const WaitCursor wait;
        GatherKept(s.companyFolder(), *store, gathered);
        stopped = GatherFromMailbox(settings->imap, store->mailboxMarks[key], gathered, reached);
    }
    std::vector<NotificationOutcome> outcomes;
    const bool recorded = ChangeStore(
        parent, s,
        [&](SdiStore& changed) -> Status {
            outcomes =
                RecordGathered(changed, gathered, **schemas, s.companyFolder(), Now(s), &reached);
            changed.mailboxMarks[key] = reached;
            return {};
        },
        QStringLiteral("Le notifiche non sono state registrate: "));
    if (!recorded) return;
    std::string text = "Notifiche lette: " + std::to_string(gathered.sources.size()) + ".";
    for (const NotificationOutcome& o : outcomes)
        if (o.refused)
            text += "\n" + o.line;
        else if (const QStringList f = Q(o.line).split('\t');
                 f.size() > 4 && f[4].contains(QStringLiteral("non abbinata")))
            text += "\n" + S(f[0] + " (" + f[1] + "): " + f[4]);
    for (const std::string& p : gathered.problems) text += "\n" + p;
    if (!stopped) text += "\nLa lettura della casella si è interrotta: " + stopped.message() + ".";
    ShowMessage(parent, kTitle, Q(text), MsgIcon::Information);
}

}  // namespace qorvana
