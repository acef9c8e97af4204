#include "tools/demo/demo_company.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "core/counters.h"
#include "core/counters_record.h"
#include "core/data_files.h"
#include "core/paths.h"
#include "core/session.h"
#include "core/tab_file.h"
#include "customers/customer_record.h"
#include "fatturapa/fpa_customer_check.h"
#include "print/document_print.h"
#include "print/print_settings.h"
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

// The demo's printed invoice has room for six VAT rates and six exemptions: nothing falls on
// another text or out of its box.
TEST(DemoCompany, PrintLayoutHoldsSixRatesAndSixExemptions) {
    testing::TempDir temp;
    DemoOptions options;
    options.drive = temp.path();
    WriteDemoCompany(options);
    Session s;
    s.paths = PathMapper(temp.path());
    s.companyNumber = 1;
    const PrintSettings settings = LoadPrintSettings(s);
    const VatTable vat = VatTable::FromTab(TabFile::Load(s.companyFile("qorvana.tab")));
    DocumentToPrint doc;
    const LineTable lines;
    doc.lines = &lines;
    for (int slot : {1, 2, 3, 4, 6, 7}) {
        doc.figures.breakdown[slot][0] = 1234567.89;
        doc.figures.breakdown[slot][1] = 271604.94;
    }
    for (int slot = 1; slot <= 6; ++slot) doc.figures.breakdown[slot][2] = 1234567.89;
    // About Arial's widths: half the font size, in points, as millimetres per six characters.
    const TextWidth width = [](const PrintText& t) { return t.text.size() * t.size * 0.2; };
    const Result<FormDrawing> form = ReadFormDrawing(s.companyFile("qorvana.lkf"), "qorvana.lkf");
    ASSERT_TRUE(form) << form.message();
    const Money euro(true, 2);
    const PrintedDocument printed = ComposeDocument(doc, settings, vat, *form, euro, width);
    EXPECT_EQ(SummaryRowsWarning(doc, settings, vat, printed.back(), euro, width), "");
}

}  // namespace
}  // namespace qorvana::demo
