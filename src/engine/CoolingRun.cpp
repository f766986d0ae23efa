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

double RunToReopening(TLayerColumn& column, TSurfaceBalance& surface, const TCoolingRunSettings& settings,
    TCoolingHistory& history, TProgressBar& progressBar)
{
    constexpr int N = TLayerColumn::LastComputedNode;
    constexpr int NodeCount = TLayerColumn::NodeCount;
    double previousSurface = settings.LayingTemp;
    double resultSeconds = 0.0;
    bool reopened = false;

    // The first lift's bottom node, which the reopening scans down to; the
    // top lift's nodes 1 to meanBottom give its mean. Both move with every
    // lift laid.
    int firstLiftBottom = column.Limits()[0];
    int scanBottom = 0;
    int meanBottom = 0;
    double meanCount = 0.0;
    const auto setScan = [&]() {
        const int topBottom = column.Limits()[0];
        meanBottom = topBottom < N ? topBottom : N;
        meanCount = meanBottom >= 1 ? static_cast<double>(meanBottom) : std::numeric_limits<double>::quiet_NaN();
        scanBottom = firstLiftBottom < N ? firstLiftBottom : N;
    };
    setScan();
    std::size_t liftsLaid = 0;

    for (int i = 0;;) {
        const int elapsedSeconds = i * TLayerColumn::TimeStep;
        double maximum = 0.0;

        if (liftsLaid < settings.Lifts.size() && settings.Lifts[liftsLaid].Level == i) {
            const TLiftPlacement& lift = settings.Lifts[liftsLaid];
            column.PlaceLift(*lift.Layers, lift.LayingTemp);
            ++liftsLaid;
            // The first lift now lies below every lift laid on it.
            firstLiftBottom = column.Limits()[liftsLaid];
            setScan();
            // The lift emits from its laying temperature, as the first does.
            previousSurface = lift.LayingTemp;
            history.AddLift(i);
        }

        const double heatInput = surface.HeatInput(i, previousSurface, history);
        // Fictitious node: makes the conductive flux at the surface equal the
        // exchange with air, sun and sky, or zero when it is switched off.
        if (settings.SurfaceExchange)
            column.SetBoundaries(settings.BottomTemp, heatInput, surface.Convection());
        else
            column.SetInsulatedBoundaries(settings.BottomTemp);
        column.StepInterior();
        const double* current = column.Current();

        // The top lift, surface to its bottom interface node, then the lifts
        // under it down to the first one's, on level i.
        double layerSum = 0.0;
        for (int k = 1; k <= meanBottom; ++k) {
            layerSum += current[k];
            if (current[k] > maximum)
                maximum = current[k];
        }
        double lowerSum = 0.0;
        for (int k = meanBottom + 1; k <= scanBottom; ++k) {
            lowerSum += current[k];
            if (current[k] > maximum)
                maximum = current[k];
        }
        const double layerMean = layerSum / meanCount;
        // Summed for the same check as allFinite's.
        const bool finite = std::isfinite(layerSum + current[0] + lowerSum);
        if (liftsLaid == settings.Lifts.size() && firstLiftBottom >= 1 && firstLiftBottom <= N
            && maximum <= settings.ReopenTemp) {
            resultSeconds = static_cast<double>(elapsedSeconds);
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

        column.StepInterfaces();

        history.AddLevel(current[1], maximum, layerMean);
        // The reopening's own profile too, so that the depth view ends on it.
        if (i % TCoolingHistory::LevelsPerProfile == 0 || reopened)
            history.AddProfile(std::span<const double>(current, NodeCount), i);

        progressBar.StepIt();
        previousSurface = current[1];
        column.Advance();
        ++i;
        // The step limit is tested first: a condition first met on the last
        // step still fails.
        if (i >= TPICHourCls::MaxSteps)
            throw std::runtime_error(TPICHourCls::FailureTooLong);
        if (reopened)
            break;
    }
    return resultSeconds;
}
