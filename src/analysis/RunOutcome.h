#pragma once

#include "CoolingHistory.h"
#include "Scenario.h"
#include "WallClock.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// One lift of a run, the first (the new layer) included.
struct TLiftOutcome {
    double ThicknessCm = 0.0;
    double LayingTemp = 0.0;  // degC
    double ElapsedSeconds = 0.0;  // after the first laying
    double Laid = 0.0;  // run moment
    // From its own laying until the top lift's mean first stands at or below
    // the compaction-end temperature, before the next lift is laid: 0 when
    // laid at or below it, empty when not reached before the next lift (or
    // the run's end).
    std::optional<double> CompactionSeconds;
    // Every lift after the first: the mean of the lift below at the level
    // just before this one was placed, degC.
    std::optional<double> BaseMeanTemp;
    // Once it is laid: the node at the bottom of each layer, the lifts on the
    // road (this one first) and then the existing ones.
    std::vector<int> Limits;
};

// What one run of a scenario gave. Moments are date-time values on the
// run's clock (ClockOffset hours ahead of UTC, that of the laying); Wall()
// writes them as the site's clock shows them.
struct TRunOutcome {
    // Empty on success; else the engine's failure ("TPICHourCls/3"),
    // ReopeningOutOfRange, another error's message, or UnknownFailure for an
    // error that has none.
    std::string Failure;
    static constexpr const char* ReopeningOutOfRange = "Reopening moment beyond the calendar";
    static constexpr const char* UnknownFailure = "Failure without a message";
    // The timeline does not reach back to the laying, or ends before it: no
    // answer is given on values held from another time.
    static constexpr const char* WeatherNotCoveringLaying = "Weather timeline does not cover the laying";

    double Laying = 0.0;  // the laying date joined with the laying time
    bool SummerTime = false;
    double ClockOffset = 0.0;  // h ahead of UTC
    TClockMode Clock = TClockMode::Auto;  // automatic: the legal clock

    // Success only.
    double ResultSeconds = 0.0;
    double Reopening = 0.0;  // Laying + ResultSeconds
    bool Night = false;  // the sun below the horizon at Reopening

    // The engine's state after the run, as far as it got.
    int DayOfYear = 0;
    double EquationOfTime = 0.0;  // h
    double StartSolarTime = 0.0;  // h
    double BottomTemp = 0.0;  // degC
    std::vector<int> Limits;  // node at the bottom of each layer

    // The weather: "classes", "values" or "timeline"; with a timeline its
    // first and last moment (run moments) and whether the run went past the
    // last point of a series and held its last value.
    std::string WeatherKind = "classes";
    std::optional<double> WeatherFrom;
    std::optional<double> WeatherUntil;
    bool WeatherHeld = false;
    // With a timeline: whether every series it gives has points at or
    // before the laying and at or after it (else WeatherNotCoveringLaying,
    // and no run).
    std::optional<bool> WeatherCoversLaying;
    // Seconds until the new layer's mean reached the compaction-end
    // temperature; empty when the run ended before.
    std::optional<double> CompactionSeconds;

    bool RoadWarmth = false;
    // The existing road's surface at the first laying: warmed, or the
    // bottom temperature.
    double ExistingSurfaceTemp = 0.0;  // degC
    // Success only: every lift, the first included, in laying order.
    std::vector<TLiftOutcome> Lifts;

    // Only when the run was asked to keep it.
    std::shared_ptr<const TCoolingHistory> History;

    bool Succeeded() const { return Failure.empty(); }
    WallClock::TWallMoment Wall(double runMoment) const
    {
        return WallClock::ToWallClock(runMoment, ClockOffset, Clock);
    }
};
