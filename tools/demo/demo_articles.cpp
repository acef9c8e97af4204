#include "tools/demo/demo_articles.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#include "tools/demo/demo_files.h"
#include "tools/demo/demo_fixtures.h"
#include "tools/demo/italian_codes.h"

namespace qorvana::demo {
namespace {

struct ArticleData {
    std::string code;
    std::string description;
    std::string barCode;
    std::string unit;
    int vatCode;
    double price;  // euro, first list
    double weight;
    bool deleted = false;
};

// A product line of the generated articles: code prefix, description, unit, VAT code,
// price in euro, unit weight in kg, and the variants its articles come in.
struct ProductLine {
    const char* prefix;
    const char* description;
    const char* unit;
    int vatCode;
    double price;
    double weight;
    std::array<const char*, 4> variants;
};

const std::array<ProductLine, 24> kProductLines{{
    {"CAV",
     "Cavo FS17",
     "MT",
     1,
     0.45,
     0.02,
     {"1,5 mm² blu", "2,5 mm² nero", "4 mm² grigio", "6 mm² giallo/verde"}},
    {"COR",
     "Corrugato flessibile",
     "MT",
     1,
     0.60,
     0.05,
     {"Ø 16 mm", "Ø 20 mm", "Ø 25 mm", "Ø 32 mm"}},
    {"INT",
     "Interruttore magnetotermico",
     "PZ",
     1,
     18.90,
     0.20,
     {"1P+N 10 A", "1P+N 16 A", "2P 25 A", "4P 32 A"}},
    {"DIF",
     "Differenziale puro",
     "PZ",
     1,
     45.00,
     0.30,
     {"2P 25 A 30 mA", "2P 40 A 30 mA", "4P 40 A 30 mA", "4P 63 A 300 mA"}},
    {"PRE", "Presa schuko", "PZ", 1, 4.20, 0.05, {"bianca", "nera", "grigia", "da incasso"}},
    {"LAM", "Lampada LED", "PZ", 1, 6.50, 0.08, {"E27 10 W", "E14 6 W", "GU10 5 W", "E27 15 W"}},
    {"PLA",
     "Plafoniera stagna",
     "PZ",
     1,
     22.00,
     0.90,
     {"LED 18 W", "LED 36 W", "2x36 W", "IP65 60 cm"}},
    {"TUB", "Tubo multistrato", "MT", 1, 2.30, 0.15, {"16x2", "20x2", "26x3", "32x3"}},
    {"RAC",
     "Raccordo a pressare",
     "PZ",
     1,
     3.80,
     0.05,
     {"gomito 16", "tee 20", "manicotto 26", "riduzione 32/26"}},
    {"VAL", "Valvola a sfera", "PZ", 1, 9.50, 0.30, {"1/2\"", "3/4\"", "1\"", "1 1/4\""}},
    {"RUB", "Rubinetto miscelatore", "PZ", 1, 58.00, 1.20, {"lavabo", "bidet", "cucina", "doccia"}},
    {"RAD",
     "Radiatore alluminio",
     "PZ",
     2,
     120.00,
     8.00,
     {"500 mm 6 el.", "600 mm 8 el.", "700 mm 10 el.", "800 mm 12 el."}},
    {"TER",
     "Termostato ambiente",
     "PZ",
     1,
     35.00,
     0.20,
     {"digitale", "settimanale", "wi-fi", "meccanico"}},
    {"VIT", "Viti autofilettanti", "CF", 1, 5.90, 0.50, {"3,5x25", "4x30", "4,5x40", "5x50"}},
    {"TAS", "Tasselli nylon", "CF", 1, 4.50, 0.30, {"6 mm", "8 mm", "10 mm", "12 mm"}},
    {"SIL",
     "Silicone sigillante",
     "PZ",
     1,
     6.80,
     0.35,
     {"trasparente", "bianco", "grigio", "nero"}},
    {"NAS", "Nastro isolante", "PZ", 1, 0.95, 0.03, {"nero", "blu", "rosso", "giallo/verde"}},
    {"SCA",
     "Scatola di derivazione",
     "PZ",
     1,
     2.10,
     0.10,
     {"100x100", "150x110", "190x140", "240x190"}},
    {"POM", "Pompa di circolazione", "PZ", 1, 185.00, 3.50, {"25/40", "25/60", "32/60", "32/80"}},
    {"BOI",
     "Scaldacqua elettrico",
     "PZ",
     1,
     210.00,
     18.00,
     {"30 litri", "50 litri", "80 litri", "100 litri"}},
    {"MAN",
     "Manuale tecnico",
     "PZ",
     4,
     25.00,
     0.40,
     {"impianti elettrici", "impianti termici", "norme CEI", "domotica"}},
    {"KIT",
     "Kit ristrutturazione bagno",
     "KT",
     2,
     320.00,
     12.00,
     {"base", "completo", "con doccia", "con vasca"}},
    {"SER",
     "Manutenzione programmata",
     "NR",
     1,
     90.00,
     0.00,
     {"caldaia", "climatizzatore", "quadro elettrico", "impianto idrico"}},
    {"COR",
     "Corso di aggiornamento",
     "NR",
     14,
     150.00,
     0.00,
     {"sicurezza", "impianti FER", "gas F", "PES/PAV"}},
}};

std::vector<ArticleData> Fixtures() {
    std::vector<ArticleData> f(article::kFixtureCount);
    auto at = [&f](int record) -> ArticleData& { return f[static_cast<std::size_t>(record - 1)]; };
    at(article::kAbc) = {
        "ABC", "Adattatore tripolare ABC 16 A", Ean13("800123400017"), "PZ", 1, 3.50, 0.06};
    at(article::kAb) = {"AB", "Adattatore bipolare 10 A", Ean13("800123400024"), "PZ", 1, 2.20,
                        0.04};
    at(article::kLed) = {
        "LED-E27-10W", "Lampadina LED E27 10 W luce calda", kLedBarCode, "PZ", 1, 4.80, 0.08};
    at(article::kDeleted) = {
        "ALOG-100W", "Lampada alogena 100 W fuori produzione", kDeletedBarCode, "PZ", 1, 1.90, 0.07,
        true};
    at(article::kBoiler) = {
        "CALD-24", "Caldaia a condensazione 24 kW", Ean13("800123400055"), "PZ", 1, 1450.00, 32.00};
    at(article::kPanel) = {
        "QE-36M", "Quadro elettrico 36 moduli cablato", Ean13("800123400062"), "PZ", 1, 850.00,
        6.50};
    at(article::kLabour) = {"MANODOPERA",
                            "Manodopera installatore specializzato",
                            Ean13("800123400079"),
                            "OR",
                            0,
                            32.00,
                            0.00};
    at(article::kFilter) = {
        "FILTRO-ACQ", "Filtro acqua autopulente 1\"", Ean13("800123400086"), "PZ", 1, 76.00, 1.10};
    at(article::kManual) = {
        "MAN-IMP", "Manuale impianti elettrici civili", Ean13("800123400093"), "PZ", 4, 29.90,
        0.60};
    at(article::kCourse) = {
        "CORSO-SIC", "Corso sicurezza impianti (8 ore)", Ean13("800123400109"), "NR", 14, 180.00,
        0.00};
    at(article::kDesign) = {
        "PROGETTO", "Progettazione impianto elettrico", Ean13("800123400116"), "NR", 5, 600.00,
        0.00};
    at(article::kRadiator) = {
        "RAD-600", "Radiatore alluminio 600 mm 8 elementi", Ean13("800123400123"), "PZ", 2, 129.00,
        8.50};
    return f;
}

ArticleData Generated(int record, DemoRandom& random) {
    const auto& line = kProductLines[static_cast<std::size_t>(
        random.below(static_cast<int>(kProductLines.size())))];
    const char* variant = line.variants[static_cast<std::size_t>(random.below(4))];
    char code[16];
    std::snprintf(code, sizeof code, "%s%05d", line.prefix, record);
    // Distinct 12-digit stems: the record number times a multiplier coprime with 10^9.
    char stem[16];
    std::snprintf(stem, sizeof stem, "802%09llu",
                  static_cast<unsigned long long>(record) * 387420489ULL % 1000000000ULL);
    const double factor = 0.8 + random.below(50) / 100.0;
    ArticleData d{code,         (std::string(line.description) + " " + variant).substr(0, 40),
                  Ean13(stem),  line.unit,
                  line.vatCode, std::round(line.price * factor * 100) / 100,
                  line.weight};
    return d;
}

ArticleRecord Encode(const ArticleData& d, bool lire, DemoRandom& random) {
    auto r = BlankRecord(art::kFields);
    SetText(r, art::kCode, d.code);
    SetText(r, art::kDescription, d.description);
    SetText(r, art::kBarCode, d.barCode);
    SetText(r, art::kUnit, d.unit);
    r.setInt16(art::kVatCode, static_cast<std::int16_t>(d.vatCode));
    r.setDouble(art::kPrice1, DemoAmount(d.price, lire));
    r.setDouble(art::kPrice2, DemoAmount(std::round(d.price * 90) / 100, lire));
    const bool goods = d.weight > 0;
    r.setDouble(art::kStock, goods ? random.between(0, 400) : 0);
    r.setDouble(art::kCommitted, goods ? random.between(0, 15) : 0);
    r.setDouble(art::kUnitWeight, d.weight);
    r.setInt16(art::kDeleted, d.deleted ? 1 : 0);
    return r;
}

void SetLines(ExtraDescriptionRecord& r, std::initializer_list<const char*> lines,
              std::int16_t marker) {
    std::size_t i = 0;
    for (const char* line : lines) SetText(r, ExtraDescriptionRecord::At(prx::kLine, i++), line);
    r.setInt16(prx::kMarker, marker);
}

}  // namespace

double DemoAmount(double euro, bool lire) {
    return lire ? std::round(euro * 1936.27 / 10) * 10 : euro;
}

std::vector<ArticleRecord> MakeArticles(int count, bool lire, DemoRandom& random) {
    std::vector<ArticleRecord> articles;
    articles.reserve(static_cast<std::size_t>(std::max(count, article::kFixtureCount)));
    for (const auto& fixture : Fixtures()) articles.push_back(Encode(fixture, lire, random));
    for (int record = article::kFixtureCount + 1; record <= count; ++record)
        articles.push_back(Encode(Generated(record, random), lire, random));
    return articles;
}

std::vector<ArticleIndexRecord> MakeCodeIndex(const std::vector<ArticleRecord>& articles) {
    std::vector<std::pair<std::string, int>> keys;
    for (std::size_t i = 0; i < articles.size(); ++i)
        keys.emplace_back(articles[i].text(art::kCode), static_cast<int>(i + 1));
    std::sort(keys.begin(), keys.end());
    std::vector<ArticleIndexRecord> index;
    for (const auto& [code, record] : keys) {
        auto r = BlankRecord(sra::kFields);
        SetText(r, sra::kKey, code);
        r.setInt16(sra::kArticle, static_cast<std::int16_t>(record));
        index.push_back(r);
    }
    return index;
}

std::vector<BarcodeIndexRecord> MakeBarcodeIndex(const std::vector<ArticleRecord>& articles) {
    std::vector<std::pair<std::string, int>> keys;
    for (std::size_t i = 0; i < articles.size(); ++i)
        keys.emplace_back(articles[i].text(art::kBarCode), static_cast<int>(i + 1));
    std::sort(keys.begin(), keys.end());
    std::vector<BarcodeIndexRecord> index;
    for (const auto& [code, record] : keys) {
        auto r = BlankRecord(srb::kFields);
        SetText(r, srb::kBarCode, code);
        r.setInt16(srb::kArticle, static_cast<std::int16_t>(record));
        index.push_back(r);
    }
    return index;
}

std::vector<ExtraDescriptionRecord> MakeExtraDescriptions(int articleCount) {
    std::vector<ExtraDescriptionRecord> records(
        static_cast<std::size_t>(std::max(articleCount, article::kFixtureCount)),
        BlankRecord(prx::kFields));
    auto at = [&records](int record) -> ExtraDescriptionRecord& {
        return records[static_cast<std::size_t>(record - 1)];
    };
    SetLines(
        at(article::kBoiler),
        {"Rendimento stagionale 94%, classe energetica A+",
         "Completa di kit scarico fumi coassiale", "Garanzia 5 anni con prima accensione gratuita"},
        prx::kInUse);
    SetLines(
        at(article::kPanel),
        {"Interruttore generale magnetotermico 4P 40 A", "Differenziale 2P 25 A 30 mA tipo A",
         "N. 6 interruttori magnetotermici 1P+N 16 A", "N. 4 interruttori magnetotermici 1P+N 10 A",
         "Scaricatore di sovratensione classe II", "Relè di priorità carichi",
         "Morsettiera di terra e di neutro", "Cablaggio con cavo FS17 e capicorda",
         "Collaudo e dichiarazione di conformità CEI 23-51", "Schema unifilare allegato"},
        prx::kInUse);
    SetLines(at(article::kFilter),
             {"Filtro con lavaggio controcorrente", "Cartuccia in acciaio inox 90 micron"}, 122);
    return records;
}

}  // namespace qorvana::demo
