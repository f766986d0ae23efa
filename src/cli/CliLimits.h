#pragma once

#include <optional>
#include <string>
#include <string_view>

// Bounds of the expert values. The engine accepts any number, but outside
// what a road can be made of its explicit scheme overflows or divides by
// next to nothing, so the command line refuses such values before a run.
struct TCliLimit {
    const char* Name;
    const char* Unit;
    double Min;
    double Max;
};

namespace CliLimits {

// Frozen ground in a northern winter to a subgrade under a hot summer road.
inline constexpr TCliLimit BottomTemp{"bottom temperature", "degC", -30.0, 60.0};
// A thin surface course to a deep road base (the grid is 0.5 cm, the road
// 1 m deep).
inline constexpr TCliLimit LayerThickness{"thickness", "cm", 0.5, 100.0};
// Dry rock holds about 800 J/(kg K), foam boards about 1400, water-logged
// soil up to about 3000; a wide margin either side.
inline constexpr TCliLimit HeatCapacity{"heat capacity", "J/(kg K)", 100.0, 5000.0};
// From frost-insulation foam boards under a road (0.03 to 0.04) to the
// densest rock (under 7).
inline constexpr TCliLimit Conductivity{"conductivity", "W/(m K)", 0.02, 10.0};
// From the same foam boards (about 30 kg/m3) to steel slag aggregates.
inline constexpr TCliLimit Density{"density", "kg/m3", 20.0, 5000.0};

}  // namespace CliLimits

// "TEXT is below the minimum of MIN UNIT" (or above the maximum) when value
// lies outside the limit; text is the value as typed.
std::optional<std::string> OutsideLimit(const TCliLimit& limit, double value, std::string_view text);

// "MIN to MAX UNIT", as the help shows it.
std::string LimitRange(const TCliLimit& limit);
