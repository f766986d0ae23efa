#include "CoolingRun.h"

#include "CoolingHistory.h"
#include "Finite.h"
#include "LayerColumn.h"
#include "PICHourCls.h"
#include "ProgressBar.h"
#include "SurfaceBalance.h"

#include <cmath>
#include <limits>
#include <span>
#include <stdexcept>

TCoolingRun::TCoolingRun(TLayerColumn& column, TSurfaceBalance& surface, const TCoolingRunSettings& settings,
    TCoolingHistory& history, TProgressBar& progressBar)
    : FColumn(column)
    , FSurface(surface)
    , FSettings(settings)
    , FHistory(history)
    , FProgressBar(progressBar)
    , FPreviousSurface(settings.LayingTemp)
    , FFirstLiftBottom(column.Limits()[0])
{
    SetScan();
}

void TCoolingRun::SetScan()
{
    constexpr int N = TLayerColumn::LastComputedNode;
    const int topBottom = FColumn.Limits()[0];
    FMeanBottom = topBottom < N ? topBottom : N;
    FMeanCount = FMeanBottom >= 1 ? static_cast<double>(FMeanBottom) : std::numeric_limits<double>::quiet_NaN();
    FScanBottom = FFirstLiftBottom < N ? FFirstLiftBottom : N;
}

bool TCoolingRun::StepLevel()
{
    constexpr int N = TLayerColumn::LastComputedNode;
    constexpr int NodeCount = TLayerColumn::NodeCount;
    const int i = FLevel;
    const int elapsedSeconds = i * TLayerColumn::TimeStep;
    double maximum = 0.0;
    bool reopened = false;

    if (FLiftsLaid < FSettings.Lifts.size() && FSettings.Lifts[FLiftsLaid].Level == i) {
        const TLiftPlacement& lift = FSettings.Lifts[FLiftsLaid];
        FColumn.PlaceLift(*lift.Layers, lift.LayingTemp);
        ++FLiftsLaid;
        // The first lift now lies below every lift laid on it.
        FFirstLiftBottom = FColumn.Limits()[FLiftsLaid];
        SetScan();
        // The lift emits from its laying temperature, as the first does.
        FPreviousSurface = lift.LayingTemp;
        FHistory.AddLift(i);
    }

    const double heatInput = FSurface.HeatInput(i, FPreviousSurface, FHistory);
    // Fictitious node: makes the conductive flux at the surface equal the
    // exchange with air, sun and sky, or zero when it is switched off.
    if (FSettings.SurfaceExchange)
        FColumn.SetBoundaries(FSettings.BottomTemp, heatInput, FSurface.Convection());
    else
        FColumn.SetInsulatedBoundaries(FSettings.BottomTemp);
    FColumn.StepInterior();
    const double* current = FColumn.Current();

    // The top lift, surface to its bottom interface node, then the lifts
    // under it down to the first one's, on level i.
    double layerSum = 0.0;
    for (int k = 1; k <= FMeanBottom; ++k) {
        layerSum += current[k];
        if (current[k] > maximum)
            maximum = current[k];
    }
    double lowerSum = 0.0;
    for (int k = FMeanBottom + 1; k <= FScanBottom; ++k) {
        lowerSum += current[k];
        if (current[k] > maximum)
            maximum = current[k];
    }
    const double layerMean = layerSum / FMeanCount;
    // Summed for the same check as AllFinite's.
    const bool finite = std::isfinite(layerSum + current[0] + lowerSum);
    if (FLiftsLaid == FSettings.Lifts.size() && FFirstLiftBottom >= 1 && FFirstLiftBottom <= N
        && maximum <= FSettings.ReopenTemp) {
        FResultSeconds = static_cast<double>(elapsedSeconds);
        reopened = true;
    }
    // Extreme materials or temperatures can overflow the scheme, and NaN
    // never compares above the running maximum: a blown-up layer would
    // seem to have cooled. The surface and the new lifts are checked at
    // every level; the whole profile, which costs as much as a step,
    // when it is recorded and before a reopening counts. A non-finite
    // node never turns finite again, so none slips through.
    if (!finite || ((reopened || i % TCoolingHistory::LevelsPerProfile == 0) && !AllFinite(current, NodeCount)))
        throw std::runtime_error(TPICHourCls::FailureUnstable);

    FColumn.StepInterfaces();

    FHistory.AddLevel(current[1], maximum, layerMean);
    // The reopening's own profile too, so that the depth view ends on it.
    if (i % TCoolingHistory::LevelsPerProfile == 0 || reopened)
        FHistory.AddProfile(std::span<const double>(current, NodeCount), i);

    FProgressBar.StepIt();
    FPreviousSurface = current[1];
    FColumn.Advance();
    ++FLevel;
    // The step limit is tested first: a condition first met on the last
    // step still fails.
    if (FLevel >= TPICHourCls::MaxSteps)
        throw std::runtime_error(TPICHourCls::FailureTooLong);
    return reopened;
}

double RunToReopening(TLayerColumn& column, TSurfaceBalance& surface, const TCoolingRunSettings& settings,
    TCoolingHistory& history, TProgressBar& progressBar)
{
    TCoolingRun run(column, surface, settings, history, progressBar);
    while (!run.StepLevel()) { }
    return run.ResultSeconds();
}
