#include "TheTimeUtilsCls.h"

#include "DateUtilsBD2006.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace TheTimeUtilsCls;

struct TMoment {
    int Year, Month, Day, Hour, Minute, Second;
};

double MakeMoment(const TMoment& m)
{
    const auto date = DateUtilsBD2006::EncodeDate(m.Year, m.Month, m.Day);
    const auto time = DateUtilsBD2006::EncodeTime(m.Hour, m.Minute, m.Second, 0);
    EXPECT_TRUE(date && time);
    if (!date || !time) {
        return 0.0;
    }
    // Before 30 December 1899 the day is negative and the time of day counts
    // away from zero.
    return *date < 0.0 ? *date - *time : *date + *time;
}

// Compares through the calendar so that a result off by one second, or
// landing on the wrong side of midnight, is reported readably.
void ExpectMoment(double value, const TMoment& m)
{
    const auto date = DateUtilsBD2006::DecodeDate(value);
    const auto time = DateUtilsBD2006::DecodeTime(value);
    ASSERT_TRUE(date && time) << value;
    EXPECT_EQ(date->Year, m.Year);
    EXPECT_EQ(date->Month, m.Month);
    EXPECT_EQ(date->Day, m.Day);
    EXPECT_EQ(time->Hour, m.Hour);
    EXPECT_EQ(time->Minute, m.Minute);
    EXPECT_EQ(time->Second, m.Second);
    EXPECT_EQ(time->Millisecond, 0);
}

TEST(TheTimeUtilsClsTest, joinsTheDayOfOneValueWithTheTimeOfAnother)
{
    // Day 45000 at 18:00 joined with day 40000 at 07:30.
    EXPECT_EQ(JoinDateAndTime(45000.75, 40000.3125), 45000.3125);
    EXPECT_EQ(JoinDateAndTime(45000.0, 0.0), 45000.0);
    // Before 1900 on either side.
    const double evening1850 = MakeMoment({1850, 6, 1, 22, 0, 0});
    const double morning1850 = MakeMoment({1850, 6, 1, 7, 30, 0});
    ExpectMoment(JoinDateAndTime(evening1850, MakeMoment({2021, 8, 23, 7, 30, 0})), {1850, 6, 1, 7, 30, 0});
    ExpectMoment(JoinDateAndTime(MakeMoment({2021, 8, 23, 1, 0, 0}), morning1850), {2021, 8, 23, 7, 30, 0});
}

TEST(TheTimeUtilsClsTest, timeOrderFollowsTimeAcrossDayZero)
{
    const TMoment moments[] = {{1850, 7, 10, 4, 0, 0}, {1850, 7, 10, 23, 41, 0}, {1850, 7, 11, 0, 0, 0},
        {1899, 12, 29, 23, 59, 0}, {1899, 12, 30, 6, 0, 0}, {1899, 12, 31, 6, 0, 0}, {2026, 7, 10, 4, 0, 0}};
    for (std::size_t n = 1; n < std::size(moments); ++n)
        EXPECT_LT(TimeOrder(MakeMoment(moments[n - 1])), TimeOrder(MakeMoment(moments[n]))) << n;
    EXPECT_EQ(TimeOrder(-1.25), -0.75);
    EXPECT_EQ(TimeOrder(45000.5), 45000.5);
}

struct TDurationCase {
    const char* Name;
    TMoment Start;
    double Seconds;
    TMoment Expected;
};

TEST(TheTimeUtilsClsTest, addsTheWholeSecondsOfADuration)
{
    const std::vector<TDurationCase> cases = {
        {"no time", {2021, 8, 23, 14, 5, 9}, 0.0, {2021, 8, 23, 14, 5, 9}},
        {"two hours past midnight", {2021, 8, 23, 23, 0, 0}, 7200.0, {2021, 8, 24, 1, 0, 0}},
        {"1 d 1 h 1 min 1.75 s", {2021, 8, 23, 10, 0, 0}, 90061.75, {2021, 8, 24, 11, 1, 1}},
        {"fraction alone is dropped", {2021, 8, 23, 10, 0, 0}, 0.999, {2021, 8, 23, 10, 0, 0}},
        {"longest engine run", {2021, 7, 10, 23, 0, 0}, 125000.0, {2021, 7, 12, 9, 43, 20}},
        {"over the new year", {2009, 12, 31, 23, 59, 59}, 1.0, {2010, 1, 1, 0, 0, 0}},
        {"over a leap day", {2008, 2, 28, 12, 0, 0}, 2 * 86400.0, {2008, 3, 1, 12, 0, 0}},
        {"back over midnight", {2021, 8, 24, 0, 30, 0}, -3600.0, {2021, 8, 23, 23, 30, 0}},
        {"back 1 d 1 h 1 min 1.75 s", {2021, 8, 24, 11, 1, 1}, -90061.75, {2021, 8, 23, 10, 0, 0}},
        {"a year of seconds", {2021, 1, 1, 0, 0, 0}, 365 * 86400.0 + 59.5, {2022, 1, 1, 0, 0, 59}},
        {"before 1900", {1899, 12, 29, 6, 0, 0}, 3600.0, {1899, 12, 29, 7, 0, 0}},
        {"into 30 December 1899", {1899, 12, 29, 23, 59, 30}, 60.0, {1899, 12, 30, 0, 0, 30}},
        {"over 30 December 1899", {1899, 12, 29, 6, 0, 0}, 2 * 86400.0, {1899, 12, 31, 6, 0, 0}},
        {"back before 1900", {1900, 1, 1, 1, 0, 0}, -3 * 86400.0, {1899, 12, 29, 1, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        ExpectMoment(AddDuration(MakeMoment(c.Start), c.Seconds), c.Expected);
    }
}

TEST(TheTimeUtilsClsTest, reachesMidnightBeforeDayZeroOnTheRightDay)
{
    // Before 1900 a sum that lands on midnight comes out a hair short of it
    // in extended precision; rounded the wrong way it would read as the
    // midnight two days earlier.
    for (const TMoment start : {TMoment{1850, 3, 1, 0, 5, 5}, TMoment{1601, 7, 15, 13, 20, 7},
             TMoment{1, 1, 2, 0, 0, 1}, TMoment{1899, 12, 28, 23, 59, 59}}) {
        const int toMidnight = 86400 - (start.Hour * 3600 + start.Minute * 60 + start.Second);
        for (int earlier = 0; earlier < 400; ++earlier) {
            SCOPED_TRACE(testing::Message()
                << start.Year << "-" << start.Month << "-" << start.Day << ", " << earlier << " s earlier");
            const double moment = AddSeconds(MakeMoment(start), -earlier);
            ExpectMoment(AddDuration(moment, toMidnight + earlier), {start.Year, start.Month, start.Day + 1, 0, 0, 0});
            ExpectMoment(AddSeconds(moment, toMidnight + earlier), {start.Year, start.Month, start.Day + 1, 0, 0, 0});
        }
    }
}

TEST(TheTimeUtilsClsTest, zeroDurationReturnsTheMomentItself)
{
    for (const double moment : {45000.123456789, 0.0, 1.0 / 3.0, -1.25}) {
        EXPECT_EQ(AddDuration(moment, 0.0), moment);
        EXPECT_EQ(AddDuration(moment, 0.4), moment);
        EXPECT_EQ(AddDuration(moment, -0.4), moment);
    }
}

TEST(TheTimeUtilsClsTest, unitStepsLandOnTheUnitGrid)
{
    const double noon = 45000.5;
    EXPECT_EQ(AddDays(noon, 1), 45001.5);
    EXPECT_EQ(AddDays(noon, -45001), -1.5);
    EXPECT_EQ(AddHours(noon, 6), 45000.75);
    EXPECT_EQ(AddHours(noon, -36), 44999.0);
    EXPECT_EQ(AddMinutes(noon, 720), 45001.0);
    EXPECT_EQ(AddSeconds(noon, 43200), 45001.0);
    ExpectMoment(AddSeconds(45000.0, 1), {2023, 3, 15, 0, 0, 1});
    ExpectMoment(AddMinutes(45000.0, -1), {2023, 3, 14, 23, 59, 0});
}

TEST(TheTimeUtilsClsTest, extremeDurationsStayDefined)
{
    const double start = 45000.5;
    EXPECT_EQ(AddDuration(start, std::numeric_limits<double>::quiet_NaN()), start);
    constexpr double MaxDays = std::numeric_limits<std::int32_t>::max();
    constexpr double MinDays = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(AddDuration(start, std::numeric_limits<double>::infinity()), start + MaxDays);
    EXPECT_EQ(AddDuration(start, std::numeric_limits<double>::max()), start + MaxDays);
    // Far before 1900: noon of the day 2^31 days back, counted the negative way.
    const double farBack = (45000.0 + MinDays) - 0.5;
    EXPECT_EQ(AddDuration(start, -std::numeric_limits<double>::infinity()), farBack);
    EXPECT_EQ(AddDuration(start, -1e300), farBack);
    // Just inside the 32-bit day count the split is still exact.
    EXPECT_EQ(AddDuration(0.0, (MaxDays - 1) * 86400.0 + 3600.0), (MaxDays - 1) + 1.0 / 24.0);
    // Huge unit counts round to a double, never to garbage.
    EXPECT_TRUE(std::isfinite(AddSeconds(start, std::numeric_limits<std::int64_t>::max())));
    EXPECT_TRUE(std::isfinite(AddHours(start, std::numeric_limits<std::int64_t>::min())));
    EXPECT_EQ(AddDays(std::numeric_limits<double>::max(), 1), std::numeric_limits<double>::max());
}

}  // namespace
