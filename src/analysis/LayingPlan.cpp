#include "LayingPlan.h"

#include "DateUtilsBD2006.h"
#include "PICHourCls.h"
#include "TheTimeUtilsCls.h"
#include "WallClock.h"

#include <exception>

namespace {

constexpr int MinutesPerDay = 24 * 60;

// The slots of a plan are laid on one date, so their roads all start
// warming at the same moment: one warm-up, read at each slot's laying,
// serves them all. Empty when it cannot be shared; each run then warms its
// own road, or says why it cannot.
std::vector<TRoadProfile> sharedWarmRoads(const std::vector<TScenario>& cases)
{
    if (cases.empty() || !cases.front().RoadWarmth)
        return {};
    try {
        TPICHourCls engine;
        // The engine's weather counts from the last slot's laying.
        ApplyScenario(cases.back(), engine);
        std::vector<int> levels;
        std::optional<TWarmUpStart> start;
        for (const TScenario& slot : cases) {
            start = WarmUpStartOf(slot.LayingDate, slot.LayingTime, SummerTimeOf(slot), WarmUpSummerTimeOf(slot));
            if (!start || (!levels.empty() && start->Levels <= levels.back()))
                return {};
            levels.push_back(start->Levels);
        }
        return engine.WarmRoads(*start, levels, start->Levels);
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace

bool IsValidPlanInterval(int everyMinutes)
{
    return everyMinutes >= 5 && everyMinutes <= 720 && MinutesPerDay % everyMinutes == 0;
}

std::optional<TLayingPlan> PlanLaying(const TScenario& scenario, int everyMinutes, std::optional<double> deadline,
    TExecution execution, TAnalysisProgress* progress)
{
    if (!IsValidPlanInterval(everyMinutes))
        return std::nullopt;
    std::vector<TScenario> cases;
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
    const std::vector<TRoadProfile> warmRoads = sharedWarmRoads(cases);
    std::vector<const TRoadProfile*> warmRoadOf;
    for (const TRoadProfile& road : warmRoads)
        warmRoadOf.push_back(&road);
    auto outcomes = RunScenarios(cases, {.Execution = execution, .Progress = progress, .WarmRoads = warmRoadOf});
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
