#include "forms/body/document_setup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "startup/agent_record.h"
#include "startup/counters_record.h"
#include "startup/customer_record.h"
#include "startup/general_settings_record.h"
#include "startup/session.h"
#include "tests/startup/temp_dir.h"

namespace qorvana {
namespace {

template <std::size_t N>
std::string Bytes(const std::vector<Record<N>>& records) {
    std::string out;
    for (const auto& r : records) out.append(reinterpret_cast<const char*>(r.bytes().data()), N);
    return out;
}

// Counters with the given word 1 for records 1..20.
std::string Counters(std::vector<std::pair<int, int>> counts) {
    std::vector<CountersRecord> tot(20);
    for (auto [record, count] : counts)
        tot[static_cast<std::size_t>(record - 1)].setInt16(tot::kWord1,
                                                           static_cast<std::int16_t>(count));
    return Bytes(tot);
}

CustomerRecord Customer(const char* priceList, int vatOverride, int agent) {
    CustomerRecord c;
    for (auto& b : c.bytes()) b = ' ';
    c.setText(cli::kName1, "CLIENTE");
    c.setText(cli::kPriceList, priceList);
    c.setInt16(cli::kVatCodeOverride, static_cast<std::int16_t>(vatOverride));
    c.setInt16(cli::kAgentCode, static_cast<std::int16_t>(agent));
    return c;
}

AgentRecord Agent(const char* code) {
    AgentRecord a;
    for (auto& b : a.bytes()) b = ' ';
    a.setText(age::kCode, code);
    return a;
}

TEST(DocumentSetup, SettingsAndCustomer) {
    testing::TempDir dir;
    dir.write("qorvana.tot", Counters({{3, 5}, {8, 0}, {12, 2}}));
    dir.write("qorvana.cli", Bytes<cli::kLength>({Customer("1", 0, 0), Customer("2", 14, 3)}));
    Session s;
    s.files.open(dir.path());
    s.generalSettings.setInt16(gnr::kScorporo, 1);
    s.generalSettings.setInt16(gnr::kBarcode, 0);
    s.generalSettings.setText(gnr::kDefaultVatCode, "05");
    s.generalSettings.setInt16(gnr::kWeightSwitch, 1);

    s.currentCustomer = 2;
    DocumentSetup d = ReadDocumentSetup(s);
    EXPECT_TRUE(d.vatInclusive);
    EXPECT_FALSE(d.barcode);
    EXPECT_EQ(d.defaultVatCode, 5);
    EXPECT_TRUE(d.weightToStartForm);
    EXPECT_EQ(d.customerAgentCode, 3);
    EXPECT_TRUE(d.hasArticles);
    EXPECT_FALSE(d.hasReceipts);
    EXPECT_TRUE(d.hasDeliveryNotes);

    s.currentCustomer = 1;  // price list "1" is the first list
    EXPECT_FALSE(ReadDocumentSetup(s).secondPriceList);

    // No such customer: the defaults, never a read outside the file.
    for (int n : {0, -1, 3, 32767}) {
        s.currentCustomer = n;
        d = ReadDocumentSetup(s);
        EXPECT_FALSE(d.secondPriceList) << n;
        EXPECT_EQ(d.customerVatCode, 0) << n;
    }

    // A default VAT code that is not 1..24 counts as 1; weight switch 2 is not "on".
    s.generalSettings.setText(gnr::kDefaultVatCode, "25");
    s.generalSettings.setInt16(gnr::kWeightSwitch, 2);
    d = ReadDocumentSetup(s);
    EXPECT_EQ(d.defaultVatCode, 1);
    EXPECT_FALSE(d.weightToStartForm);
}

TEST(FindAgentRecord, NumericCodeWithinTheCount) {
    testing::TempDir dir;
    dir.write("qorvana.age",
              Bytes<age::kLength>({Agent("0001"), Agent("0002"), Agent("  3 "), Agent("0004")}));
    dir.write("qorvana.tot", Counters({{16, 3}}));
    DataFiles files;
    files.open(dir.path());
    EXPECT_EQ(FindAgentRecord(files, 3), 3);
    EXPECT_FALSE(FindAgentRecord(files, 4));  // beyond the count
    EXPECT_FALSE(FindAgentRecord(files, 9));

    dir.write("qorvana.tot", Counters({{16, -1}}));
    DataFiles damaged;
    damaged.open(dir.path());
    EXPECT_FALSE(FindAgentRecord(damaged, 1));
}

}  // namespace
}  // namespace qorvana
