#include "app/create_forms.h"

#include "forms/body/body_form.h"
#include "forms/common/form_names.h"
#include "forms/common/placeholder_form.h"
#include "forms/header/header_form.h"
#include "forms/registration/registration_form.h"
#include "forms/start/customer_list_form.h"
#include "forms/start/start_form.h"

namespace qorvana {
namespace {

template <typename Form, typename... Args>
Form* Add(ProgramForms& result, FormSet& forms, Args&&... args) {
    auto form = std::make_unique<Form>(std::forward<Args>(args)...);
    Form* raw = form.get();
    forms.add(raw);
    result.owned.push_back(std::move(form));
    return raw;
}

}  // namespace

ProgramForms CreateForms(Session& session, FormSet& forms) {
    ProgramForms result;
    result.start = Add<StartForm>(result, forms, session, forms);
    Add<CustomerListForm>(result, forms, session, forms);
    // Body and header forms.
    Add<BodyForm>(result, forms, session, forms);
    Add<HeaderForm>(result, forms, session, forms);
    // Pickers of delivery notes, receipts, invoices and quotes.
    Add<PlaceholderForm>(result, forms, QString(form_name::kDeliveryNotePicker),
                         QStringLiteral("Scelta DDT"), session, forms);
    Add<PlaceholderForm>(result, forms, QString(form_name::kReceiptPicker),
                         QStringLiteral("Scelta ricevute"), session, forms);
    Add<PlaceholderForm>(result, forms, QString(form_name::kInvoicePicker),
                         QStringLiteral("Scelta fatture"), session, forms);
    Add<PlaceholderForm>(result, forms, QString(form_name::kQuotePicker),
                         QStringLiteral("Scelta preventivi"), session, forms);
    // Registration of the journal entry.
    Add<RegistrationForm>(result, forms, session, forms);
    return result;
}

}  // namespace qorvana
