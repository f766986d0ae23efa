#pragma once

#include "CoolingHistory.h"
#include "LayerColumn.h"
#include "ProgressBar.h"
#include "RoadLayersCls.h"
#include "RoadWarmUp.h"
#include "WeatherTimeline.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace SolarModel {
class TSkyBrightnessCache;
}

// The legal clock of the site, by the EU rule for every year: summer time
// (UTC + 2 h) from the last Sunday of March, 01:00 UTC, to the last Sunday of
// October, 01:00 UTC; winter time (UTC + 1 h) otherwise.
//
// For a laying on the local clock: the calendar day of date and the hour of
// time. On the March change day a laying before 02:00 is winter time, from
// 02:00 on summer time; on the October change day one before 03:00 is
// summer time, from 03:00 on winter time. True (winter time) also when the
// date or the time cannot be decomposed.
bool IsWinterTime(double date, double time);

// One member of an ensemble, run with the others: its weather in, and out
// what a lone Compute on that weather leaves.
struct TMemberRun {
    TWeatherTimeline Weather;
    std::string Failure;  // empty on success, else what Compute would throw
    double ResultSeconds = 0.0;
    double AirTemp = 0.0;  // degC, in force at the last level run
    double ExistingSurfaceTemp = 0.0;  // degC
    TCoolingHistory History;
};

// The cooling-time engine: road structure, input limits, the inputs of one
// computation and the result of the last one. Compute fails with a
// std::runtime_error whose message is exactly one of the Failure* texts.
class TPICHourCls {
public:
    static constexpr const char* ClassName = "TPICHourCls";
    static constexpr const char* FailureTooThin = "TPICHourCls/1";
    static constexpr const char* FailureUnstable = "TPICHourCls/2";
    static constexpr const char* FailureTooLong = "TPICHourCls/3";
    // FurtherLifts holds more than MaxFurtherLifts lifts, or one that is not
    // a whole number of minutes after the previous lift and before MaxSteps,
    // or whose thickness is not a positive number or laying temperature
    // not a number.
    static constexpr const char* FailureBadLift = "TPICHourCls/4";

    static constexpr double GridStep = TLayerColumn::GridStep;  // m between depth nodes
    static constexpr int TimeStep = TLayerColumn::TimeStep;  // s per step
    static constexpr int MaxSteps = 25000;  // 125000 s, 34 h 43 min 20 s
    // Node 0 is fictitious above the surface, node 1 the surface, node
    // BottomNode lies 1 m deep and is held at BottomTemp.
    static constexpr int LastComputedNode = TLayerColumn::LastComputedNode;
    static constexpr int BottomNode = TLayerColumn::BottomNode;
    static constexpr int NodeCount = TLayerColumn::NodeCount;

    // Range and default of the temperature that ends the compaction window, degC.
    static constexpr double CompactionTempMin = 40.0;
    static constexpr double CompactionTempMax = 140.0;
    static constexpr double CompactionTempDefault = 80.0;

    TPICHourCls();

    // Input limits; -1 marks a limit as unset.
    double ThicknessMin = 1.5;  // cm
    double ThicknessMax = 8.0;
    double ThicknessStep = 0.5;
    double LayingTempMin = 100.0;  // degC
    double LayingTempMax = 170.0;
    double LayingTempStep = 5.0;
    double ReopenTempMin = 30.0;  // degC
    double ReopenTempMax = 50.0;
    double ReopenTempStep = 5.0;

    // Class values the frame copies into WindSpeed and CloudCover.
    double WindSpeedFeeble = 1.0;  // m/s
    double WindSpeedModerate = 7.0;
    double WindSpeedStrong = 15.0;
    double CloudCoverClear = 0.0;  // %
    double CloudCoverPartial = 50.0;
    double CloudCoverOvercast = 100.0;

    double MinTotalThickness = 100.0;  // cm
    TRoadLayersCls Layers;

    // Inputs of one computation.
    double LayingTemp = 0.0;  // degC
    double ReopenTemp = 0.0;  // degC
    double WindSpeed = 0.0;  // m/s
    double CloudCover = 0.0;  // %
    bool SummerTime = false;  // clock = UTC + 2 h, else UTC + 1 h
    // Lifts laid on the new layer (the first lift) during the run, in laying
    // order, of its material; each is laid at the level of its elapsed
    // seconds, before that level's surface balance.
    struct TFurtherLift {
        double ElapsedSeconds = 0.0;  // s after the first laying
        double ThicknessCm = 0.0;
        double LayingTemp = 0.0;  // degC
    };
    static constexpr int MaxFurtherLifts = 3;
    std::vector<TFurtherLift> FurtherLifts;
    // The existing road's warmth: before the run, the layers but the first
    // are simulated alone from uniform BottomTemp at 00:00 on the day two
    // days before the laying, on the clock WarmUpSummerTime gives, and the
    // new layer is laid on the road as that warm-up leaves it.
    bool RoadWarmth = false;
    bool WarmUpSummerTime = false;
    // Borrowed, may be null: with RoadWarmth, the existing road at this
    // laying already warmed up (one warm-up serves a plan's slots of a day).
    const TRoadProfile* WarmRoad = nullptr;
    // Measured or forecast weather. A series replaces, at each refresh, the
    // modelled air temperature, WindSpeed or CloudCover; empty by default.
    TWeatherTimeline Weather;

    // Site and physical constants.
    double Latitude = 50.8;  // degrees north
    double Longitude = 4.21;  // degrees east
    double SolarConstant = 1353.0;  // W/m2
    double StefanBoltzmann;  // W/(m2 K4)
    double AirTemp = 20.0;  // degC, overwritten by every run
    double BottomTemp = 14.0;  // degC, existing structure and 1 m depth

    // Borrowed, may be null: shares the sky's brightness between the runs
    // of one analysis without changing any result.
    SolarModel::TSkyBrightnessCache* SkyCache = nullptr;

    // For tests of the conduction scheme alone: false insulates the surface
    // (no exchange with air, sun or sky).
    bool SurfaceExchange = true;

    // State and result of the last computation.
    int DayOfYear = 0;
    double ClockOffset = 0.0;  // h ahead of UTC
    double EquationOfTime = 0.0;  // h
    double StartSolarTime = 0.0;  // h, true solar time at laying
    double ResultSeconds = 0.0;  // kept from the last successful run
    TPICLimits Limits;  // per layer, the node at its bottom, at level 0
    double ExistingSurfaceTemp = 0.0;  // degC, node 1 of the road laid on

    int ThicknessSteps() const;
    int LayingTempSteps() const;
    int ReopenTempSteps() const;
    int ThicknessPosition(double cm) const;
    int LayingTempPosition(double degC) const;
    int ReopenTempPosition(double degC) const;

    // Only the calendar day of layingDate and the hour and minute of
    // layingTime are used.
    void Compute(TProgressBar& progressBar, double layingDate, double layingTime);

    const TCoolingHistory& History() const { return FHistory; }

    // Compute for every member's weather in place of Weather, the members
    // on one engine and sharing the sun's sums: each
    // member's result, failure, history and air are those its lone Compute
    // gives. The engine's own last result is left as it was; TakeMember
    // makes a member's its own. Before each member, keepGoing (when given)
    // may end the computation: the members not run are left as they were.
    void ComputeMembers(double layingDate, double layingTime, std::span<TMemberRun> members,
        const std::function<bool()>& keepGoing = {});
    void TakeMember(TMemberRun& member);

    // The warm-up of the existing road from start (which WarmUpStartOf gives
    // for a laying and WarmUpSummerTime), as it stands at each of levels
    // (ascending warm-up levels); Weather counts its elapsed seconds from
    // the laying weatherOriginLevel levels after the start. Throws
    // std::runtime_error with FailureUnstable.
    std::vector<TRoadProfile> WarmRoads(const TWarmUpStart& start, std::span<const int> levels, int weatherOriginLevel);
    // The sky's brightness at every daytime refresh of the warm-up from
    // start up to level levels, stored in SkyCache (nothing without one):
    // run beside WarmRoads, on another thread, it takes that cost off the
    // warm-up without changing any value. Reads only the site, the classes
    // and SkyCache.
    void PrefetchWarmUpSky(const TWarmUpStart& start, int levels) const;

    // Node at the bottom of each layer: cumulative depths snap to the nearest
    // 0.5 cm, and anything deeper than 1 m ends on BottomNode.
    static TPICLimits LayerBottomNodes(const TRoadLayersCls& layers);

private:
    struct TRunPrep;
    // Each layer's diffusivity and Fourier number; fails when one is unstable.
    void UpdateLayers();
    void PrepareRun(double layingDate, double layingTime, TRunPrep& prep);
    // With RoadWarmth, the road to lay on: given, or one warmed under
    // weather; nothing without it.
    std::optional<TRoadProfile> WarmedRoad(
        double layingDate, double layingTime, const TWeatherTimeline& weather, const TRoadProfile* given);
    void LayNewLayer(TLayerColumn& column, const TRoadProfile* road, double& existingSurfaceTemp);
    std::vector<TRoadProfile> WarmRoadsUnder(const TWeatherTimeline& timeline, const TWarmUpStart& start,
        std::span<const int> levels, int weatherOriginLevel);

    TCoolingHistory FHistory;
};
