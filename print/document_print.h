#pragma once
// Page composition of an issued document: the layout items of qorvana.lyf placed with the
// document's texts, lines and figures, over the form drawing of qorvana.lkf, as pages of
// drawing operations that the printer and the print image both consume.

#include <array>
#include <optional>
#include <string>

#include "core/money.h"
#include "core/session_codes.h"
#include "document/document_draft.h"
#include "document/document_math.h"
#include "document/line_table.h"
#include "print/form_drawing.h"
#include "print/print_page.h"
#include "print/print_settings.h"

namespace qorvana {

// The document's entries that the layout items print, as texts.
struct PrintedEntries {
    // Items 18..32: name lines 1 and 2, address, postcode, town, VAT number, tax code,
    // administrative office heading lines 1 and 2, its address, postcode and town,
    // telephones 1 to 3.
    std::array<std::string, 15> customer{};
    std::string number;        // as typed
    std::string documentDate;  // "dd/mm/yyyy"
    bool numberWithYear = false;
    std::string packages;
    std::string weight;
    std::string goodsAppearance;
    std::string bankCoordinates;
    std::string email;
    std::string customerNote;  // item 51
    int shippedBy = 0;         // 0 sender, 1 addressee, 2 carrier
    std::array<std::string, 3> carrier{};
    std::string transportDate;
    std::string transportTime;
    // Items 48 and 49: the start form's first two transport entries (delivery note, order).
    std::array<std::string, 2> transportReferences{};
    std::string paymentTerms;
    std::array<double, 4> dueAmounts{};
    std::array<std::string, 4> dueDates{};
    bool vatOnPayment = false;  // esig
    std::array<std::string, 2> notes{};
    DocumentKind documentKind = DocumentKind::Invoice;
    int fpaState = -1;
    std::string fpaDocumentType;
    // The e-invoices to every customer: the paper is a courtesy copy of the file (item 81),
    // split payment (item 17) and the virtual stamp duty (item 33) are noted, and the net to
    // pay (item 71) is what the customer pays.
    bool courtesyCopy = false;
    InvoiceReference correctedInvoice;  // a credit note's: named by its courtesy copy
    bool splitPayment = false;
    bool stampDuty = false;
    std::optional<double> amountDue;
};

struct DocumentToPrint {
    PrintedEntries entries;
    const LineTable* lines = nullptr;
    DocumentFigures figures;
};

struct DocumentDraft;
class DataFiles;

// What the printed document shows, from the draft of the document being issued; the
// customer's texts (items 18 to 32, bank co-ordinates, e-mail, item 51, the notes) from
// the draft's customer record in `files`; `numberWithYear` is the general settings' switch.
// The lines stay the draft's own.
DocumentToPrint DocumentToPrintOf(const DocumentDraft& draft, const DataFiles& files,
                                  const Money& money, bool numberWithYear);

// The customer's bank co-ordinates: the five parts trimmed and joined with "."; empty when
// every part is empty.
std::string BankCoordinates(const std::array<std::string, 5>& parts);

// Rows of document lines on one page: |first three digits of item 86 - those of item 85|.
int RowsPerPage(const PrintSettings& settings);
// Pages of a document of `lines` lines; one page when no rows fit on a page.
int PageCount(int lines, int rowsPerPage);

// Every page of the document, in order.
// The VAT table (the company's) gives the rate, exemption and withholding texts.
PrintedDocument ComposeDocument(const DocumentToPrint& doc, const PrintSettings& settings,
                                const VatTable& vat, const FormDrawing& form, const Money& money,
                                const TextWidth& width);

// What the operator is told when the document's VAT or outside-VAT summary has rows beyond
// the layout's third (items 60 to 77 place three) that fall, on `lastPage` as composed, on
// another text of the page or out of the form-drawing box that holds the third row: the
// rows are printed there all the same. Empty when they fit.
std::string SummaryRowsWarning(const DocumentToPrint& doc, const PrintSettings& settings,
                               const VatTable& vat, const PrintPage& lastPage, const Money& money,
                               const TextWidth& width);

}  // namespace qorvana
