#pragma once

#include "CliScenario.h"

#include <string>
#include <variant>
#include <vector>

enum class TCliMode { Single, Batch, Help, Version };

struct TCliOptions {
    TCliMode Mode = TCliMode::Single;
    bool Json = false;
    TCliScenario Scenario;  // Date and Time empty: now
};

struct TCliUsageError {
    std::string Message;
};

// Reads the arguments after the program name. Numbers of the three bounded
// fields stay text: they are checked when the scenario runs.
std::variant<TCliOptions, TCliUsageError> ParseCommandLine(const std::vector<std::string>& args);

// "N:THICKNESS_CM:HEAT_CAPACITY:CONDUCTIVITY:DENSITY", every number positive.
std::variant<TCliLayerOverride, TCliUsageError> ParseLayerOverride(const std::string& text);

const char* CliUsage();
