#include "WeatherTimeline.h"
#include "CompactionWindow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

namespace {

struct TValueCase {
    std::vector<TWeatherPoint> Points;
    double ElapsedSeconds;
    double Expected;  // exact: the rule fixes the order of the operations
};

TEST(WeatherSeries, valueAtPointsBetweenAndOutside)
{
    const std::vector<TWeatherPoint> three = {{0.0, 10.0}, {100.0, 20.0}, {300.0, 0.0}};
    const TValueCase cases[] = {
        {three, -50.0, 10.0},  // before the first point: its value
        {three, 0.0, 10.0},
        {three, 50.0, 15.0},
        {three, 100.0, 20.0},  // at an inner point: its own value
        {three, 250.0, 5.0},
        {three, 300.0, 0.0},
        {three, 1e9, 0.0},  // held after the last point
        {{{3600.0, 4.5}}, 0.0, 4.5},  // one point: a constant
        {{{3600.0, 4.5}}, 7200.0, 4.5},
        // Product before quotient: (v1 - v0) * ((s - s0) / (s1 - s0)) gives
        // 3.333333333333333 and 3.4333333333333336.
        {{{0.0, 0.0}, {3.0, 10.0}}, 1.0, 3.3333333333333335},
        {{{0.0, 1.0}, {3600.0, 8.3}}, 1200.0, 3.433333333333333},
    };
    for (const TValueCase& c : cases)
        EXPECT_EQ(TWeatherSeries(c.Points).ValueAt(c.ElapsedSeconds), c.Expected) << "at " << c.ElapsedSeconds;
}

TEST(WeatherSeries, refusesEmptyNonIncreasingAndNonFiniteSeries)
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    const std::vector<std::vector<TWeatherPoint>> refused = {
        {},
        {{0.0, 1.0}, {0.0, 2.0}},
        {{0.0, 1.0}, {600.0, 2.0}, {300.0, 3.0}},
        {{nan, 1.0}},
        {{0.0, 1.0}, {nan, 2.0}},
        {{0.0, inf}},
        {{0.0, 1.0}, {inf, 2.0}},
    };
    for (std::size_t n = 0; n < refused.size(); ++n)
        EXPECT_THROW(TWeatherSeries{refused[n]}, std::invalid_argument) << "case " << n;
    EXPECT_NO_THROW(TWeatherSeries({{-600.0, 1.0}, {0.0, 2.0}})) << "points before the laying are allowed";
}

TEST(CompactionSeconds, firstLevelAtOrBelowTheEndTemperature)
{
    TCoolingHistory history;
    history.Reset(4, 10);
    for (const double mean : {150.0, 120.0, 90.0, 80.0, 79.0})
        history.AddLevel(mean - 20.0, mean + 10.0, mean);
    struct {
        double LayingTemp, CompactionTemp;
        std::optional<double> Expected;
    } const cases[] = {
        {150.0, 80.0, 15.0},  // level 3 is exactly at it
        {150.0, 79.5, 20.0}, {150.0, 120.0, 5.0}, {150.0, 50.0, std::nullopt},  // the run ended before
        {150.0, 150.0, 0.0},  // laid at it
        {70.0, 80.0, 0.0},  // laid below it, whatever the history
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompactionSeconds(history, c.LayingTemp, c.CompactionTemp), c.Expected)
            << c.LayingTemp << " to " << c.CompactionTemp;
}

}  // namespace
