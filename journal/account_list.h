#pragma once
// The company's accounts (qorvana.con records 1 to the count of counters record 6) as the
// registration form lists and looks them up.

#include <optional>
#include <string>
#include <vector>

#include "core/data_files.h"

namespace qorvana {

struct AccountEntry {
    int record = 0;    // record number in qorvana.con
    double code = 0;   // numeric value of the 10-character code field
    std::string name;  // account name, trimmed
    std::string item;  // "01.02.0003 " and the name padded to 40 characters
};

class AccountList {
  public:
    static AccountList Load(const DataFiles& files);

    const std::vector<AccountEntry>& entries() const { return entries_; }
    std::size_t size() const { return entries_.size(); }
    // The account whose code has the numeric value of `code` (parts joined; leading zeros do
    // not matter); the first in record order. nullopt for none.
    const AccountEntry* find(const std::string& code) const;

    // "01.02.0003 " followed by the name padded to 40 characters.
    static std::string ItemText(const std::string& codeField, const std::string& name);

  private:
    std::vector<AccountEntry> entries_;
};

}  // namespace qorvana
