#include "tools/demo/demo_settings.h"

#include <array>
#include <cstdio>

#include "startup/paths.h"
#include "startup/tab_file.h"
#include "tools/demo/demo_files.h"

namespace qorvana::demo {
namespace {

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// One entry of the exemption table: short description and the long text, whose characters
// from 101 on give the nature: its index (0 = N1 ... 6 = N7), then for N2, N3 and N6 the
// detail digit (21 = N3.1).
std::string ExemptionLine(const std::string& description, const std::string& text, int nature) {
    return Quoted(description) + "," + Quoted(PadTo(text, 100) + std::to_string(nature));
}

// A payment condition code: months of up to six instalments (3 digits each), "F" for the end
// of the month, the day of the following month, the payment mode digit (position 23).
std::string PaymentCode(std::array<int, 6> months, bool endOfMonth, int afterDay, int mode) {
    std::string code;
    char part[8];
    for (int m : months) {
        std::snprintf(part, sizeof part, "%03d", m);
        code += part;
    }
    code += endOfMonth ? "F" : " ";
    std::snprintf(part, sizeof part, "%03d", afterDay);
    code += part;
    code += std::to_string(mode);
    return code;
}

struct PaymentTerm {
    const char* description;
    std::array<int, 6> months;
    bool endOfMonth;
    int afterDay;
    int mode;  // 0 RIBA, 1 bonifico, 2 contanti, 3 RID, other assegno
};

const std::array<PaymentTerm, 10> kPaymentTerms{{
    {"Rimessa diretta", {0, 0, 0, 0, 0, 0}, false, 0, 2},
    {"Bonifico bancario 30 gg d.f.", {1, 0, 0, 0, 0, 0}, false, 0, 1},
    {"Ri.Ba. 30-60-90 gg d.f.", {1, 2, 3, 0, 0, 0}, false, 0, 0},
    {"Ri.Ba. 60 gg f.m.", {2, 0, 0, 0, 0, 0}, true, 0, 0},
    {"Ri.Ba. 30 gg f.m. + 10", {1, 0, 0, 0, 0, 0}, true, 10, 0},
    {"Bonifico 30-60 gg f.m.", {1, 2, 0, 0, 0, 0}, true, 0, 1},
    {"RID 30 gg d.f.", {1, 0, 0, 0, 0, 0}, false, 0, 3},
    {"Rimessa diretta fine mese", {0, 0, 0, 0, 0, 0}, true, 0, 2},
    {"Assegno 6 rate mensili", {1, 2, 3, 4, 5, 6}, false, 0, 4},
    {"Bonifico bancario 60 gg d.f.", {2, 0, 0, 0, 0, 0}, false, 0, 1},
}};

// Carrier rows: transport reason, appearance of goods, carrier lines 1-3, and
// "country*identifier*tax code" for the electronic invoice.
const std::array<std::array<const char*, 6>, 6> kCarrierRows{{
    {"Vendita", "Scatole", "BARTOLINI S.P.A.", "Via Emilia 12", "40100 Bologna (BO)",
     "IT*03214571207*03214571207"},
    {"Conto visione", "Pacchi", "TNT GLOBAL EXPRESS S.R.L.", "*", "10156 Torino (TO)",
     "IT*05127380017*05127380017"},
    {"Reso a fornitore", "Bancali", "SDA EXPRESS COURIER S.P.A.", "Via Roma 1", "00144 Roma (RM)",
     "IT*05256251003*05256251003"},
    {"Conto deposito", "Sfuso", "GLS ITALY S.P.A.", "Via Basilicata 12", "20098 Milano (MI)", ""},
    {"Omaggio", "Cartoni", "Trasporto proprio", "", "", ""},
    {"Riparazione", "Colli vari", "Ritiro a cura del cliente", "", "", ""},
}};

void Put(std::vector<std::string>& lines, int line, std::string text) {
    lines[static_cast<std::size_t>(line - 1)] = std::move(text);
}

// A layout item: position, font size, font, bold, italic, colour.
struct Item {
    int number;
    int x;
    int y;
    int size = 9;
    bool bold = false;
    int colour = 0;
};

}  // namespace

const std::vector<std::string>& DemoVatRates() {
    static const std::vector<std::string> rates{"22", "10", "5", "4", "22", "21", "20", "",
                                                "",   "",   "",  "",  "0",  "0",  "0",  "0"};
    return rates;
}

std::vector<std::string> EurLines(const DemoOptions& options) {
    return {std::string(options.lire ? "0" : "1") + ",1936.27,ITL,EUR,2",
            std::to_string(options.fpaSwitch), "9"};
}

std::vector<std::string> TblLines() {
    std::vector<std::string> lines{"30", "950", "30", "950", "2"};
    for (int block = 0; block < 6; ++block) {
        const bool title = block == 1;
        lines.insert(lines.end(), {block == 0 ? "4" : "0", "Arial", title ? "14" : "9",
                                   title ? "1" : "0", "0", "0"});
    }
    lines.insert(lines.end(), {"0", "0", "0", "0", "0", "16777215"});
    lines.insert(lines.end(), {"2", "240", "240", "0", "0", "0"});
    return lines;
}

std::vector<std::string> PrgLines(const DemoOptions& options) {
    return options.modules;
}

std::vector<std::string> IntLines() {
    return {
        "QORVANA DEMO S.R.L.",
        "Via dell'Industria 15 - 37135 Verona (VR)",
        "Tel. 045 8201234 - Fax 045 8201235",
        "P.IVA 01234567897 - C.F. 01234567897",
        "01040001 Erario c/ritenute subite",
        "info@qorvanademo.it - www.qorvanademo.it",
        "Capitale sociale € 50.000,00 i.v.",
        PadTo("IVA ad esigibilità differita", 80) + "03020002",
        "R.E.A. VR-123456",
        "Banco BPM - Agenzia Verona Centro",
        "IBAN IT60 X054 2811 1010 0000 0123 456",
        "",
        "",
        "",
        PadTo("Fattura n. $D del $G - $N", 40) + PadTo("Nota credito n. $D del $G - $N", 40),
        "Contributo CONAI assolto ove dovuto",
        "",
        "",
        "",
        "",
    };
}

std::vector<std::string> TabLines() {
    std::vector<std::string> lines(TabFile::kLines);
    const auto& rates = DemoVatRates();
    const std::array<const char*, 16> descriptions{"Aliquota ordinaria",
                                                   "Aliquota ridotta",
                                                   "Aliquota ridotta",
                                                   "Aliquota minima",
                                                   "Prestazioni professionali con ritenuta",
                                                   "Aliquota non più in uso",
                                                   "Aliquota non più in uso",
                                                   "",
                                                   "",
                                                   "",
                                                   "",
                                                   "",
                                                   "Esclusi",
                                                   "Esenti",
                                                   "Non imponibili",
                                                   "Fuori campo"};
    for (int code = 1; code <= 16; ++code) {
        const int first = TabFile::VatCodeLine(code);
        const std::string& rate = rates[static_cast<std::size_t>(code - 1)];
        Put(lines, first, rate);
        Put(lines, first + 1, code == 5 ? "20" : (rate.empty() ? "" : "0"));
        Put(lines, first + 2, descriptions[static_cast<std::size_t>(code - 1)]);
        Put(lines, first + 3, "");
    }

    // Exemption entries 1..12 belong to VAT codes 13..24.
    const std::array<std::array<const char*, 2>, 8> exemptions{{
        {"Escluso art.15", "Escluso dalla base imponibile ai sensi dell'art. 15 del D.P.R. 633/72"},
        {"Esente art.10", "Operazione esente ai sensi dell'art. 10 del D.P.R. 633/72"},
        {"Non imponibile art.8", "Non imponibile ai sensi dell'art. 8 del D.P.R. 633/72"},
        {"Fuori campo art.2", "Operazione fuori campo IVA ai sensi dell'art. 2 del D.P.R. 633/72"},
        {"Non imp. art.41 DL 331/93", "Non imponibile ai sensi dell'art. 41 del D.L. 331/93"},
        {"Inversione contabile", "Inversione contabile ai sensi dell'art. 17 del D.P.R. 633/72"},
        {"Regime del margine", "Regime del margine ai sensi dell'art. 36 del D.L. 41/95"},
        {"Esente art.10 n.20", "Prestazioni didattiche esenti, art. 10 n. 20 D.P.R. 633/72"},
    }};
    // N1, N4, N3.1 exports, N2.2, N3.2 intra-EU supplies, N6.9, N5, N4.
    const std::array<int, 8> natures{0, 3, 21, 12, 22, 59, 4, 3};
    Put(lines, TabFile::ExemptionLine(0), Quoted("") + "," + Quoted(""));
    for (int entry = 1; entry <= 16; ++entry) {
        const auto i = static_cast<std::size_t>(entry - 1);
        Put(lines, TabFile::ExemptionLine(entry),
            entry <= 8 ? ExemptionLine(exemptions[i][0], exemptions[i][1], natures[i])
                       : Quoted("") + "," + Quoted(""));
    }

    for (int term = 1; term <= 60; ++term) {
        const int first = TabFile::PaymentTermLine(term);
        if (term <= static_cast<int>(kPaymentTerms.size())) {
            const auto& t = kPaymentTerms[static_cast<std::size_t>(term - 1)];
            Put(lines, first, t.description);
            Put(lines, first + 1, PaymentCode(t.months, t.endOfMonth, t.afterDay, t.mode));
        }
    }

    const std::array<const char*, 9> series{"Vendite Italia",
                                            "Vendite PA",
                                            "Vendite estero",
                                            "Corrispettivi",
                                            "Autofatture",
                                            "",
                                            "",
                                            "",
                                            ""};
    for (int i = 0; i < 9; ++i)
        Put(lines, TabFile::kCombo5Table + i,
            Quoted(series[static_cast<std::size_t>(i)]) + "," +
                Quoted(i < 5 ? std::to_string(i + 1) : ""));

    const std::array<const char*, 6> listEntries{
        "Banco BPM - Verona Centro",      "Intesa Sanpaolo - Verona Borgo Trento",
        "UniCredit - Verona Porta Nuova", "Banca Popolare di Sondrio - Verona",
        "Credit Agricole - Verona",       "Poste Italiane - conto BancoPosta"};
    for (int i = 0; i < static_cast<int>(listEntries.size()); ++i)
        Put(lines, TabFile::ListEntryLine(i + 1), listEntries[static_cast<std::size_t>(i)]);

    for (int row = 1; row <= static_cast<int>(kCarrierRows.size()); ++row) {
        const int first = TabFile::CarrierLine(row);
        for (int column = 0; column < 6; ++column)
            Put(lines, first + column,
                kCarrierRows[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column)]);
    }

    // Lines 763-773: two comma-separated values each, not used by the module.
    for (int line = 763; line <= 773; ++line) Put(lines, line, Quoted("") + "," + Quoted(""));
    return lines;
}

std::vector<std::string> IlxLines() {
    std::vector<std::string> lines;
    const auto& rates = DemoVatRates();
    for (int code = 1; code <= 12; ++code) {
        const std::string& rate = rates[static_cast<std::size_t>(code - 1)];
        lines.push_back("0," + (rate.empty() ? std::string("0") : rate) + ",0,0");
    }
    return lines;
}

std::vector<std::string> LyfLines() {
    const std::vector<Item> items{
        // Company heading (print settings 1-4, 6, 7, 9, 10, 16).
        {1, 12, 12, 14, true},
        {2, 12, 19},
        {3, 12, 23},
        {4, 12, 27},
        {6, 12, 31, 8},
        {7, 12, 35, 8},
        {9, 12, 291, 6},
        {10, 80, 291, 6},
        {16, 12, 276, 6},
        // Customer and destination.
        {18, 110, 50, 10, true},
        {19, 110, 55},
        {20, 110, 60},
        {21, 110, 65},
        {22, 122, 65},
        {23, 110, 72, 8},
        {24, 150, 72, 8},
        {41, 110, 77, 8},
        {25, 15, 50},
        {26, 15, 55},
        {27, 15, 60},
        {28, 15, 65},
        {29, 27, 65},
        // Document strip.
        {35, 12, 100, 10, true},
        {48, 60, 100},
        {49, 110, 100},
        {50, 12, 111, 8},
        {51, 80, 111, 8},
        {40, 140, 111, 8},
        // Title and notes.
        {82, 140, 14, 16, true},
        {83, 12, 214, 8},
        {84, 12, 218, 8},
        // VAT summary, outside-VAT summary.
        {60, 50, 229, 8},
        {61, 53, 229, 8},
        {62, 85, 229, 8},
        {63, 50, 233, 8},
        {64, 53, 233, 8},
        {65, 85, 233, 8},
        {66, 50, 237, 8},
        {67, 53, 237, 8},
        {68, 85, 237, 8},
        {72, 50, 241, 8},
        {73, 53, 241, 7},
        {74, 50, 245, 8},
        {75, 53, 245, 7},
        {76, 50, 249, 8},
        {77, 53, 249, 7},
        // Due dates.
        {53, 100, 229, 8},
        {52, 147, 229, 8},
        {55, 100, 233, 8},
        {54, 147, 233, 8},
        {57, 100, 237, 8},
        {56, 147, 237, 8},
        {59, 100, 241, 8},
        {58, 147, 241, 8},
        // Totals.
        {78, 198, 226, 9},
        {79, 198, 230, 9},
        {80, 198, 236, 10, true},
        {69, 172, 241, 8},
        {70, 198, 241, 9},
        {71, 198, 248, 10, true},
        // Transport.
        {42, 12, 259, 8},
        {43, 45, 259, 8},
        {44, 45, 263, 8},
        {45, 45, 267, 8},
        {37, 120, 259, 8},
        {38, 140, 259, 8},
        {39, 160, 259, 8},
        {46, 120, 269, 8},
        {47, 145, 269, 8},
        // Internal copy of an electronic invoice, in red.
        {81, 60, 284, 12, true, 255},
        // Line area: first row at 125 mm, 22 rows; columns 1-9.
        {85, 125, 0},
        {86, 147, 0},
        {87, 12, 0, 8},
        {88, 38, 0, 8},
        {89, 122, 0, 8},
        {90, 124, 0, 8},
        {91, 146, 0, 8},
        {92, 170, 0, 8},
        {93, 190, 0, 8},
        {94, 192, 0, 8},
        {95, 148, 0, 8},
    };
    std::vector<std::string> lines;
    for (int number = 1; number <= 100; ++number) {
        const Item* found = nullptr;
        for (const auto& item : items)
            if (item.number == number) found = &item;
        char position[16] = "000000";
        Item item = found ? *found : Item{number, 0, 0};
        if (found) std::snprintf(position, sizeof position, "%03d%03d", item.x, item.y);
        lines.insert(lines.end(), {position, std::to_string(item.size), "Arial",
                                   item.bold ? "1" : "0", "0", std::to_string(item.colour)});
    }
    return lines;
}

std::vector<std::string> PdfLines() {
    std::vector<std::string> lines{"smtp.qorvanademo.it", "fatture@qorvanademo.it",
                                   "C:\\QORWIN\\PDF", ""};
    lines.resize(80);
    return lines;
}

std::vector<std::string> LkfLines() {
    // kind 1 caption (x1, y1, font size, bold, colour), 2 line, 3 box (x1, y1, x2, y2,
    // line width in tenths of a millimetre).
    struct Element {
        int kind;
        const char* caption;
        int x1, y1, x2, y2;
        int size = 0;
        int bold = 0;
    };
    const std::vector<Element> elements{
        {3, "", 105, 42, 200, 82},
        {1, "Spett.le", 107, 45, 0, 0, 6},
        {3, "", 10, 42, 100, 82},
        {1, "Destinazione merce", 12, 45, 0, 0, 6},
        {3, "", 10, 92, 200, 104},
        {1, "Documento n.", 12, 95, 0, 0, 6},
        {1, "Ordine", 60, 95, 0, 0, 6},
        {1, "DDT", 110, 95, 0, 0, 6},
        {3, "", 10, 104, 200, 114},
        {1, "Pagamento", 12, 107, 0, 0, 6},
        {1, "Banca", 80, 107, 0, 0, 6},
        {1, "Coordinate bancarie", 140, 107, 0, 0, 6},
        {3, "", 10, 115, 200, 212},
        {2, "", 10, 121, 200, 121},
        {1, "Codice", 12, 119, 0, 0, 7, 1},
        {1, "Descrizione", 38, 119, 0, 0, 7, 1},
        {1, "Q.tà", 114, 119, 0, 0, 7, 1},
        {1, "UM", 124, 119, 0, 0, 7, 1},
        {1, "Prezzo", 134, 119, 0, 0, 7, 1},
        {1, "Sconto", 148, 119, 0, 0, 7, 1},
        {1, "Importo", 158, 119, 0, 0, 7, 1},
        {1, "Netto", 181, 119, 0, 0, 7, 1},
        {1, "IVA", 192, 119, 0, 0, 7, 1},
        {3, "", 10, 220, 95, 251},
        {1, "Imponibile", 30, 224, 0, 0, 6},
        {1, "Aliquota", 53, 224, 0, 0, 6},
        {1, "Imposta", 72, 224, 0, 0, 6},
        {3, "", 97, 220, 150, 251},
        {1, "Scadenze", 100, 224, 0, 0, 6},
        {3, "", 152, 220, 200, 251},
        {1, "Imponibile", 154, 226, 0, 0, 6},
        {1, "IVA", 154, 230, 0, 0, 6},
        {1, "Totale documento", 154, 236, 0, 0, 6, 1},
        {1, "Rit. acconto", 154, 241, 0, 0, 6},
        {1, "Netto a pagare", 154, 248, 0, 0, 6, 1},
        {3, "", 10, 252, 200, 272},
        {1, "Trasporto a cura", 12, 255, 0, 0, 6},
        {1, "Vettore", 45, 255, 0, 0, 6},
        {1, "Colli", 120, 255, 0, 0, 6},
        {1, "Peso", 140, 255, 0, 0, 6},
        {1, "Aspetto dei beni", 160, 255, 0, 0, 6},
        {1, "Inizio trasporto", 120, 265, 0, 0, 6},
        {1, "Ora", 145, 265, 0, 0, 6},
    };
    std::vector<std::string> lines;
    for (const auto& e : elements) {
        lines.push_back(e.caption);
        lines.push_back(e.kind == 1 ? "Arial" : "");
        char numbers[96];
        std::snprintf(numbers, sizeof numbers, "%d,%d,%d,%d,%d,%d,%d,0,%d", e.kind, e.x1, e.y1,
                      e.x2, e.y2, e.size, e.bold, e.kind == 1 ? 0 : 3);
        lines.push_back(numbers);
    }
    return lines;
}

Record<gnr::kLength> DemoGeneralSettings() {
    auto r = BlankRecord<gnr::kLength>(gnr::kLayout);
    SetText(r, gnr::kVersionMark, "9");
    SetText(r, gnr::kFlagB, "1");
    r.setDouble(gnr::kRowColour1, gnr::kDefaultRowColour1);
    r.setDouble(gnr::kRowColour2, gnr::kDefaultRowColour2);
    SetText(r, gnr::kAlternateRows, "1");
    SetText(r, gnr::kFlagC, "1");
    r.setInt16(gnr::kScorporo, 0);
    r.setInt16(gnr::kBarcode, 0);
    SetText(r, gnr::kDefaultVatCode, "01");
    r.setInt16(gnr::kWeightSwitch, 1);
    SetText(r, gnr::kNumberWithYear, "0");
    return r;
}

FpaRecord DemoFpaSettings(int company) {
    FpaRecord r;
    for (const auto& def : kFpaFields) SetText(r, def.field, "");
    SetText(r, fpa::kMarker, "1");
    SetText(r, fpa::kTransmitterCountry, "IT");
    SetText(r, fpa::kTransmitterId, "01234567897");
    SetText(r, fpa::kSellerTaxCode, "01234567897");
    SetText(r, fpa::kSellerVatNumber, "01234567897");
    SetText(r, fpa::kTaxRegimeIndex, "0");
    SetText(r, fpa::kCompanyKind, "2");
    SetText(r, fpa::kRegisterFlag, "1");
    SetText(r, fpa::kRegisterOffice, "VR");
    SetText(r, fpa::kRegisterNumber, "123456");
    SetText(r, fpa::kShareCapital, "50000.00");
    SetText(r, fpa::kSingleMember, "SM");
    SetText(r, fpa::kLiquidation, "LN");
    SetText(r, fpa::kSellerName, "QORVANA DEMO S.R.L.");
    SetText(r, fpa::kSellerAddress, "Via dell'Industria 15");
    SetText(r, fpa::kSellerPostcode, "37135");
    SetText(r, fpa::kSellerTown, "Verona");
    SetText(r, fpa::kSellerProvince, "VR");
    SetText(r, fpa::kSellerCountry, "IT");
    SetText(r, fpa::kSellerPhone, "0458201234");
    SetText(r, fpa::kSellerFax, "0458201235");
    SetText(r, fpa::kSellerEmail, "fatturapa@qorvanademo.it");
    SetText(r, fpa::kSeparateSeries, "0");
    SetText(r, fpa::kCombo5Position, "1");
    SetText(r, fpa::kXmlFolder, CompanyFolder(company) + "\\fatturepa");
    return r;
}

}  // namespace qorvana::demo
