#pragma once

#include "CoolingHistory.h"
#include "LayerColumn.h"
#include "ProgressBar.h"
#include "RoadLayersCls.h"
#include "WeatherTimeline.h"

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

// The cooling-time engine: road structure, input limits, the inputs of one
// computation and the result of the last one. Compute fails with a
// std::runtime_error whose message is exactly one of the Failure* texts.
class TPICHourCls {
public:
    static constexpr const char* ClassName = "TPICHourCls";
    static constexpr const char* FailureTooThin = "TPICHourCls/1";
    static constexpr const char* FailureUnstable = "TPICHourCls/2";
    static constexpr const char* FailureTooLong = "TPICHourCls/3";

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
    TPICLimits Limits;  // per layer, the node at its bottom

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

    // Node at the bottom of each layer: cumulative depths snap to the nearest
    // 0.5 cm, and anything deeper than 1 m ends on BottomNode.
    static TPICLimits LayerBottomNodes(const TRoadLayersCls& layers);

private:
    TCoolingHistory FHistory;
};
