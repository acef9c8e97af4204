#include "fatturapa/fpa_writer_v10.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "fatturapa/xml_lines.h"
#include "fatturapa/xml_text.h"
#include "startup/cp1252.h"
#include "startup/numbers.h"
#include "startup/text.h"

namespace qorvana {
namespace {

using std::string_view;

// What a text element of the 1.0 schema accepts, after Keep text and trimming.
struct TextRule {
    XmlCharset charset;
    std::size_t minLength;
    std::size_t maxLength;
    bool (*accepts)(string_view value) = nullptr;
    bool upperCase = false;
};

bool AllOf(string_view v, bool (*ok)(char)) {
    for (char c : v)
        if (!ok(c)) return false;
    return true;
}
bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsUpperOrDigit(char c) {
    return IsUpper(c) || IsDigit(c);
}
bool IsAlnum(char c) {
    return IsUpperOrDigit(c) || (c >= 'a' && c <= 'z');
}
bool UpperLetters(string_view v) {
    return AllOf(v, IsUpper);
}
bool Digits(string_view v) {
    return AllOf(v, IsDigit);
}
bool UpperOrDigits(string_view v) {
    return AllOf(v, IsUpperOrDigit);
}
// EmailType: ".+@.+[.]+.+".
bool EmailShape(string_view v) {
    const auto at = v.find('@', 1);
    const auto dot = v.size() < 2 ? string_view::npos : v.rfind('.', v.size() - 2);
    return at != string_view::npos && dot != string_view::npos && dot >= at + 2;
}
// IBANType: two letters, two digits, then letters and digits.
bool IbanShape(string_view v) {
    return v.size() >= 4 &&
           AllOf(v.substr(0, 2), [](char c) { return IsAlnum(c) && !IsDigit(c); }) &&
           Digits(v.substr(2, 2)) && AllOf(v.substr(4), IsAlnum);
}

constexpr TextRule kLatin60{XmlCharset::Latin1, 1, 60};
constexpr TextRule kLatin80{XmlCharset::Latin1, 1, 80};
constexpr TextRule kLatin100{XmlCharset::Latin1, 1, 100};
constexpr TextRule kBasic10{XmlCharset::BasicLatin, 1, 10};
constexpr TextRule kBasic15{XmlCharset::BasicLatin, 1, 15};
constexpr TextRule kBasic20{XmlCharset::BasicLatin, 1, 20};
constexpr TextRule kIdCode{XmlCharset::Latin1, 1, 28};
constexpr TextRule kCountry{XmlCharset::BasicLatin, 2, 2, UpperLetters, true};
constexpr TextRule kProvince{XmlCharset::BasicLatin, 2, 2, UpperLetters, true};
constexpr TextRule kPostcode{XmlCharset::BasicLatin, 5, 5, Digits};
constexpr TextRule kRecipientCode{XmlCharset::BasicLatin, 6, 6, UpperOrDigits, true};
constexpr TextRule kTaxCode{XmlCharset::BasicLatin, 11, 16, UpperOrDigits, true};
constexpr TextRule kPhone{XmlCharset::BasicLatin, 5, 12};
constexpr TextRule kEmail{XmlCharset::Latin1, 7, 256, EmailShape};
constexpr TextRule kIban{XmlCharset::BasicLatin, 27, 27, IbanShape};

enum class Need { Always, WhenNotEmpty };

const char* const kWithholdingRequest =
    "Ritenuta d'acconto: scegliere nel riepilogo dati fatturaPA il tipo di ritenuta (RT01 o "
    "RT02) e la causale del pagamento";

// Composes the XML and collects what keeps it from being valid.
class Composer {
  public:
    explicit Composer(std::size_t expectedSize) : xml_(expectedSize) {}

    XmlLines& xml() { return xml_; }
    std::vector<std::string>& problems() { return problems_; }
    void problem(std::string text) { problems_.push_back(std::move(text)); }

    // True when the stored text is empty after Keep text and trimming.
    bool empty(string_view stored) {
        value(stored, XmlCharset::Latin1, false);
        return scratch_.empty();
    }

    void text(string_view tag, string_view stored, const TextRule& rule, string_view label,
              Need need = Need::Always) {
        value(stored, rule.charset, rule.upperCase);
        const std::size_t length = XmlLength(scratch_);
        if (length == 0) {
            if (need == Need::Always) problem(std::string(label) + ": manca");
            return;
        }
        if (length > rule.maxLength) {
            problem(std::string(label) + ": \"" + scratch_ + "\" è troppo lungo (al massimo " +
                    std::to_string(rule.maxLength) + " caratteri)");
            return;
        }
        if (length < rule.minLength || (rule.accepts && !rule.accepts(scratch_))) {
            problem(std::string(label) + ": \"" + scratch_ + "\" non è valido");
            return;
        }
        xml_.elementText(tag, scratch_);
    }

    // A code that must be one of `allowed`.
    void code(string_view tag, string_view stored, std::initializer_list<string_view> allowed,
              string_view label) {
        value(stored, XmlCharset::BasicLatin, false);
        for (string_view a : allowed)
            if (scratch_ == a) {
                xml_.element(tag, scratch_);
                return;
            }
        problem(std::string(label) +
                (scratch_.empty() ? ": manca" : ": \"" + scratch_ + "\" non è valido"));
    }

    // Amount2DecimalType: at most 11 integer digits.
    void amount(string_view tag, double v, string_view label) {
        number(tag, v, 2, label, true, 11);
    }
    // Amount8DecimalType, written with eight decimals.
    void unitPrice(string_view tag, double v, string_view label) {
        number(tag, v, 8, label, true, 11);
    }
    // An Amount8DecimalType total, written with two decimals.
    void total(string_view tag, double v, string_view label) { number(tag, v, 2, label, true, 11); }
    // QuantitaType: not negative, at most 18 integer digits.
    void quantity(string_view tag, double v, string_view label) {
        number(tag, v, 2, label, false, 18);
    }
    // RateType: 0.00 to 100.00.
    void rate(string_view tag, double v, string_view label) {
        const std::string text = XmlAmount(v);
        if (!std::isfinite(v) || text.front() == '-' || Val(text) > 100) {
            problem(std::string(label) + ": " + PlainNumberText(v) +
                    " non è una percentuale valida (da 0 a 100)");
            return;
        }
        xml_.element(tag, text);
    }

    void date(string_view tag, string_view ddmmyyyy, string_view label, Need need) {
        const std::string stored = Trim(ddmmyyyy);
        if (stored.empty()) {
            if (need == Need::Always) problem(std::string(label) + ": manca");
            return;
        }
        const auto iso = XmlDate(stored);
        if (!iso) {
            problem(std::string(label) + ": \"" + stored + "\" non è una data valida");
            return;
        }
        xml_.element(tag, *iso);
    }

  private:
    void value(string_view stored, XmlCharset charset, bool upperCase) {
        scratch_.clear();
        AppendXmlValue(scratch_, stored, charset);
        const auto first = scratch_.find_first_not_of(' ');
        if (first == std::string::npos) {
            scratch_.clear();
            return;
        }
        scratch_.erase(scratch_.find_last_not_of(' ') + 1);
        scratch_.erase(0, first);
        if (upperCase)
            for (char& c : scratch_)
                if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }

    void number(string_view tag, double v, int decimals, string_view label, bool negativeAllowed,
                std::size_t integerDigits) {
        const std::string text = XmlDecimal(v, decimals);
        const bool negative = text.front() == '-';
        const std::size_t digits = text.find('.') - (negative ? 1 : 0);
        if (!std::isfinite(v) || (negative && !negativeAllowed) || digits > integerDigits) {
            problem(std::string(label) + ": " + PlainNumberText(v) +
                    (negative && !negativeAllowed ? " non può essere negativo"
                                                  : " non è un importo valido"));
            return;
        }
        xml_.element(tag, text);
    }

    XmlLines xml_;
    std::vector<std::string> problems_;
    std::string scratch_;
};

// The stored text of a fixed-width field padded with blanks to its width, as the field
// stands in the record.
std::string PaddedText(const CustomerRecord& r, Field f) {
    std::string text = r.text(f);
    const std::size_t length = Utf8Length(text);
    if (length < f.width) text.append(f.width - length, ' ');
    return text;
}

class V10Writer {
  public:
    explicit V10Writer(const FpaWriterInput& d) : d_(d), r_(d.record), c_(ExpectedSize(d)) {}

    FpaComposition compose() {
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

  private:
    static std::size_t ExpectedSize(const FpaWriterInput& d) {
        return 8192 + static_cast<std::size_t>(d.lines.lastUsed()) * 700;
    }

    std::string field(Field f) const { return r_.text(f); }

    void prolog() {
        XmlLines& x = c_.xml();
        x.raw(R"(<?xml version="1.0" encoding="UTF-8"?>)");
        x.raw(R"(<p:FatturaElettronica versione="1.0")");
        x.raw(R"(xmlns:ds="http://www.w3.org/2000/09/xmldsig#" )"
              R"(xmlns:p="http://www.fatturapa.gov.it/sdi/fatturapa/v1.0" )"
              R"(xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">)");
        x.enter();
    }

    void header() {
        XmlLines& x = c_.xml();
        x.open("FatturaElettronicaHeader");
        x.open("DatiTrasmissione");
        x.open("IdTrasmittente");
        c_.text("IdPaese", field(fpa::kTransmitterCountry), kCountry,
                "Paese del trasmittente (impostazioni fatturaPA)");
        c_.text("IdCodice", field(fpa::kTransmitterId), kIdCode,
                "Codice del trasmittente (impostazioni fatturaPA)");
        x.close("IdTrasmittente");
        c_.text("ProgressivoInvio", field(fpa::kProgressive), kBasic10, "Progressivo invio");
        x.element("FormatoTrasmissione", "SDI10");
        c_.text("CodiceDestinatario", field(fpa::kRecipientCode), kRecipientCode,
                "Codice destinatario del cliente (6 lettere o cifre)");
        x.open("ContattiTrasmittente");
        c_.text("Telefono", field(fpa::kSellerPhone), kPhone,
                "Telefono del cedente (impostazioni fatturaPA)", Need::WhenNotEmpty);
        c_.text("Email", field(fpa::kSellerEmail), kEmail,
                "E-mail del cedente (impostazioni fatturaPA)", Need::WhenNotEmpty);
        x.close("ContattiTrasmittente");
        x.close("DatiTrasmissione");

        seller();
        customer();
        // "CC" declares that the customer issued the invoice itself.
        if (d_.selfBilled) x.element("SoggettoEmittente", "CC");
        x.close("FatturaElettronicaHeader");
    }

    void seller() {
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
        if (regime >= 1 && regime <= 18 && regime == std::floor(regime)) {
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
        if (!c_.empty(field(fpa::kEstablishmentAddress)) ||
            !c_.empty(field(fpa::kEstablishmentTown)))
            address("StabileOrganizzazione", fpa::kEstablishmentAddress,
                    fpa::kEstablishmentPostcode, fpa::kEstablishmentTown,
                    fpa::kEstablishmentProvince, fpa::kEstablishmentCountry,
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
    void address(const char* tag, Field street, Field postcode, Field town, Field province,
                 Field country, const std::string& of) {
        XmlLines& x = c_.xml();
        x.open(tag);
        const std::string where = " (impostazioni fatturaPA)";
        c_.text("Indirizzo", field(street), kLatin60, "Indirizzo " + of + where);
        c_.text("CAP", field(postcode), kPostcode, "CAP " + of + where);
        c_.text("Comune", field(town), kLatin60, "Comune " + of + where);
        c_.text("Provincia", field(province), kProvince, "Provincia " + of + where,
                Need::WhenNotEmpty);
        const std::string nation = field(country);
        c_.text("Nazione", c_.empty(nation) ? "IT" : nation, kCountry, "Nazione " + of + where);
        x.close(tag);
    }

    void companyRegister() {
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

    // The share capital as stored: "50000.00", or typed the Italian way ("50.000,00").
    static double ShareCapital(const std::string& text) {
        const auto dot = text.find('.');
        const bool plain = text.find(',') == std::string::npos && dot != std::string::npos &&
                           dot + 3 == text.size();
        return plain ? Val(text) : ParseNumber(text);
    }

    void customer() {
        XmlLines& x = c_.xml();
        const CustomerRecord& cu = d_.customer;
        const std::string country = CustomerCountry(cu);
        x.open("CessionarioCommittente");
        x.open("DatiAnagrafici");
        if (!c_.empty(cu.text(cli::kVatNumber))) {
            x.open("IdFiscaleIVA");
            c_.text("IdPaese", country, kCountry, "Nazione del cliente");
            c_.text("IdCodice", cu.text(cli::kVatNumber), kIdCode, "Partita IVA del cliente");
            x.close("IdFiscaleIVA");
        }
        c_.text("CodiceFiscale", cu.text(cli::kTaxCode), kTaxCode, "Codice fiscale del cliente",
                Need::WhenNotEmpty);
        x.open("Anagrafica");
        c_.text("Denominazione", cu.text(cli::kName1), kLatin80, "Ragione sociale del cliente");
        x.close("Anagrafica");
        x.close("DatiAnagrafici");
        x.open("Sede");
        c_.text("Indirizzo", cu.text(cli::kAddress), kLatin60, "Indirizzo del cliente");
        c_.text("CAP", cu.text(cli::kPostcode), kPostcode, "CAP del cliente");
        c_.text("Comune", cu.text(cli::kTown), kLatin60, "Comune del cliente");
        c_.text("Nazione", country, kCountry, "Nazione del cliente");
        x.close("Sede");
        x.close("CessionarioCommittente");
    }

    void generalData() {
        XmlLines& x = c_.xml();
        x.open("DatiGenerali");
        x.open("DatiGeneraliDocumento");
        c_.code("TipoDocumento", field(fpa::kDocumentType),
                {"TD01", "TD02", "TD03", "TD04", "TD05", "TD06"}, "Tipo documento");
        x.element("Divisa", "EUR");
        c_.date("Data", field(fpa::kDocumentDate), "Data del documento", Need::Always);
        c_.text("Numero", field(fpa::kDocumentNumber), kBasic20, "Numero del documento");
        withholding();
        if (Trim(field(fpa::kArt73)) == "1") x.element("Art73", "SI");
        x.close("DatiGeneraliDocumento");

        reference("DatiOrdineAcquisto", fpa::kOrderId, fpa::kOrderDate, fpa::kOrderItem,
                  fpa::kOrderJobCode, "dell'ordine di acquisto");
        reference("DatiContratto", fpa::kContractId, fpa::kContractDate, fpa::kContractItem,
                  fpa::kContractJobCode, "del contratto");
        reference("DatiConvenzione", fpa::kConventionId, fpa::kConventionDate, fpa::kConventionItem,
                  fpa::kConventionJobCode, "della convenzione");
        reference("DatiRicezione", fpa::kReceptionId, fpa::kReceptionDate, fpa::kReceptionItem,
                  fpa::kReceptionJobCode, "della ricezione");

        if (Val(field(fpa::kDdtNumber)) > 0) {
            x.open("DatiDDT");
            c_.text("NumeroDDT", field(fpa::kDdtNumber), kBasic20, "Numero del DDT");
            c_.date("DataDDT", field(fpa::kDdtDate), "Data del DDT", Need::Always);
            x.close("DatiDDT");
        } else if (!c_.empty(field(fpa::kCarrierName))) {
            carrier();
        }
        x.close("DatiGenerali");
    }

    void withholding() {
        const std::string type = Trim(field(fpa::kWithholdingType));
        if (type.empty()) return;
        if (type == "RT00" || c_.empty(field(fpa::kWithholdingReason))) {
            c_.problem(kWithholdingRequest);
            return;
        }
        XmlLines& x = c_.xml();
        x.open("DatiRitenuta");
        c_.code("TipoRitenuta", type, {"RT01", "RT02"}, "Tipo di ritenuta");
        c_.amount("ImportoRitenuta", Val(field(fpa::kWithholdingAmount)), "Importo della ritenuta");
        c_.rate("AliquotaRitenuta", Val(field(fpa::kWithholdingRate)), "Aliquota della ritenuta");
        c_.code("CausalePagamento", field(fpa::kWithholdingReason),
                {"A", "B", "C", "D", "E", "F", "G", "H", "I", "L", "M", "N",
                 "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"},
                "Causale del pagamento della ritenuta");
        x.close("DatiRitenuta");
    }

    void reference(const char* tag, Field id, Field date, Field item, Field job,
                   const std::string& of) {
        if (c_.empty(field(id))) return;
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
    }

    void carrier() {
        XmlLines& x = c_.xml();
        x.open("DatiTrasporto");
        x.open("DatiAnagraficiVettore");
        x.open("IdFiscaleIVA");
        c_.text("IdPaese", field(fpa::kCarrierCountry), kCountry, "Paese del vettore");
        c_.text("IdCodice", field(fpa::kCarrierId), kIdCode, "Partita IVA del vettore");
        x.close("IdFiscaleIVA");
        c_.text("CodiceFiscale", field(fpa::kCarrierTaxCode), kTaxCode,
                "Codice fiscale del vettore", Need::WhenNotEmpty);
        x.open("Anagrafica");
        c_.text("Denominazione", field(fpa::kCarrierName), kLatin80, "Denominazione del vettore");
        x.close("Anagrafica");
        x.close("DatiAnagraficiVettore");
        x.close("DatiTrasporto");
    }

    // --- lines and summary ---

    // The code given to a line without one and without an amount: that of the first line
    // with a code, else 1.
    int defaultCode() const {
        for (int n = 1; n <= LineTable::kLines; ++n) {
            const int code = d_.lines[n].vatCode;
            if (code >= 1 && code <= 24) return code;
        }
        return 1;
    }

    // "N" + (nature index + 1) of an exemption entry; empty (with a problem) when outside N1..N5.
    std::string nature(int entry) {
        const double n = Val(d_.tables.exemptions[static_cast<std::size_t>(entry)][2]) + 1;
        if (n >= 1 && n <= 5 && n == std::floor(n))
            return "N" + std::to_string(static_cast<int>(n));
        c_.problem("Natura dell'esenzione " + std::to_string(entry) + " (codice IVA " +
                   std::to_string(entry + 12) + "): deve essere tra N1 e N5");
        return {};
    }

    void vatOfCode(int code, const std::string& label) {
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

    void line(int n, int number, int defaultVatCode) {
        const DocumentLine& l = d_.lines[n];
        const Money& money = d_.money;
        XmlLines& x = c_.xml();
        const std::string row = "riga " + std::to_string(n);
        // The quantity marker -9999 counts as no quantity, as in the document's arithmetic.
        const double quantity = l.quantity == -9999 ? 0 : l.quantity;
        double amount = quantity != 0 ? money.RoundAmount(l.unitPrice * quantity) : l.unitPrice;

        x.open("DettaglioLinee");
        x.element("NumeroLinea", std::to_string(number));
        c_.text("Descrizione", l.description, kLatin100, "Descrizione della " + row);
        c_.quantity("Quantita", quantity, "Quantità della " + row);
        c_.text("UnitaMisura", l.unit, kBasic10, "Unità di misura della " + row,
                Need::WhenNotEmpty);
        c_.unitPrice("PrezzoUnitario", l.unitPrice, "Prezzo della " + row);
        for (int percent : {l.discount1, l.discount2}) {
            if (percent == 0) continue;
            const double step = money.PercentOf(amount, percent);
            amount -= step;
            x.open("ScontoMaggiorazione");
            x.element("Tipo", percent > 0 ? "SC" : "MG");
            c_.rate("Percentuale", std::abs(percent), "Sconto della " + row);
            c_.amount("Importo", std::abs(step), "Sconto della " + row);
            x.close("ScontoMaggiorazione");
        }
        c_.total("PrezzoTotale", money.RoundAmount(amount), "Importo della " + row);
        const int code =
            l.vatCode == 0 && amount == 0 ? defaultVatCode : NormalisedVatCode(l.vatCode);
        vatOfCode(code, "Aliquota IVA del codice " + std::to_string(code));
        x.close("DettaglioLinee");
    }

    void goodsAndServices() {
        XmlLines& x = c_.xml();
        x.open("DatiBeniServizi");
        const int fallback = defaultCode();
        int written = 0;
        for (int n = 1; n <= LineTable::kLines; ++n) {
            const DocumentLine& l = d_.lines[n];
            if (Trim(l.description).empty() && l.unitPrice == 0 && l.quantity == 0) continue;
            line(n, ++written, fallback);
        }
        if (written == 0) c_.problem("Il documento non ha righe");

        const char* chargeability = Trim(field(fpa::kDeferredVat)) == "1" ? "D" : "I";
        const VatBreakdown& b = d_.figures.breakdown;
        int summaries = 0;
        for (int k = 1; k <= 12; ++k) {
            if (b[k][0] == 0) continue;
            ++summaries;
            x.open("DatiRiepilogo");
            c_.rate("AliquotaIVA", Val(d_.vat.rateText[k]),
                    "Aliquota IVA del codice " + std::to_string(k));
            c_.amount("ImponibileImporto", b[k][0], "Imponibile del codice " + std::to_string(k));
            c_.amount("Imposta", b[k][1], "Imposta del codice " + std::to_string(k));
            x.element("EsigibilitaIVA", chargeability);
            x.close("DatiRiepilogo");
        }
        for (int e = 1; e <= 12; ++e) {
            if (b[e][2] == 0) continue;
            ++summaries;
            x.open("DatiRiepilogo");
            x.element("AliquotaIVA", "00.00");
            const std::string n = nature(e);
            if (!n.empty()) x.element("Natura", n);
            c_.amount("ImponibileImporto", b[e][2],
                      "Importo esente del codice " + std::to_string(e + 12));
            x.element("Imposta", "0.00");
            x.element("EsigibilitaIVA", chargeability);
            c_.text("RiferimentoNormativo", d_.tables.exemptions[e][0], kLatin100,
                    "Descrizione dell'esenzione " + std::to_string(e), Need::WhenNotEmpty);
            x.close("DatiRiepilogo");
        }
        if (written > 0 && summaries == 0) c_.problem("Il documento non ha importi");
        x.close("DatiBeniServizi");
    }

    void payment() {
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
            c_.date("DataScadenzaPagamento", d_.dueDates[i], "Data della " + row,
                    Need::WhenNotEmpty);
            c_.amount("ImportoPagamento", d_.dueAmounts[i], "Importo della " + row);
            if (mode == "MP05") iban();
            x.close("DettaglioPagamento");
        }
        if (rows == 0) c_.problem("Scadenze di pagamento: nessuna scadenza ha un importo");
        x.close("DatiPagamento");
    }

    // The customer's IBAN, written only when its bank fields make exactly 27 characters.
    void iban() {
        const CustomerRecord& cu = d_.customer;
        const std::string joined =
            Trim(PaddedText(cu, cli::kIbanPrefix) + PaddedText(cu, cli::kCin) +
                 PaddedText(cu, cli::kAbi) + PaddedText(cu, cli::kCab) +
                 PaddedText(cu, cli::kBankAccount));
        if (Utf8Length(joined) == 27 && IbanShape(joined)) c_.text("IBAN", joined, kIban, "IBAN");
    }

    const FpaWriterInput& d_;
    const FpaRecord& r_;
    Composer c_;
};

}  // namespace

FpaComposition ComposeFpaV10(const FpaWriterInput& document) {
    return V10Writer(document).compose();
}

double DocumentWithholdingRate(const DocumentFigures& figures, const VatTable& vat) {
    double rate = 0;
    for (int k = 1; k <= 12; ++k)
        if (vat.withholdingOf(k) > 0 && figures.breakdown[k][0] != 0) rate = vat.withholdingOf(k);
    return rate;
}

std::string CustomerCountry(const CustomerRecord& customer) {
    const std::string country = UpperCase(Trim(customer.text(cli::kVatPrefix)));
    return Utf8Length(country) == 2 ? country : "IT";
}

}  // namespace qorvana
