#include "fatturapa/einvoice_terms.h"

#include <gtest/gtest.h>

#include <functional>

namespace qorvana {
namespace {

// What the start of a document tells about the customer's e-invoice data: a private person
// the card cannot name, a 6-character code the customer's e-invoices will not use.
TEST(EInvoiceTerms, TheDocumentsStartTellsWhatTheCustomerLacks) {
    struct Row {
        const char* name;
        std::function<void(CustomerRecord&, EInvoiceCustomer&)> change;
        std::vector<std::string> told;
    };
    const std::string office =
        "il codice destinatario \"UFH7Q2\" ha 6 caratteri, come il codice ufficio di una "
        "pubblica amministrazione, ma la scheda non indica il cliente come pubblica "
        "amministrazione: le sue fatture elettroniche non lo useranno (un'impresa ha un codice di "
        "7 caratteri)";
    const std::string names =
        "il nome e il cognome del cliente, persona fisica: la scheda non li distingue";
    const Row rows[] = {
        {"a business with its code", [](CustomerRecord&, EInvoiceCustomer&) {}, {}},
        {"an office code in the e-invoice data",
         [](CustomerRecord&, EInvoiceCustomer& d) { d.recipientCode = "ufh7q2"; },
         {office}},
        {"an office code on the card",
         [](CustomerRecord& c, EInvoiceCustomer&) {
             c.setText(cli::kRecipientCode, "UFH7Q2");
             c.setText(cli::kRecipientCodeSeventh, "");
         },
         {office}},
        {"an office code of a public administration",
         [](CustomerRecord& c, EInvoiceCustomer& d) {
             c.setText(cli::kPaFlag, "1");
             d.recipientCode = "UFH7Q2";
         },
         {}},
        {"a person on two lines that are not the tax code's",
         [](CustomerRecord& c, EInvoiceCustomer&) {
             c.setText(cli::kVatNumber, "");
             c.setText(cli::kName1, "MARIO ROSSI");
             c.setText(cli::kName2, "c/o Studio Bianchi");
         },
         {names}},
    };
    for (const Row& r : rows) {
        CustomerRecord c;
        c.setText(cli::kName1, "ROSSI IMPIANTI");
        c.setText(cli::kAddress, "Via Cavour 17");
        c.setText(cli::kTown, "Verona");
        c.setText(cli::kPostcode, "37121");
        c.setText(cli::kVatNumber, "02342520158");
        c.setText(cli::kTaxCode, "RSSMRA80A01L781K");
        c.setText(cli::kRecipientCode, "M5UXCR");
        c.setText(cli::kRecipientCodeSeventh, "1");
        EInvoiceCustomer data;
        r.change(c, data);
        EXPECT_EQ(MissingEInvoiceData(c, data), r.told) << r.name;
    }
}

}  // namespace
}  // namespace qorvana
