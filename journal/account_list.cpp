#include "journal/account_list.h"

#include <cmath>

#include "core/counters.h"
#include "core/counters_record.h"
#include "core/cp1252.h"
#include "core/numbers.h"
#include "core/text.h"
#include "journal/account_record.h"

namespace qorvana {

std::string AccountList::ItemText(const std::string& codeField, const std::string& name) {
    const double value = Val(codeField);
    std::string digits;
    if (value >= 0 && value <= 99999999 && value == std::floor(value)) {
        digits = std::to_string(static_cast<long>(value));
        digits.insert(0, 8 - digits.size(), '0');
    } else {
        digits = Trim(codeField).substr(0, 8);
        digits.resize(8, ' ');
    }
    std::string padded = name;
    const std::size_t length = Utf8Length(padded);
    if (length < 40) padded.append(40 - length, ' ');
    return digits.substr(0, 2) + "." + digits.substr(2, 2) + "." + digits.substr(4, 4) + " " +
           padded;
}

AccountList AccountList::Load(const DataFiles& files) {
    AccountList list;
    const int count = RecordCount(files, tot::kAccounts);
    list.entries_.reserve(static_cast<std::size_t>(count));
    // Read in blocks: the whole file is listed every time the form is shown.
    files.scan<AccountsFile>(1, count, [&list](std::int32_t n, const AccountRecord& r) {
        const std::string code = r.text(con::kCode);
        AccountEntry e;
        e.record = n;
        e.code = Val(code);
        e.name = r.text(con::kName);
        e.item = ItemText(code, e.name);
        e.name = Trim(e.name);
        list.entries_.push_back(std::move(e));
    });
    return list;
}

const AccountEntry* AccountList::find(const std::string& code) const {
    const double value = Val(code);
    if (value == 0) return nullptr;  // an empty code names no account
    for (const AccountEntry& e : entries_)
        if (e.code == value) return &e;
    return nullptr;
}

}  // namespace qorvana
