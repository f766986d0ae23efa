#include "EnsembleRun.h"

#include "Compat.h"
#include "LayingPlan.h"
#include "ScenarioRun.h"
#include "SharedWarmUp.h"
#include "SkyBrightnessCache.h"
#include "TheTimeUtilsCls.h"
#include "WallClock.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <mutex>
#include <numeric>
#include <thread>

namespace {

// The scenario on a member's weather alone.
TScenario memberScenario(const TScenario& scenario, const TEnsembleMember& member)
{
    TScenario run = scenario;
    run.Weather = member.Weather;
    run.AirTemp.reset();
    run.WindSpeed.reset();
    run.CloudCover.reset();
    return run;
}

bool reopensBy(const TRunOutcome& run, double target)
{
    return run.Succeeded()
        && TheTimeUtilsCls::TimeOrder(WallClock::ToUtc(run.Reopening, run.ClockOffset))
        <= TheTimeUtilsCls::TimeOrder(WallClock::WallToUtc(target, run.Clock));
}

}  // namespace

std::optional<TEnsembleOutcome> RunEnsemble(
    const TScenario& scenario, const TEnsemble& ensemble, const TEnsembleSettings& settings)
{
    std::vector<TScenario> members;
    members.reserve(ensemble.Members.size());
    for (const TEnsembleMember& member : ensemble.Members)
        members.push_back(memberScenario(scenario, member));
    // The members run on one engine per core, a group on each; one laying,
    // so the groups share the sun's sums too.
    SolarModel::TSkyBrightnessCache sky;
    const std::size_t groups = std::clamp<std::size_t>(
        Compat::HasThreads ? std::thread::hardware_concurrency() : 1, 1, std::max<std::size_t>(members.size(), 1));
    std::vector<std::optional<std::vector<TRunOutcome>>> grouped(groups);
    std::vector<std::size_t> indices(groups);
    std::iota(indices.begin(), indices.end(), std::size_t{0});
    // Each member's end reported, and a stop asked before each.
    std::mutex reporting;
    int finished = 0;
    const int total = static_cast<int>(members.size());
    const auto memberEnded = [&] {
        const std::lock_guard lock(reporting);
        settings.Progress->RunsDone(++finished, total);
    };
    Compat::ParallelForEach(indices.begin(), indices.end(), [&](std::size_t g) {
        // Members g, g + groups, ...: early and late members alike in each.
        std::vector<TScenario> group;
        for (std::size_t m = g; m < members.size(); m += groups)
            group.push_back(members[m]);
        // Asked before each run, so each call but the first follows a run's
        // end; the members that needed no run end with the group.
        std::size_t reported = 0;
        bool first = true;
        const auto keepGoing = [&] {
            if (settings.Progress == nullptr)
                return true;
            if (!first) {
                memberEnded();
                ++reported;
            }
            first = false;
            return !settings.Progress->StopRequested();
        };
        grouped[g] = RunMembers(group, {.KeepHistory = settings.KeepHistory, .SkyCache = &sky}, keepGoing);
        if (grouped[g] && settings.Progress != nullptr)
            for (; reported < group.size(); ++reported)
                memberEnded();
    });
    for (const auto& group : grouped)
        if (!group)
            return std::nullopt;
    TEnsembleOutcome outcome;
    outcome.Runs.resize(members.size());
    for (std::size_t m = 0; m < members.size(); ++m)
        outcome.Runs[m] = std::move((*grouped[m % groups])[m / groups]);
    outcome.TopMember = ensemble.TopMember();
    SummariseEnsemble(outcome, settings.Target);
    return outcome;
}

void SummariseEnsemble(TEnsembleOutcome& outcome, std::optional<double> target)
{
    const std::vector<TRunOutcome>& runs = outcome.Runs;
    std::vector<std::size_t> order(runs.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    // Ascending by result, failures last as later than any; ties keep the
    // members' order.
    std::stable_sort(order.begin(), order.end(), [&runs](std::size_t a, std::size_t b) {
        const TRunOutcome& x = runs[a];
        const TRunOutcome& y = runs[b];
        if (x.Succeeded() != y.Succeeded())
            return x.Succeeded();
        return x.Succeeded() && x.ResultSeconds < y.ResultSeconds;
    });
    outcome.Failed = static_cast<std::size_t>(
        std::count_if(runs.begin(), runs.end(), [](const TRunOutcome& run) { return !run.Succeeded(); }));
    const auto nearestRank = [&](int percent) -> std::optional<std::size_t> {
        if (runs.empty())
            return std::nullopt;
        // ceil(q M) in whole numbers, so that 0.1 x 40 is rank 4, not 5.
        const std::size_t rank = (static_cast<std::size_t>(percent) * runs.size() + 99) / 100;
        const std::size_t member = order[std::max<std::size_t>(rank, 1) - 1];
        return runs[member].Succeeded() ? std::optional(member) : std::nullopt;
    };
    outcome.P10 = nearestRank(10);
    outcome.P50 = nearestRank(50);
    outcome.P90 = nearestRank(90);
    outcome.ReadyMembers.reset();
    if (target) {
        std::size_t ready = 0;
        for (const TRunOutcome& run : runs)
            if (reopensBy(run, *target))
                ++ready;
        outcome.ReadyMembers = ready;
    }
}

std::optional<TEnsemblePlan> PlanEnsemble(const TScenario& scenario, const TEnsemble& ensemble, int everyMinutes,
    std::optional<double> deadline, TAnalysisProgress* progress)
{
    if (!IsValidPlanInterval(everyMinutes))
        return std::nullopt;
    const std::vector<TScenario> slots = PlanSlotScenarios(scenario, everyMinutes);
    const std::size_t memberCount = ensemble.Members.size();
    // Member-major: the runs of one member share its road's warm-up.
    std::vector<TScenario> cases;
    cases.reserve(slots.size() * memberCount);
    for (const TEnsembleMember& member : ensemble.Members)
        for (const TScenario& slot : slots)
            cases.push_back(memberScenario(slot, member));
    std::vector<std::unique_ptr<TSharedWarmUp>> warmUps(memberCount);
    std::vector<std::size_t> members(memberCount);
    std::iota(members.begin(), members.end(), std::size_t{0});
    Compat::ParallelForEach(members.begin(), members.end(), [&](std::size_t m) {
        const auto first = cases.begin() + static_cast<std::ptrdiff_t>(m * slots.size());
        warmUps[m] = std::make_unique<TSharedWarmUp>(
            std::vector<TScenario>(first, first + static_cast<std::ptrdiff_t>(slots.size())), TExecution::Sequential);
    });
    const std::size_t slotCount = slots.size();
    auto runs = RunScenarios(cases,
        {.Execution = TExecution::Parallel,
            .KeepHistory = false,
            .ShareSky = true,
            .Progress = progress,
            .WarmRoadOf
            = [&warmUps, slotCount](std::size_t n) { return warmUps[n / slotCount]->RoadOf(n % slotCount); }});
    if (!runs)
        return std::nullopt;
    TEnsemblePlan plan;
    plan.EveryMinutes = everyMinutes;
    plan.Deadline = deadline;
    for (std::size_t s = 0; s < slotCount; ++s) {
        TEnsembleSlot slot;
        slot.LayingTime = slots[s].LayingTime;
        for (std::size_t m = 0; m < memberCount; ++m)
            slot.Outcome.Runs.push_back(std::move((*runs)[m * slotCount + s]));
        slot.Outcome.TopMember = ensemble.TopMember();
        SummariseEnsemble(slot.Outcome, deadline);
        slot.MeetsDeadline = deadline && slot.Outcome.P90 && reopensBy(slot.Outcome.Runs[*slot.Outcome.P90], *deadline);
        if (slot.MeetsDeadline)
            plan.LatestSlotForDeadline = plan.Slots.size();
        plan.Slots.push_back(std::move(slot));
    }
    return plan;
}

TLayingPlan NinetyPerCentPlan(const TEnsemblePlan& plan)
{
    TLayingPlan nineties;
    nineties.EveryMinutes = plan.EveryMinutes;
    for (const TEnsembleSlot& slot : plan.Slots) {
        const TEnsembleOutcome& members = slot.Outcome;
        TPlanSlot& ninety = nineties.Slots.emplace_back();
        ninety.LayingTime = slot.LayingTime;
        if (members.P90) {
            ninety.Outcome = members.Runs.at(*members.P90);
        } else {
            // Failures rank last: the 90 % rank is one of them.
            const auto failed = std::find_if(
                members.Runs.begin(), members.Runs.end(), [](const TRunOutcome& run) { return !run.Succeeded(); });
            if (failed != members.Runs.end())
                ninety.Outcome = *failed;
        }
    }
    ApplyDeadline(nineties, plan.Deadline);
    return nineties;
}
