#include "app/create_forms.h"

#include "forms/body/body_form.h"
#include "forms/common/einvoice_windows.h"
#include "forms/common/form_names.h"
#include "forms/header/header_form.h"
#include "forms/pickers/picker_form.h"
#include "forms/print/preview_form.h"
#include "forms/registration/registration_form.h"
#include "forms/start/customer_list_form.h"
#include "forms/start/einvoice_customer_form.h"
#include "forms/start/start_form.h"

namespace qorvana {
namespace {

template <typename Form>
void AddLater(FormSet& forms, Session& session, const char* name) {
    forms.addLater(QString(name),
                   [&forms, &session] { return std::make_unique<Form>(session, forms); });
}

void AddPicker(FormSet& forms, Session& session, const char* name, SourceKind kind) {
    forms.addLater(QString(name), [&forms, &session, kind] {
        return std::make_unique<PickerForm>(kind, session, forms);
    });
}

}  // namespace

ProgramForms CreateForms(Session& session, FormSet& forms) {
    ProgramForms result;
    auto start = std::make_unique<StartForm>(session, forms);
    result.start = start.get();
    forms.add(result.start);
    result.owned.push_back(std::move(start));
    // The other forms are built when first shown: the start form comes up without them.
    AddLater<CustomerListForm>(forms, session, form_name::kCustomerList);
    AddLater<BodyForm>(forms, session, form_name::kBody);
    AddLater<HeaderForm>(forms, session, form_name::kHeader);
    AddPicker(forms, session, form_name::kDeliveryNotePicker, SourceKind::DeliveryNotes);
    AddPicker(forms, session, form_name::kReceiptPicker, SourceKind::Receipts);
    AddPicker(forms, session, form_name::kInvoicePicker, SourceKind::Invoices);
    AddPicker(forms, session, form_name::kQuotePicker, SourceKind::Quotes);
    AddLater<RegistrationForm>(forms, session, form_name::kRegistration);
    // The e-invoice window comes with the channel's plugin, loaded when first opened.
    forms.addLater(
        QString(form_name::kEInvoices), [&forms, &session]() -> std::unique_ptr<QorForm> {
            EInvoiceWindows* windows = LoadEInvoiceWindows(forms.built(QString(form_name::kStart)));
            return windows ? windows->makeListForm(session, forms) : nullptr;
        });
    AddLater<EInvoiceCustomerForm>(forms, session, form_name::kEInvoiceCustomer);
    AddLater<PreviewForm>(forms, session, form_name::kPreview);
    return result;
}

}  // namespace qorvana
