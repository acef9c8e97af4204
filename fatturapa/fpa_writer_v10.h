#pragma once
// The FatturaPA 1.0 XML of one document (transmission format SDI10). The file is composed in
// memory and every value is checked against its type in the 1.0 schema on the way, so that a
// document that cannot be written validly is refused, with what to correct, before any file
// is touched.

#include <array>
#include <string>
#include <vector>

#include "core/money.h"
#include "customers/customer_record.h"
#include "document/document_draft.h"
#include "document/document_math.h"
#include "document/line_table.h"
#include "fatturapa/fpa_record.h"
#include "fatturapa/fpa_tables.h"

namespace qorvana {

// What the e-invoice of a company that issues one to every customer adds (1.2.3 only).
struct EInvoiceDocument {
    EInvoiceCustomer customer;          // recipient code, PEC, split payment, foreign id
    std::vector<ImportedNote> notes;    // a DatiDDT each, with the lines carrying its number
    InvoiceReference correctedInvoice;  // DatiFattureCollegate, when its number is given
    bool stampDuty = false;             // DatiBollo: virtual stamp duty of 2,00
    bool chargeStampDuty = false;       // the company charges it to the customer
    int stampDutyEntry = 0;  // the exemption entry (nature N1) of the duty charged, 0 none
};

// The reason of a 1.2.x feature that the 1.0 format cannot carry, as the refusal names it:
// "Cassa previdenziale (DatiCassaPrevidenziale): si scrive solo nel formato 1.2.3 ...".
std::string OnlyInFormat123(const std::string& feature);

// What the writer reads: the seller's settings with the document's panel fields filled in
// (FillFpaRecord), the customer, the lines and their VAT breakdown (RecomputeDocument), and the
// instalments.
struct FpaWriterInput {
    const FpaRecord& record;
    const CustomerRecord& customer;
    const LineTable& lines;
    const DocumentFigures& figures;
    const VatTable& vat;
    const HeaderTables& tables;  // exemption natures and descriptions
    const Money& money;
    std::array<std::string, 6> dueDates{};  // "dd/mm/yyyy"
    std::array<double, 6> dueAmounts{};
    bool selfBilled = false;                          // the header's "Autofattura"
    bool vatInclusive = false;                        // prices include VAT (scorporo)
    const EInvoiceDocument* everyCustomer = nullptr;  // the company's e-invoices to everyone
    std::string companyIban{};  // the account a transfer is paid into (qorvana-fe.ini)
    // CausalePagamento as chosen, of one or two characters (the record's field holds one).
    std::string withholdingReason{};
    const PensionFund* fund = nullptr;  // the company's, for the document's fund line
};

struct FpaComposition {
    std::string xml;
    // What the operator must correct, one Italian line each; empty when the XML is valid.
    std::vector<std::string> problems;
};

FpaComposition ComposeFpaV10(const FpaWriterInput& document);

// The rate of the document's withholding: that of the last taxable code whose withholding
// value is above 0 and whose taxable amount is not 0; 0 when there is none.
double DocumentWithholdingRate(const DocumentFigures& figures, const VatTable& vat);
// The customer's country for the XML: its two-character field, trimmed and upper-cased;
// "IT" when that is not exactly two characters.
std::string CustomerCountry(const CustomerRecord& customer);

}  // namespace qorvana
