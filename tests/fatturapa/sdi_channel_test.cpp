#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <sys/stat.h>

#include <algorithm>

#include "core/counters_record.h"
#include "core/paths.h"
#include "fatturapa/mime_reader.h"
#include "fatturapa/sdi_channel.h"
#include "fatturapa/sdi_einvoice.h"
#include "fatturapa/sdi_notification.h"
#include "fatturapa/sdi_settings.h"
#include "fatturapa/sdi_store.h"
#include "tests/fatturapa/fpa_desk.h"
#include "tests/temp_dir.h"

namespace qorvana {
namespace {

constexpr const char* kSignature =
    "<ds:Signature><ds:SignedInfo>"
    "<ds:CanonicalizationMethod Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\"/>"
    "<ds:SignatureMethod Algorithm=\"http://www.w3.org/2001/04/xmldsig-more#rsa-sha256\"/>"
    "<ds:Reference URI=\"\"><ds:DigestMethod "
    "Algorithm=\"http://www.w3.org/2001/04/xmlenc#sha256\"/><ds:DigestValue>AAAA</ds:DigestValue>"
    "</ds:Reference></ds:SignedInfo><ds:SignatureValue>AAAA</ds:SignatureValue></ds:Signature>";

// A notification of the exchange system: the root, its elements, the signature it always has.
std::string Notification(const std::string& root, const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<types:" + root +
           " xmlns:types=\"http://www.fatturapa.gov.it/sdi/messaggi/v1.0\" "
           "xmlns:ds=\"http://www.w3.org/2000/09/xmldsig#\" versione=\"1.0\">" +
           body + kSignature + "</types:" + root + ">";
}

const std::string kFile = "IT01234567890_0000H.xml";
const std::string kHead =
    "<IdentificativoSdI>111</IdentificativoSdI><NomeFile>" + kFile + "</NomeFile>";
const std::string kReceived = "<DataOraRicezione>2026-12-06T10:00:00</DataOraRicezione>";
const std::string kRecipient =
    "<Destinatario><Codice>UFABCD</Codice><Descrizione>Comune</Descrizione></Destinatario>";
const std::string kMessage = "<MessageId>123456</MessageId>";

const NotificationSchema& Schema() {
    static const std::unique_ptr<NotificationSchema> schema = [] {
        std::string error;
        auto loaded = NotificationSchema::Load(error);
        EXPECT_TRUE(loaded) << error;
        return loaded;
    }();
    return *schema;
}

// A delivery receipt, a rejection with two errors and the recipient's acceptance; every kind
// is read, recorded and listed by qorvana_sdi_test.sh.
const std::string kDelivered =
    Notification("RicevutaConsegna", kHead + kReceived +
                                         "<DataOraConsegna>2026-12-06T11:00:00</DataOraConsegna>" +
                                         kRecipient + kMessage);
const std::string kRejected = Notification(
    "NotificaScarto",
    kHead + kReceived +
        "<ListaErrori><Errore><Codice>00305</Codice><Descrizione>1.1.4 CodiceDestinatario non "
        "valido</Descrizione></Errore><Errore><Codice>00200</Codice><Descrizione>File non "
        "conforme</Descrizione></Errore></ListaErrori>" +
        kMessage);
const std::string kAccepted =
    Notification("NotificaEsito", kHead +
                                      "<EsitoCommittente versione=\"1.0\"><IdentificativoSdI>111"
                                      "</IdentificativoSdI><Esito>EC01</Esito></EsitoCommittente>" +
                                      kMessage);

SdiStore StoreWithSentInvoice() {
    SdiStore store;
    EInvoiceEntry& e =
        store.add(kFile, "C:\\fatture\\" + kFile,
                  {"FPA12", "17", "15", "2026-12-06", "Comune di Roma", "IT02438750586"});
    e.sendings.push_back({"2026-12-06 10:00:00", kFile + ".p7m", "ditta@pec.it",
                          "sdi01@pec.fatturapa.it", "<1@pec.it>", "ab"});
    return store;
}

TEST(SdiNotifications, MalformedAndForeignAreRefused) {
    const std::string& rc = kDelivered;
    std::string noSignature = rc;
    noSignature.erase(noSignature.find("<ds:Signature>"),
                      noSignature.find("</types:") - noSignature.find("<ds:Signature>"));
    std::string badCode = kRejected;
    badCode.replace(badCode.find("00305"), 5, "305");
    for (const std::string& bad : {rc.substr(0, rc.size() - 5), noSignature, badCode,
                                   std::string("<x/>"), std::string("")}) {
        const NotificationRead read = ReadNotification(bad, Schema());
        EXPECT_FALSE(read.notification);
        EXPECT_FALSE(read.problem.empty());
    }
    const NotificationRead metadata = ReadNotification(
        Notification("NotificaEsitoCommittente",
                     "<IdentificativoSdI>1</IdentificativoSdI><Esito>EC01</Esito>"),
        Schema());
    EXPECT_TRUE(metadata.forRecipient);
}

TEST(SdiNotifications, FileMatchedWhateverItsCaseAndSignature) {
    SdiStore store = StoreWithSentInvoice();
    SdiNotification n = *ReadNotification(kDelivered, Schema()).notification;
    n.invoiceFile = "it01234567890_0000h.XML.p7m";  // case and signature aside
    EXPECT_EQ(RecordNotification(store, n, "x.xml", "t"), Recorded::New);
}

TEST(SdiNotifications, FileNames) {
    for (const char* name : {"IT01234567890_0000H_RC_001.xml", "IT01234567890_0000H_NS_002.XML",
                             "IT01234567890_0000H_NE_001.xml.p7m"})
        EXPECT_TRUE(IsNotificationFileName(name)) << name;
    for (const char* name :
         {"IT01234567890_0000H.xml", "daticert.xml", "postacert.eml", "_RC_1.xml"})
        EXPECT_FALSE(IsNotificationFileName(name)) << name;
}

TEST(SdiStore, TextRoundTripAndDecidingNotification) {
    SdiStore store = StoreWithSentInvoice();
    store.assignedAddress = "sdi23@pec.fatturapa.it";
    store.mailboxMarks["imaps://pec.it/INBOX"] = {42, 1733500000};
    store.mailboxMarks["imap://old.it/INBOX"] = {7, 0};
    int n = 0;
    for (const std::string* xml : {&kDelivered, &kRejected, &kAccepted})  // the outcome decides
        RecordNotification(store, *ReadNotification(*xml, Schema()).notification,
                           "n" + std::to_string(++n) + ".xml", "t");
    store.entries[0].customer = "Città\tdi Roma";  // a tab cannot break a line
    std::string problem;
    const std::optional<SdiStore> back = ParseSdiStore(FormatSdiStore(store), problem);
    ASSERT_TRUE(back) << problem;
    EXPECT_EQ(FormatSdiStore(*back), FormatSdiStore(store));
    EXPECT_EQ(back->entries[0].customer, "Città di Roma");
    EXPECT_EQ(back->entries[0].notifications[1].errors.size(), 2u);
    EXPECT_EQ(back->assignedAddress, "sdi23@pec.fatturapa.it");
    EXPECT_EQ(back->mailboxMarks.at("imaps://pec.it/INBOX").lastUid, 42);
    EXPECT_EQ(back->mailboxMarks.at("imaps://pec.it/INBOX").uidValidity, 1733500000);
    // A mark kept without UIDVALIDITY keeps its line as it was.
    EXPECT_NE(FormatSdiStore(store).find("M\timap://old.it/INBOX\t7\r\n"), std::string::npos);
    EXPECT_EQ(StateOf(back->entries[0]), EInvoiceState::Accepted);
    // Windows-1252 on disk.
    EXPECT_NE(FormatSdiStore(store).find("Citt\xe0"), std::string::npos);
}

TEST(SdiMailbox, ReadAgainWhenTheServerRenumbers) {
    struct Case {
        MailboxMark mark;
        long long serverValidity;
        long long afterUid;
    } cases[] = {
        {{42, 1733500000}, 1733500000, 42},  // same numbering
        {{42, 1733500000}, 1733600000, 0},   // renumbered: the whole mailbox
        {{42, 0}, 1733600000, 42},           // a mark kept before UIDVALIDITY was
        {{42, 1733500000}, 0, 42},           // a server that does not say
        {{0, 0}, 1733600000, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadAfterUid(c.mark, c.serverValidity), c.afterUid)
            << c.mark.lastUid << " " << c.mark.uidValidity << " " << c.serverValidity;
}

TEST(SdiStore, DamagedStoreIsRefused) {
    std::string problem;
    for (const char* text : {"other\r\n", "QORVANA-SDI\t1\r\nI\tX.xml\tt\tf\ta\tb\tm\td\r\n",
                             "QORVANA-SDI\t1\r\nZ\t1\r\n",
                             // mailbox marks that are no message number
                             "QORVANA-SDI\t1\r\nM\timaps://pec.it/INBOX\t-2\r\n",
                             "QORVANA-SDI\t1\r\nM\timaps://pec.it/INBOX\t4294967296\r\n",
                             "QORVANA-SDI\t1\r\nM\timaps://pec.it/INBOX\t42x\r\n",
                             "QORVANA-SDI\t1\r\nM\timaps://pec.it/INBOX\t42\tv1\r\n",
                             // a byte Windows-1252 leaves undefined
                             "QORVANA-SDI\t1\r\nA\tsdi\x81@pec.fatturapa.it\r\n"}) {
        EXPECT_FALSE(ParseSdiStore(text, problem)) << text;
        EXPECT_NE(problem.find("danneggiato"), std::string::npos);
    }
    EXPECT_TRUE(ParseSdiStore("", problem));
}

TEST(SdiStore, SavedDurablyAndLoaded) {
    testing::TempDir dir;
    std::string problem;
    EXPECT_TRUE(LoadSdiStore(dir.path(), problem)->entries.empty());
    EXPECT_EQ(SaveSdiStore(dir.path(), StoreWithSentInvoice()), "");
    EXPECT_EQ(LoadSdiStore(dir.path(), problem)->entries[0].fileName, kFile);
    // Nothing but the store itself is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

// A PEC message as providers deliver it: the envelope, its data file, and the system's own
// message attached, which carries the notification in base64.
TEST(SdiMessages, NotificationInsideCertifiedMail) {
    const std::string& rc = kDelivered;
    // base64 of the notification, in lines of 76.
    std::string encoded;
    for (std::size_t i = 0; i < rc.size(); i += 57) {
        unsigned char line[77];
        EVP_EncodeBlock(line, reinterpret_cast<const unsigned char*>(rc.data() + i),
                        static_cast<int>(std::min<std::size_t>(57, rc.size() - i)));
        encoded += reinterpret_cast<const char*>(line) + std::string("\r\n");
    }
    const std::string message =
        "From: sdi23@pec.fatturapa.it\r\nSubject: Ricevuta\r\nMIME-Version: 1.0\r\n"
        "Content-Type: multipart/mixed; boundary=\"in\"\r\n\r\n--in\r\nContent-Type: text/plain"
        "\r\n\r\nRicevuta\r\n--in\r\nContent-Type: application/octet-stream;\r\n name=\"x\"\r\n"
        "Content-Transfer-Encoding: base64\r\nContent-Disposition: attachment;\r\n"
        " filename*=utf-8''IT01234567890_0000H_RC_001.xml\r\n\r\n" +
        encoded + "--in--\r\n";
    const std::string envelope =
        "From: \"Per conto di: sdi23@pec.fatturapa.it\" <posta-certificata@pec.it>\r\n"
        "Content-Type: multipart/mixed; boundary=out\r\n\r\npreamble\r\n--out\r\n"
        "Content-Type: application/xml; name=daticert.xml\r\n\r\n<postacert/>\r\n--out\r\n"
        "Content-Type: message/rfc822; name=postacert.eml\r\n\r\n" +
        message + "\r\n--out--\r\n";
    Gathered gathered;
    GatherFromMessage(envelope, "m1", gathered);
    ASSERT_EQ(gathered.sources.size(), 1u);
    EXPECT_EQ(gathered.sources[0].fileName, "IT01234567890_0000H_RC_001.xml");
    EXPECT_EQ(gathered.sources[0].bytes, rc);
    EXPECT_EQ(gathered.sources[0].sender, "sdi23@pec.fatturapa.it");
    // Recorded, it gives the system's address when its sender is one.
    for (const std::string sender : {"sdi23@pec.fatturapa.it", "Sistema sdi23@pec.fatturapa.it"}) {
        SdiStore store = StoreWithSentInvoice();
        gathered.sources[0].sender = sender;
        ApplyNotifications(store, gathered.sources, Schema(), "t");
        EXPECT_EQ(store.assignedAddress, sender.starts_with("sdi") ? sender : "");
    }
    // Cut anywhere, the message never breaks the reader.
    for (std::size_t cut = 0; cut < envelope.size(); cut += 97)
        MailAttachments(envelope.substr(0, cut));
}

TEST(SdiEInvoice, FactsAndProgressive) {
    const std::string xml = fpatest::Slurp(fpatest::kHere / "data/IT01234567890_FPR01.xml");
    std::string problem;
    const std::optional<EInvoiceFacts> facts = ReadEInvoiceFacts(xml, problem);
    ASSERT_TRUE(facts) << problem;
    EXPECT_EQ(facts->format, "FPR12");
    EXPECT_FALSE(facts->publicAdministration());
    EXPECT_EQ(facts->progressive, "0001A");
    EXPECT_EQ(facts->customer, "Edilizia Bianchi S.p.A.");
    EXPECT_EQ(facts->customerId, "IT09876543217");
    const std::optional<std::string> changed = WithProgressive(xml, "18");
    ASSERT_TRUE(changed);
    EXPECT_EQ(ReadEInvoiceFacts(*changed, problem)->progressive, "18");
    EXPECT_EQ(changed->size(), xml.size() - 3);
    EXPECT_FALSE(ReadEInvoiceFacts(kDelivered, problem));
}

// A rejected e-invoice goes again under the next progressive; when the store already lists the
// e-invoice of that progressive (the counter is behind, its file gone), nothing is done.
TEST(SdiResend, ProgressiveAlreadyListedIsRefused) {
    fpatest::Desk d;
    const std::string rejected = "IT01234567890_00001.xml";
    d.drive.write("fatture/" + rejected,
                  fpatest::Slurp(fpatest::kHere / "data/IT01234567890_FPR01.xml"));
    const auto setCounter = [&](std::int16_t last) {
        CountersRecord counter = d.s.files.read<CountersFile>(tot::kFatturaPa);
        counter.setInt16(tot::kRecordCount, last);
        d.s.files.write<CountersFile>(tot::kFatturaPa, counter);
    };
    const EInvoiceFacts facts{"FPR12", "1", "15", "2026-12-06", "Edilizia Bianchi", "IT0987"};
    SdiStore store;
    store.add(rejected, "\\fatture\\" + rejected, facts);
    SdiNotification rejection;
    rejection.kind = NotificationKind::NS;
    rejection.invoiceFile = rejected;
    RecordNotification(store, rejection, "n.xml", "t");
    store.add("IT01234567890_00002.xml", "\\fatture\\IT01234567890_00002.xml", facts)
        .sendings.emplace_back();
    setCounter(1);
    const std::string before = FormatSdiStore(store);
    const Resent refused = PrepareResend(store, rejected, d.s);
    EXPECT_NE(refused.problem.find("indietro"), std::string::npos) << refused.problem;
    EXPECT_EQ(FormatSdiStore(store), before);
    EXPECT_FALSE(std::filesystem::exists(d.drive.path() / "fatture/IT01234567890_00002.xml"));
    setCounter(2);
    const Resent resent = PrepareResend(store, rejected, d.s);
    EXPECT_EQ(resent.fileName, "IT01234567890_00003.xml") << resent.problem;
}

// Settings readable by others are refused by qorvana_sdi_test.sh; the system's address and
// credentials in the server's address here.
TEST(SdiSettings, AddressAssignedAndCredentialsInTheServerRefused) {
    testing::TempDir dir;
    const auto file =
        dir.write("qorvana-sdi.ini", "pec=ditta@pec.it\r\nsmtp=smtps://smtp.pec.it:465\r\n");
    const PathMapper paths(dir.path());
    ::chmod(file.c_str(), 0600);
    const SdiSettingsRead read = ReadSdiSettings(file, paths);
    ASSERT_TRUE(read.settings) << read.problem;
    EXPECT_EQ(SystemAddressFor(*read.settings, ""), "sdi01@pec.fatturapa.it");
    EXPECT_EQ(SystemAddressFor(*read.settings, "sdi23@pec.fatturapa.it"), "sdi23@pec.fatturapa.it");
    dir.write("qorvana-sdi.ini", "smtp=smtps://user:pw@smtp.pec.it\r\n");
    EXPECT_NE(ReadSdiSettings(file, paths).problem.find("non deve contenere"), std::string::npos);
}

}  // namespace
}  // namespace qorvana
