#pragma once
// Line files: the lines of a delivery note, a receipt or an issued document as plain text,
// one value per line (Windows-1252, CRLF): a header of lines, then one block of 10 lines
// per document line.
//
// | Block line | Content                                  |
// |------------|------------------------------------------|
// | 1          | article record number (0 = none)         |
// | 2          | origin reference, 15 characters          |
// | 3          | article code, 15 characters              |
// | 4          | description, 60 characters               |
// | 5          | unit of measure, 2 characters            |
// | 6          | first discount, whole percent            |
// | 7          | second discount, whole percent           |
// | 8          | VAT code                                 |
// | 9          | quantity                                 |
// | 10         | unit price                               |
//
// Numbers are written as the suite's sequential print writes them on an Italian system: a
// blank before a non-negative number, a blank after every number, "," as decimal separator
// and no zero before it (" 12 ", "-3 ", " ,5 ", " 1234,75 "). Texts are padded to their
// width, with control characters and code 255 removed so that a value stays on its line.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"
#include "core/session_codes.h"
#include "document/document_draft.h"
#include "document/line_table.h"

namespace qorvana {

// What is wrong with a number line: text where a number belongs, or a number beyond what
// its field holds (a small integer outside -32768..32767; a quantity, price or their product
// of 11 integer digits or more).
enum class LineFault { None, NotNumber, BeyondLimits };

struct LineFileContent {
    std::vector<std::string> header;       // header lines as read (trimmed)
    std::vector<DocumentLine> blocks;      // blocks read; quantityMoved = quantity
    bool complete = true;                  // false when the file ended before its last block
    int badLine = 0;                       // first line (1-based) with a fault; 0 = none
    LineFault badFault = LineFault::None;  // that line's fault
    int readError = 0;  // the file is there but could not be read (a system error number)
};

class LineFile {
  public:
    static constexpr int kBlockLines = 10;
    // Issued documents: "f" + serial, 15 header lines, 500 blocks.
    static constexpr int kIssuedHeaderLines = 15;
    static constexpr int kIssuedBlocks = 500;
    // Delivery notes ("b" + serial): 10 header lines, 200 blocks.
    static constexpr int kNoteHeaderLines = 10;
    static constexpr int kNoteBlocks = 200;
    // Receipts ("r" + serial): 15 header lines (line 12 "1" = prices include VAT), 200 blocks.
    static constexpr int kReceiptHeaderLines = 15;
    static constexpr int kReceiptBlocks = 200;

    // A number as the sequential print writes it: " 12 ", "-3 ", " ,5 ", " 1234,75 ".
    static std::string NumberText(double value);
    // A text value: control characters and code 255 removed, cut or padded to `width`.
    static std::string PaddedText(std::string_view utf8, std::size_t width);
    // A text value with only the unsafe characters removed (header texts keep their length).
    static std::string CleanText(std::string_view utf8);

    // The 15 header lines of an issued document's file: customer, kind, transport, whether
    // prices include VAT, number and dates.
    static std::vector<std::string> IssuedHeader(const DocumentDraft& draft,
                                                 DocumentKind documentKind);
    // Name of an issued document's file in the company folder: "f" + the serial's digits.
    static std::string IssuedFileName(float serial);

    // The 10 lines of one block.
    static std::vector<std::string> BlockLines(const DocumentLine& line);

    // The file's bytes: `header` lines as given (cleaned), then one block per entry.
    static std::string Bytes(const std::vector<std::string>& header,
                             const std::vector<DocumentLine>& blocks);

    // Writes the file whole through the durable path, replacing any file of that name:
    // `header` lines as given (cleaned), then one block per entry of `blocks`; the failure says
    // why the file could not be written.
    static Status Write(const std::filesystem::path& file, const std::vector<std::string>& header,
                        const std::vector<DocumentLine>& blocks);
    // Lines 1..count of a line table as blocks.
    static std::vector<DocumentLine> BlocksOf(const LineTable& table,
                                              int count = LineTable::kLines);

    // Reads a file of `headerLines` header lines and up to `maxBlocks` blocks. The end of
    // the file ends the blocks (a block cut short keeps the values read). Quantities and
    // prices accept "," or "." as the decimal separator; `badLine` names the first number
    // line that holds other text or a number beyond its field's limits (such a block's
    // values are not to be used). nullopt when there is no such file; a file that is there
    // but cannot be read gives no blocks and its `readError`.
    static std::optional<LineFileContent> Read(const std::filesystem::path& file, int headerLines,
                                               int maxBlocks);
    // The same, from the file's bytes.
    static LineFileContent Parse(std::string bytes, int headerLines, int maxBlocks);
};

// A block is in use when its quantity or price is not 0 or its description is not blank.
bool BlockInUse(const DocumentLine& block);

}  // namespace qorvana
