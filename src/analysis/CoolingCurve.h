#pragma once

#include "RunOutcome.h"

#include <vector>

// The run's history as a chart and the CSV exports read it.
struct TCurvePoint {
    int ElapsedSeconds = 0;
    double Moment = 0.0;  // date-time value on the run's clock
    double SurfaceTemp = 0.0;  // degC
    double LayerMaxTemp = 0.0;  // degC, the reopening criterion
    double AirTemp = 0.0;  // degC, as last refreshed
    double WindSpeed = 0.0;  // m/s, as last refreshed
    double CloudCover = 0.0;  // %, as last refreshed
    double LayerMeanTemp = 0.0;  // degC, the compaction criterion
};

struct TDepthProfile {
    int ElapsedSeconds = 0;
    double Moment = 0.0;
    std::vector<double> Temps;  // degC at NodeDepthCm(1), NodeDepthCm(2), ... down to 1 m
};

// Every time level of the run (5 s apart); empty without a kept history.
std::vector<TCurvePoint> CoolingCurve(const TRunOutcome& outcome);

// The whole depth profile every five minutes; empty without a kept history.
std::vector<TDepthProfile> DepthProfiles(const TRunOutcome& outcome);

// Depth of grid node k (1 is the surface), cm.
double NodeDepthCm(int node);
