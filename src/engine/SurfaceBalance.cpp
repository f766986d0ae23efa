#include "SurfaceBalance.h"

#include "CoolingHistory.h"
#include "LayerColumn.h"

#include <cmath>
#include <cstddef>

namespace {

constexpr double KelvinOffset = 273.16;
constexpr int AirRefreshSeconds = 1200;
static_assert(AirRefreshSeconds == TCoolingHistory::LevelsPerAirRefresh * TLayerColumn::TimeStep);

const TWeatherSeries* seriesOf(const std::optional<TWeatherSeries>& series)
{
    return series ? &*series : nullptr;
}

}  // namespace

TSurfaceBalance::TSurfaceBalance(const TInputs& inputs)
    : FInputs(inputs)
    , FClearFraction(1.0 - inputs.CloudCover / 100.0)
    , FCloudFraction(inputs.CloudCover / 100.0)
    , FSolar(SolarModel::Setup(
          inputs.Site, inputs.DayOfYear, inputs.Hour, inputs.Minute, inputs.ClockOffset, FClearFraction))
    , FAirModel(inputs.DayOfYear, FClearFraction)
    , FAirSeries(inputs.Weather ? seriesOf(inputs.Weather->AirTemp) : nullptr)
    , FWindSeries(inputs.Weather ? seriesOf(inputs.Weather->WindSpeed) : nullptr)
    , FCloudSeries(inputs.Weather ? seriesOf(inputs.Weather->CloudCover) : nullptr)
    , FIrradianceCover(inputs.CloudCover)
    , FAirTemp(inputs.AirTemp)
{
    if (FCloudSeries && !FAirSeries)
        FAirBySet.emplace(std::array<SolarModel::TAirTemperature, 3>{
            SolarModel::TAirTemperature(inputs.DayOfYear, SolarModel::TAirSet::Clear),
            SolarModel::TAirTemperature(inputs.DayOfYear, SolarModel::TAirSet::PartlyCovered),
            SolarModel::TAirTemperature(inputs.DayOfYear, SolarModel::TAirSet::Covered)});
}

double TSurfaceBalance::HeatInput(int i, double previousSurface, TCoolingHistory& history)
{
    const int elapsedSeconds = i * TLayerColumn::TimeStep;
    const auto elapsed = static_cast<double>(elapsedSeconds);
    const SolarModel::TSite& site = FInputs.Site;

    const double solarTime = SolarModel::SolarTimeOfStep(FSolar, i, TLayerColumn::TimeStep);
    const bool daytime = SolarModel::IsDaytime(FSolar, solarTime);
    if (daytime && elapsedSeconds % TSurfaceBalance::IrradianceRefreshSeconds == 0) {
        if (FCloudSeries) {
            FIrradianceCover = FCloudSeries->ValueAt(elapsed);
            const double c = 1.0 - FIrradianceCover / 100.0;
            SolarModel::TSolarSetup refreshed = FSolar;
            refreshed.PartialExponent = SolarModel::PartialExponent(c);
            FHeld = SolarModel::Refresh(site, refreshed, FInputs.Month, c, solarTime, FInputs.SkyCache);
        } else {
            FHeld = SolarModel::Refresh(site, FSolar, FInputs.Month, FClearFraction, solarTime, FInputs.SkyCache);
        }
    }
    double irradiance = 0.0;
    if (daytime) {
        irradiance = FIrradianceCover == FInputs.CloudCoverClear ? FHeld.Clear
            : FIrradianceCover == FInputs.CloudCoverOvercast     ? FHeld.Overcast
                                                                 : FHeld.Partial;
    }

    // The sky's long-wave radiation depends on the air alone, so it is
    // refreshed with it.
    if (elapsedSeconds % AirRefreshSeconds == 0) {
        double cover = FInputs.CloudCover;
        double n = FCloudFraction;
        const SolarModel::TAirTemperature* air = &FAirModel;
        if (FCloudSeries) {
            cover = FCloudSeries->ValueAt(elapsed);
            n = cover / 100.0;
            if (FAirBySet)
                air = &(*FAirBySet)[static_cast<std::size_t>(SolarModel::AirSetFor(1.0 - cover / 100.0))];
        }
        FAirTemp
            = FAirSeries ? FAirSeries->ValueAt(elapsed) : air->At(solarTime, site.LongitudeDeg, FSolar.EquationOfTime);
        const double wind = FWindSeries ? FWindSeries->ValueAt(elapsed) : FInputs.WindSpeed;
        FConvection = (3.36 * wind + 4.84) * 1.163 * 294.16 / (FAirTemp + KelvinOffset);
        // Clear-sky emissivity, air temperature in degC, with a cloud correction.
        const double emissivity = 1.0 - 0.261 * std::exp(-7.77e-4 * std::pow(FAirTemp, 2.0));
        FSkyRadiation = (1.0 + 0.12 * std::pow(n, 2.0)) * emissivity * FInputs.StefanBoltzmann
            * std::pow(FAirTemp + KelvinOffset, 4.0);
        history.AddAirRefresh(FAirTemp, wind, cover);
    }
    // The surface emits at the temperature of the level before this one.
    const double emitted = 0.9 * FInputs.StefanBoltzmann * std::pow(previousSurface + KelvinOffset, 4.0);
    const double absorbedSolar = 0.85 * irradiance;
    return FConvection * FAirTemp + absorbedSolar + FSkyRadiation - emitted;
}
