#pragma once
// Start-up checks that keep the program away from a wrong or damaged company folder.

#include <optional>
#include <string>

#include "core/paths.h"
#include "core/result.h"

namespace qorvana {

// Italian message when the company number is missing or outside 1..999.
Status CheckCompanyNumber(std::optional<int> companyNumber);
// Italian message when the company folder does not exist, or when the counters file
// qorvana.tot is missing while the invoice file qorvana.fte holds data (posting would
// overwrite the first documents).
Status CheckCompanyFolder(const PathMapper& paths, int companyNumber);

}  // namespace qorvana
