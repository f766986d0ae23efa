#include "EngineTestSupport.h"
#include "LayerColumn.h"
#include "RoadWarmUp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

const double JulyDay = dateOf(2027, 7, 14);

class SiteRunTest : public testing::Test {
protected:
    TPICHourCls Engine;
    TRecordingProgressBar Bar;
    void SetUp() override
    {
        setStartInputs(Engine, 6.0);
        Engine.LayingTemp = 160.0;
        Engine.ReopenTemp = 35.0;
    }
};

// A road that the warm-up left at the bottom temperature everywhere must
// be the uniform road of the plain run, to the last bit of every level.
TEST_F(SiteRunTest, uniformWarmRoadGivesThePlainRunBitForBit)
{
    Engine.Compute(Bar, JulyDay, timeOf(21, 0));
    const TCoolingHistory plain = Engine.History();
    const double plainSeconds = Engine.ResultSeconds;

    TRoadProfile uniform;
    uniform.fill(Engine.BottomTemp);
    Engine.RoadWarmth = true;
    Engine.WarmRoad = &uniform;
    Engine.Compute(Bar, JulyDay, timeOf(21, 0));
    EXPECT_EQ(Engine.ResultSeconds, plainSeconds);
    EXPECT_EQ(Engine.History().LayerMaxTemps(), plain.LayerMaxTemps());
    EXPECT_EQ(Engine.History().SurfaceTemps(), plain.SurfaceTemps());
    EXPECT_EQ(Engine.ExistingSurfaceTemp, Engine.BottomTemp);
}

// The road moves down by the lift's nodes: its interface node is the
// lift's, the old surface node is dropped and node 2 lands under the lift.
TEST(LiftPlacement, shiftsTheRoadDownByTheLiftsNodes)
{
    TPICHourCls engine;
    for (int j = 0; j < engine.Layers.Count(); ++j) {
        engine.Layers.Items(j).UpdateDiffusivity();
        engine.Layers.Items(j).UpdateFourier(TLayerColumn::TimeStep, TLayerColumn::GridStep);
    }
    TLayerColumn column;
    column.SetLayers(engine.Layers);
    for (int k = 0; k < TLayerColumn::NodeCount; ++k)
        column.Current()[k] = 1000.0 + k;
    TRoadLayersCls lifted;
    auto lift = std::make_unique<TRoadLayerCls>(engine.Layers.Items(0));
    lift->SetThicknessCm(3.0);
    lifted.Add(std::move(lift));
    for (int j = 0; j < engine.Layers.Count(); ++j)
        lifted.Add(std::make_unique<TRoadLayerCls>(engine.Layers.Items(j)));
    column.PlaceLift(lifted, 150.0);

    ASSERT_EQ(column.Limits()[0], 7);
    EXPECT_EQ(column.Limits()[1], 17) << "the first lift's bottom moved down by 3 cm";
    EXPECT_EQ(column.Current()[7], 150.0);
    EXPECT_EQ(column.Current()[8], 1002.0);
    EXPECT_EQ(column.Current()[TLayerColumn::LastComputedNode], 1000.0 + TLayerColumn::LastComputedNode - 6);
    EXPECT_EQ(column.Current()[TLayerColumn::BottomNode], 1000.0 + TLayerColumn::BottomNode);
}

// A thin layer cools in a few hours; a lift laid much later must be
// waited for, and its own cooling then decides.
TEST_F(SiteRunTest, noReopeningBeforeTheLastLift)
{
    Engine.Compute(Bar, JulyDay, timeOf(21, 0));
    const double alone = Engine.ResultSeconds;
    Engine.FurtherLifts = {{10.0 * 3600.0, 4.0, 165.0}};
    Engine.Compute(Bar, JulyDay, timeOf(21, 0));
    EXPECT_LT(alone, 10.0 * 3600.0);
    EXPECT_GT(Engine.ResultSeconds, 10.0 * 3600.0);
    ASSERT_EQ(Engine.History().LiftLevels(), std::vector<int>{7200});
    EXPECT_EQ(Engine.History().LiftsLaidAtLevel(7199), 1);
    EXPECT_EQ(Engine.History().LiftsLaidAtLevel(7200), 2);
    EXPECT_EQ(Engine.History().LayerMeanTemps()[7200], 165.0) << "the mean is the top lift's";
}

TEST_F(SiteRunTest, liftsTheRunCannotLayAreRefused)
{
    const std::vector<std::vector<TPICHourCls::TFurtherLift>> refused = {
        {{0.0, 4.0, 165.0}},  // at the first laying
        {{3600.0, 4.0, 165.0}, {3600.0, 4.0, 165.0}},  // not after the previous
        {{90.0, 4.0, 165.0}},  // not whole minutes
        {{125040.0, 4.0, 165.0}},  // past the run's last level
        {{3600.0, 0.0, 165.0}},
        {{3600.0, 4.0, std::nan("")}},
        {{60.0, 4.0, 165.0}, {120.0, 4.0, 165.0}, {180.0, 4.0, 165.0}, {240.0, 4.0, 165.0}},
    };
    for (const auto& lifts : refused) {
        Engine.FurtherLifts = lifts;
        EXPECT_EQ(computeFailure(Engine, Bar, JulyDay, timeOf(21, 0)), TPICHourCls::FailureBadLift)
            << lifts.size() << " lifts, the first at " << lifts[0].ElapsedSeconds << " s";
    }
}

// 00:00 two days before, on the clock in force then: across a change the
// warm-up is an hour shorter (March) or longer (October) than the wall says.
TEST(WarmUpStart, startsAtMidnightTwoDaysBeforeOnItsOwnClock)
{
    struct TCase {
        double Date;
        int Hour, Minute;
        bool LayingSummer, StartSummer;
        int StartDayOfYear;
        int Hours, Minutes;  // from the start to the laying
    } cases[] = {
        {dateOf(2027, 7, 14), 22, 0, true, true, 193, 70, 0},
        {dateOf(2027, 3, 29), 12, 0, true, false, 86, 59, 0},
        {dateOf(2027, 11, 1), 0, 30, false, true, 303, 49, 30},
        {dateOf(2027, 1, 1), 0, 0, false, false, 364, 48, 0},
    };
    for (const TCase& c : cases) {
        const auto start = WarmUpStartOf(c.Date, timeOf(c.Hour, c.Minute), c.LayingSummer, c.StartSummer);
        ASSERT_TRUE(start);
        EXPECT_EQ(start->Date, c.Date - 2.0);
        EXPECT_EQ(start->DayOfYear, c.StartDayOfYear);
        EXPECT_EQ(start->Levels, (c.Hours * 3600 + c.Minutes * 60) / TPICHourCls::TimeStep) << c.StartDayOfYear;
    }
}

// One warm-up serves every laying of a day: the road at an earlier laying
// taken from the later one's warm-up is the one its own run warms.
TEST_F(SiteRunTest, oneWarmUpServesEveryLayingOfTheDay)
{
    Engine.RoadWarmth = true;
    Engine.WarmUpSummerTime = true;
    Engine.Weather.AirTemp = TWeatherSeries({{-40000.0, 31.0}, {0.0, 24.0}, {20000.0, 12.0}});
    const auto late = WarmUpStartOf(JulyDay, timeOf(23, 0), true, true);
    const auto early = WarmUpStartOf(JulyDay, timeOf(19, 30), true, true);
    ASSERT_TRUE(late && early);
    const int levels[] = {early->Levels, late->Levels};
    const auto shared = Engine.WarmRoads(*late, levels, late->Levels);

    // The early laying's own weather counts from its own laying.
    const double earlier = (late->Levels - early->Levels) * 5.0;
    Engine.Weather.AirTemp = TWeatherSeries({{-40000.0 + earlier, 31.0}, {earlier, 24.0}, {20000.0 + earlier, 12.0}});
    const int own[] = {early->Levels};
    EXPECT_EQ(Engine.WarmRoads(*early, own, early->Levels).front(), shared.front());
    EXPECT_NE(shared.front(), shared.back());
    EXPECT_GT(shared.back()[10], Engine.BottomTemp) << "a July day warms the road";
}

}  // namespace
