#include "fatturapa/fpa_export.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>

#include "tests/fatturapa/fpa_desk.h"

namespace qorvana {
namespace {

using namespace qorvana::fpatest;
using testing::TempDir;

// Every file given is valid against the 1.0 schema (xmllint, offline).
void ExpectSchemaValid(const std::vector<fs::path>& files) {
    std::string command = "bash '" + (kHere / "validate_v10.sh").string() + "'";
    for (const auto& f : files) command += " '" + f.string() + "'";
    command += " >/dev/null 2>xmllint.log";
    EXPECT_EQ(std::system(command.c_str()), 0) << Slurp("xmllint.log");
}

const std::string kCreated =
    "Il file IT01234567897_15.xml è stato creato all'interno della cartella "
    "\\qorwin\\qorwin\\qoraz0.001\\fatturepa\\";

// The customer's bank coordinates; a 12-digit account makes a 27-character IBAN.
void SetBank(Desk& d, const char* account) {
    d.customer.setText(cli::kIbanPrefix, "IT60");
    d.customer.setText(cli::kCin, "X");
    d.customer.setText(cli::kAbi, "05428");
    d.customer.setText(cli::kCab, "11101");
    d.customer.setText(cli::kBankAccount, account);
}

struct Case {
    const char* name;
    std::function<void(Desk&)> change;
    std::vector<std::string> present;  // in the XML, or in the refusal when `refused`
    std::vector<std::string> absent;
    bool refused = false;
};

TEST(FpaExport, FocusedCases) {
    const std::vector<Case> cases = {
        {"seller without a company name",
         [](Desk& d) { d.settings.setText(fpa::kSellerName, "\x01\x02"); },
         {"<Anagrafica>\r\n          <Nome>Mario</Nome>\r\n          <Cognome>Rossi</Cognome>"},
         {"QORVANA DEMO"}},
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
         {"<DatiTrasporto>", "<Denominazione>BARTOLINI S.P.A.</Denominazione>"},
         {"<DatiDDT>"}},
        {"DDT 12: no carrier",
         [](Desk& d) {
             d.panel.carrier = 0;
             d.panel.deliveryNote.id = "12";
             d.panel.deliveryNote.date = "02/12/2026";
         },
         {"<DatiDDT>\r\n        <NumeroDDT>12</NumeroDDT>\r\n        "
          "<DataDDT>2026-12-02</DataDDT>"},
         {"<DatiTrasporto>"}},
        {"DDT 12 without its date",
         [](Desk& d) { d.panel.deliveryNote.id = "12"; },
         {"Data del DDT: manca"},
         {},
         true},
        {"description-only line gets the first line's code",
         [](Desk& d) { d.line(2, "Sopralluogo", 0, 0, 0); },
         {"<Descrizione>Sopralluogo</Descrizione>\r\n        <Quantita>0.00</Quantita>\r\n"
          "        <PrezzoUnitario>0.00000000</PrezzoUnitario>\r\n"
          "        <PrezzoTotale>0.00</PrezzoTotale>\r\n        <AliquotaIVA>22.00</AliquotaIVA>"},
         {}},
        {"VAT code 14 and its nature",
         [](Desk& d) { d.line(2, "Corso di formazione", 1, 50, 14); },
         {"<PrezzoTotale>50.00</PrezzoTotale>\r\n        <AliquotaIVA>00.00</AliquotaIVA>\r\n"
          "        <Natura>N4</Natura>",
          "<ImponibileImporto>50.00</ImponibileImporto>\r\n        <Imposta>0.00</Imposta>\r\n"
          "        <EsigibilitaIVA>I</EsigibilitaIVA>\r\n"
          "        <RiferimentoNormativo>Esente art. 10 DPR 633/72</RiferimentoNormativo>"},
         {}},
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
          "<PrezzoTotale>105.00</PrezzoTotale>", "<ImponibileImporto>267.00</ImponibileImporto>"},
         {}},
        {"MP05 with a 26-character IBAN",
         [](Desk& d) { SetBank(d, "00000012345"); },
         {"<ModalitaPagamento>MP05</ModalitaPagamento>"},
         {"<IBAN>"}},
        {"MP05 with a 27-character IBAN",
         [](Desk& d) { SetBank(d, "000000123456"); },
         {"<IBAN>IT60X0542811101000000123456</IBAN>"},
         {}},
        {"escaped, transcoded and transliterated texts",
         [](Desk& d) {
             d.customer.setText(cli::kName1, "Città & Figli\t<srl>");
             d.lines[1].description = "Quota “base” dell’ordine: 5 €";
             d.header.documentNumber = "15/€";
         },
         {"<Denominazione>Città &amp; Figli&lt;srl&gt;</Denominazione>",
          "<Descrizione>Quota \"base\" dell'ordine: 5 EUR</Descrizione>",
          "<Numero>15/EUR</Numero>"},
         {"\t", "’", "€"}},
        {"Autofattura",
         [](Desk& d) { d.header.vatOptions.selfInvoice = true; },
         {"<SoggettoEmittente>CC</SoggettoEmittente>\r\n  </FatturaElettronicaHeader>"},
         {}},
        {"no line with an amount",
         [](Desk& d) { d.lines[1].unitPrice = 0; },
         {"Il documento non ha importi"},
         {},
         true},
        {"a document number without letters or digits",
         [](Desk& d) { d.header.documentNumber = "///"; },
         {"non contiene lettere o cifre"},
         {},
         true},
        {"lire", [](Desk& d) { d.s.workStrings[1] = "0"; }, {"lire"}, {}, true},
        {"the counter is full",
         [](Desk& d) {
             auto c = d.s.files.read<CountersFile>(tot::kFatturaPa);
             c.setInt16(tot::kWord1, 32767);
             d.s.files.write<CountersFile>(tot::kFatturaPa, c);
             d.proposed = d.header.transmissionNumber = "32768";
         },
         {"massimo (32767)"},
         {},
         true},
        {"the folder is missing",
         [](Desk& d) { fs::remove_all(d.company / "fatturepa"); },
         {"Impossibile creare il file IT01234567897_15.xml: la cartella "
          "\\qorwin\\qorwin\\qoraz0.001\\fatturepa\\ non esiste."},
         {},
         true},
        {"no folder in the settings",
         [](Desk& d) { d.settings.setText(fpa::kXmlFolder, ""); },
         {"manca la cartella dei file XML"},
         {},
         true},
    };

    TempDir out;
    std::vector<fs::path> written;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Desk d;
        c.change(d);
        const int counterBefore = d.counter();
        std::string xml;
        const std::string message = d.exportOnce(&xml);
        if (c.refused) {
            for (const auto& p : c.present)
                EXPECT_NE(message.find(p), std::string::npos) << message;
            // Nothing written, nothing counted.
            EXPECT_EQ(d.s.fpaState, 0);
            EXPECT_FALSE(fs::exists(d.company / "fpa1"));
            EXPECT_EQ(d.counter(), counterBefore);
            continue;
        }
        ASSERT_EQ(message.rfind("Il file IT01234567897_", 0), 0u) << message;
        for (const auto& p : c.present) EXPECT_NE(xml.find(p), std::string::npos) << p;
        for (const auto& a : c.absent) EXPECT_EQ(xml.find(a), std::string::npos) << a;
        written.push_back(out.write(std::to_string(written.size()) + ".xml", xml));
    }
    ExpectSchemaValid(written);
}

TEST(FpaExport, NumberWithSlashesStaysInTheFolder) {
    for (const auto& [number, name] : {std::pair{"15/2024", "IT01234567897_152024.xml"},
                                       std::pair{"../x", "IT01234567897_x.xml"}}) {
        Desk d;
        d.header.documentNumber = number;
        EXPECT_NE(d.exportOnce().find(name), std::string::npos);
        EXPECT_TRUE(fs::exists(d.company / "fatturepa" / name)) << name;
        EXPECT_EQ(std::distance(fs::directory_iterator(d.company / "fatturepa"),
                                fs::directory_iterator()),
                  1);
    }
}

TEST(FpaExport, TwiceInOneRunAdvancesTheCounterOnce) {
    Desk d;
    EXPECT_EQ(d.exportOnce(), kCreated);
    EXPECT_EQ(d.counter(), 1);
    EXPECT_EQ(d.s.fpaState, 1);
    const FpaPrepared again = d.prepare();
    ASSERT_TRUE(again.plan);
    EXPECT_TRUE(again.plan->replacesFile);  // this document's own file: the form asks nothing
    EXPECT_EQ(CommitFpaExport(*again.plan, d.s), "");
    EXPECT_EQ(d.counter(), 1);
    EXPECT_EQ(d.s.fpaState, 1);
    EXPECT_FALSE(fs::exists(d.company / "fpa2"));
    const std::string archive = Slurp(d.company / "fpa1");
    ASSERT_EQ(archive.size(), kFpaRecordLength);
    EXPECT_EQ(archive.substr(849, 6), "1     ");
    EXPECT_EQ(archive.substr(723, 2), "15");
}

TEST(FpaExport, ProgressiveTypedOverTheProposalIsUsedEverywhere) {
    Desk d;
    d.header.transmissionNumber = "40";
    std::string xml;
    d.exportOnce(&xml);
    EXPECT_NE(xml.find("<ProgressivoInvio>40</ProgressivoInvio>"), std::string::npos);
    EXPECT_EQ(d.counter(), 40);
    EXPECT_EQ(d.s.fpaState, 40);
    EXPECT_TRUE(fs::exists(d.company / "fpa40"));
}

TEST(FpaExport, LastYearsFileIsNotReplacedUnasked) {
    Desk d;
    d.drive.write(d.company / "fatturepa/IT01234567897_15.xml", "2025");
    const FpaPrepared prepared = d.prepare();
    ASSERT_TRUE(prepared.plan);
    EXPECT_TRUE(prepared.plan->replacesFile);
    EXPECT_EQ(FpaReplaceQuestion(*prepared.plan),
              "Il file IT01234567897_15.xml esiste già nella cartella "
              "\\qorwin\\qorwin\\qoraz0.001\\fatturepa\\: sostituirlo?");
}

TEST(FpaExport, WithholdingNeedsTypeAndReason) {
    Desk d;
    d.lines[1].vatCode = 3;  // 22% with 20% withholding
    const std::string refused = d.exportOnce();
    EXPECT_NE(refused.find("Ritenuta d'acconto: scegliere"), std::string::npos) << refused;
    EXPECT_EQ(d.s.fpaState, 0);

    d.panel.withholdingType = 1;
    d.panel.withholdingReason = 1;
    std::string xml;
    EXPECT_EQ(d.exportOnce(&xml), kCreated);
    EXPECT_NE(xml.find("<DatiRitenuta>\r\n          <TipoRitenuta>RT01</TipoRitenuta>\r\n"
                       "          <ImportoRitenuta>40.00</ImportoRitenuta>\r\n"
                       "          <AliquotaRitenuta>20.00</AliquotaRitenuta>\r\n"
                       "          <CausalePagamento>A</CausalePagamento>"),
              std::string::npos);
    EXPECT_NE(xml.find("<Ritenuta>SI</Ritenuta>"), std::string::npos);
    TempDir out;
    ExpectSchemaValid({out.write("w.xml", xml)});
}

// Two small documents, byte for byte. QORVANA_UPDATE_EXPECTED=1 rewrites the expected files.
TEST(FpaExport, TwoDocumentsAsExpected) {
    std::vector<std::pair<std::string, std::function<void(Desk&)>>> documents = {
        {"invoice_company.xml",
         [](Desk& d) {
             d.lines[1].unit = "NR";
             d.lines[1].discount1 = 10;
             d.line(2, "Materiale elettrico", 3, 12.5, 2);
             d.line(3, "Intervento del 02/12/2026", 0, 0, 0);
             d.panel.purchaseOrder.id = "ORD 77";
             d.panel.purchaseOrder.date = "01/12/2026";
             d.panel.cig = "Z1234567890";
             d.panel.art73 = true;
         }},
        {"fee_person_withholding.xml",
         [](Desk& d) {
             d.settings.setText(fpa::kSellerName, "");
             d.settings.setText(fpa::kTaxRegimeIndex, "1");
             d.lines[1] = {};
             d.line(1, "Consulenza tecnica", 1, 1000, 3);
             d.line(2, "Rimborso spese esenti", 1, 80, 14);
             d.panel.documentType = "TD06";
             d.panel.withholdingType = 1;
             d.panel.withholdingReason = 1;
             d.panel.paymentCondition = 0;
             d.panel.deliveryNote.id = "12";
             d.panel.deliveryNote.date = "30/11/2026";
             d.header.deferredVat = true;
             SetBank(d, "000000123456");
             d.header.dueDates = {"05/01/2027", "05/02/2027"};
             d.header.instalmentAmounts = {"550", "550"};
         }},
    };
    TempDir out;
    std::vector<fs::path> written;
    for (const auto& [name, change] : documents) {
        SCOPED_TRACE(name);
        Desk d;
        change(d);
        std::string xml;
        ASSERT_EQ(d.exportOnce(&xml), kCreated);
        const fs::path expected = kHere / "expected" / name;
        if (std::getenv("QORVANA_UPDATE_EXPECTED"))
            std::ofstream(expected, std::ios::binary) << xml;
        EXPECT_EQ(xml, Slurp(expected));
        written.push_back(out.write(name, xml));
    }
    ExpectSchemaValid(written);
}

}  // namespace
}  // namespace qorvana
