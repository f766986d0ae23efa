#include "CliEnsemblePlan.h"

#include "CliAnalyses.h"
#include "CliEnsemble.h"
#include "CliReport.h"
#include "TheTimeUtilsCls.h"

namespace {

TCliOutcome withRun(const TCliOutcome& read, const TRunOutcome& run)
{
    TCliOutcome outcome = read;
    AddRun(outcome, run);
    return outcome;
}

std::string padded(std::string text, std::size_t width)
{
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

std::string trimmed(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// The slot's laying, whichever member is at hand: every member is laid then.
std::optional<std::string> layingOf(const TEnsembleSlot& slot)
{
    if (slot.Outcome.Runs.empty())
        return std::nullopt;
    return IsoDateTime(slot.Outcome.Runs[slot.Outcome.TopMember].Laying);
}

}  // namespace

std::string EnsemblePlanText(const TCliOutcome& read, const TEnsemblePlan& plan, std::size_t members)
{
    constexpr std::size_t width = 19;
    const std::string deadline = plan.Deadline ? MinutesOf(IsoDateTime(*plan.Deadline)) : std::string();
    std::string text = "Laying plan over " + std::to_string(members) + " forecasts, every "
        + std::to_string(plan.EveryMinutes) + " min";
    if (plan.Deadline)
        text += "; + 90 % reopen by " + deadline;
    text += "\n" + padded("laying", 18) + padded("10 %", width) + padded("median", width) + padded("90 %", width)
        + (plan.Deadline ? "ready" : "");
    text = trimmed(text) + '\n';
    for (const TEnsembleSlot& slot : plan.Slots) {
        const TEnsembleOutcome& outcome = slot.Outcome;
        std::string line = padded(MinutesOf(layingOf(slot)), 18);
        for (const auto* member : {&outcome.P10, &outcome.P50, &outcome.P90}) {
            if (!*member) {
                line += padded("no reopening", width);
                continue;
            }
            const TCliOutcome at = withRun(read, outcome.Runs.at(**member));
            line += padded(MinutesOf(at.Reopening) + ClockNote(at), width);
        }
        if (plan.Deadline)
            line += std::to_string(outcome.ReadyMembers.value_or(0)) + "/" + std::to_string(outcome.Runs.size())
                + (slot.MeetsDeadline ? " +" : "");
        text += trimmed(line) + '\n';
    }
    if (plan.Deadline) {
        text += "Latest laying that reopens by " + deadline + " in 90 % of forecasts: ";
        text += plan.LatestSlotForDeadline ? MinutesOf(layingOf(plan.Slots[*plan.LatestSlotForDeadline]))
                                           : std::string("none");
        text += '\n';
    }
    return text;
}

std::string EnsemblePlanJson(const TCliOutcome& read, const TEnsemble& ensemble, const TEnsemblePlan& plan)
{
    std::string json = "\"plan\":[";
    for (std::size_t n = 0; n < plan.Slots.size(); ++n) {
        const TEnsembleSlot& slot = plan.Slots[n];
        const TCliOutcome top
            = slot.Outcome.Runs.empty() ? read : withRun(read, slot.Outcome.Runs[slot.Outcome.TopMember]);
        json += std::string(n ? "," : "") + "{\"laying\":" + JsonString(layingOf(slot).value_or("")) + ","
            + JsonResult(top);
        if (plan.Deadline)
            json += std::string(",\"meets_deadline\":") + (slot.MeetsDeadline ? "true" : "false");
        if (top.Status == TCliStatus::Ok)
            json += ",\"error\":null";
        json += "," + EnsembleJson(read, ensemble, slot.Outcome, plan.Deadline, false) + "}";
    }
    json += "],\"latest_laying_for_deadline\":";
    if (plan.LatestSlotForDeadline)
        json += JsonString(layingOf(plan.Slots[*plan.LatestSlotForDeadline]).value_or(""));
    else
        json += "null";
    return json;
}
