#include "fatturapa/fpa_checks.h"

#include <gtest/gtest.h>

#include <array>
#include <regex>
#include <set>
#include <utility>

#include "fatturapa/fpa_customer_check.h"
#include "fatturapa/tax_ids.h"
#include "tests/fatturapa/fpa_desk.h"

namespace qorvana {
namespace {

using namespace qorvana::fpatest;

// A hand-written FPR12 document: four lines, three rates, a withholding.
std::string Sample() {
    return Slurp(kHere / "data/IT01234567890_FPR01.xml");
}

std::set<std::string> Codes(const std::vector<FpaFinding>& findings) {
    std::set<std::string> codes;
    for (const FpaFinding& f : findings) codes.insert(f.code);
    return codes;
}

std::string Listed(const std::vector<FpaFinding>& findings) {
    std::string text;
    for (const FpaFinding& f : findings) text += FormatFinding(f) + "\n";
    return text;
}

// Each row changes the sample (valid, and its number made FT/A: qorvana_check_cli.sh) by
// regular expressions and expects exactly its codes.
struct Variant {
    std::vector<std::pair<std::string, std::string>> substitutions;
    std::set<std::string> codes = {};  // none: accepted
};

// A DatiCassaPrevidenziale before ImportoTotaleDocumento, its contribution taxed at `rate`
// with `more` (Ritenuta, Natura) after the rate.
std::pair<std::string, std::string> Fund(const char* amount, const char* rate,
                                         const std::string& more = "") {
    return {"<ImportoTotaleDocumento>",
            std::string("<DatiCassaPrevidenziale><TipoCassa>TC22</TipoCassa><AlCassa>4.00</AlCassa>"
                        "<ImportoContributoCassa>") +
                amount + "</ImportoContributoCassa><AliquotaIVA>" + rate + "</AliquotaIVA>" + more +
                "</DatiCassaPrevidenziale>$&"};
}

// A DatiRiepilogo at the end of DatiBeniServizi: its rate, nature ("": none), amounts and
// `more` after them.
std::pair<std::string, std::string> Summary(const char* rate, const char* nature,
                                            const char* taxable = "0.00", const char* tax = "0.00",
                                            const std::string& more = "") {
    return {"</DatiBeniServizi>",
            std::string("<DatiRiepilogo><AliquotaIVA>") + rate + "</AliquotaIVA>" +
                (*nature ? std::string("<Natura>") + nature + "</Natura>" : "") +
                "<ImponibileImporto>" + taxable + "</ImponibileImporto><Imposta>" + tax +
                "</Imposta>" + more + "</DatiRiepilogo>$&"};
}

// The party blocks of the sample, for an identifier of one of them.
const std::string kTransmitter = "(<IdTrasmittente>[\\s\\S]*?)";
const std::string kSeller = "(<CedentePrestatore>[\\s\\S]*?)";
const std::string kCustomer = "(<CessionarioCommittente>[\\s\\S]*?)";
const std::string kCustomerVatId =
    "<IdFiscaleIVA>\\s*<IdPaese>IT</IdPaese>\\s*<IdCodice>09876543217</IdCodice>\\s*</"
    "IdFiscaleIVA>";

TEST(FpaChecks, EachWrongVariantFailsWithExactlyItsCode) {
    const std::string representative =
        "$&<RappresentanteFiscale><DatiAnagrafici><IdFiscaleIVA><IdPaese>IT</IdPaese><IdCodice>"
        "02342520150</IdCodice></IdFiscaleIVA><Anagrafica><Denominazione>R</Denominazione>"
        "</Anagrafica></DatiAnagrafici></RappresentanteFiscale>";
    const std::string linked =
        "$&<DatiFattureCollegate><IdDocumento>FT/9</IdDocumento><Data>2025-06-01</Data>"
        "</DatiFattureCollegate>";
    const std::string onlyTipo = "<ScontoMaggiorazione><Tipo>SC</Tipo></ScontoMaggiorazione>";
    const std::string lastLineZeroN4 =
        "<PrezzoTotale>0.00</PrezzoTotale><AliquotaIVA>0.00</AliquotaIVA><Natura>N4</Natura>";
    const std::string lastLine = "<PrezzoTotale>0.00</PrezzoTotale>\\s*<AliquotaIVA>22.00";
    const std::string pec = "<CodiceDestinatario>0000000</CodiceDestinatario><PECDestinatario>";
    // The fourth line (22%, no amount) given a quantity, a price and a total; the 22% summary.
    const std::string line4 = "<PrezzoUnitario>0.00000000</PrezzoUnitario>\\s*<PrezzoTotale>0.00<";
    auto line4As = [&](const std::string& line, const char* total, const char* taxable,
                       const char* tax) {
        return std::vector<std::pair<std::string, std::string>>{
            {line4, line + "<PrezzoTotale>" + total + "<"},
            {"<ImponibileImporto>85.50</ImponibileImporto>\\s*<Imposta>18.81",
             std::string("<ImponibileImporto>") + taxable + "</ImponibileImporto><Imposta>" + tax}};
    };
    // 22633 x 0.030987 = 701.3288: the system refused 701.34 and accepted 701.33.
    const std::string smallPrice =
        "<Quantita>22633.00</Quantita><PrezzoUnitario>0.03098700</PrezzoUnitario>";
    // 1000 x (50.158 less 2.512): the Importo wins over the Percentuale, 47646.00 is due.
    const std::string importoFirst =
        "<Quantita>1000.00</Quantita><PrezzoUnitario>50.15800000</PrezzoUnitario>"
        "<ScontoMaggiorazione><Tipo>SC</Tipo><Percentuale>5.00</Percentuale><Importo>2.51200000"
        "</Importo></ScontoMaggiorazione>";
    const std::vector<Variant> variants = {
        {{{lastLine, "<PrezzoTotale>0.00</PrezzoTotale><AliquotaIVA>0.00"}}, {"00400"}},
        {{{lastLine + "</AliquotaIVA>", "$&<Natura>N2.2</Natura>"}}, {"00401"}},
        {{{"<DatiRitenuta>[\\s\\S]*</DatiRitenuta>", ""}}, {"00411"}},
        {{Fund("0.00", "0.00")}, {"00413"}},
        {{Fund("0.00", "22.00", "<Natura>N2.2</Natura>")}, {"00414"}},
        {{{"<DatiRitenuta>[\\s\\S]*</DatiRitenuta>", ""},
          {"<Ritenuta>SI</Ritenuta>", ""},
          Fund("0.00", "22.00", "<Ritenuta>SI</Ritenuta>")},
         {"00415"}},
        {{{kCustomerVatId, ""}}, {"00417"}},
        {{{"TD01", "TD04"}, {"</DatiGeneraliDocumento>", linked}}, {"00418"}},
        // Fewer summaries than rates is also a rate without its summary.
        {{{"<DatiRiepilogo>\\s*<AliquotaIVA>10.00[\\s\\S]*?</DatiRiepilogo>", ""}},
         {"00419", "00443"}},
        {{{"N2\\.2", "N6.3"}, {"<RiferimentoNormativo>", "<EsigibilitaIVA>S</EsigibilitaIVA>$&"}},
         {"00420"}},
        {{{"<Imposta>18.81", "<Imposta>18.83"}}, {"00421"}},
        {{{"<ImponibileImporto>85.50</ImponibileImporto>\\s*<Imposta>18.81",
           "<ImponibileImporto>87.00</ImponibileImporto><Imposta>19.14"}},
         {"00422"}},
        {{Fund("3.42", "22.00")}, {"00422"}},
        {{{"<PrezzoTotale>85.50", "<PrezzoTotale>85.52"}}, {"00423"}},
        {line4As(smallPrice, "701.34", "786.83", "173.10"), {"00423"}},
        {line4As(importoFirst, "47650.10", "47735.60", "10501.83"), {"00423"}},
        {{{"10.00</AliquotaIVA>", "0.10</AliquotaIVA>"}, {"<Imposta>10.00", "<Imposta>0.10"}},
         {"00424"}},
        {{{"ABC1234", "ABC123"}}, {"00427"}},
        {{{"FPR12", "FPA12"}}, {"00427"}},
        {{{"versione=\"FPR12\"", "versione=\"FPA12\""}}, {"00428"}},
        {{Summary("0.00", "")}, {"00429"}},
        {{Summary("22.00", "N2.2")}, {"00430"}},
        {{{"<ImportoTotaleDocumento>", onlyTipo + "$&"}}, {"00437"}},
        {{{"<PrezzoUnitario>100.00000000</PrezzoUnitario>", "$&" + onlyTipo}}, {"00438"}},
        {{Summary("4.00", "")}, {"00443"}},
        {{Summary("0.00", "N4")}, {"00444"}},
        {{{lastLine + "</AliquotaIVA>", lastLineZeroN4}}, {"00444"}},
        {{{"N2\\.2", "N2"}}, {"00445"}},
        {{{"<Divisa>EUR</Divisa>", ""}}, {"schema"}},
        // Identifiers and parties.
        {{{kTransmitter + "<IdCodice>01234567897", "$1<IdCodice>01234567890"}}, {"00300"}},
        {{{kSeller + "<IdCodice>01234567897", "$1<IdCodice>01234567891"}}, {"00301"}},
        {{{"</CedentePrestatore>", representative}}, {"00303"}},
        {{{"09876543217", "09876543210"}}, {"00305"}},
        {{{kCustomerVatId, "<CodiceFiscale>RSSMRA80A01H501X</CodiceFiscale>"}}, {"00306"}},
        {{{"</IdFiscaleIVA>(\\s*<Anagrafica>\\s*<Denominazione>Edilizia)",
           "</IdFiscaleIVA><CodiceFiscale>RSSMRA80A01H501X</CodiceFiscale>$1"}},
         {"00324"}},
        {{{"ABC1234", "XXXXXXX"}}, {"00313"}},
        {{{"<CodiceDestinatario>ABC1234</CodiceDestinatario>",
           pec + "SDI12@pec.fatturapa.it</PECDestinatario>"}},
         {"00330"}},
        {{{"<FatturaElettronicaBody>[\\s\\S]*</FatturaElettronicaBody>", "$&$&"}}, {"00409"}},
        {{{"09876543217", "01234567897"}}, {"00471"}},
        {{{"TD01", "TD27"}}, {"00472"}},
        {{{"TD01", "TD17"}}, {"00473"}},
        {{{"TD01", "TD28"}}, {"00473"}},
        {{{kSeller + "<IdPaese>IT", "$1<IdPaese>OO"}}, {"00473"}},
        {{{"TD01", "TD21"}, {"09876543217", "01234567897"}}, {"00474"}},
        {{{"TD01", "TD16"}, {kCustomerVatId, "<CodiceFiscale>09876543217</CodiceFiscale>"}},
         {"00475"}},
        {{{kSeller + "<IdPaese>IT", "$1<IdPaese>FR"}, {kCustomer + "<IdPaese>IT", "$1<IdPaese>DE"}},
         {"00476"}},
        // Accepted.
        {{{kCustomerVatId, "<CodiceFiscale>09876543217</CodiceFiscale>"}}, {}},
        {{{"(<|</|xmlns:)p([:=])", "$1fe$2"}}, {}},
        {{{"<PrezzoTotale>85.50", "<PrezzoTotale>85.51"}}, {}},
        {{{"<ImponibileImporto>85.50</ImponibileImporto>\\s*<Imposta>18.81",
           "<ImponibileImporto>86.50</ImponibileImporto><Imposta>19.03"}}},
        {{{"N2\\.2", "N2"}, {"2025-05-14", "2020-12-31"}}, {}},
        {{Fund("3.42", "22.00"),
          {"<ImponibileImporto>85.50</ImponibileImporto>\\s*<Imposta>18.81",
           "<ImponibileImporto>88.92</ImponibileImporto><Imposta>19.56"}}},
        {{{"TD01", "TD16"}, Summary("22.00", "N2.2")}, {}},
        {{{"TD01", "TD16"},
          {lastLine + "</AliquotaIVA>", "$&<Natura>N6.7</Natura>"},
          Summary("22.00", "N6.7")}},
        {line4As(smallPrice, "701.33", "786.83", "173.10"), {}},
        {line4As(importoFirst, "47646.00", "47731.50", "10500.93"), {}},
        // A discount's Importo, per unit, before its Percentuale; its sign from Tipo.
        {{{"<PrezzoUnitario>100.00000000</PrezzoUnitario>",
           "$&<ScontoMaggiorazione><Tipo>SC</Tipo><Percentuale>50.00</Percentuale>"
           "<Importo>-10.00</Importo></ScontoMaggiorazione>"},
          {"<PrezzoTotale>100.00", "<PrezzoTotale>90.00"},
          {"<ImponibileImporto>100.00</ImponibileImporto>\\s*<Imposta>10.00",
           "<ImponibileImporto>90.00</ImponibileImporto><Imposta>9.00"}}},
        // Two summaries of one rate: their sum matches the lines.
        {{{"<ImponibileImporto>85.50</ImponibileImporto>\\s*<Imposta>18.81</Imposta>",
           "<ImponibileImporto>80.50</ImponibileImporto><Imposta>17.71</Imposta>"},
          Summary("22.00", "", "5.00", "1.10", "<EsigibilitaIVA>D</EsigibilitaIVA>")}},
        {{{"</CedentePrestatore>", representative}, {"02342520150", "02342520158"}}, {}},
        {{{"ABC1234", "XXXXXXX"}, {kCustomer + "<IdPaese>IT", "$1<IdPaese>DE"}}, {}},
        {{{"<CodiceDestinatario>ABC1234</CodiceDestinatario>",
           pec + "bianchi@pec.it</PECDestinatario>"}}},
        {{{"TD01", "TD04"}, {"</DatiGeneraliDocumento>", linked}, {"2025-06-01", "2025-05-14"}}},
        {{{"</DatiGeneraliDocumento>", linked}}, {}},
        {{{"TD01", "TD27"}, {"09876543217", "01234567897"}}, {}},
        {{{"TD01", "TD29"}}, {}},
    };
    for (const Variant& v : variants) {
        const std::string original = Sample();
        std::string xml = original;
        for (const auto& [pattern, replacement] : v.substitutions)
            xml = std::regex_replace(xml, std::regex(pattern), replacement);
        const std::string label = v.substitutions[0].first + " -> " + v.substitutions[0].second;
        ASSERT_NE(xml, original) << label;
        const std::vector<FpaFinding> findings = CheckFatturaPA(xml, Schema());
        EXPECT_EQ(Codes(findings), v.codes) << label << "\n" << Listed(findings);
    }
}

TEST(FpaChecks, ContentChecksRunWithoutTheSchema) {
    std::string xml = Sample();
    EXPECT_TRUE(CheckFatturaPAContent(xml).empty());
    EXPECT_EQ(Codes(CheckFatturaPAContent("<a>")), std::set<std::string>{"schema"});
    EXPECT_EQ(Codes(CheckFatturaPAContent("<Fattura/>")), std::set<std::string>{"schema"});
}

// Numbers of 300 digits are decimals the reader takes, and their product is infinite: the
// findings about them are still written.
TEST(FpaChecks, AmountsBeyondDoublesAreReported) {
    const std::string huge = std::string(300, '9') + ".00";
    std::string xml =
        std::regex_replace(Sample(), std::regex("<Quantita>[^<]*<"), "<Quantita>" + huge + "<");
    xml = std::regex_replace(xml, std::regex("<PrezzoUnitario>[^<]*<"),
                             "<PrezzoUnitario>" + huge + "<");
    const std::vector<FpaFinding> findings = CheckFatturaPAContent(xml);
    EXPECT_FALSE(findings.empty());
    EXPECT_FALSE(Listed(findings).empty());
}

// Numbers known good, and each kind of mistake: the beginning of the fault said.
TEST(TaxIds, CheckDigitsOfVatNumbersAndTaxCodes) {
    const std::pair<const char*, const char*> vatNumbers[] = {
        {"86334519757", ""},         {"02342520158", ""},
        {"00743110157", ""},         {"02342520150", "ha la cifra di controllo errata"},
        {"0234252015", "non ha 11"}, {"0234252015A", "non ha 11"},
        {"00000000000", "ha solo"},  {"IT02342520158", "non ha 11"},
    };
    for (const auto& [code, fault] : vatNumbers)
        EXPECT_TRUE(VatNumberFault(code).starts_with(fault))
            << code << ": " << VatNumberFault(code);
    const std::pair<const char*, const char*> taxCodes[] = {
        {"RSSMRA80A01H501U", ""},
        {"RSSMRA85T10A562S", ""},
        {"RSSMRAULALMHRLMD", ""},  // every digit replaced (omocodia)
        {"02342520158", ""},
        {"RSSMRA80A01H501X", "ha la lettera di controllo errata"},
        {"RSSMRA80F01H501U", "non è un codice fiscale"},  // no month F
        {"RSSMRA8WA01H501U", "non è un codice fiscale"},  // W replaces no digit
        {"rssmra80a01h501u", "non è un codice fiscale"},
        {"02342520150", "ha la cifra di controllo errata"},
        {"RSSMRA80A01H501", "non è un codice fiscale"},
    };
    for (const auto& [code, fault] : taxCodes)
        EXPECT_TRUE(TaxCodeFault(code).starts_with(fault)) << code << ": " << TaxCodeFault(code);
    const std::pair<const char*, const char*> ibans[] = {
        {"IT60X0542811101000000123456", ""},
        {"DE89370400440532013000", ""},
        {"IT61X0542811101000000123456", "ha le cifre di controllo errate"},
        {"IT60X0542811101000000123465", "ha le cifre di controllo errate"},
        {"IT60X054281110100000012345-", "non è un IBAN"},
        {"IT60X05428", "non è un IBAN"},
    };
    for (const auto& [iban, fault] : ibans)
        EXPECT_TRUE(IbanFault(iban).starts_with(fault)) << iban << ": " << IbanFault(iban);
}

// The letters a person's names give the tax code: accented vowels as vowels, apostrophes and
// blanks left out.
TEST(TaxIds, LettersOfSurnameAndFirstName) {
    const std::array<const char*, 3> names[] = {{"ROSSI", "MARIO", "RSSMRA"},
                                                {"D'Angelo", "Francesco", "DNGFNC"},
                                                {"Più", "Niccolò", "PIUNCL"},
                                                {"Fo", "Èva", "FOXVEA"}};
    for (const auto& [surname, first, letters] : names)
        EXPECT_EQ(TaxCodeSurnameLetters(surname) + TaxCodeFirstNameLetters(first), letters);
}

// The early warning when the customer is chosen: the same rules as the file's checks.
TEST(TaxIds, CustomerWarnedOfIdentifiersTheSystemRefuses) {
    struct Row {
        const char* prefix;
        const char* vatNumber;
        const char* taxCode;
        std::vector<std::string> faults;
    };
    const Row rows[] = {
        {"IT", "02342520158", "RSSMRA80A01H501U", {}},
        {"", "02342520150", "", {"la partita IVA \"02342520150\" ha la cifra di controllo"}},
        {"DE", "123456789", "", {}},
        {"IT", "", "RSSMRA80A01H501X", {"il codice fiscale \"RSSMRA80A01H501X\" ha la lettera"}},
        {"IT", "02342520150", "RSSMRA80A01H501X", {"la partita IVA", "il codice fiscale"}},
    };
    for (const Row& r : rows) {
        CustomerRecord c;
        c.setText(cli::kVatPrefix, r.prefix);
        c.setText(cli::kVatNumber, r.vatNumber);
        c.setText(cli::kTaxCode, r.taxCode);
        const std::vector<std::string> faults = CustomerIdentityFaults(c);
        ASSERT_EQ(faults.size(), r.faults.size()) << r.vatNumber << r.taxCode;
        for (std::size_t i = 0; i < faults.size(); ++i)
            EXPECT_TRUE(faults[i].starts_with(r.faults[i])) << faults[i];
        EXPECT_EQ(CustomerIdentityWarning(c).empty(), faults.empty());
    }
}

TEST(FpaDecimal, ReadsWrittenAmountsAndRefusesOtherNumbers) {
    const std::vector<std::pair<std::string, std::optional<double>>> cases = {
        {" 85.5\n", 85.5}, {"-3", -3.0}, {"+0.01", 0.01}, {"12,50", {}},    {"1e3", {}},
        {"", {}},          {"12.", {}},  {".5", {}},      {"1 000.00", {}}, {"--1", {}},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ParseFpaDecimal(text), expected) << text;
}

}  // namespace
}  // namespace qorvana
