#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "journal/account_record.h"
#include "journal/journal_record.h"
#include "tests/layout_golden.h"

namespace qorvana {
namespace {

using test::Carried, test::Double, test::Int16, test::Text;

// Values chosen to differ from each other, not to make sense together.
TEST(LayoutGolden, Account) {
    const test::Golden<AccountLayout> rows[] = {
        {con::kCode, Text(0, 10, "01020003")},
        {con::kName, Text(10, 40, "Clienti Italia")},
        {Carried(50, 8)},
        {con::kDebit, Double(58, 1220)},
        {con::kCredit, Double(66, 45000.5)},
        {Carried(74, 76)},
    };
    test::ExpectGoldenRecord(rows, con::kLayout);
}

TEST(LayoutGolden, Journal) {
    std::vector<test::Golden<JournalLayout>> rows = {
        {gio::kDate, Text(0, 8, "20250305")},
        {gio::kDescription, Text(8, 40, "Fattura n.12 del 05/03/2025")},
        {gio::kZero48, Int16(48, 48)},
        {gio::kReference, Text(50, 20, "12/2025")},
    };
    // Line k at 70 + 18k: side, account code, amount.
    std::deque<std::string> accounts;
    for (int k = 0; k < 10; ++k) {
        const std::size_t at = 70 + 18 * static_cast<std::size_t>(k);
        accounts.push_back("0" + std::to_string(1020000 + k));
        rows.push_back({gio::Side(k), Int16(at, static_cast<std::int16_t>(k % 2 + 2 * k))});
        rows.push_back({gio::Account(k), Text(at + 2, 8, accounts.back())});
        rows.push_back({gio::Amount(k), Double(at + 10, 1000.5 + k)});
    }
    rows.insert(rows.end(), {
                                {Carried(250, 4)},
                                {gio::kPostedAt, Double(254, 45721.75)},
                                {gio::kMark, Text(262, 1, "1")},
                                {Carried(263, 31)},
                                {gio::kZero294, Int16(294, 294)},
                            });
    test::ExpectGoldenRecord(rows, gio::kLayout);
}

}  // namespace
}  // namespace qorvana
