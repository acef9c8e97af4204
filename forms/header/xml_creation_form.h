#pragma once
// The header form's "Crea file XML" once the operator agreed, and the same file brought up to
// date at confirmation: the document's FatturaPA file written from the draft and the company's
// settings, under the company's posting lock, asking before a file of another document is
// replaced. Lives for one press of a button.

#include <QString>
#include <optional>

class QWidget;

namespace qorvana {

struct DocumentDraft;
struct Session;

// Removes the XML file written for the document being issued (`draft.fpaFile`): it says what
// the document will not. The sentence for the operator, ending with `then` (empty without a
// file); by default, that confirmation writes the file again.
QString RemoveDocumentXml(Session& session, DocumentDraft& draft,
                          const QString& then = QStringLiteral("sarà scritto di nuovo alla "
                                                               "conferma"));

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
    // Writes the file with the transmission number of the draft; when it is the one the header
    // proposed, another workstation's taking it meanwhile is said. nullopt when nothing was
    // written: the operator declined or was told why.
    std::optional<Created> run();
    // At confirmation, for a document whose file was written: the file is the document, so
    // when anything it carries changed since (lines, number, dates, payment terms, the
    // customer's data) or it is gone, it is written again from the draft under its own
    // progressive (it was never sent) and the operator is told. False when the file is not
    // up to date: the operator declined a replacement or was told why it cannot be written.
    bool bringUpToDate();

  private:
    // Writes the file; with `onlyWhenChanged` nothing is written while the document's file is
    // current (the message is then empty).
    std::optional<Created> write(bool onlyWhenChanged);

    Session& session_;
    DocumentDraft& draft_;
    QWidget* window_;
};

}  // namespace qorvana
