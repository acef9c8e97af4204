// The checks of the exchange system on the parties of a FatturaPA file: the identifiers that
// the file alone proves wrong (length, check digit), the recipient's address, and the rules
// that tie the document type to the seller and the customer.

#include <algorithm>
#include <initializer_list>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "core/text.h"
#include "fatturapa/fpa_check_model.h"
#include "fatturapa/tax_ids.h"

namespace qorvana {
namespace {

using Findings = std::vector<FpaFinding>;

const std::string kRefused = ": il Sistema di Interscambio scarta il file. ";

void Report(Findings& out, const char* code, const std::string& message, const FpaText& at) {
    out.push_back({code, message, at.path, at.line});
}

bool IsOneOf(const FpaText& type, std::initializer_list<std::string_view> types) {
    return std::find(types.begin(), types.end(), type.value) != types.end();
}

bool IsItalian(const FpaTaxId& id) {
    return id.present && id.country.value == "IT";
}

// An Italian VAT number the exchange system will not find: `whose` names it ("del cedente").
void CheckVatNumber(const FpaTaxId& id, const char* code, const std::string& whose, Findings& out) {
    if (!IsItalian(id) || !id.code.present) return;
    const std::string fault = VatNumberFault(id.code.value);
    if (fault.empty()) return;
    Report(out, code,
           "la partita IVA " + whose + " \"" + id.code.value + "\" " + fault + kRefused +
               "Correggere la partita IVA " + whose,
           id.code);
}

void CheckTransmitter(const FpaDocument& doc, Findings& out) {  // 00300
    const FpaTaxId& id = doc.transmitter;
    if (!IsItalian(id) || !id.code.present) return;
    const std::string fault = TaxCodeFault(id.code.value);
    if (fault.empty()) return;
    Report(out, "00300",
           "il codice del trasmittente (IdTrasmittente) \"" + id.code.value + "\" " + fault +
               kRefused + "Indicare il codice fiscale di chi trasmette il file",
           id.code);
}

void CheckVatNumbers(const FpaDocument& doc, Findings& out) {  // 00301, 00303, 00305
    CheckVatNumber(doc.seller.vatId, "00301", "del cedente", out);
    for (const FpaParty& r : doc.representatives)
        CheckVatNumber(r.vatId, "00303", "del rappresentante fiscale", out);
    CheckVatNumber(doc.customer.vatId, "00305", "del cliente", out);
}

// The customer's tax code must be one the tax registry can hold: alone, it is looked up
// (00306); beside a VAT number, it must be the same subject's (00324, the code of that case
// rests on one source).
void CheckCustomerTaxCode(const FpaDocument& doc, Findings& out) {  // 00306, 00324
    const FpaParty& c = doc.customer;
    if (!c.present || !c.taxCode.present) return;
    const std::string fault = TaxCodeFault(c.taxCode.value);
    if (fault.empty()) return;
    Report(out, c.vatId.present ? "00324" : "00306",
           "il codice fiscale del cliente \"" + c.taxCode.value + "\" " + fault + kRefused +
               "Correggere il codice fiscale del cliente",
           c.taxCode);
}

// XXXXXXX is the recipient code of a customer abroad, who has a foreign VAT identifier.
void CheckForeignRecipientCode(const FpaDocument& doc, Findings& out) {  // 00313
    if (doc.recipientCode.value != "XXXXXXX" || !doc.customer.present) return;
    const FpaTaxId& vat = doc.customer.vatId;
    if (vat.present && vat.country.value != "IT") return;
    Report(out, "00313",
           std::string("CodiceDestinatario XXXXXXX è riservato ai clienti esteri, ma il cliente ") +
               (vat.present ? "ha una partita IVA italiana" : "non ha IdFiscaleIVA") + kRefused +
               "Indicare il codice destinatario del cliente (0000000 se non ne ha uno) o, per "
               "un cliente estero, il paese e l'identificativo IVA del suo stato",
           doc.recipientCode);
}

// sdi01@pec.fatturapa.it, sdi02@... : the exchange system's own mailboxes.
bool IsExchangeSystemMailbox(std::string_view typed) {
    const std::string address = LowerAscii(typed);
    constexpr std::string_view kDomain = "@pec.fatturapa.it";
    if (!address.starts_with("sdi") || !address.ends_with(kDomain)) return false;
    const std::string_view number =
        std::string_view(address).substr(3, address.size() - 3 - kDomain.size());
    return !number.empty() &&
           std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void CheckCertifiedEmail(const FpaDocument& doc, Findings& out) {  // 00330
    if (!doc.certifiedEmail.present || !IsExchangeSystemMailbox(doc.certifiedEmail.value)) return;
    Report(out, "00330",
           "PECDestinatario \"" + doc.certifiedEmail.value +
               "\" è una casella del Sistema di Interscambio, non del cliente" + kRefused +
               "Indicare l'indirizzo PEC del cliente",
           doc.certifiedEmail);
}

// Two documents of one file with the same type, number and date. The exchange system's
// criterion changed in 2025 and is not published in full: whatever it is, it holds such a
// pair for a duplicate.
void CheckDuplicateDocuments(const FpaDocument& doc, Findings& out) {  // 00409
    std::set<std::tuple<std::string, std::string, std::string>> seen;
    for (const FpaBody& b : doc.bodies) {
        if (seen.insert({b.documentType.value, b.number.value, b.date.value}).second) continue;
        Report(out, "00409",
               "il documento " + b.documentType.value + " numero \"" + b.number.value + "\" del " +
                   b.date.value +
                   " compare due volte nel file: togliere il doppione o correggerne il numero",
               b.number);
    }
}

void CheckCustomerIdentified(const FpaDocument& doc, Findings& out) {  // 00417
    const FpaParty& c = doc.customer;
    if (!c.present || c.vatId.present || c.taxCode.present) return;
    out.push_back({"00417",
                   "il cliente (CessionarioCommittente) non ha né partita IVA (IdFiscaleIVA) né "
                   "codice fiscale: indicare almeno uno dei due",
                   c.path, c.line});
}

// A credit note cannot be dated before the invoice it corrects.
void CheckCreditNoteDate(const FpaDocument& doc, Findings& out) {  // 00418
    for (const FpaBody& body : doc.bodies) {
        if (body.documentType.value != "TD04" || body.date.value.size() != 10) continue;
        for (const FpaText& linked : body.linkedInvoiceDates) {
            if (linked.value.size() != 10 || linked.value <= body.date.value) continue;
            Report(out, "00418",
                   "la nota di credito (TD04) del " + body.date.value +
                       " è anteriore alla fattura collegata del " + linked.value +
                       ": correggere la data della nota o quella in DatiFattureCollegate",
                   body.date);
        }
    }
}

bool SameVatId(const FpaTaxId& a, const FpaTaxId& b) {
    return a.country.value == b.country.value && a.code.value == b.code.value;
}

// Seller and customer the same subject or not, as the document type requires. Only two VAT
// identifiers can be compared offline; a customer known by tax code alone is looked up by
// the exchange system in the tax registry.
void CheckSameSubject(const FpaDocument& doc, Findings& out) {  // 00471, 00472
    const FpaTaxId& seller = doc.seller.vatId;
    const FpaTaxId& customer = doc.customer.vatId;
    if (!seller.present || !customer.present) return;
    for (const FpaBody& body : doc.bodies) {
        const FpaText& type = body.documentType;
        const bool same = SameVatId(seller, customer);
        if (same && IsOneOf(type, {"TD01", "TD02", "TD03", "TD06", "TD16", "TD17", "TD18", "TD19",
                                   "TD20", "TD24", "TD25", "TD28", "TD29"}))
            Report(out, "00471",
                   "con TipoDocumento " + type.value +
                       " cedente e cliente non possono essere lo stesso soggetto (stessa "
                       "partita IVA " +
                       customer.country.value + customer.code.value +
                       "): correggere la partita IVA del cliente o il tipo di documento",
                   type);
        if (!same && IsOneOf(type, {"TD21", "TD27"}))
            Report(out, "00472",
                   "con TipoDocumento " + type.value +
                       ", un'autofattura, cedente e cliente devono essere lo stesso soggetto: "
                       "indicare come cliente la partita IVA del cedente o correggere il tipo "
                       "di documento",
                   type);
    }
}

// The seller's country as the document type requires.
void CheckSellerCountry(const FpaDocument& doc, Findings& out) {  // 00473
    const FpaTaxId& seller = doc.seller.vatId;
    if (!seller.present || !seller.country.present) return;
    const std::string& country = seller.country.value;
    for (const FpaBody& body : doc.bodies) {
        const FpaText& type = body.documentType;
        std::string rule;
        if (IsOneOf(type, {"TD17", "TD18", "TD19"}) && country == "IT")
            rule = "il cedente deve essere estero";
        else if (type.value == "TD28" && country != "SM")
            rule = "il cedente deve essere di San Marino (SM)";
        else if (type.value == "TD29" && country != "IT")
            rule = "il cedente deve essere italiano (IT)";
        // OO (a seller with no country code) only for the integrations of TD17 and TD19: this
        // rests on the field notes of the agency's tabular format alone.
        else if (country == "OO" && !IsOneOf(type, {"TD17", "TD19"}))
            rule = "il paese OO del cedente è ammesso solo con TD17 e TD19";
        if (rule.empty()) continue;
        Report(out, "00473",
               "con TipoDocumento " + type.value + " " + rule + ", ma IdPaese del cedente è " +
                   country + ": correggere il paese del cedente o il tipo di documento",
               seller.country);
    }
}

void CheckNoZeroRateInTd21(const FpaDocument& doc, Findings& out) {  // 00474
    for (const FpaBody& body : doc.bodies) {
        if (body.documentType.value != "TD21") continue;
        for (const FpaLine& l : body.lines)
            if (l.rate.value && *l.rate.value == 0)
                out.push_back({"00474",
                               "l'autofattura per splafonamento (TD21) non può avere linee con "
                               "AliquotaIVA zero: indicare l'aliquota dell'imposta dovuta",
                               l.rate.path, l.rate.line});
    }
}

// Integrations, self-invoices and the like need the customer's VAT identifier.
void CheckCustomerVatIdNeeded(const FpaDocument& doc, Findings& out) {  // 00475
    if (!doc.customer.present || doc.customer.vatId.present) return;
    for (const FpaBody& body : doc.bodies) {
        const FpaText& type = body.documentType;
        if (!IsOneOf(type,
                     {"TD16", "TD17", "TD18", "TD19", "TD20", "TD22", "TD23", "TD28", "TD29"}))
            continue;
        Report(out, "00475",
               "con TipoDocumento " + type.value +
                   " il cliente deve avere la partita IVA (IdFiscaleIVA): indicarla o "
                   "correggere il tipo di documento",
               type);
    }
}

// At least one of seller and customer is Italian.
void CheckOneItalianParty(const FpaDocument& doc, Findings& out) {  // 00476
    const FpaTaxId& seller = doc.seller.vatId;
    const FpaTaxId& customer = doc.customer.vatId;
    if (!seller.country.present || !customer.country.present) return;
    if (seller.country.value == "IT" || customer.country.value == "IT") return;
    Report(out, "00476",
           "cedente (" + seller.country.value + ") e cliente (" + customer.country.value +
               ") sono entrambi esteri: una fattura elettronica ha almeno una parte italiana "
               "(IdPaese IT); correggere il paese",
           customer.country);
}

}  // namespace

void AddFpaPartyFindings(const FpaDocument& document, std::vector<FpaFinding>& out) {
    using Check = void (*)(const FpaDocument&, Findings&);
    static constexpr Check kChecks[] = {
        CheckTransmitter,          CheckVatNumbers,       CheckCustomerTaxCode,
        CheckForeignRecipientCode, CheckCertifiedEmail,   CheckDuplicateDocuments,
        CheckCustomerIdentified,   CheckCreditNoteDate,   CheckSameSubject,
        CheckSellerCountry,        CheckNoZeroRateInTd21, CheckCustomerVatIdNeeded,
        CheckOneItalianParty,
    };
    for (Check check : kChecks) check(document, out);
}

}  // namespace qorvana
