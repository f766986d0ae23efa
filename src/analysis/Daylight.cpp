#include "Daylight.h"

#include "DateUtilsBD2006.h"
#include "PICHourCls.h"

#include <algorithm>
#include <cmath>

namespace Daylight {

namespace {

constexpr double HoursPerDay = 24.0;

// The solar setup of the calendar day of dateTime at its hour and minute.
std::optional<SolarModel::TSolarSetup> setupAt(double dateTime, double clockOffset, const SolarModel::TSite& site)
{
    const auto time = DateUtilsBD2006::DecodeTime(dateTime);
    const auto day = DateUtilsBD2006::DayOfTheYear(dateTime);
    if (!time || !day)
        return std::nullopt;
    // The cloud fraction only weights the partial sky's beam: irrelevant here.
    return SolarModel::Setup(site, *day, time->Hour, time->Minute, clockOffset, 1.0);
}

double dayOf(double dateTime)
{
    return std::trunc(dateTime);
}

}  // namespace

SolarModel::TSite DefaultSite()
{
    const TPICHourCls engine;
    return {engine.Latitude, engine.Longitude, engine.SolarConstant};
}

std::optional<TSunTimes> SunTimesOn(double date, double clockOffset, const SolarModel::TSite& site)
{
    // Day arithmetic below is that of days from 30 December 1899 on.
    if (!(date >= 0.0))
        return std::nullopt;
    const double midnight = dayOf(date);
    const auto setup = setupAt(midnight, clockOffset, site);
    if (!setup)
        return std::nullopt;
    // At 00:00 the solar time is StartSolarTime; the clock runs with it.
    const double sunriseHours = setup->Sunrise - setup->StartSolarTime;
    const double sunsetHours = setup->Sunset - setup->StartSolarTime;
    return TSunTimes{midnight + sunriseHours / HoursPerDay, midnight + sunsetHours / HoursPerDay};
}

bool IsNightAt(double moment, double clockOffset, const SolarModel::TSite& site)
{
    const auto setup = setupAt(moment, clockOffset, site);
    const auto time = DateUtilsBD2006::DecodeTime(moment);
    if (!setup || !time)
        return false;
    const double solarTime = setup->StartSolarTime + (time->Second + time->Millisecond / 1000.0) / 3600.0;
    return !SolarModel::IsDaytime(*setup, solarTime);
}

std::optional<double> FirstDaylightFrom(double moment, double clockOffset, const SolarModel::TSite& site)
{
    if (!IsNightAt(moment, clockOffset, site))
        return DateUtilsBD2006::DecodeDate(moment) ? std::optional<double>(moment) : std::nullopt;
    for (int day = 0; day <= 1; ++day) {
        const auto sun = SunTimesOn(dayOf(moment) + day, clockOffset, site);
        if (sun && sun->Sunrise > moment)
            return sun->Sunrise;
    }
    return std::nullopt;
}

std::vector<TNight> NightsBetween(double from, double to, double clockOffset, const SolarModel::TSite& site)
{
    std::vector<TNight> nights;
    if (!(from <= to) || !DateUtilsBD2006::DecodeDate(from) || !DateUtilsBD2006::DecodeDate(to))
        return nights;
    // Each calendar day contributes the night before its sunrise and the
    // evening after its sunset; adjacent pieces are joined across midnight.
    for (double day = dayOf(from); day <= dayOf(to); day += 1.0) {
        const auto sun = SunTimesOn(day, clockOffset, site);
        if (!sun)
            continue;
        const TNight pieces[] = {{day, sun->Sunrise}, {sun->Sunset, day + 1.0}};
        for (const TNight& piece : pieces) {
            const double start = std::max(piece.Start, from);
            const double end = std::min(piece.End, to);
            if (!(start < end))
                continue;
            if (!nights.empty() && nights.back().End == start)
                nights.back().End = end;
            else
                nights.push_back({start, end});
        }
    }
    return nights;
}

}  // namespace Daylight
