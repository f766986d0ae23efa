#include "PICHourCls.h"

#include "CoolingRun.h"
#include "DateUtilsBD2006.h"
#include "LegalClock.h"
#include "SkyBrightnessCache.h"
#include "SurfaceBalance.h"
#include "Truncation.h"

#include <cmath>
#include <memory>
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

// What every run of one laying shares: the checked inputs, the lifts'
// layer lists and the run's settings.
struct TPICHourCls::TRunPrep {
    int Month = 0;
    int Hour = 0;
    int Minute = 0;
    std::vector<TRoadLayersCls> LiftLists;
    std::vector<TLiftPlacement> Placements;
    TCoolingRunSettings Settings;
};

void TPICHourCls::PrepareRun(double layingDate, double layingTime, TRunPrep& prep)
{
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

    prep.Month = date->Month;
    prep.Hour = time->Hour;
    prep.Minute = time->Minute;
    prep.LiftLists = liftLayerLists(Layers, FurtherLifts, TimeStep, GridStep);
    for (std::size_t m = 0; m < FurtherLifts.size(); ++m)
        prep.Placements.push_back(
            {TruncToInt(FurtherLifts[m].ElapsedSeconds) / TimeStep, &prep.LiftLists[m], FurtherLifts[m].LayingTemp});
    prep.Settings.LayingTemp = LayingTemp;
    prep.Settings.ReopenTemp = ReopenTemp;
    prep.Settings.BottomTemp = BottomTemp;
    prep.Settings.SurfaceExchange = SurfaceExchange;
    prep.Settings.Lifts = prep.Placements;
    ExistingSurfaceTemp = BottomTemp;
}

std::optional<TRoadProfile> TPICHourCls::WarmedRoad(
    double layingDate, double layingTime, const TWeatherTimeline& weather, const TRoadProfile* given)
{
    if (!RoadWarmth)
        return std::nullopt;
    if (given != nullptr)
        return *given;
    const auto start = WarmUpStartOf(layingDate, layingTime, SummerTime, WarmUpSummerTime);
    if (!start)
        throw std::runtime_error("Invalid laying date or time");
    const int levels[] = {start->Levels};
    return WarmRoadsUnder(weather, *start, levels, start->Levels).front();
}

void TPICHourCls::LayNewLayer(TLayerColumn& column, const TRoadProfile* road, double& existingSurfaceTemp)
{
    column.SetLayers(Layers);
    Limits = column.Limits();
    column.LayTopLayer(LayingTemp, BottomTemp);
    if (road != nullptr)
        column.LayOn(road->data(), LayingTemp);
    existingSurfaceTemp = road != nullptr ? (*road)[1] : BottomTemp;
}

void TPICHourCls::Compute(TProgressBar& progressBar, double layingDate, double layingTime)
{
    progressBar.SetMin(0);
    progressBar.SetMax(MaxSteps);
    progressBar.SetStep(1);
    progressBar.SetPosition(0);
    const TProgressReset progressReset(progressBar);

    TRunPrep prep;
    PrepareRun(layingDate, layingTime, prep);
    // The road the new layer is laid on: uniform, or warmed by the two days
    // before.
    const std::optional<TRoadProfile> road = WarmedRoad(layingDate, layingTime, Weather, WarmRoad);

    TSurfaceBalance surface(surfaceInputsOf(*this, DayOfYear, prep.Month, prep.Hour, prep.Minute, ClockOffset));
    EquationOfTime = surface.Solar().EquationOfTime;
    StartSolarTime = surface.Solar().StartSolarTime;

    TLayerColumn column;
    LayNewLayer(column, road ? &*road : nullptr, ExistingSurfaceTemp);
    FHistory.Reset(NodeCount, MaxSteps + 1);

    // The air in force at the last level run, whatever the run's end.
    double resultSeconds = 0.0;
    try {
        resultSeconds = RunToReopening(column, surface, prep.Settings, FHistory, progressBar);
    } catch (...) {
        AirTemp = surface.AirTemp();
        throw;
    }
    AirTemp = surface.AirTemp();
    ResultSeconds = resultSeconds;
}

void TPICHourCls::ComputeMembers(
    double layingDate, double layingTime, std::span<TMemberRun> members, const std::function<bool()>& keepGoing)
{
    TRunPrep prep;
    try {
        PrepareRun(layingDate, layingTime, prep);
    } catch (const std::exception& error) {
        // Nothing a member's weather changes: every member fails alike.
        for (TMemberRun& member : members) {
            member.Failure = error.what();
            member.AirTemp = AirTemp;
            member.ExistingSurfaceTemp = ExistingSurfaceTemp;
            member.History.Reset(NodeCount, 0);
        }
        return;
    }
    // Each member's own column, surface and record; the sun's sums a
    // refresh computes serve them all.
    struct TMember {
        TMemberRun* Run;
        TLayerColumn Column;
        std::optional<TSurfaceBalance> Surface;
        std::optional<TCoolingRun> Cooling;
        TNullProgressBar Progress;
    };
    SolarModel::TSkyBrightnessCache ownSky;
    SolarModel::TSkyBrightnessCache* sky = SkyCache != nullptr ? SkyCache : &ownSky;
    std::vector<std::unique_ptr<TMember>> active;
    for (TMemberRun& run : members) {
        auto member = std::make_unique<TMember>();
        member->Run = &run;
        run.Failure.clear();
        run.ResultSeconds = 0.0;
        try {
            const std::optional<TRoadProfile> road = WarmedRoad(layingDate, layingTime, run.Weather, nullptr);
            TSurfaceBalance::TInputs inputs
                = surfaceInputsOf(*this, DayOfYear, prep.Month, prep.Hour, prep.Minute, ClockOffset);
            inputs.Weather = &run.Weather;
            inputs.SkyCache = sky;
            member->Surface.emplace(inputs);
            EquationOfTime = member->Surface->Solar().EquationOfTime;
            StartSolarTime = member->Surface->Solar().StartSolarTime;
            LayNewLayer(member->Column, road ? &*road : nullptr, run.ExistingSurfaceTemp);
        } catch (const std::exception& error) {
            run.Failure = error.what();
            run.AirTemp = AirTemp;
            run.History.Reset(NodeCount, 0);
            continue;
        }
        run.History.Reset(NodeCount, MaxSteps + 1);
        member->Cooling.emplace(member->Column, *member->Surface, prep.Settings, run.History, member->Progress);
        active.push_back(std::move(member));
    }
    // Member after member: each column stays in the cache for its whole run,
    // which costs less than stepping them all a level at a time, and the
    // shared sky serves the later members all the same.
    for (const auto& member : active) {
        if (keepGoing && !keepGoing())
            return;
        try {
            while (!member->Cooling->StepLevel()) { }
            member->Run->ResultSeconds = member->Cooling->ResultSeconds();
        } catch (const std::exception& error) {
            member->Run->Failure = error.what();
        }
        member->Run->AirTemp = member->Surface->AirTemp();
    }
}

void TPICHourCls::TakeMember(TMemberRun& member)
{
    Weather = member.Weather;
    AirTemp = member.AirTemp;
    ExistingSurfaceTemp = member.ExistingSurfaceTemp;
    if (member.Failure.empty())
        ResultSeconds = member.ResultSeconds;
    std::swap(FHistory, member.History);
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
    return WarmRoadsUnder(Weather, start, levels, weatherOriginLevel);
}

std::vector<TRoadProfile> TPICHourCls::WarmRoadsUnder(
    const TWeatherTimeline& timeline, const TWarmUpStart& start, std::span<const int> levels, int weatherOriginLevel)
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
        = shiftedLater(timeline, static_cast<double>(weatherOriginLevel) * static_cast<double>(TimeStep));
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

void TPICHourCls::PrefetchWarmUpSky(const TWarmUpStart& start, int levels) const
{
    if (SkyCache == nullptr)
        return;
    // The sum depends on the sun's place alone, which the refresh moments
    // fix: neither the clouds nor the road's state matter here.
    TSurfaceBalance::TInputs inputs = surfaceInputsOf(*this, start.DayOfYear, start.Month, 0, 0, start.ClockOffset);
    inputs.Weather = nullptr;
    TSurfaceBalance surface(inputs);
    TCoolingHistory scratch;
    constexpr int levelsPerRefresh = TSurfaceBalance::IrradianceRefreshSeconds / TimeStep;
    for (int i = 0; i <= levels; i += levelsPerRefresh)
        surface.HeatInput(i, BottomTemp, scratch);
}
