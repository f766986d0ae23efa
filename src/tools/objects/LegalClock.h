#pragma once

#include <cstdint>
#include <optional>

// The site's legal clock: winter time UTC + 1 h, summer time UTC + 2 h, from
// 01:00 UTC on the last Sunday of March to 01:00 UTC on the last Sunday of
// October. The one place of that rule, its offsets and its conversions,
// below the engine. A moment is a whole number of seconds since 30 December
// 1899 00:00 (UTC, or as a wall clock reads it); the date-time values of the
// engine's interface are converted at the edge.
namespace LegalClock {

using TSeconds = std::int64_t;

inline constexpr int WinterOffsetHours = 1;
inline constexpr int SummerOffsetHours = 2;
inline constexpr TSeconds SecondsPerHour = 3600;
inline constexpr TSeconds SecondsPerDay = 86400;

constexpr int OffsetHours(bool summerTime)
{
    return summerTime ? SummerOffsetHours : WinterOffsetHours;
}

bool IsSummerTimeAt(TSeconds utc);

// As the wall clock reads: summer time from 02:00 on the March change day
// (the hour it skips counts as summer time) to 03:00 summer time on the
// October change day (the hour it repeats counts as summer time, its first
// pass).
bool IsSummerTimeOnWall(TSeconds wall);
// 02:00 to 02:59:59 on the March change day, which the clock never shows.
bool IsSkippedOnWall(TSeconds wall);
// 02:00 to 02:59:59 on the October change day, which the clock shows twice.
bool IsRepeatedOnWall(TSeconds wall);

TSeconds UtcToWall(TSeconds utc);
TSeconds WallToUtc(TSeconds wall);  // the repeated hour as summer time

// A date-time value to the second (its milliseconds dropped); nothing outside
// years 1 to 9999.
std::optional<TSeconds> SecondsOf(double dateTime);

// The same rules at the engine's date-time interface. For the calendar day
// of date and the hour of time on the wall clock; false when either cannot
// be decomposed.
bool IsSummerTimeOnWall(double date, double time);
// At a moment given in UTC; false when it cannot be decomposed.
bool IsSummerTimeAtUtc(double utcMoment);

}  // namespace LegalClock
