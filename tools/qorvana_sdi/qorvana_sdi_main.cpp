// qorvana-sdi: e-invoices to the exchange system by certified mail, and what became of them.
//   sign      CAdES-BES signature of a file (IN.xml -> IN.xml.p7m)
//   send      one file as the attachment of a certified-mail message, recorded as sent
//   receipts  the system's notifications from files, saved messages or the mailbox, recorded
//   status    one line per e-invoice of the company
// Exit status: 0 done, 1 something failed or was refused (said on stderr), 2 usage.

#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "core/numbers.h"
#include "core/paths.h"
#include "core/posting_lock.h"
#include "core/session.h"
#include "fatturapa/sdi_channel.h"
#include "fatturapa/sdi_einvoice.h"
#include "fatturapa/sdi_files.h"
#include "fatturapa/sdi_signature.h"
#include "tools/qorvana_sdi/sdi_tool.h"

namespace {

using namespace qorvana;
using sdi_tool::Command;

int Fail(const std::string& message) {
    std::cerr << "qorvana-sdi: " << message << "\n";
    return 1;
}

struct Company {
    PathMapper paths;
    std::filesystem::path folder;
    int number = 0;
};

// The company of --drive and --company; none when --company is not given, a failure when it
// names no company folder.
Result<std::optional<Company>> OpenCompany(const Command& c) {
    const std::optional<std::string> number = c.option("--company");
    if (!number) return std::optional<Company>();
    const double n = Val(*number);
    if (n < 1 || n > 999 || n != static_cast<int>(n))
        return Failure{"numero di azienda non valido: " + *number};
    Company company{
        PathMapper(PathMapper::DriveRootFrom(c.option("--drive"))), {}, static_cast<int>(n)};
    company.folder = company.paths.map(CompanyFolder(static_cast<int>(n)));
    std::error_code error;
    if (!std::filesystem::is_directory(company.folder, error))
        return Failure{"la cartella dell'azienda " + company.folder.string() + " non esiste"};
    return std::optional<Company>(std::move(company));
}

// The company that a command needs: ParseCommand has asked for --company.
Result<Company> NeededCompany(const Command& c) {
    Result<std::optional<Company>> opened = OpenCompany(c);
    if (!opened) return *opened.failure();
    if (!*opened) return Failure{c.name + " vuole --drive D --company N"};
    return std::move(**opened);
}

std::string Now() {
    return StoreTime(SessionClock().now());
}

// Loads the store, changes it and saves it, under the company's posting lock; the change's
// problem, when it has one, leaves the store as it was.
Status UpdateStore(const Company& company, const std::function<Status(SdiStore&)>& change) {
    PostingLock::Attempt attempt = PostingLock::Take(company.folder);
    if (attempt.outcome == PostingLock::Outcome::Busy)
        return Failure{"un'altra postazione sta memorizzando dati dell'azienda: riprovare"};
    if (attempt.outcome == PostingLock::Outcome::Failed)
        return Failure{"l'archivio dell'azienda non si può riservare: " + attempt.problem};
    Result<SdiStore> store = LoadSdiStore(company.folder);
    if (!store) return *store.failure();
    if (Status changed = change(*store); !changed) return changed;
    return SaveSdiStore(company.folder, *store);
}

// The company's settings, when it has the file; a failure when it has one but it is wrong.
Result<std::optional<SdiSettings>> CompanySettings(const std::optional<Company>& company) {
    if (!company) return std::optional<SdiSettings>();
    const std::filesystem::path file = FindInFolder(company->folder, kSdiSettingsFile);
    std::error_code error;
    if (!std::filesystem::exists(file, error)) return std::optional<SdiSettings>();
    Result<SdiSettings> read = ReadSdiSettings(file, company->paths);
    if (!read) return *read.failure();
    return std::optional<SdiSettings>(std::move(*read));
}

// The suite path of a host file under the drive root ("\fatture\A.xml"); the host path when
// it lies elsewhere.
std::string SuitePathOf(const std::filesystem::path& file, const PathMapper& paths) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    const std::filesystem::path root = std::filesystem::absolute(paths.driveRoot(), error);
    const std::filesystem::path relative = absolute.lexically_relative(root);
    if (relative.empty() || relative.native().starts_with("..")) return absolute.string();
    std::string suite = "\\" + relative.string();
    for (char& c : suite)
        if (c == '/') c = '\\';
    return suite;
}

int Sign(const Command& c) {
    const Result<std::optional<Company>> company = OpenCompany(c);
    if (!company) return Fail(company.message());
    std::filesystem::path p12;
    std::string password;
    if (const auto given = c.option("--p12")) {
        p12 = *given;
        const auto passwordFile = c.option("--password-file");
        if (!passwordFile) return Fail("con --p12 serve anche --password-file");
        const Result<std::string> read = sdi_tool::ReadPasswordFile(*passwordFile);
        if (!read) return Fail(read.message());
        password = *read;
    } else {
        const Result<std::optional<SdiSettings>> read = CompanySettings(*company);
        if (!read) return Fail(read.message());
        const std::optional<SdiSettings>& settings = *read;
        if (!settings || settings->certificate.empty())
            return Fail(
                "indicare --p12 e --password-file, o il certificato nelle impostazioni "
                "dell'azienda (--drive D --company N)");
        p12 = settings->certificate;
        password = settings->certificatePassword;
    }
    const Result<std::filesystem::path> signedFile = SignFile(c.files[0], p12, password);
    if (!signedFile) return Fail("firma non riuscita: " + signedFile.message());
    std::cout << "firmato: " << signedFile->string() << "\n";
    return 0;
}

// Sends a rejected e-invoice again as the e-invoice window does: its file, as corrected,
// under the next transmission progressive, signed when it must be, recorded as the correction.
int Resend(const Company& company, const SdiSettings& settings, const std::string& to,
           const EInvoiceEntry& rejected) {
    Session s;
    s.paths = company.paths;
    s.companyNumber = company.number;
    s.files.open(company.folder);
    if (UnchangedSinceSent(rejected, s.paths.map(rejected.path)))
        std::cerr << "qorvana-sdi: attenzione: " << rejected.fileName
                  << " non è stato corretto dopo lo scarto: va di nuovo così com'è, con un nuovo "
                     "progressivo\n";
    std::string newName;
    std::string path;
    Status failed = UpdateStore(company, [&](SdiStore& store) -> Status {
        const Result<Resent> resent = PrepareResend(store, rejected.fileName, s);
        if (!resent) return Failure{resent.message()};
        newName = resent->fileName;
        if (const EInvoiceEntry* added = store.find(newName)) path = added->path;
        return {};
    });
    if (!failed)
        return Fail(rejected.fileName + " non è stata inviata di nuovo: " + failed.message());
    const Result<SendingRecord> sent = SendEInvoice(settings, to, s.paths.map(path), Now());
    if (!sent)
        return Fail(newName + ", la correzione di " + rejected.fileName +
                    ", è pronta ma non è stata inviata: " + sent.message() +
                    " (inviarla con qorvana-sdi send)");
    std::cout << rejected.fileName << " scartata: inviata di nuovo, corretta, come "
              << sent->fileSent << " a " << to << " il " << sent->time << "\n";
    failed = UpdateStore(company, [&](SdiStore& store) -> Status {
        EInvoiceEntry* entry = store.find(newName);
        if (!entry) return Failure{"la fattura " + newName + " non è più nell'elenco"};
        RecordSending(store, *entry, *sent);
        return {};
    });
    if (!failed)
        return Fail("il file è stato inviato ma l'invio non è registrato: " + failed.message());
    return 0;
}

int Send(const Command& c) {
    const Result<std::optional<Company>> opened = OpenCompany(c);
    if (!opened) return Fail(opened.message());
    const std::optional<Company>& company = *opened;
    const Result<std::optional<SdiSettings>> read = CompanySettings(company);
    if (!read) return Fail(read.message());
    const std::optional<SdiSettings>& settings = *read;

    SdiSettings chosen = settings.value_or(SdiSettings{});
    MailAccount& account = chosen.smtp;
    if (const auto v = c.option("--smtp")) account.url = *v;
    if (const auto v = c.option("--user")) account.user = *v;
    if (const auto v = c.option("--cacert")) account.caFile = *v;
    if (const auto v = c.option("--password-file")) {
        const Result<std::string> password = sdi_tool::ReadPasswordFile(*v);
        if (!password) return Fail(password.message());
        account.password = *password;
    }
    if (const auto v = c.option("--from")) chosen.pecAddress = *v;
    std::optional<SdiStore> store;
    if (company) {
        Result<SdiStore> loaded = LoadSdiStore(company->folder);
        if (!loaded) return Fail(loaded.message());
        store = std::move(*loaded);
    }
    std::string to = c.option("--to").value_or("");
    if (to.empty() && settings) to = SystemAddressFor(*settings, store->assignedAddress);
    if (account.url.empty() || chosen.pecAddress.empty() || to.empty())
        return Fail("indicare --smtp, --from e --to, o le impostazioni dell'azienda");

    const std::filesystem::path file = c.files[0];
    const Result<std::string> bytes = ReadFileBytes(file);
    if (!bytes) return Fail(bytes.message());
    const bool signedFile = IsSignedFileName(file.filename().string());
    const std::optional<std::string> xml = signedFile ? SignedContent(*bytes) : *bytes;
    if (!xml) return Fail(file.filename().string() + ": non è un file firmato leggibile");
    const Result<EInvoiceFacts> facts = ReadEInvoiceFacts(*xml);
    if (!facts) return Fail(file.filename().string() + ": " + facts.message());
    std::string xmlName = file.filename().string();
    if (signedFile) xmlName.resize(xmlName.size() - 4);
    if (const EInvoiceEntry* known = store ? store->find(xmlName) : nullptr) {
        if (!known->replacedBy.empty())
            return Fail(xmlName + " è stata scartata e già inviata di nuovo, corretta, con " +
                        known->replacedBy);
        if (StateOf(*known) == EInvoiceState::Rejected) {
            if (facts->publicAdministration() && chosen.certificate.empty())
                return Fail(xmlName +
                            " è per la pubblica amministrazione: la correzione va firmata, ma "
                            "nelle impostazioni manca il certificato");
            return Resend(*company, chosen, to, *known);
        }
        if (!known->sendings.empty())
            return Fail(xmlName + " è già stata inviata il " + known->sendings.back().time + " a " +
                        known->sendings.back().to);
    }
    // The exchange system rejects an unsigned file for a public administration (00102).
    if (facts->publicAdministration() && !signedFile)
        return Fail(file.filename().string() +
                    " è per la pubblica amministrazione e va firmato: firmarlo con "
                    "qorvana-sdi sign e inviare il file .p7m");

    const Result<SendingRecord> sent = SendFile(account, chosen.pecAddress, to, file, *xml, Now());
    if (!sent) return Fail("invio non riuscito: " + sent.message());
    std::cout << file.filename().string() << " inviato a " << to << " il " << sent->time << "\n";
    if (!company) {
        std::cerr << "qorvana-sdi: senza --drive e --company l'invio non è registrato\n";
        return 0;
    }
    const std::string path =
        SuitePathOf(signedFile ? file.parent_path() / xmlName : file, company->paths);
    const Status failed = UpdateStore(*company, [&](SdiStore& s) -> Status {
        RecordSending(s, s.add(xmlName, path, *facts), *sent);
        return {};
    });
    if (!failed)
        return Fail("il file è stato inviato ma l'invio non è registrato: " + failed.message());
    return 0;
}

int Receipts(const Command& c) {
    const Result<Company> company = NeededCompany(c);
    if (!company) return Fail(company.message());
    const Result<std::unique_ptr<NotificationSchemas>> schemas = NotificationSchemas::Load();
    if (!schemas) return Fail(schemas.message());
    const Result<SdiStore> before = LoadSdiStore(company->folder);
    if (!before) return Fail(before.message());
    std::vector<std::filesystem::path> inputs(c.files.begin(), c.files.end());
    Gathered gathered = GatherNotifications(inputs);
    GatherKept(company->folder, *before, gathered);

    std::optional<MailAccount> imap;
    MailboxMark reached;
    if (c.option("--imap")) {
        const Result<std::optional<SdiSettings>> settings = CompanySettings(*company);
        if (!settings) return Fail(settings.message());
        if (!*settings || (*settings)->imap.url.empty())
            return Fail("nelle impostazioni manca il server imap");
        imap = (*settings)->imap;
        const auto mark = before->mailboxMarks.find(MailboxKey(*imap));
        const MailboxMark from = mark == before->mailboxMarks.end() ? MailboxMark() : mark->second;
        if (const Status stopped = GatherFromMailbox(*imap, from, gathered, reached); !stopped)
            gathered.problems.push_back("casella di posta: " + stopped.message());
    }

    std::vector<NotificationOutcome> outcomes;
    const Status failed = UpdateStore(*company, [&](SdiStore& store) -> Status {
        outcomes = RecordGathered(store, gathered, **schemas, company->folder, Now(),
                                  imap ? &reached : nullptr);
        if (imap) store.mailboxMarks[MailboxKey(*imap)] = reached;
        return {};
    });
    bool refused = !gathered.problems.empty();
    for (const std::string& p : gathered.problems) std::cerr << "qorvana-sdi: " << p << "\n";
    if (!failed) return Fail("nessuna notifica è stata registrata: " + failed.message());
    for (const NotificationOutcome& o : outcomes) {
        if (o.refused)
            std::cerr << "qorvana-sdi: " << o.line << "\n";
        else
            std::cout << o.line << "\n";
        refused = refused || o.refused;
    }
    return refused ? 1 : 0;
}

int ShowStatus(const Command& c) {
    const Result<Company> company = NeededCompany(c);
    if (!company) return Fail(company.message());
    const Result<SdiStore> store = LoadSdiStore(company->folder);
    if (!store) return Fail(store.message());
    for (const EInvoiceEntry& e : store->entries) std::cout << StatusLine(e) << "\n";
    for (const std::string& line : WaitingStatusLines(*store)) std::cout << line << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << sdi_tool::Usage();
        return 0;
    }
    const Result<Command> parsed = sdi_tool::ParseCommand(args);
    if (!parsed) {
        std::cerr << "qorvana-sdi: " << parsed.message() << "\n" << sdi_tool::Usage();
        return 2;
    }
    const Command& c = *parsed;
    if (c.name == "sign") return Sign(c);
    if (c.name == "send") return Send(c);
    if (c.name == "receipts") return Receipts(c);
    return ShowStatus(c);
}
