// Date: parsing (accepted and rejected texts), printing, calendar arithmetic and day numbers.
#include <gtest/gtest.h>

#include "runtime/Date.h"
#include "runtime/ExpectComError.h"

namespace hlreports {
namespace {

using test::RaisesComError;

// Month-first texts in every accepted shape read as the right day and time.
TEST(DateParse, AcceptedTexts) {
    struct Row {
        const char* text;
        int year, month, day, hour, minute, second;
    };
    const Row rows[] = {
        {"3/5/2007", 2007, 3, 5, 0, 0, 0},
        {"03/05/07", 2007, 3, 5, 0, 0, 0},
        {"3-5-2007", 2007, 3, 5, 0, 0, 0},
        {"3.5.2007", 2007, 3, 5, 0, 0, 0},
        {"2007-03-05", 2007, 3, 5, 0, 0, 0},
        {"2007/3/5", 2007, 3, 5, 0, 0, 0},
        {"2007-03-05T14:30:00", 2007, 3, 5, 14, 30, 0},
        {"2007-03-05 14:30:00", 2007, 3, 5, 14, 30, 0},
        {"2007-03-05T14:30:00.400", 2007, 3, 5, 14, 30, 0},
        {"March 5, 2007", 2007, 3, 5, 0, 0, 0},
        {"march 5 2007", 2007, 3, 5, 0, 0, 0},
        {"Mar 5 2007", 2007, 3, 5, 0, 0, 0},
        {"Mar. 5, 2007", 2007, 3, 5, 0, 0, 0},
        {"Sept 5, 2007", 2007, 9, 5, 0, 0, 0},
        {"5 March 2007", 2007, 3, 5, 0, 0, 0},
        {"05-Mar-07", 2007, 3, 5, 0, 0, 0},
        {"3/5/2007 14:30", 2007, 3, 5, 14, 30, 0},
        {"3/5/2007 2:30 PM", 2007, 3, 5, 14, 30, 0},
        {"3/5/2007 2:30:15 pm", 2007, 3, 5, 14, 30, 15},
        {"3/5/2007 12:00 AM", 2007, 3, 5, 0, 0, 0},
        {"3/5/2007 12:05 PM", 2007, 3, 5, 12, 5, 0},
        {"3/5/2007 2:30PM", 2007, 3, 5, 14, 30, 0},
        {"3/5/2007 2 PM", 2007, 3, 5, 14, 0, 0},
        {"  3/5/2007  ", 2007, 3, 5, 0, 0, 0},
        {"2/29/2008", 2008, 2, 29, 0, 0, 0},
        {"2/29/2000", 2000, 2, 29, 0, 0, 0},
        {"1/1/29", 2029, 1, 1, 0, 0, 0},
        {"1/1/30", 1930, 1, 1, 0, 0, 0},
        {"1/1/00", 2000, 1, 1, 0, 0, 0},
        {"12/31/99", 1999, 12, 31, 0, 0, 0},
        {"1/1/100", 100, 1, 1, 0, 0, 0},
        {"12/31/9999", 9999, 12, 31, 0, 0, 0},
        {"14:30", 1899, 12, 30, 14, 30, 0},
        {"2:30 PM", 1899, 12, 30, 14, 30, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const std::optional<Date> parsed = Date::Parse(row.text);
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(parsed->Year(), row.year);
        EXPECT_EQ(parsed->Month(), row.month);
        EXPECT_EQ(parsed->Day(), row.day);
        EXPECT_EQ(parsed->Hour(), row.hour);
        EXPECT_EQ(parsed->Minute(), row.minute);
        EXPECT_EQ(parsed->Second(), row.second);
    }
}

// Impossible days and times, years out of range and garbage are no date.
TEST(DateParse, RejectedTexts) {
    const char* rows[] = {
        "",
        "   ",
        "hello",
        "2/30/2007",
        "2/29/2007",
        "13/5/2007",
        "0/5/2007",
        "3/0/2007",
        "3/32/2007",
        "1/1/99999",
        "1/1/10000",
        "3/5/2007 25:00",
        "3/5/2007 13:00 PM",
        "3/5/2007 10:60",
        "3/5/2007 10:30:60",
        "3/5-2007",
        "3/5/2007/1",
        "2007-3",
        "Marchy 5 2007",
        "March 32, 2007",
        "5 March",
        "3/5/2007 x",
        "3/5/2007 14:",
        ":30",
        "2007-03-05T",
        "-3/5/2007",
        "3//5/2007",
        "3/5/2007 2:30 PM PM",
        "12345678901/1/2007",
        "3/5/2007;",
    };
    for (const char* text : rows) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(Date::Parse(text).has_value());
    }
}

// A caller may state its own two-digit year pivot.
TEST(DateParse, TwoDigitPivot) {
    EXPECT_EQ(Date::Parse("1/1/49", 50).value().Year(), 2049);
    EXPECT_EQ(Date::Parse("1/1/50", 50).value().Year(), 1950);
    EXPECT_EQ(Date::Parse("1/1/29").value().Year(), 2029);
    EXPECT_EQ(Date::Parse("1/1/0029").value().Year(), 2029);  // four digits, still below 100
}

// Day numbers count from 30 Dec 1899; before it the fraction still runs forward from midnight.
TEST(Date, DayNumbersAndNegativeDates) {
    EXPECT_EQ(Date::FromYmd(1899, 12, 30).DayNumber(), 0.0);
    EXPECT_EQ(Date::FromYmd(1900, 1, 1).DayNumber(), 2.0);
    EXPECT_EQ(Date::FromYmd(2007, 3, 5).DayNumber(), 39146.0);
    EXPECT_EQ(Date::FromYmd(1899, 12, 29).DayNumber(), -1.0);
    EXPECT_EQ(Date::FromYmd(100, 1, 1).DayNumber(), -657434.0);
    EXPECT_EQ(Date::FromYmd(9999, 12, 31).DayNumber(), 2958465.0);

    const Date before = Date::FromYmdHms(1899, 12, 29, 6, 0, 0);
    EXPECT_EQ(before.DayNumber(), -1.25);
    EXPECT_EQ(before.Day(), 29);
    EXPECT_EQ(before.Hour(), 6);
    EXPECT_EQ(Date(-1.75).Hour(), 18);
    EXPECT_EQ(Date(-0.5).Day(), 30);
    EXPECT_EQ(Date(-0.5).Hour(), 12);

    // Round trips through the calendar for dates on both sides of the epoch.
    for (double dayNumber : {-657434.0, -36522.0, -1.0, -2.5, 0.0, 1.0, 39146.75, 2958465.5}) {
        SCOPED_TRACE(dayNumber);
        const Date date(dayNumber);
        const Date rebuilt = Date::FromYmdHms(date.Year(), date.Month(), date.Day(), date.Hour(),
                                              date.Minute(), date.Second());
        EXPECT_EQ(rebuilt.DayNumber(), dayNumber);
    }
    EXPECT_EQ(Date(-2.5).AddDays(1).DayNumber(), -1.5);
    EXPECT_EQ(Date(-1.5).AddDays(1).DayNumber(), 0.5);
    EXPECT_EQ(Date(0.25).AddDays(-1).DayNumber(), -1.25);
}

// Parts that name no calendar day, and day numbers outside 100..9999, raise 5.
TEST(Date, InvalidPartsRaiseFive) {
    EXPECT_TRUE(RaisesComError([] { (void)Date::FromYmd(2007, 2, 29); }, 5, "HLReports",
                               "Invalid procedure call or argument"));
    EXPECT_TRUE(RaisesComError([] { (void)Date::FromYmd(99, 1, 1); }, 5));
    EXPECT_TRUE(RaisesComError([] { (void)Date::FromYmd(2007, 13, 1); }, 5));
    EXPECT_TRUE(RaisesComError([] { (void)Date::FromYmdHms(2007, 1, 1, 24, 0, 0); }, 5));
    EXPECT_TRUE(RaisesComError([] { (void)Date::FromYmdHms(2007, 1, 1, 1, 0, 60.0); }, 5));
    EXPECT_TRUE(RaisesComError([] { (void)Date(3e6).Year(); }, 5));
    EXPECT_TRUE(RaisesComError([] { (void)Date::FromYmd(9999, 12, 31).AddDays(1); }, 5));
    EXPECT_TRUE(RaisesComError([] { (void)Date::FromYmd(9999, 12, 1).AddMonths(1); }, 5));
}

// Leap years follow the Gregorian rule: every 4th, not every 100th, every 400th.
TEST(Date, LeapYears) {
    EXPECT_EQ(Date::DaysInMonth(2000, 2), 29);
    EXPECT_EQ(Date::DaysInMonth(1900, 2), 28);
    EXPECT_EQ(Date::DaysInMonth(2024, 2), 29);
    EXPECT_EQ(Date::DaysInMonth(2023, 2), 28);
    EXPECT_EQ(Date::DaysInMonth(2023, 4), 30);
    EXPECT_EQ(Date::DaysInMonth(2023, 12), 31);
    EXPECT_EQ(Date::FromYmd(2024, 2, 10).LastOfMonth(), Date::FromYmd(2024, 2, 29));
    EXPECT_EQ(Date::FromYmdHms(2024, 2, 10, 9, 0, 0).FirstOfMonth(), Date::FromYmd(2024, 2, 1));
}

// AddMonths clamps the day to the target month and keeps the time of day.
TEST(Date, AddMonthsClampsTheDay) {
    struct Row {
        int year, month, day, months;
        int toYear, toMonth, toDay;
    };
    const Row rows[] = {
        {2007, 1, 31, 1, 2007, 2, 28},   {2008, 1, 31, 1, 2008, 2, 29},
        {2007, 3, 31, -1, 2007, 2, 28},  {2007, 12, 15, 1, 2008, 1, 15},
        {2007, 1, 15, -1, 2006, 12, 15}, {2007, 5, 31, 12, 2008, 5, 31},
        {2008, 2, 29, 12, 2009, 2, 28},  {2007, 1, 1, -25, 2004, 12, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << row.month << "/" << row.day << "/" << row.year << " + " << row.months);
        EXPECT_EQ(Date::FromYmd(row.year, row.month, row.day).AddMonths(row.months),
                  Date::FromYmd(row.toYear, row.toMonth, row.toDay));
    }
    EXPECT_EQ(Date::FromYmdHms(2007, 1, 31, 14, 30, 0).AddMonths(1),
              Date::FromYmdHms(2007, 2, 28, 14, 30, 0));
}

// Short and ISO texts and the classic Format patterns.
TEST(Date, Printing) {
    const Date day = Date::FromYmd(2007, 3, 5);
    const Date afternoon = Date::FromYmdHms(2007, 3, 5, 14, 30, 5);
    EXPECT_EQ(day.ToShortString(), "3/5/2007");
    EXPECT_EQ(afternoon.ToShortString(), "3/5/2007 2:30:05 PM");
    EXPECT_EQ(Date::FromYmdHms(2007, 3, 5, 0, 15, 0).ToShortString(), "3/5/2007 12:15:00 AM");
    EXPECT_EQ(afternoon.ToTimeString(), "2:30:05 PM");
    EXPECT_EQ(day.ToIsoDate(), "2007-03-05");
    EXPECT_EQ(afternoon.ToIsoDateTime(), "2007-03-05T14:30:05");
    EXPECT_EQ(Date::FromYmd(100, 1, 1).ToIsoDate(), "0100-01-01");
    EXPECT_EQ(day.Weekday(), 2);  // a Monday
    EXPECT_EQ(Date().Weekday(), 7);

    const std::pair<const char*, const char*> patterns[] = {
        {"mm/dd/yy", "03/05/07"},
        {"m/d/yyyy", "3/5/2007"},
        {"MM/DD/YYYY", "03/05/2007"},
        {"mmm d, yyyy", "Mar 5, 2007"},
        {"mmmm d, yyyy", "March 5, 2007"},
        {"dddd", "Monday"},
        {"ddd", "Mon"},
        {"yyyymmdd", "20070305"},
        {"hh:nn:ss", "14:30:05"},
        {"h:nn AM/PM", "2:30 PM"},
        {"h:mm am/pm", "2:30 pm"},
        {"hh:mm", "14:30"},
        {"h:n:s", "14:30:5"},
        {"\"Period \"mm-yyyy", "Period 03-2007"},
        {"\\d d", "d 5"},
        {"y", "64"},
    };
    for (const auto& [pattern, expected] : patterns) {
        SCOPED_TRACE(pattern);
        EXPECT_EQ(afternoon.Format(pattern), expected);
    }
    EXPECT_EQ(Date::FromYmdHms(2007, 3, 5, 0, 5, 0).Format("h:nn AM/PM"), "12:05 AM");
}

// Times round to the nearest second, and a time that rounds to midnight moves to the next day.
TEST(Date, TimeRoundsToTheSecond) {
    const double almostMidnight = 39146.0 + 86399.6 / 86400.0;
    EXPECT_EQ(Date(almostMidnight).Day(), 6);
    EXPECT_EQ(Date(almostMidnight).Hour(), 0);
    EXPECT_EQ(Date(39146.0 + 59.6 / 86400.0).Minute(), 1);
}

}  // namespace
}  // namespace hlreports
