#include "core/tab_file.h"

#include "core/seq_reader.h"

namespace qorvana {

TabFile TabFile::Load(const std::filesystem::path& file) {
    SeqReader in(file);
    TabFile tab;
    tab.loaded_ = in.opened();
    tab.readError_ = in.readError();
    while (!in.atEnd()) tab.lines_.push_back(in.readLine());
    return tab;
}

TabFile TabFile::FromLines(std::vector<std::string> lines) {
    TabFile tab;
    tab.lines_ = std::move(lines);
    tab.loaded_ = true;
    return tab;
}

const std::string& TabFile::line(int n) const {
    static const std::string kEmpty;
    if (n < 1 || n > lineCount()) return kEmpty;
    return lines_[static_cast<std::size_t>(n - 1)];
}

std::string TabFile::item(int n, int k) const {
    if (k < 0) return "";
    const auto items = SeqReader::SplitItems(line(n));
    return static_cast<std::size_t>(k) < items.size() ? items[static_cast<std::size_t>(k)] : "";
}

int TabFile::VatCodeLine(int code) {
    if (code >= 1 && code <= 8) return kVat1to8 + (code - 1) * 4;
    if (code >= 9 && code <= 16) return kVat9to16 + (code - 9) * 4;
    return 0;
}

int TabFile::ExemptionLine(int entry) {
    if (entry >= 0 && entry <= 8) return kExemptions0to8 + entry;
    if (entry >= 9 && entry <= 16) return kExemptions9to16 + (entry - 9);
    return 0;
}

int TabFile::PaymentTermLine(int term) {
    if (term >= 1 && term <= 30) return kPayment1to30 + (term - 1) * 2;
    if (term >= 31 && term <= 60) return kPayment31to60 + (term - 31) * 2;
    return 0;
}

int TabFile::ListEntryLine(int entry) {
    if (entry >= 1 && entry <= 40) return kList1to40 + (entry - 1);
    if (entry >= 41 && entry <= 100) return kList41to100 + (entry - 41);
    return 0;
}

int TabFile::CarrierLine(int row) {
    if (row >= 1 && row <= 40) return kCarriers + (row - 1) * 6;
    return 0;
}

}  // namespace qorvana
