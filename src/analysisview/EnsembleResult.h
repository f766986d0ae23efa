#pragma once

#include "Ensemble.h"
#include "EnsembleRun.h"

#include <memory>
#include <optional>

// An ensemble as the analysis window shows it: every member run with its
// history, the quantiles and, with a target time, the members ready by it.
struct TEnsembleResult {
    std::shared_ptr<const TEnsemble> Ensemble;
    TEnsembleOutcome Outcome;
    std::optional<double> Target;  // wall clock
};
