#include "fatturapa/einvoice_terms.h"

#include <gtest/gtest.h>

namespace qorvana {
namespace {

using Told = std::vector<std::string>;

// What the start of a document tells about the customer's e-invoice data: a 6-character code
// carried on a business's card, which its e-invoices will not use; a private person on two name
// lines that are not the tax code's. (A code typed in the e-invoice data, a business's own code,
// an administration's office code, a missing postcode and a one-line name: einvoices_all.qrs.)
TEST(EInvoiceTerms, TheDocumentsStartTellsWhatTheCustomerLacks) {
    CustomerRecord c;
    c.setText(cli::kName1, "ROSSI IMPIANTI");
    c.setText(cli::kAddress, "Via Cavour 17");
    c.setText(cli::kTown, "Verona");
    c.setText(cli::kPostcode, "37121");
    c.setText(cli::kVatNumber, "02342520158");
    c.setText(cli::kTaxCode, "RSSMRA80A01L781K");
    c.setText(cli::kRecipientCode, "UFH7Q2");
    EXPECT_EQ(MissingEInvoiceData(c, {}),
              Told{"il codice destinatario \"UFH7Q2\" ha 6 caratteri, come il codice ufficio di "
                   "una pubblica amministrazione, ma la scheda non indica il cliente come "
                   "pubblica amministrazione: le sue fatture elettroniche non lo useranno "
                   "(un'impresa ha un codice di 7 caratteri)"});
    c.setText(cli::kRecipientCodeSeventh, "1");
    c.setText(cli::kVatNumber, "");
    c.setText(cli::kName1, "MARIO ROSSI");
    c.setText(cli::kName2, "c/o Studio Bianchi");
    EXPECT_EQ(MissingEInvoiceData(c, {}),
              Told{"il nome e il cognome del cliente, persona fisica: la scheda non li distingue"});
}

}  // namespace
}  // namespace qorvana
