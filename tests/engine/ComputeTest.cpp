#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

const double SummerDay = dateOf(2026, 6, 21);

class ComputeTest : public testing::Test {
protected:
    TPICHourCls Engine;
    TRecordingProgressBar Bar;
    void SetUp() override { setStartInputs(Engine); }
};

TEST_F(ComputeTest, defaultInputsAtSummerNoonGiveThePinnedResult)
{
    // Pinned from an earlier run of this engine: a regression check, not a
    // reference. 12 h after a midsummer noon laying.
    Engine.Compute(Bar, SummerDay, timeOf(12, 0));
    EXPECT_EQ(Engine.ResultSeconds, 43180.0);
    EXPECT_EQ(Engine.DayOfYear, 172);
    EXPECT_EQ(Engine.ClockOffset, 2.0);
    EXPECT_EQ(Engine.Limits, (TPICLimits{11, 31, 201}));
    EXPECT_NEAR(Engine.StartSolarTime, 12.0 - 2.0 + 0.2807 - 0.0289, 1e-3);
}

TEST_F(ComputeTest, resultsAreWholeStepsAndRepeatable)
{
    struct {
        int Month, Hour;
        double Wind, Cloud;
        bool Summer;
    } const cases[]
        = {{6, 12, 1.0, 0.0, true}, {1, 8, 7.0, 50.0, false}, {10, 21, 15.0, 100.0, false}, {4, 3, 7.0, 0.0, true}};
    for (const auto& c : cases) {
        Engine.WindSpeed = c.Wind;
        Engine.CloudCover = c.Cloud;
        Engine.SummerTime = c.Summer;
        Engine.Compute(Bar, dateOf(2026, c.Month, 15), timeOf(c.Hour, 30));
        const double first = Engine.ResultSeconds;
        EXPECT_GT(first, 0.0);
        EXPECT_EQ(std::fmod(first, TPICHourCls::TimeStep), 0.0) << first;
        Engine.Compute(Bar, dateOf(2026, c.Month, 15), timeOf(c.Hour, 30));
        EXPECT_EQ(Engine.ResultSeconds, first) << "a run must not depend on the one before";
    }
}

TEST_F(ComputeTest, strongerWindAndThinnerLayerCoolFaster)
{
    const auto resultFor = [&](double thicknessCm, double wind) {
        setStartInputs(Engine, thicknessCm);
        Engine.WindSpeed = wind;
        Engine.Compute(Bar, dateOf(2026, 1, 15), timeOf(9, 0));
        return Engine.ResultSeconds;
    };
    EXPECT_LT(resultFor(5.0, 15.0), resultFor(5.0, 1.0));
    EXPECT_LT(resultFor(3.0, 1.0), resultFor(5.0, 1.0));
    EXPECT_LT(resultFor(5.0, 1.0), resultFor(8.0, 1.0));
}

TEST_F(ComputeTest, layingAtOrBelowReopeningTemperatureNeedsNoTime)
{
    Engine.LayingTemp = 30.0;
    Engine.Compute(Bar, SummerDay, timeOf(12, 0));
    EXPECT_EQ(Engine.ResultSeconds, 0.0);
    EXPECT_EQ(Bar.Steps, 1) << "the first step still runs to its end";
}

TEST_F(ComputeTest, progressBarRangeStepsAndReset)
{
    Engine.Compute(Bar, dateOf(2026, 1, 15), timeOf(9, 0));
    EXPECT_EQ(Bar.Min, 0);
    EXPECT_EQ(Bar.Max, 25000);
    EXPECT_EQ(Bar.Step, 1);
    EXPECT_EQ((std::vector<std::string>(Bar.Calls.begin(), Bar.Calls.begin() + 4)),
        (std::vector<std::string>{"min", "max", "step", "position"}));
    EXPECT_EQ(Bar.Steps, Engine.ResultSeconds / TPICHourCls::TimeStep + 1);
    EXPECT_EQ(Bar.Position, 0);
}

TEST_F(ComputeTest, reopeningWaitsForTheWholeNewLayer)
{
    Engine.Compute(Bar, dateOf(2026, 1, 15), timeOf(9, 0));
    const TCoolingHistory& history = Engine.History();
    const int resultLevel = static_cast<int>(Engine.ResultSeconds) / TPICHourCls::TimeStep;
    ASSERT_EQ(history.LevelCount(), resultLevel + 1);
    EXPECT_LE(history.LayerMaxTemps()[static_cast<std::size_t>(resultLevel)], 30.0);
    EXPECT_GT(history.LayerMaxTemps()[static_cast<std::size_t>(resultLevel - 1)], 30.0);
    // The surface is cool long before the inside of the layer is.
    const auto firstCoolSurface = std::find_if(
        history.SurfaceTemps().begin(), history.SurfaceTemps().end(), [](double t) { return t <= 30.0; });
    ASSERT_NE(firstCoolSurface, history.SurfaceTemps().end());
    EXPECT_LT(firstCoolSurface - history.SurfaceTemps().begin(), resultLevel);
}

TEST_F(ComputeTest, newLayerNeverWarmsUpAtNight)
{
    // Laid at 23:00 summer time in July: night until the next sunrise.
    Engine.Layers.Items(0).SetThicknessCm(8.0);
    Engine.Compute(Bar, dateOf(2026, 7, 10), timeOf(23, 0));
    const TCoolingHistory& history = Engine.History();
    const double hoursToSunrise = 24.0 - Engine.StartSolarTime + 4.0;  // sunrise near 4 h solar
    const int nightLevels = static_cast<int>(hoursToSunrise * 3600 / TPICHourCls::TimeStep);
    ASSERT_GT(history.LevelCount(), nightLevels);
    for (int i = 1; i < nightLevels; ++i)
        ASSERT_LE(history.LayerMaxTemps()[static_cast<std::size_t>(i)],
            history.LayerMaxTemps()[static_cast<std::size_t>(i - 1)])
            << "level " << i;
}

TEST_F(ComputeTest, historyKeepsInitialProfileAndFiveMinuteProfiles)
{
    Engine.Layers.Items(0).SetThicknessCm(5.5);
    Engine.Compute(Bar, SummerDay, timeOf(12, 0));
    EXPECT_EQ(Engine.Limits, (TPICLimits{12, 32, 201}));
    const TCoolingHistory& history = Engine.History();
    // Every 60 levels, and the reopening's level.
    const int last = history.LevelCount() - 1;
    ASSERT_EQ(history.ProfileCount(), last / 60 + 1 + (last % 60 == 0 ? 0 : 1));
    EXPECT_EQ(history.ProfileLevel(1), 60);
    EXPECT_EQ(history.ProfileLevel(history.ProfileCount() - 1), last);
    const auto initial = history.Profile(0);
    ASSERT_EQ(initial.size(), 202u);
    for (int k = 1; k <= 12; ++k)
        EXPECT_EQ(initial[static_cast<std::size_t>(k)], 170.0) << "node " << k;
    for (int k = 13; k <= 201; ++k)
        EXPECT_EQ(initial[static_cast<std::size_t>(k)], 14.0) << "node " << k;
    EXPECT_EQ(history.Profile(1)[201], 14.0) << "the bottom node is held";
    EXPECT_THROW(history.Profile(history.ProfileCount()), std::out_of_range);
    // The air is refreshed every 240 levels; the last refresh is the engine's AirTemp.
    ASSERT_EQ(history.AirTemps().size(), static_cast<std::size_t>((history.LevelCount() - 1) / 240 + 1));
    EXPECT_EQ(history.AirTemps().back(), Engine.AirTemp);
    EXPECT_EQ(history.AirTempAtLevel(239), history.AirTemps()[0]);
    EXPECT_EQ(history.AirTempAtLevel(240), history.AirTemps()[1]);
    EXPECT_LT(history.MemoryBytes() + sizeof(TPICHourCls), 2u * 1024 * 1024);
}

// Each failure leaves exactly what it is documented to leave.
TEST_F(ComputeTest, tooThinStructureFailsBeforeTouchingTheRun)
{
    Engine.Compute(Bar, SummerDay, timeOf(12, 0));
    const double kept = Engine.ResultSeconds;
    const double keptDiffusivity = Engine.Layers.Items(0).Diffusivity;

    Engine.Layers.Items(2).SetThicknessCm(84.5);  // 5 + 10 + 84.5 = 99.5 cm
    Engine.Layers.Items(0).Conductivity = 1.0;
    EXPECT_EQ(computeFailure(Engine, Bar, dateOf(2026, 1, 2), timeOf(8, 0)), "TPICHourCls/1");
    EXPECT_EQ(Engine.ResultSeconds, kept);
    EXPECT_EQ(Engine.DayOfYear, 172);
    EXPECT_EQ(Engine.Layers.Items(0).Diffusivity, keptDiffusivity);
    EXPECT_EQ(Bar.Position, 0);

    Engine.Layers.Items(2).SetThicknessCm(85.0);  // exactly 100 cm passes
    EXPECT_EQ(computeFailure(Engine, Bar, dateOf(2026, 1, 2), timeOf(8, 0)), "");

    Engine.Layers.Clear();
    Engine.MinTotalThickness = 0.0;
    EXPECT_EQ(computeFailure(Engine, Bar, SummerDay, timeOf(12, 0)), "TPICHourCls/1") << "no layer at all";
}

TEST_F(ComputeTest, unstableLayerStopsTheUpdatesBelowIt)
{
    Engine.Compute(Bar, SummerDay, timeOf(12, 0));
    const double kept = Engine.ResultSeconds;
    Engine.Layers.Items(1).Conductivity = 12.0;  // Fourier about 1.09
    Engine.Layers.Items(2).Conductivity = 2.0;
    const double deepDiffusivity = Engine.Layers.Items(2).Diffusivity;
    Engine.SummerTime = false;
    EXPECT_EQ(computeFailure(Engine, Bar, dateOf(2026, 1, 2), timeOf(8, 0)), "TPICHourCls/2");
    EXPECT_EQ(Engine.ResultSeconds, kept);
    EXPECT_EQ(Engine.DayOfYear, 2);
    EXPECT_EQ(Engine.ClockOffset, 1.0);
    EXPECT_FALSE(Engine.Layers.Items(1).Stable);
    EXPECT_EQ(Engine.Layers.Items(2).Diffusivity, deepDiffusivity) << "deeper layers are not updated";
    EXPECT_EQ(Bar.Position, 0);

    Engine.Layers.Items(1).Conductivity = -1.2;
    EXPECT_EQ(computeFailure(Engine, Bar, SummerDay, timeOf(12, 0)), "TPICHourCls/2") << "negative Fourier";
}

TEST_F(ComputeTest, noReopeningWithinTheSimulatedSpan)
{
    Engine.Compute(Bar, SummerDay, timeOf(12, 0));
    const double kept = Engine.ResultSeconds;
    Engine.BottomTemp = 60.0;
    EXPECT_EQ(computeFailure(Engine, Bar, SummerDay, timeOf(12, 0)), "TPICHourCls/3");
    EXPECT_EQ(Engine.ResultSeconds, kept);
    EXPECT_EQ(Bar.Steps, 43180 / 5 + 1 + 25000);
    EXPECT_EQ(Bar.Position, 0);
    EXPECT_EQ(Engine.History().LevelCount(), 25000);
}

// A condition first met on step 24999 still fails, and leaves no result:
// find the reopening temperature that the layer first reaches exactly then.
TEST_F(ComputeTest, conditionMetOnTheLastStepStillFails)
{
    Engine.Compute(Bar, SummerDay, timeOf(12, 0));
    const double kept = Engine.ResultSeconds;
    Engine.ReopenTemp = -100.0;  // never reached: a full run, for its history
    ASSERT_EQ(computeFailure(Engine, Bar, dateOf(2026, 1, 15), timeOf(14, 0)), "TPICHourCls/3");
    const std::vector<double> maxima = Engine.History().LayerMaxTemps();
    ASSERT_EQ(maxima.size(), 25000u);
    const double last = maxima[24999];
    const double beforeLast = maxima[24998];
    // Both must be new lows, or the condition would hold earlier.
    ASSERT_LT(last, beforeLast);
    ASSERT_LT(beforeLast, *std::min_element(maxima.begin(), maxima.begin() + 24998));

    Engine.ReopenTemp = last;
    EXPECT_EQ(computeFailure(Engine, Bar, dateOf(2026, 1, 15), timeOf(14, 0)), "TPICHourCls/3");
    EXPECT_EQ(Engine.ResultSeconds, kept);

    Engine.ReopenTemp = beforeLast;
    EXPECT_EQ(computeFailure(Engine, Bar, dateOf(2026, 1, 15), timeOf(14, 0)), "");
    EXPECT_EQ(Engine.ResultSeconds, 24998.0 * 5);
}

TEST_F(ComputeTest, onlyTheDayOfTheDateAndTheClockOfTheTimeCount)
{
    Engine.Compute(Bar, SummerDay, timeOf(12, 0));
    const double expected = Engine.ResultSeconds;
    // A date carrying a time of day, a time carrying another date and seconds.
    Engine.Compute(Bar, SummerDay + 0.9, 40000.0 + timeOf(12, 0) + 42.0 / 86400);
    EXPECT_EQ(Engine.ResultSeconds, expected);
}

TEST_F(ComputeTest, undecodableDateIsAnErrorNotACrash)
{
    EXPECT_EQ(computeFailure(Engine, Bar, std::nan(""), timeOf(12, 0)), "Invalid laying date or time");
    EXPECT_EQ(Bar.Position, 0);
}

TEST_F(ComputeTest, deepLayerBoundariesAtOneMetreAreHandled)
{
    // The second layer reaches 1 m: its boundary lies on the fixed bottom node.
    Engine.Layers.Items(1).SetThicknessCm(95.0);
    EXPECT_EQ(computeFailure(Engine, Bar, dateOf(2026, 1, 15), timeOf(9, 0)), "");
    EXPECT_EQ(Engine.Limits, (TPICLimits{11, 201, 201}));
    EXPECT_GT(Engine.ResultSeconds, 0.0);
}

// Overflowing temperatures turn into NaN, which never compares above the
// running maximum: the layer would seem to cool. Such runs are unstable.
struct TBlowUpCase {
    const char* Name;
    double BottomTemp;
    double Conductivity;  // of the new layer
};

class ComputeBlowUp : public testing::TestWithParam<TBlowUpCase> { };

TEST_P(ComputeBlowUp, failsAsUnstableInsteadOfReopening)
{
    TPICHourCls engine;
    setStartInputs(engine);
    engine.BottomTemp = GetParam().BottomTemp;
    engine.Layers.Items(0).Conductivity = GetParam().Conductivity;
    TRecordingProgressBar bar;
    EXPECT_EQ(computeFailure(engine, bar, dateOf(2026, 7, 10), timeOf(14, 30)), TPICHourCls::FailureUnstable);
    for (const double t : engine.History().LayerMaxTemps())
        ASSERT_TRUE(std::isfinite(t));
}

INSTANTIATE_TEST_SUITE_P(Extremes, ComputeBlowUp,
    testing::Values(TBlowUpCase{"hugeBottomTemperature", 1e6, 1.2}, TBlowUpCase{"denormalConductivity", 14.0, 1e-321}),
    [](const auto& param) { return std::string(param.param.Name); });

}  // namespace
