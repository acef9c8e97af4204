#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/counters.h"
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

constexpr const char* kPaNamespace = "http://www.fatturapa.gov.it/sdi/messaggi/v1.0";
constexpr const char* kBusinessNamespace =
    "http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fattura/messaggi/v1.0";
// Public sample notifications carry it too; the program knows no schema for it.
constexpr const char* kOtherNamespace =
    "http://ivaservizi.agenziaentrate.gov.it/docs/xsd/messaggi/v1.0";

// A notification of the exchange system: the root, its elements, the signature it always has.
std::string Notification(const std::string& root, const std::string& body,
                         const std::string& ns = kPaNamespace) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<types:" + root + " xmlns:types=\"" + ns +
           "\" xmlns:ds=\"http://www.w3.org/2000/09/xmldsig#\" versione=\"1.0\">" + body +
           kSignature + "</types:" + root + ">";
}

const std::string kFile = "IT01234567890_0000H.xml";
const std::string kHead =
    "<IdentificativoSdI>111</IdentificativoSdI><NomeFile>" + kFile + "</NomeFile>";
const std::string kReceived = "<DataOraRicezione>2026-12-06T10:00:00</DataOraRicezione>";
const std::string kRecipient =
    "<Destinatario><Codice>UFABCD</Codice><Descrizione>Comune</Descrizione></Destinatario>";
const std::string kMessage = "<MessageId>123456</MessageId>";

const NotificationSchemas& Schema() {
    static const std::unique_ptr<NotificationSchemas> schema = [] {
        auto loaded = NotificationSchemas::Load();
        EXPECT_TRUE(loaded) << loaded.message();
        return std::move(loaded).valueOr(nullptr);
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
    e.sendings.push_back({"2026-12-06 10:00:00",
                          kFile + ".p7m",
                          "ditta@pec.it",
                          "sdi01@pec.fatturapa.it",
                          "<1@pec.it>",
                          "ab",
                          "cd",
                          {}});
    return store;
}

// The business flow's messages, in their own namespace.
const std::string kHash = std::string(64, 'a');
const std::string kBusinessHead = kHead + "<Hash>" + kHash + "</Hash>" + kReceived;
const std::string kBusinessRejected = Notification(
    "RicevutaScarto",
    kBusinessHead +
        "<ListaErrori><Errore><Codice>00404</Codice><Descrizione>Fattura duplicata</Descrizione>"
        "<Suggerimento>Verificare che la fattura non sia già stata inviata</Suggerimento>"
        "</Errore></ListaErrori>" +
        kMessage,
    kBusinessNamespace);

// Refused with what is wrong in Italian; the library's own text is kept for the log (a
// notification without its signature: qorvana_sdi_test.sh).
TEST(SdiNotifications, MalformedAndForeignAreRefused) {
    const std::string& rc = kDelivered;
    std::string badCode = kRejected;
    badCode.replace(badCode.find("00305"), 5, "305");
    std::string noSuggestion = kBusinessRejected;
    noSuggestion.erase(noSuggestion.find("<Suggerimento>"),
                       noSuggestion.find("</Errore>") - noSuggestion.find("<Suggerimento>"));
    const struct {
        std::string xml;
        std::string problem;
    } cases[] = {
        {rc.substr(0, rc.size() - 40), "il testo XML è incompleto o danneggiato (riga 2)"},
        {badCode, "l'elemento Codice (riga 2) ha un valore non ammesso"},
        {noSuggestion, "(MessaggiFatturaTypes 1.0): l'elemento Errore (riga 2) non contiene"},
        // The public administration's schema wants a 6-character code.
        {Notification("RicevutaConsegna",
                      kHead + kReceived +
                          "<DataOraConsegna>2026-12-06T11:00:00</DataOraConsegna>"
                          "<Destinatario><Codice>M5UXCR1</Codice><Descrizione>"
                          "x</Descrizione></Destinatario>" +
                          kMessage),
         "(MessaggiTypes 1.1): l'elemento Codice (riga 2) ha un valore non ammesso"},
        {Notification("RicevutaConsegna", "<NomeFile>" + kFile + "</NomeFile>", kOtherNamespace),
         "mancano IdentificativoSdI o NomeFile"},
        {"<x/>", "l'elemento x non è una notifica"},
        {"", "il file non contiene un documento XML"},
    };
    for (const auto& c : cases) {
        const NotificationRead read = ReadNotification(c.xml, Schema());
        EXPECT_FALSE(read.notification);
        EXPECT_NE(read.problem.find(c.problem), std::string::npos) << read.problem;
        for (const char* english : {"Element", "Premature", "expected", "facet"})
            EXPECT_EQ(read.problem.find(english), std::string::npos) << read.problem;
    }
    EXPECT_NE(ReadNotification(badCode, Schema()).original.find("facet"), std::string::npos);
    for (const std::string& metadata :
         {Notification("NotificaEsitoCommittente",
                       "<IdentificativoSdI>1</IdentificativoSdI><Esito>EC01</Esito>"),
          "<m:FileMetadati xmlns:m=\"" + std::string(kBusinessNamespace) +
              "\" versione=\"1.0\"><IdentificativoSdI>1</IdentificativoSdI><NomeFile>a.xml"
              "</NomeFile><Hash>h</Hash><CodiceDestinatario>0000000</CodiceDestinatario><Formato>"
              "FPR12</Formato><TentativiInvio>1</TentativiInvio><MessageId>1</MessageId>"
              "</m:FileMetadati>"})
        EXPECT_TRUE(ReadNotification(metadata, Schema()).forRecipient) << metadata;
}

TEST(SdiNotifications, FileMatchedWhateverItsCaseAndSignature) {
    SdiStore store = StoreWithSentInvoice();
    SdiNotification n = *ReadNotification(kDelivered, Schema()).notification;
    n.invoiceFile = "it01234567890_0000h.XML.p7m";  // case and signature aside
    EXPECT_EQ(RecordNotification(store, n, "x.xml", "t"), Recorded::New);
}

// Each notification is tied to its transmission; the e-invoice shows its latest accepted one.
TEST(SdiTransmissions, OneStatePerTransmission) {
    const std::string h1(64, '1'), h2(64, '2');
    const auto said = [](NotificationKind kind, const std::string& sdiId, const std::string& hash,
                         const std::string& messageId = "m") {
        SdiNotification n;
        n.kind = kind;
        n.sdiId = sdiId;
        n.invoiceFile = kFile;
        n.hash = hash;
        n.messageId = messageId + sdiId;
        return n;
    };
    using K = NotificationKind;
    struct Step {
        std::optional<SdiNotification> notification;  // none: a sending of the file h1
        Recorded recorded = Recorded::New;
        std::string name = "n.xml";
        int matched = 0;  // of a sending: the notifications it matched
    };
    const Step send{};
    const struct {
        const char* what;
        const char* format;
        std::vector<Step> steps;
        const char* state;
    } cases[] = {
        {"the duplicate's rejection read first",
         "FPR12",
         {send, send, {said(K::NS, "222", h1)}, {said(K::RC, "111", h1)}},
         "consegnata"},
        {"rejected, sent again and not yet answered",
         "FPA12",
         {send, {said(K::NS, "111", "")}, send},
         "inviata"},
        {"a Hash that fits no sending",
         "FPR12",
         {send, {said(K::RC, "111", h2), Recorded::Unmatched}},
         "inviata"},
    };
    for (const auto& c : cases) {
        SdiStore store;
        store.add(kFile, "\\fatture\\" + kFile, {c.format, "1", "1", "2026-12-06", "C", "IT1"});
        for (const Step& step : c.steps) {
            if (step.notification) {
                EXPECT_EQ(RecordNotification(store, *step.notification, step.name, "t"),
                          step.recorded)
                    << c.what;
            } else {
                const SendingRecord sending{
                    "t", kFile, "a@pec.it", "sdi01@pec.fatturapa.it", "<1@pec.it>", h1, h1, {}};
                EXPECT_EQ(RecordSending(store, *store.find(kFile), sending), step.matched)
                    << c.what;
            }
        }
        EXPECT_EQ(StateLine(*store.find(kFile)), c.state) << c.what;
    }
}

TEST(SdiNotifications, FileNames) {
    for (const char* name : {"IT01234567890_0000H_RC_001.xml", "IT01234567890_0000H_NS_002.XML",
                             "IT01234567890_0000H_NE_001.xml.p7m"})
        EXPECT_TRUE(IsNotificationFileName(name)) << name;
    for (const char* name :
         {"IT01234567890_0000H.xml", "daticert.xml", "postacert.eml", "_RC_1.xml"})
        EXPECT_FALSE(IsNotificationFileName(name)) << name;
}

// Written and read back the same (every field of a store: the fuzzed stores, and the states,
// errors, suggestions, kept messages and marks qorvana_sdi_test.sh reads back), but a tab in a
// name; Windows-1252 on disk; the outcome decides the state.
TEST(SdiStore, TextRoundTripAndDecidingNotification) {
    SdiStore store = StoreWithSentInvoice();
    store.mailboxMarks["imap://old.it/INBOX"] = {7, 0};
    int n = 0;
    for (const std::string* xml : {&kDelivered, &kRejected, &kAccepted})
        RecordNotification(store, *ReadNotification(*xml, Schema()).notification,
                           "n" + std::to_string(++n) + ".xml", "t");
    store.entries[0].customer = "Città\tdi Roma";
    const std::string text = FormatSdiStore(store);
    const Result<SdiStore> back = ParseSdiStore(text);
    ASSERT_TRUE(back) << back.message();
    EXPECT_EQ(FormatSdiStore(*back), text);
    EXPECT_EQ(back->entries[0].customer, "Città di Roma");
    EXPECT_EQ(StateOf(back->entries[0]), EInvoiceState::Accepted);
    EXPECT_NE(text.find("Citt\xe0"), std::string::npos);
    // A mark kept without UIDVALIDITY keeps its line as it was.
    EXPECT_NE(text.find("M\timap://old.it/INBOX\t7\r\n"), std::string::npos);
}

// A store kept before transmissions were told apart: its notifications tied to its sendings,
// one of a file never sent set aside, one recorded under two names kept once.
TEST(SdiStore, Version1TiedToTransmissions) {
    const std::string v1 =
        "QORVANA-SDI\t1\r\n"
        "F\tA.xml\t\\f\\A.xml\t1\t2026-12-01\tC\tIT1\tFPR12\t1\t\t\r\n"
        "I\tA.xml\t2026-12-01 10:00:00\tA.xml\tp@pec.it\tsdi01@pec.fatturapa.it\t<1@p>\tab\r\n"
        "I\tA.xml\t2026-12-02 10:00:00\tA.xml\tp@pec.it\tsdi01@pec.fatturapa.it\t<2@p>\tab\r\n"
        "N\tA.xml\tRC\tt\tA_RC_001.xml\t111\t2026-12-01T11:00:00\t\t\r\n"
        "N\tA.xml\tRC\tt\tcopia.xml\t111\t2026-12-01T11:00:00\t\t\r\n"
        "N\tA.xml\tNS\tt\tA_NS_001.xml\t222\t2026-12-02T11:00:00\t\t\r\n"
        "E\tA.xml\t00002\tNome file duplicato\r\n"
        "F\tB.xml\t\\f\\B.xml\t2\t2026-12-01\tC\tIT1\tFPR12\t2\t\t\r\n"
        "N\tB.xml\tNS\tt\tB_NS_001.xml\t333\t2026-12-01T11:00:00\t\t\r\n";
    const Result<SdiStore> store = ParseSdiStore(v1);
    ASSERT_TRUE(store) << store.message();
    const EInvoiceEntry& a = store->entries[0];
    EXPECT_EQ(a.notifications.size(), 2u);
    EXPECT_EQ(a.sendings[0].sdiId + " " + a.sendings[1].sdiId, "111 222");
    EXPECT_EQ(a.notifications[1].errors.at(0).code, "00002");
    EXPECT_EQ(StateLine(a), "consegnata");
    EXPECT_EQ(StateLine(store->entries[1]), "da inviare");
    EXPECT_EQ(store->unmatched.size(), 1u);
    const Result<SdiStore> again = ParseSdiStore(FormatSdiStore(*store));
    ASSERT_TRUE(again) << again.message();
    EXPECT_EQ(FormatSdiStore(*again), FormatSdiStore(*store));
}

// The same numbering, and a renumbered mailbox read again whole: qorvana_sdi_test.sh.
TEST(SdiMailbox, ReadAgainWhenTheServerRenumbers) {
    struct Case {
        MailboxMark mark;
        long long serverValidity;
        long long afterUid;
    } cases[] = {
        {{42, 0}, 1733600000, 42},  // a mark kept before UIDVALIDITY was
        {{42, 1733500000}, 0, 42},  // a server that does not say
        {{0, 0}, 1733600000, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadAfterUid(c.mark, c.serverValidity), c.afterUid)
            << c.mark.lastUid << " " << c.mark.uidValidity << " " << c.serverValidity;
}

TEST(SdiStore, DamagedStoreIsRefused) {
    for (const char* text : {"other\r\n", "QORVANA-SDI\t1\r\nI\tX.xml\tt\tf\ta\tb\tm\td\r\n",
                             "QORVANA-SDI\t1\r\nZ\t1\r\n",
                             // mailbox marks that are no message number
                             "QORVANA-SDI\t1\r\nM\timaps://pec.it/INBOX\t-2\r\n",
                             "QORVANA-SDI\t1\r\nM\timaps://pec.it/INBOX\t4294967296\r\n",
                             "QORVANA-SDI\t1\r\nM\timaps://pec.it/INBOX\t42x\r\n",
                             "QORVANA-SDI\t1\r\nM\timaps://pec.it/INBOX\t42\tv1\r\n",
                             // a byte Windows-1252 leaves undefined
                             "QORVANA-SDI\t1\r\nA\tsdi\x81@pec.fatturapa.it\r\n",
                             // a notification without the transmission it belongs to
                             "QORVANA-SDI\t2\r\nF\tA.xml\tp\t1\td\tc\ti\tFPR12\t1\t\t\r\n"
                             "N\tA.xml\tRC\tt\tn.xml\t111\tm\t\t\t1\th\t\tnessuno\r\n",
                             // an error after something else than its notification
                             "QORVANA-SDI\t2\r\nA\ta@b\r\nE\tA.xml\t1\td\ts\r\n"}) {
        const Result<SdiStore> damaged = ParseSdiStore(text);
        EXPECT_FALSE(damaged) << text;
        EXPECT_NE(damaged.message().find("danneggiato"), std::string::npos) << text;
    }
    EXPECT_TRUE(ParseSdiStore(""));
}

// A PEC message as providers deliver it: the envelope, its data file, and the system's own
// message attached (base64, and the system's address taken from its sender, in
// qorvana_sdi_test.sh's saved messages; cut short, or a sender that is no address, the fuzzed
// messages), here with the file's name in RFC 2231 form.
TEST(SdiMessages, NotificationInsideCertifiedMail) {
    const std::string message =
        "From: sdi23@pec.fatturapa.it\r\nSubject: Ricevuta\r\nMIME-Version: 1.0\r\n"
        "Content-Type: multipart/mixed; boundary=\"in\"\r\n\r\n--in\r\nContent-Type: text/plain"
        "\r\n\r\nRicevuta\r\n--in\r\nContent-Type: application/octet-stream;\r\n name=\"x\"\r\n"
        "Content-Disposition: attachment;\r\n filename*=utf-8''IT01234567890_0000H_RC_001.xml"
        "\r\n\r\n" +
        kDelivered + "\r\n--in--\r\n";
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
    EXPECT_EQ(gathered.sources[0].bytes, kDelivered);
    EXPECT_EQ(gathered.sources[0].sender, "sdi23@pec.fatturapa.it");
}

// A message carrying two notifications, attached as they are.
std::string MessageWith(const std::string& rc, const std::string& ns) {
    std::string text =
        "From: sdi07@pec.fatturapa.it\r\nContent-Type: multipart/mixed; boundary=b\r\n\r\n";
    for (const auto& [name, xml] : {std::pair{"IT01234567890_0000H_RC_001.xml", rc},
                                    std::pair{"IT01234567890_0000H_NS_001.xml", ns}})
        text += std::string(
                    "--b\r\nContent-Type: application/xml\r\nContent-Disposition: "
                    "attachment; filename=") +
                name + "\r\n\r\n" + xml + "\r\n";
    return text + "--b--\r\n";
}

// A mailbox message with a notification the program cannot use is kept and listed
// (qorvana_sdi_test.sh); one that cannot be kept, the kept folder blocked, stops the mailbox
// mark before it, to be read again.
TEST(SdiKeptMessages, KeptNeverPassedBy) {
    std::string broken = kRejected;
    broken.replace(broken.find("00305"), 5, "305");
    SdiStore store = StoreWithSentInvoice();
    testing::TempDir full;
    full.write(kKeptFolder, "a file where the folder goes");
    Gathered cannotKeep;
    cannotKeep.messages.push_back(
        {"m.eml", "casella, messaggio 9", MessageWith(broken, broken), 9, false, {}});
    GatherFromMessage(cannotKeep.messages[0].bytes, "casella, messaggio 9", cannotKeep, 0);
    MailboxMark reached{9, 1};
    RecordGathered(store, cannotKeep, Schema(), full.path(), "t", &reached);
    EXPECT_EQ(reached.lastUid, 8);
}

TEST(SdiEInvoice, FactsAndProgressive) {
    const std::string xml = fpatest::Slurp(fpatest::kHere / "data/IT01234567890_FPR01.xml");
    const Result<EInvoiceFacts> facts = ReadEInvoiceFacts(xml);
    ASSERT_TRUE(facts) << facts.message();
    EXPECT_EQ(facts->format, "FPR12");
    EXPECT_FALSE(facts->publicAdministration());
    EXPECT_EQ(facts->progressive, "0001A");
    EXPECT_EQ(facts->customer, "Edilizia Bianchi S.p.A.");
    EXPECT_EQ(facts->customerId, "IT09876543217");
    const std::optional<std::string> changed = WithProgressive(xml, "18");
    ASSERT_TRUE(changed);
    EXPECT_EQ(ReadEInvoiceFacts(*changed)->progressive, "18");
    EXPECT_EQ(changed->size(), xml.size() - 3);
    EXPECT_FALSE(ReadEInvoiceFacts(kDelivered));
}

// A rejected e-invoice goes again under the next progressive; when the store already lists the
// e-invoice of that progressive (the counter is behind, its file gone), nothing is done.
TEST(SdiResend, ProgressiveAlreadyListedIsRefused) {
    fpatest::Desk d;
    const std::string rejected = "IT01234567890_00001.xml";
    d.drive.write("fatture/" + rejected,
                  fpatest::Slurp(fpatest::kHere / "data/IT01234567890_FPR01.xml"));
    const EInvoiceFacts facts{"FPR12", "1", "15", "2026-12-06", "Edilizia Bianchi", "IT0987"};
    SdiStore store;
    store.add(rejected, "\\fatture\\" + rejected, facts).sendings.emplace_back();
    SdiNotification rejection;
    rejection.kind = NotificationKind::NS;
    rejection.sdiId = "111";
    rejection.invoiceFile = rejected;
    RecordNotification(store, rejection, "n.xml", "t");
    store.add("IT01234567890_00002.xml", "\\fatture\\IT01234567890_00002.xml", facts)
        .sendings.emplace_back();
    WriteRecordCount(d.s.files, tot::kFatturaPa, 1);
    const std::string before = FormatSdiStore(store);
    const Result<Resent> refused = PrepareResend(store, rejected, d.s);
    EXPECT_NE(refused.message().find("indietro"), std::string::npos) << refused.message();
    EXPECT_EQ(FormatSdiStore(store), before);
    EXPECT_FALSE(std::filesystem::exists(d.drive.path() / "fatture/IT01234567890_00002.xml"));
    WriteRecordCount(d.s.files, tot::kFatturaPa, 2);
    const Result<Resent> resent = PrepareResend(store, rejected, d.s);
    ASSERT_TRUE(resent) << resent.message();
    EXPECT_EQ(resent->fileName, "IT01234567890_00003.xml");
}

// Credentials go in their own settings, never in the server's address (settings readable by
// others, and the system's address as assigned or published: qorvana_sdi_test.sh).
TEST(SdiSettings, CredentialsInTheServerRefused) {
    testing::TempDir dir;
    const auto file = dir.write("qorvana-sdi.ini", "smtp=smtps://user:pw@smtp.pec.it\r\n");
    ::chmod(file.c_str(), 0600);
    const Result<SdiSettings> read = ReadSdiSettings(file, PathMapper(dir.path()));
    EXPECT_NE(read.message().find("non deve contenere"), std::string::npos) << read.message();
}

}  // namespace
}  // namespace qorvana
