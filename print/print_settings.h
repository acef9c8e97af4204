#pragma once
// The body form's print tables, read when it loads: print settings (qorvana.int), VAT items
// (qorvana.ilx), the layout of the printed document (qorvana.lyf), the modules list
// (qorvana.prg) and the PDF settings (qorvana.pdf). The VAT rate and exemption texts are the
// company's VAT table (CompanySettings).
// Every file is optional: a missing one leaves its table empty, the layout gets defaults. A file
// that is there but cannot be read is said; so is a layout that is missing or incomplete.

#include <array>
#include <string>
#include <vector>

#include "document/document_math.h"

namespace qorvana {

struct Session;

// One layout item of qorvana.lyf: six columns, each as read.
struct LayoutItem {
    // position "XXXYYY", font size, font name, bold, italic, colour number
    std::array<std::string, 6> columns{"000000", "9", "Arial", "0", "0", "0"};

    // Integer part of the numeric value of the first / last three characters of column 0.
    int x() const;
    int y() const;
    double fontSize() const;
    const std::string& fontName() const { return columns[2]; }
    bool bold() const { return columns[3] != "0"; }
    bool italic() const { return columns[4] != "0"; }
    int colour() const;
};

struct PrintSettings {
    static constexpr int kLayoutItems = 100;

    std::array<std::string, 21> printLines{};               // qorvana.int entries 1..20
    std::array<std::array<std::string, 2>, 17> vatItems{};  // qorvana.ilx codes 1..12
    std::array<LayoutItem, kLayoutItems + 1> layout{};      // items 1..100
    bool accounting = false;                                // "=PIA"
    bool agents = false;                                    // "=AGE"
    bool quotes = false;                                    // "=PRE"
    std::array<std::array<std::string, 4>, 21> pdfTable{};  // rows 1..20, columns 0..3
    // Set when the PDF folder is too long for the stored path of a document's PDF.
    std::string pdfFolderWarning;
    // Files that are there but could not be read (the body form tells them when it loads).
    std::vector<std::string> problems;
    // Set when qorvana.lyf is missing, short or unreadable: told before printing.
    std::string layoutProblem;

    // Column 3 of PDF settings row 1, trimmed: the extra argument of the PDF program.
    std::string pdfExtraArgument() const;
};

// Reads the company's print tables and sets runSettings.pdfFolder from PDF settings row 1
// ("C:" when empty).
PrintSettings LoadPrintSettings(Session& session);

}  // namespace qorvana
