#include "forms/body/confirm_cycle_form.h"

#include "company/company_settings.h"
#include "core/paths.h"
#include "core/session.h"
#include "core/text.h"
#include "document/line_file.h"
#include "fatturapa/sdi_channel.h"
#include "fatturapa/sdi_store.h"
#include "forms/body/body_form.h"
#include "forms/common/company_lock.h"
#include "forms/common/form_names.h"
#include "forms/common/message_box.h"
#include "forms/common/qor_form.h"
#include "forms/common/wait_cursor.h"
#include "forms/header/header_form.h"
#include "forms/header/xml_creation_form.h"
#include "forms/print/print_loop_form.h"
#include "forms/registration/registration_form.h"
#include "forms/sdi/einvoice_sending_form.h"
#include "forms/start/start_form.h"
#include "journal/entry_proposal.h"

namespace qorvana {

ConfirmCycle::ConfirmCycle(Session& session, FormSet& forms, BodyForm& body)
    : session_(session), forms_(forms), body_(body), pdfJobs_(new PdfJobs(&body)) {}

void ConfirmCycle::collectDraft() {
    DocumentDraft& draft = forms_.draft();
    if (const auto* start = forms_.get<StartForm>(QString(form_name::kStart))) {
        draft.customer = start->customer();
        draft.takeTransport(start->transport());
    }
    if (const auto* header = forms_.get<HeaderForm>(QString(form_name::kHeader))) {
        draft.header = header->entries();
        draft.panel = header->panelEntries();
    }
    draft.vatInclusive = body_.vatInclusive();
}

PostingInput ConfirmCycle::postingInput() const {
    PostingInput in;
    in.draft = &forms_.draft();
    const CompanySettings& settings = SettingsOf(session_);
    in.vat = &settings.vat;
    in.money = session_.money();
    in.documentKind = session_.documentKind;
    in.fpaState = session_.fpaState;
    in.pdfFolder = session_.workStrings[work_slot::kPdfFolder];
    in.issueMoment = session_.issueMoment;
    in.companyFolder = CompanyFolder(static_cast<int>(session_.companyNumber));
    in.fpaSeparateNumbering = settings.fpaSeparateNumbering();
    if (const auto* header = forms_.get<HeaderForm>(QString(form_name::kHeader))) {
        in.numberProposed = header->numberProposed();
    }
    return in;
}

bool ConfirmCycle::print(const DocumentToPrint& document, const std::string& imageCopy) {
    const auto* header = forms_.get<HeaderForm>(QString(form_name::kHeader));
    PrintLoop loop(session_, &body_, header ? header->chosenPrinter() : nullptr);
    const CompanySettings& settings = SettingsOf(session_);
    return loop.run(document, settings.print, settings.vat, imageCopy);
}

bool ConfirmCycle::reprint() {
    if (!lastPosted_) {
        Warn(&body_, QStringLiteral("Nessun documento da ristampare: si può ristampare solo il "
                                    "documento appena memorizzato."));
        return false;
    }
    return print(lastPosted_->document, "");
}

void ConfirmCycle::dispatchPdf(const DocumentToPrint& document, const std::string& imageCopy) {
    PdfHandoffInput in;
    in.companyNumber = static_cast<int>(session_.companyNumber);
    in.pdfFolder = session_.workStrings[work_slot::kPdfFolder];
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
    session_.issueMoment = session_.clock.now();
    collectDraft();
    if (!post()) return;
    const bool complete = stage_ == Stage::LineFileWritten;  // no write left to complete
    printDocument();
    // Told once the printing questions are answered: the printed copy has the number already.
    tellStoredNumber();
    // The document's e-invoice joined the list to send with the document; it goes at once when
    // the company asks.
    if (complete) SendEInvoiceAtOnce(&body_, session_, lastPosted_->draft.fpaFile);
    // With the accounting request, the registration form returns to the start form itself.
    if (!proposeRegistration()) finish();
}

PostingInput::WholeFile ConfirmCycle::sendingListWithEInvoice(QString& problem) const {
    const std::string& fpaFile = forms_.draft().fpaFile;
    const std::filesystem::path file = session_.paths.map(fpaFile);
    Result<std::string> list = StoreWithEInvoice(session_.companyFolder(), file, fpaFile);
    if (list)
        return {FindInFolder(session_.companyFolder(), kSdiStoreFile), kSdiStoreFile,
                std::move(*list)};
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
    lastPosted_->document = DocumentToPrintOf(lastPosted_->draft, session_);
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
    if (auto* header = forms_.get<HeaderForm>(QString(form_name::kHeader)))
        header->showStoredNumbers(QString::fromStdString(entries.documentNumber),
                                  QString::fromStdString(entries.vatRegisterNumber));
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
    registration->propose(ProposeEntry(ProposalFor(forms_.draft(), session_, print.printLines)),
                          session_.issueMoment.dateTimeValue());
    stage_ = Stage::Idle;
    session_.returnPending = 0;
    forms_.handOver(&body_, form_name::kRegistration);
    return true;
}

}  // namespace qorvana
