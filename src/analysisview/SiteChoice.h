#pragma once

#include "RunOutcome.h"
#include "Scenario.h"
#include "ScenarioInputs.h"

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

// A further lift as the site manager enters it: its layer, and when it goes
// on, a delay after the previous lift or a time on the laying's wall clock.
struct TSiteLift {
    double ThicknessCm = 4.0;
    double LayingTemp = 160.0;  // degC
    bool AtClockTime = false;
    int DelayMinutes = 60;  // after the previous lift, without a clock time
    int Hour = 0;  // with a clock time: the first such moment after the previous lift,
    int Minute = 0;  // the next day when earlier on the clock
    bool operator==(const TSiteLift&) const = default;
};

// The site as it is: the existing road's warmth and the lifts after the
// frame's layer, as entered.
struct TSiteChoice {
    bool RoadWarmth = false;
    std::vector<TSiteLift> Lifts;
    bool operator==(const TSiteChoice&) const = default;
    bool Given() const { return RoadWarmth || !Lifts.empty(); }
};

// Why the lifts of a choice cannot be laid: the check's refusal, or a clock
// time the March change skips (SkippedWall holds it as the clock would read).
struct TSiteRefusal {
    std::size_t Index = 0;  // 0 for the first further lift
    std::optional<ScenarioInputs::TLiftRefusal> Refusal;  // empty: a skipped clock time
    double SkippedWall = 0.0;
    double ElapsedSeconds = 0.0;  // the refused lift's, after the first laying
};

// Puts the choice into a scenario, its clock times read as the command
// line's HH:MM on the scenario's laying and clock. On a refusal the
// scenario is left as it was.
std::optional<TSiteRefusal> ApplySiteChoice(const TSiteChoice& choice, TScenario& scenario);

// The existing road under the new layer just after the laying: its surface
// (as warmed or uniform) and 5, 10 and 20 cm under it, degC; empty without
// the run's history.
inline constexpr std::array<int, 4> ExistingRoadDepthsCm = {0, 5, 10, 20};
std::optional<std::array<double, 4>> ExistingRoadAtLaying(const TRunOutcome& outcome);
