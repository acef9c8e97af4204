#pragma once
// The body form's print loop: the question, one copy on the printer and in the print image
// per "Stampa altra copia", and the printed flag that the PDF hand-off follows.

#include <string>
#include <string_view>

#include "forms/print/pdf_jobs_form.h"
#include "print/document_print.h"
#include "print/pdf_handoff.h"

class QPrinter;
class QWidget;

namespace qorvana {

struct Session;

// The print image of the last printed document, read by the suite's programs.
inline constexpr std::string_view kPrintImage = "c:\\qordoc.rto";

class PrintLoop {
  public:
    // `chosen`: the printer picked with the header's printer dialog, nullptr for the default.
    PrintLoop(Session& session, QWidget* parent, QPrinter* chosen);

    // Prints the document as many times as the operator asks. `imageCopy` is the Windows
    // path of the document's own print image, written with c:\qordoc.rto ("" for none).
    // Returns the printed flag: true when a print image was written.
    bool run(const DocumentToPrint& document, const PrintSettings& settings, const VatTable& vat,
             const std::string& imageCopy);

    // The pages of `document` exactly as run prints them, for the preview: what would leave
    // them without their data or their form is told first, summary rows that do not fit after.
    PrintedDocument compose(const DocumentToPrint& document, const PrintSettings& settings,
                            const VatTable& vat);
    // One copy of composed pages: the print images, then the printer (a failure told). True
    // when the print image was written.
    bool printPages(const PrintedDocument& pages, const std::string& number,
                    const std::string& imageCopy);

  private:
    // One pass of the print routine; true when it printed.
    bool printOnce(const DocumentToPrint& document, const PrintSettings& settings,
                   const VatTable& vat, const FormDrawing& form, const std::string& imageCopy);
    // The company's form drawing, the layout's problem and the drawing's told first.
    FormDrawing readFormTold(const PrintSettings& settings);
    // Summary rows that do not fit the layout, told once.
    void tellSummaryRows(const DocumentToPrint& document, const PrintSettings& settings,
                         const VatTable& vat, const PrintedDocument& pages);

    // Writes c:\qordoc.rto and the document's own image; false (told) when one failed.
    bool writeImages(const PrintedDocument& pages, const std::string& imageCopy);

    Session& session_;
    QWidget* parent_;
    QPrinter* chosen_;
    bool summaryTold_ = false;  // summary rows that do not fit the layout were said
};

// The PDF hand-off after a printed document: when settings entry 6 is on and the operator
// agrees, starts qorxpdf without a shell and without waiting for it (`jobs` watches it); tells
// the operator when the customer has no usable address and when it cannot start.
void DispatchDocument(const Session& session, QWidget* parent, const PdfHandoffInput& input,
                      PdfJobs& jobs);

// The Windows path of a document's own print image, by its serial: c:\qordoc<serial>.rto.
std::string DocumentImagePath(double serial);

}  // namespace qorvana
