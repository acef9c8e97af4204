#pragma once
// The nine windows of the program: the start form built at once, the others when first
// shown, each once for the whole run.

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

// Builds the start form and registers the others with `forms`; the start form lives as
// long as the result, the others as long as `forms`.
ProgramForms CreateForms(Session& session, FormSet& forms);

}  // namespace qorvana
