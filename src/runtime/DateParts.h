// Internal to the runtime: the calendar pieces of a day number, shared by Date's arithmetic,
// formatting and parsing. Day numbers before 30 Dec 1899 are negative, but their fraction still
// counts forward from midnight (-1.25 is 29 Dec 1899 06:00), as the classic runtime keeps them.
#pragma once

#include <cstdint>

namespace hlreports::date_detail {

// 1 Jan 100 and 31 Dec 9999: the range the classic runtime accepts.
inline constexpr double MinDayNumber = -657434.0;
inline constexpr double MaxDayNumberExclusive = 2958466.0;
inline constexpr int MinYear = 100;
inline constexpr int MaxYear = 9999;
inline constexpr int64_t SecondsPerDay = 86400;

struct DayAndTime {
    int64_t day;          // whole days since 30 Dec 1899
    int64_t secondOfDay;  // 0 .. 86399, rounded to the nearest second
};

struct Ymd {
    int year;
    int month;
    int day;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
bool IsValidYmd(int year, int month, int day);
int64_t DayFromYmd(int year, int month, int day);  // parts must be valid
Ymd YmdFromDay(int64_t day);

// Throws ComError 5 when the day number is outside the years 100..9999 or not finite.
DayAndTime SplitDayNumber(double dayNumber);
// secondOfDay may carry a fraction of a second.
double ComposeDayNumber(int64_t day, double secondOfDay);

}  // namespace hlreports::date_detail
