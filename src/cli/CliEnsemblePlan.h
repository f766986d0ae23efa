#pragma once

#include "CliScenario.h"
#include "Ensemble.h"
#include "EnsembleRun.h"

#include <string>

// The laying plan over an ensemble as the command line writes it. read is
// what was read of the scenario.

// A line per laying slot with its 10 %, median and 90 % reopenings (and the
// ready count with a deadline), then the latest slot whose 90 % reopening
// meets the deadline.
std::string EnsemblePlanText(const TCliOutcome& read, const TEnsemblePlan& plan, std::size_t members);
// "plan":[...],"latest_laying_for_deadline":...; each slot the top member's
// result and the ensemble's summary without its runs.
std::string EnsemblePlanJson(const TCliOutcome& read, const TEnsemble& ensemble, const TEnsemblePlan& plan);
