#include "fatturapa/fpa_writer_v12.h"

#include <array>
#include <cmath>

#include "document/einvoice_amounts.h"
#include "fatturapa/einvoice_terms.h"
#include "fatturapa/fpa_document_writer.h"

namespace qorvana {
namespace {

using namespace fpaxml;

constexpr TextRule kPaCode{XmlCharset::BasicLatin, 6, 6, UpperOrDigits, true};
constexpr TextRule kBusinessCode{XmlCharset::BasicLatin, 7, 7, UpperOrDigits, true};
constexpr TextRule kCertifiedEmail{XmlCharset::BasicLatin, 7, 256, EmailShape};

const char* const kNoRecipientCode = "0000000";

// A quantity or unit price as written, to eight decimals: the line total is computed from it.
double AsWritten(double value) {
    return std::round(value * 1e8) / 1e8;
}

class V12Writer : public FpaDocumentWriter {
  public:
    explicit V12Writer(const FpaWriterInput& d)
        : FpaDocumentWriter(d),
          recipient_(d.everyCustomer ? RecipientOf(d.customer, d.everyCustomer->customer)
                                     : Recipient{RecipientKind::Business, RecipientCode(d.customer),
                                                 d.customer.text(cli::kEmail)}),
          format_(recipient_.kind == RecipientKind::PublicAdministration || !d.everyCustomer
                      ? TransmissionFormat(recipient_.code)
                      : "FPR12") {}

  private:
    void prolog() override {
        writeProlog(format_, "http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2");
    }

    void transmission() override {
        XmlLines& x = c_.xml();
        x.open("DatiTrasmissione");
        transmitter();
        x.element("FormatoTrasmissione", format_);
        if (Trim(d_.customer.text(cli::kPaFlag)) == "1" &&
            !c_.empty(d_.customer.text(cli::kRecipientCodeSeventh)))
            recipientCodeTooLong(
                "il cliente è indicato come pubblica amministrazione, il cui codice ufficio ne ha "
                "6");
        c_.text("CodiceDestinatario", recipient_.code, format_ == "FPA12" ? kPaCode : kBusinessCode,
                "Codice destinatario del cliente (6 lettere o cifre per una pubblica "
                "amministrazione, 7 per un'impresa)");
        transmitterContacts();
        // Without a recipient code the exchange system delivers to the certified address.
        if (recipient_.code == kNoRecipientCode)
            c_.text("PECDestinatario", recipient_.pec, kCertifiedEmail,
                    d_.everyCustomer ? "Indirizzo PEC del cliente (dati fattura elettronica)"
                                     : "Indirizzo PEC del cliente (e-mail della scheda cliente)",
                    Need::WhenNotEmpty);
        x.close("DatiTrasmissione");
    }

    bool emptyContactsWritten() const override { return false; }
    bool summaryPerRate() const override { return true; }
    bool exactLineNumbers() const override { return true; }
    const TextRule& companyIbanRule() const override { return kAnyIban; }
    // RF03 was withdrawn; RF19 and RF20 came later.
    bool regimeAccepted(int regime) const override {
        return regime >= 1 && regime <= 20 && regime != 3;
    }

    std::string nature(int entry) override {
        const std::string& digits = d_.tables.exemptions[static_cast<std::size_t>(entry)][2];
        std::string n = NatureOfDigits(Trim(digits));
        if (n.empty())
            c_.problem("Natura dell'esenzione " + std::to_string(entry) + " (codice IVA " +
                       std::to_string(entry + 12) + "): le cifre \"" + Trim(digits) +
                       "\" della tabella esenzioni non indicano una natura (0, 11, 12, 21-26, "
                       "3, 4, 51-59, 6)");
        return n;
    }

    void documentTotals() override {
        if (d_.everyCustomer && d_.everyCustomer->stampDuty && d_.everyCustomer->chargeStampDuty &&
            d_.figures.stampDuty == 0)
            c_.problem(
                "Imposta di bollo a carico del cliente: nessuna esenzione della tabella ha natura "
                "N1 (esclusa dalla base imponibile, art. 15): aggiungerla per addebitare il bollo");
        if (d_.everyCustomer && d_.everyCustomer->stampDuty) {
            XmlLines& x = c_.xml();
            x.open("DatiBollo");
            x.element("BolloVirtuale", "SI");
            c_.amount("ImportoBollo", kStampDuty, "Imposta di bollo");
            x.close("DatiBollo");
        }
        fundContribution();
        c_.amount("ImportoTotaleDocumento", d_.figures.documentTotal, "Totale del documento");
    }

    // The pension fund's line as DatiCassaPrevidenziale: its contribution is taxed as a line of
    // its VAT code, in that code's summary.
    void fundContribution() {
        const int n = FundLineOf(d_.lines);
        if (n == 0) return;
        const std::string label = "Cassa previdenziale (riga " + std::to_string(n) + ")";
        if (!d_.fund || !d_.fund->active()) {
            c_.problem(label +
                       ": nelle impostazioni della ditta (qorvana-fe.ini) manca la cassa "
                       "previdenziale (cassa_tipo, cassa_aliquota, cassa_codice_iva)");
            return;
        }
        const DocumentLine& l = d_.lines[n];
        const int code = NormalisedVatCode(l.vatCode);
        const double amount = d_.money.RoundAmount(writtenPrice(l));
        XmlLines& x = c_.xml();
        x.open("DatiCassaPrevidenziale");
        x.element("TipoCassa", d_.fund->type);
        c_.rate("AlCassa", d_.fund->rate, label);
        c_.amount("ImportoContributoCassa", amount, label);
        c_.amount("ImponibileCassa",
                  FundBase(d_.lines, *d_.fund, d_.vat, d_.vatInclusive, d_.money), label);
        vatOfCode(code, label);
        x.close("DatiCassaPrevidenziale");
        lineTotals_[static_cast<std::size_t>(code)] += amount;
    }

    // A supply to a habitual exporter (N3.5) names the customer's declaration of intent: the
    // protocol of the Agenzia's receipt and its date.
    void lineManagementData(int code) override {
        if (code <= 12 || !d_.everyCustomer) return;
        const EInvoiceCustomer& customer = d_.everyCustomer->customer;
        const std::string& digits = d_.tables.exemptions[static_cast<std::size_t>(code - 12)][2];
        if (NatureOfDigits(Trim(digits)) != "N3.5" || customer.intentProtocol.empty()) return;
        XmlLines& x = c_.xml();
        x.open("AltriDatiGestionali");
        x.element("TipoDato", "INTENTO");
        c_.text("RiferimentoTesto", customer.intentProtocol, kLatin60,
                "Protocollo della dichiarazione d'intento (dati fattura elettronica)");
        c_.date("RiferimentoData", customer.intentDate,
                "Data della ricevuta della dichiarazione d'intento (dati fattura elettronica)",
                Need::Always);
        x.close("AltriDatiGestionali");
    }

    // The unit price as written: net of VAT when the document's prices include it, so that
    // the lines add up to the taxable amounts of the summaries.
    double writtenPrice(const DocumentLine& l) const {
        const int code = NormalisedVatCode(l.vatCode);
        if (!d_.vatInclusive || code > 12) return AsWritten(l.unitPrice);
        return AsWritten(l.unitPrice / ((100 + d_.vat.rateOf(code)) / 100));
    }

    void line(int n, int number, int defaultVatCode) override {
        const DocumentLine& l = d_.lines[n];
        const double quantity = AsWritten(LineQuantity(l));
        const double price = writtenPrice(l);
        openLine(n, number, quantity != 0 ? std::optional(quantity) : std::nullopt, price);
        // Each discount on the price as the one before left it (a negative one raises it).
        double discounted = price;
        for (int percent : {l.discount1, l.discount2}) {
            if (percent == 0) continue;
            discounted -= discounted * percent / 100;
            discount(n, percent, std::nullopt);
        }
        const double total = d_.money.RoundAmount(discounted * (quantity != 0 ? quantity : 1));
        const int code = LineVatCode(l, total, defaultVatCode);
        lineTotals_[static_cast<std::size_t>(code)] += total;
        closeLine(n, total, code);
    }

    // The stamp duty charged: an amount excluded from VAT (art. 15) of its N1 entry's code.
    void stampDutyLine(int number) override {
        const int code = d_.everyCustomer ? d_.everyCustomer->stampDutyEntry + 12 : 13;
        const std::string label = "Imposta di bollo";
        XmlLines& x = c_.xml();
        x.open("DettaglioLinee");
        x.element("NumeroLinea", std::to_string(number));
        x.element("Descrizione", label);
        c_.exactUnitPrice("PrezzoUnitario", d_.figures.stampDuty, label);
        c_.total("PrezzoTotale", d_.figures.stampDuty, label);
        vatOfCode(code, label);
        x.close("DettaglioLinee");
        lineTotals_[static_cast<std::size_t>(code)] += d_.figures.stampDuty;
    }

    // The cents by which the document's taxable amount of the codes differs from the sum of
    // their cent-rounded lines.
    void summaryRounding(const std::vector<int>& codes, double taxable) override {
        double lines = 0;
        for (int code : codes) lines += lineTotals_[static_cast<std::size_t>(code)];
        const double rounding = d_.money.RoundAmount(taxable - lines);
        if (rounding != 0)
            c_.amount("Arrotondamento", rounding,
                      "Arrotondamento del codice IVA " + std::to_string(codes.front()));
    }

    Recipient recipient_;
    std::string format_;
    std::array<double, 25> lineTotals_{};  // PrezzoTotale written, by VAT code
};

}  // namespace

FpaComposition ComposeFpaV12(const FpaWriterInput& document) {
    return V12Writer(document).compose();
}

std::string RecipientCode(const CustomerRecord& customer) {
    if (Trim(customer.text(cli::kPaFlag)) == "1")
        return UpperCase(Trim(customer.text(cli::kRecipientCode)));
    const std::string code = UpperCase(Trim(PaddedText(customer, cli::kRecipientCode) +
                                            customer.text(cli::kRecipientCodeSeventh)));
    return code.empty() ? kNoRecipientCode : code;
}

std::string TransmissionFormat(std::string_view recipientCode) {
    return recipientCode.size() == 6 ? "FPA12" : "FPR12";
}

std::string NatureOfDigits(std::string_view digits) {
    static const char* const kBare[] = {"N1", "N2", "N3", "N4", "N5", "N6", "N7"};
    if (digits.size() == 1 && digits[0] >= '0' && digits[0] <= '6') return kBare[digits[0] - '0'];
    if (digits.size() != 2) return {};
    const char kind = digits[0], detail = digits[1];
    const char last = kind == '1' ? '2' : kind == '2' ? '6' : kind == '5' ? '9' : '0';
    if (detail < '1' || detail > last) return {};
    return std::string(kBare[kind - '0']) + "." + detail;
}

std::string FileProgressive(int progressive) {
    constexpr int kLimit = 36 * 36 * 36 * 36 * 36;
    if (progressive < 1 || progressive >= kLimit) return {};
    std::string text(5, '0');
    for (int at = 4; progressive > 0; --at, progressive /= 36)
        text[static_cast<std::size_t>(at)] =
            "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"[progressive % 36];
    return text;
}

}  // namespace qorvana
