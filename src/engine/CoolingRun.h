#pragma once

class TCoolingHistory;
class TLayerColumn;
class TProgressBar;
class TSurfaceBalance;

// What a run needs besides its column and its surface.
struct TCoolingRunSettings {
    double LayingTemp = 0.0;  // degC, the surface's emission at level 0
    double ReopenTemp = 0.0;  // degC
    double BottomTemp = 0.0;  // degC, held at the bottom node
    bool SurfaceExchange = true;  // false insulates the surface
};

// Steps the column from its current level, level 0, until the top layer's
// nodes down to its bottom (Limits()[0], at most the last computed node) are
// all at or below ReopenTemp, and returns that level's elapsed seconds.
// Every level goes into history, its profile every
// TCoolingHistory::LevelsPerProfile levels and at the reopening, and steps
// the progress bar once. Throws std::runtime_error with
// TPICHourCls::FailureUnstable when the scheme leaves the finite numbers,
// FailureTooLong when no level before TPICHourCls::MaxSteps reopens.
double RunToReopening(TLayerColumn& column, TSurfaceBalance& surface, const TCoolingRunSettings& settings,
    TCoolingHistory& history, TProgressBar& progressBar);
