#include "LayingPlan.h"

#include "DateUtilsBD2006.h"
#include "SharedWarmUp.h"
#include "TheTimeUtilsCls.h"
#include "WallClock.h"

namespace {

constexpr int MinutesPerDay = 24 * 60;

}  // namespace

bool IsValidPlanInterval(int everyMinutes)
{
    return everyMinutes >= 5 && everyMinutes <= 720 && MinutesPerDay % everyMinutes == 0;
}

std::vector<TScenario> PlanSlotScenarios(const TScenario& scenario, int everyMinutes)
{
    std::vector<TScenario> cases;
    if (!IsValidPlanInterval(everyMinutes))
        return cases;
    for (int minute = 0; minute < MinutesPerDay; minute += everyMinutes) {
        TScenario slot = scenario;
        slot.LayingTime = *DateUtilsBD2006::EncodeTime(minute / 60, minute % 60, 0, 0);
        // The day's real clock: the hour the March change skips has no
        // laying; the hour October repeats is laid once, in summer time.
        if (!WallClock::ExistsOnWallClock(
                TheTimeUtilsCls::JoinDateAndTime(slot.LayingDate, slot.LayingTime), slot.Clock))
            continue;
        cases.push_back(std::move(slot));
    }
    return cases;
}

std::optional<TLayingPlan> PlanLaying(const TScenario& scenario, int everyMinutes, std::optional<double> deadline,
    TExecution execution, TAnalysisProgress* progress)
{
    if (!IsValidPlanInterval(everyMinutes))
        return std::nullopt;
    const std::vector<TScenario> cases = PlanSlotScenarios(scenario, everyMinutes);
    const TSharedWarmUp warmUp(cases, execution);
    auto outcomes
        = RunScenarios(cases, {.Execution = execution, .Progress = progress, .WarmRoadOf = [&warmUp](std::size_t n) {
                                   return warmUp.RoadOf(n);
                               }});
    if (!outcomes)
        return std::nullopt;
    TLayingPlan plan;
    plan.EveryMinutes = everyMinutes;
    for (std::size_t n = 0; n < cases.size(); ++n)
        plan.Slots.push_back({cases[n].LayingTime, std::move((*outcomes)[n]), false});
    ApplyDeadline(plan, deadline);
    return plan;
}

void ApplyDeadline(TLayingPlan& plan, std::optional<double> deadline)
{
    plan.Deadline = deadline;
    plan.LatestSlotForDeadline.reset();
    for (std::size_t n = 0; n < plan.Slots.size(); ++n) {
        TPlanSlot& slot = plan.Slots[n];
        // The slots of a change day run on different clocks: compare in UTC,
        // in time order (date-time values run backwards before 1900).
        const TRunOutcome& run = slot.Outcome;
        slot.MeetsDeadline = deadline && run.Succeeded()
            && TheTimeUtilsCls::TimeOrder(WallClock::ToUtc(run.Reopening, run.ClockOffset))
                <= TheTimeUtilsCls::TimeOrder(WallClock::WallToUtc(*deadline, run.Clock));
        if (slot.MeetsDeadline)
            plan.LatestSlotForDeadline = n;
    }
}
