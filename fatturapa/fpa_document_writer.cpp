#include "fatturapa/fpa_document_writer.h"

#include <algorithm>
#include <cstdio>

#include "fatturapa/einvoice_terms.h"

namespace qorvana::fpaxml {
namespace {

std::size_t ExpectedSize(const FpaWriterInput& d) {
    return 8192 + static_cast<std::size_t>(d.lines.lastUsed()) * 700;
}

// A DDT number: a blank, "0" or another number not above 0 means none; any text with other
// characters ("B/2026/77", "DDT-5") is a number to write.
bool HasDeliveryNote(const std::string& stored) {
    const std::string number = Trim(KeepText(stored));
    return Val(number) > 0 || number.find_first_not_of("0123456789.,+- ") != std::string::npos;
}

// The share capital as stored: "50000.00", or typed the Italian way ("50.000,00").
double ShareCapital(const std::string& text) {
    const auto dot = text.find('.');
    const bool plain =
        text.find(',') == std::string::npos && dot != std::string::npos && dot + 3 == text.size();
    return plain ? Val(text) : ParseNumber(text);
}

}  // namespace

FpaDocumentWriter::FpaDocumentWriter(const FpaWriterInput& d)
    : d_(d), r_(d.record), c_(ExpectedSize(d)) {}

FpaComposition FpaDocumentWriter::compose() {
    prolog();
    header();
    c_.xml().open("FatturaElettronicaBody");
    generalData();
    goodsAndServices();
    payment();
    c_.xml().close("FatturaElettronicaBody");
    c_.xml().raw("</p:FatturaElettronica>");
    return {c_.xml().take(), std::move(c_.problems())};
}

void FpaDocumentWriter::writeProlog(std::string_view version, std::string_view nameSpace) {
    XmlLines& x = c_.xml();
    x.raw(R"(<?xml version="1.0" encoding="UTF-8"?>)");
    x.raw(std::string(R"(<p:FatturaElettronica versione=")") + std::string(version) + "\"");
    x.raw(std::string(R"(xmlns:ds="http://www.w3.org/2000/09/xmldsig#" xmlns:p=")") +
          std::string(nameSpace) + R"(" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">)");
    x.enter();
}

void FpaDocumentWriter::header() {
    XmlLines& x = c_.xml();
    x.open("FatturaElettronicaHeader");
    transmission();
    seller();
    customer();
    // "CC" declares that the customer issued the invoice itself.
    if (d_.selfBilled) x.element("SoggettoEmittente", "CC");
    x.close("FatturaElettronicaHeader");
}

void FpaDocumentWriter::transmitter() {
    XmlLines& x = c_.xml();
    x.open("IdTrasmittente");
    c_.text("IdPaese", field(fpa::kTransmitterCountry), kCountry,
            "Paese del trasmittente (impostazioni fatturaPA)");
    c_.text("IdCodice", field(fpa::kTransmitterId), kIdCode,
            "Codice del trasmittente (impostazioni fatturaPA)");
    x.close("IdTrasmittente");
    c_.text("ProgressivoInvio", field(fpa::kProgressive), kBasic10, "Progressivo invio");
}

void FpaDocumentWriter::transmitterContacts() {
    if (!emptyContactsWritten() && c_.empty(field(fpa::kSellerPhone)) &&
        c_.empty(field(fpa::kSellerEmail)))
        return;
    XmlLines& x = c_.xml();
    x.open("ContattiTrasmittente");
    c_.text("Telefono", field(fpa::kSellerPhone), kPhone,
            "Telefono del cedente (impostazioni fatturaPA)", Need::WhenNotEmpty);
    c_.text("Email", field(fpa::kSellerEmail), kEmail,
            "E-mail del cedente (impostazioni fatturaPA)", Need::WhenNotEmpty);
    x.close("ContattiTrasmittente");
}

void FpaDocumentWriter::recipientCodeTooLong(const std::string& why) {
    const std::string code = Trim(PaddedText(d_.customer, cli::kRecipientCode) +
                                  d_.customer.text(cli::kRecipientCodeSeventh));
    c_.problem("Codice destinatario del cliente: \"" + code + "\" ha 7 caratteri, ma " + why +
               ": correggerlo nella scheda del cliente");
}

void FpaDocumentWriter::seller() {
    XmlLines& x = c_.xml();
    x.open("CedentePrestatore");
    x.open("DatiAnagrafici");
    x.open("IdFiscaleIVA");
    c_.text("IdPaese", field(fpa::kTransmitterCountry), kCountry,
            "Paese del trasmittente (impostazioni fatturaPA)");
    c_.text("IdCodice", field(fpa::kSellerVatNumber), kIdCode,
            "Partita IVA del cedente (impostazioni fatturaPA)");
    x.close("IdFiscaleIVA");
    c_.text("CodiceFiscale", field(fpa::kSellerTaxCode), kTaxCode,
            "Codice fiscale del cedente (impostazioni fatturaPA)", Need::WhenNotEmpty);
    x.open("Anagrafica");
    if (!c_.empty(field(fpa::kSellerName))) {
        c_.text("Denominazione", field(fpa::kSellerName), kLatin80,
                "Denominazione del cedente (impostazioni fatturaPA)");
    } else {
        c_.text("Nome", field(fpa::kSellerFirstName), kLatin60,
                "Nome del cedente (impostazioni fatturaPA)");
        c_.text("Cognome", field(fpa::kSellerSurname), kLatin60,
                "Cognome del cedente (impostazioni fatturaPA)");
    }
    x.close("Anagrafica");
    const double regime = Val(field(fpa::kTaxRegimeIndex)) + 1;
    if (regime == std::floor(regime) && regimeAccepted(static_cast<int>(regime))) {
        char code[8];
        std::snprintf(code, sizeof code, "RF%02d", static_cast<int>(regime));
        x.element("RegimeFiscale", code);
    } else {
        c_.problem("Regime fiscale del cedente (impostazioni fatturaPA): \"" +
                   field(fpa::kTaxRegimeIndex) + "\" non è valido");
    }
    x.close("DatiAnagrafici");

    address("Sede", fpa::kSellerAddress, fpa::kSellerPostcode, fpa::kSellerTown,
            fpa::kSellerProvince, fpa::kSellerCountry, "della sede del cedente");
    if (!c_.empty(field(fpa::kEstablishmentAddress)) || !c_.empty(field(fpa::kEstablishmentTown)))
        address("StabileOrganizzazione", fpa::kEstablishmentAddress, fpa::kEstablishmentPostcode,
                fpa::kEstablishmentTown, fpa::kEstablishmentProvince, fpa::kEstablishmentCountry,
                "della stabile organizzazione");
    if (Val(field(fpa::kRegisterFlag)) == 1) companyRegister();

    x.open("Contatti");
    c_.text("Telefono", field(fpa::kSellerPhone), kPhone,
            "Telefono del cedente (impostazioni fatturaPA)", Need::WhenNotEmpty);
    c_.text("Fax", field(fpa::kSellerFax), kPhone, "Fax del cedente (impostazioni fatturaPA)",
            Need::WhenNotEmpty);
    c_.text("Email", field(fpa::kSellerEmail), kEmail,
            "E-mail del cedente (impostazioni fatturaPA)", Need::WhenNotEmpty);
    x.close("Contatti");
    x.close("CedentePrestatore");
}

// Sede or StabileOrganizzazione of the seller; Nazione is "IT" when the field is empty.
void FpaDocumentWriter::address(const char* tag, Field<FpaLayout> street, Field<FpaLayout> postcode,
                                Field<FpaLayout> town, Field<FpaLayout> province,
                                Field<FpaLayout> country, const std::string& of) {
    XmlLines& x = c_.xml();
    x.open(tag);
    const std::string where = " (impostazioni fatturaPA)";
    c_.text("Indirizzo", field(street), kLatin60, "Indirizzo " + of + where);
    c_.text("CAP", field(postcode), kPostcode, "CAP " + of + where);
    c_.text("Comune", field(town), kLatin60, "Comune " + of + where);
    c_.text("Provincia", field(province), kProvince, "Provincia " + of + where, Need::WhenNotEmpty);
    const std::string nation = field(country);
    c_.text("Nazione", c_.empty(nation) ? "IT" : nation, kCountry, "Nazione " + of + where);
    x.close(tag);
}

void FpaDocumentWriter::companyRegister() {
    XmlLines& x = c_.xml();
    const std::string where = " (impostazioni fatturaPA)";
    x.open("IscrizioneREA");
    c_.text("Ufficio", field(fpa::kRegisterOffice), kProvince, "Ufficio del REA" + where);
    c_.text("NumeroREA", field(fpa::kRegisterNumber), kBasic20, "Numero REA" + where);
    if (Val(field(fpa::kCompanyKind)) == 2) {
        const std::string capital = Trim(field(fpa::kShareCapital));
        if (!c_.empty(capital))
            c_.amount("CapitaleSociale", ShareCapital(capital), "Capitale sociale" + where);
        c_.code("SocioUnico", field(fpa::kSingleMember), {"SU", "SM"},
                "Socio unico (SU o SM)" + where);
    }
    c_.code("StatoLiquidazione", field(fpa::kLiquidation), {"LS", "LN"},
            "Stato di liquidazione (LS o LN)" + where);
    x.close("IscrizioneREA");
}

void FpaDocumentWriter::customer() {
    XmlLines& x = c_.xml();
    const CustomerRecord& cu = d_.customer;
    const std::string country = CustomerCountry(cu);
    // A foreign customer of the e-invoices to everyone: its own country's identifier, the
    // postcode "00000", no Italian tax code.
    const bool foreign = d_.everyCustomer && IsForeignCustomer(cu);
    const std::string foreignId = foreign ? Trim(d_.everyCustomer->customer.foreignTaxId) : "";
    const std::string vatId = foreignId.empty() ? cu.text(cli::kVatNumber) : foreignId;
    x.open("CessionarioCommittente");
    x.open("DatiAnagrafici");
    if (!c_.empty(vatId)) {
        x.open("IdFiscaleIVA");
        c_.text("IdPaese", country, kCountry, "Nazione del cliente");
        c_.text("IdCodice", vatId, kIdCode,
                foreign ? "Identificativo fiscale estero del cliente" : "Partita IVA del cliente");
        x.close("IdFiscaleIVA");
    }
    if (!foreign)
        c_.text("CodiceFiscale", cu.text(cli::kTaxCode), kTaxCode, "Codice fiscale del cliente",
                Need::WhenNotEmpty);
    anagrafica();
    x.close("DatiAnagrafici");
    x.open("Sede");
    c_.text("Indirizzo", cu.text(cli::kAddress), kLatin60, "Indirizzo del cliente");
    c_.text("CAP", foreign ? "00000" : cu.text(cli::kPostcode), kPostcode, "CAP del cliente");
    c_.text("Comune", cu.text(cli::kTown), kLatin60, "Comune del cliente");
    c_.text("Nazione", country, kCountry, "Nazione del cliente");
    x.close("Sede");
    x.close("CessionarioCommittente");
}

// Nome and Cognome of a person, else Denominazione: the whole legal name of the card.
void FpaDocumentWriter::anagrafica() {
    const EInvoiceCustomer* data = d_.everyCustomer ? &d_.everyCustomer->customer : nullptr;
    const std::optional<CustomerNaming> naming = CustomerNamingOf(d_.customer, data);
    XmlLines& x = c_.xml();
    x.open("Anagrafica");
    if (!naming) {
        c_.problem(
            "Nome e cognome del cliente: è una persona fisica e la scheda non li distingue "
            "(\"" +
            LegalName(d_.customer) +
            "\"): indicarli con \"Dati fattura elettronica\" nella maschera iniziale");
    } else if (naming->surname.empty()) {
        c_.text("Denominazione", naming->denomination, kLatin80, "Ragione sociale del cliente");
    } else {
        c_.text("Nome", naming->firstName, kLatin60, "Nome del cliente");
        c_.text("Cognome", naming->surname, kLatin60, "Cognome del cliente");
    }
    x.close("Anagrafica");
}

void FpaDocumentWriter::generalData() {
    XmlLines& x = c_.xml();
    x.open("DatiGenerali");
    x.open("DatiGeneraliDocumento");
    c_.code("TipoDocumento", field(fpa::kDocumentType),
            {"TD01", "TD02", "TD03", "TD04", "TD05", "TD06", "TD24"}, "Tipo documento");
    x.element("Divisa", "EUR");
    c_.date("Data", field(fpa::kDocumentDate), "Data del documento", Need::Always);
    c_.text("Numero", field(fpa::kDocumentNumber), kBasic20, "Numero del documento");
    withholding();
    documentTotals();
    if (Trim(field(fpa::kArt73)) == "1") x.element("Art73", "SI");
    x.close("DatiGeneraliDocumento");

    const bool order = reference("DatiOrdineAcquisto", fpa::kOrderId, fpa::kOrderDate,
                                 fpa::kOrderItem, fpa::kOrderJobCode, "dell'ordine di acquisto");
    const bool contract = reference("DatiContratto", fpa::kContractId, fpa::kContractDate,
                                    fpa::kContractItem, fpa::kContractJobCode, "del contratto");
    const bool convention =
        reference("DatiConvenzione", fpa::kConventionId, fpa::kConventionDate, fpa::kConventionItem,
                  fpa::kConventionJobCode, "della convenzione");
    const bool reception =
        reference("DatiRicezione", fpa::kReceptionId, fpa::kReceptionDate, fpa::kReceptionItem,
                  fpa::kReceptionJobCode, "della ricezione");
    const bool referenced = order || contract || convention || reception;
    // The CUP and the CIG go only inside the block of the document they belong to.
    for (const auto& [code, label] : {std::pair{fpa::kCupCode, "CUP"}, {fpa::kCigCode, "CIG"}})
        if (!referenced && !c_.empty(field(code)))
            c_.problem(std::string("Codice ") + label + " \"" + Trim(field(code)) +
                       "\": si scrive con il documento a cui appartiene; indicare nel riepilogo "
                       "dati fatturaPA l'identificativo dell'ordine di acquisto, del contratto, "
                       "della convenzione o della ricezione");

    if (d_.everyCustomer && !c_.empty(d_.everyCustomer->correctedInvoice.id)) {
        const InvoiceReference& corrected = d_.everyCustomer->correctedInvoice;
        x.open("DatiFattureCollegate");
        c_.text("IdDocumento", corrected.id, kBasic20, "Numero della fattura rettificata");
        c_.date("Data", corrected.date, "Data della fattura rettificata", Need::WhenNotEmpty);
        x.close("DatiFattureCollegate");
    }

    // DatiTrasporto needs the carrier's country and identifier: without them it is left out.
    if (d_.everyCustomer && !d_.everyCustomer->notes.empty()) {
        importedNotes();
    } else if (HasDeliveryNote(field(fpa::kDdtNumber))) {
        x.open("DatiDDT");
        c_.text("NumeroDDT", field(fpa::kDdtNumber), kBasic20, "Numero del DDT");
        c_.date("DataDDT", field(fpa::kDdtDate), "Data del DDT", Need::Always);
        x.close("DatiDDT");
    } else if (!c_.empty(field(fpa::kCarrierName)) && !c_.empty(field(fpa::kCarrierCountry)) &&
               !c_.empty(field(fpa::kCarrierId))) {
        carrier();
    }
    x.close("DatiGenerali");
}

// A DatiDDT per imported delivery note, with the written numbers of the lines it brought
// (they carry "**" + its number as reference).
void FpaDocumentWriter::importedNotes() {
    std::vector<int> written(LineTable::kLines + 1, 0);
    for (int n = 1, number = 0; n <= LineTable::kLines; ++n)
        if (Written(d_.lines[n])) written[static_cast<std::size_t>(n)] = ++number;
    XmlLines& x = c_.xml();
    for (const ImportedNote& note : d_.everyCustomer->notes) {
        x.open("DatiDDT");
        c_.text("NumeroDDT", std::to_string(note.number), kBasic20, "Numero del DDT");
        c_.date("DataDDT", note.date, "Data del DDT " + std::to_string(note.number), Need::Always);
        const std::string reference = "**" + std::to_string(note.number);
        for (int n = 1; n <= LineTable::kLines; ++n)
            if (written[static_cast<std::size_t>(n)] > 0 &&
                Trim(d_.lines[n].reference) == reference)
                x.element("RiferimentoNumeroLinea",
                          std::to_string(written[static_cast<std::size_t>(n)]));
        x.close("DatiDDT");
    }
}

namespace {

// TipoRitenuta: the withholding taxes, then the contributions withheld (1.2.x only).
constexpr std::string_view kWithholdingTypes[] = {
    "RT01 (ritenuta persone fisiche)", "RT02 (ritenuta persone giuridiche)",
    "RT03 (contributo INPS)",          "RT04 (contributo ENASARCO)",
    "RT05 (contributo ENPAM)",         "RT06 (altro contributo previdenziale)"};
// CausalePagamento of the 1.2.3 schema: the letters, then the codes of two characters.
constexpr std::string_view kReasons[] = {"A", "B", "C", "D",  "E",  "G",  "H",  "I",  "L", "M",
                                         "N", "O", "P", "Q",  "R",  "S",  "T",  "U",  "V", "W",
                                         "X", "Y", "Z", "L1", "M1", "M2", "O1", "V1", "ZO"};

}  // namespace

void FpaDocumentWriter::withholding() {
    const std::string type = Trim(field(fpa::kWithholdingType));
    if (type.empty()) return;
    const std::string reason =
        d_.withholdingReason.empty() ? Trim(field(fpa::kWithholdingReason)) : d_.withholdingReason;
    if (type == "RT00" || c_.empty(reason)) {
        c_.problem(kWithholdingRequest);
        return;
    }
    const auto named = std::find_if(std::begin(kWithholdingTypes), std::end(kWithholdingTypes),
                                    [&](std::string_view t) { return t.starts_with(type + " "); });
    if (named == std::end(kWithholdingTypes)) {
        c_.problem("Tipo di ritenuta: \"" + type + "\" non è valido (da RT01 a RT06)");
        return;
    }
    if (std::find(std::begin(kReasons), std::end(kReasons), reason) == std::end(kReasons)) {
        c_.problem("Causale del pagamento della ritenuta: \"" + reason + "\" non è valida");
        return;
    }
    if (!format123() && (named - std::begin(kWithholdingTypes) >= 2 || reason.size() == 2)) {
        c_.problem(OnlyInFormat123(reason.size() == 2 ? "Causale della ritenuta " + reason
                                                      : "Ritenuta " + std::string(*named)));
        return;
    }
    XmlLines& x = c_.xml();
    x.open("DatiRitenuta");
    x.element("TipoRitenuta", type);
    c_.amount("ImportoRitenuta", Val(field(fpa::kWithholdingAmount)), "Importo della ritenuta");
    c_.rate("AliquotaRitenuta", Val(field(fpa::kWithholdingRate)), "Aliquota della ritenuta");
    x.element("CausalePagamento", reason);
    x.close("DatiRitenuta");
}

bool FpaDocumentWriter::reference(const char* tag, Field<FpaLayout> id, Field<FpaLayout> date,
                                  Field<FpaLayout> item, Field<FpaLayout> job,
                                  const std::string& of) {
    if (c_.empty(field(id))) return false;
    XmlLines& x = c_.xml();
    x.open(tag);
    x.element("RiferimentoNumeroLinea", "1");
    c_.text("IdDocumento", field(id), kBasic20, "Identificativo " + of);
    c_.date("Data", field(date), "Data " + of, Need::WhenNotEmpty);
    c_.text("NumItem", field(item), kBasic20, "Numero linea " + of, Need::WhenNotEmpty);
    c_.text("CodiceCommessaConvenzione", field(job), kLatin100, "Codice commessa " + of,
            Need::WhenNotEmpty);
    c_.text("CodiceCUP", field(fpa::kCupCode), kBasic15, "Codice CUP", Need::WhenNotEmpty);
    c_.text("CodiceCIG", field(fpa::kCigCode), kBasic15, "Codice CIG", Need::WhenNotEmpty);
    x.close(tag);
    return true;
}

void FpaDocumentWriter::carrier() {
    XmlLines& x = c_.xml();
    x.open("DatiTrasporto");
    x.open("DatiAnagraficiVettore");
    x.open("IdFiscaleIVA");
    c_.text("IdPaese", field(fpa::kCarrierCountry), kCountry, "Paese del vettore");
    c_.text("IdCodice", field(fpa::kCarrierId), kIdCode, "Partita IVA del vettore");
    x.close("IdFiscaleIVA");
    c_.text("CodiceFiscale", field(fpa::kCarrierTaxCode), kTaxCode, "Codice fiscale del vettore",
            Need::WhenNotEmpty);
    x.open("Anagrafica");
    c_.text("Denominazione", field(fpa::kCarrierName), kLatin80, "Denominazione del vettore");
    x.close("Anagrafica");
    x.close("DatiAnagraficiVettore");
    x.close("DatiTrasporto");
}

// --- lines and summary ---

// The code given to a line without one and without an amount: that of the first line
// with a code, else 1.
int FpaDocumentWriter::defaultCode() const {
    for (int n = 1; n <= LineTable::kLines; ++n) {
        const int code = d_.lines[n].vatCode;
        if (code >= 1 && code <= 24) return code;
    }
    return 1;
}

void FpaDocumentWriter::vatOfCode(int code, const std::string& label) {
    XmlLines& x = c_.xml();
    if (code <= 12) {
        c_.rate("AliquotaIVA", Val(d_.vat.rateText[static_cast<std::size_t>(code)]), label);
        if (d_.vat.withholdingOf(code) > 0) x.element("Ritenuta", "SI");
    } else {
        x.element("AliquotaIVA", "00.00");
        const std::string n = nature(code - 12);
        if (!n.empty()) x.element("Natura", n);
    }
}

namespace {
std::string Row(int n) {
    return "riga " + std::to_string(n);
}
}  // namespace

void FpaDocumentWriter::openLine(int n, int number, std::optional<double> quantity, double price) {
    const DocumentLine& l = d_.lines[n];
    XmlLines& x = c_.xml();
    const std::string row = Row(n);
    x.open("DettaglioLinee");
    x.element("NumeroLinea", std::to_string(number));
    c_.text("Descrizione", l.description, kLatin100, "Descrizione della " + row);
    if (quantity && exactLineNumbers())
        c_.exactQuantity("Quantita", *quantity, "Quantità della " + row);
    else if (quantity)
        c_.quantity("Quantita", *quantity, "Quantità della " + row);
    c_.text("UnitaMisura", l.unit, kBasic10, "Unità di misura della " + row, Need::WhenNotEmpty);
    if (exactLineNumbers())
        c_.exactUnitPrice("PrezzoUnitario", price, "Prezzo della " + row);
    else
        c_.unitPrice("PrezzoUnitario", price, "Prezzo della " + row);
}

void FpaDocumentWriter::discount(int n, int percent, std::optional<double> amount) {
    XmlLines& x = c_.xml();
    x.open("ScontoMaggiorazione");
    x.element("Tipo", percent > 0 ? "SC" : "MG");
    c_.rate("Percentuale", std::abs(percent), "Sconto della " + Row(n));
    if (amount) c_.amount("Importo", std::abs(*amount), "Sconto della " + Row(n));
    x.close("ScontoMaggiorazione");
}

void FpaDocumentWriter::closeLine(int n, double total, int code) {
    c_.total("PrezzoTotale", total, "Importo della " + Row(n));
    vatOfCode(code, "Aliquota IVA del codice " + std::to_string(code));
    lineManagementData(code);
    c_.xml().close("DettaglioLinee");
}

void FpaDocumentWriter::goodsAndServices() {
    XmlLines& x = c_.xml();
    x.open("DatiBeniServizi");
    const int fallback = defaultCode();
    int written = 0;
    for (int n = 1; n <= LineTable::kLines; ++n) {
        const DocumentLine& l = d_.lines[n];
        if (!Written(l)) continue;
        line(n, ++written, fallback);
    }
    if (written > 0 && d_.figures.stampDuty > 0) stampDutyLine(++written);
    if (written == 0) c_.problem("Il documento non ha righe");

    // Split payment: the public administration pays the VAT to the treasury ("S").
    const bool split = d_.everyCustomer && d_.everyCustomer->customer.splitPayment;
    const char* chargeability = split ? "S" : Trim(field(fpa::kDeferredVat)) == "1" ? "D" : "I";
    const std::vector<Summary> summaries = summariesOf();
    for (const Summary& g : summaries) {
        const std::string of = g.codes.size() == 1 ? "del codice " + std::to_string(g.codes[0])
                               : g.exempt          ? "della natura " + g.nature
                                                   : "dell'aliquota " + g.rate + "%";
        x.open("DatiRiepilogo");
        if (g.exempt) {
            x.element("AliquotaIVA", "00.00");
            if (!g.nature.empty()) x.element("Natura", g.nature);
        } else {
            c_.rate("AliquotaIVA", Val(g.rate), "Aliquota IVA " + of);
        }
        summaryRounding(g.codes, g.amount);
        c_.amount("ImponibileImporto", g.amount,
                  (g.exempt ? "Importo esente " : "Imponibile ") + of);
        if (g.exempt)
            x.element("Imposta", "0.00");
        else
            c_.amount("Imposta", g.tax, "Imposta " + of);
        x.element("EsigibilitaIVA", g.exempt && split ? "I" : chargeability);
        if (g.exempt)
            c_.text("RiferimentoNormativo", g.reference, kLatin100,
                    "Descrizione dell'esenzione " + std::to_string(g.codes[0] - 12),
                    Need::WhenNotEmpty);
        x.close("DatiRiepilogo");
    }
    if (written > 0 && summaries.empty()) c_.problem("Il documento non ha importi");
    x.close("DatiBeniServizi");
}

std::vector<FpaDocumentWriter::Summary> FpaDocumentWriter::summariesOf() {
    const VatBreakdown& b = d_.figures.breakdown;
    std::vector<Summary> summaries;
    // Adds the amounts of `code` to the summary of the same rate, or nature and reference (a
    // summary of its own when summaries are not merged).
    const auto add = [&](const Summary& key, int code, double amount, double tax) {
        auto g = std::find_if(summaries.begin(), summaries.end(), [&](const Summary& x) {
            return summaryPerRate() && x.exempt == key.exempt && x.rate == key.rate &&
                   x.nature == key.nature && x.reference == key.reference;
        });
        if (g == summaries.end()) g = summaries.insert(summaries.end(), key);
        g->codes.push_back(code);
        g->amount += amount;
        g->tax += tax;
    };
    for (int k = 1; k <= 12; ++k) {
        if (b[k][0] == 0) continue;
        Summary key;
        key.rate = XmlAmount(Val(d_.vat.rateText[k]));
        add(key, k, b[k][0], b[k][1]);
    }
    for (int e = 1; e <= 12; ++e) {
        if (b[e][2] == 0) continue;
        Summary key;
        key.exempt = true;
        key.nature = nature(e);
        key.reference = Trim(d_.tables.exemptions[e][0]);
        add(key, e + 12, b[e][2], 0);
    }
    return summaries;
}

void FpaDocumentWriter::payment() {
    XmlLines& x = c_.xml();
    x.open("DatiPagamento");
    c_.code("CondizioniPagamento", field(fpa::kPaymentCondition), {"TP01", "TP02", "TP03"},
            "Condizioni di pagamento");
    const std::string mode = Trim(field(fpa::kPaymentMode));
    int rows = 0;
    for (std::size_t i = 0; i < d_.dueAmounts.size(); ++i) {
        if (!(d_.dueAmounts[i] > 0)) continue;
        ++rows;
        const std::string row = std::to_string(i + 1) + "ª scadenza";
        x.open("DettaglioPagamento");
        c_.code("ModalitaPagamento", mode,
                {"MP01", "MP02", "MP03", "MP04", "MP05", "MP06", "MP07", "MP08", "MP09", "MP10",
                 "MP11", "MP12", "MP13", "MP14", "MP15", "MP16", "MP17"},
                "Modalità di pagamento");
        c_.date("DataScadenzaPagamento", d_.dueDates[i], "Data della " + row, Need::WhenNotEmpty);
        c_.amount("ImportoPagamento", d_.dueAmounts[i], "Importo della " + row);
        bankAccount(mode);
        x.close("DettaglioPagamento");
    }
    if (rows == 0) c_.problem("Scadenze di pagamento: nessuna scadenza ha un importo");
    x.close("DatiPagamento");
}

// The account of a payment by `mode`: a transfer is paid into the company's account; a
// Ri.Ba. is presented at the customer's bank (ABI and CAB); a direct debit draws on the
// customer's account under its mandate.
void FpaDocumentWriter::bankAccount(const std::string& mode) {
    const CustomerRecord& cu = d_.customer;
    if (mode == "MP05") {
        c_.text("IBAN", d_.companyIban, companyIbanRule(), "IBAN della ditta (qorvana-fe.ini)",
                Need::WhenNotEmpty);
    } else if (mode == "MP12") {
        c_.text("ABI", cu.text(cli::kAbi), kBankCode, "ABI della banca del cliente",
                Need::WhenNotEmpty);
        c_.text("CAB", cu.text(cli::kCab), kBankCode, "CAB della banca del cliente",
                Need::WhenNotEmpty);
    } else if (mode == "MP09" || mode == "MP10" || mode == "MP11" || mode == "MP19" ||
               mode == "MP20" || mode == "MP21") {
        // Written only when the customer's bank fields make exactly 27 characters.
        const std::string joined =
            Trim(PaddedText(cu, cli::kIbanPrefix) + PaddedText(cu, cli::kCin) +
                 PaddedText(cu, cli::kAbi) + PaddedText(cu, cli::kCab) +
                 PaddedText(cu, cli::kBankAccount));
        if (Utf8Length(joined) == 27 && IbanShape(joined))
            c_.text("IBAN", joined, kIban, "IBAN del cliente");
    }
}

}  // namespace qorvana::fpaxml
