#include "core/civil_date.h"

#include <cstdio>
#include <ctime>

namespace qorvana {
namespace {

// Digits of text[pos..pos+count), or -1 when any of them is not a digit.
int DigitsAt(std::string_view text, std::size_t pos, std::size_t count) {
    int value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::string TwoDigits(int n) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", n % 100);
    return buf;
}

std::string FourDigits(int n) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04d", n % 10000);
    return buf;
}

}  // namespace

bool CivilDate::IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int CivilDate::DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool CivilDate::valid() const {
    return year >= 1900 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

std::optional<CivilDate> CivilDate::Parse(std::string_view ddmmyyyy) {
    if (ddmmyyyy.size() != 10 || ddmmyyyy[2] != '/' || ddmmyyyy[5] != '/') return std::nullopt;
    const CivilDate date{DigitsAt(ddmmyyyy, 6, 4), DigitsAt(ddmmyyyy, 3, 2),
                         DigitsAt(ddmmyyyy, 0, 2)};
    if (!date.valid()) return std::nullopt;
    return date;
}

std::string CivilDate::RecordFromShown(std::string_view ddmmyyyy) {
    const auto date = Parse(ddmmyyyy);
    return date ? date->recordText() : std::string();
}

std::string CivilDate::ShownFromRecord(std::string_view d) {
    if (d.size() != 8) return std::string(d);
    std::string out(10, '/');
    d.copy(out.data(), 2, 6);
    d.copy(out.data() + 3, 2, 4);
    d.copy(out.data() + 6, 4, 0);
    return out;
}

std::string CivilDate::text() const {
    return TwoDigits(day) + "/" + TwoDigits(month) + "/" + FourDigits(year);
}

std::string CivilDate::recordText() const {
    return FourDigits(year) + TwoDigits(month) + TwoDigits(day);
}

std::string CivilDate::isoText() const {
    return FourDigits(year) + "-" + TwoDigits(month) + "-" + TwoDigits(day);
}

int IsValidDate(std::string_view text) {
    return CivilDate::Parse(text) ? 0 : 1;
}

bool IsValidTime(std::string_view hhmm) {
    if (hhmm.size() != 5 || hhmm[2] != ':') return false;
    const int hour = DigitsAt(hhmm, 0, 2);
    const int minute = DigitsAt(hhmm, 3, 2);
    return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59;
}

std::string CivilDateTime::timeText() const {
    return TwoDigits(hour) + ":" + TwoDigits(minute);
}

double CivilDateTime::dateTimeValue() const {
    // Days from civil (proleptic Gregorian), relative to 30 December 1899.
    const auto days = [](int y, int mo, int dd) {
        y -= mo <= 2 ? 1 : 0;
        const int era = (y >= 0 ? y : y - 399) / 400;
        const int yoe = y - era * 400;
        const int doy = (153 * (mo + (mo > 2 ? -3 : 9)) + 2) / 5 + dd - 1;
        const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
        return era * 146097 + doe;
    };
    const int day = days(date.year, date.month, date.day) - days(1899, 12, 30);
    const int seconds = hour * 3600 + minute * 60 + second;
    return day + seconds / 86400.0;
}

std::optional<CivilDateTime> CivilDateTime::Parse(std::string_view text) {
    if (text.size() != 16 && text.size() != 19) return std::nullopt;
    const auto date = CivilDate::Parse(text.substr(0, 10));
    if (!date || text[10] != ' ' || text[13] != ':') return std::nullopt;
    CivilDateTime moment{*date, DigitsAt(text, 11, 2), DigitsAt(text, 14, 2), 0};
    if (text.size() == 19) {
        if (text[16] != ':') return std::nullopt;
        moment.second = DigitsAt(text, 17, 2);
    }
    if (moment.hour < 0 || moment.hour > 23 || moment.minute < 0 || moment.minute > 59 ||
        moment.second < 0 || moment.second > 59)
        return std::nullopt;
    return moment;
}

CivilDateTime SessionClock::now() const {
    if (fixed_) return *fixed_;
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return CivilDateTime{CivilDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday},
                         local.tm_hour, local.tm_min, local.tm_sec};
}

std::string PickerDate(std::string_view d) {
    return CivilDate::ShownFromRecord(d);
}

}  // namespace qorvana
