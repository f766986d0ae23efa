#include "CliAnalyses.h"

#include "CliReport.h"
#include "CoolingCurve.h"
#include "TheTimeUtilsCls.h"

#include <cmath>
#include <cstdio>

namespace {

TCliOutcome withRun(const TCliOutcome& read, const TRunOutcome& run)
{
    TCliOutcome outcome = read;
    AddRun(outcome, run);
    return outcome;
}

// "11 h 39 min" of whole seconds.
std::string waitOf(double seconds)
{
    const auto minutes = static_cast<long long>(seconds) / 60;
    return std::to_string(minutes / 60) + " h " + (minutes % 60 < 10 ? "0" : "") + std::to_string(minutes % 60)
        + " min";
}

// Why a run found no reopening, in a few words.
std::string shortFailure(const TCliOutcome& outcome)
{
    if (outcome.Error == "TPICHourCls/1")
        return "road too thin";
    if (outcome.Error == "TPICHourCls/2")
        return "unstable";
    if (outcome.Error == "TPICHourCls/3")
        return "over 34 h 43 min";
    if (outcome.WeatherCoversLaying == false)
        return "no weather";
    return "past 9999";
}

std::string trimmed(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

std::string padded(std::string text, std::size_t width)
{
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

// Temperatures to a ten-thousandth of a degree, depths to the half centimetre.
}  // namespace

std::string MinutesOf(const std::optional<std::string>& iso)
{
    if (!iso || iso->size() < 16)
        return "?";
    std::string text = iso->substr(0, 16);
    text[10] = ' ';
    return text;
}

std::string ClockNote(const TCliOutcome& outcome)
{
    if (!outcome.ReopeningSummerTime || *outcome.ReopeningSummerTime == outcome.SummerTime)
        return "";
    return *outcome.ReopeningSummerTime ? " summer time" : " winter time";
}

std::string WhatIfText(const TCliOutcome& read, const std::vector<TWhatIfCell>& cells)
{
    constexpr std::size_t labelWidth = 10, cellWidth = 20;
    std::string text = "Weather what-if, laid " + MinutesOf(read.Laying)
        + ": reopening and wait for each wind and sky; * at night\n" + padded("", labelWidth);
    for (const TCloudClass cloud : AllCloudClasses)
        text += padded(NameOf(cloud), cellWidth);
    text = trimmed(text) + '\n';
    for (std::size_t row = 0; row < AllWindClasses.size(); ++row) {
        std::string moments = padded(NameOf(AllWindClasses[row]), labelWidth);
        std::string waits = padded("", labelWidth);
        for (std::size_t column = 0; column < AllCloudClasses.size(); ++column) {
            const TCliOutcome cell = withRun(read, cells.at(row * AllCloudClasses.size() + column).Outcome);
            if (cell.Status == TCliStatus::Ok) {
                moments += padded(MinutesOf(cell.Reopening) + (*cell.Night ? "*" : ""), cellWidth);
                waits += padded(waitOf(*cell.DurationSeconds), cellWidth);
            } else {
                moments += padded("no reopening", cellWidth);
                waits += padded(shortFailure(cell), cellWidth);
            }
        }
        text += trimmed(moments) + '\n' + trimmed(waits) + '\n';
    }
    return text;
}

std::string WhatIfJson(const TCliOutcome& read, const std::vector<TWhatIfCell>& cells)
{
    std::string json = "\"what_if\":[";
    for (std::size_t n = 0; n < cells.size(); ++n)
        json += std::string(n ? "," : "") + "{\"wind\":\"" + NameOf(cells[n].Wind) + "\",\"cloud\":\""
            + NameOf(cells[n].Cloud) + "\"," + JsonResult(withRun(read, cells[n].Outcome)) + "}";
    return json + "]";
}

std::string PlanText(const TCliOutcome& read, const TLayingPlan& plan)
{
    std::string text = "Laying plan, every " + std::to_string(plan.EveryMinutes) + " min; * at night";
    if (plan.Deadline)
        text += ", + reopens by " + MinutesOf(IsoDateTime(*plan.Deadline));
    text += "\nlaying            reopening          wait\n";
    for (const TPlanSlot& slot : plan.Slots) {
        const TCliOutcome outcome = withRun(read, slot.Outcome);
        text += padded(MinutesOf(outcome.Laying), 18);
        if (outcome.Status == TCliStatus::Ok)
            text += padded(MinutesOf(outcome.Reopening) + (*outcome.Night ? "*" : ""), 19)
                + padded(waitOf(*outcome.DurationSeconds), 12) + (slot.MeetsDeadline ? " +" : "") + ClockNote(outcome);
        else
            text += "no reopening: " + shortFailure(outcome);
        text = trimmed(text) + '\n';
    }
    if (plan.Deadline) {
        text += "Latest laying that reopens by " + MinutesOf(IsoDateTime(*plan.Deadline)) + ": ";
        text += plan.LatestSlotForDeadline
            ? MinutesOf(IsoDateTime(plan.Slots[*plan.LatestSlotForDeadline].Outcome.Laying))
            : std::string("none");
        text += '\n';
    }
    return text;
}

std::string PlanJson(const TCliOutcome& read, const TLayingPlan& plan)
{
    std::string json = "\"plan\":[";
    for (std::size_t n = 0; n < plan.Slots.size(); ++n) {
        const TCliOutcome outcome = withRun(read, plan.Slots[n].Outcome);
        json += std::string(n ? "," : "") + "{\"laying\":" + JsonString(outcome.Laying.value_or("")) + ","
            + JsonResult(outcome);
        if (plan.Deadline)
            json += std::string(",\"meets_deadline\":") + (plan.Slots[n].MeetsDeadline ? "true" : "false");
        if (outcome.Status == TCliStatus::Ok)
            json += ",\"error\":null";
        json += "}";
    }
    json += "],\"latest_laying_for_deadline\":";
    if (plan.LatestSlotForDeadline)
        json += JsonString(IsoDateTime(plan.Slots[*plan.LatestSlotForDeadline].Outcome.Laying).value_or(""));
    else
        json += "null";
    return json;
}
