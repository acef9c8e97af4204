#pragma once
// A company folder holding only customers, their name index and the counters file, for the
// start form's core tests.

#include <optional>
#include <string>
#include <vector>

#include "startup/counters_record.h"
#include "startup/customer_record.h"
#include "startup/name_index_record.h"
#include "tests/startup/temp_dir.h"

namespace qorvana::testing {

struct FixtureCustomer {
    std::string name;
    std::string town = "ROMA";
    int deleted = 0;
    std::string paFlag = "0";
};

// Writes customers 1..n in the order given and an index entry per customer in the order
// given by `indexOrder` (1-based record numbers; empty: name order as given). `count` is
// word 1 of counters record 1 (none: the number of entries).
inline void WriteCustomers(const TempDir& dir, const std::vector<FixtureCustomer>& customers,
                           std::vector<int> indexOrder = {},
                           std::optional<int> count = std::nullopt) {
    std::string cliBytes;
    for (const FixtureCustomer& c : customers) {
        CustomerRecord r;
        for (auto& b : r.bytes()) b = ' ';
        r.setText(cli::kName1, c.name);
        r.setText(cli::kName2, c.name + " SRL");
        r.setText(cli::kTown, c.town);
        r.setText(cli::kVatNumber, "01234567890");
        r.setText(cli::kPaFlag, c.paFlag);
        r.setInt16(cli::kDeleted, static_cast<std::int16_t>(c.deleted));
        cliBytes.append(reinterpret_cast<const char*>(r.bytes().data()), r.bytes().size());
    }
    if (indexOrder.empty())
        for (std::size_t i = 0; i < customers.size(); ++i)
            indexOrder.push_back(static_cast<int>(i) + 1);
    std::string srcBytes;
    for (int record : indexOrder) {
        NameIndexRecord e;
        const std::size_t at = static_cast<std::size_t>(record - 1);
        e.setText(src::kKey, at < customers.size() ? customers[at].name : "STALE");
        e.setInt16(src::kCustomer, static_cast<std::int16_t>(record));
        srcBytes.append(reinterpret_cast<const char*>(e.bytes().data()), e.bytes().size());
    }
    CountersRecord counters;
    counters.setInt16(tot::kWord1, static_cast<std::int16_t>(
                                       count ? *count : static_cast<int>(indexOrder.size())));
    const std::string folder = "qorwin/qorwin/qoraz0.001/";
    dir.write(folder + "qorvana.cli", cliBytes);
    dir.write(folder + "qorvana.src", srcBytes);
    dir.write(folder + "qorvana.tot",
              std::string(reinterpret_cast<const char*>(counters.bytes().data()),
                          counters.bytes().size()));
}

inline std::filesystem::path CompanyFolderOf(const TempDir& dir) {
    return dir.path() / "qorwin/qorwin/qoraz0.001";
}

}  // namespace qorvana::testing
