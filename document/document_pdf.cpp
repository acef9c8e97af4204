#include "document/document_pdf.h"

#include <algorithm>

#include "core/cp1252.h"
#include "core/text.h"
#include "document/document_continuation_record.h"
#include "document/document_record.h"
#include "document/numbering.h"

namespace qorvana {
namespace {

namespace d = document_record;
namespace c = continuation_record;

// Path of the PDF copy as stored, before any cut: the folder without its drive, "\", name.
std::string WholePdfPath(const std::string& pdfFolder, const std::string& pdfName) {
    std::string path = Trim(pdfFolder);
    if (path.size() >= 2 && path[1] == ':') path.erase(0, 2);
    if (path.empty() || path.back() != '\\') path += '\\';
    return path + pdfName;
}

}  // namespace

std::string DocumentPdfName(const HeaderEntries& header, DocumentKind kind) {
    const std::string& date = header.documentDate;  // dd/mm/yyyy
    const std::string year = date.size() >= 10 ? date.substr(6, 4) : "";
    const bool separate = NumberedInSeparateSeries(header.separateSeries, kind);
    return "ftr" + DocumentNumberKey(header.documentNumber) + "_" + year + (separate ? "pa" : "") +
           ".pdf";
}

std::string PdfFolderWarning(const std::string& pdfFolder) {
    HeaderEntries longest;
    longest.documentNumber = std::string(d::kNumber.width, 'A');
    longest.documentDate = "01/01/2000";
    longest.separateSeries = true;
    const std::string name = DocumentPdfName(longest, DocumentKind::ElectronicInvoice);
    const std::size_t room = c::kPdfPath.width;
    if (Utf8Length(WholePdfPath(pdfFolder, name)) <= room) return {};
    return "La cartella dei file PDF \"" + Trim(pdfFolder) +
           "\" (qorvana.pdf) è troppo lunga: il documento memorizza il percorso del suo PDF in " +
           std::to_string(room) +
           " caratteri, e la cartella (senza l'unità) può averne al massimo " +
           std::to_string(room - 1 - name.size()) + ".";
}

std::string PdfPath(const std::string& pdfFolder, const std::string& pdfName) {
    std::string path = WholePdfPath(pdfFolder, pdfName);
    const std::size_t room = c::kPdfPath.width;
    if (Utf8Length(path) > room) {
        std::size_t at = 0;
        for (std::size_t chars = 0; chars < room && at < path.size(); ++chars) {
            const auto lead = static_cast<unsigned char>(path[at]);
            at += lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        }
        path.resize(std::min(at, path.size()));
    }
    return path;
}

}  // namespace qorvana
