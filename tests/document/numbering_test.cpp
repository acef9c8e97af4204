#include "document/numbering.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/data_files.h"
#include "core/session_codes.h"
#include "document/document_record.h"
#include "tests/temp_dir.h"

namespace qorvana {
namespace {

CountersRecord Counter(int records, int lastNumber) {
    CountersRecord r;
    r.setInt16(tot::kRecordCount, static_cast<std::int16_t>(records));
    r.setInt16(tot::kLastNumber, static_cast<std::int16_t>(lastNumber));
    return r;
}

TEST(Numbering, ProposalFollowsTheDocumentsSeries) {
    const std::optional<CountersRecord> invoices = Counter(40, 120);
    const std::optional<CountersRecord> fatturaPa = Counter(17, 5);
    const std::optional<CountersRecord> unread;
    struct Case {
        const char* what;
        std::optional<CountersRecord> invoices, fatturaPa;
        bool seriesChosen;
        int fpaState;
        std::optional<int> number, transmission;
        DocumentKind kind = DocumentKind::ElectronicInvoice;
    };
    const auto none = std::nullopt;
    constexpr auto kInvoice = DocumentKind::Invoice;
    const Case cases[] = {
        {"series chosen, ordinary document", invoices, fatturaPa, true, kFpaOrdinary, 121, none,
         kInvoice},
        {"series chosen, e-invoice of every customer", invoices, fatturaPa, true, kFpaXmlNotWritten,
         121, 18, kInvoice},
        {"electronic, ordinary numbering", invoices, fatturaPa, false, kFpaXmlNotWritten, 121, 18},
        {"XML already written keeps its progressive", invoices, fatturaPa, true, 44, 6, 44},
        {"series counter unreadable", invoices, unread, true, kFpaXmlNotWritten, none, none},
        {"invoice counter unreadable", unread, fatturaPa, false, kFpaOrdinary, none, none},
        {"last 32766", Counter(40, 32766), fatturaPa, false, kFpaOrdinary, 32767, none},
        {"transmissions full: no progressive", invoices, Counter(32767, 5), false,
         kFpaXmlNotWritten, 121, none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const bool separate = NumberedInSeparateSeries(c.seriesChosen, c.kind);
        const NumberProposal p =
            ProposeNumbers(c.invoices, c.fatturaPa, separate, c.fpaState, SeriesNumbers{});
        EXPECT_EQ(p.documentNumber, c.number);
        EXPECT_EQ(p.transmissionNumber, c.transmission);
        const int lastProgressive = c.fatturaPa ? c.fatturaPa->int16(tot::kRecordCount) : 0;
        EXPECT_EQ(
            p.transmissionCounterOutOfRange.has_value(),
            c.fpaState == kFpaXmlNotWritten && (lastProgressive < 0 || lastProgressive > 32766));
        EXPECT_EQ(p.counterOutOfRange.has_value(), !p.documentNumber && c.invoices && c.fatturaPa);
    }
}

// A stored document: its number as typed, its date (yyyymmdd) and its kind.
struct Stored {
    const char* number;
    const char* date;
    DocumentKind kind = DocumentKind::Invoice;
};

// The number proposed in `year` with the ordinary series' last number `last` and the documents
// `stored` in qorvana.fte.
std::optional<int> ProposedIn(int year, int last, const std::vector<Stored>& stored,
                              bool separate = false, bool fpaSeparateNumbering = false,
                              const StoredSeries& series = {}) {
    testing::TempCompany company(0);
    DataFiles& files = company.files;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        DocumentRecord r;
        r.setText(document_record::kNumber, stored[i].number);
        r.setText(document_record::kDocumentDate, stored[i].date);
        r.setInt16(document_record::kKind, static_cast<std::int16_t>(stored[i].kind));
        files.write<InvoicesFile>(static_cast<int>(i) + 1, r);
    }
    const CountersRecord invoices = Counter(static_cast<int>(stored.size()), last);
    files.write<CountersFile>(tot::kInvoices, invoices);
    const int fpaState = separate ? kFpaXmlNotWritten : kFpaOrdinary;
    const auto numbers = ScanSeriesNumbers(files, series, {year, separate, fpaSeparateNumbering});
    return ProposeNumbers(invoices, Counter(0, last), separate, fpaState, numbers).documentNumber;
}

// Numbers are unique within a year and series: a number of another year never moves this
// year's proposal, and the first document of a year gets 1.
TEST(Numbering, ProposalIsTheNextNumberOfTheYear) {
    constexpr auto kCredit = DocumentKind::CreditNote;
    // Invoice 1/2026, credit note 2/2026, then a late 1 dated 30/12/2025 (the counter says 1).
    const std::vector<Stored> late1{
        {"1", "20260105"}, {"2", "20260107", kCredit}, {"1", "20251230"}};
    EXPECT_EQ(ProposedIn(2026, 1, late1), 3);
    EXPECT_EQ(ProposedIn(2025, 1, late1), 2);
    // 1..3 of 2026, then last year's late invoice 30 (the counter says 30).
    const std::vector<Stored> late30{
        {"1", "20260105"}, {"2", "20260107"}, {"3", "20260110"}, {"30", "20251231"}};
    EXPECT_EQ(ProposedIn(2026, 30, late30), 4);
    // A new year starts at 1; the year before goes on from its highest number.
    EXPECT_EQ(ProposedIn(2027, 3, late30), 1);
    EXPECT_EQ(ProposedIn(2025, 3, late30), 31);
    // A counter that no stored document explains (documents kept elsewhere) still counts.
    EXPECT_EQ(ProposedIn(2026, 120, {}), 121);
    EXPECT_EQ(ProposedIn(2026, 120, {{"7", "20260105"}}), 121);
    // A stored number is read as posting reads it for the counter: "4/B" is 4, "A15" none.
    EXPECT_EQ(ProposedIn(2026, 0, {{"A15", "20260105"}, {"4/B", "20260106"}}), 5);
    // A year that holds 32767 proposes nothing.
    EXPECT_EQ(ProposedIn(2026, 0, {{"32767", "20260105"}}), std::nullopt);
}

// Each stored electronic invoice counts in the series it was numbered in, as qorvana.num
// keeps it; one without an entry of its own is read as before the file was kept.
TEST(Numbering, ProposalFollowsTheSeriesEachDocumentWasNumberedIn) {
    constexpr auto kFpa = DocumentKind::ElectronicInvoice;
    // Ordinary 14, then e-invoice 15 numbered in the ordinary series ("numera" cleared).
    const std::vector<Stored> stored{{"14", "20250105"}, {"15", "20250106", kFpa}};
    const StoredSeries ordinary{{2, {"15", "20250106", false}}};
    EXPECT_EQ(ProposedIn(2025, 0, stored, false, true, ordinary), 16);
    EXPECT_EQ(ProposedIn(2025, 0, stored, true, true, ordinary), 1);
    // The entry of a record that holds another document now is not its own.
    const StoredSeries stale{{2, {"15", "20250107", false}}};
    EXPECT_EQ(ProposedIn(2025, 0, stored, false, true, stale), 15);
    EXPECT_EQ(ProposedIn(2025, 0, stored, true, true, stale), 16);
    // An e-invoice of the separate series counts there even once the company stopped
    // numbering separately.
    const StoredSeries separate{{2, {"015", "20250106", true}}};
    EXPECT_EQ(ProposedIn(2025, 0, stored, false, false, separate), 15);
}

TEST(Numbering, NumbersCompareByOneKey) {
    const std::pair<const char*, const char*> keys[] = {
        {"1", "1"},      {"01", "1"},    {" 0015 ", "15"},      {"000", "0"}, {"15/A", "15A"},
        {"15-a", "15A"}, {"A15", "A15"}, {"2026/15", "202615"}, {"/", ""},    {"", ""},
    };
    for (const auto& [number, key] : keys) EXPECT_EQ(DocumentNumberKey(number), key) << number;
}

TEST(SeriesFile, ReadsWhatItWritesAndRefusesDamage) {
    testing::TempDir dir;
    const StoredSeries series{{7, {"15\tA", "20250106", false}}, {32767, {"16", "20250107", true}}};
    dir.write(kSeriesFile, StoredSeriesText(series));
    const Result<StoredSeries> read = ReadStoredSeries(dir.path() / kSeriesFile, kSeriesFile);
    ASSERT_TRUE(read) << read.message();
    EXPECT_EQ(read->at(7).number, "15 A");
    EXPECT_TRUE(read->at(32767).separate);
    const Result<StoredSeries> missing = ReadStoredSeries(dir.path() / "missing", "missing");
    ASSERT_TRUE(missing) << missing.message();
    EXPECT_TRUE(missing->empty());
    for (const char* text :
         {"", "QORVANA-NUM\t2\r\n", "QORVANA-NUM\t1\r\n0\t1\t20250106\tordinaria\r\n",
          "QORVANA-NUM\t1\r\n1\t1\t2025016\tordinaria\r\n",
          "QORVANA-NUM\t1\r\n1\t1\t20250106\tpa\r\n"}) {
        dir.write(kSeriesFile, text);
        const Result<StoredSeries> damaged =
            ReadStoredSeries(dir.path() / kSeriesFile, kSeriesFile);
        EXPECT_FALSE(damaged) << text;
        EXPECT_NE(damaged.message().find("danneggiato alla riga"), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace qorvana
