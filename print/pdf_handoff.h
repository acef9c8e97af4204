#pragma once
// The command line that hands a printed document to the PDF and e-mail program `qorxpdf`:
// "\qorwin\qorwin\qorxpdf " followed by one comma-joined argument (layout file, print image,
// PDF file, e-mail address or "***", optional extra argument). The program is started
// without a shell, the comma-joined text as one argument.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/paths.h"

namespace qorvana {

struct PdfHandoffInput {
    int companyNumber = 1;
    std::string pdfFolder;      // general settings entry 7 ("C:" when the folder is empty)
    std::string pdfName;        // the document's PDF file name (DocumentPdfName)
    bool sendByMail = false;    // body form `postael`
    std::string customerEmail;  // customer record, offset 714
    std::string extraArgument;  // PDF settings row 1, column 3
    std::string printImage = "c:\\qordoc.rto";  // Windows path of the image to convert
};

struct PdfHandoff {
    std::string argument;       // the one comma-joined argument
    std::string pdfFile;        // the PDF file to produce, as the argument names it
    std::string recipient;      // the address the PDF is sent to; empty when it is not sent
    bool emailRefused = false;  // the address was unusable and replaced by "***"
    bool emailMissing = false;  // e-mail asked for a customer without an address
};

// "\qorwin\qorwin\qorxpdf": the program, where the module starts it.
inline constexpr std::string_view kQorxpdfProgram = "\\qorwin\\qorwin\\qorxpdf";

// The PDF file of a document: folder, "\", the document's PDF file name.
std::string PdfFile(std::string_view pdfFolder, std::string_view pdfName);
// False for an address holding ",", ";", "$(", blanks or control characters: it could add a
// field or a recipient, or reach a shell.
bool IsUsableEmail(std::string_view address);
// The comma-joined argument; control characters are dropped from every part.
PdfHandoff BuildPdfHandoff(const PdfHandoffInput& input);
// The whole command line: program, one blank, argument.
std::string PdfHandoffCommandLine(const PdfHandoff& handoff);

// The environment variable that tells qorxpdf the drive root, so that it maps the Windows
// paths of its argument to the same drive as the module.
inline constexpr const char* kDriveVariable = "QORVANA_DRIVE";

struct ProgramStart {
    std::filesystem::path program;
    std::vector<std::string> arguments;
    std::string driveRoot;  // given to the program as kDriveVariable
};
// The host program, its one argument (the command line stays the suite's) and the drive root.
ProgramStart PdfHandoffStart(const PathMapper& paths, const PdfHandoff& handoff);

}  // namespace qorvana
