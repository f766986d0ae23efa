#pragma once

#include "RoadWarmUp.h"
#include "Scenario.h"
#include "ScenarioBatch.h"

#include <cstddef>
#include <vector>

// The slots of a plan are laid on one date, so their roads all start
// warming at the same moment: one warm-up, read at each slot's laying,
// serves them all. It runs before any slot can; in parallel another thread
// works out its sky meanwhile.
class TSharedWarmUp {
public:
    // cases in laying order, all of one date.
    TSharedWarmUp(const std::vector<TScenario>& cases, TExecution execution);

    // The existing road at case n's laying; null when the warm-up is not
    // shared or failed: the run then warms its own road, or says why it
    // cannot.
    const TRoadProfile* RoadOf(std::size_t n) const { return n < FRoads.size() ? &FRoads[n] : nullptr; }

private:
    std::vector<TRoadProfile> FRoads;
};
