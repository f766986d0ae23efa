#pragma once

#include "Scenario.h"
#include "WallClock.h"

#include <cstdint>
#include <optional>
#include <string_view>

// When a further lift goes on, as a site manager says it: so many minutes
// after the previous lift, at a time on the clock (the first such moment
// after the previous lift), or at a date and time. Wall-clock moments are
// read on the scenario's clock exactly as its laying is: the legal rule of
// that date and hour when automatic (October's repeated hour as its summer
// time pass), the forced clock otherwise.
struct TLiftWhen {
    enum class TKind { AfterPrevious, ClockTime, DateTime };
    TKind Kind = TKind::AfterPrevious;
    std::int64_t Minutes = 0;  // AfterPrevious
    int Hour = 0, Minute = 0;  // ClockTime and DateTime
    int Year = 0, Month = 0, Day = 0;  // DateTime
};

namespace LiftMoments {

// "+MIN", "HH:MM" or "YYYY-MM-DDTHH:MM"; nothing for anything else.
std::optional<TLiftWhen> ParseWhen(std::string_view text);

struct TResolvedWhen {
    // Seconds after the first laying; empty when the moment is one the
    // clock skips (SkippedWall then holds it as the wall clock would read).
    std::optional<std::int64_t> ElapsedSeconds;
    double SkippedWall = 0.0;  // date-time value
};

// The lift laid when, the previous lift (the first laying for the first
// further lift) laid previousElapsed seconds after the first laying. An
// elapsed time at or before the previous one is returned as it is: the
// check of the lifts refuses it.
TResolvedWhen Resolve(const TScenario& scenario, std::int64_t previousElapsed, const TLiftWhen& when);

// A moment elapsedSeconds after the scenario's laying, on its wall clock.
WallClock::TWallMoment WallMomentOf(const TScenario& scenario, double elapsedSeconds);

}  // namespace LiftMoments
