#pragma once
// The customers in name order: the name index (entries 1 to word 1 of counters record 1, each
// a name key and a customer record number) over the customer file. Record numbers taken from
// the index are checked: one outside the customer file counts as no customer.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/progress.h"
#include "core/result.h"
#include "core/text_buffer.h"

namespace qorvana {

class DataFiles;

// What the start form shows of one customer, in the order of its boxes text2(0..21).
struct CustomerCard {
    int record = 0;  // 0: no customer
    std::array<std::string, 22> fields{};
    bool publicAdministration = false;  // flag "1"
    int deletedFlag = 0;
};

// One row of the customer list: the customer's record and which shown texts of the list are
// its own (CustomerList::column).
struct CustomerListRow {
    int record = 0;
    std::uint32_t texts = 0;
};

// The rows of the customer list. The texts of all rows lie in one buffer the list owns: a list
// of 32,767 customers is a few allocations, not 160,000 strings. A row's texts live as long as
// its list; the list moves, it is not copied.
class CustomerList {
  public:
    // Where the shown texts of one customer lie in the buffer, one after the other: text k
    // from bounds[k] to bounds[k + 1].
    using Bounds = std::array<std::uint32_t, 6>;

    CustomerList() = default;
    CustomerList(TextBuffer text, std::vector<Bounds> texts, std::vector<CustomerListRow> rows)
        : text_(std::move(text)), texts_(std::move(texts)), rows_(std::move(rows)) {}

    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    const CustomerListRow& operator[](std::size_t i) const { return rows_[i]; }
    auto begin() const { return rows_.begin(); }
    auto end() const { return rows_.end(); }
    // The rows, to be reordered in place.
    std::span<CustomerListRow> rows() { return rows_; }
    // Shown text `k` of a row of this list: 0 name 1, 1 name 2, 2 address, 3 town, 4 VAT number.
    std::string_view column(const CustomerListRow& row, std::size_t k) const {
        const Bounds& b = texts_[row.texts];
        return text_.view({b[k], b[k + 1] - b[k]});
    }
    // The positions of the rows whose name line 1, town or VAT number holds `text` anywhere,
    // without regard to case (the blanks around it do not count), in the list's order and at
    // most `limit` of them; every row for an empty text.
    std::vector<std::size_t> holding(std::string_view text, std::size_t limit) const;

  private:
    TextBuffer text_;  // moving the list keeps its texts in place
    std::vector<Bounds> texts_;
    std::vector<CustomerListRow> rows_;
};

class CustomerIndex {
  public:
    explicit CustomerIndex(const DataFiles& files) : files_(files) {}

    // Entries in the index: word 1 of counters record 1, but no more than qorvana.src holds; a
    // negative count counts as 0.
    int count() const;
    // Done when counters record 1 counts no more entries than qorvana.src holds; else a
    // failure saying so, in Italian.
    Status countHolds() const;
    // Italian message for an index entry whose customer record cannot be read.
    static std::string UnreadableMessage(int position, int record);
    // Customer record number of entry `position` (1..count), 0 when out of range.
    int recordAt(int position) const;
    // Binary search for the first entry, in index order, whose upper-cased name begins with
    // the upper-cased trimmed key, so that an exact name comes before the longer names it
    // begins; 0 when none, when the key is empty or the index is empty.
    int findByName(std::string_view key) const;
    // Position of the entry pointing at customer `record`; 0 when none.
    int findByRecord(int record) const;
    // The customer with record number `record`; an empty card when out of range.
    CustomerCard card(int record) const;
    // Customers whose upper-cased trimmed name line 1 contains the upper-cased trimmed filter
    // (every one for an empty filter), never deleted ones, in index order. `progress` hears
    // of the index entries and customer records read.
    CustomerList list(std::string_view filter, const ProgressReport& progress = {}) const;

  private:
    bool customerExists(int record) const;
    const DataFiles& files_;
};

}  // namespace qorvana
