#include "fatturapa/einvoice_natures.h"

#include <array>

namespace qorvana {
namespace {

// The duty is due on invoices of amounts not subject to VAT above 77,47.
constexpr std::string_view kDue =
    "DPR 642/72, Tariffa parte I art. 13 n. 1 e nota 1 lett. a: fatture senza IVA oltre 77,47";
// VAT and stamp duty exclude each other.
constexpr std::string_view kSubjectToVat =
    "DPR 642/72, Tabella B art. 6: operazioni assoggettate all'IVA";
constexpr std::string_view kExports =
    "DPR 642/72, Tabella B art. 15: fatture relative a esportazioni di merci";

constexpr std::array kRules = {
    NatureRule{"N1", "escluse ex art. 15 del DPR 633/72", true, kDue},
    NatureRule{"N2", "non soggette (codice ritirato)", true, kDue},
    NatureRule{"N2.1", "non soggette ad IVA ai sensi degli artt. da 7 a 7-septies del DPR 633/72",
               true, kDue},
    NatureRule{"N2.2", "non soggette - altri casi", true, kDue},
    NatureRule{"N3", "non imponibili (codice ritirato)", true, kDue},
    NatureRule{"N3.1", "non imponibili - esportazioni", false, kExports},
    NatureRule{"N3.2", "non imponibili - cessioni intracomunitarie", false,
               "D.L. 331/93, art. 66: fatture delle cessioni intracomunitarie"},
    NatureRule{"N3.3", "non imponibili - cessioni verso San Marino", false,
               "DPR 642/72, Tabella B art. 15, con DPR 633/72 art. 71 e D.M. 21/06/2021 art. 5: "
               "i beni spediti a San Marino sono esportati"},
    NatureRule{"N3.4", "non imponibili - operazioni assimilate alle cessioni all'esportazione",
               true,
               "Tabella B art. 15 vale solo per le esportazioni di merci (Agenzia delle Entrate, "
               "risposta 45/2024)"},
    NatureRule{"N3.5", "non imponibili - a seguito di dichiarazioni d'intento", true,
               "Tariffa parte I art. 13: la cessione all'esportatore abituale non è "
               "un'esportazione"},
    NatureRule{"N3.6",
               "non imponibili - altre operazioni che non concorrono alla formazione del "
               "plafond",
               true, kDue},
    NatureRule{"N4", "esenti", true, kDue},
    NatureRule{"N5", "regime del margine / IVA non esposta in fattura", false, kSubjectToVat},
    NatureRule{"N6", "inversione contabile (codice ritirato)", false, kSubjectToVat},
    NatureRule{"N6.1", "inversione contabile - cessione di rottami e altri materiali di recupero",
               false, kSubjectToVat},
    NatureRule{"N6.2", "inversione contabile - cessione di oro e argento", false, kSubjectToVat},
    NatureRule{"N6.3", "inversione contabile - subappalto nel settore edile", false, kSubjectToVat},
    NatureRule{"N6.4", "inversione contabile - cessione di fabbricati", false, kSubjectToVat},
    NatureRule{"N6.5", "inversione contabile - cessione di telefoni cellulari", false,
               kSubjectToVat},
    NatureRule{"N6.6", "inversione contabile - cessione di prodotti elettronici", false,
               kSubjectToVat},
    NatureRule{"N6.7", "inversione contabile - prestazioni comparto edile e settori connessi",
               false, kSubjectToVat},
    NatureRule{"N6.8", "inversione contabile - operazioni settore energetico", false,
               kSubjectToVat},
    NatureRule{"N6.9", "inversione contabile - altri casi", false, kSubjectToVat},
    NatureRule{"N7", "IVA assolta in altro stato UE", false,
               "DPR 642/72, Tabella B art. 6: l'IVA è applicata nello stato UE del cliente"},
};

}  // namespace

std::span<const NatureRule> NatureRules() {
    return kRules;
}

const NatureRule* NatureRuleOf(std::string_view code) {
    for (const NatureRule& rule : kRules)
        if (rule.code == code) return &rule;
    return nullptr;
}

}  // namespace qorvana
