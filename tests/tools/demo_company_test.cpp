#include "tools/demo/demo_company.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/counters.h"
#include "core/counters_record.h"
#include "core/data_files.h"
#include "customers/customer_record.h"
#include "fatturapa/fpa_customer_check.h"
#include "sources/quote_record.h"
#include "tests/temp_dir.h"

namespace qorvana::demo {
namespace {

TEST(DemoCompany, CountersMatchTheFilesTheyCount) {
    testing::TempDir temp;
    DemoOptions options;
    options.drive = temp.path();
    options.company = 3;
    WriteDemoCompany(options);
    const auto folder = temp.path() / "qorwin/qorwin/qoraz0.003";
    for (const auto& entry : kDataFileSet)
        EXPECT_TRUE(std::filesystem::exists(folder / (std::string("qorvana.") + entry.extension)))
            << entry.extension;
    DataFiles files;
    files.open(folder);
    EXPECT_EQ(RecordCount(files, tot::kArticles), 80);
    for (int channel : {kArt, kSra, kSrb, kPrx}) EXPECT_EQ(files.physicalRecords(channel), 80);
    for (auto [counter, channel] : {std::pair{tot::kCustomers, kCli},
                                    {tot::kCustomers, kSrc},
                                    {tot::kAccounts, kCon},
                                    {tot::kAgents, kAge},
                                    {tot::kDeliveryNoteLines, kBol},
                                    {tot::kReceipts, kRic}})
        EXPECT_EQ(RecordCount(files, counter), files.physicalRecords(channel)) << channel;
    EXPECT_EQ(RecordCount(files, tot::kQuotes) * prv::kLinesPerQuote, files.physicalRecords(kPrv));
}

// Every demo customer can receive e-invoices: no identifier the exchange system refuses.
TEST(DemoCompany, CustomersPassTheIdentityChecks) {
    testing::TempDir temp;
    DemoOptions options;
    options.drive = temp.path();
    WriteDemoCompany(options);
    DataFiles files;
    files.open(temp.path() / "qorwin/qorwin/qoraz0.001");
    for (int record = 1; record <= files.physicalRecords(kCli); ++record) {
        const auto customer = files.read<CustomersFile>(record);
        EXPECT_EQ(CustomerIdentityWarning(customer), "") << record;
    }
}

TEST(DemoOptions, RefusesBadCommandLines) {
    for (const auto& bad :
         std::vector<std::vector<std::string>>{{},
                                               {"--drive", "/d", "--customers", "32768"},
                                               {"--drive", "/d", "--company", "0"},
                                               {"--drive", "/d", "--fpa-switch", "2"},
                                               {"--drive", "/d", "--articles"},
                                               {"--drive", "/d", "--bogus", "1"}})
        EXPECT_TRUE(std::holds_alternative<std::string>(ParseDemoOptions(bad)));
}

}  // namespace
}  // namespace qorvana::demo
