#pragma once

#include <optional>
#include <string>
#include <vector>

// One computation as the command line describes it. The numbers stay text
// until they are checked, so that a batch row and the options share one
// path from text to result.
struct TCliLayerOverride {
    int Index = 0;  // 1 or 2: an existing layer under the new one
    double ThicknessCm = 0.0;
    double HeatCapacity = 0.0;
    double Conductivity = 0.0;
    double Density = 0.0;
};

struct TCliScenario {
    std::string Thickness = "5.0";
    std::string LayingTemp = "170.0";
    std::string ReopenTemp = "30.0";
    std::string Wind = "feeble";  // feeble | moderate | strong
    std::string Cloud = "clear";  // clear | partial | covered
    std::string Date;  // YYYY-MM-DD
    std::string Time;  // HH:MM
    std::string Clock = "auto";  // auto | summer | winter
    std::vector<TCliLayerOverride> Layers;
    std::optional<double> BottomTemp;
};

enum class TCliStatus {
    Ok,
    Malformed,  // a value that cannot be read at all
    Refused,  // a readable value outside the engine's limits, or a reopening past the calendar's end
    EngineFailure,  // the engine found no reopening moment
};

// 0, 2, 2 and 3.
int ExitCodeOf(TCliStatus status);

struct TCliOutcome {
    TCliStatus Status = TCliStatus::Ok;
    bool SuggestHelp = false;  // a malformed value: point to --help
    std::string Error;  // engine code ("TPICHourCls/3") or empty
    std::string Message;  // one line, plain words

    // The inputs as read.
    double ThicknessCm = 0.0;
    double LayingTemp = 0.0;
    double ReopenTemp = 0.0;
    bool SummerTime = false;
    double BottomTemp = 0.0;

    // Filled as far as the run got.
    std::optional<std::string> Laying;  // ISO 8601 local date-time
    std::optional<std::string> Reopening;  // ISO 8601 local date-time
    std::optional<double> ResultSeconds;
    std::optional<int> DayOfYear;
    std::optional<double> ClockOffset;
    std::optional<double> EquationOfTime;
    std::optional<double> StartSolarTime;
    std::vector<int> Limits;
};

// Checks the scenario as the desktop program checks its fields before a
// computation, runs the engine and reports.
TCliOutcome RunScenario(const TCliScenario& scenario);

// "3 h 17 min 5 s" for whole seconds.
std::string FormatDuration(double seconds);
