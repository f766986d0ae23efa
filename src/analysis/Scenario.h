#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

class TPICHourCls;
struct TWeatherSource;

enum class TWindClass { Feeble, Moderate, Strong };
enum class TCloudClass { Clear, Partial, Covered };
enum class TClockMode { Auto, Summer, Winter };

inline constexpr std::array<TWindClass, 3> AllWindClasses
    = {TWindClass::Feeble, TWindClass::Moderate, TWindClass::Strong};
inline constexpr std::array<TCloudClass, 3> AllCloudClasses
    = {TCloudClass::Clear, TCloudClass::Partial, TCloudClass::Covered};

// An existing layer under the new one, replacing the engine's default.
struct TLayerOverride {
    int Index = 0;  // 1 or 2
    double ThicknessCm = 0.0;
    double HeatCapacity = 0.0;  // J/(kg K)
    double Conductivity = 0.0;  // W/(m K)
    double Density = 0.0;  // kg/m3
};

// A lift laid on the new layer after it, of the new layer's material.
struct TLift {
    double ElapsedSeconds = 0.0;  // after the first laying, a whole number of minutes
    double ThicknessCm = 0.0;
    double LayingTemp = 0.0;  // degC
};

// One computation, as every front end describes it: the command line, its
// batch and the desktop program.
struct TScenario {
    double ThicknessCm = 5.0;
    double LayingTemp = 170.0;  // degC
    double ReopenTemp = 30.0;  // degC
    TWindClass Wind = TWindClass::Feeble;
    TCloudClass Cloud = TCloudClass::Clear;
    // Date-time values as the pickers give them: the engine uses the
    // calendar day of the date and the hour and minute of the time; the
    // laying and reopening moments keep the time's seconds.
    double LayingDate = 0.0;
    double LayingTime = 0.0;
    TClockMode Clock = TClockMode::Auto;
    std::vector<TLayerOverride> Layers;
    std::optional<double> BottomTemp;  // degC; empty: the engine's own
    // Measured weather as constants (one point each) and a file's timeline;
    // a quantity given by neither keeps its class or the modelled air.
    std::optional<double> AirTemp;  // degC
    std::optional<double> WindSpeed;  // m/s
    std::optional<double> CloudCover;  // %
    std::shared_ptr<const TWeatherSource> Weather;
    double CompactionTemp = 80.0;  // degC, the end of the compaction window
    // Up to three further lifts, in laying order; the new layer is the first.
    std::vector<TLift> Lifts;
    // The existing road as the two days before the laying warmed it, not
    // uniform at the bottom temperature.
    bool RoadWarmth = false;
};

// "classes", "values" (constants only) or "timeline" (a file).
const char* WeatherKindOf(const TScenario& scenario);

// Summer time as the scenario's clock mode gives it for its laying date and
// time.
bool SummerTimeOf(const TScenario& scenario);

// Summer time at the start of the road's warm-up, 00:00 two days before the
// laying date, as the scenario's clock mode gives it.
bool WarmUpSummerTimeOf(const TScenario& scenario);

// Writes the scenario into an engine as the desktop program's fields and
// buttons do. Throws std::invalid_argument for a layer that does not exist,
// TWeatherError for a timeline that the scenario's clock makes unordered.
void ApplyScenario(const TScenario& scenario, TPICHourCls& engine);

// The names the command line and the reports use: "feeble", "moderate",
// "strong"; "clear", "partial", "covered"; "auto", "summer", "winter".
const char* NameOf(TWindClass wind);
const char* NameOf(TCloudClass cloud);
const char* NameOf(TClockMode clock);
std::optional<TWindClass> WindClassNamed(std::string_view name);
std::optional<TCloudClass> CloudClassNamed(std::string_view name);
std::optional<TClockMode> ClockModeNamed(std::string_view name);
