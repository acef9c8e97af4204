#include "fatturapa/fpa_writer_v12.h"

#include <gtest/gtest.h>

#include "fatturapa/einvoice_terms.h"
#include "fatturapa/fpa_checks.h"
#include "tests/fatturapa/fpa_desk.h"

namespace qorvana {
namespace {

using namespace qorvana::fpatest;

void EveryCustomer(Desk& d) {
    d.einvoice.everyCustomer = true;
    d.customer.setText(cli::kRecipientCode, "");
    d.customer.setText(cli::kEmail, "info@rossi.it");
}

// Each document passes the 1.2.3 schema and the exchange system's checks (a public
// administration's own: fatturapa12.qrs and einvoices_all.qrs).
TEST(FpaWriterV12, DocumentsWrittenAsTheExchangeSystemChecksThem) {
    const std::vector<Case> cases = {
        {"exempt nature with its detail",
         [](Desk& d) {
             d.tables.exemptions[2] = {"Non imponibile art. 8 DPR 633/72", "", "21"};
             d.line(2, "Fornitura all'esportazione", 1, 50, 14);
         },
         {"<AliquotaIVA>00.00</AliquotaIVA>\r\n        <Natura>N3.1</Natura>\r\n      "
          "</DettaglioLinee>",
          "<AliquotaIVA>00.00</AliquotaIVA>\r\n        <Natura>N3.1</Natura>\r\n"
          "        <ImponibileImporto>50.00</ImponibileImporto>",
          "<RiferimentoNormativo>Non imponibile art. 8 DPR 633/72</RiferimentoNormativo>"}},
        {"split payment: S on the taxable summary only",
         [](Desk& d) {
             EveryCustomer(d);
             d.draft.einvoice.customer.splitPayment = true;
             d.tables.exemptions[2] = {"Non imponibile art. 8 DPR 633/72", "", "21"};
             d.line(2, "Fornitura all'esportazione", 1, 50, 14);
         },
         {"<Imposta>44.00</Imposta>\r\n        <EsigibilitaIVA>S</EsigibilitaIVA>",
          "<Imposta>0.00</Imposta>\r\n        <EsigibilitaIVA>I</EsigibilitaIVA>"}},
        {"two discounts on the unit price",
         [](Desk& d) {
             d.line(1, "Guarnizioni", 3, 1, 1);
             d.lines[1].discount1 = 10;
             d.lines[1].discount2 = 5;
         },
         {"<Arrotondamento>-0.01</Arrotondamento>\r\n"
          "        <ImponibileImporto>2.56</ImponibileImporto>"},
         {"<Importo>"}},
        {"business with a 7-character code on the card",
         [](Desk& d) {
             d.customer.setText(cli::kRecipientCode, "m5uxcr");
             d.customer.setText(cli::kRecipientCodeSeventh, "1");
         },
         {"versione=\"FPR12\"", "<CodiceDestinatario>M5UXCR1</CodiceDestinatario>"}},
        {"three-decimal quantity",
         [](Desk& d) { d.line(1, "Cavo", 12.125, 2.4, 1); },
         {"<Quantita>12.125</Quantita>\r\n        <PrezzoUnitario>2.40</PrezzoUnitario>\r\n"
          "        <PrezzoTotale>29.10</PrezzoTotale>"}},
        {"a fee under withholding beside an ordinary 22% line: one summary for 22%",
         [](Desk& d) {
             d.line(1, "Consulenza", 1, 1000, 3);
             d.line(2, "Spese di trasferta", 1, 50, 1);
             d.panel.withholdingType = 1;
             d.panel.withholdingReason = 1;
         },
         {"<ImportoRitenuta>200.00</ImportoRitenuta>",
          "<AliquotaIVA>22.00</AliquotaIVA>\r\n        <ImponibileImporto>1050.00</"
          "ImponibileImporto>\r\n        <Imposta>231.00</Imposta>"}},
        {"every customer: a customer in San Marino, through its tax office",
         [](Desk& d) {
             EveryCustomer(d);
             d.customer.setText(cli::kVatPrefix, "SM");
             d.customer.setText(cli::kVatNumber, "12345");
         },
         {"<CodiceDestinatario>2R4GTO8</CodiceDestinatario>",
          "<IdPaese>SM</IdPaese>\r\n          <IdCodice>12345</IdCodice>"},
         {"XXXXXXX", "<CodiceFiscale>00215150236"}},
    };
    ExpectExports(cases);
}

// DatiBollo follows the nature of each amount without VAT: due when those that bear the duty
// exceed 77,47, whatever else the document holds (docs/einvoice-rules.md).
TEST(FpaWriterV12, StampDutyFollowsTheNatureOfEachAmount) {
    // An amount of the nature of `digits` (VAT code 14), beside `taxable` at 22 %.
    const auto amount = [](const char* name, const char* digits, double exempt, double taxable,
                           bool due) {
        return Case{name,
                    [=](Desk& d) {
                        EveryCustomer(d);
                        d.tables.exemptions[2] = {"Operazione senza IVA", "", digits};
                        d.line(1, "Fornitura", 1, exempt, 14);
                        if (taxable != 0) d.line(2, "Servizio", 1, taxable, 1);
                    },
                    {due ? "<DatiBollo>" : "<ImportoTotaleDocumento>"},
                    {due ? "<Arrotondamento>" : "<DatiBollo>"}};
    };
    std::vector<Case> cases = {
        amount("exempt N4 above 77,47", "3", 77.48, 0, true),
        amount("exempt N4 at 77,47", "3", 77.47, 0, false),
        amount("excluded N1", "0", 100, 0, true),
        amount("export N3.1", "21", 100, 0, false),
        amount("treated as an export N3.4", "24", 100, 0, true),
        amount("reverse charge N6.3", "53", 100, 0, false),
        amount("mixed: 100 at 22 % and 200 exempt", "3", 200, 100, true),
        amount("mixed: 500 at 22 % and 50 exempt", "3", 50, 500, false),
        amount("export beside 100 at 22 %", "21", 1000, 100, false),
    };
    Case off = amount("exempt N4, its code set not to bear it", "3", 100, 0, false);
    Case on = amount("export, its code set to bear it", "21", 100, 0, true);
    for (auto [c, bears] : {std::pair{&off, false}, {&on, true}})
        c->change = [change = c->change, bears](Desk& d) {
            change(d);
            d.einvoice.stampDutyByVatCode[14] = bears;
        };
    cases.push_back(off);
    cases.push_back(on);
    cases.push_back(Refused("charged without an exemption of nature N1",
                            [](Desk& d) {
                                EveryCustomer(d);
                                d.einvoice.chargeStampDuty = true;
                                d.line(1, "Corso", 1, 77.48, 14);
                            },
                            {"Imposta di bollo a carico del cliente: nessuna esenzione della "
                             "tabella ha natura N1"}));
    ExpectExports(cases);
}

// A transfer is paid into the company's account; a Ri.Ba. is presented at the customer's bank;
// a direct debit draws on the customer's account.
TEST(FpaWriterV12, EachPaymentModeNamesItsAccount) {
    // Payment mode at list position `mode`; the customer's account ends 999999.
    const auto paid = [](const char* name, int mode, const char* companyIban,
                         std::vector<std::string> present, std::vector<std::string> absent,
                         bool refused = false) {
        return Case{name,
                    [=](Desk& d) {
                        EveryCustomer(d);
                        d.bank("000000999999");
                        d.einvoice.iban = companyIban;
                        d.panel.paymentMode = mode;
                    },
                    std::move(present), std::move(absent), refused};
    };
    const std::string due = "<ImportoPagamento>244.00</ImportoPagamento>\r\n        ";
    ExpectExports({
        paid("transfer: the company's account", 4, "IT60X0542811101000000123456",
             {due + "<IBAN>IT60X0542811101000000123456</IBAN>"}, {"999999", "<ABI>"}),
        paid("transfer to a foreign account", 4, "DE89370400440532013000",
             {due + "<IBAN>DE89370400440532013000</IBAN>"}, {}),
        paid("transfer, the company's account not set", 4, "", {}, {"<IBAN>"}),
        paid("Ri.Ba.: the customer's bank", 11, "IT60X0542811101000000123456",
             {due + "<ABI>05428</ABI>\r\n        <CAB>11101</CAB>"}, {"<IBAN>"}),
        paid("direct debit: the customer's account", 8, "IT60X0542811101000000123456",
             {due + "<IBAN>IT60X0542811101000000999999</IBAN>"}, {"123456</IBAN>"}),
        paid("cash", 0, "IT60X0542811101000000123456", {}, {"<IBAN>", "<ABI>"}),
    });
    ExpectExports({Refused("Ri.Ba. with a customer's ABI of letters",
                           [](Desk& d) {
                               d.customer.setText(cli::kAbi, "O5428");
                               d.panel.paymentMode = 11;
                           },
                           {"ABI della banca del cliente: \"O5428\" non è valido"}),
                   {"direct debit with a customer's account of 26 characters",
                    [](Desk& d) {
                        d.bank("00000099999");
                        d.panel.paymentMode = 8;
                    },
                    {},
                    {"<IBAN>"}}});
}

// Denominazione carries the whole legal name; a person is written by Nome and Cognome.
TEST(FpaWriterV12, TheCustomerByItsName) {
    // A private person: no VAT number, the tax code of ROSSI MARIO.
    const auto person = [](Desk& d, const char* line1, const char* line2) {
        EveryCustomer(d);
        d.customer.setText(cli::kVatNumber, "");
        d.customer.setText(cli::kTaxCode, "RSSMRA80A01L781K");
        d.customer.setText(cli::kName1, line1);
        d.customer.setText(cli::kName2, line2);
    };
    const std::string named =
        "<Anagrafica>\r\n          <Nome>MARIO</Nome>\r\n          "
        "<Cognome>ROSSI</Cognome>\r\n        </Anagrafica>";
    ExpectExports({
        {"two full lines: 80 characters",
         [](Desk& d) {
             d.customer.setText(cli::kName1, std::string(40, 'A'));
             d.customer.setText(cli::kName2, std::string(40, 'B'));
         },
         {"<Denominazione>" + std::string(40, 'A') + std::string(40, 'B') + "</Denominazione>"}},
        {"a person, surname first",
         [=](Desk& d) { person(d, "ROSSI", "MARIO"); },
         {named},
         {"<Denominazione>ROSSI"}},
        {"a person, first name first", [=](Desk& d) { person(d, "MARIO", "ROSSI"); }, {named}, {}},
        Refused("a person on one line, without e-invoice data",
                [=](Desk& d) { person(d, "ROSSI MARIO", ""); },
                {"Nome e cognome del cliente: è una persona fisica e la scheda non li "
                 "distingue (\"ROSSI MARIO\")"}),
        {"a body without VAT number (11-digit tax code)",
         [](Desk& d) {
             EveryCustomer(d);
             d.customer.setText(cli::kVatNumber, "");
             d.customer.setText(cli::kName2, "Settore Lavori Pubblici");
         },
         {"<Denominazione>COMUNE DI VERONA Settore Lavori Pubblici</Denominazione>"},
         {"<Nome>"}},
    });
}

// A CUP or CIG typed alone, without the document it belongs to, refuses the file (written with
// it: fatturapa10.qrs).
TEST(FpaWriterV12, CupAndCigGoWithTheirDocument) {
    ExpectExports({
        Refused("CIG alone", [](Desk& d) { d.panel.cig = "Z1234567890"; },
                {"Codice CIG \"Z1234567890\": si scrive con il documento a cui appartiene; "
                 "indicare nel riepilogo dati fatturaPA l'identificativo dell'ordine di acquisto, "
                 "del contratto, della convenzione o della ricezione"}),
        Refused("CUP alone", [](Desk& d) { d.panel.cup = "J81B20000010001"; }, {"Codice CUP"}),
    });
}

// A professional's fees (VAT code 3: 22 % under a 20 % withholding) and the company's pension
// fund of `type`, 4 % with VAT code `fundCode`.
void Professional(Desk& d, const char* type, int fundCode) {
    d.line(1, "Progettazione impianto", 1, 1000, 3);
    d.einvoice.fund = {type, 4, fundCode};
    d.panel.withholdingType = 1;    // RT01
    d.panel.withholdingReason = 1;  // A
}

// What professionals and agents need, in 1.2.3, beyond pension_fund.qrs (TC04 with VAT beside
// fees under withholding): a fund under withholding, a flat-rate fund, a withholding type with
// its reason, the customer's declaration of intent on the lines it covers.
TEST(FpaWriterV12, WhatProfessionalsAndAgentsNeed) {
    const auto withholding = [](const char* name, int type, int reason,
                                std::vector<std::string> present) {
        return Case{name,
                    [=](Desk& d) {
                        d.line(1, "Provvigioni ottobre", 1, 1000, 3);
                        d.panel.withholdingType = type;
                        d.panel.withholdingReason = reason;
                    },
                    std::move(present),
                    {}};
    };
    ExpectExports({
        {"INPS's 4 % under withholding; expenses excluded from the base (N1) not in it",
         [](Desk& d) {
             Professional(d, "TC22", 3);
             d.tables.exemptions[3] = {"Spese anticipate art. 15", "", "0"};
             d.line(2, "Diritti di segreteria anticipati", 1, 16, 15);
         },
         {"<AliquotaIVA>22.00</AliquotaIVA>\r\n          <Ritenuta>SI</Ritenuta>\r\n        "
          "</DatiCassaPrevidenziale>",
          "<TipoCassa>TC22</TipoCassa>", "<ImponibileCassa>1000.00</ImponibileCassa>",
          "<ImportoRitenuta>208.00</ImportoRitenuta>",
          "<ImportoTotaleDocumento>1284.80</ImportoTotaleDocumento>"}},
        {"flat-rate professional: the fund takes its code's nature",
         [](Desk& d) {
             d.tables.exemptions[2] = {"Regime forfettario art. 1 L. 190/2014", "", "12"};
             d.line(1, "Consulenza", 1, 500, 14);
             d.einvoice.fund = {"TC21", 4, 14};
         },
         {"<ImportoContributoCassa>20.00</ImportoContributoCassa>\r\n          "
          "<ImponibileCassa>500.00</ImponibileCassa>\r\n          "
          "<AliquotaIVA>00.00</AliquotaIVA>\r\n          <Natura>N2.2</Natura>",
          "<Natura>N2.2</Natura>\r\n        <ImponibileImporto>520.00</ImponibileImporto>"},
         {"<DatiRitenuta>"}},
        withholding(
            "RT04 ENASARCO, reason R", 4, 15,
            {"<TipoRitenuta>RT04</TipoRitenuta>", "<CausalePagamento>R</CausalePagamento>"}),
        {"declaration of intent on the N3.5 lines",
         [](Desk& d) {
             EveryCustomer(d);
             d.draft.einvoice.customer.intentProtocol = "08060120341234567-000001";
             d.draft.einvoice.customer.intentDate = "15/01/2026";
             d.tables.exemptions[2] = {"Non imponibile art. 8 c. 1 lett. c", "", "25"};
             d.line(1, "Fornitura a esportatore abituale", 1, 1000, 14);
         },
         {"<Natura>N3.5</Natura>\r\n        <AltriDatiGestionali>\r\n          "
          "<TipoDato>INTENTO</TipoDato>\r\n          "
          "<RiferimentoTesto>08060120341234567-000001</RiferimentoTesto>\r\n          "
          "<RiferimentoData>2026-01-15</RiferimentoData>"},
         {"Attenzione"}},
        {"declaration of intent missing: written, and said",
         [](Desk& d) {
             EveryCustomer(d);
             d.tables.exemptions[2] = {"Non imponibile art. 8 c. 1 lett. c", "", "25"};
             d.line(1, "Fornitura a esportatore abituale", 1, 1000, 14);
         },
         {"Attenzione: La riga 1 è non imponibile per dichiarazione d'intento (N3.5)"},
         {"<AltriDatiGestionali>"}},
    });
}

// The 1.0 format has none of them: its file is refused, naming the feature.
TEST(FpaWriterV12, FeaturesOf123RefusedIn10) {
    // A professional's fees with the fund `fund` ("": none) and withholding `type` and `reason`.
    const auto refused = [](const char* fund, int type, int reason, const char* said) {
        const auto change = [=](Desk& d) {
            Professional(d, fund, 1);
            d.panel.withholdingType = type;
            d.panel.withholdingReason = reason;
        };
        return Refused(said, change, {said});
    };
    ExpectExports(
        {refused("TC04", 1, 1,
                 "Cassa previdenziale (DatiCassaPrevidenziale, riga 2): si scrive solo "
                 "nel formato 1.2.3"),
         refused("", 4, 1,
                 "Ritenuta RT04 (contributo ENASARCO): si scrive solo nel "
                 "formato 1.2.3"),
         refused("", 1, 24, "Causale della ritenuta L1: si scrive solo nel formato 1.2.3")},
        "1.0");
}

// Nothing is written, and the progressive is not used, while the exchange system would refuse
// (each code the checks find: fpa_checks_test.cpp).
TEST(FpaWriterV12, WhatTheExchangeSystemWouldRejectIsNotWritten) {
    const auto rejected = [](const char* name, std::function<void(Desk&)> change,
                             std::vector<std::string> said) {
        said.push_back("il Sistema di Interscambio lo scarterebbe");
        return Refused(name, std::move(change), std::move(said));
    };
    ExpectExports({
        rejected("bare N2",
                 [](Desk& d) {
                     d.tables.exemptions[1] = {"Fuori campo IVA", "", "1"};
                     d.line(2, "Rimborso spese", 1, 10, 13);
                 },
                 {"- 00445: "}),
        rejected("customer's VAT number",
                 [](Desk& d) { d.customer.setText(cli::kVatNumber, "00215150230"); },
                 {"- 00305: la partita IVA del cliente \"00215150230\" ha la cifra di controllo "
                  "errata"}),
        rejected("transmitter too short for the name",
                 [](Desk& d) { d.settings.setText(fpa::kTransmitterId, "0123456789"); },
                 {"- 00001: il nome del file \"IT0123456789_00001.xml\"", "- 00300: "}),
    });
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
