#include "CoolingCurve.h"
#include "DateUtilsBD2006.h"
#include "LayingPlan.h"
#include "PICHourCls.h"
#include "SkyBrightnessCache.h"
#include "TheTimeUtilsCls.h"
#include "WeatherWhatIf.h"

#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <stdexcept>

namespace {

double dateOf(int year, int month, int day)
{
    return *DateUtilsBD2006::EncodeDate(year, month, day);
}

double timeOf(int hour, int minute, int second = 0)
{
    return *DateUtilsBD2006::EncodeTime(hour, minute, second, 0);
}

TScenario summerScenario()
{
    TScenario s;
    s.LayingDate = dateOf(2026, 7, 10);
    s.LayingTime = timeOf(14, 30, 20);
    return s;
}

// Bit for bit, not merely close.
void expectSameOutcome(const TRunOutcome& a, const TRunOutcome& b)
{
    EXPECT_EQ(a.Failure, b.Failure);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(a.ResultSeconds), std::bit_cast<std::uint64_t>(b.ResultSeconds));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(a.Reopening), std::bit_cast<std::uint64_t>(b.Reopening));
    EXPECT_EQ(a.Night, b.Night);
}

TEST(ScenarioRun, matchesTheEngineDrivenAsTheFrameDrivesIt)
{
    const TScenario scenario = summerScenario();
    const TRunOutcome outcome = RunScenario(scenario);
    ASSERT_TRUE(outcome.Succeeded()) << outcome.Failure;

    TPICHourCls engine;
    engine.Layers.Items(0).SetThicknessCm(5.0);
    engine.LayingTemp = 170.0;
    engine.ReopenTemp = 30.0;
    engine.WindSpeed = engine.WindSpeedFeeble;
    engine.CloudCover = engine.CloudCoverClear;
    engine.SummerTime = true;
    TNullProgressBar bar;
    engine.Compute(bar, scenario.LayingDate, scenario.LayingTime);
    const double laying = TheTimeUtilsCls::JoinDateAndTime(scenario.LayingDate, scenario.LayingTime);
    EXPECT_EQ(outcome.ResultSeconds, engine.ResultSeconds);
    EXPECT_EQ(outcome.Reopening, TheTimeUtilsCls::AddDuration(laying, engine.ResultSeconds));
    EXPECT_EQ(DateUtilsBD2006::DecodeTime(outcome.Laying)->Second, 20) << "the laying keeps its seconds";
    EXPECT_EQ(outcome.ClockOffset, 2.0);
}

TEST(ScenarioRun, reportsFailuresInsteadOfThrowing)
{
    TScenario tooHot = summerScenario();
    tooHot.BottomTemp = 60.0;
    EXPECT_EQ(RunScenario(tooHot).Failure, TPICHourCls::FailureTooLong);

    TScenario noSuchLayer = summerScenario();
    noSuchLayer.Layers.push_back({3, 10.0, 900.0, 1.2, 2400.0});
    EXPECT_FALSE(RunScenario(noSuchLayer).Succeeded());

    TScenario lastDay = summerScenario();
    lastDay.LayingDate = dateOf(9999, 12, 31);
    lastDay.LayingTime = timeOf(23, 0);
    EXPECT_EQ(RunScenario(lastDay).Failure, TRunOutcome::ReopeningOutOfRange);
}

// A progress bar that records what the run shows it, or throws at its first
// step.
class TTestProgressBar final : public TProgressBar {
public:
    void SetMin(int) override { }
    void SetMax(int value) override { Max = value; }
    void SetStep(int) override { }
    void SetPosition(int value) override { Position = value; }
    void StepIt() override
    {
        ++Steps;
        if (Throw)
            Throw();
    }

    int Max = 0, Position = -1, Steps = 0;
    void (*Throw)() = nullptr;
};

// The desktop program's road: its own engine, with the road and constants it
// holds, and its progress bar.
TEST(ScenarioRun, runsOnALentEngineAndShowsItsProgress)
{
    TPICHourCls engine;
    TTestProgressBar bar;
    const TScenario scenario = summerScenario();
    const TRunOutcome outcome = RunScenario(scenario, {false, nullptr, &bar, &engine});
    ASSERT_TRUE(outcome.Succeeded()) << outcome.Failure;
    EXPECT_EQ(engine.ResultSeconds, outcome.ResultSeconds);
    EXPECT_EQ(bar.Max, TPICHourCls::MaxSteps);
    EXPECT_GT(bar.Steps, 0);
    EXPECT_EQ(bar.Position, 0) << "the bar stands at 0 again";

    engine.Layers.Items(1).Conductivity = 12.0;
    EXPECT_EQ(RunScenario(scenario, {false, nullptr, nullptr, &engine}).Failure, TPICHourCls::FailureUnstable);
    EXPECT_TRUE(RunScenario(scenario).Succeeded()) << "a run of its own keeps the default road";
}

// However a run ends in an error, its outcome says it failed: an empty
// message would read as a success, and a run never throws.
TEST(ScenarioRun, anErrorWithoutAMessageIsAFailure)
{
    void (*const throws[])() = {[] { throw std::runtime_error(""); }, [] { throw 42; }};
    for (const auto throwing : throws) {
        TTestProgressBar bar;
        bar.Throw = throwing;
        const TRunOutcome outcome = RunScenario(summerScenario(), {false, nullptr, &bar, nullptr});
        EXPECT_FALSE(outcome.Succeeded());
        EXPECT_EQ(outcome.Failure, TRunOutcome::UnknownFailure);
    }
}

// The last level of the curve is the first whose layer maximum meets the
// reopening temperature, and it lies at the result.
TEST(CoolingCurve, endsOnTheFirstLevelAtTheReopeningTemperature)
{
    TScenario scenario = summerScenario();
    const TRunOutcome outcome = RunScenario(scenario, {true, nullptr});
    ASSERT_TRUE(outcome.Succeeded());
    const auto curve = CoolingCurve(outcome);
    ASSERT_FALSE(curve.empty());
    EXPECT_EQ(curve.back().ElapsedSeconds, outcome.ResultSeconds);
    EXPECT_EQ(curve.back().Moment, outcome.Reopening);
    EXPECT_LE(curve.back().LayerMaxTemp, scenario.ReopenTemp);
    for (std::size_t n = 0; n + 1 < curve.size(); ++n)
        ASSERT_GT(curve[n].LayerMaxTemp, scenario.ReopenTemp) << "level " << n;
    EXPECT_EQ(curve[240].AirTemp, outcome.History->AirTemps()[1]);

    const auto profiles = DepthProfiles(outcome);
    ASSERT_EQ(profiles.size(), static_cast<std::size_t>(outcome.History->ProfileCount()));
    EXPECT_EQ(profiles[1].ElapsedSeconds, 300);
    // The depth view ends on the reopening itself, not the five minutes before.
    EXPECT_EQ(profiles.back().ElapsedSeconds, outcome.ResultSeconds);
    EXPECT_EQ(profiles.back().Moment, outcome.Reopening);
    ASSERT_EQ(profiles[0].Temps.size(), 201u) << "surface down to 1 m";
    EXPECT_EQ(NodeDepthCm(201), 100.0);
    EXPECT_EQ(profiles[0].Temps.front(), 170.0);
    EXPECT_EQ(profiles[0].Temps.back(), 14.0);
}

TEST(SkyBrightnessCache, sharedSumsLeaveEveryResultAsALoneRunGivesIt)
{
    SolarModel::TSkyBrightnessCache cache;
    for (const TCloudClass cloud : AllCloudClasses) {
        TScenario scenario = summerScenario();
        scenario.Cloud = cloud;
        const TRunOutcome lone = RunScenario(scenario, {true, nullptr});
        const TRunOutcome shared = RunScenario(scenario, {true, &cache});
        expectSameOutcome(lone, shared);
        EXPECT_EQ(lone.History->SurfaceTemps(), shared.History->SurfaceTemps());
    }
    EXPECT_GT(cache.Size(), 0u);
}

class RecordingProgress final : public TAnalysisProgress {
public:
    std::atomic<int> Calls = 0;
    std::atomic<int> Highest = 0;
    int StopAfter = -1;
    void RunsDone(int done, int) override
    {
        ++Calls;
        int seen = Highest.load();
        while (done > seen && !Highest.compare_exchange_weak(seen, done)) { }
    }
    bool StopRequested() const override { return StopAfter >= 0 && Calls >= StopAfter; }
};

TEST(WeatherWhatIf, parallelEqualsSequentialAndLoneRuns)
{
    const TScenario scenario = summerScenario();
    RecordingProgress progress;
    const auto parallel = RunWeatherWhatIf(scenario, TExecution::Parallel, &progress);
    const auto sequential = RunWeatherWhatIf(scenario, TExecution::Sequential);
    ASSERT_TRUE(parallel && sequential);
    ASSERT_EQ(parallel->size(), 9u);
    EXPECT_EQ(progress.Calls, 9);
    EXPECT_EQ(progress.Highest, 9);
    for (std::size_t n = 0; n < 9; ++n) {
        const TWhatIfCell& cell = (*parallel)[n];
        EXPECT_EQ(cell.Wind, AllWindClasses[n / 3]);
        EXPECT_EQ(cell.Cloud, AllCloudClasses[n % 3]);
        expectSameOutcome(cell.Outcome, (*sequential)[n].Outcome);
        TScenario lone = scenario;
        lone.Wind = cell.Wind;
        lone.Cloud = cell.Cloud;
        expectSameOutcome(cell.Outcome, RunScenario(lone));
    }
    EXPECT_LT((*parallel)[8].Outcome.ResultSeconds, (*parallel)[0].Outcome.ResultSeconds)
        << "a strong wind under cover cools faster than a feeble one in sunshine";
}

TEST(WeatherWhatIf, stopsWithoutAResult)
{
    RecordingProgress progress;
    progress.StopAfter = 0;
    EXPECT_FALSE(RunWeatherWhatIf(summerScenario(), TExecution::Parallel, &progress));
    EXPECT_EQ(progress.Calls, 0);
}

TEST(LayingPlan, slotsEqualLoneRunsInBothExecutions)
{
    const TScenario scenario = summerScenario();
    const auto parallel = PlanLaying(scenario);
    const auto sequential = PlanLaying(scenario, 30, std::nullopt, TExecution::Sequential);
    ASSERT_TRUE(parallel && sequential);
    ASSERT_EQ(parallel->Slots.size(), 48u);
    for (std::size_t n = 0; n < 48; ++n) {
        expectSameOutcome(parallel->Slots[n].Outcome, sequential->Slots[n].Outcome);
        EXPECT_EQ(parallel->Slots[n].LayingTime, timeOf(static_cast<int>(n / 2), static_cast<int>(n % 2) * 30));
    }
    for (const std::size_t n : {0u, 17u, 47u}) {
        TScenario lone = scenario;
        lone.LayingTime = parallel->Slots[n].LayingTime;
        expectSameOutcome(parallel->Slots[n].Outcome, RunScenario(lone));
    }
}

TEST(LayingPlan, deadlineMarksSlotsAndNamesTheLatest)
{
    auto plan = PlanLaying(summerScenario(), 120);
    ASSERT_TRUE(plan);
    ASSERT_EQ(plan->Slots.size(), 12u);
    // Just when the 10:00 slot reopens: it and every earlier slot make it.
    const double deadline = plan->Slots[5].Outcome.Reopening;
    ApplyDeadline(*plan, deadline);
    ASSERT_TRUE(plan->LatestSlotForDeadline);
    const std::size_t latest = *plan->LatestSlotForDeadline;
    EXPECT_GE(latest, 5u);
    for (std::size_t n = 0; n < plan->Slots.size(); ++n)
        EXPECT_EQ(plan->Slots[n].MeetsDeadline, plan->Slots[n].Outcome.Reopening <= deadline) << "slot " << n;
    EXPECT_TRUE(plan->Slots[latest].MeetsDeadline);
    for (std::size_t n = latest + 1; n < plan->Slots.size(); ++n)
        EXPECT_FALSE(plan->Slots[n].MeetsDeadline);

    ApplyDeadline(*plan, plan->Slots[0].Outcome.Reopening - 1.0);
    EXPECT_FALSE(plan->LatestSlotForDeadline);
    ApplyDeadline(*plan, std::nullopt);
    EXPECT_FALSE(plan->Slots[0].MeetsDeadline);
}

TEST(LayingPlan, intervalsMustDivideTheDay)
{
    for (const int minutes : {5, 30, 45, 720})
        EXPECT_TRUE(IsValidPlanInterval(minutes)) << minutes;
    for (const int minutes : {0, 4, 7, 1440, -30})
        EXPECT_FALSE(IsValidPlanInterval(minutes)) << minutes;
    EXPECT_FALSE(PlanLaying(summerScenario(), 7));
}

}  // namespace
