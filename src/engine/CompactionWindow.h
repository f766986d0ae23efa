#pragma once

#include "CoolingHistory.h"

#include <optional>

// Seconds from the laying until the new layer's mean temperature first
// stands at or below compactionTemp (degC): 0 when the layer is laid at or
// below it, empty when no recorded level of the run reaches it.
std::optional<double> CompactionSeconds(const TCoolingHistory& history, double layingTemp, double compactionTemp);

// The same for a lift laid at fromLevel, counted from its laying, over the
// levels before untilLevel (the next lift's, or past the run's end), where
// the recorded mean is the top lift's.
std::optional<double> CompactionSeconds(
    const TCoolingHistory& history, double layingTemp, double compactionTemp, int fromLevel, int untilLevel);
