#include "EnsembleRun.h"
#include "DateUtilsBD2006.h"
#include "ScenarioRun.h"
#include "TheTimeUtilsCls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <memory>

namespace {

// Runs with results in seconds; a negative value is a failed run.
TEnsembleOutcome outcomeOf(const std::vector<double>& seconds)
{
    TEnsembleOutcome outcome;
    const double laying = TheTimeUtilsCls::JoinDateAndTime(
        *DateUtilsBD2006::EncodeDate(2027, 7, 14), *DateUtilsBD2006::EncodeTime(22, 0, 0, 0));
    for (const double s : seconds) {
        TRunOutcome run;
        run.Laying = laying;
        run.SummerTime = true;
        run.ClockOffset = 2.0;
        if (s < 0.0) {
            run.Failure = "TPICHourCls/3";
        } else {
            run.ResultSeconds = s;
            run.Reopening = TheTimeUtilsCls::AddDuration(laying, s);
        }
        outcome.Runs.push_back(run);
    }
    return outcome;
}

TEST(EnsembleSummary, nearestRankQuantilesWithFailuresLast)
{
    struct TCase {
        std::vector<double> Seconds;
        std::optional<std::size_t> P10, P50, P90;
        std::size_t Failed;
    } const cases[] = {
        // ranks 1, 5 and 9 of ten
        {{900, 100, 800, 200, 700, 300, 600, 400, 500, 1000}, 1, 8, 0, 0},
        // two failures take ranks 9 and 10
        {{900, 100, 800, -1, 700, 300, 600, -1, 500, 1000}, 1, 4, std::nullopt, 2},
        // two members: ranks 1, 1 and 2; equal results keep the members' order
        {{300, 300}, 0, 0, 1, 0},
        {{-1, -1, -1}, std::nullopt, std::nullopt, std::nullopt, 3},
    };
    for (const TCase& c : cases) {
        TEnsembleOutcome outcome = outcomeOf(c.Seconds);
        SummariseEnsemble(outcome, std::nullopt);
        EXPECT_EQ(outcome.P10, c.P10) << c.Seconds.size();
        EXPECT_EQ(outcome.P50, c.P50) << c.Seconds.size();
        EXPECT_EQ(outcome.P90, c.P90) << c.Seconds.size();
        EXPECT_EQ(outcome.Failed, c.Failed);
        EXPECT_FALSE(outcome.ReadyMembers);
    }
    // Forty members: ranks 4, 20 and 36, not 5, 20 and 37.
    std::vector<double> forty;
    for (int n = 0; n < 40; ++n)
        forty.push_back(60.0 * (n + 1));
    TEnsembleOutcome outcome = outcomeOf(forty);
    SummariseEnsemble(outcome, std::nullopt);
    EXPECT_EQ(outcome.P10, 3u);
    EXPECT_EQ(outcome.P50, 19u);
    EXPECT_EQ(outcome.P90, 35u);
}

TEST(EnsembleSummary, readyMembersReopenAtOrBeforeTheTarget)
{
    TEnsembleOutcome outcome = outcomeOf({3600, 7200, 7260, -1});
    // 22:00 + 2 h = 00:00 the next day, wall clock.
    const double target = TheTimeUtilsCls::JoinDateAndTime(
        *DateUtilsBD2006::EncodeDate(2027, 7, 15), *DateUtilsBD2006::EncodeTime(0, 0, 0, 0));
    SummariseEnsemble(outcome, target);
    EXPECT_EQ(outcome.ReadyMembers, 2u);
}

// Each member's run is the single run on its weather, bit for bit.
TEST(EnsembleRun, membersEqualTheirSingleRuns)
{
    TEnsemble ensemble;
    for (const char* csv : {"time,air_temp,wind_speed\n2027-07-14T18:00Z,24,2\n2027-07-15T12:00Z,18,4\n",
             "time,air_temp,cloud_cover\n2027-07-14T18:00Z,28,0\n2027-07-15T12:00Z,30,100\n",
             "time,air_temp\n2027-07-15T00:00Z,20\n"})
        ensemble.Members.push_back({"m", std::make_shared<const TWeatherSource>(WeatherSource::ReadText(csv, "e"))});
    ensemble.Members.front().Name = "control";
    TScenario scenario;
    scenario.ThicknessCm = 5.0;
    scenario.LayingTemp = 160.0;
    scenario.ReopenTemp = 35.0;
    scenario.LayingDate = *DateUtilsBD2006::EncodeDate(2027, 7, 14);
    scenario.LayingTime = *DateUtilsBD2006::EncodeTime(22, 0, 0, 0);
    scenario.Lifts = {{3600.0, 4.0, 165.0}};
    const auto outcome = RunEnsemble(scenario, ensemble);
    ASSERT_TRUE(outcome);
    ASSERT_EQ(outcome->Runs.size(), 3u);
    EXPECT_EQ(outcome->Runs[2].Failure, TRunOutcome::WeatherNotCoveringLaying);
    for (std::size_t m = 0; m < 3; ++m) {
        TScenario lone = scenario;
        lone.Weather = ensemble.Members[m].Weather;
        const TRunOutcome single = RunScenario(lone);
        EXPECT_EQ(outcome->Runs[m].Failure, single.Failure);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(outcome->Runs[m].ResultSeconds),
            std::bit_cast<std::uint64_t>(single.ResultSeconds));
    }
    EXPECT_NE(outcome->Runs[0].ResultSeconds, outcome->Runs[1].ResultSeconds);
    EXPECT_EQ(outcome->TopMember, 0u);
    EXPECT_EQ(outcome->Failed, 1u);

    // Every member's end reported once; a stop asked for gives no result.
    struct TRecorder final : TAnalysisProgress {
        std::vector<int> Done;
        std::size_t StopAfter = 100;
        void RunsDone(int done, int total) override
        {
            Done.push_back(done);
            EXPECT_EQ(total, 3);
        }
        bool StopRequested() const override { return Done.size() >= StopAfter; }
    } recorder;
    ASSERT_TRUE(RunEnsemble(scenario, ensemble, {.Target = std::nullopt, .KeepHistory = false, .Progress = &recorder}));
    std::sort(recorder.Done.begin(), recorder.Done.end());
    EXPECT_EQ(recorder.Done, (std::vector<int>{1, 2, 3}));
    recorder.Done.clear();
    recorder.StopAfter = 0;
    EXPECT_FALSE(
        RunEnsemble(scenario, ensemble, {.Target = std::nullopt, .KeepHistory = false, .Progress = &recorder}));
}

}  // namespace
