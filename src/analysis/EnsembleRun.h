#pragma once

#include "AnalysisProgress.h"
#include "Ensemble.h"
#include "LayingPlan.h"
#include "RunOutcome.h"
#include "Scenario.h"
#include "ScenarioBatch.h"

#include <cstddef>
#include <optional>
#include <vector>

struct TEnsembleSettings {
    // A wall-clock date-time value: count the members ready at or before it.
    std::optional<double> Target;
    bool KeepHistory = false;
    TAnalysisProgress* Progress = nullptr;  // borrowed, may be null
};

// Every member of an ensemble run with the same inputs.
struct TEnsembleOutcome {
    std::vector<TRunOutcome> Runs;  // one per member, in the ensemble's order
    std::size_t Failed = 0;
    // The members at the 10, 50 and 90 % reopenings: nearest rank ceil(q M)
    // among the results sorted ascending, failures last; empty when that
    // rank is a failure.
    std::optional<std::size_t> P10, P50, P90;
    std::optional<std::size_t> ReadyMembers;  // with a target
    std::size_t TopMember = 0;  // the control, else the first
};

// The scenario's own weather is replaced by each member's. Empty when the
// progress asked to stop.
std::optional<TEnsembleOutcome> RunEnsemble(
    const TScenario& scenario, const TEnsemble& ensemble, const TEnsembleSettings& settings = {});

// The quantiles and the ready count of finished runs.
void SummariseEnsemble(TEnsembleOutcome& outcome, std::optional<double> target);

struct TEnsembleSlot {
    double LayingTime = 0.0;  // time of day of the slot
    TEnsembleOutcome Outcome;  // with the deadline as its target
    bool MeetsDeadline = false;  // its 90 % reopening at or before the deadline
};

struct TEnsemblePlan {
    int EveryMinutes = 30;
    std::vector<TEnsembleSlot> Slots;
    std::optional<double> Deadline;  // wall clock
    std::optional<std::size_t> LatestSlotForDeadline;  // index into Slots
};

// The plan of the slots' 90 % reopenings, as a single laying plan gives its
// reopenings: a slot whose 90 % rank is a failure carries that failure.
TLayingPlan NinetyPerCentPlan(const TEnsemblePlan& plan);

// Every member laid at every slot of the laying plan; the runs keep no
// history. Empty when stopped or for an invalid interval.
std::optional<TEnsemblePlan> PlanEnsemble(const TScenario& scenario, const TEnsemble& ensemble, int everyMinutes = 30,
    std::optional<double> deadline = std::nullopt, TAnalysisProgress* progress = nullptr);
