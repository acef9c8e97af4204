#pragma once
// The header form's "Crea file XML" once the operator agreed: the document's FatturaPA file
// written from the draft and the company's settings, under the company's posting lock, asking
// before a file of another document is replaced. Lives for one press of the button.

#include <QString>
#include <optional>

class QWidget;

namespace qorvana {

struct DocumentDraft;
struct Session;

class XmlCreation {
  public:
    // `window` is the header form: the questions and messages are its.
    XmlCreation(Session& session, DocumentDraft& draft, QWidget* window);

    // What a file written gives the header: its progressive and the message that says so.
    struct Created {
        int progressive = 0;
        QString message;
        QString title;  // "Fattura elettronica PA", or "Fattura elettronica" to a business
    };
    // Writes the file with the progressive `proposed` the header shows; `proposedKept` when
    // the operator left it as proposed, so that another workstation's taking it meanwhile is
    // said. nullopt when nothing was written: the operator declined or was told why.
    std::optional<Created> run(const QString& proposed, bool proposedKept);

  private:
    Session& session_;
    DocumentDraft& draft_;
    QWidget* window_;
};

}  // namespace qorvana
