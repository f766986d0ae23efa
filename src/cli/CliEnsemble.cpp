#include "CliEnsemble.h"

#include "CliAnalyses.h"
#include "CliReport.h"
#include "TheTimeUtilsCls.h"
#include "WallClock.h"

#include <array>

namespace {

TCliOutcome withRun(const TCliOutcome& read, const TRunOutcome& run)
{
    TCliOutcome outcome = read;
    AddRun(outcome, run);
    return outcome;
}

// "null" for nothing, as the rest of the JSON writes it.
std::string jsonText(const std::optional<std::string>& text)
{
    return text ? JsonString(*text) : std::string("null");
}

std::string jsonFlag(const std::optional<bool>& flag)
{
    return flag ? (*flag ? "true" : "false") : "null";
}

// The error code of a failed run, as a single run's JSON gives it.
std::string errorOf(const TCliOutcome& outcome)
{
    if (!outcome.Error.empty())
        return outcome.Error;
    return outcome.Status == TCliStatus::Refused ? "refused" : "malformed";
}

struct TQuantile {
    const char* Name;
    const std::optional<std::size_t>* Member;
};

}  // namespace

bool ReopensBy(const TRunOutcome& run, double target)
{
    return run.Succeeded()
        && TheTimeUtilsCls::TimeOrder(WallClock::ToUtc(run.Reopening, run.ClockOffset))
        <= TheTimeUtilsCls::TimeOrder(WallClock::WallToUtc(target, run.Clock));
}

std::string TargetClock(double target)
{
    const auto iso = IsoDateTime(target);
    return iso && iso->size() >= 16 ? iso->substr(11, 5) : "?";
}

std::string TargetJson(const TRunOutcome& run, double target)
{
    return ",\"ready_by\":" + jsonText(IsoDateTime(target))
        + ",\"meets_deadline\":" + (ReopensBy(run, target) ? "true" : "false");
}

std::string TargetText(const TRunOutcome& run, double target)
{
    return std::string("Target:    ") + (ReopensBy(run, target) ? "ready by " : "not ready by ") + TargetClock(target)
        + '\n';
}

std::string EnsembleJson(const TCliOutcome& read, const TEnsemble& ensemble, const TEnsembleOutcome& outcome,
    std::optional<double> target, bool runs)
{
    std::string json = "\"ensemble\":{\"members\":" + std::to_string(outcome.Runs.size())
        + ",\"failed\":" + std::to_string(outcome.Failed);
    const std::array<TQuantile, 3> quantiles = {{{"p10", &outcome.P10}, {"p50", &outcome.P50}, {"p90", &outcome.P90}}};
    for (const TQuantile& quantile : quantiles) {
        const auto& member = *quantile.Member;
        json += ",\"seconds_" + std::string(quantile.Name)
            + "\":" + (member ? JsonNumber(outcome.Runs.at(*member).ResultSeconds) : "null");
    }
    for (const TQuantile& quantile : quantiles) {
        const auto& member = *quantile.Member;
        const std::optional<TCliOutcome> at
            = member ? std::optional(withRun(read, outcome.Runs.at(*member))) : std::nullopt;
        json += ",\"reopening_" + std::string(quantile.Name) + "\":" + jsonText(at ? at->Reopening : std::nullopt)
            + ",\"reopening_" + quantile.Name
            + "_summer_time\":" + jsonFlag(at ? at->ReopeningSummerTime : std::nullopt);
    }
    json += ",\"ready_by\":" + (target ? jsonText(IsoDateTime(*target)) : std::string("null"))
        + ",\"ready_members\":" + (outcome.ReadyMembers ? std::to_string(*outcome.ReadyMembers) : std::string("null"));
    if (runs) {
        json += ",\"runs\":[";
        for (std::size_t n = 0; n < outcome.Runs.size(); ++n) {
            const TCliOutcome run = withRun(read, outcome.Runs[n]);
            json += std::string(n ? "," : "")
                + "{\"member\":" + JsonString(n < ensemble.Members.size() ? ensemble.Members[n].Name : std::string())
                + ",\"result_seconds\":" + (run.ResultSeconds ? JsonNumber(*run.ResultSeconds) : "null")
                + ",\"reopening\":" + jsonText(run.Reopening)
                + ",\"reopening_summer_time\":" + jsonFlag(run.ReopeningSummerTime) + ",\"error\":"
                + (run.Status == TCliStatus::Ok ? "null"
                                                : JsonString(errorOf(run)) + ",\"message\":" + JsonString(run.Message))
                + "}";
        }
        json += "]";
    }
    return json + "}";
}

std::string EnsembleText(const TCliOutcome& read, const TEnsembleOutcome& outcome, std::optional<double> target)
{
    const auto moment = [&](const std::optional<std::size_t>& member) {
        if (!member)
            return std::string("no reopening");
        const TCliOutcome at = withRun(read, outcome.Runs.at(*member));
        return MinutesOf(at.Reopening) + ClockNote(at);
    };
    const std::size_t count = outcome.Runs.size();
    std::string line = "Forecasts: " + std::to_string(count);
    if (count > 0 && outcome.Failed == count)
        line += ", none with a reopening";
    else if (outcome.Failed > 0)
        line += ", " + std::to_string(outcome.Failed) + " without a reopening";
    if (outcome.Failed < count)
        line += ", reopening " + moment(outcome.P10) + " to " + moment(outcome.P90) + " (10-90 %), median "
            + moment(outcome.P50);
    if (target)
        line += "; ready by " + TargetClock(*target) + " in " + std::to_string(outcome.ReadyMembers.value_or(0))
            + " of " + std::to_string(count) + " forecasts";
    return line + '\n';
}
