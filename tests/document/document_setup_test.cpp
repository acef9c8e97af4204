#include "document/document_setup.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/counters.h"
#include "core/counters_record.h"
#include "core/general_settings_record.h"
#include "core/session.h"
#include "customers/agent_record.h"
#include "customers/customer_record.h"
#include "tests/temp_dir.h"

namespace qorvana {
namespace {

// Opens `files` on `dir` with a counters file of 20 zero records.
void OpenWithCounters(DataFiles& files, const testing::TempDir& dir) {
    dir.write("qorvana.tot", std::string(20 * tot::kLength, '\0'));
    files.open(dir.path());
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
    Session s;
    OpenWithCounters(s.files, dir);
    WriteRecordCount(s.files, tot::kArticles, 5);
    WriteRecordCount(s.files, tot::kDeliveryNoteLines, 2);
    s.files.write<CustomersFile>(1, Customer("1", 0, 0));
    s.files.write<CustomersFile>(2, Customer("2", 14, 3));
    s.generalSettings.setInt16(gnr::kScorporo, 1);
    s.generalSettings.setText(gnr::kDefaultVatCode, "05");
    s.generalSettings.setInt16(gnr::kWeightSwitch, 1);

    DocumentSetup d = ReadDocumentSetup(s.files, s.generalSettings, 2);
    EXPECT_TRUE(d.vatInclusive);
    EXPECT_EQ(d.defaultVatCode, 5);
    EXPECT_TRUE(d.weightToStartForm);
    EXPECT_EQ(d.customerAgentCode, 3);
    EXPECT_TRUE(d.hasArticles);
    EXPECT_FALSE(d.hasReceipts);
    EXPECT_TRUE(d.hasDeliveryNotes);

    // No such customer: the defaults, never a read outside the file.
    for (int n : {0, -1, 3, 32767}) {
        d = ReadDocumentSetup(s.files, s.generalSettings, n);
        EXPECT_FALSE(d.secondPriceList) << n;
        EXPECT_EQ(d.customerVatCode, 0) << n;
    }

    // A default VAT code that is not 1..24 counts as 1; weight switch 2 is not "on".
    s.generalSettings.setText(gnr::kDefaultVatCode, "25");
    s.generalSettings.setInt16(gnr::kWeightSwitch, 2);
    d = ReadDocumentSetup(s.files, s.generalSettings, 1);
    EXPECT_EQ(d.defaultVatCode, 1);
    EXPECT_FALSE(d.weightToStartForm);
}

// The header's start: numbers from the counters, the customer's bank receipt and payment
// condition (a customer outside the file has neither ticked nor chosen).
TEST(HeaderSetup, NumbersAndCustomer) {
    testing::TempDir dir;
    Session s;
    OpenWithCounters(s.files, dir);
    CountersRecord invoices;
    invoices.setInt16(tot::kLastNumber, 41);  // the last number of the series
    s.files.write<CountersFile>(tot::kInvoices, invoices);
    WriteRecordCount(s.files, tot::kFatturaPa, 7);
    CustomerRecord customer = Customer("1", 0, 0);
    customer.setInt16(cli::kRibOption, 1);
    customer.setInt16(cli::kPaymentCondition, 3);
    s.files.write<CustomersFile>(1, customer);
    const struct {
        int customer;
        int fpaState;
        bool bankReceipt;
        int paymentEntry;
        std::optional<int> transmission;
    } cases[] = {
        {1, kFpaOrdinary, true, 2, std::nullopt},
        {1, kFpaXmlNotWritten, true, 2, 8},
        {2, kFpaOrdinary, false, 0, std::nullopt},
        {0, kFpaOrdinary, false, 0, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.customer);
        DocumentDraft draft;
        draft.customer.record = c.customer;
        draft.fpaState = c.fpaState;
        const Result<HeaderSetup> read = ReadHeaderSetup(s.files, ReadCompanySeries(s), draft,
                                                         NumberingScope{2026, false, false});
        ASSERT_TRUE(read) << read.message();
        const HeaderSetup& h = *read;
        EXPECT_EQ(h.numbers.documentNumber, 42);
        EXPECT_EQ(h.numbers.transmissionNumber, c.transmission);
        EXPECT_EQ(h.bankReceipt, c.bankReceipt);
        EXPECT_EQ(h.paymentEntry, c.paymentEntry);
    }
    // The XML's customer comes from within the customers' count only.
    WriteRecordCount(s.files, tot::kCustomers, 1);
    EXPECT_EQ(ReadCountedCustomer(s.files, 1).int16(cli::kRibOption), 1);
    EXPECT_EQ(ReadCountedCustomer(s.files, 2).int16(cli::kRibOption), 0);
}

TEST(FindAgentRecord, NumericCodeWithinTheCount) {
    testing::TempDir dir;
    DataFiles files;
    OpenWithCounters(files, dir);
    for (const char* code : {"0001", "0002", "  3 ", "0004"})
        files.write<AgentsFile>(files.physicalRecords(kAge) + 1, Agent(code));
    WriteRecordCount(files, tot::kAgents, 3);
    EXPECT_EQ(FindAgentRecord(files, 3), 3);
    EXPECT_FALSE(FindAgentRecord(files, 4));  // beyond the count
    EXPECT_FALSE(FindAgentRecord(files, 9));

    auto damaged = files.read<CountersFile>(tot::kAgents);
    damaged.setInt16(tot::kRecordCount, -1);
    files.write<CountersFile>(tot::kAgents, damaged);
    EXPECT_FALSE(FindAgentRecord(files, 1));
}

}  // namespace
}  // namespace qorvana
