#pragma once

#include "SolarModel.h"
#include "WeatherTimeline.h"

#include <array>
#include <optional>

class TCoolingHistory;

// What the road's surface exchanges with air, sun and sky at each level of
// a run: the class values or the weather series, read at the refreshes (the
// irradiance every 15 minutes of daytime, the air, wind and sky every 20
// minutes), held in between.
class TSurfaceBalance {
public:
    static constexpr int IrradianceRefreshSeconds = 900;  // of daytime

    struct TInputs {
        SolarModel::TSite Site;
        int DayOfYear = 0;
        int Month = 0;
        int Hour = 0;  // clock time of the run's level 0
        int Minute = 0;
        double ClockOffset = 0.0;  // h ahead of UTC
        double WindSpeed = 0.0;  // m/s, the class value
        double CloudCover = 0.0;  // %, the class value
        // The cloud covers that pick the clear and the overcast irradiance.
        double CloudCoverClear = 0.0;
        double CloudCoverOvercast = 100.0;
        double StefanBoltzmann = 0.0;
        double AirTemp = 0.0;  // degC until the first air refresh
        const TWeatherTimeline* Weather = nullptr;  // borrowed, may be null
        SolarModel::TSkyBrightnessCache* SkyCache = nullptr;  // borrowed, may be null
    };

    explicit TSurfaceBalance(const TInputs& inputs);

    const SolarModel::TSolarSetup& Solar() const { return FSolar; }

    // The refreshes due at level i, those of the air recorded in history;
    // then the heat the surface gains from air, sun and sky less what it
    // emits at previousSurface (degC), W/m2.
    double HeatInput(int i, double previousSurface, TCoolingHistory& history);
    double Convection() const { return FConvection; }  // h_c, W/(m2 K)
    double AirTemp() const { return FAirTemp; }  // degC

private:
    TInputs FInputs;
    double FClearFraction;
    double FCloudFraction;
    SolarModel::TSolarSetup FSolar;
    SolarModel::TAirTemperature FAirModel;
    const TWeatherSeries* FAirSeries;
    const TWeatherSeries* FWindSeries;
    const TWeatherSeries* FCloudSeries;
    // A changing cloud cover can move the modelled air from one coefficient
    // set to another: all three are made once for the run.
    std::optional<std::array<SolarModel::TAirTemperature, 3>> FAirBySet;

    SolarModel::TIrradiance FHeld;  // zero until the first daytime refresh
    // The cover that picks the irradiance of the cloud class; with a cloud
    // series, that of the last irradiance refresh, held with its values.
    double FIrradianceCover;
    double FAirTemp;
    double FConvection = 0.0;  // h_c, W/(m2 K)
    double FSkyRadiation = 0.0;  // L_sky, W/m2
};
