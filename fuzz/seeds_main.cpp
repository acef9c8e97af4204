// fuzz_seeds FOLDER: writes the seed corpora of the harnesses into FOLDER/<harness>/, from the
// files of the scratch company (the demo company with its posted invoice) and what the
// program writes for it: each seed is the harness's selector byte and the file's bytes.
// The FatturaPA samples of the tests are added to fpa_check's seeds by hand, the e-invoice
// channel's fixtures by sdi_seeds.sh (README.md).

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <variant>

#include "core/cp1252.h"
#include "core/session.h"
#include "core/tab_file.h"
#include "document/series_file.h"
#include "fatturapa/fpa_export.h"
#include "fatturapa/fpa_file.h"
#include "fatturapa/fpa_tables.h"
#include "fuzz/confirmation.h"
#include "fuzz/scratch_company.h"
#include "fuzz/sdi_support.h"
#include "print/document_print.h"
#include "print/print_image.h"
#include "print/print_settings.h"
#include "sources/source_documents.h"

namespace {

namespace fs = std::filesystem;
using namespace qorvana;
using namespace qorvana::fuzz;

fs::path out;

void Seed(const std::string& harness, const std::string& name, int selector,
          std::string_view bytes) {
    fs::create_directories(out / harness);
    std::ofstream file(out / harness / name, std::ios::binary);
    if (selector >= 0) file.put(static_cast<char>(selector));
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

const std::string& CompanyFile(const std::string& relative) {
    return ScratchCompany::Get().files().at("qorwin/qorwin/" + relative);
}

void PrintImageSeeds(Session& s) {
    DocumentDraft draft = SampleDraft(9, "2");
    const PrintSettings print = LoadPrintSettings(s);
    const VatTable vat = VatTable::FromTab(TabFile::Load(s.companyFile("qorvana.tab")));
    Recompute(s, vat, draft);
    const auto width = [](const PrintText& t) { return Utf8Length(t.text) * t.size * 0.1; };
    const PrintedDocument pages = ComposeDocument(
        DocumentToPrintOf(draft, s.files, s.money(), s.numberWithYear()), print, vat,
        ReadFormDrawing(s.companyFile("qorvana.lkf"), "qorvana.lkf").valueOr({}), s.money(), width);
    Seed("print_image", "invoice.rto", 0, PrintImageBytes(pages));
    Seed("print_image", "qorvana.lxf", 1,
         "larghezza=148\r\naltezza=210\r\nmargine_sinistro=5\r\nmargine_superiore=5\r\n"
         "margine_destro=5\r\nmargine_inferiore=5\r\n");
    Seed("print_image", "qorxpdf.ini", 2,
         "server=smtp.example.it\r\nporta=587\r\nsicurezza=starttls\r\n"
         "mittente=fatture@example.it\r\nutente=fatture@example.it\r\npassword=segreto\r\n"
         "oggetto=Documento {file}\r\ntesto=Gentile cliente,\\nin allegato il documento "
         "{file}.\r\n");
}

void LineFileSeeds(const Session& s) {
    const auto first = [&](SourceKind kind, int customer) {
        return ListSources(s.files, kind, customer, {}).front().cells[3];
    };
    const std::string note = "qoraz0.001/b" + first(SourceKind::DeliveryNotes, 1);
    Seed("line_file", "note", 0, CompanyFile(note));
    Seed("line_file", "note-grouped", 1, CompanyFile(note));
    Seed("line_file", "receipt", 2, CompanyFile("qoraz0.001/r" + first(SourceKind::Receipts, 1)));
    Seed("line_file", "invoice", 3, CompanyFile("qoraz0.001/f" + first(SourceKind::Invoices, 0)));
}

void SettingsSeeds() {
    const char* files[] = {"qoraz0.001/qorvana.int",
                           "qorvana.eur",
                           "qorvana.tbl",
                           "qorvana.prg",
                           "qoraz0.001/qorvana.tab",
                           "qoraz0.001/qorvana.ilx",
                           "qoraz0.001/qorvana.lyf",
                           "qoraz0.001/qorvana.pdf",
                           "qoraz0.001/qorvana.lkf",
                           "qoraz0.001/qorvana.fpv",
                           "qoraz0.001/qorvana.gnr",
                           "qoraz0.001/qorvana.fpa"};
    for (int i = 0; i < static_cast<int>(std::size(files)); ++i)
        Seed("settings", fs::path(files[i]).filename().string(), i, CompanyFile(files[i]));
    // The e-invoice files, which the scratch company (without e-invoices to everyone) lacks.
    const int next = static_cast<int>(std::size(files));
    Seed("settings", "qorvana-fe.ini", next,
         "tutti_i_clienti=si\r\nbollo_a_carico_del_cliente=si\r\n"
         "iban=IT60 X054 2811 1010 0000 0123 456\r\nbollo_codice_iva_15=no\r\n"
         "cassa_tipo=TC04\r\ncassa_aliquota=4\r\ncassa_codice_iva=1\r\n");
    Seed("settings", "qorvana.fec", next + 1,
         "QORVANA-FEC\t3\r\n2\tM5UXCR1\t\t0\t\t\t\t\t\r\n7\t\t\t0\t\tMario\tRossi\t\t\r\n"
         "9\tUFH7Q2\t\t1\t\t\t\t08060120341234567-000001\t15/01/2026\r\n");
}

void RecordSeeds() {
    const char* extensions[] = {"tot", "cli", "src", "art", "srb", "prx", "bol", "ric",
                                "prv", "fte", "f2e", "age", "con", "gio", "mag", "sra"};
    for (int i = 0; i < static_cast<int>(std::size(extensions)); ++i) {
        const std::string name = std::string("qorvana.") + extensions[i];
        Seed("records", name, i, CompanyFile("qoraz0.001/" + name));
    }
    // The scratch company stores no e-invoice of kind 7: the series file is made here.
    Seed("records", "qorvana.num", 16,
         StoredSeriesText({{1, {"1", "20250305", true}}, {2, {"2", "20250306", false}}}));
}

// The FatturaPA 1.2.3 file the program writes for the sample invoice to the public
// administration.
void FatturaPaSeed(Session& s) {
    const Result<std::string> xml = SampleFatturaPa(s);
    if (!xml) {
        std::fprintf(stderr, "fuzz_seeds: %s\n", xml.message().c_str());
        std::exit(1);
    }
    Seed("fpa_check", "written-v12.xml", -1, *xml);
}

// The e-invoice channel's own files: a store of two sent e-invoices, one rejected and one
// delivered and accepted, a notification of the third (not sent) waiting, a message kept, the
// system's address and a mailbox's mark; the settings.
void SdiSeeds() {
    SdiStore store = SentStore();
    SdiNotification n;
    n.kind = NotificationKind::NS;
    n.sdiId = "4711";
    n.invoiceFile = kSentInvoice;
    n.moment = "2026-12-06T10:00:00";
    n.errors = {{"00305", "1.1.4 CodiceDestinatario non valido", ""},
                {"00423", "2.2.1.11 PrezzoTotale non calcolato secondo le specifiche",
                 "Verificare il calcolo del PrezzoTotale"}};
    RecordNotification(store, n, "IT01234567890_00001_NS_001.xml", "2026-12-06 10:05:00");
    n = {};
    n.sdiId = "4712";
    n.invoiceFile = "IT01234567890_00002.xml";
    n.moment = "2026-12-06T11:00:00";
    RecordNotification(store, n, "IT01234567890_00002_RC_001.xml", "2026-12-06 11:05:00");
    n.kind = NotificationKind::NE;
    n.outcome = "EC02";
    n.description = "Manca il codice CIG";
    RecordNotification(store, n, "IT01234567890_00002_NE_001.xml", "2026-12-07 09:00:00");
    n = {};  // a business notification of the e-invoice not sent: it waits for its sending
    n.kind = NotificationKind::MC;
    n.sdiId = "4713";
    n.invoiceFile = "IT01234567890_00003.xml";
    n.hash = std::string(64, 'a');
    n.availableSince = "2026-12-07";
    n.schema = MessageSchema::Business;
    RecordNotification(store, n, "IT01234567890_00003_MC_001.xml", "2026-12-07 10:00:00");
    store.kept.push_back({"messaggio_43_0123456789ab.eml",
                          "imaps://127.0.0.1:993/INBOX, messaggio 43", "2026-12-07 10:00:00",
                          "non rispetta lo schema delle notifiche"});
    store.assignedAddress = "sdi07@pec.fatturapa.it";
    store.mailboxMarks["imaps://127.0.0.1:993/INBOX"] = {42, 0};
    Seed("sdi_store", "qorvana.sdi", 0, FormatSdiStore(store));
    Seed("sdi_store", "qorvana-sdi.ini", 1,
         "certificato=\\certs\\ditta.p12\r\npassword_certificato=firma segreta\r\n"
         "firma=pa\r\npec=ditta@pec.example.it\r\nsmtp=smtp://127.0.0.1:2525\r\n"
         "utente=ditta\r\npassword=pecsegreta\r\nca=\\certs\\ca.pem\r\n"
         "imap=imaps://127.0.0.1:993/INBOX\r\nsdi=sdi01@pec.fatturapa.it\r\n"
         "invio_dopo_conferma=si\r\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
        return 2;
    }
    out = argv[1];
    const auto session = ScratchCompany::Get().openSession();
    PrintImageSeeds(*session);
    LineFileSeeds(*session);
    SettingsSeeds();
    RecordSeeds();
    FatturaPaSeed(*session);
    SdiSeeds();
    return 0;
}
