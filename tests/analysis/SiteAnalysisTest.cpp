#include "DateUtilsBD2006.h"
#include "LayingPlan.h"
#include "PICHourCls.h"
#include "ScenarioInputs.h"
#include "ScenarioRun.h"
#include "TheTimeUtilsCls.h"
#include "WeatherSource.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <memory>

namespace {

using ScenarioInputs::TLiftRefusal;

TScenario julyEvening()
{
    TScenario s;
    s.ThicknessCm = 6.0;
    s.LayingTemp = 160.0;
    s.ReopenTemp = 35.0;
    s.LayingDate = *DateUtilsBD2006::EncodeDate(2027, 7, 14);
    s.LayingTime = *DateUtilsBD2006::EncodeTime(21, 0, 0, 0);
    return s;
}

std::uint64_t bitsOf(double value)
{
    return std::bit_cast<std::uint64_t>(value);
}

// One warm-up serves the whole plan, from a timeline that starts after the
// warm-up does; every slot must still be its lone run, lifts included.
TEST(SitePlan, slotsWithWarmthAndLiftsEqualLoneRuns)
{
    TScenario scenario = julyEvening();
    scenario.RoadWarmth = true;
    scenario.Lifts = {{3600.0, 4.0, 165.0}};
    scenario.Weather = std::make_shared<const TWeatherSource>(WeatherSource::ReadText(
        "time,air_temp,wind_speed\n2027-07-13T10:00Z,24,2\n2027-07-13T14:00Z,31,\n2027-07-14T03:00Z,15,1\n"
        "2027-07-14T13:00Z,33,4\n2027-07-15T04:00Z,16,0\n2027-07-17T00:00Z,20,1\n",
        "w"));
    const auto plan = PlanLaying(scenario, 180);
    ASSERT_TRUE(plan);
    ASSERT_EQ(plan->Slots.size(), 8u);
    for (const TPlanSlot& slot : plan->Slots) {
        TScenario lone = scenario;
        lone.LayingTime = slot.LayingTime;
        const TRunOutcome run = RunScenario(lone);
        ASSERT_TRUE(run.Succeeded()) << run.Failure;
        EXPECT_EQ(slot.Outcome.Failure, run.Failure);
        EXPECT_EQ(bitsOf(slot.Outcome.ResultSeconds), bitsOf(run.ResultSeconds)) << slot.LayingTime;
        EXPECT_EQ(bitsOf(slot.Outcome.ExistingSurfaceTemp), bitsOf(run.ExistingSurfaceTemp)) << slot.LayingTime;
        ASSERT_EQ(slot.Outcome.Lifts.size(), 2u);
        EXPECT_EQ(slot.Outcome.Lifts[1].BaseMeanTemp, run.Lifts[1].BaseMeanTemp);
    }
    EXPECT_NE(plan->Slots[0].Outcome.ExistingSurfaceTemp, plan->Slots[5].Outcome.ExistingSurfaceTemp);
}

// Each lift's window counts from its own laying and ends at the next lift.
TEST(SiteRun, liftsGiveTheirMomentsCompactionWindowsAndBaseMeans)
{
    TScenario scenario = julyEvening();
    scenario.Lifts = {{300.0, 4.0, 165.0}, {7200.0, 3.0, 150.0}};
    const TRunOutcome run = RunScenario(scenario);
    ASSERT_TRUE(run.Succeeded()) << run.Failure;
    ASSERT_EQ(run.Lifts.size(), 3u);
    EXPECT_EQ(run.Lifts[1].Laid, TheTimeUtilsCls::AddDuration(run.Laying, 300.0));
    EXPECT_EQ(run.Lifts[2].ElapsedSeconds, 7200.0);
    EXPECT_FALSE(run.Lifts[0].CompactionSeconds) << "five minutes are too short to reach 80 degC";
    EXPECT_EQ(run.CompactionSeconds, run.Lifts[0].CompactionSeconds);
    ASSERT_TRUE(run.Lifts[1].CompactionSeconds && run.Lifts[2].CompactionSeconds);
    EXPECT_LT(*run.Lifts[1].CompactionSeconds, 7200.0 - 300.0);
    EXPECT_FALSE(run.Lifts[0].BaseMeanTemp);
    ASSERT_TRUE(run.Lifts[1].BaseMeanTemp && run.Lifts[2].BaseMeanTemp);
    EXPECT_GT(*run.Lifts[1].BaseMeanTemp, 80.0);
    EXPECT_LT(*run.Lifts[1].BaseMeanTemp, 160.0);
    EXPECT_GT(run.ResultSeconds, 7200.0);
    EXPECT_EQ(run.ExistingSurfaceTemp, run.BottomTemp);
}

TEST(ScenarioInputs, liftsAreCheckedInOrder)
{
    const TPICHourCls engine;
    const double nan = std::nan("");
    struct TCase {
        std::vector<TLift> Lifts;
        std::optional<std::size_t> Index;
        TLiftRefusal Refusal;
    } const cases[] = {
        {{{60.0, 1.5, 100.0}, {120.0, 8.0, 170.0}, {124980.0, 4.3, 150.0}}, std::nullopt, TLiftRefusal::TooMany},
        {{{60.0, 4, 160}, {120.0, 4, 160}, {180.0, 4, 160}, {240.0, 4, 160}}, 3, TLiftRefusal::TooMany},
        {{{600.0, 4, 160}, {600.0, 4, 160}}, 1, TLiftRefusal::NotAfterPrevious},
        {{{0.0, 4, 160}}, 0, TLiftRefusal::NotAfterPrevious},
        {{{90.0, 4, 160}}, 0, TLiftRefusal::NotWholeMinutes},
        {{{125040.0, 4, 160}}, 0, TLiftRefusal::PastRunLimit},
        {{{600.0, 1.4, 160}}, 0, TLiftRefusal::Thickness},
        {{{600.0, 4, 171}}, 0, TLiftRefusal::LayingTemp},
        {{{600.0, nan, 160}}, 0, TLiftRefusal::NotAReal},
    };
    for (const TCase& c : cases) {
        const auto check = ScenarioInputs::CheckLifts(engine, c.Lifts);
        ASSERT_EQ(check.has_value(), c.Index.has_value()) << c.Lifts.size();
        if (check) {
            EXPECT_EQ(check->Index, *c.Index);
            EXPECT_EQ(check->Refusal, c.Refusal);
        }
    }
}

}  // namespace
