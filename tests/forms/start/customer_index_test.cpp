#include "forms/start/customer_index.h"

#include <gtest/gtest.h>

#include "startup/data_files.h"
#include "tests/forms/start/customer_fixture.h"

namespace qorvana {
namespace {

using testing::FixtureCustomer;
using testing::TempDir;

struct Company {
    TempDir dir;
    DataFiles files;
    Company(const std::vector<FixtureCustomer>& customers, std::vector<int> order = {},
            std::optional<int> count = std::nullopt) {
        testing::WriteCustomers(dir, customers, std::move(order), count);
        files.open(testing::CompanyFolderOf(dir));
    }
    CustomerIndex index() const { return CustomerIndex(files); }
};

std::vector<FixtureCustomer> Names(std::initializer_list<const char*> names) {
    std::vector<FixtureCustomer> out;
    for (const char* n : names) out.push_back({n});
    return out;
}

TEST(CustomerIndex, NameSearchFollowsTheProbeSequence) {
    const Company c(Names({"ALFA", "ARCO", "BETA", "BORDO", "CITTÀ BELLA", "DELTA", "NODO",
                           "NORDICA", "ROSSI", "ROSSI MARIO", "ZETA"}));
    const auto index = c.index();
    const struct {
        const char* key;
        int position;
    } cases[] = {
        {"al", 1},
        {"ALFA", 1},
        {"  arco ", 2},
        {"az", 0},
        {"zeta", 11},
        {"zz", 0},
        {"città", 5},
        {"CITTÀ", 5},
        {"b", 3},  // probes 6 (DELTA), then 3 (BETA),
                   // never 4 (BORDO)
        {"nodo", 7},
        {"ROSSI", 9},
        {"", 0},  // an empty key finds nothing
        {"   ", 0},
    };
    for (const auto& k : cases) EXPECT_EQ(index.findByName(k.key), k.position) << k.key;
}

TEST(CustomerIndex, RecordNumberFindsTheVeryCustomer) {
    const Company c(Names({"A", "B", "C", "D", "ROSSI", "ROSSI MARIO", "S", "T", "U", "V", "W"}));
    const auto index = c.index();
    EXPECT_EQ(index.findByName("ROSSI"), 6);  // mid = 1 + 11 / 2
    EXPECT_EQ(index.findByRecord(5), 5);
    EXPECT_EQ(index.findByRecord(6), 6);
    EXPECT_EQ(index.findByRecord(0), 0);
    EXPECT_EQ(index.findByRecord(12), 0);
}

TEST(CustomerIndex, EmptyOrDamagedIndexFindsNobody) {
    for (int count : {0, -1, -32768}) {
        const Company c(Names({"ALFA", "BETA"}), {1, 2}, count);
        const auto index = c.index();
        EXPECT_EQ(index.count(), 0) << count;
        EXPECT_EQ(index.findByName("A"), 0);
        EXPECT_EQ(index.findByName(""), 0);
        EXPECT_EQ(index.recordAt(1), 0);
        EXPECT_TRUE(index.list("").empty());
    }
}

TEST(CustomerIndex, RecordNumbersOutsideTheCustomerFileGiveNoCustomer) {
    // Entries 2..4 point at records 0, -1 and 9 of a 2-record customer file.
    const Company c(Names({"ALFA", "BETA"}), {1, 0, -1, 9, 2});
    const auto index = c.index();
    EXPECT_EQ(index.card(index.recordAt(1)).record, 1);
    for (int position : {2, 3, 4}) {
        const CustomerCard card = index.card(index.recordAt(position));
        EXPECT_EQ(card.record, 0) << position;
        EXPECT_EQ(card.fields[0], "");
    }
    const auto rows = index.list("");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].record, 1);
    EXPECT_EQ(rows[1].record, 2);
}

TEST(CustomerIndex, CardHoldsTheShownFields) {
    std::vector<FixtureCustomer> customers = Names({"ALFA", "COMUNE DI ROMA"});
    customers[0].deleted = 1;
    customers[1].paFlag = "1";
    const Company c(customers);
    const auto index = c.index();
    const CustomerCard alfa = index.card(1);
    EXPECT_EQ(alfa.fields[0], "ALFA");
    EXPECT_EQ(alfa.fields[1], "ALFA SRL");
    EXPECT_EQ(alfa.fields[4], "ROMA");
    EXPECT_EQ(alfa.fields[7], "01234567890");
    EXPECT_EQ(alfa.deletedFlag, 1);
    EXPECT_FALSE(alfa.publicAdministration);
    EXPECT_TRUE(index.card(2).publicAdministration);
}

TEST(CustomerIndex, ListFiltersBySubstringAndLeavesOutDeleted) {
    std::vector<FixtureCustomer> customers =
        Names({"BORDO", "NODO", "NORDICA", "ORDINE CANCELLATO", "PORTO"});
    customers[3].deleted = 1;
    const Company c(customers);
    const auto index = c.index();
    const struct {
        const char* filter;
        std::vector<int> records;
    } cases[] = {
        {"ord", {1, 3}},    {" ORD ", {1, 3}}, {"", {1, 2, 3, 5}},
        {"cancellato", {}}, {"xyz", {}},       {"o", {1, 2, 3, 5}},
    };
    for (const auto& k : cases) {
        std::vector<int> records;
        for (const auto& row : index.list(k.filter)) records.push_back(row.record);
        EXPECT_EQ(records, k.records) << k.filter;
    }
    const auto rows = index.list("nordica");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].columns[0], "NORDICA");
    EXPECT_EQ(rows[0].columns[1], "NORDICA SRL");
    EXPECT_EQ(rows[0].columns[3], "ROMA");
    EXPECT_EQ(rows[0].columns[4], "01234567890");
}

}  // namespace
}  // namespace qorvana
