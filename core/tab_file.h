#pragma once
// qorvana.tab, the company's code tables, read once through one block map (1-based lines):
//   1-32 VAT codes 1-8 (4 lines each)      383-622 carriers 40 x 6
//   33-56 unused 8 x 3                     623-654 VAT codes 9-16 (4 lines each)
//   57-65 exemptions 0-8 ("desc,text")     655-678 unused
//   66-83 unused 9 x 2                     679-686 exemptions 9-16
//   84-143 payment terms 1-30 (2 lines)    687-702 unused 8 x 2
//   144-152 Combo5 table (two CSV values)  703-762 payment terms 31-60
//   153-192 list entries 1-40              763-773 unused CSV lines
//   193-232 unused                         774-833 list entries 41-100
//   233-382 unused 30 x 5
// docs/qorvana-tab.md describes the same map. Each form takes its slice from here.

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace qorvana {

class TabFile {
  public:
    static constexpr int kLines = 833;

    // Reads the file; a missing or unreadable file gives every line empty and loaded() false.
    static TabFile Load(const std::filesystem::path& file);
    static TabFile FromLines(std::vector<std::string> lines);

    bool loaded() const { return loaded_; }
    // The system error that kept the file from being read; 0 when read or missing.
    int readError() const { return readError_; }
    // Number of lines the file holds (0 when missing).
    int lineCount() const { return static_cast<int>(lines_.size()); }
    // Line n (1-based) as read, UTF-8; empty past the end of the file.
    const std::string& line(int n) const;
    // Comma-separated item k (0-based) of line n, quoted strings unquoted.
    std::string item(int n, int k) const;

    // Block starts (1-based line of the first line of each block).
    static constexpr int kVat1to8 = 1;
    static constexpr int kExemptions0to8 = 57;
    static constexpr int kPayment1to30 = 84;
    static constexpr int kSeriesTable = 144;
    static constexpr int kList1to40 = 153;
    static constexpr int kCarriers = 383;
    static constexpr int kVat9to16 = 623;
    static constexpr int kExemptions9to16 = 679;
    static constexpr int kPayment31to60 = 703;
    static constexpr int kList41to100 = 774;

    // First line of VAT code c (1..16): 4 lines per code.
    static int VatCodeLine(int code);
    // Line of exemption entry e (0..16).
    static int ExemptionLine(int entry);
    // First line of payment term t (1..60): 2 lines per term.
    static int PaymentTermLine(int term);
    // Line of list entry k (1..100).
    static int ListEntryLine(int entry);
    // First line of carrier row r (1..40): 6 lines per row.
    static int CarrierLine(int row);

  private:
    std::vector<std::string> lines_;
    bool loaded_ = false;
    int readError_ = 0;
};

}  // namespace qorvana
