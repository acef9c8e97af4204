#pragma once
// Calendar dates and times of the program: "dd/mm/yyyy" in the forms, yyyymmdd in records,
// yyyy-mm-dd in XML. Gregorian calendar, years 1900 to 9999.

#include <optional>
#include <string>
#include <string_view>

namespace qorvana {

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;

    // Exactly "dd/mm/yyyy", a real Gregorian date, year 1900..9999.
    static std::optional<CivilDate> Parse(std::string_view ddmmyyyy);
    // A date typed "dd/mm/yyyy" as records hold it, "yyyymmdd"; empty when it is no date.
    static std::string RecordFromShown(std::string_view ddmmyyyy);
    // A record's eight characters "yyyymmdd" as "dd/mm/yyyy", rearranged as stored and not
    // checked (a damaged date shows what it holds); any other text as it is.
    static std::string ShownFromRecord(std::string_view yyyymmdd);
    static bool IsLeapYear(int year);
    static int DaysInMonth(int year, int month);

    bool valid() const;
    std::string text() const;        // "dd/mm/yyyy"
    std::string recordText() const;  // "yyyymmdd"
    std::string isoText() const;     // "yyyy-mm-dd"
    friend auto operator<=>(const CivilDate&, const CivilDate&) = default;
};

// 0 for a valid "dd/mm/yyyy" date, 1 otherwise (empty text included).
int IsValidDate(std::string_view text);
// True for exactly "hh:mm" from 00:00 to 23:59.
bool IsValidTime(std::string_view hhmm);

struct CivilDateTime {
    CivilDate date;
    int hour = 0;
    int minute = 0;
    int second = 0;

    std::string timeText() const;  // "hh:nn"
    // The suite's date-time value: days since 30 December 1899, the time of day as the fraction.
    double dateTimeValue() const;
    // "dd/mm/yyyy hh:nn" (seconds optional ":ss").
    static std::optional<CivilDateTime> Parse(std::string_view text);
};

// "yyyymmdd" as "dd/mm/yyyy" (a record's date as the pickers and messages show it); a text
// that is not 8 characters long is shown as it is.
std::string PickerDate(std::string_view yyyymmdd);

// The program's clock: the system's local time, or a fixed moment given with --now.
class SessionClock {
  public:
    SessionClock() = default;
    explicit SessionClock(CivilDateTime fixed) : fixed_(fixed) {}
    CivilDateTime now() const;
    CivilDate today() const { return now().date; }

  private:
    std::optional<CivilDateTime> fixed_;
};

}  // namespace qorvana
