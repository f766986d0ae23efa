#include "CliOptions.h"

#include "CliLifts.h"
#include "CliLimits.h"
#include "LayingPlan.h"
#include "NumberText.h"
#include "PICHourCls.h"
#include "RegionalSettingsCls.h"
#include "ScenarioInputs.h"
#include "StringTools/StringToolsCls.h"
#include "TheTimeUtilsCls.h"
#include "WeatherSource.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <optional>
#include <string_view>

namespace {

std::optional<double> readNumber(const std::string& text)
{
    TRegionalSettingsCls parser;
    const double value = parser.ParseReal(text, '.');
    if (parser.ErrorCode != TRegionalSettingsCls::Success || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The options a batch takes from each of its rows instead.
constexpr const char* SingleRunOptions[] = {"--thickness", "--laying-temp", "--reopen-temp", "--wind", "--cloud",
    "--date", "--time", "--clock", "--json", "--what-if", "--plan", "--curve", "--profiles", "--air-temp",
    "--wind-speed", "--cloud-cover", "--lift", "--ensemble"};

// The options that take no value.
constexpr std::string_view FlagOptions[]
    = {"--json", "--batch", "--help", "--version", "--what-if", "--plan", "--road-warmth"};

// "YYYY-MM-DDTHH:MM" as a date-time value.
std::optional<double> readMoment(const std::string& text)
{
    if (text.size() != 16 || text[10] != 'T')
        return std::nullopt;
    const auto date = ParseCliDate(text.substr(0, 10));
    const auto time = ParseCliTime(text.substr(11));
    if (!date || !time)
        return std::nullopt;
    return TheTimeUtilsCls::JoinDateAndTime(*date, *time);
}

// The combinations of the analysis options that mean nothing.
std::optional<TCliUsageError> checkAnalysisOptions(const TCliOptions& options, const std::vector<std::string>& given)
{
    const auto has = [&](const char* option) { return std::find(given.begin(), given.end(), option) != given.end(); };
    if (has("--what-if") && has("--plan"))
        return TCliUsageError{"--what-if and --plan cannot be used together"};
    if (options.Mode == TCliMode::Plan)
        if (auto refusal = PlanLiftRefusal(options.Scenario.Lifts))
            return TCliUsageError{*refusal};
    if (has("--every") && options.Mode != TCliMode::Plan)
        return TCliUsageError{"--every needs --plan"};
    if (has("--reopen-by") && options.Mode != TCliMode::Plan && options.Mode != TCliMode::Single)
        return TCliUsageError{"--reopen-by goes with a single run or --plan, not --what-if or --batch"};
    if (options.Mode == TCliMode::WhatIf)
        for (const char* option : {"--air-temp", "--wind-speed", "--cloud-cover", "--weather", "--ensemble"})
            if (has(option))
                return TCliUsageError{
                    std::string("--what-if varies the wind and cloud classes and cannot be used with ") + option};
    // Every forecast of an ensemble is the whole weather of its run.
    if (has("--ensemble"))
        for (const char* option : {"--weather", "--air-temp", "--wind-speed", "--cloud-cover"})
            if (has(option))
                return TCliUsageError{
                    std::string("--ensemble gives each run the weather of one forecast and cannot be used with ")
                    + option};
    const bool history = !options.CurveFile.empty() || !options.ProfilesFile.empty();
    if (history && options.Mode != TCliMode::Single)
        return TCliUsageError{"--curve and --profiles go with a single run, not --what-if, --plan or --batch"};
    if (history && has("--ensemble"))
        return TCliUsageError{"--curve and --profiles go with a single forecast, not --ensemble"};
    if (options.CurveFile == "-" && options.ProfilesFile == "-")
        return TCliUsageError{"--curve - and --profiles - cannot both write standard output"};
    if (options.Json && (options.CurveFile == "-" || options.ProfilesFile == "-"))
        return TCliUsageError{"--json and --curve - or --profiles - cannot both write standard output"};
    return std::nullopt;
}

// "MIN to MAX" from the engine's limits, as precise as the input's step.
std::string inputRange(const TPICHourCls& engine, TScenarioInput input)
{
    const TInputLimits limits = ScenarioInputs::LimitsOf(engine, input);
    const int decimals = limits.Step == std::trunc(limits.Step) ? 0 : 1;
    return NumberText::Fixed(limits.Min, decimals) + " to " + NumberText::Fixed(limits.Max, decimals);
}

// "MIN to MAX" in the fewest digits.
std::string range(double min, double max)
{
    return NumberText::Shortest(min) + " to " + NumberText::Shortest(max);
}

std::string buildUsage(const TPICHourCls& engine)
{
    const std::string more(25, ' ');
    std::string usage = "Usage: kelvara-calc [options]\n"
                        "Computes when a freshly laid asphalt layer may be reopened to traffic.\n"
                        "\n";
    usage += "  --thickness CM         new layer thickness, " + inputRange(engine, TScenarioInput::Thickness)
        + " (default 5.0)\n";
    usage += "  --laying-temp C        laying temperature, " + inputRange(engine, TScenarioInput::LayingTemp)
        + " (default 170.0)\n";
    usage += "  --reopen-temp C        reopening temperature, " + inputRange(engine, TScenarioInput::ReopenTemp)
        + " (default 30.0)\n";
    usage += "  --wind CLASS           feeble | moderate | strong (default feeble)\n"
             "  --cloud CLASS          clear | partial | covered (default clear)\n"
             "  --date YYYY-MM-DD      laying date (default today)\n"
             "  --time HH:MM           laying time (default now)\n"
             "  --clock MODE           auto | summer | winter (default auto: the legal\n"
             "                         clock, summer time from the last Sunday of March,\n"
             "                         02:00, to the last Sunday of October, 03:00;\n"
             "                         moments after a change in the clock then in\n"
             "                         force; summer or winter force one clock)\n"
             "  --layer N:CM:CP:K:RHO  expert: replace existing layer N (1 or 2) by\n";
    usage += more + "thickness " + LimitRange(CliLimits::LayerThickness) + ",\n";
    usage += more + "heat capacity " + LimitRange(CliLimits::HeatCapacity) + ",\n";
    usage += more + "conductivity " + LimitRange(CliLimits::Conductivity) + ",\n";
    usage += more + "density " + LimitRange(CliLimits::Density) + "; repeatable\n";
    usage += "  --bottom-temp C        expert: temperature of the existing road,\n";
    usage += more + LimitRange(CliLimits::BottomTemp) + " (default 14)\n";
    usage += "  --air-temp C           measured air temperature, "
        + range(WeatherSource::AirTempMin, WeatherSource::AirTempMax) + ", instead of the\n";
    usage += more + "seasonal model (e.g. --air-temp 2)\n";
    usage += "  --wind-speed M/S       wind speed, " + range(WeatherSource::WindSpeedMin, WeatherSource::WindSpeedMax)
        + ", instead of --wind (--wind-speed 4.5)\n";
    usage += "  --cloud-cover PCT      cloud cover, "
        + range(WeatherSource::CloudCoverMin, WeatherSource::CloudCoverMax)
        + ", instead of --cloud (--cloud-cover 80)\n";
    usage += "  --weather FILE         a weather timeline: CSV with a time column and any of\n"
             "                         air_temp, wind_speed, cloud_cover (moments\n"
             "                         YYYY-MM-DDTHH:MM[:SS] with Z or +HH:MM, or without: the\n"
             "                         run's clock), or a saved hourly forecast JSON\n"
             "                         (hourly.temperature_2m, wind_speed_10m in m/s or km/h,\n"
             "                         cloud_cover), e.g. --weather forecast.json; the last\n"
             "                         values are held after its end; not together with a\n"
             "                         constant of the same quantity\n"
             "  --compaction-temp C    end of the compaction window: the new layer's mean\n";
    usage += more + "temperature, " + range(TPICHourCls::CompactionTempMin, TPICHourCls::CompactionTempMax)
        + " (default 80)\n";
    usage += "  --lift CM:C:WHEN       a further lift of the new layer's material, laid at\n"
             "                         C degC on the road as it stands at WHEN: +MIN after\n"
             "                         the previous lift, HH:MM (the next such time) or\n"
             "                         YYYY-MM-DDTHH:MM, on the run's clock; up to 3, in\n"
             "                         laying order (the new layer is lift 1), e.g.\n"
             "                         --lift 4:165:+120 or --lift 4:165:23:00\n"
             "  --road-warmth          the existing road warmed by the two days before the\n"
             "                         laying (the run's weather from 00:00 two days\n"
             "                         before), not uniform at the bottom temperature\n";
    usage += "  --json                 one JSON object on standard output, for every outcome\n"
             "  --batch                CSV on standard input (header: thickness,laying_temp,\n"
             "                         reopen_temp,wind,cloud,date,time[,clock][,air_temp]\n"
             "                         [,wind_speed][,cloud_cover][,lifts][,road_warmth] in\n"
             "                         any order, lifts as --lift values separated by\n"
             "                         spaces, road_warmth true or false; other columns\n"
             "                         copied), CSV on standard output with\n"
             "                         result_seconds,reopening,error,duration_seconds,night,\n"
             "                         reopening_summer_time,compaction_seconds,\n"
             "                         existing_surface_temp added, rows run on every core;\n"
             "                         --layer, --bottom-temp, --weather, --compaction-temp\n"
             "                         and --road-warmth apply to every row, --thickness\n"
             "                         to --clock, the weather constants, --lift, --json and\n"
             "                         the analyses are refused with it\n"
             "  --what-if              the reopening under each of the nine wind and sky\n"
             "                         classes, as a 3 x 3 table (* reopens at night);\n"
             "                         not with the weather options\n"
             "  --plan                 the reopening for each laying time of the day (lifts\n"
             "                         only as +MIN: each slot keeps the delays)\n"
             "  --every MINUTES        with --plan: slots from 00:00 every 5 to 720 minutes,\n"
             "                         a divisor of a day (default 30)\n"
             "  --reopen-by YYYY-MM-DDTHH:MM\n"
             "                         a single run: whether it reopens by then (with\n"
             "                         --ensemble: in how many forecasts); with --plan:\n"
             "                         mark the slots that reopen by then (with --ensemble:\n"
             "                         their 90 % reopening) and name the latest\n"
             "  --ensemble FILE        a run for each forecast of an ensemble, told apart by\n"
             "                         content: a forecast service's ensemble JSON (keys\n"
             "                         NAME and NAME_memberNN) or a CSV with time, member\n"
             "                         and any of air_temp, wind_speed, cloud_cover; 2 to\n"
             "                         100 members; the answer is the control's (else the\n"
             "                         first member's) with the 10 %, median and 90 %\n"
             "                         reopenings, with --plan for every slot; not with\n"
             "                         --weather, the weather constants, --what-if,\n"
             "                         --batch, --curve or --profiles, e.g.\n"
             "                         --ensemble ensemble.json --reopen-by\n"
             "                         2027-07-15T05:00\n"
             "  --curve FILE           the run's temperatures at every 5 s as CSV:\n"
             "                         elapsed_seconds,clock,surface_temp,layer_max_temp,\n"
             "                         air_temp,wind_speed,cloud_cover,layer_mean_temp,\n"
             "                         lifts_laid\n"
             "                         (FILE - for standard output)\n"
             "  --profiles FILE        the depth profile every 5 minutes as CSV:\n"
             "                         elapsed_seconds,clock,depth_cm,temp (- likewise)\n"
             "  --help                 this text\n"
             "  --version              the version\n"
             "\n"
             "Numbers take a decimal point or a decimal comma.\n"
             "Exit status:\n"
             "  0  success (a batch: every row has a result; --what-if and --plan: the\n"
             "     table was written, each cell with its reopening or its failure;\n"
             "     --ensemble: the top member has a result, the others' failures are\n"
             "     counted)\n"
             "  2  bad usage, a value that cannot be read or lies outside its limits,\n"
             "     a reopening after 9999-12-31, a --curve or --profiles file that\n"
             "     cannot be written; a batch: an unusable CSV header\n"
             "  3  no reopening moment: no cooling within 34 h 43 min 20 s, too thin a\n"
             "     road, or materials that the computation cannot follow stably;\n"
             "     a batch: some row carries an error\n"
             "     (a malformed row, a refused value or an engine failure alike)\n"
             "  4  standard output could not be written (a full disk, a closed output)\n";
    return usage;
}

std::variant<TCliLayerOverride, TCliUsageError> checkedLayer(const std::vector<std::string>& parts)
{
    constexpr const TCliLimit* limits[]
        = {&CliLimits::LayerThickness, &CliLimits::HeatCapacity, &CliLimits::Conductivity, &CliLimits::Density};
    double numbers[4];
    for (std::size_t n = 0; n < 4; ++n) {
        const auto value = readNumber(parts[n + 1]);
        if (!value)
            return TCliUsageError{
                "--layer " + parts[0] + ": cannot read " + limits[n]->Name + " \"" + parts[n + 1] + "\" as a number"};
        if (auto refusal = OutsideLimit(*limits[n], *value, parts[n + 1]))
            return TCliUsageError{"--layer " + parts[0] + ": " + limits[n]->Name + " " + *refusal};
        numbers[n] = *value;
    }
    return TCliLayerOverride{parts[0] == "1" ? 1 : 2, numbers[0], numbers[1], numbers[2], numbers[3]};
}

std::variant<TCliOptions, TCliUsageError> parse(const std::vector<std::string>& args)
{
    TCliOptions options;
    TCliScenario& s = options.Scenario;
    std::vector<std::string> given;
    for (std::size_t n = 0; n < args.size(); ++n) {
        std::string name = args[n];
        std::optional<std::string> inlineValue;
        if (const auto equals = name.find('='); name.rfind("--", 0) == 0 && equals != std::string::npos) {
            inlineValue = name.substr(equals + 1);
            name.resize(equals);
        }
        // An empty text or the next option is no value: "--date ''" must not
        // mean today, nor "--wind --json" a wind called "--json".
        const auto value = [&]() -> std::optional<std::string> {
            if (inlineValue)
                return inlineValue->empty() ? std::nullopt : inlineValue;
            if (n + 1 < args.size() && !args[n + 1].empty() && args[n + 1].rfind("--", 0) != 0)
                return args[++n];
            return std::nullopt;
        };
        const auto flag = [&](bool& target) -> std::optional<TCliUsageError> {
            if (inlineValue)
                return TCliUsageError{name + " takes no value"};
            target = true;
            return std::nullopt;
        };
        // A value given twice is a mistake to point out, not a choice of the
        // last; --layer and --lift alone are repeatable, and a repeated flag
        // means the same.
        const bool takesValue = name != "--layer" && name != "--lift" && name.rfind("--", 0) == 0
            && std::find(std::begin(FlagOptions), std::end(FlagOptions), name) == std::end(FlagOptions);
        if (takesValue && std::find(given.begin(), given.end(), name) != given.end())
            return TCliUsageError{name + " is given more than once"};
        given.push_back(name);

        std::string* textTarget = nullptr;
        if (name == "--thickness")
            textTarget = &s.Thickness;
        else if (name == "--laying-temp")
            textTarget = &s.LayingTemp;
        else if (name == "--reopen-temp")
            textTarget = &s.ReopenTemp;
        else if (name == "--wind")
            textTarget = &s.Wind;
        else if (name == "--cloud")
            textTarget = &s.Cloud;
        else if (name == "--date")
            textTarget = &s.Date;
        else if (name == "--time")
            textTarget = &s.Time;
        else if (name == "--clock")
            textTarget = &s.Clock;
        else if (name == "--air-temp")
            textTarget = &s.AirTemp;
        else if (name == "--wind-speed")
            textTarget = &s.WindSpeed;
        else if (name == "--cloud-cover")
            textTarget = &s.CloudCover;
        else if (name == "--compaction-temp")
            textTarget = &s.CompactionTemp;
        else if (name == "--weather")
            textTarget = &options.WeatherFile;
        else if (name == "--ensemble")
            textTarget = &options.EnsembleFile;

        if (textTarget) {
            const auto text = value();
            if (!text)
                return TCliUsageError{name + " needs a value"};
            *textTarget = *text;
        } else if (name == "--layer") {
            const auto text = value();
            if (!text)
                return TCliUsageError{name + " needs a value"};
            auto layer = ParseLayerOverride(*text);
            if (auto* error = std::get_if<TCliUsageError>(&layer))
                return *error;
            s.Layers.push_back(std::get<TCliLayerOverride>(layer));
        } else if (name == "--lift") {
            const auto text = value();
            if (!text)
                return TCliUsageError{name + " needs a value CM:C:WHEN"};
            s.Lifts.push_back(*text);
        } else if (name == "--every") {
            const auto text = value();
            int minutes = 0;
            const auto [end, error] = text ? std::from_chars(text->data(), text->data() + text->size(), minutes)
                                           : std::from_chars_result{nullptr, std::errc::invalid_argument};
            if (!text || error != std::errc() || end != text->data() + text->size() || !IsValidPlanInterval(minutes))
                return TCliUsageError{"--every: \"" + text.value_or("")
                    + "\" is not a number of minutes from 5 to 720 that divides a day"};
            options.EveryMinutes = minutes;
        } else if (name == "--reopen-by") {
            const auto text = value();
            const auto moment = text ? readMoment(*text) : std::nullopt;
            if (!moment)
                return TCliUsageError{"--reopen-by: \"" + text.value_or("") + "\" is not a moment YYYY-MM-DDTHH:MM"};
            options.ReopenBy = moment;
        } else if (name == "--curve" || name == "--profiles") {
            const auto text = value();
            if (!text)
                return TCliUsageError{name + " needs a file name, or - for standard output"};
            (name == "--curve" ? options.CurveFile : options.ProfilesFile) = *text;
        } else if (name == "--bottom-temp") {
            const auto text = value();
            if (!text)
                return TCliUsageError{name + " needs a value"};
            const auto number = readNumber(*text);
            if (!number)
                return TCliUsageError{"--bottom-temp: cannot read \"" + *text + "\" as a number"};
            if (auto refusal = OutsideLimit(CliLimits::BottomTemp, *number, *text))
                return TCliUsageError{"--bottom-temp: " + *refusal};
            s.BottomTemp = *number;
        } else {
            bool batch = false, help = false, version = false, whatIf = false, plan = false, warmth = false;
            std::optional<TCliUsageError> error;
            if (name == "--json")
                error = flag(options.Json);
            else if (name == "--batch")
                error = flag(batch);
            else if (name == "--help" || name == "-h")
                error = flag(help);
            else if (name == "--version")
                error = flag(version);
            else if (name == "--what-if")
                error = flag(whatIf);
            else if (name == "--plan")
                error = flag(plan);
            else if (name == "--road-warmth")
                error = flag(warmth);
            else
                return TCliUsageError{"unknown option \"" + args[n] + "\""};
            if (error)
                return *error;
            if (warmth)
                s.RoadWarmth = "true";
        }
    }
    const auto has = [&](const char* option) { return std::find(given.begin(), given.end(), option) != given.end(); };
    if (has("--help") || has("-h"))
        options.Mode = TCliMode::Help;
    else if (has("--version"))
        options.Mode = TCliMode::Version;
    else if (has("--batch"))
        options.Mode = TCliMode::Batch;
    else if (has("--what-if"))
        options.Mode = TCliMode::WhatIf;
    else if (has("--plan"))
        options.Mode = TCliMode::Plan;
    if (options.Mode == TCliMode::Batch)
        for (const char* option : SingleRunOptions)
            if (std::find(given.begin(), given.end(), option) != given.end())
                return TCliUsageError{std::string("--batch cannot be used with ") + option
                    + ": a batch takes its values from its rows and writes CSV"};
    if (options.Mode == TCliMode::Help || options.Mode == TCliMode::Version)
        return options;
    if (auto error = checkAnalysisOptions(options, given))
        return *error;
    return options;
}

}  // namespace

std::string CliUsageFor(const TPICHourCls& engine)
{
    return buildUsage(engine);
}

const std::string& CliUsage()
{
    static const std::string usage = buildUsage(TPICHourCls());
    return usage;
}

std::variant<TCliLayerOverride, TCliUsageError> ParseLayerOverride(const std::string& text)
{
    const auto parts = StringToolsCls::SplitString(':', text);
    if (parts.size() != 5 || (parts[0] != "1" && parts[0] != "2"))
        return TCliUsageError{
            "--layer: \"" + text + "\" is not N:THICKNESS_CM:HEAT_CAPACITY:CONDUCTIVITY:DENSITY with N 1 or 2"};
    return checkedLayer(parts);
}

std::variant<TCliOptions, TCliUsageError> ParseCommandLine(const std::vector<std::string>& args)
{
    auto parsed = parse(args);
    if (auto* error = std::get_if<TCliUsageError>(&parsed))
        error->Json = std::any_of(args.begin(), args.end(),
            [](const std::string& arg) { return arg == "--json" || arg.rfind("--json=", 0) == 0; });
    return parsed;
}
