#pragma once

#include "CliScenario.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

class TPICHourCls;

enum class TCliMode { Single, Batch, WhatIf, Plan, Help, Version };

struct TCliOptions {
    TCliMode Mode = TCliMode::Single;
    bool Json = false;
    TCliScenario Scenario;  // Date and Time empty: now
    // --plan
    int EveryMinutes = 30;
    // --plan and a single run: the moment to reopen by, a wall-clock
    // date-time value.
    std::optional<double> ReopenBy;
    // A single run's history as CSV; "-" for standard output.
    std::string CurveFile;
    std::string ProfilesFile;
    std::string WeatherFile;  // --weather, read before any run
    std::string EnsembleFile;  // --ensemble: a run per forecast, read before any run
};

struct TCliUsageError {
    std::string Message;
    bool Json = false;  // --json was among the arguments: answer in JSON
};

// Reads the arguments after the program name. Numbers of the three bounded
// fields stay text: they are checked when the scenario runs. The expert
// values are checked against CliLimits here. An empty value, or one that
// starts with "--", is missing.
std::variant<TCliOptions, TCliUsageError> ParseCommandLine(const std::vector<std::string>& args);

// "N:THICKNESS_CM:HEAT_CAPACITY:CONDUCTIVITY:DENSITY", every number within
// its limit.
std::variant<TCliLayerOverride, TCliUsageError> ParseLayerOverride(const std::string& text);

// The --help text, its limits those of the engine (a default one for
// CliUsage).
std::string CliUsageFor(const TPICHourCls& engine);
const std::string& CliUsage();
