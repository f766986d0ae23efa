#include "LiftMoments.h"
#include "DateUtilsBD2006.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct TWhenCase {
    const char* Name;
    const char* Date;  // the first laying, YYYY-MM-DD
    int Hour, Minute;
    TClockMode Clock;
    std::int64_t PreviousElapsed;
    const char* When;
    std::optional<std::int64_t> Elapsed;  // empty: in the hour the clock skips
};

void PrintTo(const TWhenCase& c, std::ostream* out)
{
    *out << c.Name;
}

TScenario layingOf(const TWhenCase& c)
{
    TScenario scenario;
    const int year = std::stoi(std::string(c.Date, 4));
    const int month = std::stoi(std::string(c.Date + 5, 2));
    const int day = std::stoi(std::string(c.Date + 8, 2));
    scenario.LayingDate = *DateUtilsBD2006::EncodeDate(year, month, day);
    scenario.LayingTime = *DateUtilsBD2006::EncodeTime(c.Hour, c.Minute, 0, 0);
    scenario.Clock = c.Clock;
    return scenario;
}

class LiftWhen : public testing::TestWithParam<TWhenCase> { };

TEST_P(LiftWhen, resolvesOnTheRunsClock)
{
    const TWhenCase& c = GetParam();
    const auto when = LiftMoments::ParseWhen(c.When);
    ASSERT_TRUE(when) << c.When;
    const LiftMoments::TResolvedWhen resolved = LiftMoments::Resolve(layingOf(c), c.PreviousElapsed, *when);
    EXPECT_EQ(resolved.ElapsedSeconds, c.Elapsed);
}

constexpr auto Auto = TClockMode::Auto;
constexpr int H = 3600;

// 2027: summer time from 28 March, to 31 October.
INSTANTIATE_TEST_SUITE_P(Cases, LiftWhen,
    testing::Values(TWhenCase{"minutesAfterTheFirst", "2027-07-14", 21, 0, Auto, 0, "+120", 2 * H},
        TWhenCase{"minutesAfterThePrevious", "2027-07-14", 21, 0, Auto, 2 * H, "+45", 2 * H + 45 * 60},
        TWhenCase{"clockTimeSameEvening", "2027-07-14", 21, 0, Auto, 0, "23:00", 2 * H},
        TWhenCase{"clockTimeAfterMidnight", "2027-07-14", 21, 0, Auto, 0, "00:30", 3 * H + 30 * 60},
        TWhenCase{"clockTimeEarlierIsTheNextDay", "2027-07-14", 21, 0, Auto, 0, "20:00", 23 * H},
        TWhenCase{"clockTimeSameAsPreviousIsTheNextDay", "2027-07-14", 21, 0, Auto, 0, "21:00", 24 * H},
        TWhenCase{"clockTimeOnThePreviousLiftsDate", "2027-07-14", 21, 0, Auto, 4 * H, "02:00", 5 * H},
        TWhenCase{"dateAndTime", "2027-07-14", 21, 0, Auto, 0, "2027-07-15T01:00", 4 * H},
        TWhenCase{"dateBeforeTheLayingKeptForTheCheck", "2027-07-14", 21, 0, Auto, 0, "2027-07-14T20:00", -H},
        // 01:30 summer time, then the repeated 02:30 in summer time, 03:30 in winter time.
        TWhenCase{"repeatedHourIsItsSummerPass", "2027-10-31", 1, 30, Auto, 0, "02:30", H},
        TWhenCase{"afterTheRepeatedHour", "2027-10-31", 1, 30, Auto, 0, "03:30", 3 * H},
        TWhenCase{"repeatedHourByDate", "2027-10-31", 1, 30, Auto, 0, "2027-10-31T02:30", H},
        // The previous lift in the winter pass: 02:45 read as summer time is before it.
        TWhenCase{"repeatedHourBehindThePreviousLift", "2027-10-31", 2, 30, Auto, H, "02:45", 25 * H + 15 * 60},
        TWhenCase{"forcedWinterOnTheOctoberNight", "2027-10-31", 1, 30, TClockMode::Winter, 0, "03:30", 2 * H},
        TWhenCase{"forcedSummerKeepsTheMarchHour", "2027-03-28", 1, 30, TClockMode::Summer, 0, "02:30", H},
        TWhenCase{"skippedHourRefused", "2027-03-28", 1, 30, Auto, 0, "02:30", std::nullopt},
        TWhenCase{"skippedHourByDateRefused", "2027-03-28", 1, 30, Auto, 0, "2027-03-28T02:15", std::nullopt},
        TWhenCase{"skippedHourOnTheNextDayRefused", "2027-03-27", 23, 0, Auto, 0, "02:30", std::nullopt},
        TWhenCase{"afterTheSkippedHour", "2027-03-28", 1, 30, Auto, 0, "03:30", H},
        // Laid in summer time on the change day: 02:30 is the next night's.
        TWhenCase{"skippedHourAlreadyPast", "2027-03-28", 4, 0, Auto, 0, "02:30", 22 * H + 30 * 60}),
    [](const auto& param) { return std::string(param.param.Name); });

TEST(LiftWhen, refusesWhatIsNoMoment)
{
    for (const char* text : {"", "+", "+-5", "-5", "+1.5", "+ 5", "120", "24:00", "12:60", "1:00", "+99999999999",
             "2027-02-29T10:00", "2027-07-15 01:00", "2027-07-15T1:00", "2027-7-15T01:00"})
        EXPECT_FALSE(LiftMoments::ParseWhen(text)) << '"' << text << '"';
}

TEST(LiftWhen, wallMomentOfALiftAcrossTheOctoberChange)
{
    const TScenario laying = layingOf({"", "2027-10-31", 1, 30, Auto, 0, "", 0});
    const WallClock::TWallMoment lift = LiftMoments::WallMomentOf(laying, 3 * H);
    EXPECT_FALSE(lift.SummerTime);
    EXPECT_NEAR(lift.Moment, *DateUtilsBD2006::EncodeDate(2027, 10, 31) + 3.5 / 24, 1e-6);  // 03:30, to 0.1 s
}

}  // namespace
