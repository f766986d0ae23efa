#include "DateUtilsBD2006.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

using namespace DateUtilsBD2006;

struct TDayCase {
    const char* Name;
    double Value;
    int Year, Month, Day, DayOfYear;
};

TEST(DateUtilsBD2006Test, decodesKnownDays)
{
    const std::vector<TDayCase> cases = {
        {"day zero", 0.0, 1899, 12, 30, 364},
        {"day one", 1.0, 1899, 12, 31, 365},
        {"1 January 1900 (not a leap year)", 2.0, 1900, 1, 1, 1},
        {"1 March 1900", 61.0, 1900, 3, 1, 60},
        {"29 February 2000", 36585.0, 2000, 2, 29, 60},
        {"31 December 2008", 39813.0, 2008, 12, 31, 366},
        {"31 December 2009", 40178.0, 2009, 12, 31, 365},
        {"day 45000", 45000.75, 2023, 3, 15, 74},
        {"day before day zero", -1.0, 1899, 12, 29, 363},
        {"before day zero, in the afternoon", -1.75, 1899, 12, 29, 363},
        {"first supported day", -693593.0, 1, 1, 1, 1},
        {"last supported day", 2958465.5, 9999, 12, 31, 365},
        {"0.6 ms before the new year", 40179.0 - 0.6 / 86400000.0, 2009, 12, 31, 365},
        {"0.4 ms before the new year rounds up", 40179.0 - 0.4 / 86400000.0, 2010, 1, 1, 1},
        // 31 December 1849 is day -18261; its time of day counts away from zero.
        {"0.6 ms before the new year 1850", -18261.0 - (1.0 - 0.6 / 86400000.0), 1849, 12, 31, 365},
        {"0.4 ms before the new year 1850 rounds up", -18261.0 - (1.0 - 0.4 / 86400000.0), 1850, 1, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto date = DecodeDate(c.Value);
        ASSERT_TRUE(date.has_value());
        EXPECT_EQ(date->Year, c.Year);
        EXPECT_EQ(date->Month, c.Month);
        EXPECT_EQ(date->Day, c.Day);
        EXPECT_EQ(YearOf(c.Value), c.Year);
        EXPECT_EQ(DayOfTheYear(c.Value), c.DayOfYear);
        EXPECT_EQ(StartOfTheYear(c.Value), EncodeDate(c.Year, 1, 1));
    }
}

struct TTimeCase {
    const char* Name;
    double Value;
    int Hour, Minute, Second, Millisecond;
};

TEST(DateUtilsBD2006Test, decodesTimesRoundedToTheMillisecond)
{
    const std::vector<TTimeCase> cases = {
        {"midnight", 45000.0, 0, 0, 0, 0},
        {"noon", 45000.5, 12, 0, 0, 0},
        {"07:30", 40000.3125, 7, 30, 0, 0},
        {"last millisecond", 45000.0 + 86399999.0 / 86400000.0, 23, 59, 59, 999},
        {"rounds to the next midnight", 45001.0 - 0.4 / 86400000.0, 0, 0, 0, 0},
        {"one third of a day", 45000.0 + 1.0 / 3.0, 8, 0, 0, 0},
        {"06:00 before day zero", -1.25, 6, 0, 0, 0},
        {"06:00 on day zero from below", -0.25, 6, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto time = DecodeTime(c.Value);
        ASSERT_TRUE(time.has_value());
        EXPECT_EQ(time->Hour, c.Hour);
        EXPECT_EQ(time->Minute, c.Minute);
        EXPECT_EQ(time->Second, c.Second);
        EXPECT_EQ(time->Millisecond, c.Millisecond);
    }
}

TEST(DateUtilsBD2006Test, everyDayRoundTrips)
{
    // Walks every day of the supported range: the decoded date must encode
    // back to the same day, days must follow each other, and the day of the
    // year must count up from 1 on each 1 January.
    const double first = *EncodeDate(1, 1, 1);
    const double last = *EncodeDate(9999, 12, 31);
    TCalendarDate previous{0, 12, 31};
    int previousDayOfYear = 0;
    for (double day = first; day <= last; day += 1.0) {
        // 18:00 of the day; before day zero the time of day counts downwards.
        const double evening = day < 0.0 ? day - 0.75 : day + 0.75;
        const auto date = DecodeDate(evening);
        ASSERT_TRUE(date.has_value()) << day;
        ASSERT_EQ(EncodeDate(date->Year, date->Month, date->Day), day);
        const int dayOfYear = *DayOfTheYear(evening);
        if (date->Month == 1 && date->Day == 1) {
            ASSERT_EQ(date->Year, previous.Year + 1) << day;
            ASSERT_EQ(dayOfYear, 1) << day;
            ASSERT_TRUE(previousDayOfYear == 365 || previousDayOfYear == 366 || previous.Year == 0);
        } else {
            ASSERT_EQ(dayOfYear, previousDayOfYear + 1) << day;
        }
        previous = *date;
        previousDayOfYear = dayOfYear;
    }
    EXPECT_EQ(previous.Year, 9999);
}

TEST(DateUtilsBD2006Test, encodesTimesThatDecodeBack)
{
    for (int hour : {0, 7, 12, 23}) {
        for (int minute : {0, 30, 59}) {
            for (int ms : {0, 1, 500, 999}) {
                const auto value = EncodeTime(hour, minute, 59, ms);
                ASSERT_TRUE(value.has_value());
                const auto time = DecodeTime(45000.0 + *value);
                ASSERT_TRUE(time.has_value());
                EXPECT_EQ(time->Hour, hour);
                EXPECT_EQ(time->Minute, minute);
                EXPECT_EQ(time->Second, 59);
                EXPECT_EQ(time->Millisecond, ms);
            }
        }
    }
}

TEST(DateUtilsBD2006Test, refusesInvalidParts)
{
    struct TDate {
        int Year, Month, Day;
    };
    for (const auto& d : std::vector<TDate>{{2009, 2, 29}, {1900, 2, 29}, {2021, 4, 31}, {2021, 13, 1}, {2021, 0, 1},
             {2021, 1, 0}, {0, 12, 31}, {10000, 1, 1}, {-5, 1, 1}}) {
        EXPECT_FALSE(EncodeDate(d.Year, d.Month, d.Day).has_value()) << d.Year << '-' << d.Month << '-' << d.Day;
    }
    EXPECT_TRUE(EncodeDate(2000, 2, 29).has_value());
    EXPECT_TRUE(EncodeDate(2008, 2, 29).has_value());

    EXPECT_FALSE(EncodeTime(24, 0, 0, 0).has_value());
    EXPECT_FALSE(EncodeTime(0, 60, 0, 0).has_value());
    EXPECT_FALSE(EncodeTime(0, 0, 60, 0).has_value());
    EXPECT_FALSE(EncodeTime(0, 0, 0, 1000).has_value());
    EXPECT_FALSE(EncodeTime(-1, 0, 0, 0).has_value());
}

TEST(DateUtilsBD2006Test, refusesValuesOutsideTheCalendar)
{
    const double outside[] = {-693594.0, 2958466.0, 1e300, -1e300, std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()};
    for (const double value : outside) {
        EXPECT_FALSE(DecodeDate(value).has_value()) << value;
        EXPECT_FALSE(DecodeTime(value).has_value()) << value;
        EXPECT_FALSE(YearOf(value).has_value()) << value;
        EXPECT_FALSE(StartOfTheYear(value).has_value()) << value;
        EXPECT_FALSE(DayOfTheYear(value).has_value()) << value;
    }
}

}  // namespace
