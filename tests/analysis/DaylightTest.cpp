#include "Daylight.h"
#include "DateUtilsBD2006.h"
#include "ScenarioRun.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const SolarModel::TSite Site = Daylight::DefaultSite();
constexpr double OneMinute = 1.0 / 1440.0;

double dateOf(int year, int month, int day)
{
    return *DateUtilsBD2006::EncodeDate(year, month, day);
}

// Midsummer (day 172 of 2026, summer time): sunrise 3.864 h and sunset
// 20.136 h solar time; the clock is 2 h ahead of UTC and the site 4.21
// degrees east, so on the clock they fall near 05:37 and 22:08.
TEST(Daylight, sunTimesOnAKnownDayAndTheNightAroundThem)
{
    const double day = dateOf(2026, 6, 21);
    const auto sun = Daylight::SunTimesOn(day, 2.0, Site);
    ASSERT_TRUE(sun);
    EXPECT_NEAR((sun->Sunrise - day) * 24.0, 3.864 + 2.0 - 4.21 / 15.0 + 0.0262, 0.01);
    EXPECT_NEAR((sun->Sunset - day) * 24.0, 20.136 + 2.0 - 4.21 / 15.0 + 0.0262, 0.01);

    EXPECT_TRUE(Daylight::IsNightAt(sun->Sunrise - OneMinute, 2.0, Site));
    EXPECT_FALSE(Daylight::IsNightAt(sun->Sunrise + OneMinute, 2.0, Site));
    EXPECT_FALSE(Daylight::IsNightAt(sun->Sunset - OneMinute, 2.0, Site));
    EXPECT_TRUE(Daylight::IsNightAt(sun->Sunset + OneMinute, 2.0, Site));

    EXPECT_EQ(*Daylight::FirstDaylightFrom(day + 0.5, 2.0, Site), day + 0.5);
    const auto nextMorning = Daylight::FirstDaylightFrom(sun->Sunset + OneMinute, 2.0, Site);
    ASSERT_TRUE(nextMorning);
    EXPECT_NEAR(*nextMorning - (day + 1.0), sun->Sunrise - day, 2.0 * OneMinute);
}

TEST(Daylight, nightsAreJoinedAcrossMidnightAndClipped)
{
    const double day = dateOf(2026, 12, 21);
    const auto nights = Daylight::NightsBetween(day + 0.5, day + 2.5, 1.0, Site);
    ASSERT_EQ(nights.size(), 2u);
    const auto first = *Daylight::SunTimesOn(day, 1.0, Site);
    const auto second = *Daylight::SunTimesOn(day + 1.0, 1.0, Site);
    const auto third = *Daylight::SunTimesOn(day + 2.0, 1.0, Site);
    EXPECT_EQ(nights[0].Start, first.Sunset);
    EXPECT_EQ(nights[0].End, second.Sunrise);
    EXPECT_EQ(nights[1].Start, second.Sunset);
    EXPECT_EQ(nights[1].End, third.Sunrise);
    EXPECT_TRUE(Daylight::NightsBetween(day + 0.5, day + 0.55, 1.0, Site).empty());
    EXPECT_TRUE(Daylight::NightsBetween(day + 1.0, day, 1.0, Site).empty());
}

// Night and day change at sunrise and sunset to the second: a moment's
// seconds count, not only its hour and minute. On these days both fall
// mid-minute, so that the whole seconds just before and just after share
// their hour and minute, and a flag blind to the seconds gives both the same.
TEST(Daylight, nightAndDayChangeToTheSecond)
{
    struct TDay {
        int Year, Month, Day;
        double ClockOffset;
    };
    for (const TDay& d :
        {TDay{2026, 6, 21, 2.0}, TDay{2026, 7, 11, 2.0}, TDay{2026, 12, 9, 1.0}, TDay{2027, 3, 1, 1.0}}) {
        const double day = dateOf(d.Year, d.Month, d.Day);
        SCOPED_TRACE(testing::Message() << d.Day << "/" << d.Month << "/" << d.Year);
        const auto sun = Daylight::SunTimesOn(day, d.ClockOffset, Site);
        ASSERT_TRUE(sun);
        for (const double change : {sun->Sunrise, sun->Sunset}) {
            const double seconds = (change - day) * 86400.0;
            const double before = std::floor(seconds) - 1.0, after = std::ceil(seconds) + 1.0;
            ASSERT_EQ(std::floor(before / 60.0), std::floor(after / 60.0)) << "not mid-minute";
            const bool nightBefore = change == sun->Sunrise;
            EXPECT_EQ(Daylight::IsNightAt(day + before / 86400.0, d.ClockOffset, Site), nightBefore);
            EXPECT_EQ(Daylight::IsNightAt(day + after / 86400.0, d.ClockOffset, Site), !nightBefore);
        }
    }
}

// A reopening flagged at night lies between a sunset and the next sunrise.
TEST(Daylight, runFlagsANightReopening)
{
    TScenario scenario;
    scenario.LayingDate = dateOf(2026, 6, 21);
    scenario.LayingTime = *DateUtilsBD2006::EncodeTime(12, 0, 0, 0);
    const TRunOutcome noon = RunScenario(scenario);
    ASSERT_TRUE(noon.Succeeded());
    EXPECT_EQ(noon.Night, Daylight::IsNightAt(noon.Reopening, 2.0, Site));
    EXPECT_TRUE(noon.Night) << "laid at noon, ready after about 12 h: just before midnight";

    scenario.LayingTime = *DateUtilsBD2006::EncodeTime(3, 0, 0, 0);
    const TRunOutcome early = RunScenario(scenario);
    ASSERT_TRUE(early.Succeeded());
    EXPECT_FALSE(early.Night);
}

}  // namespace
