#include "print/pdf_handoff.h"

#include <algorithm>

#include "core/numbers.h"
#include "core/text.h"

namespace qorvana {
namespace {

bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 32 || c == 127;
}

std::string Cleaned(std::string_view text) {
    std::string cleaned(text);
    std::erase_if(cleaned, IsControl);
    return Trim(cleaned);
}

}  // namespace

std::string PdfFile(std::string_view pdfFolder, std::string_view pdfName) {
    std::string folder = Cleaned(pdfFolder);
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder + Cleaned(pdfName);
}

bool IsUsableEmail(std::string_view address) {
    return address.find_first_of(",; ") == std::string_view::npos &&
           address.find("$(") == std::string_view::npos &&
           std::none_of(address.begin(), address.end(), IsControl);
}

PdfHandoff BuildPdfHandoff(const PdfHandoffInput& input) {
    PdfHandoff handoff;
    std::string& a = handoff.argument;
    a = CompanyFolder(input.companyNumber) + "\\qorvana.lxf";
    a += "," + Cleaned(input.printImage);
    handoff.pdfFile = PdfFile(input.pdfFolder, input.pdfName);
    a += "," + handoff.pdfFile;
    const std::string email = Trim(input.customerEmail);
    handoff.emailMissing = input.sendByMail && email.empty();
    if (input.sendByMail && IsUsableEmail(email)) {
        a += "," + email;
        handoff.recipient = email;
    } else {
        handoff.emailRefused = input.sendByMail;
        a += ",***";
    }
    const std::string extra = Cleaned(input.extraArgument);
    if (!extra.empty()) a += "," + extra;
    return handoff;
}

std::string PdfHandoffCommandLine(const PdfHandoff& handoff) {
    return std::string(kQorxpdfProgram) + " " + handoff.argument;
}

ProgramStart PdfHandoffStart(const PathMapper& paths, const PdfHandoff& handoff) {
    return {paths.map(kQorxpdfProgram), {handoff.argument}, paths.driveRoot().string()};
}

}  // namespace qorvana
