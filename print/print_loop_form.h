#pragma once
// The body form's print loop: the question, one copy on the printer and in the print image
// per "Stampa altra copia", and the printed flag that the PDF hand-off follows.

#include <string>

#include "print/document_print.h"

class QPrinter;
class QWidget;

namespace qorvana {

struct Session;

class PrintLoop {
  public:
    // `chosen`: the printer picked with the header's printer dialog, nullptr for the default.
    PrintLoop(Session& session, QWidget* parent, QPrinter* chosen);

    // Prints the document as many times as the operator asks. `imageCopy` is the Windows
    // path of the document's own print image, written with c:\qordoc.rto ("" for none).
    // Returns the printed flag: true when a print image was written.
    bool run(const DocumentToPrint& document, const PrintSettings& settings,
             const std::string& imageCopy);

  private:
    // One pass of the print routine; true when it printed.
    bool printOnce(const DocumentToPrint& document, const PrintSettings& settings,
                   const std::string& imageCopy);

    Session& session_;
    QWidget* parent_;
    QPrinter* chosen_;
};

}  // namespace qorvana
