#include "tools/demo/demo_company.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "document/article_record.h"
#include "document/delivery_note_record.h"
#include "forms/body/barcode_index_record.h"
#include "forms/body/extra_description_record.h"
#include "forms/pickers/quote_record.h"
#include "forms/registration/account_record.h"
#include "startup/agent_record.h"
#include "startup/article_index_record.h"
#include "startup/counters_record.h"
#include "startup/customer_record.h"
#include "startup/data_files.h"
#include "startup/name_index_record.h"
#include "tests/startup/temp_dir.h"

namespace qorvana::demo {
namespace {

namespace fs = std::filesystem;

template <std::size_t N>
std::vector<Record<N>> ReadRecords(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(bytes.size() % N, 0u) << file;
    std::vector<Record<N>> records(bytes.size() / N);
    for (std::size_t i = 0; i < records.size(); ++i)
        std::copy_n(bytes.data() + i * N, N, reinterpret_cast<char*>(records[i].bytes().data()));
    return records;
}

class DemoCompanyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        options_.drive = temp_.path();
        options_.company = 3;
        summary_ = WriteDemoCompany(options_);
        folder_ = temp_.path() / "qorwin/qorwin/qoraz0.003";
    }
    int Counter(int record) const {
        return ReadRecords<tot::kLength>(folder_ / "qorvana.tot")
            .at(static_cast<std::size_t>(record - 1))
            .int16(tot::kWord1);
    }
    std::size_t Records(const char* extension, std::size_t length) const {
        return fs::file_size(folder_ / (std::string("qorvana.") + extension)) / length;
    }

    testing::TempDir temp_;
    DemoOptions options_;
    DemoSummary summary_;
    fs::path folder_;
};

TEST_F(DemoCompanyTest, CountersMatchTheFilesTheyCount) {
    EXPECT_EQ(Counter(tot::kCustomers), 60);
    EXPECT_EQ(Records("cli", cli::kLength), 60u);
    EXPECT_EQ(Records("src", src::kLength), 60u);
    EXPECT_EQ(Counter(tot::kArticles), 80);
    for (auto [extension, length] : {std::pair{"art", art::kLength},
                                     {"sra", sra::kLength},
                                     {"srb", srb::kLength},
                                     {"prx", prx::kLength}})
        EXPECT_EQ(Records(extension, length), 80u) << extension;
    EXPECT_EQ(static_cast<std::size_t>(Counter(tot::kAccounts)), Records("con", con::kLength));
    EXPECT_EQ(static_cast<std::size_t>(Counter(tot::kAgents)), Records("age", age::kLength));
    EXPECT_EQ(static_cast<std::size_t>(Counter(tot::kDeliveryNoteLines)),
              Records("bol", bol::kLength));
    EXPECT_EQ(static_cast<std::size_t>(Counter(tot::kReceipts)), Records("ric", 522));
    EXPECT_EQ(static_cast<std::size_t>(Counter(tot::kQuotes)) * prv::kLinesPerQuote,
              Records("prv", prv::kLength));
    for (const auto& entry : kDataFileSet)
        EXPECT_TRUE(fs::exists(folder_ / (std::string("qorvana.") + entry.extension)))
            << entry.extension;
}

// The operator scripts make their companies with the accepted options.
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
