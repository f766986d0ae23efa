#pragma once

#include "RunCsv.h"
#include "RunOutcome.h"
#include "Scenario.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// One computation as the command line describes it. The numbers stay text
// until they are checked, so that a batch row and the options share one
// path from text to the shared scenario.
using TCliLayerOverride = TLayerOverride;

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
    // Measured weather: empty text for none (the class or the model).
    std::string AirTemp;  // degC
    std::string WindSpeed;  // m/s
    std::string CloudCover;  // %
    std::shared_ptr<const TWeatherSource> Weather;  // --weather FILE
    std::string CompactionTemp = "80";  // degC
    // Further lifts, "CM:C:WHEN" each, in laying order.
    std::vector<std::string> Lifts;
    std::string RoadWarmth = "false";  // true | false
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

    // The inputs as read, as far as they could be.
    std::optional<double> ThicknessCm;
    std::optional<double> LayingTemp;
    std::optional<double> ReopenTemp;
    bool SummerTime = false;
    double BottomTemp = 0.0;
    // The weather constants as read, and whether a wind speed or a cloud
    // cover (a constant or a file's series) takes the class's place.
    std::optional<double> AirTemp;
    std::optional<double> WindSpeed;
    std::optional<double> CloudCover;
    std::optional<double> CompactionTemp;
    bool WindGiven = false;
    bool CloudGiven = false;

    // Filled as far as the run got.
    std::optional<std::string> Laying;  // ISO 8601 local date-time
    std::optional<std::string> Reopening;  // ISO 8601 on the wall clock
    std::optional<bool> ReopeningSummerTime;  // the clock Reopening is written in
    std::optional<double> ResultSeconds;
    std::optional<double> DurationSeconds;  // reopening - laying, whole seconds
    std::optional<bool> Night;  // the sun below the horizon at the reopening
    std::optional<int> DayOfYear;
    std::optional<double> ClockOffset;
    std::optional<double> EquationOfTime;
    std::optional<double> StartSolarTime;
    std::vector<int> Limits;
    std::string Weather = "classes";  // "values", "timeline": the one asked for, even when refused
    std::optional<std::string> WeatherFrom;  // a timeline's first and last moment, wall clock
    std::optional<std::string> WeatherUntil;
    std::optional<bool> WeatherHeld;
    std::optional<bool> WeatherCoversLaying;  // false: refused, no run
    std::optional<double> CompactionSeconds;
    std::optional<std::string> CompactionUntil;  // wall clock

    bool RoadWarmth = false;  // as read
    std::optional<double> ExistingSurfaceTemp;  // degC, success only
    // Success only: every lift, the new layer first.
    struct TLift {
        double ThicknessCm = 0.0;
        double LayingTemp = 0.0;
        std::string Laid;  // wall clock
        bool LaidSummerTime = false;
        double ElapsedSeconds = 0.0;
        std::optional<double> CompactionSeconds;
        std::optional<std::string> CompactionUntil;  // wall clock
        std::optional<double> BaseMeanTemp;  // degC, lifts after the first
    };
    std::vector<TLift> Lifts;
};

// Checks the scenario's text as the desktop program checks its fields before
// a computation. The scenario when every value is good; the refusal in
// Outcome otherwise.
struct TCliReading {
    std::optional<TScenario> Scenario;
    TCliOutcome Outcome;
};
TCliReading ReadScenario(const TCliScenario& scenario);

// The reading of a scenario whose file (a weather file, say, or a result
// file) was refused with message before any run: the inputs as far as they
// read, the refusal as its outcome. weatherFile: a --weather file was named.
TCliOutcome RefusedFileOutcome(const TCliScenario& scenario, bool weatherFile, std::string message);

// Adds a run's result, or its failure in plain words, to what was read.
void AddRun(TCliOutcome& outcome, const TRunOutcome& run);

// Reads the scenario, runs it and reports.
TCliOutcome RunCliScenario(const TCliScenario& scenario);

// "YYYY-MM-DD" and "HH:MM" as date-time values; empty for anything else.
std::optional<double> ParseCliDate(const std::string& text);
std::optional<double> ParseCliTime(const std::string& text);

// A number with a decimal point or comma; empty for anything else.
std::optional<double> ReadCliNumber(const std::string& text);

// "3 h 17 min 5 s" for whole seconds.
std::string FormatDuration(double seconds);
