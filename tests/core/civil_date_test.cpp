#include "core/civil_date.h"

#include <gtest/gtest.h>

namespace qorvana {
namespace {

TEST(CivilDates, IsValidDateExactlyDdMmYyyy) {
    struct Case {
        const char* text;
        int result;
    };
    const Case cases[] = {
        {"01/01/2024", 0}, {"29/02/2024", 0},  {"29/02/2023", 1}, {"29/02/1900", 1},
        {"29/02/2000", 0}, {"31/04/2024", 1},  {"31/12/9999", 0}, {"31/12/1899", 1},
        {"1/1/2024", 1},   {"2024-01-01", 1},  {"", 1},           {"00/01/2024", 1},
        {"01/13/2024", 1}, {"01/01/2024 ", 1}, {"aa/bb/cccc", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IsValidDate(c.text), c.result);
    }
}

TEST(CivilDates, IsValidTimeExactlyHhMm) {
    for (const char* good : {"00:00", "23:59", "09:05"}) EXPECT_TRUE(IsValidTime(good)) << good;
    for (const char* bad : {"24:00", "25:99", "12:60", "9:05", "09.05", "09:5", "", "ab:cd"})
        EXPECT_FALSE(IsValidTime(bad)) << bad;
}

// The moment every operator script gives with --now, and its clock's today, are read there.
TEST(CivilDates, MomentsAndTheirOrder) {
    const auto moment = CivilDateTime::Parse("31/12/2025 23:59");
    ASSERT_TRUE(moment);
    EXPECT_LT(moment->date, *CivilDate::Parse("01/01/2026"));
    EXPECT_TRUE(CivilDateTime::Parse("31/12/2025 23:59:58"));
    EXPECT_FALSE(CivilDateTime::Parse("31/12/2025 24:00"));
    EXPECT_FALSE(CivilDateTime::Parse("31/12/2025"));
}

}  // namespace
}  // namespace qorvana
