#pragma once

#include "ScenarioBatch.h"

#include <optional>
#include <vector>

struct TPlanSlot {
    double LayingTime = 0.0;  // time of day of the slot, a date-time fraction
    TRunOutcome Outcome;
    bool MeetsDeadline = false;  // reopens at or before the deadline
};

struct TLayingPlan {
    int EveryMinutes = 30;
    std::vector<TPlanSlot> Slots;
    std::optional<double> Deadline;  // date-time value on the wall clock
    std::optional<std::size_t> LatestSlotForDeadline;  // index into Slots
};

// 5 to 720 minutes and a divisor of a day.
bool IsValidPlanInterval(int everyMinutes);

// The scenario at every slot of its laying date from 00:00, every
// everyMinutes minutes, as far as the day's wall clock has them; none for
// an invalid interval.
std::vector<TScenario> PlanSlotScenarios(const TScenario& scenario, int everyMinutes);

// The scenario laid at every slot of its laying date from 00:00, every
// everyMinutes minutes, as far as the day's wall clock has them. Empty when
// stopped or for an invalid interval.
std::optional<TLayingPlan> PlanLaying(const TScenario& scenario, int everyMinutes = 30,
    std::optional<double> deadline = std::nullopt, TExecution execution = TExecution::Parallel,
    TAnalysisProgress* progress = nullptr);

// Marks the slots that reopen by the deadline and finds the latest of them,
// without running anything again.
void ApplyDeadline(TLayingPlan& plan, std::optional<double> deadline);
