#pragma once

#include <cstddef>
#include <span>

class TCoolingHistory;
class TLayerColumn;
class TProgressBar;
class TRoadLayersCls;
class TSurfaceBalance;

// A further lift: at Level, before its surface balance, the column takes
// Layers (the lift first, then the layers so far) and the lift is laid at
// LayingTemp.
struct TLiftPlacement {
    int Level = 0;
    const TRoadLayersCls* Layers = nullptr;  // borrowed
    double LayingTemp = 0.0;  // degC
};

// What a run needs besides its column and its surface.
struct TCoolingRunSettings {
    double LayingTemp = 0.0;  // degC, the surface's emission at level 0
    double ReopenTemp = 0.0;  // degC
    double BottomTemp = 0.0;  // degC, held at the bottom node
    bool SurfaceExchange = true;  // false insulates the surface
    // In laying order, each at a later level than the previous, all before
    // TPICHourCls::MaxSteps.
    std::span<const TLiftPlacement> Lifts;
};

// One run of the scheme, a level at a time: a lone run and each member of
// an ensemble step through the same body.
class TCoolingRun {
public:
    // All borrowed for the run's lifetime; column at its level 0.
    TCoolingRun(TLayerColumn& column, TSurfaceBalance& surface, const TCoolingRunSettings& settings,
        TCoolingHistory& history, TProgressBar& progressBar);
    // Runs the next level; true when it reopened. Throws as RunToReopening.
    bool StepLevel();
    double ResultSeconds() const { return FResultSeconds; }

private:
    void SetScan();

    TLayerColumn& FColumn;
    TSurfaceBalance& FSurface;
    const TCoolingRunSettings& FSettings;
    TCoolingHistory& FHistory;
    TProgressBar& FProgressBar;
    int FLevel = 0;
    double FPreviousSurface;
    double FResultSeconds = 0.0;
    // The first lift's bottom node, which the reopening scans down to; the
    // top lift's nodes 1 to FMeanBottom give its mean. Both move with every
    // lift laid.
    int FFirstLiftBottom;
    int FScanBottom = 0;
    int FMeanBottom = 0;
    double FMeanCount = 0.0;
    std::size_t FLiftsLaid = 0;
};

// Steps the column from its current level, level 0, until every lift is laid
// and the nodes of all of them, down to the first lift's bottom (at most the
// last computed node), are at or below ReopenTemp, and returns that level's
// elapsed seconds. Every level goes into history (the hottest of those
// nodes, the top lift's mean), its profile every
// TCoolingHistory::LevelsPerProfile levels and at the reopening, and steps
// the progress bar once. Throws std::runtime_error with
// TPICHourCls::FailureUnstable when the scheme leaves the finite numbers,
// FailureTooLong when no level before TPICHourCls::MaxSteps reopens.
double RunToReopening(TLayerColumn& column, TSurfaceBalance& surface, const TCoolingRunSettings& settings,
    TCoolingHistory& history, TProgressBar& progressBar);
