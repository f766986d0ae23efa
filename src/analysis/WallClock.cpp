#include "WallClock.h"

#include "LegalClock.h"
#include "TheTimeUtilsCls.h"

#include <cstdint>

namespace WallClock {

int OffsetHours(bool summerTime)
{
    return LegalClock::OffsetHours(summerTime);
}

double ToUtc(double runMoment, double clockOffset)
{
    return TheTimeUtilsCls::AddHours(runMoment, -static_cast<std::int64_t>(clockOffset));
}

double FromUtc(double utcMoment, double clockOffset)
{
    return TheTimeUtilsCls::AddHours(utcMoment, static_cast<std::int64_t>(clockOffset));
}

TWallMoment ToWallClock(double runMoment, double clockOffset, TClockMode clock)
{
    if (clock != TClockMode::Auto)
        return {runMoment, clock == TClockMode::Summer};
    const double utc = ToUtc(runMoment, clockOffset);
    const bool summer = LegalClock::IsSummerTimeAtUtc(utc);
    return {FromUtc(utc, OffsetHours(summer)), summer};
}

int WallOffsetHours(double wallMoment, TClockMode clock)
{
    return OffsetHours(clock == TClockMode::Auto ? LegalClock::IsSummerTimeOnWall(wallMoment, wallMoment)
                                                 : clock == TClockMode::Summer);
}

double WallToUtc(double wallMoment, TClockMode clock)
{
    return ToUtc(wallMoment, WallOffsetHours(wallMoment, clock));
}

bool ExistsOnWallClock(double wallMoment, TClockMode clock)
{
    if (clock != TClockMode::Auto)
        return true;
    const auto seconds = LegalClock::SecondsOf(wallMoment);
    return !seconds || !LegalClock::IsSkippedOnWall(*seconds);
}

bool InRepeatedHour(double wallMoment, TClockMode clock)
{
    if (clock != TClockMode::Auto)
        return false;
    const auto seconds = LegalClock::SecondsOf(wallMoment);
    return seconds && LegalClock::IsRepeatedOnWall(*seconds);
}

bool LayingExists(const TScenario& scenario)
{
    return ExistsOnWallClock(
        TheTimeUtilsCls::JoinDateAndTime(scenario.LayingDate, scenario.LayingTime), scenario.Clock);
}

}  // namespace WallClock
