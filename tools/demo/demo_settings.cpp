#include "tools/demo/demo_settings.h"

#include <array>
#include <cstdio>

#include "core/numbers.h"
#include "core/paths.h"
#include "core/tab_file.h"
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
     "IT*03214571204*03214571204"},
    {"Conto visione", "Pacchi", "TNT GLOBAL EXPRESS S.R.L.", "*", "10156 Torino (TO)",
     "IT*05127380011*05127380011"},
    {"Reso a fornitore", "Bancali", "SDA EXPRESS COURIER S.P.A.", "Via Roma 1", "00144 Roma (RM)",
     "IT*05256251009*05256251009"},
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
        Put(lines, TabFile::kSeriesTable + i,
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

namespace {
// Colour numbers of the demo's printed invoice.
constexpr int kGrey = 8;
constexpr int kNavy = 1;
}  // namespace

std::vector<std::string> LyfLines() {
    constexpr int kRed = 12;
    const std::vector<Item> items{
        // Company heading (print settings 1-4, 6, 7) and footer (9-11, 16).
        {1, 12, 12, 15, true, kNavy},
        {2, 12, 19, 8},
        {3, 12, 23, 8},
        {4, 12, 27, 8},
        {6, 12, 31, 8},
        {7, 12, 35, 7},
        {16, 12, 287, 6},
        {17, 12, 279, 6},  // split payment note
        {33, 12, 283, 6},  // stamp duty note
        {9, 12, 291, 6},
        {10, 60, 291, 6},
        {11, 120, 291, 6},
        // Title, internal copy mark, number and date.
        {82, 130, 12, 18, true, kNavy},
        {81, 14, 80, 8, true, kRed},
        {35, 14, 90, 10, true},
        {36, 44, 90, 9},
        // Customer (registered office) and administrative office.
        {18, 112, 51, 10, true},
        {19, 112, 56, 9},
        {20, 112, 61, 9},
        {21, 112, 66, 9},
        {22, 124, 66, 9},
        {23, 121, 73, 8},
        {24, 164, 73, 8},
        {25, 14, 51, 9},
        {26, 14, 56, 9},
        {27, 14, 61, 9},
        {28, 14, 66, 9},
        {29, 26, 66, 9},
        {30, 21, 73, 8},
        // Payment, bank, references, e-mail.
        {50, 74, 90, 8},
        {51, 118, 90, 8},
        {40, 150, 90, 7},
        {48, 14, 101, 8},
        {49, 44, 101, 8},
        {41, 118, 101, 8},
        // VAT summary (rows at 216, 220, 224) and outside-VAT summary (241, 245, 249): each
        // has room below for three rows more at its spacing, six VAT rates and six exemptions.
        {60, 40, 216, 8},
        {61, 46, 216, 8},
        {62, 78, 216, 8},
        {63, 40, 220, 8},
        {64, 46, 220, 8},
        {65, 78, 220, 8},
        {66, 40, 224, 8},
        {67, 46, 224, 8},
        {68, 78, 224, 8},
        {72, 40, 241, 8},
        {73, 46, 241, 6},
        {74, 40, 245, 8},
        {75, 46, 245, 6},
        {76, 40, 249, 8},
        {77, 46, 249, 6},
        // Due dates.
        {53, 108, 216, 8},
        {52, 148, 216, 8},
        {55, 108, 220, 8},
        {54, 148, 220, 8},
        {57, 108, 224, 8},
        {56, 148, 224, 8},
        {59, 108, 228, 8},
        {58, 148, 228, 8},
        // Totals.
        {78, 196, 214, 8},
        {79, 196, 219, 8},
        {80, 196, 224, 10, true},
        {69, 176, 230, 7},
        {70, 196, 230, 8},
        {71, 196, 235, 10, true, kNavy},
        // Transport.
        {42, 14, 273, 8},
        {43, 48, 273, 8},
        {44, 48, 277, 7},
        {45, 48, 280, 7},
        {37, 118, 273, 8},
        {38, 133, 273, 8},
        {39, 150, 273, 8},
        {46, 176, 273, 8},
        {47, 176, 277, 8},
        // Notes to print.
        {83, 12, 283, 7},
        {84, 100, 283, 7},
        // Line area: first row at 120 mm, 21 rows; columns 1-9.
        {85, 120, 0},
        {86, 141, 0},
        {87, 14, 0, 8},
        {88, 38, 0, 8},
        {89, 121, 0, 8},
        {90, 123, 0, 8},
        {91, 144, 0, 8},
        {92, 171, 0, 8},
        {93, 188, 0, 8},
        {94, 191, 0, 8},
        {95, 146, 0, 8},
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
    // The elements of docs/print-image.md: 1 line, 2 box, 4 caption.
    struct Element {
        int kind;
        const char* caption;
        double x, y, a, b;  // line: x2, y2; box: width, height; caption: size, alignment
        int style = 0;      // line, box: thickness in tenths of mm; caption: bold
        int colour = 0;
        int fill = -1;  // box fill colour
    };
    constexpr int kBand = 232 + 256 * 236 + 65536 * 242;  // light blue-grey
    const auto box = [](double x, double y, double w, double h, int fill = -1) {
        return Element{2, "", x, y, w, h, 2, kGrey, fill};
    };
    const auto line = [](double x1, double y1, double x2, double y2, int colour = kGrey) {
        return Element{1, "", x1, y1, x2, y2, 1, colour};
    };
    const auto caption = [](const char* text, double x, double y, double size = 6,
                            int alignment = 1, int bold = 0, int colour = kGrey) {
        return Element{4, text, x, y, size, static_cast<double>(alignment), bold, colour};
    };
    const auto heading = [&caption](const char* text, double x, int alignment = 1) {
        return caption(text, x, 112, 7, alignment, 1, kNavy);
    };
    const std::vector<Element> elements{
        Element{1, "", 12, 40, 198, 40, 4, kNavy},
        // Administrative office and customer.
        box(12, 44, 88, 36),
        caption("Sede amministrativa", 14, 46),
        caption("Tel.", 14, 73.5),
        box(110, 44, 88, 36),
        caption("Spett.le", 112, 46),
        caption("P.IVA", 112, 73.5),
        caption("C.F.", 155, 73.5),
        // Document strip.
        box(12, 84, 186, 11),
        caption("Numero", 14, 85.5),
        caption("Data", 44, 85.5),
        caption("Pagamento", 74, 85.5),
        caption("Banca d'appoggio", 118, 85.5),
        caption("Coordinate bancarie", 150, 85.5),
        box(12, 95, 186, 11),
        // Item 48 prints the delivery notes (start form text3(0)), item 49 the order.
        caption("DDT", 14, 96.5),
        caption("Ordine", 44, 96.5),
        caption("Posta elettronica", 118, 96.5),
        // Lines table: heading band, ruled columns.
        box(12, 110, 186, 96),
        box(12, 110, 186, 7, kBand),
        heading("Codice", 14),
        heading("Descrizione", 38),
        heading("Q.tà", 121, 2),
        heading("UM", 123),
        heading("Prezzo", 144, 2),
        heading("Sc.%", 146),
        heading("Importo", 171, 2),
        heading("Netto", 188, 2),
        heading("IVA", 191),
        line(36, 110, 36, 206),
        line(122, 110, 122, 206),
        line(129, 110, 129, 206),
        line(145, 110, 145, 206),
        line(155, 110, 155, 206),
        line(173, 110, 173, 206),
        line(190, 110, 190, 206),
        // VAT summary over the outside-VAT summary, due dates, totals.
        box(12, 209, 92, 56),
        caption("Imponibile", 40, 211, 6, 2),
        caption("Aliquota", 46, 211),
        caption("Imposta", 78, 211, 6, 2),
        line(14, 239.5, 102, 239.5),
        box(106, 209, 44, 56),
        caption("Scadenze", 108, 211),
        caption("Importo", 148, 211, 6, 2),
        box(152, 209, 46, 56),
        caption("Imponibile", 154, 214.5),
        caption("IVA", 154, 219.5),
        caption("Totale documento", 154, 224.5, 7, 1, 1, 0),
        caption("Ritenuta d'acconto %", 154, 230.5),
        caption("Netto a pagare", 154, 235, 8, 1, 1, kNavy),
        // Transport.
        box(12, 267, 186, 15),
        caption("Trasporto a cura del", 14, 268.5),
        caption("Vettore", 48, 268.5),
        caption("Colli", 118, 268.5),
        caption("Peso", 133, 268.5),
        caption("Aspetto dei beni", 150, 268.5),
        caption("Inizio trasporto", 176, 268.5),
    };
    std::vector<std::string> lines;
    for (const auto& e : elements) {
        lines.push_back(e.caption);
        lines.push_back(e.kind == 4 ? "Arial" : "");
        std::string numbers = std::to_string(e.kind);
        for (double v : {e.x, e.y, e.a, e.b}) numbers += "," + PlainNumberText(v);
        for (int v : {e.style, e.colour, e.kind == 2 ? e.fill : 0})
            numbers += "," + std::to_string(v);
        lines.push_back(numbers + ",0");
    }
    return lines;
}

GeneralSettingsRecord DemoGeneralSettings() {
    auto r = BlankRecord(gnr::kFields);
    SetText(r, gnr::kVersionMark, "9");
    SetText(r, gnr::kVersionSwitch1, "1");
    r.setDouble(gnr::kRowColour1, gnr::kDefaultRowColour1);
    r.setDouble(gnr::kRowColour2, gnr::kDefaultRowColour2);
    SetText(r, gnr::kAlternateRows, "1");
    SetText(r, gnr::kVersionSwitch2, "1");
    r.setInt16(gnr::kScorporo, 0);
    r.setInt16(gnr::kBarcode, 0);
    SetText(r, gnr::kDefaultVatCode, "01");
    r.setInt16(gnr::kWeightSwitch, 1);
    SetText(r, gnr::kNumberWithYear, "0");
    return r;
}

FpaRecord DemoFpaSettings(int company) {
    FpaRecord r;
    for (const auto& def : fpa::kFields) SetText(r, fpa::kFields.field(def), "");
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
    SetText(r, fpa::kSeriesPosition, "1");
    SetText(r, fpa::kXmlFolder, CompanyFolder(company) + "\\fatturepa");
    return r;
}

}  // namespace qorvana::demo
