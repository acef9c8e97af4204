#pragma once
// Writing the FatturaPA file of the document being issued: the panel's entries copied into
// FpaRecord, the progressive, folder and file name, every check that comes before a write,
// then the file under a temporary name, the archive copy "fpa" + progressive, the transmission
// counter and the file's own name; the draft's fpaState is then the caller's to set. Nothing is
// left written when a step fails.

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/money.h"
#include "core/result.h"
#include "core/write_set.h"
#include "document/document_draft.h"
#include "fatturapa/fpa_check_model.h"
#include "fatturapa/fpa_writer_v10.h"
#include "fatturapa/fpa_writer_v12.h"

namespace qorvana {

class DataFiles;
class PathMapper;

// A stored document written again (a rejected e-invoice corrected): the panel's entries as its
// archive copy kept them, its kind, and its withholding's reason (the archive copy holds one
// character of it). It always takes the next progressive and leaves fpaState alone.
struct StoredEntries {
    const FpaRecord& archived;
    DocumentKind kind = DocumentKind::Invoice;
    std::string withholdingReason;
};

// The check of a file before it is written, as the exchange system checks it
// (CheckWithProgramSchema): handed in, so that the XML parser and schemas (libxml2) come with
// the e-invoice channel when it is loaded, not with the program's start.
using FpaFileCheck = std::function<Result<std::vector<FpaFinding>>(std::string_view fileName,
                                                                   std::string_view bytes)>;

// Everything an export reads: the draft gives the header's and the panel's entries, the
// lines, their figures, whether prices include VAT, the document's kind and e-invoice state
// and the transmission number the header proposed; the company gives its settings, tables,
// counters and folder.
struct FpaExportInput {
    const FpaRecord& settings;  // qorvana.fpa as loaded
    const DocumentDraft& draft;
    const CustomerRecord& customer;
    const VatTable& vat;
    const HeaderTables& tables;
    Money money;
    const DataFiles& files;
    const PathMapper& paths;
    std::string companyFolder;  // \qorwin\qorwin\qoraz0.NNN, as the suite names it
    FpaFileCheck check;
    const StoredEntries* stored = nullptr;
};

// The FatturaPA format a company writes, chosen by the one-line text file qorvana.fpv in its
// company folder: "1.2.3" for FatturaPA 1.2.3; "1.0", or no file, for FatturaPA 1.0.
// Refused when the file names no known format or cannot be read.
enum class FpaFormat { V10, V123 };
inline constexpr const char* kFpaFormatFile = "qorvana.fpv";
Result<FpaFormat> ReadFpaFormat(const std::filesystem::path& file, const std::string& suiteName);

// Copies the panel and header entries into `record` (the list positions as the codes of
// their items): the withholding fields only when `withholdingRate` is above 0, the
// pension-fund fields blank.
void FillFpaRecord(FpaRecord& record, const PanelEntries& panel, const HeaderEntries& header,
                   const HeaderTables& tables, const CustomerRecord& customer,
                   double withholdingAmount, double withholdingRate, int progressive);

// What the e-invoice of a company issuing one to every customer adds to the file: the
// customer's e-invoice data, the delivery notes imported (TD24), the corrected invoice of a
// credit note, the stamp duty.
EInvoiceDocument EInvoiceDocumentOf(const DocumentDraft& draft, const Money& money);

// An export checked and composed, ready to be written.
struct FpaExportPlan {
    FpaFormat format = FpaFormat::V10;
    std::string fileName;          // "IT01234567890_15.xml", 1.2.3: "IT01234567890_0000H.xml"
    std::string folderText;        // the folder as set, ending with "\"
    std::filesystem::path target;  // host path of the file
    bool replacesFile = false;     // a file of that name is already there
    int progressive = 0;           // for the file, the counter, the archive and fpaState
    bool advancesCounter = false;  // first export of this document in this run
    std::string archiveName;       // the archive copy "fpa" + progressive, by its suite path
    bool setsFpaState = true;      // the document being issued (not a stored one)
    FpaRecord record;
    std::string xml;
    // What the file is written without and the operator should see to, in Italian.
    std::vector<std::string> warnings;
};

// Checks and composes; writes nothing. The refusal says what stops the export.
Result<FpaExportPlan> PrepareFpaExport(const FpaExportInput& input);

// The file written by a commit has its name, or will have it when the intent left by a failed
// write is completed (the document's fpaState is then the plan's progressive, when the plan
// sets it).
struct FpaFileNamed {};
// Writes through one WriteSet under an intent in `companyFolder` (core/intent_log.h): the file
// under a temporary name, then the archive copy and the counter, then gives the file its name,
// each write flushed to the disk; last `withFile`, a whole file that changes with it in the
// same step (the list of the e-invoices to send, when a stored document's file is written
// again). A refusal writes nothing (the progressive is not used); a write failing once the
// intent is written leaves it to complete the rest at the next posting or start: the failure
// then still holds FpaFileNamed, and its message says so.
Result<FpaFileNamed> CommitFpaExport(const FpaExportPlan& plan, DataFiles& files,
                                     const PathMapper& paths,
                                     const std::filesystem::path& companyFolder,
                                     const std::optional<WholeFileContent>& withFile = {});

// True when `written`, the file written for the document before, is the file the plan writes
// and holds what it writes: nothing the file carries changed since.
bool FpaFileIsCurrent(const FpaExportPlan& plan, const std::filesystem::path& written);
// Removes the file written for the document (`fpaFile`, its suite path): it no longer goes with
// the document. Done when it is gone (or was never there), else why it is still there.
Status RemoveFpaFile(const PathMapper& paths, const std::string& fpaFile);

// The host folder of the company's XML files (FatturaPA settings `fpa`); empty when none is set.
std::filesystem::path FpaXmlFolder(const FpaRecord& fpa, const PathMapper& paths);

// "Il file ... è stato creato all'interno della cartella ...", then the plan's warnings.
std::string FpaCreatedMessage(const FpaExportPlan& plan);
// The question before a file of the same name is replaced.
std::string FpaReplaceQuestion(const FpaExportPlan& plan);

}  // namespace qorvana
