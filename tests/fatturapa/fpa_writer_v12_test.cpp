#include "fatturapa/fpa_writer_v12.h"

#include <gtest/gtest.h>

#include "fatturapa/einvoice_terms.h"
#include "fatturapa/fpa_checks.h"
#include "tests/fatturapa/fpa_desk.h"

namespace qorvana {
namespace {

using namespace qorvana::fpatest;

// A desk whose company writes FatturaPA 1.2.3.
struct Desk12 : Desk {
    Desk12() { drive.write(company / kFpaFormatFile, "1.2.3\r\n"); }
};

void EveryCustomer(Desk& d) {
    d.draft.einvoice.everyCustomer = true;
    d.customer.setText(cli::kRecipientCode, "");
    d.customer.setText(cli::kEmail, "info@rossi.it");
}

// Each document passes the 1.2.3 schema and the exchange system's checks.
TEST(FpaWriterV12, DocumentsWrittenAsTheExchangeSystemChecksThem) {
    const std::vector<Case> cases = {
        {"public administration",
         [](Desk&) {},
         {"xmlns:p=\"http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2\"",
          "<FormatoTrasmissione>FPA12</FormatoTrasmissione>\r\n"
          "      <CodiceDestinatario>UFH7Q2</CodiceDestinatario>",
          "<Quantita>2.00</Quantita>", "<ImportoTotaleDocumento>244.00</ImportoTotaleDocumento>"},
         {"<PECDestinatario>", "<Arrotondamento>"}},
        {"VAT-inclusive prices written net",
         [](Desk& d) {
             d.draft.vatInclusive = true;
             d.line(1, "Abbonamento", 3, 10, 1);
             d.line(2, "Cartucce", 7, 12.2, 1);
             d.line(3, "Corso", 1, 50, 2);
         },
         {"<PrezzoUnitario>10.00</PrezzoUnitario>\r\n        "
          "<PrezzoTotale>70.00</PrezzoTotale>",
          "<PrezzoUnitario>45.45454545</PrezzoUnitario>\r\n        "
          "<PrezzoTotale>45.45</PrezzoTotale>",
          "<ImponibileImporto>94.59</ImponibileImporto>\r\n        <Imposta>20.81</Imposta>",
          "<ImponibileImporto>45.45</ImponibileImporto>\r\n        <Imposta>4.55</Imposta>",
          "<ImportoTotaleDocumento>165.40</ImportoTotaleDocumento>"},
         {"<PrezzoUnitario>10.00</PrezzoUnitario>\r\n        <PrezzoTotale>30.00"}},
        {"exempt nature with its detail",
         [](Desk& d) {
             d.tables.exemptions[2] = {"Non imponibile art. 8 DPR 633/72", "", "21"};
             d.line(2, "Fornitura all'esportazione", 1, 50, 14);
         },
         {"<AliquotaIVA>00.00</AliquotaIVA>\r\n        <Natura>N3.1</Natura>\r\n      "
          "</DettaglioLinee>",
          "<AliquotaIVA>00.00</AliquotaIVA>\r\n        <Natura>N3.1</Natura>\r\n"
          "        <ImponibileImporto>50.00</ImponibileImporto>",
          "<RiferimentoNormativo>Non imponibile art. 8 DPR 633/72</RiferimentoNormativo>"},
         {}},
        {"two discounts on the unit price",
         [](Desk& d) {
             d.line(1, "Guarnizioni", 3, 1, 1);
             d.lines[1].discount1 = 10;
             d.lines[1].discount2 = 5;
         },
         {"<Arrotondamento>-0.01</Arrotondamento>\r\n"
          "        <ImponibileImporto>2.56</ImponibileImporto>"},
         {"<Importo>"}},
        {"business with a 7-character code",
         [](Desk& d) {
             d.customer.setText(cli::kRecipientCode, "m5uxcr");
             d.customer.setText(cli::kRecipientCodeSeventh, "1");
         },
         {"versione=\"FPR12\"", "<CodiceDestinatario>M5UXCR1</CodiceDestinatario>"},
         {}},
        {"three-decimal quantity",
         [](Desk& d) { d.line(1, "Cavo", 12.125, 2.4, 1); },
         {"<Quantita>12.125</Quantita>\r\n        <PrezzoUnitario>2.40</PrezzoUnitario>\r\n"
          "        <PrezzoTotale>29.10</PrezzoTotale>"},
         {}},
        {"a fee under withholding beside an ordinary 22% line: one summary for 22%",
         [](Desk& d) {
             d.line(1, "Consulenza", 1, 1000, 3);
             d.line(2, "Spese di trasferta", 1, 50, 1);
             d.panel.withholdingType = 1;
             d.panel.withholdingReason = 1;
         },
         {"<ImportoRitenuta>200.00</ImportoRitenuta>",
          "<AliquotaIVA>22.00</AliquotaIVA>\r\n        <ImponibileImporto>1050.00</"
          "ImponibileImporto>\r\n        <Imposta>231.00</Imposta>"},
         {}},
        {"public administration with a 7-character code",
         [](Desk& d) {
             d.customer.setText(cli::kRecipientCodeSeventh, "4");
             d.customer.setText(cli::kPaFlag, "1");
         },
         {"Codice destinatario del cliente: \"UFH7Q24\" ha 7 caratteri"},
         {},
         true},
        {"business without a code: its certified e-mail",
         [](Desk& d) {
             d.customer.setText(cli::kRecipientCode, "");
             d.customer.setText(cli::kEmail, "rossi.srl@pec.it");
         },
         {"<CodiceDestinatario>0000000</CodiceDestinatario>\r\n      <ContattiTrasmittente>",
          "</ContattiTrasmittente>\r\n      <PECDestinatario>rossi.srl@pec.it</PECDestinatario>"},
         {}},
        {"every customer: a business without code and PEC, to its reserved area",
         [](Desk& d) { EveryCustomer(d); },
         {"versione=\"FPR12\"", "<CodiceDestinatario>0000000</CodiceDestinatario>"},
         {"<PECDestinatario>"}},
        {"every customer: stamp duty on a document without VAT above 77,47",
         [](Desk& d) {
             EveryCustomer(d);
             d.line(1, "Corso", 1, 77.48, 14);
         },
         {"<DatiBollo>\r\n          <BolloVirtuale>SI</BolloVirtuale>\r\n          "
          "<ImportoBollo>2.00</ImportoBollo>\r\n        </DatiBollo>\r\n        "
          "<ImportoTotaleDocumento>77.48</ImportoTotaleDocumento>"},
         {}},
        {"every customer: stamp duty charged without an exemption of nature N1",
         [](Desk& d) {
             EveryCustomer(d);
             d.draft.einvoice.chargeStampDuty = true;
             d.draft.einvoice.stampDutyEntry = StampDutyEntry(d.tables);
             d.line(1, "Corso", 1, 77.48, 14);
         },
         {"Imposta di bollo a carico del cliente: nessuna esenzione della tabella ha natura N1"},
         {},
         true},
        {"every customer: no stamp duty at 77,47",
         [](Desk& d) {
             EveryCustomer(d);
             d.line(1, "Corso", 1, 77.47, 14);
         },
         {"<ImportoTotaleDocumento>77.47</ImportoTotaleDocumento>"},
         {"<DatiBollo>"}},
        {"every customer: no stamp duty with VAT",
         [](Desk& d) {
             EveryCustomer(d);
             d.line(2, "Corso", 1, 100, 14);
         },
         {"<ImponibileImporto>100.00</ImponibileImporto>"},
         {"<DatiBollo>"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Desk12 d;
        c.change(d);
        std::string xml, fileName;
        const std::string message = d.exportOnce(&xml, &fileName);
        if (c.refused) {
            for (const auto& p : c.present)
                EXPECT_NE(message.find(p), std::string::npos) << message;
            EXPECT_TRUE(fs::is_empty(d.company / "fatturepa"));
            continue;
        }
        ASSERT_NE(message.find("è stato creato"), std::string::npos) << message;
        for (const auto& f : CheckFatturaPAFile(fileName, xml, Schema()))
            ADD_FAILURE() << FormatFinding(f) << "\n" << xml;
        for (const auto& p : c.present) EXPECT_NE((xml + message).find(p), std::string::npos) << p;
        for (const auto& a : c.absent) EXPECT_EQ(xml.find(a), std::string::npos) << a;
    }
}

// Nothing is written, and the progressive is not used, while the exchange system would refuse.
TEST(FpaWriterV12, WhatTheExchangeSystemWouldRejectIsNotWritten) {
    struct Refusal {
        const char* name;
        std::function<void(Desk&)> change;
        std::vector<std::string> said;
    };
    const std::vector<Refusal> cases = {
        {"bare N2",
         [](Desk& d) {
             d.tables.exemptions[1] = {"Fuori campo IVA", "", "1"};
             d.line(2, "Rimborso spese", 1, 10, 13);
         },
         {"- 00445: "}},
        {"customer's VAT number",
         [](Desk& d) { d.customer.setText(cli::kVatNumber, "00215150230"); },
         {"- 00305: la partita IVA del cliente \"00215150230\" ha la cifra di controllo errata"}},
        {"customer's tax code",
         [](Desk& d) { d.customer.setText(cli::kTaxCode, "RSSMRA80A01H501X"); },
         {"- 00324: "}},
        {"seller's VAT number",
         [](Desk& d) { d.settings.setText(fpa::kSellerVatNumber, "01234567890"); },
         {"- 00301: "}},
        {"transmitter too short for the name",
         [](Desk& d) { d.settings.setText(fpa::kTransmitterId, "0123456789"); },
         {"- 00001: il nome del file \"IT0123456789_00001.xml\"", "- 00300: "}},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.name);
        Desk12 d;
        c.change(d);
        const std::string message = d.exportOnce();
        EXPECT_NE(message.find("il Sistema di Interscambio lo scarterebbe"), std::string::npos);
        for (const auto& p : c.said) EXPECT_NE(message.find(p), std::string::npos) << message;
        EXPECT_EQ(d.counter(), 0);
        EXPECT_EQ(d.s.fpaState, 0);
        EXPECT_TRUE(fs::is_empty(d.company / "fatturepa"));
        EXPECT_FALSE(fs::exists(d.company / "fpa1"));
    }
}

TEST(FpaWriterV12, UnknownFormatSettingIsRefused) {
    Desk d;
    d.drive.write(d.company / kFpaFormatFile, "1.2\n");
    EXPECT_NE(d.exportOnce().find("i formati possibili sono 1.0 e 1.2.3"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(d.company / "fatturepa"));
}

TEST(FpaWriterV12, NatureDigitsAndFileProgressive) {
    const std::pair<const char*, const char*> natures[] = {
        {"0", "N1"}, {"1", "N2"}, {"12", "N2.2"}, {"13", ""},     {"26", "N3.6"},
        {"27", ""},  {"3", "N4"}, {"31", ""},     {"59", "N6.9"}, {"6", "N7"},
        {"7", ""},   {"", ""},    {"5x", ""}};
    for (const auto& [digits, nature] : natures)
        EXPECT_EQ(NatureOfDigits(digits), nature) << digits;
    EXPECT_EQ(FileProgressive(1), "00001");
    EXPECT_EQ(FileProgressive(17), "0000H");
    EXPECT_EQ(FileProgressive(36), "00010");
    EXPECT_EQ(FileProgressive(32767), "00PA7");
    EXPECT_EQ(FileProgressive(0), "");
}

}  // namespace
}  // namespace qorvana
