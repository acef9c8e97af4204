#include "fatturapa/sdi_einvoice.h"

#include "fatturapa/sdi_xml.h"

namespace qorvana {

Result<EInvoiceFacts> ReadEInvoiceFacts(std::string_view xml) {
    using namespace sdi_xml;
    XmlProblem unreadable;
    const Document doc = Parse(xml, unreadable);
    if (!doc) return Failure{"non è un file XML leggibile: " + Italian(unreadable)};
    const _xmlNode* root = Root(doc);
    if (LocalName(root) != "FatturaElettronica")
        return Failure{"non è una fattura elettronica (elemento radice " + LocalName(root) + ")"};
    const _xmlNode* header = Child(root, "FatturaElettronicaHeader");
    const _xmlNode* document =
        At(root, "FatturaElettronicaBody/DatiGenerali/DatiGeneraliDocumento");
    EInvoiceFacts facts;
    facts.format = TextAt(header, "DatiTrasmissione/FormatoTrasmissione");
    facts.progressive = TextAt(header, "DatiTrasmissione/ProgressivoInvio");
    facts.number = TextAt(document, "Numero");
    facts.date = TextAt(document, "Data");
    const _xmlNode* customer = At(header, "CessionarioCommittente/DatiAnagrafici");
    facts.customer = TextAt(customer, "Anagrafica/Denominazione");
    if (facts.customer.empty()) {
        facts.customer = TextAt(customer, "Anagrafica/Nome");
        const std::string surname = TextAt(customer, "Anagrafica/Cognome");
        if (!surname.empty()) facts.customer += (facts.customer.empty() ? "" : " ") + surname;
    }
    facts.customerId =
        TextAt(customer, "IdFiscaleIVA/IdPaese") + TextAt(customer, "IdFiscaleIVA/IdCodice");
    if (facts.customerId.empty()) facts.customerId = TextAt(customer, "CodiceFiscale");
    if (facts.format.empty())
        return Failure{"manca FormatoTrasmissione: non è una fattura elettronica completa"};
    return facts;
}

std::optional<std::string> WithProgressive(std::string_view xml, std::string_view progressive) {
    constexpr std::string_view kOpen = "<ProgressivoInvio>";
    constexpr std::string_view kClose = "</ProgressivoInvio>";
    const std::size_t open = xml.find(kOpen);
    if (open == std::string_view::npos || xml.find(kOpen, open + 1) != std::string_view::npos)
        return std::nullopt;
    const std::size_t start = open + kOpen.size();
    const std::size_t close = xml.find(kClose, start);
    if (close == std::string_view::npos) return std::nullopt;
    std::string changed(xml.substr(0, start));
    changed += progressive;
    changed += xml.substr(close);
    return changed;
}

}  // namespace qorvana
