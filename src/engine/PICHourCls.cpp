#include "PICHourCls.h"

#include "CoolingRun.h"
#include "DateUtilsBD2006.h"
#include "LegalClock.h"
#include "SurfaceBalance.h"
#include "Truncation.h"

#include <cmath>
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

// The surface of a run of engine laid at hour:minute of a day in month;
// DayOfYear and ClockOffset already set.
TSurfaceBalance::TInputs surfaceInputsOf(const TPICHourCls& engine, int month, int hour, int minute)
{
    TSurfaceBalance::TInputs inputs;
    inputs.Site = {engine.Latitude, engine.Longitude, engine.SolarConstant};
    inputs.DayOfYear = engine.DayOfYear;
    inputs.Month = month;
    inputs.Hour = hour;
    inputs.Minute = minute;
    inputs.ClockOffset = engine.ClockOffset;
    inputs.WindSpeed = engine.WindSpeed;
    inputs.CloudCover = engine.CloudCover;
    inputs.CloudCoverClear = engine.CloudCoverClear;
    inputs.CloudCoverOvercast = engine.CloudCoverOvercast;
    inputs.StefanBoltzmann = engine.StefanBoltzmann;
    inputs.AirTemp = engine.AirTemp;
    inputs.Weather = &engine.Weather;
    inputs.SkyCache = engine.SkyCache;
    return inputs;
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

    TSurfaceBalance surface(surfaceInputsOf(*this, date->Month, time->Hour, time->Minute));
    EquationOfTime = surface.Solar().EquationOfTime;
    StartSolarTime = surface.Solar().StartSolarTime;

    TLayerColumn column;
    column.SetLayers(Layers);
    Limits = column.Limits();
    column.LayTopLayer(LayingTemp, BottomTemp);

    FHistory.Reset(NodeCount, MaxSteps + 1);

    TCoolingRunSettings settings;
    settings.LayingTemp = LayingTemp;
    settings.ReopenTemp = ReopenTemp;
    settings.BottomTemp = BottomTemp;
    settings.SurfaceExchange = SurfaceExchange;
    // The air in force at the last level run, whatever the run's end.
    double resultSeconds = 0.0;
    try {
        resultSeconds = RunToReopening(column, surface, settings, FHistory, progressBar);
    } catch (...) {
        AirTemp = surface.AirTemp();
        throw;
    }
    AirTemp = surface.AirTemp();
    ResultSeconds = resultSeconds;
}
