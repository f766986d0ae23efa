#include "CompactionWindow.h"
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const double SpringDay = dateOf(2026, 4, 15);
const double Afternoon = timeOf(15, 0);  // runs through the evening and the night

// A series that holds value everywhere, through several points.
TWeatherSeries constantSeries(double value)
{
    return TWeatherSeries({{-3600.0, value}, {7200.0, value}, {200000.0, value}});
}

void expectSameRun(const TPICHourCls& engine, const TPICHourCls& reference)
{
    EXPECT_EQ(engine.ResultSeconds, reference.ResultSeconds);
    const TCoolingHistory& a = engine.History();
    const TCoolingHistory& b = reference.History();
    EXPECT_EQ(a.SurfaceTemps(), b.SurfaceTemps());
    EXPECT_EQ(a.LayerMaxTemps(), b.LayerMaxTemps());
    EXPECT_EQ(a.LayerMeanTemps(), b.LayerMeanTemps());
    EXPECT_EQ(a.AirTemps(), b.AirTemps());
    EXPECT_EQ(a.WindSpeeds(), b.WindSpeeds());
    EXPECT_EQ(a.CloudCovers(), b.CloudCovers());
}

class WeatherCompute : public testing::Test {
protected:
    TPICHourCls Engine;
    TPICHourCls Reference;
    TRecordingProgressBar Bar;
    void SetUp() override
    {
        setStartInputs(Engine);
        setStartInputs(Reference);
    }
    double run(TPICHourCls& engine, double date = SpringDay, double time = Afternoon)
    {
        engine.Compute(Bar, date, time);
        return engine.ResultSeconds;
    }
};

TEST_F(WeatherCompute, seriesEqualToTheClassesGiveTheClassRunBitForBit)
{
    const TPICHourCls classes;
    for (const double wind : {classes.WindSpeedFeeble, classes.WindSpeedModerate, classes.WindSpeedStrong}) {
        for (const double cloud : {classes.CloudCoverClear, classes.CloudCoverPartial, classes.CloudCoverOvercast}) {
            SCOPED_TRACE(testing::Message() << wind << " m/s, " << cloud << " %");
            Reference.WindSpeed = wind;
            Reference.CloudCover = cloud;
            run(Reference);
            // The class fields hold other values: only the series may count.
            Engine.WindSpeed = 3.0;
            Engine.CloudCover = 30.0;
            Engine.Weather.WindSpeed = constantSeries(wind);
            Engine.Weather.CloudCover = constantSeries(cloud);
            run(Engine);
            expectSameRun(Engine, Reference);
        }
    }
}

TEST_F(WeatherCompute, seriesAreReadAtTheElapsedTimeOfEachRefresh)
{
    Engine.CloudCover = Engine.CloudCoverPartial;  // ignored when a series is given

    // Overcast from the laying on: the overcast class.
    Reference.CloudCover = Reference.CloudCoverOvercast;
    run(Reference);
    Engine.Weather.CloudCover = TWeatherSeries({{-7200.0, 0.0}, {0.0, 100.0}});
    run(Engine);
    expectSameRun(Engine, Reference);

    // A clouding that begins after the reopening changes nothing.
    Reference.CloudCover = Reference.CloudCoverClear;
    const double reopening = run(Reference);
    Engine.Weather.CloudCover = TWeatherSeries({{reopening + 1.0, 0.0}, {reopening + 3600.0, 100.0}});
    run(Engine);
    expectSameRun(Engine, Reference);
}

TEST_F(WeatherCompute, measuredAirAndWindReplaceTheModelAndTheClass)
{
    Engine.Weather.AirTemp = constantSeries(2.0);
    const double cold = run(Engine);
    for (const double air : Engine.History().AirTemps())
        ASSERT_EQ(air, 2.0);
    Engine.Weather.AirTemp = constantSeries(30.0);
    const double warm = run(Engine);
    const double modelled = run(Reference);  // some 5 to 15 degC on an April day and night
    EXPECT_LT(cold, modelled);
    EXPECT_LT(modelled, warm);

    Engine.Weather = {};
    Engine.Weather.WindSpeed = TWeatherSeries({{0.0, 1.0}, {4 * 3600.0, 15.0}});
    const double rising = run(Engine);
    const std::vector<double>& winds = Engine.History().WindSpeeds();
    ASSERT_GT(winds.size(), 4u);
    EXPECT_EQ(winds[0], 1.0);
    EXPECT_EQ(winds[3], 4.5) << "taken at the refresh at 3600 s";
    EXPECT_EQ(Engine.History().WindSpeedAtLevel(3 * 240 + 239), 4.5) << "and held until the next";
    Reference.WindSpeed = Reference.WindSpeedStrong;
    EXPECT_LT(run(Reference), rising);
    EXPECT_GT(modelled, rising) << "the feeble class is slower";
}

TEST_F(WeatherCompute, historyHoldsTheNewLayersMean)
{
    // Laid at 23:00 summer time in July: night until some 4 h solar time.
    Engine.Layers.Items(0).SetThicknessCm(5.5);
    run(Engine, dateOf(2026, 7, 10), timeOf(23, 0));
    const TCoolingHistory& history = Engine.History();
    const std::vector<double>& means = history.LayerMeanTemps();
    ASSERT_EQ(means.size(), static_cast<std::size_t>(history.LevelCount()));
    EXPECT_EQ(means[0], Engine.LayingTemp);
    for (std::size_t level = 0; level < means.size(); ++level)
        ASSERT_LE(means[level], history.LayerMaxTemps()[level]) << "level " << level;
    const int nightLevels = static_cast<int>((24.0 - Engine.StartSolarTime + 4.0) * 3600 / TPICHourCls::TimeStep);
    for (int level = 1; level < std::min(nightLevels, history.LevelCount()); ++level)
        ASSERT_LT(means[static_cast<std::size_t>(level)], means[static_cast<std::size_t>(level - 1)]);

    // The same mean from the recorded profiles: nodes 1 to 12, the surface
    // to the bottom interface.
    ASSERT_EQ(Engine.Limits[0], 12);
    for (int p = 0; p < history.ProfileCount(); ++p) {
        const auto profile = history.Profile(p);
        double sum = 0.0;
        for (int k = 1; k <= 12; ++k)
            sum += profile[static_cast<std::size_t>(k)];
        ASSERT_EQ(means[static_cast<std::size_t>(history.ProfileLevel(p))], sum / 12.0);
    }
}

TEST_F(WeatherCompute, compactionWindowEndsWhenTheMeanFirstReachesItsTemperature)
{
    run(Engine, dateOf(2026, 1, 15), timeOf(9, 0));
    const TCoolingHistory& history = Engine.History();
    const auto seconds = CompactionSeconds(history, Engine.LayingTemp, TPICHourCls::CompactionTempDefault);
    ASSERT_TRUE(seconds.has_value());
    const auto level = static_cast<std::size_t>(*seconds / TPICHourCls::TimeStep);
    EXPECT_LE(history.LayerMeanTemps()[level], 80.0);
    EXPECT_GT(history.LayerMeanTemps()[level - 1], 80.0);
    EXPECT_LT(*seconds, Engine.ResultSeconds);
}

}  // namespace
