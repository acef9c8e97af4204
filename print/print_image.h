#pragma once
// The print-image file (`c:\qordoc.rto`): a printed document as Windows-1252 text records,
// one value per line, as docs/print-image.md describes. The PDF program reads it back.

#include <filesystem>
#include <string>
#include <string_view>

#include "core/result.h"
#include "print/print_page.h"

namespace qorvana {

// A number as a plain print of a number shows it: " 12", "-3.5", " .25", " 0" (at most
// seven significant digits, no trailing zeros).
std::string PrintImageNumber(double value);

// The bytes of the print image of `document`.
std::string PrintImageBytes(const PrintedDocument& document);

// Writes the print image to `file` (`suiteName` for the operator, "c:\qordoc.rto") whole or not
// at all, through the durable path; a failure says so to the operator, in Italian.
Status WritePrintImage(const std::filesystem::path& file, std::string_view suiteName,
                       const PrintedDocument& document);

// The pages of a print image held in memory; a damaged or truncated image is refused as a
// whole, as is one with a position or size beyond 100 m.
Result<PrintedDocument> ParsePrintImage(std::string_view bytes);
// The pages of the print-image file `file`, named `suiteName` in messages.
Result<PrintedDocument> ReadPrintImage(const std::filesystem::path& file,
                                       std::string_view suiteName);

}  // namespace qorvana
