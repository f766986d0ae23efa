#include "WeatherSource.h"

#include "DateUtilsBD2006.h"
#include "ScenarioRun.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string refusalOf(const std::string& text)
{
    try {
        WeatherSource::ReadText(text, "w");
    } catch (const TWeatherError& error) {
        return error.what();
    }
    return "accepted";
}

std::string forecastAt(const std::string& offset)
{
    return "{\"utc_offset_seconds\":" + offset
        + ",\"hourly\":{\"time\":[\"2026-12-09T12:00\"],\"temperature_2m\":[2]}}";
}

// An offset is read in its own type and bounded to 18 h either way: the
// extremes of both integer types neither pass nor wrap.
TEST(WeatherEdgesTest, ForecastOffsetsBeyondEighteenHoursAreRefused)
{
    const std::string refused = "w: utc_offset_seconds is not an offset of whole seconds within 18 h of UTC";
    for (const char* offset : {"-9223372036854775808", "18446744073709551615", "9223372036854775808", "64801", "-64801",
             "3600.5", "\"3600\""})
        EXPECT_EQ(refusalOf(forecastAt(offset)), refused) << offset;
    for (const auto& [offset, seconds] : {std::pair{"64800", 64800}, {"-64800", -64800}, {"0", 0}}) {
        const TWeatherSource source = WeatherSource::ReadText(forecastAt(offset), "w");
        ASSERT_EQ(source.AirTemp.size(), 1u) << offset;
        EXPECT_EQ(source.AirTemp[0].Moment.OffsetSeconds, seconds) << offset;
    }
}

// A value just past a limit is printed in full, never rounded onto the limit.
TEST(WeatherEdgesTest, ALimitRefusalPrintsTheValueInFull)
{
    EXPECT_EQ(refusalOf("time,wind_speed\n2026-12-09T12:00Z,60.00003\n"),
        "w: line 2: wind speed 60.00003 m/s outside 0 to 60");
    EXPECT_EQ(refusalOf("time,air_temp\n2026-12-09T12:00Z,-40.0000001\n"),
        "w: line 2: air temperature -40.0000001 degC outside -40 to 50");
}

// Lines ended by a CR alone are lines, not one long line.
TEST(WeatherEdgesTest, CrOnlyLinesAreLines)
{
    const TWeatherSource source
        = WeatherSource::ReadText("time,air_temp\r2026-12-09T12:00Z,2\r2026-12-09T13:00Z,1\r", "w");
    ASSERT_EQ(source.AirTemp.size(), 2u);
    EXPECT_EQ(source.AirTemp[1].Where, "line 3");
}

// A run is given only when every file series it uses reaches the laying
// from both sides; a constant in place of a series lifts that series' limit.
TEST(WeatherEdgesTest, ATimelineMustCoverTheLaying)
{
    const auto source = std::make_shared<const TWeatherSource>(WeatherSource::ReadText(
        "time,air_temp,wind_speed\n2026-12-09T12:00Z,2,\n2026-12-09T13:00Z,1,3\n2026-12-09T16:00Z,0,2\n", "w"));
    struct {
        int Hour, Minute;
        bool WindConstant;
        bool Covers;
    } const cases[] = {{12, 30, false, false}, {13, 59, false, false}, {14, 0, false, true}, {17, 0, false, true},
        {17, 1, false, false}, {13, 30, true, true}, {12, 59, true, false}};
    for (const auto& c : cases) {
        TScenario s;  // laid on the winter clock, UTC + 1 h
        s.LayingDate = *DateUtilsBD2006::EncodeDate(2026, 12, 9);
        s.LayingTime = *DateUtilsBD2006::EncodeTime(c.Hour, c.Minute, 0, 0);
        s.Weather = source;
        if (c.WindConstant)
            s.WindSpeed = 3.0;
        const TRunOutcome run = RunScenario(s);
        EXPECT_EQ(run.WeatherCoversLaying, c.Covers) << c.Hour << ":" << c.Minute;
        EXPECT_EQ(run.Succeeded(), c.Covers) << run.Failure;
        if (!c.Covers) {
            EXPECT_EQ(run.Failure, TRunOutcome::WeatherNotCoveringLaying);
            EXPECT_NEAR(run.WeatherUntil.value_or(0.0), s.LayingDate + 17.0 / 24.0, 1e-9);
        }
    }
}

}  // namespace
