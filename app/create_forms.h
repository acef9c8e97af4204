#pragma once
// The nine windows of the program, created once for the whole run.

#include <memory>
#include <vector>

#include "forms/common/qor_form.h"

namespace qorvana {

struct Session;
class StartForm;

struct ProgramForms {
    std::vector<std::unique_ptr<QorForm>> owned;
    StartForm* start = nullptr;
};

// Creates every form and adds it to `forms`; the forms live as long as the result.
ProgramForms CreateForms(Session& session, FormSet& forms);

}  // namespace qorvana
