#include "forms/body/confirm_cycle_form.h"

#include "company/company_settings.h"
#include "core/paths.h"
#include "core/session.h"
#include "core/text.h"
#include "document/line_file.h"
#include "document/stored_document.h"
#include "fatturapa/einvoice_terms.h"
#include "fatturapa/fpa_file.h"
#include "forms/body/body_form.h"
#include "forms/common/company_lock.h"
#include "forms/common/einvoice_windows.h"
#include "forms/common/form_names.h"
#include "forms/common/message_box.h"
#include "forms/common/qor_form.h"
#include "forms/common/wait_cursor.h"
#include "forms/header/header_form.h"
#include "forms/header/xml_creation_form.h"
#include "forms/print/preview_form.h"
#include "forms/print/print_loop_form.h"
#include "forms/registration/registration_form.h"
#include "forms/start/start_form.h"
#include "journal/entry_proposal.h"

namespace qorvana {

ConfirmCycle::ConfirmCycle(Session& session, FormSet& forms, BodyForm& body)
    : session_(session), forms_(forms), body_(body), pdfJobs_(new PdfJobs(&body)) {}

DocumentToPrint ConfirmCycle::toPrint(const DocumentDraft& draft) const {
    return DocumentToPrintOf(draft, session_.files, session_.money(), session_.numberWithYear());
}

void ConfirmCycle::previewDraft(QWidget* opener) {
    auto* preview = forms_.get<PreviewForm>(form_name::kPreview);
    if (!preview) return;
    const DocumentDraft& draft = forms_.draft();
    const auto* header = forms_.get<HeaderForm>(QString(form_name::kHeader));
    PrintLoop loop(session_, opener, header ? header->chosenPrinter() : nullptr);
    PrintedDocument pages =
        loop.compose(toPrint(draft), SettingsOf(session_).print, SettingsOf(session_).vat);
    preview->showPages(std::move(pages),
                       QStringLiteral("Anteprima del documento non ancora memorizzato: il numero "
                                      "%1 può ancora cambiare. Si stampa dopo la conferma.")
                           .arg(QString::fromStdString(Trim(draft.header.documentNumber))),
                       nullptr, opener);
}

Result<DocumentDraft> ConfirmCycle::storedDraft(int record) const {
    Result<StoredDocument> read = ReadStoredDocument(session_.files, record);
    if (!read) return *read.failure();
    const CompanySettings& settings = SettingsOf(session_);
    DocumentDraft& draft = read->draft;
    NameListEntries(draft, settings.paymentTerms, settings.start);
    // The customer's e-invoice terms as far as they could be read.
    const Result<CustomerEInvoiceTerms> terms = ReadEInvoiceTerms(
        session_, settings.einvoice, settings.headerTables, draft.customer.record);
    if (terms.hasValue()) draft.einvoice = terms->terms;
    // A public administration's e-invoice of type TD04 prints as a credit note.
    if (draft.fpaState > 0) {
        const std::string archive = "fpa" + std::to_string(draft.fpaState);
        const Result<FpaRecord> archived =
            LoadFpaRecord(session_.companyFile(archive), session_.companyPath(archive));
        if (!archived) return *archived.failure();
        draft.panel.documentType = Trim(archived->text(fpa::kDocumentType));
    }
    if (Status same = RecomputeStoredFigures(*read, settings.vat, session_.money()); !same)
        return *same.failure();
    return std::move(draft);
}

const ConfirmCycle::PostedDocument* ConfirmCycle::toReprint(QWidget* parent) {
    if (!lastPosted_ && session_.recoveredDocument) {
        Result<DocumentDraft> draft = storedDraft(*session_.recoveredDocument);
        if (!draft) {
            Warn(parent, QStringLiteral("Il documento completato all'avvio non si può ristampare: "
                                        "%1.")
                             .arg(QString::fromStdString(draft.message())));
            return nullptr;
        }
        lastPosted_ = std::make_unique<PostedDocument>();
        lastPosted_->draft = std::move(*draft);
        lastPosted_->document = toPrint(lastPosted_->draft);
    }
    if (!lastPosted_)
        Warn(parent, QStringLiteral("Nessun documento da ristampare: si può ristampare solo il "
                                    "documento appena memorizzato."));
    return lastPosted_.get();
}

void ConfirmCycle::previewReprint(QWidget* opener) {
    auto* preview = forms_.get<PreviewForm>(form_name::kPreview);
    if (!preview) return;
    const PostedDocument* posted = toReprint(opener);
    if (!posted) return;
    const auto* header = forms_.get<HeaderForm>(QString(form_name::kHeader));
    QPrinter* chosen = header ? header->chosenPrinter() : nullptr;
    PrintLoop loop(session_, opener, chosen);
    const DocumentToPrint& document = posted->document;
    PrintedDocument pages =
        loop.compose(document, SettingsOf(session_).print, SettingsOf(session_).vat);
    // Printed as the reprint prints a copy: the print image c:\qordoc.rto, then the printer.
    auto print = [this, opener, chosen, pages, number = document.entries.number] {
        PrintLoop(session_, opener, chosen).printPages(pages, number, "");
    };
    preview->showPages(std::move(pages),
                       QStringLiteral("Ristampa del documento n. %1.")
                           .arg(QString::fromStdString(Trim(document.entries.number))),
                       print, opener);
}

PostingInput ConfirmCycle::postingInput() const {
    const DocumentDraft& draft = forms_.draft();
    PostingInput in;
    in.draft = &draft;
    const CompanySettings& settings = SettingsOf(session_);
    in.vat = &settings.vat;
    in.money = session_.money();
    in.documentKind = draft.kind;
    in.fpaState = draft.fpaState;
    in.pdfFolder = session_.runSettings.pdfFolder;
    in.issueMoment = draft.issueMoment;
    in.companyFolder = CompanyFolder(static_cast<int>(session_.companyNumber));
    in.fpaSeparateNumbering = settings.fpaSeparateNumbering();
    in.numberProposed = draft.numberProposed();
    return in;
}

bool ConfirmCycle::print(const DocumentToPrint& document, const std::string& imageCopy) {
    const auto* header = forms_.get<HeaderForm>(QString(form_name::kHeader));
    PrintLoop loop(session_, &body_, header ? header->chosenPrinter() : nullptr);
    const CompanySettings& settings = SettingsOf(session_);
    return loop.run(document, settings.print, settings.vat, imageCopy);
}

bool ConfirmCycle::reprint() {
    const PostedDocument* posted = toReprint(&body_);
    return posted && print(posted->document, "");
}

void ConfirmCycle::dispatchPdf(const DocumentToPrint& document, const std::string& imageCopy) {
    PdfHandoffInput in;
    in.companyNumber = static_cast<int>(session_.companyNumber);
    in.pdfFolder = session_.runSettings.pdfFolder;
    in.pdfName = stored_.pdfName;
    in.sendByMail = body_.emailRequested();
    in.customerEmail = document.entries.email;
    in.extraArgument = SettingsOf(session_).print.pdfExtraArgument();
    in.printImage = imageCopy;
    DispatchDocument(session_, &body_, in, *pdfJobs_);
}

void ConfirmCycle::start() {
    stage_ = Stage::Idle;
    stored_ = DocumentStored{};
    forms_.draft().issueMoment = session_.clock.now();
    if (!post()) return;
    const bool complete = stage_ == Stage::LineFileWritten;  // no write left to complete
    printDocument();
    // Told once the printing questions are answered: the printed copy has the number already.
    tellStoredNumber();
    // The document's e-invoice joined the list to send with the document; it goes at once when
    // the company asks. The channel is loaded only for a document that has one.
    const std::string& fpaFile = lastPosted_->draft.fpaFile;
    if (complete && !fpaFile.empty())
        if (EInvoiceWindows* windows = LoadEInvoiceWindows(&body_))
            windows->sendAtOnce(&body_, session_, fpaFile);
    // With the accounting request, the registration form returns to the start form itself.
    if (!proposeRegistration()) finish();
}

PostingInput::WholeFile ConfirmCycle::sendingListWithEInvoice(QString& problem) const {
    const std::string& fpaFile = forms_.draft().fpaFile;
    const std::filesystem::path file = session_.paths.map(fpaFile);
    EInvoiceWindows* windows = LoadEInvoiceWindows(&body_);
    Result<PostingInput::WholeFile> list =
        windows ? windows->sendingListWith(session_, fpaFile)
                : Result<PostingInput::WholeFile>(
                      Failure{"il modulo delle fatture elettroniche non si può caricare"});
    if (list) return std::move(*list);
    problem = QStringLiteral(
                  "La fattura elettronica %1 non è stata messa nell'elenco da inviare: "
                  "%2.")
                  .arg(QString::fromStdString(file.filename().string()),
                       QString::fromStdString(list.message()));
    return {};
}

bool ConfirmCycle::post() {
    std::optional<Result<DocumentStored>> posted;
    QString unlisted;  // why the document's e-invoice could not join the list to send
    {
        // Held for the posting alone: the operator hears of it after it is released.
        const std::optional<PostingLock> lock = LockCompanyForPosting(&body_, session_);
        if (!lock) {
            backToHeader();
            return false;
        }
        const WaitCursor wait;
        PostingInput in = postingInput();
        if (!forms_.draft().fpaFile.empty()) {
            PostingInput::WholeFile list = sendingListWithEInvoice(unlisted);
            if (unlisted.isEmpty()) in.withDocument = std::move(list);
        }
        posted = PostDocument(session_.files, in);
    }
    if (posted->hasValue()) stored_ = posted->value();
    if (stored_.renumbered && (posted->ok() || posted->partlyDone())) takeStoredNumber();
    if (!posted->ok()) {
        tellStoredNumber();
        // Nothing stored: the file would carry a number that is not a stored document's.
        Warn(&body_, QString::fromStdString(posted->message()) +
                         (posted->partlyDone() ? QString() : voidXmlFile()));
        if (!posted->partlyDone()) {
            backToHeader();
            return false;
        }
    }
    // Stored (a write that failed once the intent was written is completed from it): printed,
    // sent and proposed for registration as any other. Posting writes the line file last.
    stage_ = posted->ok() ? Stage::LineFileWritten : Stage::Posted;
    lastPosted_ = std::make_unique<PostedDocument>();
    lastPosted_->draft = forms_.draft();
    lastPosted_->document = toPrint(lastPosted_->draft);
    if (!unlisted.isEmpty()) Warn(&body_, unlisted);
    return true;
}

QString ConfirmCycle::voidXmlFile() {
    DocumentDraft& draft = forms_.draft();
    if (draft.fpaFile.empty()) return {};
    // It is written again, under the same progressive, when the document is confirmed.
    return QStringLiteral("\n") + RemoveDocumentXml(session_, draft);
}

void ConfirmCycle::backToHeader() {
    // Nothing stored: back to the header as the operator left it.
    session_.returnPending = 1;
    forms_.handOver(&body_, form_name::kHeader);
}

void ConfirmCycle::takeStoredNumber() {
    HeaderEntries& entries = forms_.draft().header;
    renumberedFrom_ = QString::fromStdString(Trim(entries.documentNumber));
    entries.documentNumber = *stored_.renumbered;
    entries.vatRegisterNumber = stored_.vatRegisterNumber;
    entries.proposedNumber = entries.documentNumber;
}

void ConfirmCycle::tellStoredNumber() {
    if (renumberedFrom_.isEmpty()) return;
    ShowMessage(&body_, QStringLiteral("Attenzione"),
                QStringLiteral("Il numero %1 proposto per il documento è stato usato nel frattempo "
                               "da un'altra postazione: il documento è stato memorizzato con il "
                               "numero %2.")
                    .arg(renumberedFrom_, QString::fromStdString(*stored_.renumbered)),
                MsgIcon::Information);
    renumberedFrom_.clear();
}

void ConfirmCycle::printDocument() {
    const DocumentToPrint& document = lastPosted_->document;
    const std::string imageCopy = DocumentImagePath(stored_.serial);
    if (!print(document, imageCopy)) return;
    stage_ = Stage::Printed;
    dispatchPdf(document, imageCopy);
}

void ConfirmCycle::finish() {
    stage_ = Stage::Idle;
    session_.returnPending = 0;
    forms_.handOver(&body_, form_name::kStart);
}

bool ConfirmCycle::proposeRegistration() {
    const PrintSettings& print = SettingsOf(session_).print;
    if (!print.accounting) return false;
    auto* registration = forms_.get<RegistrationForm>(form_name::kRegistration);
    if (!registration) return false;
    // The posting moment is taken now: the journal keeps it even if the next document is
    // started before this entry is registered.
    const DocumentDraft& draft = forms_.draft();
    registration->propose(ProposeEntry(ProposalFor(draft, session_.files, session_.money(),
                                                   session_.numberWithYear(), print.printLines)),
                          draft.issueMoment.dateTimeValue());
    stage_ = Stage::Idle;
    session_.returnPending = 0;
    forms_.handOver(&body_, form_name::kRegistration);
    return true;
}

}  // namespace qorvana
