#include "CoolingRun.h"

#include "CoolingHistory.h"
#include "LayerColumn.h"
#include "PICHourCls.h"
#include "ProgressBar.h"
#include "SurfaceBalance.h"

#include <cmath>
#include <limits>
#include <span>
#include <stdexcept>

namespace {

// True when every value is a finite number: a sum is finite only when its
// terms are, or so large that it overflows, which no temperature can be.
bool allFinite(const double* values, int count)
{
    double sum = 0.0;
    for (int k = 0; k < count; ++k)
        sum += values[k];
    return std::isfinite(sum);
}

}  // namespace

double RunToReopening(TLayerColumn& column, TSurfaceBalance& surface, const TCoolingRunSettings& settings,
    TCoolingHistory& history, TProgressBar& progressBar)
{
    constexpr int N = TLayerColumn::LastComputedNode;
    constexpr int NodeCount = TLayerColumn::NodeCount;
    const int newLayerBottom = column.Limits()[0];
    double previousSurface = settings.LayingTemp;
    double resultSeconds = 0.0;
    bool reopened = false;

    // The mean of the new layer's nodes 1 to checkedBottom, on level i.
    const int checkedBottom = newLayerBottom < N ? newLayerBottom : N;
    const double checkedCount
        = checkedBottom >= 1 ? static_cast<double>(checkedBottom) : std::numeric_limits<double>::quiet_NaN();

    for (int i = 0;;) {
        const int elapsedSeconds = i * TLayerColumn::TimeStep;
        double maximum = 0.0;

        const double heatInput = surface.HeatInput(i, previousSurface, history);
        // Fictitious node: makes the conductive flux at the surface equal the
        // exchange with air, sun and sky, or zero when it is switched off.
        if (settings.SurfaceExchange)
            column.SetBoundaries(settings.BottomTemp, heatInput, surface.Convection());
        else
            column.SetInsulatedBoundaries(settings.BottomTemp);
        column.StepInterior();
        const double* current = column.Current();

        // The new layer, surface to its bottom interface node, on level i.
        double layerSum = 0.0;
        for (int k = 1; k <= checkedBottom; ++k) {
            layerSum += current[k];
            if (current[k] > maximum)
                maximum = current[k];
        }
        const double layerMean = layerSum / checkedCount;
        // Summed for the same check as allFinite's.
        const bool finite = std::isfinite(layerSum + current[0]);
        if (newLayerBottom >= 1 && newLayerBottom <= N && maximum <= settings.ReopenTemp) {
            resultSeconds = static_cast<double>(elapsedSeconds);
            reopened = true;
        }
        // Extreme materials or temperatures can overflow the scheme, and NaN
        // never compares above the running maximum: a blown-up layer would
        // seem to have cooled. The surface and the new layer are checked at
        // every level; the whole profile, which costs as much as a step,
        // when it is recorded and before a reopening counts. A non-finite
        // node never turns finite again, so none slips through.
        if (!finite || ((reopened || i % TCoolingHistory::LevelsPerProfile == 0) && !allFinite(current, NodeCount)))
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
