#pragma once

#include "Scenario.h"

// A run's moments are date-time values on the clock of its laying, a fixed
// number of hours ahead of UTC, so that they stay continuous across a change
// of the legal clock. They are shown on the site's wall clock: with the
// automatic clock, the legal clock in force at each moment; with a forced
// clock, that clock throughout.
namespace WallClock {

struct TWallMoment {
    double Moment = 0.0;  // date-time value as the wall clock reads it
    bool SummerTime = false;
};

// clockOffset: hours the run's clock is ahead of UTC (1 or 2).
TWallMoment ToWallClock(double runMoment, double clockOffset, TClockMode clock);

// A moment read on the wall clock, in UTC. With the automatic clock the hour
// the October change repeats is taken as summer time, the first of the two,
// as a laying at that hour is.
double WallToUtc(double wallMoment, TClockMode clock);
// Hours the wall clock is ahead of UTC at a moment read on it, as WallToUtc
// takes it; and the hours of summer (2) or winter time (1).
int WallOffsetHours(double wallMoment, TClockMode clock);
int OffsetHours(bool summerTime);
double ToUtc(double runMoment, double clockOffset);
double FromUtc(double utcMoment, double clockOffset);

// False for the hour the March change skips on the automatic clock.
bool ExistsOnWallClock(double wallMoment, TClockMode clock);
// True for the hour the October change repeats on the automatic clock.
bool InRepeatedHour(double wallMoment, TClockMode clock);
// Whether the scenario's laying (its date joined with its time) is a moment
// its clock shows: a laying in the skipped hour cannot be computed from.
bool LayingExists(const TScenario& scenario);

}  // namespace WallClock
