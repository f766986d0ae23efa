#include "Scenario.h"

#include "PICHourCls.h"
#include "WeatherSource.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace {

constexpr std::array<const char*, 3> WindNames = {"feeble", "moderate", "strong"};
constexpr std::array<const char*, 3> CloudNames = {"clear", "partial", "covered"};
constexpr std::array<const char*, 3> ClockNames = {"auto", "summer", "winter"};

template<class TEnum> std::optional<TEnum> named(const std::array<const char*, 3>& names, std::string_view name)
{
    for (std::size_t n = 0; n < names.size(); ++n)
        if (name == names[n])
            return static_cast<TEnum>(n);
    return std::nullopt;
}

}  // namespace

namespace {

// Summer time on the scenario's clock at a wall-clock date and time.
bool summerTimeOn(const TScenario& scenario, double date, double time)
{
    switch (scenario.Clock) {
    case TClockMode::Summer:
        return true;
    case TClockMode::Winter:
        return false;
    case TClockMode::Auto:
        break;
    }
    return !IsWinterTime(date, time);
}

}  // namespace

bool SummerTimeOf(const TScenario& scenario)
{
    return summerTimeOn(scenario, scenario.LayingDate, scenario.LayingTime);
}

bool WarmUpSummerTimeOf(const TScenario& scenario)
{
    // 00:00 on the day two days before: the legal clock in force then.
    return summerTimeOn(scenario, std::trunc(scenario.LayingDate) - 2.0, 0.0);
}

void ApplyScenario(const TScenario& scenario, TPICHourCls& engine)
{
    for (const TLayerOverride& layer : scenario.Layers) {
        if (layer.Index < 1 || layer.Index >= engine.Layers.Count())
            throw std::invalid_argument("layer " + std::to_string(layer.Index) + " is not an existing layer");
        TRoadLayerCls& target = engine.Layers.Items(layer.Index);
        target.SetThicknessCm(layer.ThicknessCm);
        target.HeatCapacity = layer.HeatCapacity;
        target.Conductivity = layer.Conductivity;
        target.Density = layer.Density;
    }
    if (scenario.BottomTemp)
        engine.BottomTemp = *scenario.BottomTemp;
    engine.Layers.Items(0).SetThicknessCm(scenario.ThicknessCm);
    engine.LayingTemp = scenario.LayingTemp;
    engine.ReopenTemp = scenario.ReopenTemp;
    const double winds[] = {engine.WindSpeedFeeble, engine.WindSpeedModerate, engine.WindSpeedStrong};
    const double clouds[] = {engine.CloudCoverClear, engine.CloudCoverPartial, engine.CloudCoverOvercast};
    engine.WindSpeed = winds[static_cast<std::size_t>(scenario.Wind)];
    engine.CloudCover = clouds[static_cast<std::size_t>(scenario.Cloud)];
    engine.SummerTime = SummerTimeOf(scenario);
    engine.FurtherLifts.clear();
    for (const TLift& lift : scenario.Lifts)
        engine.FurtherLifts.push_back({lift.ElapsedSeconds, lift.ThicknessCm, lift.LayingTemp});
    engine.RoadWarmth = scenario.RoadWarmth;
    engine.WarmUpSummerTime = WarmUpSummerTimeOf(scenario);
    engine.Weather = scenario.Weather ? WeatherSource::TimelineFor(*scenario.Weather, scenario) : TWeatherTimeline{};
    const std::pair<const std::optional<double>*, std::optional<TWeatherSeries>*> constants[]
        = {{&scenario.AirTemp, &engine.Weather.AirTemp}, {&scenario.WindSpeed, &engine.Weather.WindSpeed},
            {&scenario.CloudCover, &engine.Weather.CloudCover}};
    for (const auto& [value, series] : constants)
        if (*value)
            *series = TWeatherSeries({{0.0, **value}});
}

const char* WeatherKindOf(const TScenario& scenario)
{
    if (scenario.Weather)
        return "timeline";
    return scenario.AirTemp || scenario.WindSpeed || scenario.CloudCover ? "values" : "classes";
}

const char* NameOf(TWindClass wind)
{
    return WindNames.at(static_cast<std::size_t>(wind));
}

const char* NameOf(TCloudClass cloud)
{
    return CloudNames.at(static_cast<std::size_t>(cloud));
}

const char* NameOf(TClockMode clock)
{
    return ClockNames.at(static_cast<std::size_t>(clock));
}

std::optional<TWindClass> WindClassNamed(std::string_view name)
{
    return named<TWindClass>(WindNames, name);
}

std::optional<TCloudClass> CloudClassNamed(std::string_view name)
{
    return named<TCloudClass>(CloudNames, name);
}

std::optional<TClockMode> ClockModeNamed(std::string_view name)
{
    return named<TClockMode>(ClockNames, name);
}
