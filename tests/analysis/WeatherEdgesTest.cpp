#include "WeatherSource.h"

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

}  // namespace
