#include "PICHourCls.h"

#include "DateUtilsBD2006.h"
#include "LegalClock.h"
#include "SurfaceBalance.h"
#include "Truncation.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

// -1 in any of the triple marks an unset limit.
bool limitUnset(double min, double max, double step)
{
    return min == -1.0 || max == -1.0 || step == -1.0;
}

int stepCount(double min, double max, double step)
{
    return limitUnset(min, max, step) ? 0 : TruncToInt((max - min) / step);
}

int stepPosition(double value, double min, double max, double step)
{
    return limitUnset(min, max, step) ? 0 : TruncToInt((value - min) / step);
}

// The progress bar stands at 0 again however Compute ends.
class TProgressReset {
public:
    explicit TProgressReset(TProgressBar& bar) : FBar(bar) { }
    ~TProgressReset() { FBar.SetPosition(0); }
    TProgressReset(const TProgressReset&) = delete;
    TProgressReset& operator=(const TProgressReset&) = delete;

private:
    TProgressBar& FBar;
};

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

bool IsWinterTime(double date, double time)
{
    return !LegalClock::IsSummerTimeOnWall(date, time);
}

TPICHourCls::TPICHourCls() : StefanBoltzmann(5.67 * std::pow(10.0, -8.0))
{
    struct TDefaultLayer {
        double ThicknessCm, HeatCapacity, Conductivity, Density;
    };
    // The new layer, the existing bituminous layer, the road base.
    constexpr TDefaultLayer defaults[] = {
        {5.0, 921.0, 1.2, 2400.0},
        {10.0, 921.0, 1.2, 2400.0},
        {90.0, 837.0, 1.31, 1750.0},
    };
    for (const auto& d : defaults) {
        auto layer = std::make_unique<TRoadLayerCls>();
        layer->SetThicknessCm(d.ThicknessCm);
        layer->HeatCapacity = d.HeatCapacity;
        layer->Conductivity = d.Conductivity;
        layer->Density = d.Density;
        Layers.Add(std::move(layer));
    }
}

int TPICHourCls::ThicknessSteps() const
{
    return stepCount(ThicknessMin, ThicknessMax, ThicknessStep);
}

int TPICHourCls::LayingTempSteps() const
{
    return stepCount(LayingTempMin, LayingTempMax, LayingTempStep);
}

int TPICHourCls::ReopenTempSteps() const
{
    return stepCount(ReopenTempMin, ReopenTempMax, ReopenTempStep);
}

int TPICHourCls::ThicknessPosition(double cm) const
{
    return stepPosition(cm, ThicknessMin, ThicknessMax, ThicknessStep);
}

int TPICHourCls::LayingTempPosition(double degC) const
{
    return stepPosition(degC, LayingTempMin, LayingTempMax, LayingTempStep);
}

int TPICHourCls::ReopenTempPosition(double degC) const
{
    return stepPosition(degC, ReopenTempMin, ReopenTempMax, ReopenTempStep);
}

TPICLimits TPICHourCls::LayerBottomNodes(const TRoadLayersCls& layers)
{
    return TLayerColumn::BottomNodes(layers);
}

void TPICHourCls::Compute(TProgressBar& progressBar, double layingDate, double layingTime)
{
    constexpr int N = LastComputedNode;

    progressBar.SetMin(0);
    progressBar.SetMax(MaxSteps);
    progressBar.SetStep(1);
    progressBar.SetPosition(0);
    const TProgressReset progressReset(progressBar);

    const auto date = DateUtilsBD2006::DecodeDate(layingDate);
    const auto time = DateUtilsBD2006::DecodeTime(layingTime);
    const auto dayOfYear = DateUtilsBD2006::DayOfTheYear(layingDate);
    if (!date || !time || !dayOfYear)
        throw std::runtime_error("Invalid laying date or time");

    // Written so that a NaN total fails too; a road without layers has
    // nowhere to lay the new one.
    if (Layers.Count() == 0 || !(Layers.TotalThickness() >= MinTotalThickness))
        throw std::runtime_error(FailureTooThin);

    const int layerCount = Layers.Count();
    Limits.resize(static_cast<std::size_t>(layerCount));
    DayOfYear = *dayOfYear;
    ClockOffset = LegalClock::OffsetHours(SummerTime);

    for (int j = 0; j < layerCount; ++j) {
        TRoadLayerCls& layer = Layers.Items(j);
        layer.UpdateDiffusivity();
        layer.UpdateFourier(TimeStep, GridStep);
        if (!layer.Stable)
            throw std::runtime_error(FailureUnstable);
    }

    TSurfaceBalance::TInputs surfaceInputs;
    surfaceInputs.Site = {Latitude, Longitude, SolarConstant};
    surfaceInputs.DayOfYear = DayOfYear;
    surfaceInputs.Month = date->Month;
    surfaceInputs.Hour = time->Hour;
    surfaceInputs.Minute = time->Minute;
    surfaceInputs.ClockOffset = ClockOffset;
    surfaceInputs.WindSpeed = WindSpeed;
    surfaceInputs.CloudCover = CloudCover;
    surfaceInputs.CloudCoverClear = CloudCoverClear;
    surfaceInputs.CloudCoverOvercast = CloudCoverOvercast;
    surfaceInputs.StefanBoltzmann = StefanBoltzmann;
    surfaceInputs.AirTemp = AirTemp;
    surfaceInputs.Weather = &Weather;
    surfaceInputs.SkyCache = SkyCache;
    TSurfaceBalance surface(surfaceInputs);
    EquationOfTime = surface.Solar().EquationOfTime;
    StartSolarTime = surface.Solar().StartSolarTime;

    TLayerColumn column;
    column.SetLayers(Layers);
    Limits = column.Limits();
    const int newLayerBottom = Limits[0];
    column.LayTopLayer(LayingTemp, BottomTemp);

    FHistory.Reset(NodeCount, MaxSteps + 1);

    double previousSurface = LayingTemp;
    double resultSeconds = 0.0;
    bool reopened = false;

    // The mean of the new layer's nodes 1 to checkedBottom, on level i.
    const int checkedBottom = newLayerBottom < N ? newLayerBottom : N;
    const double checkedCount
        = checkedBottom >= 1 ? static_cast<double>(checkedBottom) : std::numeric_limits<double>::quiet_NaN();

    for (int i = 0;;) {
        const int elapsedSeconds = i * TimeStep;
        double maximum = 0.0;

        const double heatInput = surface.HeatInput(i, previousSurface, FHistory);
        AirTemp = surface.AirTemp();
        const double convection = surface.Convection();

        // Fictitious node: makes the conductive flux at the surface equal the
        // exchange with air, sun and sky, or zero when it is switched off.
        if (SurfaceExchange)
            column.SetBoundaries(BottomTemp, heatInput, convection);
        else
            column.SetInsulatedBoundaries(BottomTemp);
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
        if (newLayerBottom >= 1 && newLayerBottom <= N && maximum <= ReopenTemp) {
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
            throw std::runtime_error(FailureUnstable);

        column.StepInterfaces();

        FHistory.AddLevel(current[1], maximum, layerMean);
        // The reopening's own profile too, so that the depth view ends on it.
        if (i % TCoolingHistory::LevelsPerProfile == 0 || reopened)
            FHistory.AddProfile(std::span<const double>(current, NodeCount), i);

        progressBar.StepIt();
        previousSurface = current[1];
        column.Advance();
        ++i;
        // The step limit is tested first: a condition first met on the last
        // step still fails.
        if (i >= MaxSteps)
            throw std::runtime_error(FailureTooLong);
        if (reopened)
            break;
    }

    ResultSeconds = resultSeconds;
}
