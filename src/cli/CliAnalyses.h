#pragma once

#include "CliScenario.h"
#include "LayingPlan.h"
#include "WeatherWhatIf.h"

#include <optional>
#include <string>
#include <vector>

// The what-if and the laying plan as the command line writes them. read is
// what was read of the scenario: each run's result is added to a copy of it.

// A 3 x 3 table: a row per wind, a column per sky; each cell the reopening
// moment and the wait, "*" for a reopening at night.
std::string WhatIfText(const TCliOutcome& read, const std::vector<TWhatIfCell>& cells);
// "what_if":[...], wind-major.
std::string WhatIfJson(const TCliOutcome& read, const std::vector<TWhatIfCell>& cells);

// A line per laying slot, then the latest slot that meets the deadline.
std::string PlanText(const TCliOutcome& read, const TLayingPlan& plan);
// "plan":[...],"latest_laying_for_deadline":...
std::string PlanJson(const TCliOutcome& read, const TLayingPlan& plan);

// "2026-07-11 02:10" of "2026-07-11T02:10:05"; "?" for nothing.
std::string MinutesOf(const std::optional<std::string>& iso);
// " summer time" where the reopening is written in another clock than the laying.
std::string ClockNote(const TCliOutcome& outcome);
