#include "customers/customer_index.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/counters_record.h"
#include "core/data_files.h"
#include "customers/customer_record.h"
#include "customers/name_index_record.h"
#include "tests/temp_dir.h"

namespace qorvana {
namespace {

// Customers 1..n named as given ("-" deleted, "*" public administration), a name index of the
// records in `order` (default: as given) and the index count `count` (default: its entries).
struct Company : testing::TempCompany {
    Company(std::vector<std::string> names, std::vector<int> order = {},
            std::optional<int> count = std::nullopt)
        : TempCompany(1) {
        for (std::size_t n = 0; n < names.size(); ++n) {
            std::string& name = names[n];
            CustomerRecord r;
            for (auto& b : r.bytes()) b = ' ';
            r.setInt16(cli::kDeleted, name[0] == '-' ? 1 : 0);
            r.setText(cli::kPaFlag, name[0] == '*' ? "1" : "0");
            if (name[0] == '-' || name[0] == '*') name.erase(0, 1);
            r.setText(cli::kName1, name);
            r.setText(cli::kName2, name + " SRL");
            r.setText(cli::kTown, "ROMA");
            r.setText(cli::kVatNumber, "01234567890");
            files.write<CustomersFile>(static_cast<int>(n) + 1, r);
        }
        if (order.empty())
            for (std::size_t i = 1; i <= names.size(); ++i) order.push_back(static_cast<int>(i));
        for (std::size_t i = 0; i < order.size(); ++i) {
            NameIndexRecord e;
            const std::size_t at = static_cast<std::size_t>(order[i] - 1);
            e.setText(src::kKey, at < names.size() ? names[at] : "STALE");
            e.setInt16(src::kCustomer, static_cast<std::int16_t>(order[i]));
            files.write<NameIndexFile>(static_cast<int>(i) + 1, e);
        }
        CountersRecord counters;
        counters.setInt16(tot::kRecordCount, static_cast<std::int16_t>(
                                                 count.value_or(static_cast<int>(order.size()))));
        files.write<CountersFile>(1, counters);
    }
    CustomerIndex index() const { return CustomerIndex(files); }
};

TEST(CustomerIndex, NameSearchFindsTheFirstNameThatBeginsWithTheKey) {
    const Company c({"ALFA", "ARCO", "BETA", "BORDO", "CITTÀ BELLA", "DELTA", "NODO", "NORDICA",
                     "ROSSI", "ROSSI MARIO", "ZETA"});
    const auto index = c.index();
    const std::pair<const char*, int> cases[] = {
        {"al", 1}, {"zeta", 11}, {"zz", 0},    {"città", 5}, {"CITTÀ", 5},
        {"b", 3},  {"bo", 4},    {"ROSSI", 9}, {"   ", 0},   {"a", 1}};
    for (const auto& [key, position] : cases) EXPECT_EQ(index.findByName(key), position) << key;
}

// An exact name wins over the longer names it begins, wherever the probes fall.
TEST(CustomerIndex, ExactNameComesBeforeTheLongerNamesItBegins) {
    const Company c({"A", "B", "C", "D", "ROSSI", "ROSSI MARIO", "S", "T", "U", "V", "W"});
    const auto index = c.index();
    EXPECT_EQ(index.findByName("ROSSI"), 5);  // the first probe, 6, begins with ROSSI too
    EXPECT_EQ(index.findByName("rossi m"), 6);
    const Company legal({"BARBIERI & CAPUTO S.R.L.", "BARBIERI & CAPUTO S.R.L.S.", "BETA"});
    EXPECT_EQ(legal.index().findByName("barbieri & caputo s.r.l."), 1);
    EXPECT_EQ(legal.index().findByName("barbieri & caputo s.r.l.s"), 2);
    EXPECT_EQ(index.findByRecord(6), 6);
    EXPECT_EQ(index.findByRecord(0), 0);
    EXPECT_EQ(index.findByRecord(12), 0);
}

TEST(CustomerIndex, EmptyOrDamagedIndexFindsNobody) {
    for (int count : {0, -1, -32768}) {
        const Company c({"ALFA", "BETA"}, {1, 2}, count);
        const auto index = c.index();
        EXPECT_EQ(index.count(), 0) << count;
        EXPECT_EQ(index.findByName("A"), 0);
        EXPECT_EQ(index.recordAt(1), 0);
        EXPECT_TRUE(index.list("").empty());
    }
}

// Entries pointing at records 0, -1 and 9 of a 2-record customer file list no customer.
TEST(CustomerIndex, RecordNumbersOutsideTheCustomerFileListNoCustomer) {
    const Company c({"ALFA", "BETA"}, {1, 0, -1, 9, 2});
    const auto rows = c.index().list("");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].record, 2);
}

// The list keeps the index's order, an entry repeated included, whatever the order of the
// records; a customer cut short by the end of the file is no customer.
TEST(CustomerIndex, ListFollowsTheIndexOrderOverAShortCustomerFile) {
    Company c({"ALFA", "-BETA", "GAMMA", "DELTA"}, {3, 1, 3, 2, 4, 1});
    const auto path = c.files.pathOf(kCli);
    std::filesystem::resize_file(path, 3 * cli::kLength + cli::kLength / 2);  // DELTA cut
    const auto rows = c.index().list("");
    std::vector<int> records;
    for (const auto& row : rows) records.push_back(row.record);
    EXPECT_EQ(records, (std::vector<int>{3, 1, 3, 1}));
    for (std::size_t k = 0; k < 5; ++k) EXPECT_EQ(rows.column(rows[2], k), rows.column(rows[0], k));
    EXPECT_EQ(rows.column(rows[0], 0), "GAMMA");
    EXPECT_EQ(rows.column(rows[3], 1), "ALFA SRL");
    EXPECT_EQ(rows.column(rows[3], 4), "01234567890");
    EXPECT_EQ(c.index().findByRecord(1), 2);  // the first entry naming it
}

// The filter holds in the name upper-cased as names compare, accented letters included; a
// deleted customer is never listed.
TEST(CustomerIndex, ListFilterIgnoresCaseAndLeavesOutDeleted) {
    const Company c({"Città bella", "CITTÀ ALTA", "cittadella", "-CITTÀ CHIUSA", "ROMA"});
    const std::pair<const char*, std::vector<int>> cases[] = {
        {"città", {1, 2}}, {"CITT", {1, 2, 3}}, {" alta ", {2}}, {"", {1, 2, 3, 5}}, {"x", {}}};
    for (const auto& [filter, expected] : cases) {
        std::vector<int> records;
        for (const auto& row : c.index().list(filter)) records.push_back(row.record);
        EXPECT_EQ(records, expected) << filter;
    }
    const auto rows = c.index().list("bella");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows.column(rows[0], 0), "Città bella");
}

// The search box and the start form's suggestions: the text anywhere in name line 1, town or
// VAT number, whatever the case (accented letters too), the blanks around it not counting;
// name line 2 does not count. The list tells how far it read.
TEST(CustomerIndex, ListNarrowsByNameTownOrVatNumberAnywhere) {
    Company c({"ALFA", "Città bella", "BETA", "GAMMA"});
    const std::pair<const char*, const char*> places[] = {
        {"Verona", "03456780232"}, {"Padova", ""}, {"Vicenza", "04123450282"}, {"Legnago", "9"}};
    for (int n = 1; n <= 4; ++n) {
        auto r = c.files.read<CustomersFile>(n);
        r.setText(cli::kTown, places[n - 1].first);
        r.setText(cli::kVatNumber, places[n - 1].second);
        c.files.write<CustomersFile>(n, r);
    }
    std::int64_t done = 0;
    std::int64_t total = -1;
    const CustomerList rows = c.index().list("", [&](std::int64_t d, std::int64_t t) {
        done = d;
        total = t;
    });
    EXPECT_EQ(done, total);
    const std::tuple<const char*, std::size_t, std::vector<int>> cases[] = {
        {"ver", 9, {1}},       {"  PAD ", 9, {2}},     {"CITTÀ", 9, {2}}, {"città b", 9, {2}},
        {"0282", 9, {3}},      {"a", 9, {1, 2, 3, 4}}, {"a", 2, {1, 2}},  {"srl", 9, {}},
        {"", 9, {1, 2, 3, 4}}, {"vicenzA", 9, {3}}};
    for (const auto& [text, limit, expected] : cases) {
        std::vector<int> records;
        for (const std::size_t i : rows.holding(text, limit)) records.push_back(rows[i].record);
        EXPECT_EQ(records, expected) << text;
    }
}

TEST(CustomerIndex, CardHoldsTheShownFields) {
    const Company c({"-ALFA", "*COMUNE DI ROMA"});
    const auto index = c.index();
    const CustomerCard alfa = index.card(1);
    EXPECT_EQ(alfa.fields[1], "ALFA SRL");
    EXPECT_EQ(alfa.fields[7], "01234567890");
    EXPECT_EQ(alfa.deletedFlag, 1);
    EXPECT_FALSE(alfa.publicAdministration);
    EXPECT_TRUE(index.card(2).publicAdministration);
}

}  // namespace
}  // namespace qorvana
