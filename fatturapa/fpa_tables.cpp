#include "fatturapa/fpa_tables.h"

#include "core/tab_file.h"
#include "core/text.h"

namespace qorvana {
namespace {

// Byte offset of character `n` (0-based) of a UTF-8 text; its size when shorter.
std::size_t Utf8Offset(const std::string& text, std::size_t n) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (chars == n) return i;
        ++chars;
    }
    return text.size();
}

constexpr std::size_t kExemptionTextLength = 100;

}  // namespace

std::array<std::string, 2> HeaderTables::SplitExemptionText(const std::string& text) {
    const std::string trimmed = Trim(text, kBlanksAndTabs);
    const std::size_t cut = Utf8Offset(trimmed, kExemptionTextLength);
    if (cut >= trimmed.size()) return {trimmed, "0"};
    return {Trim(trimmed.substr(0, cut), kBlanksAndTabs),
            Trim(trimmed.substr(cut), kBlanksAndTabs)};
}

std::array<std::string, 3> HeaderTables::SplitCarrierData(const std::string& column5) {
    std::array<std::string, 3> columns{};
    if (column5.find('*') == std::string::npos) return columns;
    std::size_t start = 0;
    for (std::size_t k = 0; k < columns.size(); ++k) {
        const std::size_t star = column5.find('*', start);
        columns[k] = Trim(column5.substr(start, star == std::string::npos ? star : star - start),
                          kBlanksAndTabs);
        if (star == std::string::npos) break;
        start = star + 1;
    }
    return columns;
}

HeaderTables HeaderTables::FromTab(const TabFile& tab) {
    HeaderTables t;
    for (int code = 1; code <= 16; ++code)
        for (int col = 0; col < 4; ++col)
            t.vatRates[code][col] = Trim(tab.line(TabFile::VatCodeLine(code) + col));
    for (int entry = 0; entry <= 16; ++entry) {
        const int line = TabFile::ExemptionLine(entry);
        t.exemptions[entry][0] = tab.item(line, 0);
        t.exemptions[entry][1] = tab.item(line, 1);
        t.exemptions[entry][2] = "0";
        if (entry == 0) continue;
        const auto split = SplitExemptionText(t.exemptions[entry][1]);
        t.exemptions[entry][1] = split[0];
        t.exemptions[entry][2] = split[1];
    }
    for (int entry = 1; entry <= 9; ++entry)
        for (int col = 0; col < 2; ++col)
            t.seriesTable[entry][col] = tab.item(TabFile::kSeriesTable + entry - 1, col);
    for (int entry = 1; entry <= 100; ++entry)
        t.listEntries[entry - 1] = Trim(tab.line(TabFile::ListEntryLine(entry)));
    for (int row = 1; row <= 40; ++row) {
        auto& carrier = t.carriers[row];
        for (int col = 0; col < 6; ++col)
            carrier[col] = Trim(tab.line(TabFile::CarrierLine(row) + col));
        const auto data = SplitCarrierData(carrier[5]);
        for (int k = 0; k < 3; ++k) carrier[6 + k] = data[k];
    }
    return t;
}

const std::vector<std::string>& DocumentTypeItems() {
    static const std::vector<std::string> items = {
        "TD01 Fattura",
        "TD02 Acconto/Anticipo su fattura",
        "TD03 Acconto/Anticipo su parcella",
        "TD04 Nota di credito",
        "TD05 Nota di debito",
        "TD06 Parcella",
    };
    return items;
}

const std::vector<std::string>& WithholdingReasonItems() {
    static const std::vector<std::string> items = {
        "",
        "A prestazioni di lavoro autonomo rientranti nell’esercizio di arte o professione "
        "abituale...",
        "B utilizzazione economica di opere dell’ingegno, di brevetti industriali ecc "
        "(autore)...",
        "C utili derivanti da contratti di associazione in partecipazione...",
        "D utili spettanti ai soci promotori ed ai soci fondatori delle società di capitali...",
        "E levata di protesti cambiari da parte dei segretari comunali",
        "G indennità corrisposte per la cessazione di attività sportiva professionale...",
        "H indennità corrisposte per la cessazione dei rapporti di agenzia",
        "I indennità corrisposte per la cessazione da funzioni notarili",
        "L utilizzazione economica di opere dell’ingegno, di brevetti industriali ecc (non "
        "autore)...",
        "M prestazioni di lavoro autonomo non esercitate abitualmente",
        "N indennità di trasferta, rimborso forfetario di spese, premi e compensi erogati...",
        "O prestazioni di lavoro autonomo non esercitate abitualmente (non gestione "
        "separata)...",
        "P compensi corrisposti a soggetti non residenti per l’uso di attrezzature "
        "industriali...",
        "Q provvigioni corrisposte ad agente o rappresentante di commercio monomandatario",
        "R provvigioni corrisposte ad agente o rappresentante di commercio plurimandatario",
        "S provvigioni corrisposte a commissionario",
        "T provvigioni corrisposte a mediatore",
        "U provvigioni corrisposte a procacciatore di affari",
        "V provvigioni corrisposte a incaricato per le vendite a domicilio (giornali quotidiani "
        "ecc)...",
        "W corrispettivi erogati nel 2013 per prestazioni relative a contratti d’appalto...",
        "X canoni corrisposti nel 2004 da soggetti residenti a soggetti situati in altro stato "
        "UE...",
        "Y canoni corrisposti dal 01/01/2005 al 26/07/2005 da soggetti residenti a soggetti "
        "situati in altro stato UE...",
        "Z titolo diverso dai precedenti",
        // The reasons of two characters, in the 1.2.x formats only.
        "L1 utilizzazione economica di opere dell’ingegno, di brevetti industriali ecc "
        "(diritti acquistati a titolo oneroso)...",
        "M1 assunzione di obblighi di fare, di non fare o permettere",
        "M2 prestazioni di lavoro autonomo non esercitate abitualmente (gestione separata "
        "ENPAPI)...",
        "O1 assunzione di obblighi di fare, di non fare o permettere (non gestione separata)...",
        "V1 attività commerciali non esercitate abitualmente (provvigioni occasionali)...",
        "ZO titolo diverso dai precedenti (ZO)",
    };
    return items;
}

const std::vector<std::string>& WithholdingTypeItems() {
    static const std::vector<std::string> items = {
        "RT00 Ritenuta non applicata",
        "RT01 Ritenuta persone fisiche",
        "RT02 Ritenuta persone giuridiche",
        // The contributions withheld, in the 1.2.x formats only.
        "RT03 Contributo INPS",
        "RT04 Contributo ENASARCO",
        "RT05 Contributo ENPAM",
        "RT06 Altro contributo previdenziale",
    };
    return items;
}

const std::vector<std::string>& PaymentConditionItems() {
    static const std::vector<std::string> items = {
        "TP01 Pagamento a rate",
        "TP02 Pagamento completo",
        "TP03 Anticipo",
    };
    return items;
}

const std::vector<std::string>& PaymentModeItems() {
    static const std::vector<std::string> items = {
        "MP01 Contanti",
        "MP02 Assegno",
        "MP03 Assegno circolare",
        "MP04 Contanti tesoreria",
        "MP05 Bonifico",
        "MP06 Vaglia cambiario",
        "MP07 Bollettino bancario",
        "MP08 Carta di credito",
        "MP09 RID",
        "MP10 RID utenze",
        "MP11 RID veloce",
        "MP12 RIBA",
        "MP13 MAV",
        "MP14 Quietanza Erario",
        "MP15 Giroconto",
        "MP16 Domiciliazione bancaria",
        "MP17 Domiciliazione postale",
    };
    return items;
}

const std::vector<std::string>& VehicleKindItems() {
    static const std::vector<std::string> items = {
        "Autovettura", "Caravan", "Altri veicoli", "Unità da diporto", "Aeromobili",
    };
    return items;
}

int PaymentModePosition(int modeDigit) {
    switch (modeDigit + 1) {
        case 1:
            return 11;  // MP12 RIBA
        case 2:
            return 4;  // MP05 Bonifico
        case 3:
            return 0;  // MP01 Contanti
        case 4:
            return 8;  // MP09 RID
        default:
            return 1;  // MP02 Assegno
    }
}

int DocumentTypePosition(DocumentKind documentKind) {
    return documentKind == DocumentKind::CreditNote ? 3 : 0;
}

int PaymentConditionPosition(double secondInstalment) {
    return secondInstalment == 0 ? 1 : 0;
}

}  // namespace qorvana
