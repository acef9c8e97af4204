#include "tools/demo/demo_names.h"

#include <array>

namespace qorvana::demo {
namespace {

using namespace std::string_view_literals;

constexpr std::array kSurnames{
    "BIANCHI"sv,    "COLOMBO"sv,  "FERRARI"sv,   "ESPOSITO"sv,   "RICCI"sv,      "MARINO"sv,
    "GRECO"sv,      "BRUNO"sv,    "GALLO"sv,     "CONTI"sv,      "DE LUCA"sv,    "MANCINI"sv,
    "COSTA"sv,      "RIZZO"sv,    "LOMBARDI"sv,  "MORETTI"sv,    "BARBIERI"sv,   "FONTANA"sv,
    "SANTORO"sv,    "MARIANI"sv,  "RINALDI"sv,   "CARUSO"sv,     "FERRARA"sv,    "GALLI"sv,
    "MARTINI"sv,    "LEONE"sv,    "LONGO"sv,     "GENTILE"sv,    "MARTINELLI"sv, "VITALE"sv,
    "LOMBARDO"sv,   "SERRA"sv,    "COPPOLA"sv,   "DE SANTIS"sv,  "MARCHETTI"sv,  "PARISI"sv,
    "VILLA"sv,      "CONTE"sv,    "FERRARO"sv,   "FERRI"sv,      "FABBRI"sv,     "BIANCO"sv,
    "MARINI"sv,     "GRASSO"sv,   "VALENTINI"sv, "MESSINA"sv,    "SALA"sv,       "GATTI"sv,
    "PELLEGRINI"sv, "PALUMBO"sv,  "SANNA"sv,     "FARINA"sv,     "RIZZI"sv,      "MONTI"sv,
    "CATTANEO"sv,   "MORELLI"sv,  "SILVESTRI"sv, "MAZZA"sv,      "TESTA"sv,      "GRASSI"sv,
    "PELLEGRINO"sv, "CARBONE"sv,  "GIULIANI"sv,  "BENEDETTI"sv,  "BARONE"sv,     "CAPUTO"sv,
    "MONTANARI"sv,  "GUERRA"sv,   "PALMIERI"sv,  "BERNARDI"sv,   "MARTINO"sv,    "FIORE"sv,
    "DE ROSA"sv,    "FERRETTI"sv, "BELLINI"sv,   "BASILE"sv,     "RIVA"sv,       "DONATI"sv,
    "PIRAS"sv,      "VITALI"sv,   "BATTAGLIA"sv, "SARTORI"sv,    "NERI"sv,       "COSTANTINI"sv,
    "MILANI"sv,     "PAGANO"sv,   "RUGGIERO"sv,  "SORRENTINO"sv, "ZANETTI"sv,    "ZANON"sv,
    "TOSI"sv,       "BERTOLDI"sv, "ZAMBONI"sv,   "PEROTTI"sv,    "VENTURINI"sv,  "SEGALA"sv,
};

constexpr std::array kMaleNames{
    "MARIO"sv,   "GIUSEPPE"sv, "LUCA"sv,    "MARCO"sv,  "PAOLO"sv,  "FRANCESCO"sv, "GIOVANNI"sv,
    "STEFANO"sv, "ROBERTO"sv,  "MATTEO"sv,  "DAVIDE"sv, "SIMONE"sv, "LORENZO"sv,   "GIORGIO"sv,
    "MASSIMO"sv, "FABIO"sv,    "CLAUDIO"sv, "SERGIO"sv, "PIETRO"sv, "DANIELE"sv,
};

constexpr std::array kFemaleNames{
    "LAURA"sv,   "GIULIA"sv,  "FRANCESCA"sv, "ELENA"sv,   "SARA"sv,     "CHIARA"sv,   "MARIA"sv,
    "PAOLA"sv,   "SILVIA"sv,  "VALENTINA"sv, "MARTINA"sv, "FEDERICA"sv, "CRISTINA"sv, "MONICA"sv,
    "BARBARA"sv, "ROBERTA"sv, "SIMONA"sv,    "DANIELA"sv, "LUCIA"sv,    "GIOVANNA"sv,
};

constexpr std::array kTrades{
    "IMPIANTI ELETTRICI"sv,   "TERMOIDRAULICA"sv,  "EDILIZIA"sv,         "FERRAMENTA"sv,
    "COSTRUZIONI"sv,          "SERRAMENTI"sv,      "ELETTRODOMESTICI"sv, "CARPENTERIA"sv,
    "IMPRESA EDILE"sv,        "MANUTENZIONI"sv,    "COLORIFICIO"sv,      "IDRAULICA"sv,
    "SISTEMI DI SICUREZZA"sv, "CLIMATIZZAZIONE"sv, "LEGNAMI"sv,          "SERVIZI TECNICI"sv,
    "INSTALLAZIONI"sv,        "RISCALDAMENTO"sv,   "TECNOIMPIANTI"sv,    "ELETTROFORNITURE"sv,
};

constexpr std::array kLegalForms{"S.R.L."sv, "S.P.A."sv,      "S.N.C."sv,
                                 "S.A.S."sv, "& C. S.N.C."sv, "S.R.L.S."sv};

constexpr std::array kStreets{
    "Via Roma"sv,
    "Via Garibaldi"sv,
    "Corso Italia"sv,
    "Via Mazzini"sv,
    "Viale dell'Industria"sv,
    "Via dell'Artigianato"sv,
    "Via Verdi"sv,
    "Via Cavour"sv,
    "Via XX Settembre"sv,
    "Via Matteotti"sv,
    "Via dei Mille"sv,
    "Via Marconi"sv,
    "Via Nazionale"sv,
    "Via San Marco"sv,
    "Via dei Mestieri"sv,
    "Via Galilei"sv,
    "Via Fermi"sv,
    "Via Dante"sv,
    "Via Volta"sv,
    "Piazza Duomo"sv,
};

constexpr std::array kTowns{
    Town{"Verona", "37121", "VR", "L781", "045"},
    Town{"Vicenza", "36100", "VI", "L840", "0444"},
    Town{"Padova", "35121", "PD", "G224", "049"},
    Town{"Treviso", "31100", "TV", "L407", "0422"},
    Town{"Venezia", "30121", "VE", "L736", "041"},
    Town{"Rovigo", "45100", "RO", "H620", "0425"},
    Town{"Belluno", "32100", "BL", "A757", "0437"},
    Town{"Trento", "38122", "TN", "L378", "0461"},
    Town{"Brescia", "25121", "BS", "B157", "030"},
    Town{"Mantova", "46100", "MN", "E897", "0376"},
    Town{"Milano", "20121", "MI", "F205", "02"},
    Town{"Bergamo", "24121", "BG", "A794", "035"},
    Town{"Bologna", "40121", "BO", "A944", "051"},
    Town{"Modena", "41121", "MO", "F257", "059"},
    Town{"Ferrara", "44121", "FE", "D548", "0532"},
    Town{"Legnago", "37045", "VR", "E512", "0442"},
    Town{"Bussolengo", "37012", "VR", "B296", "045"},
    Town{"Villafranca di Verona", "37069", "VR", "L949", "045"},
    Town{"San Bonifacio", "37047", "VR", "H783", "045"},
    Town{"Bassano del Grappa", "36061", "VI", "A703", "0424"},
    Town{"Schio", "36015", "VI", "I531", "0445"},
    Town{"Cittadella", "35013", "PD", "C743", "049"},
    Town{"Castelfranco Veneto", "31033", "TV", "C111", "0423"},
    Town{"Desenzano del Garda", "25015", "BS", "D284", "030"},
    Town{"Peschiera del Garda", "37019", "VR", "G489", "045"},
};

}  // namespace

std::span<const std::string_view> Surnames() {
    return kSurnames;
}
std::span<const std::string_view> MaleNames() {
    return kMaleNames;
}
std::span<const std::string_view> FemaleNames() {
    return kFemaleNames;
}
std::span<const std::string_view> Trades() {
    return kTrades;
}
std::span<const std::string_view> LegalForms() {
    return kLegalForms;
}
std::span<const std::string_view> Streets() {
    return kStreets;
}
std::span<const Town> Towns() {
    return kTowns;
}

}  // namespace qorvana::demo
