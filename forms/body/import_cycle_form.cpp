#include "forms/body/import_cycle_form.h"

#include <algorithm>

#include "company/company_settings.h"
#include "core/session.h"
#include "core/text.h"
#include "forms/body/body_form.h"
#include "forms/common/form_names.h"
#include "forms/common/message_box.h"
#include "forms/common/qt_text.h"
#include "forms/common/work_progress.h"
#include "forms/pickers/picker_form.h"
#include "sources/imports.h"

namespace qorvana {
namespace {

void AddRecords(std::vector<int>& set, const std::vector<int>& records) {
    for (int r : records)
        if (std::find(set.begin(), set.end(), r) == set.end()) set.push_back(r);
}

}  // namespace

ImportCycle::ImportCycle(Session& session, FormSet& forms, BodyForm& body)
    : session_(session), forms_(forms), body_(body) {}

bool ImportCycle::replacesLinesAgreed() {
    const PickedSource& picked = forms_.draft().picked;
    if (Trim(picked.invoiceLineFile).empty() && Trim(picked.invoiceKey).empty()) return false;
    return body_.lines().lastUsed() == 0 ||
           AskBeforeLosingWork(&body_, QStringLiteral("Le righe già inserite saranno sostituite "
                                                      "da quelle della fattura. Continuare?"));
}

void ImportCycle::run(ReturnAction action) {
    ImportTerms terms;
    terms.vat = &SettingsOf(session_).vat;
    terms.money = session_.money();
    terms.vatInclusive = body_.vatInclusive();
    terms.customerVatOverride = body_.setup().customerVatCode;
    ImportedSources& imported = forms_.draft().imports;
    const PickedSource& picked = forms_.draft().picked;
    LineTable& lines = body_.lines();
    const auto folder = session_.companyFolder();

    // Asked before the hourglass shows.
    const bool takeInvoice = action == ReturnAction::ImportInvoice && replacesLinesAgreed();
    ImportResult result;
    {
        WorkProgress progress(&body_, QStringLiteral("Importazione dei documenti..."));
        terms.progress = progress.report();
        switch (action) {
            case ReturnAction::ImportDeliveryNotes:
                if (auto* picker = forms_.get<PickerForm>(form_name::kDeliveryNotePicker)) {
                    result = ImportDeliveryNotes(session_.files, folder, picker->chosenRecords(),
                                                 picker->grouping(), terms, lines);
                    AddRecords(imported.deliveryNotes, result.imported);
                }
                break;
            case ReturnAction::ImportReceipts:
                if (auto* picker = forms_.get<PickerForm>(form_name::kReceiptPicker)) {
                    result = ImportReceipts(session_.files, folder, picker->chosenRecords(), terms,
                                            lines);
                    AddRecords(imported.receipts, result.imported);
                }
                break;
            case ReturnAction::ImportQuote:
                if (picked.quote > 0) {
                    result = ImportQuote(session_.files, picked.quote, terms, lines);
                    if (result.changed) imported.quote = picked.quote;
                }
                break;
            case ReturnAction::ImportInvoice:
                if (takeInvoice) {
                    result = ImportInvoice(folder, Trim(picked.invoiceKey),
                                           Trim(picked.invoiceLineFile), lines);
                    const auto* picker = forms_.get<PickerForm>(form_name::kInvoicePicker);
                    // The lines of earlier imports are gone: posting must not mark their sources.
                    if (result.changed) imported = ImportedSources{};
                    if (result.changed && picker) {
                        imported.invoice = picker->pickedRecord();
                        imported.copiedInvoice = picker->pickedInvoice();
                    }
                }
                break;
            default:
                break;
        }
    }

    // The numbers join those of earlier imports: the document's "DDT".
    imported.noteNumbers = DocumentDraft::JoinNumbers(imported.noteNumbers, result.noteNumbers);
    imported.notes.insert(imported.notes.end(), result.notes.begin(), result.notes.end());
    if (result.vatInclusive) body_.setVatInclusive(*result.vatInclusive);
    body_.showImportedLines();
    const std::string message = result.message();
    if (!message.empty()) Warn(&body_, Q(message), MsgIcon::Exclamation);
}

}  // namespace qorvana
