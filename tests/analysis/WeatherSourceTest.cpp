#include "WeatherSource.h"
#include "DateUtilsBD2006.h"
#include "LayingPlan.h"
#include "PICHourCls.h"
#include "ScenarioRun.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <ostream>

namespace {

const std::string DataDir = KELVARA_TEST_DATA "/weather/";

TScenario decemberScenario(int hour, int minute, int second = 0)
{
    TScenario s;
    s.LayingDate = *DateUtilsBD2006::EncodeDate(2026, 12, 9);
    s.LayingTime = *DateUtilsBD2006::EncodeTime(hour, minute, second, 0);
    return s;
}

std::vector<double> elapsedOf(const std::optional<TWeatherSeries>& series)
{
    std::vector<double> elapsed;
    for (const TWeatherPoint& point : series.value().Points())
        elapsed.push_back(point.ElapsedSeconds);
    return elapsed;
}

TEST(WeatherSourceTest, ReadsTheCsvWithOffsetsFromTheLayingMinute)
{
    const TWeatherSource source = WeatherSource::ReadFile(DataDir + "site-weather.csv");
    EXPECT_EQ(source.AirTemp.size(), 7u);
    EXPECT_EQ(source.WindSpeed.size(), 6u);  // an empty cell is no point
    EXPECT_EQ(source.CloudCover.size(), 6u);
    // Laid at 14:10:59 winter time: the seconds are ignored.
    const TWeatherTimeline timeline = WeatherSource::TimelineFor(source, decemberScenario(14, 10, 59));
    const std::vector<double> expected = {-600, 3000, 6600, 13800, 21000, 24600, 37200};
    EXPECT_EQ(elapsedOf(timeline.AirTemp), expected);
    EXPECT_EQ(timeline.AirTemp->Points().back().Value, -1.0);
    EXPECT_EQ(timeline.WindSpeed->Points()[1].ElapsedSeconds, 6600);
}

TEST(WeatherSourceTest, ReadsForecastsAtTheirOffsetAndUnit)
{
    const TWeatherSource utc = WeatherSource::ReadFile(DataDir + "forecast-utc.json");
    ASSERT_EQ(utc.AirTemp.size(), 48u);
    EXPECT_EQ(utc.WindSpeed.size(), 48u);
    EXPECT_EQ(utc.WindSpeed[0].Value, 5.2);  // m/s as given
    const TWeatherSource brussels = WeatherSource::ReadFile(DataDir + "forecast-brussels.json");
    EXPECT_EQ(brussels.AirTemp.size(), 70u);  // two nulls
    EXPECT_EQ(brussels.WindSpeed[0].Value, 18.7 / 3.6);
    // 00:00 at +01:00 is 23:00 UTC the day before; the UTC file starts an hour later.
    const TScenario laid = decemberScenario(0, 0);
    EXPECT_EQ(WeatherSource::TimelineFor(brussels, laid).AirTemp->Points()[0].ElapsedSeconds, 0.0);
    EXPECT_EQ(WeatherSource::TimelineFor(utc, laid).CloudCover->Points()[0].ElapsedSeconds, 3600.0);
}

TEST(WeatherSourceTest, MomentsWithoutOffsetAreReadOnTheRunsClock)
{
    const TWeatherSource source = WeatherSource::ReadText("time,air_temp\n2027-03-28T03:30,5\n", "spring.csv");
    TScenario s;
    s.LayingDate = *DateUtilsBD2006::EncodeDate(2027, 3, 28);
    s.LayingTime = *DateUtilsBD2006::EncodeTime(1, 0, 0, 0);  // winter time, 00:00 UTC
    EXPECT_EQ(WeatherSource::TimelineFor(source, s).AirTemp->Points()[0].ElapsedSeconds, 5400.0);  // summer time
    s.Clock = TClockMode::Winter;
    EXPECT_EQ(WeatherSource::TimelineFor(source, s).AirTemp->Points()[0].ElapsedSeconds, 9000.0);
}

struct TRefusal {
    const char* Text;
    const char* Reason;
};

class WeatherRefusalTest : public testing::TestWithParam<TRefusal> { };

TEST_P(WeatherRefusalTest, NamesTheFileThePlaceAndTheReason)
{
    try {
        const TWeatherSource source = WeatherSource::ReadText(GetParam().Text, "w.csv");
        WeatherSource::TimelineFor(source, decemberScenario(12, 0));
        FAIL() << "accepted";
    } catch (const TWeatherError& error) {
        EXPECT_EQ(std::string(error.what()), std::string("w.csv: ") + GetParam().Reason);
    }
}

std::string tooMany()
{
    std::string text = "time,wind_speed\n";
    char moment[32];
    for (int n = 0; n <= 10000; ++n) {
        std::snprintf(moment, sizeof moment, "2026-12-09T%02d:%02d:%02dZ,1\n", n / 3600, n / 60 % 60, n % 60);
        text += moment;
    }
    return text;
}
const std::string TooMany = tooMany();

INSTANTIATE_TEST_SUITE_P(Cases, WeatherRefusalTest,
    testing::Values(TRefusal{"", "unknown format: the file is empty"},
        TRefusal{"moment,air_temp\n", "line 1: unknown format: no time column"},
        TRefusal{"time,station\n2026-12-09T12:00Z,x\n", "line 1: no air_temp, wind_speed or cloud_cover column"},
        TRefusal{"time,air_temp\n2026-12-09 12:00,3\n", "line 2: moment \"2026-12-09 12:00\" does not parse"},
        TRefusal{"time,air_temp\n2026-12-09T12:00+1,3\n", "line 2: moment \"2026-12-09T12:00+1\" does not parse"},
        TRefusal{"time,air_temp\n2026-12-09T12:00Z,3\n2026-12-09T13:00+01:00,4\n",
            "line 3: air temperature moment not after the one before it"},
        TRefusal{"time,air_temp\n2026-12-09T12:00Z,50.5\n", "line 2: air temperature 50.5 degC outside -40 to 50"},
        TRefusal{"time,wind_speed\n2026-12-09T12:00Z,-0.1\n", "line 2: wind speed -0.1 m/s outside 0 to 60"},
        TRefusal{"time,cloud_cover\n2026-12-09T12:00Z,101\n", "line 2: cloud cover 101 % outside 0 to 100"},
        TRefusal{"time,cloud_cover\n2026-12-09T12:00Z,lots\n", "line 2: cloud_cover \"lots\" is not a number"},
        // Numbers as the command line's options read them.
        TRefusal{"time,cloud_cover\n2026-12-09T12:00Z,0x10\n", "line 2: cloud_cover \"0x10\" is not a number"},
        TRefusal{"time,cloud_cover\n2026-12-09T12:00Z,1e1\n", "line 2: cloud_cover \"1e1\" is not a number"},
        TRefusal{"time,air_temp\n2026-12-09T12:00Z,2,5\n",
            "line 2: the row has 3 fields, the header 2 (a decimal comma must be quoted)"},
        TRefusal{"time,air_temp,cloud_cover\n2026-12-09T12:00Z,,50\n", "air_temp has no points"},
        TRefusal{TooMany.c_str(), "line 10002: more than 10000 points of wind speed"},
        TRefusal{"{\"hourly\":{\"time\":[\"2026-12-09T12:00\"],\"wind_speed_10m\":[3]},"
                 "\"hourly_units\":{\"wind_speed_10m\":\"mph\"}}",
            "wind speed unit \"mph\" is neither m/s nor km/h"},
        TRefusal{"{\"hourly\":{\"time\":[\"2026-12-09T12:00\"],\"temperature_2m\":[null]}}",
            "hourly.temperature_2m has no points"},
        TRefusal{"{\"hourly\":{\"time\":[\"2026-12-09T12:00\",\"9 Dec\"],\"cloud_cover\":[1,2]}}",
            "hourly.time[1]: moment \"9 Dec\" does not parse"},
        TRefusal{"{\"hourly\":{\"time\":[\"2026-12-09T12:00\"],\"cloud_cover\":[120]}}",
            "hourly.cloud_cover[0]: cloud cover 120 % outside 0 to 100"},
        TRefusal{"{\"daily\":{}}", "unknown format: no hourly forecast"}));

TEST(WeatherSourceTest, AnUnreadableFileIsRefused)
{
    EXPECT_THROW(WeatherSource::ReadFile(DataDir + "missing.csv"), TWeatherError);
}

TWeatherErrorKind kindOf(const std::string& text)
{
    try {
        WeatherSource::ReadText(text, "w");
    } catch (const TWeatherError& error) {
        return error.Kind();
    }
    ADD_FAILURE() << "accepted";
    return TWeatherErrorKind::Unreadable;
}

// The process's locale, for the time of a test.
class TLocale {
public:
    explicit TLocale(const char* name) : FOld(std::setlocale(LC_ALL, nullptr)), FSet(std::setlocale(LC_ALL, name)) { }
    ~TLocale() { std::setlocale(LC_ALL, FOld.c_str()); }
    bool Set() const { return FSet != nullptr; }

private:
    std::string FOld;
    const char* FSet;
};

TEST(WeatherSourceTest, ReadsTheSameUnderTheUsersLocales)
{
    const TWeatherSource c = WeatherSource::ReadFile(DataDir + "site-weather.csv");
    for (const char* name : {"fr_BE.UTF-8", "nl_BE.UTF-8"}) {
        const TLocale locale(name);
        ASSERT_TRUE(locale.Set()) << name << " is not generated (scripts/install-deps.sh generates it)";
        const TWeatherSource there = WeatherSource::ReadFile(DataDir + "site-weather.csv");
        ASSERT_EQ(there.AirTemp.size(), c.AirTemp.size()) << name;
        for (std::size_t n = 0; n < c.AirTemp.size(); ++n)
            EXPECT_EQ(there.AirTemp[n].Value, c.AirTemp[n].Value) << name;
        EXPECT_EQ(WeatherSource::ReadText("time,air_temp\n2026-12-09T12:00Z,\"-2,5\"\n", "q").AirTemp[0].Value, -2.5);
    }
}

TEST(WeatherSourceTest, HostileFilesAreRefusedWithinBoundsAndBriefly)
{
    // 70 000 levels once overflowed the stack while the refusal was written.
    const std::string deep = "{\"hourly\":{\"time\":[\"2026-12-09T12:00\"],\"temperature_2m\":"
        + std::string(70000, '[') + std::string(70000, ']') + "}}";
    EXPECT_EQ(kindOf(deep), TWeatherErrorKind::TooLarge);
    // Inside a string, brackets are text.
    EXPECT_NO_THROW(WeatherSource::ReadText("{\"hourly\":{\"time\":[\"2026-12-09T12:00\"],\"cloud_cover\":[5]},"
                                            "\"note\":\""
            + std::string(100, '[') + "\"}",
        "w"));
    EXPECT_EQ(kindOf(std::string(WeatherSource::MaxFileBytes + 1, ' ') + "x"), TWeatherErrorKind::TooLarge);
    EXPECT_EQ(kindOf("time,air_temp\n2026-12-09T12:00Z,99\n"), TWeatherErrorKind::OutOfRange);
    // An endless device is read no further than the limit.
    try {
        WeatherSource::ReadFile("/dev/zero");
        FAIL() << "accepted";
    } catch (const TWeatherError& error) {
        EXPECT_EQ(error.Kind(), TWeatherErrorKind::TooLarge);
    }
    // A value is quoted in part, its control bytes and NUL shown, not copied.
    const std::string cell = std::string("a\0b\x1b", 4) + std::string(500, 'x');
    try {
        WeatherSource::ReadText("time,air_temp\n2026-12-09T12:00Z,\"" + cell + "\"\n", "w.csv");
        FAIL() << "accepted";
    } catch (const TWeatherError& error) {
        EXPECT_EQ(std::string(error.what()),
            "w.csv: line 2: air_temp \"a\\x00b\\x1B" + std::string(36, 'x') + "...\" is not a number");
    }
    const std::string array
        = "{\"hourly\":{\"time\":[\"2026-12-09T12:00\"],\"cloud_cover\":[[\"" + std::string(9000, 'y') + "\"]]}}";
    try {
        WeatherSource::ReadText(array, "f.json");
        FAIL() << "accepted";
    } catch (const TWeatherError& error) {
        EXPECT_EQ(std::string(error.what()), "f.json: hourly.cloud_cover[0]: an array is not a number");
    }
}

TEST(WeatherSourceTest, ClassEqualConstantsGiveTheClassRun)
{
    const TPICHourCls engine;
    TScenario classes = decemberScenario(14, 10);
    classes.Wind = TWindClass::Moderate;
    classes.Cloud = TCloudClass::Covered;
    TScenario values = classes;
    values.WindSpeed = engine.WindSpeedModerate;
    values.CloudCover = engine.CloudCoverOvercast;
    const TRunOutcome a = RunScenario(classes), b = RunScenario(values);
    ASSERT_TRUE(b.Succeeded());
    EXPECT_EQ(a.ResultSeconds, b.ResultSeconds);
    EXPECT_EQ(a.CompactionSeconds, b.CompactionSeconds);
    EXPECT_EQ(std::string(a.WeatherKind), "classes");
    EXPECT_EQ(std::string(b.WeatherKind), "values");
    // Colder air cools the layer sooner.
    values.AirTemp = -10.0;
    EXPECT_LT(RunScenario(values).ResultSeconds,
        RunScenario([&] {
            TScenario warm = values;
            warm.AirTemp = 20.0;
            return warm;
        }())
            .ResultSeconds);
}

TEST(WeatherSourceTest, ATimelineThatEndsEarlyIsHeld)
{
    TScenario s = decemberScenario(14, 10);
    s.Weather = std::make_shared<const TWeatherSource>(
        WeatherSource::ReadText("time,air_temp\n2026-12-09T13:00Z,2\n2026-12-09T13:30Z,1\n", "short.csv"));
    const TRunOutcome run = RunScenario(s);
    ASSERT_TRUE(run.Succeeded());
    EXPECT_EQ(std::string(run.WeatherKind), "timeline");
    EXPECT_TRUE(run.WeatherHeld);
    ASSERT_TRUE(run.WeatherUntil);
    EXPECT_NEAR(*run.WeatherUntil, s.LayingDate + 14.5 / 24.0, 1e-9);  // 13:30 UTC on the run's clock
    ASSERT_TRUE(run.CompactionSeconds);
    EXPECT_LT(*run.CompactionSeconds, run.ResultSeconds);
}

TEST(WeatherSourceTest, PlanSlotsWithATimelineEqualSingleRuns)
{
    TScenario s = decemberScenario(0, 0);
    s.Weather = std::make_shared<const TWeatherSource>(WeatherSource::ReadFile(DataDir + "forecast-brussels.json"));
    const auto plan = PlanLaying(s, 240);
    ASSERT_TRUE(plan);
    ASSERT_EQ(plan->Slots.size(), 6u);
    for (const TPlanSlot& slot : plan->Slots) {
        TScenario single = s;
        single.LayingTime = slot.LayingTime;
        const TRunOutcome run = RunScenario(single);
        EXPECT_EQ(slot.Outcome.ResultSeconds, run.ResultSeconds);
        EXPECT_EQ(slot.Outcome.CompactionSeconds, run.CompactionSeconds);
    }
    // The slots read the same moments: they do not all give the same wait.
    EXPECT_NE(plan->Slots[0].Outcome.ResultSeconds, plan->Slots[3].Outcome.ResultSeconds);
}

// Reopenings under a changing recorded weather, in seconds after the laying.
// Obtained once by running each laying through RunScenario (the scenario's
// defaults: 5 cm laid at 170 degC, reopened at 30 degC, automatic clock) with
// the engine as specified, and kept as they came out. They catch a change of
// how often the engine reads the series: reading the cloud cover for the
// irradiance every 1800 s instead of every 900 s moves all but the last of
// these by 5 s (one step); the last, under a cloudless sky, is the control.
struct TPinnedReopening {
    const char* File;  // the CSV reader's and both kinds of the JSON reader's
    int Day, Hour, Minute;  // December 2026, wall clock (winter time)
    double ResultSeconds;
};

void PrintTo(const TPinnedReopening& pinned, std::ostream* out)
{
    *out << pinned.File << ", laid on " << pinned.Day << "/12 at " << pinned.Hour << "h" << pinned.Minute;
}

class RecordedWeatherReopening : public testing::TestWithParam<TPinnedReopening> { };

TEST_P(RecordedWeatherReopening, IsTheOneComputedOnce)
{
    const TPinnedReopening& pinned = GetParam();
    TScenario s;
    s.LayingDate = *DateUtilsBD2006::EncodeDate(2026, 12, pinned.Day);
    s.LayingTime = *DateUtilsBD2006::EncodeTime(pinned.Hour, pinned.Minute, 0, 0);
    s.Weather = std::make_shared<const TWeatherSource>(WeatherSource::ReadFile(DataDir + pinned.File));
    const TRunOutcome run = RunScenario(s);
    ASSERT_TRUE(run.Succeeded());
    ASSERT_EQ(std::string(run.WeatherKind), "timeline");
    EXPECT_FALSE(run.WeatherHeld);
    EXPECT_EQ(run.ResultSeconds, pinned.ResultSeconds);
}

INSTANTIATE_TEST_SUITE_P(Cases, RecordedWeatherReopening,
    testing::Values(TPinnedReopening{"site-weather.csv", 9, 14, 0, 9175},
        TPinnedReopening{"site-weather.csv", 9, 14, 15, 9200}, TPinnedReopening{"site-weather.csv", 9, 15, 45, 9525},
        TPinnedReopening{"forecast-utc.json", 9, 9, 0, 9285}, TPinnedReopening{"forecast-utc.json", 9, 10, 30, 9950},
        TPinnedReopening{"forecast-utc.json", 9, 12, 0, 10405}, TPinnedReopening{"forecast-utc.json", 9, 13, 30, 10490},
        TPinnedReopening{"forecast-utc.json", 10, 11, 0, 13010},
        TPinnedReopening{"forecast-utc.json", 10, 12, 30, 12555},
        TPinnedReopening{"forecast-brussels.json", 9, 10, 0, 10085},
        TPinnedReopening{"forecast-brussels.json", 9, 12, 0, 10730},
        TPinnedReopening{"forecast-brussels.json", 10, 9, 30, 12780},
        TPinnedReopening{"forecast-brussels.json", 10, 13, 30, 12175},
        TPinnedReopening{"forecast-brussels.json", 11, 11, 0, 18820}));

}  // namespace
