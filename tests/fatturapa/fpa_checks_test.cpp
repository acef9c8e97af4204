#include "fatturapa/fpa_checks.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <utility>

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

TEST(FpaChecks, HandWrittenSamplePassesSchemaAndChecks) {
    const std::vector<FpaFinding> findings = CheckFatturaPA(Sample(), Schema());
    EXPECT_TRUE(findings.empty()) << Listed(findings);
}

// Each row changes the valid sample by regular-expression substitutions (every match) and
// expects exactly the codes given: one code for a deliberately wrong file, none for a change
// the exchange system accepts.
struct Variant {
    std::vector<std::pair<const char*, const char*>> substitutions;
    std::set<std::string> codes;
};

TEST(FpaChecks, EachWrongVariantFailsWithExactlyItsCode) {
    const std::string zeroNoNature =
        "<DatiRiepilogo><AliquotaIVA>0.00</AliquotaIVA><ImponibileImporto>0.00</"
        "ImponibileImporto><Imposta>0.00</Imposta></DatiRiepilogo>$&";
    const std::string taxedWithNature =
        "<DatiRiepilogo><AliquotaIVA>22.00</AliquotaIVA><Natura>N2.2</Natura><ImponibileImporto>"
        "0.00</ImponibileImporto><Imposta>0.00</Imposta></DatiRiepilogo>$&";
    const std::string unusedRate =
        "<DatiRiepilogo><AliquotaIVA>4.00</AliquotaIVA><ImponibileImporto>0.00</"
        "ImponibileImporto><Imposta>0.00</Imposta></DatiRiepilogo>$&";
    const std::string unusedNature =
        "<DatiRiepilogo><AliquotaIVA>0.00</AliquotaIVA><Natura>N4</Natura><ImponibileImporto>"
        "0.00</ImponibileImporto><Imposta>0.00</Imposta></DatiRiepilogo>$&";
    // A 4% pension-fund contribution on the 22% line: taxed at 22% like a line.
    const std::string fund =
        "<DatiCassaPrevidenziale><TipoCassa>TC22</TipoCassa><AlCassa>4.00</AlCassa>"
        "<ImportoContributoCassa>3.42</ImportoContributoCassa><AliquotaIVA>22.00</AliquotaIVA>"
        "</DatiCassaPrevidenziale>$&";
    const std::string split22 =
        "<DatiRiepilogo><AliquotaIVA>22.00</AliquotaIVA><ImponibileImporto>5.00"
        "</ImponibileImporto><Imposta>1.10</Imposta><EsigibilitaIVA>D</EsigibilitaIVA>"
        "</DatiRiepilogo>$&";
    const std::vector<Variant> variants = {
        {{{"<PrezzoTotale>0.00</PrezzoTotale>\\s*<AliquotaIVA>22.00",
           "<PrezzoTotale>0.00</PrezzoTotale><AliquotaIVA>0.00"}},
         {"00400"}},
        {{{"<PrezzoTotale>0.00</PrezzoTotale>\\s*<AliquotaIVA>22.00</AliquotaIVA>",
           "$&<Natura>N2.2</Natura>"}},
         {"00401"}},
        {{{"<DatiRitenuta>[\\s\\S]*</DatiRitenuta>", ""}}, {"00411"}},
        {{{"<IdFiscaleIVA>\\s*<IdPaese>IT</IdPaese>\\s*<IdCodice>09876543210</IdCodice>\\s*"
           "</IdFiscaleIVA>",
           ""}},
         {"00417"}},
        {{{"<DatiRiepilogo>\\s*<AliquotaIVA>10.00[\\s\\S]*?</DatiRiepilogo>", ""}}, {"00419"}},
        {{{"<Imposta>18.81", "<Imposta>18.83"}}, {"00421"}},
        {{{"<ImponibileImporto>85.50</ImponibileImporto>\\s*<Imposta>18.81",
           "<ImponibileImporto>87.00</ImponibileImporto><Imposta>19.14"}},
         {"00422"}},
        {{{"<PrezzoTotale>85.50", "<PrezzoTotale>85.52"}}, {"00423"}},
        {{{"FT/2025/15", "FT/A"}}, {"00425"}},
        {{{"ABC1234", "ABC123"}}, {"00427"}},
        {{{"FPR12", "FPA12"}}, {"00427"}},
        {{{"versione=\"FPR12\"", "versione=\"FPA12\""}}, {"00428"}},
        {{{"</DatiBeniServizi>", zeroNoNature.c_str()}}, {"00429"}},
        {{{"</DatiBeniServizi>", taxedWithNature.c_str()}}, {"00430"}},
        {{{"</DatiBeniServizi>", unusedRate.c_str()}}, {"00443"}},
        {{{"</DatiBeniServizi>", unusedNature.c_str()}}, {"00444"}},
        {{{"N2\\.2", "N2"}}, {"00445"}},
        {{{"<ImportoTotaleDocumento>", fund.c_str()}}, {"00422"}},
        {{{"<Divisa>EUR</Divisa>", ""}}, {"schema"}},
        // Accepted: another namespace prefix, amounts within the tolerances, the old
        // natures on a document of 2020, a reverse-charge integration with a nature.
        {{{"<IdFiscaleIVA>\\s*<IdPaese>IT</IdPaese>\\s*<IdCodice>09876543210</IdCodice>\\s*"
           "</IdFiscaleIVA>",
           "<CodiceFiscale>09876543210</CodiceFiscale>"}},
         {}},
        {{{"(<|</|xmlns:)p([:=])", "$1fe$2"}}, {}},
        {{{"<PrezzoTotale>85.50", "<PrezzoTotale>85.51"}}, {}},
        {{{"<ImponibileImporto>85.50</ImponibileImporto>\\s*<Imposta>18.81",
           "<ImponibileImporto>86.50</ImponibileImporto><Imposta>19.03"}},
         {}},
        {{{"N2\\.2", "N2"}, {"2025-05-14", "2020-12-31"}}, {}},
        {{{"<ImportoTotaleDocumento>", fund.c_str()},
          {"<ImponibileImporto>85.50</ImponibileImporto>\\s*<Imposta>18.81",
           "<ImponibileImporto>88.92</ImponibileImporto><Imposta>19.56"}},
         {}},
        {{{"TD01", "TD16"}, {"</DatiBeniServizi>", taxedWithNature.c_str()}}, {}},
        // Two summaries of one rate: their sum matches the lines.
        {{{"<ImponibileImporto>85.50</ImponibileImporto>\\s*<Imposta>18.81</Imposta>",
           "<ImponibileImporto>80.50</ImponibileImporto><Imposta>17.71</Imposta>"},
          {"</DatiBeniServizi>", split22.c_str()}},
         {}},
    };
    for (const Variant& v : variants) {
        const std::string original = Sample();
        std::string xml = original;
        for (const auto& [pattern, replacement] : v.substitutions)
            xml = std::regex_replace(xml, std::regex(pattern), replacement);
        const std::string label = v.substitutions[0].first;
        ASSERT_NE(xml, original) << label;
        const std::vector<FpaFinding> findings = CheckFatturaPA(xml, Schema());
        EXPECT_EQ(Codes(findings), v.codes) << label << "\n" << Listed(findings);
    }
}

TEST(FpaChecks, FindingSaysWhatAndWhere) {
    std::string xml = Sample();
    xml = std::regex_replace(xml, std::regex("<PrezzoTotale>85.50"), "<PrezzoTotale>85.52");
    const std::vector<FpaFinding> findings = CheckFatturaPA(xml, Schema());
    ASSERT_EQ(findings.size(), 1u) << Listed(findings);
    EXPECT_EQ(FormatFinding(findings[0]),
              "00423: PrezzoTotale 85,52 diverso dal prezzo unitario scontato per la quantità "
              "(85,50): correggere il totale, il prezzo o gli sconti della linea (tolleranza "
              "0,01) (FatturaElettronicaBody/DatiBeniServizi/DettaglioLinee[1]/PrezzoTotale, "
              "riga 82)");
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

TEST(FpaChecks, MissingSchemaIsAnItalianError) {
    std::string error;
    EXPECT_EQ(FpaSchema::Load("/nonexistent/Schema_VFPA12_V1.2.3.xsd", error), nullptr);
    EXPECT_EQ(error, "schema FatturaPA non trovato: /nonexistent/Schema_VFPA12_V1.2.3.xsd");
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
