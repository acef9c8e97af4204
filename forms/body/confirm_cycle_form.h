#pragma once
// The body form's confirmation cycle (action 99): the moment of issue taken into the draft,
// posting, the document's line file, then back to the start form. Printing, the PDF copy and
// the accounting registration join the cycle between the line file and the return; the cycle
// lives as long as the body form and keeps where it stands and what posting wrote between
// those steps. It reads the draft, which the forms keep as the operator edits, never another
// form's controls.

#include <QString>
#include <QWidget>

#include <memory>

#include "document/document_draft.h"
#include "posting/posting.h"
#include "print/document_print.h"

namespace qorvana {

class PdfJobs;
struct Session;
class FormSet;
class BodyForm;

class ConfirmCycle {
  public:
    // The last step done of the document being confirmed; Idle between documents.
    enum class Stage { Idle, Posted, LineFileWritten, Printed };

    ConfirmCycle(Session& session, FormSet& forms, BodyForm& body);

    // Runs the cycle from its first step and hands over to the next form. A refusal before
    // anything was written goes back to the header form as the operator left it; a failure
    // after that is shown and the cycle stops at the start form.
    void start();

    Stage stage() const { return stage_; }
    // What posting wrote (record number, serial, movements), once posted.

    // The document as it would print now, before it is stored, in the preview over `opener`:
    // to look at only (its number may still change).
    void previewDraft(QWidget* opener);
    // The document posted last in the preview, as the reprint prints it: "Stampa" there prints
    // it. Without one, the operator is told that there is nothing to reprint. Before a document
    // is posted in this run, the document posted last is the one the recovery at start completed
    // (Session::recoveredDocument), read back from its records.
    void previewReprint(QWidget* opener);
    // What posting takes: the draft and the company's values.
    PostingInput postingInput() const;
    // The print loop of the document posted; true when printed.
    bool print(const DocumentToPrint& document, const std::string& imageCopy);
    // The reprint action: the document posted last (as previewReprint), printed again; without
    // one, the operator is told that there is nothing to reprint.
    bool reprint();
    // The PDF hand-off of the printed document, its own print image passed on.
    void dispatchPdf(const DocumentToPrint& document, const std::string& imageCopy);

  private:
    // The document posted last, as it was printed: the draft moves on to the next document.
    struct PostedDocument {
        DocumentDraft draft;
        DocumentToPrint document;  // its lines are the draft's above
    };

    // What `draft` prints.
    DocumentToPrint toPrint(const DocumentDraft& draft) const;
    // The document posted last, as it is printed again; told (over `parent`) when there is none
    // or it cannot be read back, nullptr then.
    const PostedDocument* toReprint(QWidget* parent);
    // The draft of stored document `record`, read back from its records and line file with the
    // company's lists, e-invoice terms and the type of its e-invoice's archive copy.
    Result<DocumentDraft> storedDraft(int record) const;
    // Posts the draft under the company's posting lock, the e-invoice's listing to send with
    // it; true when the document is stored.
    bool post();
    // The list of the e-invoices to send with the draft's e-invoice added, written with the
    // document; `problem` says why it cannot be.
    PostingInput::WholeFile sendingListWithEInvoice(QString& problem) const;
    void backToHeader();
    // The XML file written for a document posting did not store, removed: what the operator is
    // told.
    QString voidXmlFile();
    // Posting took the next free number: the draft and the header take it.
    void takeStoredNumber();
    // Tells the operator the number the document was stored under instead of the proposed one.
    void tellStoredNumber();
    // The print loop, then the PDF hand-off of a printed document.
    void printDocument();
    void finish();
    // Hands the document to the registration form when the accounting request is set.
    bool proposeRegistration();

    Session& session_;
    FormSet& forms_;
    BodyForm& body_;
    Stage stage_ = Stage::Idle;
    DocumentStored stored_;  // the document posted last, as far as it was stored
    std::unique_ptr<PostedDocument> lastPosted_;
    QString renumberedFrom_;  // the number proposed, when posting took another
    PdfJobs* pdfJobs_;        // owned by the body form
};

}  // namespace qorvana
