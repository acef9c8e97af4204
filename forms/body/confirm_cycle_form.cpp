#include "forms/body/confirm_cycle_form.h"

#include "document/line_file.h"
#include "forms/body/body_form.h"
#include "forms/common/form_names.h"
#include "forms/common/message_box.h"
#include "forms/common/qor_form.h"
#include "forms/common/wait_cursor.h"
#include "forms/header/header_form.h"
#include "forms/registration/entry_proposal.h"
#include "forms/registration/registration_form.h"
#include "forms/start/start_form.h"
#include "print/print_loop_form.h"
#include "startup/numbers.h"
#include "startup/session.h"

namespace qorvana {

ConfirmCycle::ConfirmCycle(Session& session, FormSet& forms, BodyForm& body)
    : session_(session), forms_(forms), body_(body), pdfJobs_(new PdfJobs(&body)) {}

void ConfirmCycle::collectDraft() {
    DocumentDraft& draft = forms_.draft();
    if (const auto* start = forms_.get<StartForm>(QString(form_name::kStart))) {
        draft.customer = start->customer();
        draft.transport = start->transport();
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
    in.vat = &body_.vatTable();
    in.money = session_.money();
    in.documentKind = session_.documentKind;
    in.fpaState = session_.fpaState;
    in.pdfFolder = session_.workStrings[work_slot::kPdfFolder];
    in.issueMoment = session_.issueMoment;
    in.companyFolder = CompanyFolder(static_cast<int>(session_.companyNumber));
    if (const auto* header = forms_.get<HeaderForm>(QString(form_name::kHeader)))
        in.fpaSeparateNumbering = Val(header->fpaRecord().text(fpa::kSeparateSeries)) == 1;
    return in;
}

bool ConfirmCycle::print(const DocumentToPrint& document, const std::string& imageCopy) {
    const auto* header = forms_.get<HeaderForm>(QString(form_name::kHeader));
    PrintLoop loop(session_, &body_, header ? header->chosenPrinter() : nullptr);
    return loop.run(document, body_.printSettings(), imageCopy);
}

bool ConfirmCycle::reprint() {
    collectDraft();
    return print(DocumentToPrintOf(forms_.draft(), session_), "");
}

void ConfirmCycle::dispatchPdf(const DocumentToPrint& document, const std::string& imageCopy) {
    PdfHandoffInput in;
    in.companyNumber = static_cast<int>(session_.companyNumber);
    in.pdfFolder = session_.workStrings[work_slot::kPdfFolder];
    in.pdfName = posted_.pdfName;
    in.sendByMail = body_.emailRequested();
    in.customerEmail = document.entries.email;
    in.extraArgument = body_.printSettings().pdfExtraArgument();
    in.printImage = imageCopy;
    DispatchDocument(session_, &body_, in, *pdfJobs_);
}

void ConfirmCycle::start() {
    stage_ = Stage::Idle;
    posted_ = PostingResult{};
    session_.issueMoment = session_.clock.now();
    collectDraft();
    if (!post()) return;
    printDocument();
    // With the accounting request, the registration form returns to the start form itself.
    if (!proposeRegistration()) finish();
}

bool ConfirmCycle::post() {
    {
        const WaitCursor wait;
        posted_ = PostDocument(session_.files, postingInput());
    }
    if (posted_.ok) {
        // Posting writes the line file as its last step.
        stage_ = Stage::LineFileWritten;
        return true;
    }
    Warn(&body_, QString::fromStdString(posted_.message));
    if (!posted_.anythingWritten) {
        // Nothing stored: back to the header as the operator left it.
        session_.returnPending = 1;
        forms_.handOver(&body_, form_name::kHeader);
        return false;
    }
    finish();
    return false;
}

void ConfirmCycle::printDocument() {
    const DocumentToPrint document = DocumentToPrintOf(forms_.draft(), session_);
    const std::string imageCopy = DocumentImagePath(posted_.serial);
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
    if (!body_.accountingRequested()) return false;
    auto* registration = forms_.get<RegistrationForm>(form_name::kRegistration);
    if (!registration) return false;
    // The posting moment is taken now: the journal keeps it even if the next document is
    // started before this entry is registered.
    registration->propose(
        ProposeEntry(ProposalFor(forms_.draft(), session_, body_.printSettings().printLines)),
        DateTimeValue(session_.issueMoment));
    stage_ = Stage::Idle;
    session_.returnPending = 0;
    forms_.handOver(&body_, form_name::kRegistration);
    return true;
}

}  // namespace qorvana
