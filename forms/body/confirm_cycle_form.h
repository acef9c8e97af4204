#pragma once
// The body form's confirmation cycle (action 99): the moment of issue, posting, the
// document's line file, then back to the start form. Printing, the PDF copy and the
// accounting registration join the cycle between the line file and the return.
// The header and start forms' values are read through their control registries.

#include "document/line_file.h"
#include "document/posting.h"
#include "print/document_print.h"

namespace qorvana {

struct Session;
class FormSet;
class BodyForm;

class ConfirmCycle {
  public:
    ConfirmCycle(Session& session, FormSet& forms, BodyForm& body);

    // Runs the cycle and hands over to the next form. A refusal before anything was written
    // goes back to the header form as the operator left it; a failure after that is shown
    // and the cycle stops at the start form.
    void run();

    // The values posting reads, from the header form qoremft.
    PostingHeader headerValues() const;
    // The panel's document type: first 4 characters of qoremft.Combo8(0).
    std::string fpaDocumentType() const;
    // The 15 header lines' values, from the start, body and header forms.
    IssuedDocumentHeader lineFileHeader() const;
    // What the printed document shows besides the lines and the figures.
    DocumentToPrint printContent() const;
    // The print loop (after posting, and the reprint action); true when printed.
    bool print(const std::string& imageCopy);
    // The PDF hand-off of the printed document, its own print image passed on.
    void dispatchPdf(const std::string& imageCopy);

  private:
    Session& session_;
    FormSet& forms_;
    BodyForm& body_;
};

}  // namespace qorvana
