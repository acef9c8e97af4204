#pragma once
// The command line that hands a printed document to the PDF and e-mail program `qorxpdf`:
// "\qorwin\qorwin\qorxpdf " followed by one comma-joined argument (layout file, print image,
// PDF file, e-mail address or "***", optional extra argument). The program is started
// without a shell, the comma-joined text as one argument.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "startup/paths.h"

namespace qorvana {

struct PdfHandoffInput {
    int companyNumber = 1;
    std::string pdfFolder;       // general settings entry 7 ("C:" when the folder is empty)
    std::string documentNumber;  // as typed in the header form ("0015")
    bool sendByMail = false;     // body form `postael`
    std::string customerEmail;   // customer record, offset 714
    std::string extraArgument;   // PDF settings row 1, column 3
    std::string printImage = "c:\\qordoc.rto";  // Windows path of the image to convert
};

struct PdfHandoff {
    std::string argument;       // the one comma-joined argument
    bool emailRefused = false;  // the address was unusable and replaced by "***"
};

// "\qorwin\qorwin\qorxpdf": the program, where the module starts it.
inline constexpr std::string_view kQorxpdfProgram = "\\qorwin\\qorwin\\qorxpdf";

// True when general settings entry 6 switches the hand-off on (its numeric value is not 0).
bool PdfHandoffEnabled(std::string_view entry6);
// The PDF file of a document: folder + "\ftr" + the number's numeric value + ".pdf".
std::string PdfFileName(std::string_view pdfFolder, std::string_view documentNumber);
// False for an address holding ",", ";", "$(", blanks or control characters: it could add a
// field or a recipient, or reach a shell.
bool IsUsableEmail(std::string_view address);
// The comma-joined argument; control characters are dropped from every part.
PdfHandoff BuildPdfHandoff(const PdfHandoffInput& input);
// The whole command line: program, one blank, argument.
std::string PdfHandoffCommandLine(const PdfHandoff& handoff);

struct ProgramStart {
    std::filesystem::path program;
    std::vector<std::string> arguments;
};
// The host program and its arguments: "--drive" and the drive root (so that the program maps
// the Windows paths of its argument to the same drive), then the comma-joined argument.
ProgramStart PdfHandoffStart(const PathMapper& paths, const PdfHandoff& handoff);

}  // namespace qorvana
