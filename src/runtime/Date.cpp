// Date arithmetic and printing on the classic day number. Every calendar operation goes through
// DayAndTime, so negative day numbers (before 1900) get the same calendar-forward time of day
// everywhere. Parsing lives in DateParse.cpp.
#include "runtime/Date.h"

#include <chrono>
#include <cmath>
#include <ctime>

#include <fmt/format.h>

#include "runtime/ComError.h"
#include "runtime/DateParts.h"
#include "runtime/RuntimeErrors.h"

namespace hlreports {

namespace date_detail {

namespace {

constexpr std::chrono::sys_days Epoch{std::chrono::year{1899} / 12 / 30};

}  // namespace

bool IsLeapYear(int year) {
    return std::chrono::year{year}.is_leap();
}

int DaysInMonth(int year, int month) {
    static constexpr int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && IsLeapYear(year) ? 29 : lengths[month - 1];
}

bool IsValidYmd(int year, int month, int day) {
    return year >= MinYear && year <= MaxYear && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

int64_t DayFromYmd(int year, int month, int day) {
    const std::chrono::year_month_day ymd{std::chrono::year{year},
                                          std::chrono::month{static_cast<unsigned>(month)},
                                          std::chrono::day{static_cast<unsigned>(day)}};
    return (std::chrono::sys_days{ymd} - Epoch).count();
}

Ymd YmdFromDay(int64_t day) {
    const std::chrono::year_month_day ymd{Epoch + std::chrono::days{day}};
    return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

DayAndTime SplitDayNumber(double dayNumber) {
    if (!(dayNumber >= MinDayNumber && dayNumber < MaxDayNumberExclusive)) {
        RaiseRuntimeError(ErrorNumber::InvalidProcedureCall);
    }
    const double whole = std::trunc(dayNumber);
    DayAndTime result{static_cast<int64_t>(whole),
                      std::llround(std::fabs(dayNumber - whole) * SecondsPerDay)};
    if (result.secondOfDay >= SecondsPerDay) {
        // Rounds up to the next midnight; forward in the calendar for either sign.
        result.secondOfDay -= SecondsPerDay;
        result.day += 1;
    }
    return result;
}

double ComposeDayNumber(int64_t day, double secondOfDay) {
    const double fraction = secondOfDay / static_cast<double>(SecondsPerDay);
    return day < 0 ? static_cast<double>(day) - fraction : static_cast<double>(day) + fraction;
}

}  // namespace date_detail

using namespace date_detail;

namespace {

constexpr const char* MonthNames[] = {"January",   "February", "March",    "April",
                                      "May",       "June",     "July",     "August",
                                      "September", "October",  "November", "December"};
constexpr const char* WeekdayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};

std::string TimeText(int64_t secondOfDay) {
    const int64_t hour = secondOfDay / 3600;
    const int64_t hour12 = hour % 12 == 0 ? 12 : hour % 12;
    return fmt::format("{}:{:02}:{:02} {}", hour12, secondOfDay / 60 % 60, secondOfDay % 60,
                       hour < 12 ? "AM" : "PM");
}

std::string DateText(int64_t day) {
    const Ymd ymd = YmdFromDay(day);
    return fmt::format("{}/{}/{}", ymd.month, ymd.day, ymd.year);
}

Date FromParts(int64_t day, int64_t secondOfDay) {
    return Date(ComposeDayNumber(day, static_cast<double>(secondOfDay)));
}

}  // namespace

Date Date::FromYmd(int year, int month, int day) {
    return FromYmdHms(year, month, day, 0, 0, 0.0);
}

Date Date::FromYmdHms(int year, int month, int day, int hour, int minute, double second) {
    const bool timeValid =
        hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0.0 && second < 60.0;
    if (!IsValidYmd(year, month, day) || !timeValid) {
        RaiseRuntimeError(ErrorNumber::InvalidProcedureCall);
    }
    return Date(
        ComposeDayNumber(DayFromYmd(year, month, day), hour * 3600.0 + minute * 60.0 + second));
}

namespace {
std::optional<Date> fixedClock;
}  // namespace

void Date::SetClockForTests(std::optional<Date> now) {
    fixedClock = now;
}

Date Date::Today() {
    return Now().DateOnly();
}

Date Date::Now() {
    if (fixedClock) {
        return *fixedClock;
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return FromYmdHms(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                      local.tm_min, std::min(local.tm_sec, 59));
}

int Date::Year() const {
    return YmdFromDay(SplitDayNumber(dayNumber_).day).year;
}

int Date::Month() const {
    return YmdFromDay(SplitDayNumber(dayNumber_).day).month;
}

int Date::Day() const {
    return YmdFromDay(SplitDayNumber(dayNumber_).day).day;
}

int Date::Hour() const {
    return static_cast<int>(SplitDayNumber(dayNumber_).secondOfDay / 3600);
}

int Date::Minute() const {
    return static_cast<int>(SplitDayNumber(dayNumber_).secondOfDay / 60 % 60);
}

int Date::Second() const {
    return static_cast<int>(SplitDayNumber(dayNumber_).secondOfDay % 60);
}

int Date::Weekday() const {
    // Day 0 (30 Dec 1899) was a Saturday.
    const int64_t day = SplitDayNumber(dayNumber_).day;
    return static_cast<int>(((day + 6) % 7 + 7) % 7) + 1;
}

Date Date::DateOnly() const {
    return FromParts(SplitDayNumber(dayNumber_).day, 0);
}

Date Date::AddDays(int days) const {
    const DayAndTime parts = SplitDayNumber(dayNumber_);
    const double result =
        ComposeDayNumber(parts.day + days, static_cast<double>(parts.secondOfDay));
    SplitDayNumber(result);  // raises 5 outside the calendar
    return Date(result);
}

Date Date::AddMonths(int months) const {
    const DayAndTime parts = SplitDayNumber(dayNumber_);
    const Ymd ymd = YmdFromDay(parts.day);
    const int64_t monthIndex = int64_t{ymd.year} * 12 + (ymd.month - 1) + months;
    const int64_t year = monthIndex >= 0 ? monthIndex / 12 : (monthIndex - 11) / 12;
    if (year < MinYear || year > MaxYear) {
        RaiseRuntimeError(ErrorNumber::InvalidProcedureCall);
    }
    const int month = static_cast<int>(monthIndex - year * 12) + 1;
    const int day = std::min(ymd.day, date_detail::DaysInMonth(static_cast<int>(year), month));
    return FromParts(DayFromYmd(static_cast<int>(year), month, day), parts.secondOfDay);
}

Date Date::FirstOfMonth() const {
    const Ymd ymd = YmdFromDay(SplitDayNumber(dayNumber_).day);
    return FromYmd(ymd.year, ymd.month, 1);
}

Date Date::LastOfMonth() const {
    const Ymd ymd = YmdFromDay(SplitDayNumber(dayNumber_).day);
    return FromYmd(ymd.year, ymd.month, date_detail::DaysInMonth(ymd.year, ymd.month));
}

int Date::DaysInMonth(int year, int month) {
    return date_detail::DaysInMonth(year, month);
}

std::string Date::ToShortString() const {
    const DayAndTime parts = SplitDayNumber(dayNumber_);
    if (parts.secondOfDay == 0) {
        return DateText(parts.day);
    }
    return DateText(parts.day) + " " + TimeText(parts.secondOfDay);
}

std::string Date::ToClassicString() const {
    const DayAndTime parts = SplitDayNumber(dayNumber_);
    if (parts.day == 0) {
        return TimeText(parts.secondOfDay);
    }
    return ToShortString();
}

std::string Date::ToTimeString() const {
    return TimeText(SplitDayNumber(dayNumber_).secondOfDay);
}

std::string Date::ToIsoDate() const {
    const Ymd ymd = YmdFromDay(SplitDayNumber(dayNumber_).day);
    return fmt::format("{:04}-{:02}-{:02}", ymd.year, ymd.month, ymd.day);
}

std::string Date::ToIsoDateTime() const {
    const int64_t second = SplitDayNumber(dayNumber_).secondOfDay;
    return fmt::format("{}T{:02}:{:02}:{:02}", ToIsoDate(), second / 3600, second / 60 % 60,
                       second % 60);
}

namespace {

bool IsFormatLetter(char c) {
    switch (c) {
        case 'd':
        case 'm':
        case 'y':
        case 'h':
        case 'n':
        case 's':
            return true;
        default:
            return false;
    }
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithAt(std::string_view text, std::size_t pos, std::string_view word) {
    return text.substr(pos, word.size()) == word;
}

}  // namespace

std::string Date::Format(std::string_view pattern) const {
    const DayAndTime parts = SplitDayNumber(dayNumber_);
    const Ymd ymd = YmdFromDay(parts.day);
    const int64_t hour = parts.secondOfDay / 3600;
    const int64_t minute = parts.secondOfDay / 60 % 60;
    const int64_t second = parts.secondOfDay % 60;
    // With an AM/PM marker anywhere in the pattern, hours count 1..12.
    const bool twelveHour = pattern.find("AM/PM") != std::string_view::npos ||
                            pattern.find("am/pm") != std::string_view::npos ||
                            pattern.find("A/P") != std::string_view::npos ||
                            pattern.find("a/p") != std::string_view::npos;
    const int64_t shownHour = twelveHour ? (hour % 12 == 0 ? 12 : hour % 12) : hour;

    std::string out;
    bool afterHour = false;  // "m" right after an hour means minutes
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (c == '\\' && i + 1 < pattern.size()) {
            out += pattern[i + 1];
            i += 2;
            continue;
        }
        if (c == '"') {
            const std::size_t close = pattern.find('"', i + 1);
            const std::size_t end = close == std::string_view::npos ? pattern.size() : close;
            out.append(pattern.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        if (StartsWithAt(pattern, i, "AM/PM") || StartsWithAt(pattern, i, "am/pm")) {
            const bool upper = c == 'A';
            out += hour < 12 ? (upper ? "AM" : "am") : (upper ? "PM" : "pm");
            i += 5;
            continue;
        }
        if (StartsWithAt(pattern, i, "A/P") || StartsWithAt(pattern, i, "a/p")) {
            const bool upper = c == 'A';
            out += hour < 12 ? (upper ? 'A' : 'a') : (upper ? 'P' : 'p');
            i += 3;
            continue;
        }
        const char letter = Lower(c);
        if (!IsFormatLetter(letter)) {
            out += c;
            ++i;
            continue;
        }
        std::size_t run = 1;
        while (i + run < pattern.size() && Lower(pattern[i + run]) == letter) {
            ++run;
        }
        i += run;
        switch (letter) {
            case 'd':
                if (run == 1) {
                    out += fmt::format("{}", ymd.day);
                } else if (run == 2) {
                    out += fmt::format("{:02}", ymd.day);
                } else {
                    const char* name = WeekdayNames[Weekday() - 1];
                    out += run == 3 ? std::string(name, 3) : std::string(name);
                }
                break;
            case 'm':
                if (afterHour && run <= 2) {
                    out += run == 1 ? fmt::format("{}", minute) : fmt::format("{:02}", minute);
                } else if (run == 1) {
                    out += fmt::format("{}", ymd.month);
                } else if (run == 2) {
                    out += fmt::format("{:02}", ymd.month);
                } else {
                    const char* name = MonthNames[ymd.month - 1];
                    out += run == 3 ? std::string(name, 3) : std::string(name);
                }
                break;
            case 'y':
                if (run >= 3) {
                    out += fmt::format("{:04}", ymd.year);
                } else if (run == 2) {
                    out += fmt::format("{:02}", ymd.year % 100);
                } else {
                    out += fmt::format("{}", parts.day - DayFromYmd(ymd.year, 1, 1) + 1);
                }
                break;
            case 'h':
                out += run == 1 ? fmt::format("{}", shownHour) : fmt::format("{:02}", shownHour);
                break;
            case 'n':
                out += run == 1 ? fmt::format("{}", minute) : fmt::format("{:02}", minute);
                break;
            case 's':
                out += run == 1 ? fmt::format("{}", second) : fmt::format("{:02}", second);
                break;
            default:
                break;
        }
        afterHour = letter == 'h';
    }
    return out;
}

}  // namespace hlreports
