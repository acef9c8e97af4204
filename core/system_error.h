#pragma once
// A system error told to the operator: an Italian reason with what to do, while the system's
// own text goes to the program's log (standard error).

#include <string>
#include <string_view>

namespace qorvana {

// The Italian reason and remedy of a system error number: "il disco è pieno (liberare spazio
// e riprovare)".
std::string ItalianReason(int error);
// Writes "PROGRAM: WHAT: <system text>" to the log.
void LogSystemError(std::string_view what, int error);

}  // namespace qorvana
