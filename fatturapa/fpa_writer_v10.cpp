#include "fatturapa/fpa_writer_v10.h"

#include <cmath>

#include "fatturapa/fpa_document_writer.h"

namespace qorvana {
namespace {

using namespace fpaxml;

// FatturaPA 1.0: transmission format SDI10, natures N1 to N5, every line with its quantity.
class V10Writer : public FpaDocumentWriter {
  public:
    using FpaDocumentWriter::FpaDocumentWriter;

  private:
    void prolog() override { writeProlog("1.0", "http://www.fatturapa.gov.it/sdi/fatturapa/v1.0"); }

    void transmission() override {
        XmlLines& x = c_.xml();
        x.open("DatiTrasmissione");
        transmitter();
        x.element("FormatoTrasmissione", "SDI10");
        c_.text("CodiceDestinatario", field(fpa::kRecipientCode), kRecipientCode,
                "Codice destinatario del cliente (6 lettere o cifre)");
        if (!c_.empty(d_.customer.text(cli::kRecipientCodeSeventh)))
            recipientCodeTooLong("la fatturaPA 1.0 ammette solo codici ufficio di 6 caratteri");
        transmitterContacts();
        x.close("DatiTrasmissione");
    }

    bool emptyContactsWritten() const override { return true; }
    bool format123() const override { return false; }

    // A fund line is written as DatiCassaPrevidenziale, which 1.0 does not know.
    void documentTotals() override {
        if (const int n = FundLineOf(d_.lines))
            c_.problem(OnlyInFormat123("Cassa previdenziale (DatiCassaPrevidenziale, riga " +
                                       std::to_string(n) + ")"));
    }
    bool regimeAccepted(int regime) const override { return regime >= 1 && regime <= 18; }

    // "N" + (nature index + 1) of an exemption entry; empty (with a problem) when outside N1..N5.
    std::string nature(int entry) override {
        const double n = Val(d_.tables.exemptions[static_cast<std::size_t>(entry)][2]) + 1;
        if (n >= 1 && n <= 5 && n == std::floor(n))
            return "N" + std::to_string(static_cast<int>(n));
        c_.problem("Natura dell'esenzione " + std::to_string(entry) + " (codice IVA " +
                   std::to_string(entry + 12) + "): deve essere tra N1 e N5");
        return {};
    }

    // Every line with its quantity ("0.00" for none); each discount with its amount on the
    // line's amount.
    void line(int n, int number, int defaultVatCode) override {
        const DocumentLine& l = d_.lines[n];
        const Money& money = d_.money;
        const double quantity = LineQuantity(l);
        double amount = quantity != 0 ? money.RoundAmount(l.unitPrice * quantity) : l.unitPrice;
        openLine(n, number, quantity, l.unitPrice);
        for (int percent : {l.discount1, l.discount2}) {
            if (percent == 0) continue;
            const double step = money.PercentOf(amount, percent);
            amount -= step;
            discount(n, percent, step);
        }
        closeLine(n, money.RoundAmount(amount), LineVatCode(l, amount, defaultVatCode));
    }
};

}  // namespace

FpaComposition ComposeFpaV10(const FpaWriterInput& document) {
    return V10Writer(document).compose();
}

std::string OnlyInFormat123(const std::string& feature) {
    return feature +
           ": si scrive solo nel formato 1.2.3 della fatturaPA; indicarlo nel file qorvana.fpv "
           "della ditta";
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
