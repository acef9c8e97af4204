// The e-invoice channel's files in the company, chosen by the input's first byte:
//   0  the state store qorvana.sdi: loaded, listed, a notification recorded, saved and loaded
//      again; each rejected e-invoice it lists checked and made ready to go again (the files
//      \fatture\IT01234567890_00001.xml and _00002.xml are the program's sample e-invoice)
//   1  the settings qorvana-sdi.ini (readable by its owner only): read, the address to send to
//   2  a rejected e-invoice's file \fatture\IT01234567890_00001.xml as the operator corrected
//      it: its facts, then made ready to go again under the next progressive and listed
// The input replaces that file of the scratch company.

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "core/counters_record.h"
#include "core/session.h"
#include "fatturapa/mail_transport.h"
#include "fatturapa/sdi_channel.h"
#include "fatturapa/sdi_einvoice.h"
#include "fatturapa/sdi_files.h"
#include "fatturapa/sdi_settings.h"
#include "fatturapa/sdi_store.h"
#include "fuzz/confirmation.h"
#include "fuzz/scratch_company.h"
#include "fuzz/sdi_support.h"

namespace {

namespace fs = std::filesystem;
using namespace qorvana;
using namespace qorvana::fuzz;

// A rejected e-invoice made ready to go again, as the window does after the operator's
// correction: the new file must be an e-invoice with the new progressive.
void Resend(SdiStore& store, const std::string& fileName, Session& s) {
    const EInvoiceEntry* entry = store.find(fileName);
    if (!entry) return;
    UnchangedSinceSent(*entry, s.paths.map(entry->path));
    const Result<Resent> resent = PrepareResend(store, fileName, s);
    if (!resent) return;
    const EInvoiceEntry* added = store.find(resent->fileName);
    Expect(added && added->replaces == fileName && StateOf(*added) == EInvoiceState::Written,
           "the corrected e-invoice is listed, to be sent");
    const Result<std::string> xml = ReadFileBytes(resent->file);
    const Result<EInvoiceFacts> facts =
        xml ? ReadEInvoiceFacts(*xml) : Result<EInvoiceFacts>(*xml.failure());
    Expect(facts && facts->progressive == added->progressive,
           "the file sent again carries its new progressive");
}

// The e-invoice files of SentStore: the one the program writes for its sample invoice.
void WriteSentEInvoices(ScratchCompany& company, Session& s) {
    static const std::string xml = [&] {
        const Result<std::string> written = SampleFatturaPa(s);
        Expect(written.ok(), "the sample e-invoice is written");
        return written.valueOr(std::string());
    }();
    const fs::path folder = company.drive() / "fatture";
    fs::create_directories(folder);
    for (const EInvoiceEntry& e : SentStore().entries)
        ScratchCompany::Put(folder / e.fileName, xml);
}

void UseStoreFile(ScratchCompany& company, Session& s) {
    WriteSentEInvoices(company, s);
    Result<SdiStore> store = LoadSdiStore(company.folder());
    if (!store) {
        Expect(!store.message().empty(), "a store refused says why");
        return;
    }
    for (const auto& [mailbox, mark] : store->mailboxMarks)
        Expect(mark.lastUid >= 0 && mark.lastUid <= kLastMessageUid && mark.uidValidity >= 0 &&
                   mark.uidValidity <= kLastMessageUid,
               "a mailbox mark is a message number");
    UseStore(*store);
    SdiNotification receipt;
    receipt.sdiId = "4711";
    receipt.invoiceFile = kSentInvoice;
    RecordNotification(*store, receipt, "IT01234567890_00001_RC_001.xml", "2026-12-07 09:00:00");
    int resent = 0;
    for (std::size_t i = 0; i < store->entries.size() && resent < 2; ++i)
        if (StateOf(store->entries[i]) == EInvoiceState::Rejected) {
            Resend(*store, std::string(store->entries[i].fileName), s);
            ++resent;
        }
    Expect(SaveSdiStore(company.folder(), *store).ok(), "the store is saved");
    Expect(LoadSdiStore(company.folder()).ok(), "a store saved loads again");
}

void ReadSettings(const fs::path& file, const Session& s) {
    ::chmod(file.c_str(), 0600);
    const Result<SdiSettings> read = ReadSdiSettings(file, s.paths);
    if (!read) {
        Expect(!read.message().empty(), "settings refused say why");
        return;
    }
    const SdiSettings& settings = *read;
    Expect(settings.pecAddress.empty() || IsMailAddress(settings.pecAddress),
           "the certified address is an address");
    Expect(IsMailAddress(SystemAddressFor(settings, "")), "the system's address is an address");
    MailboxKey(settings.imap);
}

void ResendCorrected(const fs::path& file, std::string_view bytes, Session& s) {
    if (const auto facts = ReadEInvoiceFacts(bytes)) {
        facts->publicAdministration();
        WithProgressive(bytes, "18");
    }
    SdiStore store = SentStore();
    SdiNotification rejection;
    rejection.kind = NotificationKind::NS;
    rejection.sdiId = "4711";
    rejection.invoiceFile = kSentInvoice;
    rejection.errors.push_back({"00305", "1.1.4 CodiceDestinatario non valido", ""});
    RecordNotification(store, rejection, "IT01234567890_00001_NS_001.xml", "2026-12-06 11:00:00");
    Resend(store, kSentInvoice, s);
    (void)ListEInvoice(store, file, "\\fatture\\" + file.filename().string());
    UseStore(store);
}

// The company's transmission progressive as after its two e-invoices (SentStore): a file sent
// again takes the third.
void TwoEInvoicesExported(Session& s) {
    CountersRecord counter = s.files.read<CountersFile>(tot::kFatturaPa);
    counter.setInt16(tot::kRecordCount, 2);
    s.files.write<CountersFile>(tot::kFatturaPa, counter);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ScratchCompany& company = ScratchCompany::Get();
    const Selected input = Select({data, size}, 3);
    {
        const auto session = company.openSession();
        TwoEInvoicesExported(*session);
        switch (input.choice) {
            case 0:
                ScratchCompany::Put(company.folder() / kSdiStoreFile, input.bytes);
                UseStoreFile(company, *session);
                break;
            case 1:
                ScratchCompany::Put(company.folder() / kSdiSettingsFile, input.bytes);
                ReadSettings(company.folder() / kSdiSettingsFile, *session);
                break;
            default: {
                const fs::path file = company.drive() / "fatture" / kSentInvoice;
                fs::create_directories(file.parent_path());
                ScratchCompany::Put(file, input.bytes);
                ResendCorrected(file, input.bytes, *session);
            }
        }
    }
    company.restore();
    return 0;
}
