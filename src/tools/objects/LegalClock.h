#pragma once

// The site's legal clock: winter time UTC + 1 h, summer time UTC + 2 h, from
// 01:00 UTC on the last Sunday of March to 01:00 UTC on the last Sunday of
// October. The one place of that rule and of its offsets, below the engine.
namespace LegalClock {

inline constexpr int WinterOffsetHours = 1;
inline constexpr int SummerOffsetHours = 2;

constexpr int OffsetHours(bool summerTime)
{
    return summerTime ? SummerOffsetHours : WinterOffsetHours;
}

// For a moment on the wall clock: the calendar day of date and the hour of
// time. On the March change day before 02:00 is winter time, from 02:00 on
// summer time; on the October change day before 03:00 is summer time, from
// 03:00 on winter time. False when the date or time cannot be decomposed.
bool IsSummerTimeOnWall(double date, double time);

// At a moment given in UTC (a date-time value); false when it cannot be
// decomposed.
bool IsSummerTimeAtUtc(double utcMoment);

}  // namespace LegalClock
