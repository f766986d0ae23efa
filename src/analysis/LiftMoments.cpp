#include "LiftMoments.h"

#include "DateUtilsBD2006.h"
#include "LegalClock.h"
#include "TheTimeUtilsCls.h"
#include "WeatherSource.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

using LegalClock::SecondsPerDay;
using LegalClock::SecondsPerHour;
using LegalClock::TSeconds;

constexpr TSeconds SecondsPerMinute = 60;

// Digits only: from_chars alone would take a sign.
template<typename T> bool readDigits(std::string_view text, T& value)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool readClockTime(std::string_view text, TLiftWhen& when)
{
    return text.size() == 5 && text[2] == ':' && readDigits(text.substr(0, 2), when.Hour)
        && readDigits(text.substr(3, 2), when.Minute) && when.Hour < 24 && when.Minute < 60;
}

// The wall clock's reading of a UTC moment and back, on the scenario's clock.
TSeconds toWall(TSeconds utc, TClockMode clock)
{
    if (clock == TClockMode::Auto)
        return LegalClock::UtcToWall(utc);
    return utc + LegalClock::OffsetHours(clock == TClockMode::Summer) * SecondsPerHour;
}

TSeconds toUtc(TSeconds wall, TClockMode clock)
{
    if (clock == TClockMode::Auto)
        return LegalClock::WallToUtc(wall);
    return wall - LegalClock::OffsetHours(clock == TClockMode::Summer) * SecondsPerHour;
}

bool skipped(TSeconds wall, TClockMode clock)
{
    return clock == TClockMode::Auto && LegalClock::IsSkippedOnWall(wall);
}

TSeconds dayOf(TSeconds moment)
{
    return moment >= 0 ? moment / SecondsPerDay : -((-moment + SecondsPerDay - 1) / SecondsPerDay);
}

double dateTimeOf(TSeconds wall)
{
    const TSeconds day = dayOf(wall);
    const TSeconds inDay = wall - day * SecondsPerDay;
    const auto time = DateUtilsBD2006::EncodeTime(
        static_cast<int>(inDay / SecondsPerHour), static_cast<int>(inDay % SecondsPerHour / SecondsPerMinute), 0, 0);
    return TheTimeUtilsCls::JoinDateAndTime(static_cast<double>(day), time.value_or(0.0));
}

}  // namespace

namespace LiftMoments {

std::optional<TLiftWhen> ParseWhen(std::string_view text)
{
    TLiftWhen when;
    if (!text.empty() && text[0] == '+') {
        int minutes = 0;
        if (!readDigits(text.substr(1), minutes))
            return std::nullopt;
        when.Minutes = minutes;
        return when;
    }
    if (text.size() == 5) {
        when.Kind = TLiftWhen::TKind::ClockTime;
        return readClockTime(text, when) ? std::optional(when) : std::nullopt;
    }
    when.Kind = TLiftWhen::TKind::DateTime;
    if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != 'T'
        || !readDigits(text.substr(0, 4), when.Year) || !readDigits(text.substr(5, 2), when.Month)
        || !readDigits(text.substr(8, 2), when.Day) || !readClockTime(text.substr(11), when)
        || !DateUtilsBD2006::EncodeDate(when.Year, when.Month, when.Day))
        return std::nullopt;
    return when;
}

TResolvedWhen Resolve(const TScenario& scenario, std::int64_t previousElapsed, const TLiftWhen& when)
{
    const TSeconds first = LayingUtcSeconds(scenario);
    const TSeconds previous = first + previousElapsed;
    const TSeconds clockTime = when.Hour * SecondsPerHour + when.Minute * SecondsPerMinute;
    const TClockMode clock = scenario.Clock;
    switch (when.Kind) {
    case TLiftWhen::TKind::AfterPrevious:
        return {previousElapsed + when.Minutes * SecondsPerMinute};
    case TLiftWhen::TKind::DateTime: {
        const auto day = static_cast<TSeconds>(*DateUtilsBD2006::EncodeDate(when.Year, when.Month, when.Day));
        const TSeconds wall = day * SecondsPerDay + clockTime;
        if (skipped(wall, clock))
            return {std::nullopt, dateTimeOf(wall)};
        return {toUtc(wall, clock) - first};
    }
    case TLiftWhen::TKind::ClockTime:
        break;
    }
    // The previous lift's wall date, then the next; a time the clock skips
    // that would come after the previous lift is refused, not moved.
    const TSeconds previousWall = toWall(previous, clock);
    const TSeconds previousDay = dayOf(previousWall);
    TSeconds wall = 0;
    for (const TSeconds day : {previousDay, previousDay + 1}) {
        wall = day * SecondsPerDay + clockTime;
        if (skipped(wall, clock)) {
            if (wall > previousWall)
                return {std::nullopt, dateTimeOf(wall)};
            continue;
        }
        if (toUtc(wall, clock) > previous)
            break;
    }
    return {toUtc(wall, clock) - first};
}

WallClock::TWallMoment WallMomentOf(const TScenario& scenario, double elapsedSeconds)
{
    const double laying = TheTimeUtilsCls::JoinDateAndTime(scenario.LayingDate, scenario.LayingTime);
    return WallClock::ToWallClock(TheTimeUtilsCls::AddDuration(laying, elapsedSeconds),
        WallClock::OffsetHours(SummerTimeOf(scenario)), scenario.Clock);
}

}  // namespace LiftMoments
