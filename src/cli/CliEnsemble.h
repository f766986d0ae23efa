#pragma once

#include "CliScenario.h"
#include "Ensemble.h"
#include "EnsembleRun.h"
#include "RunOutcome.h"

#include <optional>
#include <string>

// The target of a single run and the ensemble's summary as the command line
// writes them. read is what was read of the scenario: each run's result is
// added to a copy of it.

// Whether the run reopens at or before target, a wall-clock moment;
// compared in UTC, as the plan compares its slots across a change of clock.
bool ReopensBy(const TRunOutcome& run, double target);

// "HH:MM" of a wall-clock moment.
std::string TargetClock(double target);

// ,"ready_by":...,"meets_deadline":... of a single run.
std::string TargetJson(const TRunOutcome& run, double target);
// "Target:    ready by 06:00" or "... not ready by 06:00".
std::string TargetText(const TRunOutcome& run, double target);

// "ensemble":{...}: the members, the failures, the 10, 50 and 90 %
// reopenings, the ready count with a target, and with runs one object per
// member in the file's order.
std::string EnsembleJson(const TCliOutcome& read, const TEnsemble& ensemble, const TEnsembleOutcome& outcome,
    std::optional<double> target, bool runs);

// One line: the 10-90 % range and the median; with a target, how many
// forecasts are ready by it.
std::string EnsembleText(const TCliOutcome& read, const TEnsembleOutcome& outcome, std::optional<double> target);
