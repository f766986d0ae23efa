#include "EngineTestSupport.h"
#include "LegalClock.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

TEST(StepCounters, defaultLimitsGiveTheSpinnerRanges)
{
    const TPICHourCls engine;
    EXPECT_EQ(engine.ThicknessSteps(), 13);
    EXPECT_EQ(engine.LayingTempSteps(), 14);
    EXPECT_EQ(engine.ReopenTempSteps(), 4);
}

TEST(StepPositions, truncateTowardZero)
{
    const TPICHourCls engine;
    EXPECT_EQ(engine.ThicknessPosition(5.0), 7);
    EXPECT_EQ(engine.ThicknessPosition(5.2), 7);
    EXPECT_EQ(engine.ThicknessPosition(1.2), 0) << "less than one step below the minimum";
    EXPECT_EQ(engine.ThicknessPosition(0.5), -2);
    EXPECT_EQ(engine.LayingTempPosition(150.0), 10);
    EXPECT_EQ(engine.ReopenTempPosition(50.0), 4);
}

TEST(StepPositions, hugeAndNonFiniteValuesAreClamped)
{
    const TPICHourCls engine;
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(engine.ThicknessPosition(1e300), INT_MAX);
    EXPECT_EQ(engine.ThicknessPosition(inf), INT_MAX);
    EXPECT_EQ(engine.ThicknessPosition(-inf), INT_MIN);
    EXPECT_EQ(engine.LayingTempPosition(std::nan("")), 0);
    TPICHourCls tinyStep;
    tinyStep.ReopenTempStep = 1e-300;
    EXPECT_EQ(tinyStep.ReopenTempSteps(), INT_MAX);
}

TEST(StepCounters, unsetLimitGivesZero)
{
    struct TCase {
        const char* Name;
        double TPICHourCls::*Field;
    } const cases[] = {{"min", &TPICHourCls::ThicknessMin}, {"max", &TPICHourCls::ThicknessMax},
        {"step", &TPICHourCls::ThicknessStep}};
    for (const TCase& c : cases) {
        TPICHourCls engine;
        engine.*c.Field = -1.0;
        EXPECT_EQ(engine.ThicknessSteps(), 0) << c.Name;
        EXPECT_EQ(engine.ThicknessPosition(5.0), 0) << c.Name;
        EXPECT_EQ(engine.LayingTempSteps(), 14) << "other triples unaffected";
    }
}

double timeOf(int hour, int minute)
{
    return (hour * 60 + minute) / 1440.0;
}

// In 2027 the clocks change on Sunday 28 March and Sunday 31 October; in
// 2026 on 29 March and 25 October, in 2000 on 26 March and 29 October.
TEST(WinterTime, followsTheEuRuleToTheHourOnChangeDays)
{
    struct {
        int Year, Month, Day, Hour, Minute;
        bool Winter;
    } const cases[] = {{2027, 1, 1, 12, 0, true}, {2027, 3, 22, 12, 0, true}, {2027, 3, 27, 23, 59, true},
        {2027, 3, 28, 1, 59, true}, {2027, 3, 28, 2, 0, false}, {2027, 3, 28, 3, 0, false}, {2027, 3, 29, 0, 0, false},
        {2027, 7, 15, 12, 0, false}, {2027, 10, 22, 12, 0, false}, {2027, 10, 30, 23, 15, false},
        {2027, 10, 31, 2, 59, false}, {2027, 10, 31, 3, 0, true}, {2027, 11, 1, 0, 0, true},
        {2027, 12, 31, 23, 59, true}, {2026, 3, 28, 12, 0, true}, {2026, 3, 29, 2, 0, false},
        {2026, 10, 25, 2, 30, false}, {2026, 10, 25, 3, 0, true}, {2000, 3, 26, 1, 0, true}, {2000, 3, 26, 2, 0, false},
        {2000, 10, 29, 3, 0, true}};
    for (const auto& c : cases)
        EXPECT_EQ(IsWinterTime(dateOf(c.Year, c.Month, c.Day) + 0.75, timeOf(c.Hour, c.Minute)), c.Winter)
            << c.Year << "-" << c.Month << "-" << c.Day << " " << c.Hour << ":" << c.Minute;
}

TEST(SummerTimeAtUtc, changesAt0100Utc)
{
    struct {
        int Month, Day, Hour, Minute;
        bool Summer;
    } const cases[] = {{3, 28, 0, 59, false}, {3, 28, 1, 0, true}, {10, 31, 0, 59, true}, {10, 31, 1, 0, false},
        {3, 27, 12, 0, false}, {10, 30, 12, 0, true}};
    for (const auto& c : cases)
        EXPECT_EQ(LegalClock::IsSummerTimeAtUtc(dateOf(2027, c.Month, c.Day) + timeOf(c.Hour, c.Minute)), c.Summer)
            << c.Month << "-" << c.Day << " " << c.Hour << ":" << c.Minute;
}

TEST(WinterTime, undecodableDateIsWinter)
{
    EXPECT_TRUE(IsWinterTime(std::nan(""), 0.5));
    EXPECT_TRUE(IsWinterTime(1e300, 0.5));
    EXPECT_TRUE(IsWinterTime(dateOf(2027, 7, 1), std::nan("")));
    EXPECT_FALSE(LegalClock::IsSummerTimeAtUtc(std::nan("")));
}

// The cumulative depth of every layer on the half-centimetre grid must land
// on its exact node: 2 nodes a centimetre, node 1 at the surface.
TEST(LayerBottomNodes, wholeHalfCentimetreGridLandsOnExactNodes)
{
    TPICHourCls engine;
    for (int halfCm = 3; halfCm <= 200; ++halfCm) {
        const double depthCm = halfCm / 2.0;
        engine.Layers.Items(0).SetThicknessCm(depthCm);
        const TPICLimits limits = TPICHourCls::LayerBottomNodes(engine.Layers);
        EXPECT_EQ(limits[0], halfCm + 1) << depthCm << " cm";
        const int secondBottom = depthCm + 10.0 > 100.0 ? 201 : halfCm + 21;
        EXPECT_EQ(limits[1], secondBottom) << depthCm << " + 10 cm";
        EXPECT_EQ(limits[2], 201);
    }
}

TEST(LayerBottomNodes, offGridThicknessSnapsToNearestHalfCentimetre)
{
    struct {
        double Cm;
        int Node;
    } const cases[] = {{5.0, 11}, {5.2, 11}, {5.25, 11}, {5.3, 12}, {5.5, 12}, {5.75, 12}, {5.8, 13}, {4.5, 10}};
    TPICHourCls engine;
    for (const auto& c : cases) {
        engine.Layers.Items(0).SetThicknessCm(c.Cm);
        EXPECT_EQ(TPICHourCls::LayerBottomNodes(engine.Layers)[0], c.Node) << c.Cm << " cm";
    }
    engine.Layers.Items(0).SetThicknessCm(4.5);
    EXPECT_EQ(TPICHourCls::LayerBottomNodes(engine.Layers), (TPICLimits{10, 30, 201}));
}

// Thicknesses no field lets through must still give a run that ends in a
// result or a failure code, never a read outside the grid.
TEST(LayerBottomNodes, hostileThicknessesEndInAResultOrACode)
{
    const double inf = std::numeric_limits<double>::infinity();
    for (const double cm : {-1e300, -5.0, 0.0, 1e-300, 1e300, inf, -inf}) {
        TPICHourCls engine;
        setStartInputs(engine, cm);
        engine.MinTotalThickness = -inf;
        const TPICLimits limits = TPICHourCls::LayerBottomNodes(engine.Layers);
        EXPECT_LE(limits[0], 201) << cm;
        TRecordingProgressBar bar;
        const std::string failure = computeFailure(engine, bar, dateOf(2026, 1, 15), timeOf(9, 0));
        EXPECT_TRUE(failure.empty() || failure == "TPICHourCls/3") << cm << ": " << failure;
    }
}

}  // namespace
