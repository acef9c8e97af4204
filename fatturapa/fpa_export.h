#pragma once
// Writing the FatturaPA file of the document being issued: the panel's entries copied into
// FpaRecord, the progressive, folder and file name, every check that comes before a write,
// then the archive copy "fpa" + progressive, the file (under a temporary name, then renamed),
// the transmission counter and fpaState. Nothing is written when a check fails.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "fatturapa/fpa_writer_v10.h"

namespace qorvana {

struct Session;

// The electronic-invoice panel as the operator left it.
struct FpaPanelEntries {
    std::string documentType;             // Combo8(0) item, "TD01 Fattura" ...
    std::string withholdingReason;        // Combo8(1) item, empty or "A ..."
    std::string withholdingType;          // Combo8(2) item, "RT00 ..."
    std::string paymentCondition;         // Combo8(3) item
    std::string paymentMode;              // Combo8(4) item
    std::array<std::string, 16> text4{};  // Text4(1..15)
    std::array<std::string, 11> dates{};  // dsca(6..10), "dd/mm/yyyy"
    int carrier = -1;                     // Combo6 position; -1 for none
    bool art73 = false;
    bool deferredVat = false;  // esig
};

// The header entries the file needs.
struct FpaHeaderEntries {
    std::string documentNumber;       // text2(0)
    std::string documentDate;         // text3(1)
    std::string progressive;          // text2(4) as it stands
    std::string proposedProgressive;  // what the header proposed in text2(4)
    std::array<std::string, 6> dueDates{};
    std::array<double, 6> dueAmounts{};
    bool selfBilled = false;  // "Autofattura"
};

// Everything an export reads.
struct FpaExportInput {
    const FpaRecord& settings;  // qorvana.fpa as loaded
    const FpaPanelEntries& panel;
    const FpaHeaderEntries& header;
    const CustomerRecord& customer;
    const LineTable& lines;
    const DocumentFigures& figures;
    const VatTable& vat;
    const HeaderTables& tables;
};

// Copies the panel and header entries into `record` (Part 3.3's "filled from" column): the
// withholding fields only when `withholdingRate` is above 0, the pension-fund fields blank.
void FillFpaRecord(FpaRecord& record, const FpaPanelEntries& panel, const FpaHeaderEntries& header,
                   const HeaderTables& tables, const CustomerRecord& customer,
                   double withholdingAmount, double withholdingRate, int progressive);

// The name part taken from a document number: its letters and digits only, so that no
// number can name a folder ("15/2024" gives "152024").
std::string FileNamePart(std::string_view documentNumber);

// An export checked and composed, ready to be written.
struct FpaExportPlan {
    std::string fileName;          // "IT01234567890_15.xml"
    std::string folderText;        // the folder as set, ending with "\"
    std::filesystem::path target;  // host path of the file
    bool replacesFile = false;     // a file of that name is already there
    int progressive = 0;           // for the file, the counter, the archive and fpaState
    bool advancesCounter = false;  // first export of this document in this run
    FpaRecord record;
    std::string xml;
};

struct FpaPrepared {
    std::optional<FpaExportPlan> plan;
    std::string refusal;  // the message when there is no plan
};

// Checks and composes; writes nothing.
FpaPrepared PrepareFpaExport(const FpaExportInput& input, const Session& session);
// Writes the archive copy, the file and the counter, then sets fpaState. Returns the message
// of a failure (counter and fpaState then unchanged), empty on success.
std::string CommitFpaExport(const FpaExportPlan& plan, Session& session);

// "Il file ... è stato creato all'interno della cartella ...".
std::string FpaCreatedMessage(const FpaExportPlan& plan);
// The question before a file of the same name is replaced.
std::string FpaReplaceQuestion(const FpaExportPlan& plan);

// Writes `bytes` as the whole content of `file`: first under a temporary name in the same
// folder, then renamed over it, so a failure never leaves a partial file. Returns the
// system's reason of a failure, empty on success.
std::string ReplaceFileContents(const std::filesystem::path& file, std::string_view bytes);

}  // namespace qorvana
