#pragma once
// The PDF copy of a stored document: its file name, unique for the document, and the path its
// continuation record stores (at most the 60 characters of that field).

#include <string>

#include "core/session_codes.h"
#include "document/document_draft.h"

namespace qorvana {

// The file name of a document's PDF copy, unique for the document: "ftr", the number's key
// (DocumentNumberKey: "0015" gives 15), "_", the year of the document date, "pa" when the
// document is numbered in the separate electronic-invoice series, ".pdf" ("ftr15_2026.pdf",
// "ftr15_2026pa.pdf"). Posting stores it and the PDF hand-off passes it: the stored path names
// this document's PDF.
std::string DocumentPdfName(const HeaderEntries& header, DocumentKind kind);
// Path of the document's PDF copy as stored: the PDF folder without its drive, "\", the name;
// at most 60 characters.
std::string PdfPath(const std::string& pdfFolder, const std::string& pdfName);
// The warning for a PDF folder with which the stored path of a document's PDF (folder and the
// longest name DocumentPdfName gives) would not fit its 60 characters; empty when it fits.
std::string PdfFolderWarning(const std::string& pdfFolder);

}  // namespace qorvana
