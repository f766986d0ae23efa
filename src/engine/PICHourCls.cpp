#include "PICHourCls.h"

#include "DateUtilsBD2006.h"
#include "LegalClock.h"
#include "SolarModel.h"
#include "Truncation.h"

#include <array>
#include <cmath>
#include <limits>
#include <optional>
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

constexpr double KelvinOffset = 273.16;
constexpr int IrradianceRefreshSeconds = 900;
constexpr int AirRefreshSeconds = 1200;
static_assert(AirRefreshSeconds == TCoolingHistory::LevelsPerAirRefresh * TPICHourCls::TimeStep);

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
    const double clearFraction = 1.0 - CloudCover / 100.0;
    const double cloudFraction = CloudCover / 100.0;
    ClockOffset = LegalClock::OffsetHours(SummerTime);

    for (int j = 0; j < layerCount; ++j) {
        TRoadLayerCls& layer = Layers.Items(j);
        layer.UpdateDiffusivity();
        layer.UpdateFourier(TimeStep, GridStep);
        if (!layer.Stable)
            throw std::runtime_error(FailureUnstable);
    }

    const SolarModel::TSite site{Latitude, Longitude, SolarConstant};
    const SolarModel::TSolarSetup solar
        = SolarModel::Setup(site, DayOfYear, time->Hour, time->Minute, ClockOffset, clearFraction);
    EquationOfTime = solar.EquationOfTime;
    StartSolarTime = solar.StartSolarTime;
    const SolarModel::TAirTemperature airModel(DayOfYear, clearFraction);
    const TWeatherSeries* const airSeries = Weather.AirTemp ? &*Weather.AirTemp : nullptr;
    const TWeatherSeries* const windSeries = Weather.WindSpeed ? &*Weather.WindSpeed : nullptr;
    const TWeatherSeries* const cloudSeries = Weather.CloudCover ? &*Weather.CloudCover : nullptr;
    // A changing cloud cover can move the modelled air from one coefficient
    // set to another: all three are made once for the run.
    std::optional<std::array<SolarModel::TAirTemperature, 3>> airBySet;
    if (cloudSeries && !airSeries)
        airBySet.emplace(std::array<SolarModel::TAirTemperature, 3>{
            SolarModel::TAirTemperature(DayOfYear, SolarModel::TAirSet::Clear),
            SolarModel::TAirTemperature(DayOfYear, SolarModel::TAirSet::PartlyCovered),
            SolarModel::TAirTemperature(DayOfYear, SolarModel::TAirSet::Covered)});

    TLayerColumn column;
    column.SetLayers(Layers);
    Limits = column.Limits();
    const int newLayerBottom = Limits[0];
    column.LayTopLayer(LayingTemp, BottomTemp);

    FHistory.Reset(NodeCount, MaxSteps + 1);

    SolarModel::TIrradiance held;  // zero until the first daytime refresh
    double convection = 0.0;  // h_c, W/(m2 K)
    double skyRadiation = 0.0;  // L_sky, W/m2
    double previousSurface = LayingTemp;
    double resultSeconds = 0.0;
    bool reopened = false;
    // The cover that picks the irradiance of the cloud class; with a cloud
    // series, that of the last irradiance refresh, held with its values.
    double irradianceCover = CloudCover;

    // The mean of the new layer's nodes 1 to checkedBottom, on level i.
    const int checkedBottom = newLayerBottom < N ? newLayerBottom : N;
    const double checkedCount
        = checkedBottom >= 1 ? static_cast<double>(checkedBottom) : std::numeric_limits<double>::quiet_NaN();

    for (int i = 0;;) {
        const int elapsedSeconds = i * TimeStep;
        const auto elapsed = static_cast<double>(elapsedSeconds);
        double maximum = 0.0;

        const double solarTime = SolarModel::SolarTimeOfStep(solar, i, TimeStep);
        const bool daytime = SolarModel::IsDaytime(solar, solarTime);
        if (daytime && elapsedSeconds % IrradianceRefreshSeconds == 0) {
            if (cloudSeries) {
                irradianceCover = cloudSeries->ValueAt(elapsed);
                const double c = 1.0 - irradianceCover / 100.0;
                SolarModel::TSolarSetup refreshed = solar;
                refreshed.PartialExponent = SolarModel::PartialExponent(c);
                held = SolarModel::Refresh(site, refreshed, date->Month, c, solarTime, SkyCache);
            } else {
                held = SolarModel::Refresh(site, solar, date->Month, clearFraction, solarTime, SkyCache);
            }
        }
        double irradiance = 0.0;
        if (daytime) {
            irradiance = irradianceCover == CloudCoverClear ? held.Clear
                : irradianceCover == CloudCoverOvercast     ? held.Overcast
                                                            : held.Partial;
        }

        // The sky's long-wave radiation depends on the air alone, so it is
        // refreshed with it.
        if (elapsedSeconds % AirRefreshSeconds == 0) {
            double cover = CloudCover;
            double n = cloudFraction;
            const SolarModel::TAirTemperature* air = &airModel;
            if (cloudSeries) {
                cover = cloudSeries->ValueAt(elapsed);
                n = cover / 100.0;
                if (airBySet)
                    air = &(*airBySet)[static_cast<std::size_t>(SolarModel::AirSetFor(1.0 - cover / 100.0))];
            }
            AirTemp = airSeries ? airSeries->ValueAt(elapsed) : air->At(solarTime, Longitude, EquationOfTime);
            const double wind = windSeries ? windSeries->ValueAt(elapsed) : WindSpeed;
            convection = (3.36 * wind + 4.84) * 1.163 * 294.16 / (AirTemp + KelvinOffset);
            // Clear-sky emissivity, air temperature in degC, with a cloud correction.
            const double emissivity = 1.0 - 0.261 * std::exp(-7.77e-4 * std::pow(AirTemp, 2.0));
            skyRadiation = (1.0 + 0.12 * std::pow(n, 2.0)) * emissivity * StefanBoltzmann
                * std::pow(AirTemp + KelvinOffset, 4.0);
            FHistory.AddAirRefresh(AirTemp, wind, cover);
        }
        // The surface emits at the temperature of the level before this one.
        const double emitted = 0.9 * StefanBoltzmann * std::pow(previousSurface + KelvinOffset, 4.0);
        const double absorbedSolar = 0.85 * irradiance;
        const double heatInput = convection * AirTemp + absorbedSolar + skyRadiation - emitted;

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
