#include "core/data_files.h"

#include <gtest/gtest.h>

#include "core/company_check.h"
#include "core/counters.h"
#include "core/counters_record.h"
#include "core/paths.h"
#include "customers/customer_record.h"
#include "tests/temp_dir.h"

namespace qorvana {
namespace {

using testing::TempDir;

class DataFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(folder());
        write("qorvana.tot", std::string(12 * 20, '\0'));
    }
    std::filesystem::path folder() const { return drive.path() / "qorwin/qorwin/qoraz0.007"; }
    void write(const std::string& name, std::string_view bytes) {
        drive.write("qorwin/qorwin/qoraz0.007/" + name, bytes);
    }
    DataFiles& open() {
        files.open(folder());
        return files;
    }

    TempDir drive;
    DataFiles files;
};

TEST_F(DataFilesTest, OpensTheWholeSetCreatingMissingFiles) {
    write("QORVANA.CLI", std::string(752 * 2, 'x'));
    files.open(PathMapper(drive.path()).map(CompanyFolder(7)));
    for (const ChannelSpec& entry : kDataFileSet) {
        SCOPED_TRACE(entry.extension);
        EXPECT_TRUE(files.isOpen(entry.channel));
        EXPECT_TRUE(files.isWritable(entry.channel));
    }
    EXPECT_EQ(files.pathOf(kCli), folder() / "QORVANA.CLI");
    EXPECT_FALSE(std::filesystem::exists(folder() / "qorvana.cli"));
    EXPECT_EQ(files.physicalRecords(kCli), 2);
    EXPECT_EQ(files.physicalRecords(kTot), 20);
    EXPECT_FALSE(files.isOpen(30));
    files.closeAll();
    EXPECT_FALSE(files.isOpen(kCli));
}

// The company starts without it while it has no invoices (with invoices it is refused:
// start_up_refusals.sh).
TEST_F(DataFilesTest, CountersFileIsNeverCreated) {
    std::filesystem::remove(folder() / "qorvana.tot");
    EXPECT_TRUE(CheckCompanyFolder(PathMapper(drive.path()), 7));
    open();
    EXPECT_FALSE(files.isOpen(kTot));
    EXPECT_FALSE(std::filesystem::exists(folder() / "qorvana.tot"));
    EXPECT_EQ(RecordCount(files, tot::kInvoices), 0);
    try {
        WriteRecordCount(files, tot::kInvoices, 1);
        FAIL() << "write to a closed channel";
    } catch (const RecordIoError& e) {
        EXPECT_NE(std::string(e.what()).find("qorvana.tot"), std::string::npos) << e.what();
    }
}

TEST_F(DataFilesTest, RecordsReadBackAndOutOfRangeReadsAreZero) {
    open();
    CustomerRecord written;
    written.setText(cli::kName1, "ROSSI");
    written.setInt16(cli::kDeleted, 1);
    files.write<CustomersFile>(3, written);
    EXPECT_EQ(files.physicalRecords(kCli), 3);
    EXPECT_EQ(files.read<CustomersFile>(3), written);
    EXPECT_TRUE(files.read<CustomersFile>(1).isBlank());  // the hole before record 3
    for (int n : {0, -1, 4, 32767, 32768, 100000})
        EXPECT_TRUE(files.read<CustomersFile>(n).isBlank()) << n;
    CustomerRecord closed;
    closed.setText(cli::kName1, "X");
    files.readRaw(kCli + 30, 1, closed.bytes());  // a channel of no file
    EXPECT_TRUE(closed.isBlank());
    const int synced[] = {kCli, kTot};
    EXPECT_NO_THROW(files.sync(synced));
}

// A scan in blocks gives every record exactly the bytes a read of that record alone gives,
// whatever the file's length: short files, a record cut in two, ranges past the end.
TEST_F(DataFilesTest, ScanReadsWhatRecordByRecordReadsOnShortAndOddSizedFiles) {
    constexpr std::size_t L = CustomersFile::Record::kLength;
    const std::size_t block = 128 * 1024 / L * L;  // the scan's block of whole records
    const std::size_t sizes[] = {
        0, 1, L - 1, L, L + 1, 3 * L + 5, block - 3, block, block + L / 2, 2 * block + 2 * L};
    for (std::size_t size : sizes) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
        write("qorvana.cli", bytes);
        open();
        const auto records = static_cast<std::int32_t>(size / L) + 1;
        for (std::int32_t first : {1, 2, records}) {
            for (std::int32_t count : {1, records, records + 400}) {
                SCOPED_TRACE(::testing::Message() << size << " bytes, " << first << "+" << count);
                std::int32_t expected = first;
                files.scan<CustomersFile>(first, count, [&](std::int32_t n, const auto& r) {
                    EXPECT_EQ(n, expected++);
                    EXPECT_EQ(r, files.read<CustomersFile>(n)) << n;
                });
                EXPECT_EQ(expected, first + count);
            }
        }
    }
}

TEST_F(DataFilesTest, WritesOutOfRangeThrowNamingTheFile) {
    open();
    const CustomerRecord r;
    for (int n : {0, -1, 32768}) {
        try {
            files.write<CustomersFile>(n, r);
            FAIL() << n;
        } catch (const RecordIoError& e) {
            EXPECT_NE(std::string(e.what()).find("qorvana.cli"), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(files.writeRaw(kSrc, 1, r.bytes()), RecordIoError);  // wrong record length
    EXPECT_NO_THROW(files.write<CustomersFile>(32767, r));
    // Quote records are numbered 200 to a quote: beyond the 16-bit counts, up to 32767 quotes.
    QuotesFile::Record quote;
    quote.bytes()[0] = 'P';
    files.write<QuotesFile>(40000, quote);
    EXPECT_EQ(files.read<QuotesFile>(40000), quote);
    EXPECT_THROW(files.write<QuotesFile>(32767 * 200 + 1, quote), RecordIoError);
}

TEST_F(DataFilesTest, CountersGrowWithinSixteenBits) {
    open();
    CountersRecord c;
    c.setInt16(tot::kRecordCount, 5);
    c.setInt16(tot::kLastNumber, 77);
    c.setSingle(tot::kSerial, 123.0f);
    files.write<CountersFile>(tot::kInvoices, c);
    EXPECT_EQ(RecordCount(files, tot::kInvoices), 5);
    EXPECT_EQ(NextRecordNumber(files, tot::kInvoices), 6);
    WriteRecordCount(files, tot::kInvoices, 6);
    const auto after = files.read<CountersFile>(tot::kInvoices);
    EXPECT_EQ(after.int16(tot::kRecordCount), 6);
    EXPECT_EQ(after.int16(tot::kLastNumber), 77);
    EXPECT_EQ(after.single(tot::kSerial), 123.0f);

    EXPECT_THROW(WriteRecordCount(files, tot::kAgents, 32768), RecordIoError);
    EXPECT_THROW(WriteRecordCount(files, tot::kAgents, -1), RecordIoError);
}

// Counters behind or ahead of their files are found and set to the records held; a counter
// that agrees is left.
TEST_F(DataFilesTest, CountersOutOfStepRepairedFromTheFiles) {
    const auto records = [](std::size_t length, int held, int blankAfter) {
        return std::string(length * static_cast<std::size_t>(held), 'x') +
               std::string(length * static_cast<std::size_t>(blankAfter), ' ');
    };
    write("qorvana.fte", records(InvoicesFile::Record::kLength, 3, 0));
    write("qorvana.mag", records(MovementsFile::Record::kLength, 4, 2));
    write("qorvana.gio", records(JournalFile::Record::kLength, 2, 0));
    open();
    WriteRecordCount(files, tot::kInvoices, 2);   // behind: the next document would overwrite 3
    WriteRecordCount(files, tot::kMovements, 6);  // ahead: two positions skipped
    WriteRecordCount(files, tot::kJournal, 2);
    const auto outOfStep = CountersOutOfStep(files);
    ASSERT_EQ(outOfStep.size(), 2u);
    EXPECT_EQ(
        RepairCounters(files, outOfStep),
        (std::vector<std::string>{"contatore 7, documenti (qorvana.fte, qorvana.f2e): da 2 a 3",
                                  "contatore 11, movimenti di magazzino (qorvana.mag): da 6 a 4"}));
    EXPECT_EQ(RecordCount(files, tot::kInvoices), 3);
    EXPECT_EQ(RecordCount(files, tot::kMovements), 4);
    EXPECT_TRUE(CountersOutOfStep(files).empty());
}

}  // namespace
}  // namespace qorvana
