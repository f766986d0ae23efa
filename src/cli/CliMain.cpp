#include "CliMain.h"

#include "CliBatch.h"
#include "CliOptions.h"
#include "CliReport.h"

#include <ctime>
#include <ostream>

#ifndef KELVARA_VERSION
#define KELVARA_VERSION "unknown"
#endif

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
    auto parsed = ParseCommandLine(args);
    if (const auto* usageError = std::get_if<TCliUsageError>(&parsed)) {
        err << "kelvara-calc: " << usageError->Message << "\n\n" << CliUsage();
        return 2;
    }
    TCliOptions& options = std::get<TCliOptions>(parsed);
    switch (options.Mode) {
    case TCliMode::Help:
        out << CliUsage();
        return 0;
    case TCliMode::Version:
        out << "kelvara-calc " << KELVARA_VERSION << '\n';
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
    const TCliOutcome outcome = RunScenario(scenario);
    if (options.Json)
        WriteJsonReport(out, scenario, outcome);
    if (!options.Json || outcome.Status != TCliStatus::Ok)
        WriteTextReport(out, err, outcome);
    if (outcome.ShowUsage)
        err << '\n' << CliUsage();
    return ExitCodeOf(outcome.Status);
}
