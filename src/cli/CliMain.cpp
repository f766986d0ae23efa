#include "CliMain.h"

#include "CliAnalyses.h"
#include "CliBatch.h"
#include "CliEnsemble.h"
#include "CliEnsemblePlan.h"
#include "CliFile.h"
#include "CliOptions.h"
#include "CliOutput.h"
#include "CliReport.h"
#include "Ensemble.h"
#include "EnsembleRun.h"
#include "ScenarioRun.h"
#include "WeatherSource.h"

#include <ctime>
#include <optional>
#include <ostream>

#ifndef KELVARA_VERSION
#define KELVARA_VERSION "unknown"
#endif

namespace {

constexpr const char* TryHelp = "Try 'kelvara-calc --help' for the options.\n";

// One line of JSON holding two members.
std::string jsonObject(const std::string& first, const std::string& second)
{
    std::string json = "{";
    json += first;
    json += ',';
    json += second;
    json += "}\n";
    return json;
}

// A single run's JSON object with more members after its own.
std::string jsonReportWith(const TCliScenario& scenario, const TCliOutcome& outcome, const std::string& more)
{
    std::string json = JsonReport(scenario, outcome);
    if (more.empty())
        return json;
    json.resize(json.size() - 2);  // "}\n"
    json += more;
    json += "}\n";
    return json;
}

int reportFailure(const TCliOptions& options, const TCliScenario& scenario, const TCliOutcome& outcome, TCliOutput& out,
    std::ostream& err, const std::string& moreJson = "")
{
    if (options.Json)
        out.Write(jsonReportWith(scenario, outcome, moreJson));
    err << FailureLine(outcome);
    if (outcome.SuggestHelp)
        err << TryHelp;
    return ExitCodeOf(outcome.Status);
}

// A file refused before any run: one line, and with --json the object of
// any other refusal.
int refuseFile(const TCliOptions& options, const std::string& message, TCliOutput& out, std::ostream& err)
{
    if (options.Json)
        out.Write(JsonReport(options.Scenario,
            RefusedFileOutcome(
                options.Scenario, !options.WeatherFile.empty() || !options.EnsembleFile.empty(), message)));
    err << "kelvara-calc: " << message << '\n';
    return 2;
}

// The --weather file, read once for every run; its refusal, or nothing.
std::optional<std::string> readWeatherFile(TCliOptions& options)
{
    if (options.WeatherFile.empty())
        return std::nullopt;
    try {
        options.Scenario.Weather = std::make_shared<const TWeatherSource>(WeatherSource::ReadFile(options.WeatherFile));
    } catch (const TWeatherError& error) {
        return error.what();
    }
    return std::nullopt;
}

// The --ensemble file, read once for every run; its refusal, or nothing.
std::optional<std::string> readEnsembleFile(const TCliOptions& options, std::optional<TEnsemble>& ensemble)
{
    if (options.EnsembleFile.empty())
        return std::nullopt;
    try {
        ensemble = EnsembleSource::ReadFile(options.EnsembleFile);
    } catch (const TWeatherError& error) {
        return error.what();
    }
    return std::nullopt;
}

// A single laying over every forecast: the top member's answer with the
// ensemble's summary after it. The exit status is the top member's, as the
// answer at the top is its own.
int runEnsemble(const TCliOptions& options, const TScenario& read, const TEnsemble& ensemble, TCliOutcome& outcome,
    TCliOutput& out, std::ostream& err)
{
    const TEnsembleOutcome result = *RunEnsemble(read, ensemble, {options.ReopenBy, false, nullptr});
    const TCliOutcome before = outcome;
    // A member's weather the timeline rules refuse (one not covering the
    // laying, say) refuses the ensemble as --weather refuses the file: no
    // range is given over the members that remain.
    for (std::size_t m = 0; m < result.Runs.size(); ++m) {
        TCliOutcome member = before;
        AddRun(member, result.Runs[m]);
        if (member.Status == TCliStatus::Refused) {
            member.Message = ensemble.Members.at(m).Name + ": " + member.Message;
            return reportFailure(options, options.Scenario, member, out, err);
        }
    }
    const TRunOutcome& top = result.Runs.at(result.TopMember);
    AddRun(outcome, top);
    const std::string more = (options.ReopenBy ? TargetJson(top, *options.ReopenBy) : std::string()) + ","
        + EnsembleJson(before, ensemble, result, options.ReopenBy, true);
    if (!options.Json)
        out.Write((outcome.Status == TCliStatus::Ok ? TextReport(outcome) : std::string())
            + EnsembleText(before, result, options.ReopenBy));
    if (outcome.Status != TCliStatus::Ok)
        return reportFailure(options, options.Scenario, outcome, out, err, more);
    if (options.Json)
        out.Write(jsonReportWith(options.Scenario, outcome, more));
    return 0;
}

int runParsed(TCliOptions& options, std::istream& in, TCliOutput& out, std::ostream& err,
    const std::function<TCliNow()>& now, bool showProgress)
{
    switch (options.Mode) {
    case TCliMode::Help:
        out.Write(options.Json ? "{\"usage\":" + JsonString(CliUsage()) + "}\n" : CliUsage());
        return 0;
    case TCliMode::Version:
        out.Write(options.Json ? std::string("{\"program\":\"kelvara-calc\",\"version\":\"") + KELVARA_VERSION + "\"}\n"
                               : std::string("kelvara-calc ") + KELVARA_VERSION + '\n');
        return 0;
    case TCliMode::Batch:
        if (const auto refusal = readWeatherFile(options)) {
            err << "kelvara-calc: " << *refusal << '\n';
            return 2;
        }
        return RunBatch(in, out, err, options.Scenario, showProgress);
    case TCliMode::Single:
    case TCliMode::WhatIf:
    case TCliMode::Plan:
        break;
    }

    TCliScenario& scenario = options.Scenario;
    if (scenario.Date.empty() || scenario.Time.empty()) {
        const TCliNow moment = now();
        if (scenario.Date.empty())
            scenario.Date = moment.Date;
        if (scenario.Time.empty())
            scenario.Time = moment.Time;
    }
    // Files are tried before any work, so that a path that cannot be
    // written costs nothing and leaves nothing.
    if (!options.CurveFile.empty() && options.CurveFile != "-" && !options.ProfilesFile.empty()
        && options.ProfilesFile != "-" && SameFile(options.CurveFile, options.ProfilesFile))
        return refuseFile(
            options, "--curve and --profiles name the same file \"" + options.ProfilesFile + "\"", out, err);
    for (const std::string* file : {&options.CurveFile, &options.ProfilesFile})
        if (!file->empty() && *file != "-")
            if (const auto problem = CheckWritable(*file))
                return refuseFile(options, *problem, out, err);

    if (const auto refusal = readWeatherFile(options))
        return refuseFile(options, *refusal, out, err);
    std::optional<TEnsemble> ensemble;
    if (const auto refusal = readEnsembleFile(options, ensemble))
        return refuseFile(options, *refusal, out, err);
    TCliReading reading = ReadScenario(scenario);
    TCliOutcome& outcome = reading.Outcome;
    // Every member's weather is a timeline, also where a member is refused.
    if (ensemble)
        outcome.Weather = "timeline";
    if (!reading.Scenario)
        return reportFailure(options, scenario, outcome, out, err);

    if (ensemble && options.Mode == TCliMode::Plan) {
        const auto plan = *PlanEnsemble(*reading.Scenario, *ensemble, options.EveryMinutes, options.ReopenBy);
        out.Write(options.Json ? jsonObject(JsonInputs(scenario, outcome), EnsemblePlanJson(outcome, *ensemble, plan))
                               : EnsemblePlanText(outcome, plan, ensemble->Members.size()));
        return 0;
    }
    if (ensemble)
        return runEnsemble(options, *reading.Scenario, *ensemble, outcome, out, err);

    if (options.Mode == TCliMode::WhatIf) {
        const auto cells = *RunWeatherWhatIf(*reading.Scenario);
        out.Write(options.Json ? jsonObject(JsonInputs(scenario, outcome), WhatIfJson(outcome, cells))
                               : WhatIfText(outcome, cells));
        return 0;
    }
    if (options.Mode == TCliMode::Plan) {
        const auto plan = *PlanLaying(*reading.Scenario, options.EveryMinutes, options.ReopenBy);
        out.Write(options.Json ? jsonObject(JsonInputs(scenario, outcome), PlanJson(outcome, plan))
                               : PlanText(outcome, plan));
        return 0;
    }

    const bool keepHistory = !options.CurveFile.empty() || !options.ProfilesFile.empty();
    const TRunOutcome run = RunScenario(*reading.Scenario, {keepHistory, nullptr});
    AddRun(outcome, run);
    const std::string targetJson = options.ReopenBy ? TargetJson(run, *options.ReopenBy) : std::string();
    if (outcome.Status != TCliStatus::Ok)
        return reportFailure(options, scenario, outcome, out, err, targetJson);

    const std::pair<const std::string*, std::string (*)(const TRunOutcome&)> exports[]
        = {{&options.CurveFile, CurveCsv}, {&options.ProfilesFile, ProfilesCsv}};
    bool toStandardOutput = false;
    std::vector<TOutputFile> files;
    for (const auto& [file, csv] : exports) {
        if (file->empty())
            continue;
        if (*file == "-") {
            toStandardOutput = true;
            out.Write(csv(run));
        } else {
            files.push_back({*file, csv(run)});
        }
    }
    if (const auto problem = WriteWholeFiles(files))
        return refuseFile(options, *problem, out, err);
    if (options.Json)
        out.Write(jsonReportWith(scenario, outcome, targetJson));
    else if (!toStandardOutput)
        out.Write(TextReport(outcome) + (options.ReopenBy ? TargetText(run, *options.ReopenBy) : std::string()));
    return 0;
}

}  // namespace

TCliNow LocalNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[16], time[8];
    std::strftime(date, sizeof date, "%Y-%m-%d", &local);
    std::strftime(time, sizeof time, "%H:%M", &local);
    return {date, time};
}

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
    const std::function<TCliNow()>& now, bool showProgress)
{
    TCliOutput output(out);
    auto parsed = ParseCommandLine(args);
    int status = 2;
    if (const auto* usageError = std::get_if<TCliUsageError>(&parsed)) {
        if (usageError->Json)
            output.Write(JsonUsageError(usageError->Message));
        err << "kelvara-calc: " << usageError->Message << '\n' << TryHelp;
    } else {
        status = runParsed(std::get<TCliOptions>(parsed), in, output, err, now, showProgress);
    }
    // Whatever the outcome, an output that did not reach its destination
    // must not pass for one that did.
    if (!output.Flush()) {
        err << TCliOutput::FailureLine;
        return TCliOutput::ExitStatus;
    }
    return status;
}
