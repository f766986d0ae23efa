#include "PICHourCls.h"

#include "CoolingRun.h"
#include "DateUtilsBD2006.h"
#include "LegalClock.h"
#include "SkyBrightnessCache.h"
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

// The surface of a run of engine starting at hour:minute of a day of the
// year in month, on a clock offset hours ahead of UTC.
TSurfaceBalance::TInputs surfaceInputsOf(
    const TPICHourCls& engine, int dayOfYear, int month, int hour, int minute, double offset)
{
    TSurfaceBalance::TInputs inputs;
    inputs.Site = {engine.Latitude, engine.Longitude, engine.SolarConstant};
    inputs.DayOfYear = dayOfYear;
    inputs.Month = month;
    inputs.Hour = hour;
    inputs.Minute = minute;
    inputs.ClockOffset = offset;
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

// The column's layer list once each of lifts is laid on layers: lift m
// first, then lifts m - 1 to 0, then layers, the lifts of the first layer's
// material. Fails with FailureBadLift for a lift the run cannot lay.
std::vector<TRoadLayersCls> liftLayerLists(
    const TRoadLayersCls& layers, const std::vector<TPICHourCls::TFurtherLift>& lifts, int timeStep, double gridStep)
{
    if (lifts.size() > static_cast<std::size_t>(TPICHourCls::MaxFurtherLifts))
        throw std::runtime_error(TPICHourCls::FailureBadLift);
    constexpr double minute = 60.0;
    const double lastSecond = static_cast<double>(TPICHourCls::MaxSteps) * timeStep;
    double previous = 0.0;
    for (const auto& lift : lifts) {
        // Written so that NaN fails every test.
        const bool timed = lift.ElapsedSeconds > previous && lift.ElapsedSeconds < lastSecond
            && std::fmod(lift.ElapsedSeconds, minute) == 0.0;
        if (!timed || !(lift.ThicknessCm > 0.0) || !std::isfinite(lift.ThicknessCm) || !std::isfinite(lift.LayingTemp))
            throw std::runtime_error(TPICHourCls::FailureBadLift);
        previous = lift.ElapsedSeconds;
    }

    std::vector<TRoadLayersCls> lists(lifts.size());
    for (std::size_t m = 0; m < lifts.size(); ++m) {
        for (std::size_t above = m + 1; above-- > 0;) {
            auto lift = std::make_unique<TRoadLayerCls>(layers.Items(0));
            lift->SetThicknessCm(lifts[above].ThicknessCm);
            lift->UpdateFourier(timeStep, gridStep);
            lists[m].Add(std::move(lift));
        }
        for (int j = 0; j < layers.Count(); ++j)
            lists[m].Add(std::make_unique<TRoadLayerCls>(layers.Items(j)));
    }
    return lists;
}

// The series of weather moved later by seconds: the same points counted
// from a start that many seconds before their origin.
TWeatherTimeline shiftedLater(const TWeatherTimeline& weather, double seconds)
{
    TWeatherTimeline shifted;
    const std::pair<const std::optional<TWeatherSeries>*, std::optional<TWeatherSeries>*> series[]
        = {{&weather.AirTemp, &shifted.AirTemp}, {&weather.WindSpeed, &shifted.WindSpeed},
            {&weather.CloudCover, &shifted.CloudCover}};
    for (const auto& [from, to] : series) {
        if (!*from)
            continue;
        std::vector<TWeatherPoint> points = (*from)->Points();
        for (TWeatherPoint& point : points)
            point.ElapsedSeconds += seconds;
        to->emplace(std::move(points));
    }
    return shifted;
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

    Limits.resize(static_cast<std::size_t>(Layers.Count()));
    DayOfYear = *dayOfYear;
    ClockOffset = LegalClock::OffsetHours(SummerTime);
    UpdateLayers();

    const std::vector<TRoadLayersCls> liftLists = liftLayerLists(Layers, FurtherLifts, TimeStep, GridStep);
    std::vector<TLiftPlacement> placements;
    for (std::size_t m = 0; m < FurtherLifts.size(); ++m)
        placements.push_back(
            {TruncToInt(FurtherLifts[m].ElapsedSeconds) / TimeStep, &liftLists[m], FurtherLifts[m].LayingTemp});

    // The road the new layer is laid on: uniform, or warmed by the two days
    // before.
    ExistingSurfaceTemp = BottomTemp;
    std::optional<TRoadProfile> warmed;
    if (RoadWarmth && WarmRoad == nullptr) {
        const auto start = WarmUpStartOf(layingDate, layingTime, SummerTime, WarmUpSummerTime);
        if (!start)
            throw std::runtime_error("Invalid laying date or time");
        const int levels[] = {start->Levels};
        warmed = WarmRoads(*start, levels, start->Levels).front();
    }
    const TRoadProfile* road = !RoadWarmth ? nullptr : WarmRoad != nullptr ? WarmRoad : &*warmed;

    TSurfaceBalance surface(surfaceInputsOf(*this, DayOfYear, date->Month, time->Hour, time->Minute, ClockOffset));
    EquationOfTime = surface.Solar().EquationOfTime;
    StartSolarTime = surface.Solar().StartSolarTime;

    TLayerColumn column;
    column.SetLayers(Layers);
    Limits = column.Limits();
    column.LayTopLayer(LayingTemp, BottomTemp);
    if (road != nullptr)
        column.LayOn(road->data(), LayingTemp);
    ExistingSurfaceTemp = road != nullptr ? (*road)[1] : BottomTemp;

    FHistory.Reset(NodeCount, MaxSteps + 1);

    TCoolingRunSettings settings;
    settings.LayingTemp = LayingTemp;
    settings.ReopenTemp = ReopenTemp;
    settings.BottomTemp = BottomTemp;
    settings.SurfaceExchange = SurfaceExchange;
    settings.Lifts = placements;
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

void TPICHourCls::UpdateLayers()
{
    for (int j = 0; j < Layers.Count(); ++j) {
        TRoadLayerCls& layer = Layers.Items(j);
        layer.UpdateDiffusivity();
        layer.UpdateFourier(TimeStep, GridStep);
        if (!layer.Stable)
            throw std::runtime_error(FailureUnstable);
    }
}

std::vector<TRoadProfile> TPICHourCls::WarmRoads(
    const TWarmUpStart& start, std::span<const int> levels, int weatherOriginLevel)
{
    UpdateLayers();
    // The existing road alone: it needs no minimum thickness, and without
    // any layer under the new one it stays uniform.
    TRoadLayersCls existing;
    for (int j = 1; j < Layers.Count(); ++j)
        existing.Add(std::make_unique<TRoadLayerCls>(Layers.Items(j)));
    if (existing.Count() == 0) {
        TRoadProfile uniform;
        uniform.fill(BottomTemp);
        return std::vector<TRoadProfile>(levels.size(), uniform);
    }
    TLayerColumn column;
    column.SetLayers(existing);
    column.LayTopLayer(BottomTemp, BottomTemp);
    const TWeatherTimeline weather
        = shiftedLater(Weather, static_cast<double>(weatherOriginLevel) * static_cast<double>(TimeStep));
    TSurfaceBalance::TInputs inputs = surfaceInputsOf(*this, start.DayOfYear, start.Month, 0, 0, start.ClockOffset);
    inputs.Weather = &weather;
    // The day of the year stays that of the start, so the sun comes back to
    // the same places every day of the warm-up.
    SolarModel::TSkyBrightnessCache ownSky;
    if (inputs.SkyCache == nullptr)
        inputs.SkyCache = &ownSky;
    TSurfaceBalance surface(inputs);
    return RunWarmUp(column, surface, BottomTemp, SurfaceExchange, levels);
}
