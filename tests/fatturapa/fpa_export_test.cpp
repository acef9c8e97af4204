#include "fatturapa/fpa_export.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "core/counters.h"
#include "tests/fatturapa/fpa_desk.h"

namespace qorvana {
namespace {

using namespace qorvana::fpatest;
using testing::TempDir;
using testing::WithFileLimit;

const std::string kCreated =
    "Il file IT01234567897_15.xml è stato creato all'interno della cartella "
    "\\qorwin\\qorwin\\qoraz0.001\\fatturepa\\";

// The 1.0 writer, case by case (the 1.2.3 one: fpa_writer_v12_test.cpp).
TEST(FpaExport, FocusedCases) {
    const std::vector<Case> cases = {
        {"customer without VAT number",
         [](Desk& d) {
             d.customer.setText(cli::kVatNumber, "");
             d.customer.setText(cli::kVatPrefix, "");
         },
         {"<CessionarioCommittente>\r\n      <DatiAnagrafici>\r\n        <CodiceFiscale>",
          "<Nazione>IT</Nazione>\r\n      </Sede>\r\n    </CessionarioCommittente>"},
         {"00215150236</IdCodice>"}},
        {"DDT blank: the carrier is written",
         [](Desk& d) { d.panel.carrier = 0; },
         {"<DatiTrasporto>", "<Denominazione>BARTOLINI S.P.A.</Denominazione>",
          "<Denominazione>QORVANA DEMO S.R.L.</Denominazione>",
          "<CondizioniPagamento>TP02</CondizioniPagamento>"},
         {"<DatiDDT>"}},
        {"a carrier without country and identifier is left out",
         [](Desk& d) {
             d.tables.carriers[2] = {"", "", "PADANA TRASPORTI", "", "", "", "", "", ""};
             d.panel.carrier = 1;
         },
         {"</DatiGeneraliDocumento>\r\n    </DatiGenerali>"},
         {"<DatiTrasporto>", "PADANA"}},
        Refused("a 7-character recipient code",
                [](Desk& d) { d.customer.setText(cli::kRecipientCodeSeventh, "4"); },
                {"Codice destinatario del cliente: \"UFH7Q24\" ha 7 caratteri"}),
        Refused("DDT 12 without its date", [](Desk& d) { d.panel.deliveryNote.id = "12"; },
                {"Data del DDT: manca"}),
        {"two discounts, then a negative one",
         [](Desk& d) {
             d.lines[1].discount1 = 10;
             d.lines[1].discount2 = 10;
             d.line(2, "Maggiorazione urgenza", 1, 100, 1);
             d.lines[2].discount2 = -5;
         },
         {"<Percentuale>10.00</Percentuale>\r\n          <Importo>20.00</Importo>",
          "<Percentuale>10.00</Percentuale>\r\n          <Importo>18.00</Importo>",
          "<PrezzoTotale>162.00</PrezzoTotale>", "<Tipo>MG</Tipo>",
          "<PrezzoTotale>105.00</PrezzoTotale>", "<ImponibileImporto>267.00</ImponibileImporto>",
          "<EsigibilitaIVA>I</EsigibilitaIVA>"}},
        {"Autofattura",
         [](Desk& d) { d.header.vatOptions.selfInvoice = true; },
         {"<SoggettoEmittente>CC</SoggettoEmittente>\r\n  </FatturaElettronicaHeader>"}},
        Refused("withholding without its type and reason", [](Desk& d) { d.lines[1].vatCode = 3; },
                {"Ritenuta d'acconto: scegliere"}),
        Refused("no line with an amount", [](Desk& d) { d.lines[1].unitPrice = 0; },
                {"Il documento non ha importi"}),
        Refused("a document number without letters or digits",
                [](Desk& d) { d.header.documentNumber = "///"; }, {"non contiene lettere o cifre"}),
        Refused("lire", [](Desk& d) { d.s.runSettings.euro = false; }, {"lire"}),
        Refused("the counter is full",
                [](Desk& d) {
                    WriteRecordCount(d.s.files, tot::kFatturaPa, 32767);
                    d.header.proposedProgressive = d.header.transmissionNumber = "32768";
                },
                {"massimo (32767)"}),
        Refused("the folder is missing", [](Desk& d) { fs::remove_all(d.company / "fatturepa"); },
                {"Impossibile creare il file IT01234567897_15.xml: la cartella "
                 "\\qorwin\\qorwin\\qoraz0.001\\fatturepa\\ non esiste."}),
        Refused("no folder in the settings",
                [](Desk& d) { d.settings.setText(fpa::kXmlFolder, ""); },
                {"manca la cartella dei file XML"}),
        Refused("a format setting of neither version",
                [](Desk& d) { d.drive.write(d.company / kFpaFormatFile, "1.2\n"); },
                {"i formati possibili sono 1.0 e 1.2.3"}),
    };
    ExpectExports(cases, "1.0");
}

TEST(FpaExport, NumberWithSlashesStaysInTheFolder) {
    // fatturapa10.qrs writes 15/2026 as IT01234567897_152026.xml.
    Desk d;
    d.header.documentNumber = "../x";
    EXPECT_NE(d.exportOnce().find("IT01234567897_X.xml"), std::string::npos);
    EXPECT_TRUE(fs::exists(d.company / "fatturepa/IT01234567897_X.xml"));
    EXPECT_EQ(std::distance(fs::directory_iterator(d.company / "fatturepa"), {}), 1);
}

// A file that cannot be written leaves the folder, archive copy, counter and fpaState alone.
TEST(FpaExport, FailedWriteLeavesFolderAndArchiveAsTheyWere) {
    const std::pair<const char*, std::string> cases[] = {
        {"a folder in the file's place", "al posto del file c'è una cartella"},
        {"a full disk", "il file supera la dimensione consentita"},
    };
    for (const auto& [name, reason] : cases) {
        SCOPED_TRACE(name);
        Desk d;
        const bool folder = reason.starts_with("al posto");
        if (folder) fs::create_directory(d.company / "fatturepa/IT01234567897_15.xml");
        d.drive.write(d.company / "fpa1", "an earlier copy");
        const std::string message =
            folder ? d.exportOnce() : WithFileLimit(1024, [&d] { return d.exportOnce(); });
        EXPECT_EQ(message.rfind("Il file \\qorwin\\qorwin\\qoraz0.001\\fatturepa\\"
                                "IT01234567897_15.xml non è stato scritto: " +
                                    reason,
                                0),
                  0u)
            << message;
        EXPECT_NE(message.find("Il progressivo di invio non è stato usato."), std::string::npos);
        EXPECT_EQ(Slurp(d.company / "fpa1"), "an earlier copy");
        EXPECT_EQ(d.counter(), 0);
        EXPECT_EQ(d.draft.fpaState, 0);
        std::vector<std::string> left;
        for (const auto& e : fs::directory_iterator(d.company / "fatturepa"))
            left.push_back(e.path().filename().string());
        EXPECT_EQ(left, folder ? std::vector<std::string>{"IT01234567897_15.xml"}
                               : std::vector<std::string>{});
    }
}

TEST(FpaExport, ProgressiveTypedOverTheProposalIsUsedEverywhere) {
    Desk d;
    d.header.transmissionNumber = "40";
    std::string xml;
    d.exportOnce(&xml);
    EXPECT_NE(xml.find("<ProgressivoInvio>40</ProgressivoInvio>"), std::string::npos);
    EXPECT_EQ(d.counter(), 40);
    EXPECT_EQ(d.draft.fpaState, 40);
    EXPECT_TRUE(fs::exists(d.company / "fpa40"));
}

// One document using most of the writer, byte for byte. QORVANA_UPDATE_EXPECTED=1 rewrites
// the expected file.
TEST(FpaExport, DocumentAsExpected) {
    Desk d;
    d.settings.setText(fpa::kSellerName, "");
    d.settings.setText(fpa::kTaxRegimeIndex, "1");
    d.line(1, "Consulenza tecnica", 1, 1000, 3);
    d.lines[1].unit = "NR";
    d.lines[1].discount1 = 10;
    d.line(2, "Materiale elettrico", 3, 12.5, 2);
    d.line(3, "Rimborso spese esenti", 1, 80, 14);
    d.line(4, "Intervento del 02/12/2026", 0, 0, 0);
    d.panel.documentType = "TD06";
    d.panel.withholdingType = 1;
    d.panel.withholdingReason = 1;
    d.panel.paymentCondition = 0;
    d.panel.purchaseOrder.id = "ORD 77";
    d.panel.purchaseOrder.date = "01/12/2026";
    d.panel.cig = "Z1234567890";
    d.panel.art73 = true;
    d.panel.deliveryNote.id = "12";
    d.panel.deliveryNote.date = "30/11/2026";
    d.header.deferredVat = true;
    // A transfer names the company's account, not the customer's.
    d.bank("000000999999");
    d.einvoice.iban = "IT60X0542811101000000123456";
    d.header.dueDates = {"05/01/2027", "05/02/2027"};
    d.header.instalmentAmounts = {"520", "519,25"};
    std::string xml;
    ASSERT_EQ(d.exportOnce(&xml), kCreated);
    const fs::path expected = kHere / "expected/invoice.xml";
    if (std::getenv("QORVANA_UPDATE_EXPECTED")) std::ofstream(expected, std::ios::binary) << xml;
    EXPECT_EQ(xml, Slurp(expected));
    TempDir out;
    ExpectSchemaValid10({out.write("invoice.xml", xml)});
}

}  // namespace
}  // namespace qorvana
