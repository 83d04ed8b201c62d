// Date: the classic day number (days since 30 December 1899; the fraction is the time of day).
// Text dates read month first; two-digit years pivot at 30 (00-29 are 20xx). Short dates print
// as m/d/yyyy. SQL text built by the component writes dates as ISO 'YYYY-MM-DD'.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace hlreports {

class Date {
  public:
    constexpr Date() = default;  // the zero date, 12/30/1899
    constexpr explicit Date(double dayNumber) : dayNumber_(dayNumber) {}

    // Throws ComError 5 (invalid procedure call) when the parts name no calendar day or time,
    // or a year outside 100..9999. The calendar accessors, arithmetic and printing below raise
    // the same error for a day number outside those years.
    static Date FromYmd(int year, int month, int day);
    static Date FromYmdHms(int year, int month, int day, int hour, int minute, double second);
    static Date Today();  // date only
    static Date Now();
    // Fixes the clock that Today and Now read, so that a run with dates defaulting to today
    // repeats exactly (the demo summaries); nullopt restores the system clock.
    static void SetClockForTests(std::optional<Date> now);

    // Month-first parsing: "3/5/2007", "03/05/07", "3-5-2007", "2007-03-05",
    // "2007-03-05T14:30:00", "March 5, 2007", "5 March 2007", "Mar 5 2007", with an optional time
    // "14:30", "2:30 PM". Years below 100 pivot at twoDigitPivot (years < pivot are 20xx).
    static std::optional<Date> Parse(std::string_view text, int twoDigitPivot = 30);

    double DayNumber() const { return dayNumber_; }
    bool IsZero() const { return dayNumber_ == 0.0; }

    int Year() const;
    int Month() const;
    int Day() const;
    int Hour() const;
    int Minute() const;
    int Second() const;
    int Weekday() const;  // 1 = Sunday .. 7 = Saturday

    Date DateOnly() const;
    Date AddDays(int days) const;
    // Calendar months; the day is clamped to the target month's length (31 Jan + 1 = 28/29 Feb).
    Date AddMonths(int months) const;
    Date FirstOfMonth() const;
    Date LastOfMonth() const;
    static int DaysInMonth(int year, int month);

    std::string ToShortString() const;  // "3/5/2007"; with a time part "3/5/2007 2:30:00 PM"
    // The classic CStr text: ToShortString, except that a time on the zero day prints alone.
    std::string ToClassicString() const;
    std::string ToTimeString() const;   // "2:30:00 PM"
    std::string ToIsoDate() const;      // "2007-03-05"
    std::string ToIsoDateTime() const;  // "2007-03-05T14:30:00"
    // Classic Format patterns: d dd m mm mmm mmmm yy yyyy h hh n nn s ss AM/PM, other text kept.
    std::string Format(std::string_view pattern) const;

    friend bool operator==(const Date&, const Date&) = default;
    friend auto operator<=>(const Date&, const Date&) = default;

  private:
    double dayNumber_ = 0.0;
};

}  // namespace hlreports
