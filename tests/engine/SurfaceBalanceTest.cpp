#include "SurfaceBalance.h"
#include "CoolingHistory.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TSurfaceBalance::TInputs summerNoon(const TWeatherTimeline* weather)
{
    TSurfaceBalance::TInputs inputs;
    inputs.Site = {50.8, 4.21, 1353.0};
    inputs.DayOfYear = 172;
    inputs.Month = 6;
    inputs.Hour = 12;
    inputs.ClockOffset = 2.0;
    inputs.WindSpeed = 1.0;
    inputs.CloudCover = 50.0;
    inputs.StefanBoltzmann = 5.67e-8;
    inputs.Weather = weather;
    return inputs;
}

// Over a daytime hour with the surface held: the sun is read every 180
// levels (15 min), the air, wind and sky every 240 (20 min), and the heat
// input holds in between. A wind rising at every moment shows each air
// refresh in the convection.
TEST(SurfaceBalance, refreshesTheSunEvery15MinutesAndTheAirEvery20)
{
    const TWeatherTimeline weather{std::nullopt, TWeatherSeries({{0.0, 1.0}, {7200.0, 9.0}}), std::nullopt};
    TSurfaceBalance surface(summerNoon(&weather));
    TCoolingHistory history;
    history.Reset(202, 1000);
    double heat = 0.0, convection = 0.0;
    for (int i = 0; i <= 720; ++i) {
        const double h = surface.HeatInput(i, 40.0, history);
        if (i > 0) {
            EXPECT_EQ(surface.Convection() != convection, i % 240 == 0) << "level " << i;
            const bool refreshed = i % 180 == 0 || i % 240 == 0;
            EXPECT_EQ(h != heat, refreshed) << "level " << i;
        }
        heat = h;
        convection = surface.Convection();
    }
    const std::vector<double> winds{1.0, 1.0 + 8.0 / 6.0, 1.0 + 8.0 / 3.0, 5.0};
    ASSERT_EQ(history.WindSpeeds().size(), winds.size());
    for (std::size_t n = 0; n < winds.size(); ++n)
        EXPECT_DOUBLE_EQ(history.WindSpeeds()[n], winds[n]) << "refresh " << n;
    EXPECT_EQ(history.CloudCovers(), std::vector<double>(4, 50.0));
}

// Before the first air refresh the balance keeps the air it was given; the
// first level refreshes it from the model.
TEST(SurfaceBalance, firstLevelRefreshesTheModelledAir)
{
    TSurfaceBalance::TInputs inputs = summerNoon(nullptr);
    inputs.AirTemp = -99.0;
    TSurfaceBalance surface(inputs);
    EXPECT_EQ(surface.AirTemp(), -99.0);
    TCoolingHistory history;
    history.Reset(202, 10);
    surface.HeatInput(0, 40.0, history);
    EXPECT_GT(surface.AirTemp(), 5.0);
    EXPECT_LT(surface.AirTemp(), 40.0);
    ASSERT_EQ(history.AirTemps().size(), 1U);
    EXPECT_EQ(history.AirTemps()[0], surface.AirTemp());
}

}  // namespace
