#include "CliMain.h"

#include "CliBatch.h"
#include "CliOptions.h"
#include "CliOutput.h"
#include "CliReport.h"

#include <ctime>
#include <ostream>

#ifndef KELVARA_VERSION
#define KELVARA_VERSION "unknown"
#endif

namespace {

constexpr const char* TryHelp = "Try 'kelvara-calc --help' for the options.\n";

int runParsed(
    TCliOptions& options, std::istream& in, TCliOutput& out, std::ostream& err, const std::function<TCliNow()>& now)
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
        return RunBatch(in, out, err, options.Scenario);
    case TCliMode::Single:
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
    const TCliOutcome outcome = RunCliScenario(scenario);
    if (options.Json)
        out.Write(JsonReport(scenario, outcome));
    if (outcome.Status != TCliStatus::Ok) {
        err << FailureLine(outcome);
        if (outcome.SuggestHelp)
            err << TryHelp;
    } else if (!options.Json) {
        out.Write(TextReport(outcome));
    }
    return ExitCodeOf(outcome.Status);
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
    const std::function<TCliNow()>& now)
{
    TCliOutput output(out);
    auto parsed = ParseCommandLine(args);
    int status = 2;
    if (const auto* usageError = std::get_if<TCliUsageError>(&parsed)) {
        if (usageError->Json)
            output.Write(JsonUsageError(usageError->Message));
        err << "kelvara-calc: " << usageError->Message << '\n' << TryHelp;
    } else {
        status = runParsed(std::get<TCliOptions>(parsed), in, output, err, now);
    }
    // Whatever the outcome, an output that did not reach its destination
    // must not pass for one that did.
    if (!output.Flush()) {
        err << TCliOutput::FailureLine;
        return TCliOutput::ExitStatus;
    }
    return status;
}
