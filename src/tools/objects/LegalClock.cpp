#include "LegalClock.h"

#include "DateUtilsBD2006.h"

namespace LegalClock {

namespace {

// The day number of the last Sunday of March or October of year. Day zero,
// 30 December 1899, was a Saturday.
TSeconds lastSundayOf(int year, int month)
{
    const auto last = static_cast<TSeconds>(DateUtilsBD2006::EncodeDate(year, month, 31).value_or(0.0));
    return last - ((last - 1) % 7 + 7) % 7;
}

// The UTC moments summer time starts and ends in year: 01:00 UTC.
TSeconds summerStart(int year)
{
    return lastSundayOf(year, 3) * SecondsPerDay + SecondsPerHour;
}

TSeconds summerEnd(int year)
{
    return lastSundayOf(year, 10) * SecondsPerDay + SecondsPerHour;
}

std::optional<int> yearOf(TSeconds moment)
{
    // Whole days, rounded down: before day zero a moment's day is the one before.
    const TSeconds day = moment >= 0 ? moment / SecondsPerDay : -((-moment + SecondsPerDay - 1) / SecondsPerDay);
    const auto date = DateUtilsBD2006::DecodeDate(static_cast<double>(day));
    if (!date)
        return std::nullopt;
    return date->Year;
}

// Whether moment lies in [from, to) of its year's changes, shifted by the
// given seconds.
bool within(TSeconds moment, TSeconds startShift, TSeconds endShift)
{
    const auto year = yearOf(moment);
    return year && moment >= summerStart(*year) + startShift && moment < summerEnd(*year) + endShift;
}

// The wall-clock hour from 02:00 that a change at 01:00 UTC skips or repeats.
bool inWallHourOf(TSeconds wall, TSeconds changeUtc)
{
    const TSeconds from = changeUtc + WinterOffsetHours * SecondsPerHour;
    return wall >= from && wall < from + SecondsPerHour;
}

}  // namespace

bool IsSummerTimeAt(TSeconds utc)
{
    return within(utc, 0, 0);
}

bool IsSummerTimeOnWall(TSeconds wall)
{
    // 02:00 winter time and 03:00 summer time are the changes' wall-clock hours.
    return within(wall, WinterOffsetHours * SecondsPerHour, SummerOffsetHours * SecondsPerHour);
}

bool IsSkippedOnWall(TSeconds wall)
{
    const auto year = yearOf(wall);
    return year && inWallHourOf(wall, summerStart(*year));
}

bool IsRepeatedOnWall(TSeconds wall)
{
    const auto year = yearOf(wall);
    return year && inWallHourOf(wall, summerEnd(*year));
}

TSeconds UtcToWall(TSeconds utc)
{
    return utc + OffsetHours(IsSummerTimeAt(utc)) * SecondsPerHour;
}

TSeconds WallToUtc(TSeconds wall)
{
    return wall - OffsetHours(IsSummerTimeOnWall(wall)) * SecondsPerHour;
}

std::optional<TSeconds> SecondsOf(double dateTime)
{
    const auto date = DateUtilsBD2006::DecodeDate(dateTime);
    const auto time = DateUtilsBD2006::DecodeTime(dateTime);
    if (!date || !time)
        return std::nullopt;
    const auto day = static_cast<TSeconds>(*DateUtilsBD2006::EncodeDate(date->Year, date->Month, date->Day));
    return day * SecondsPerDay + time->Hour * SecondsPerHour + time->Minute * TSeconds{60} + time->Second;
}

bool IsSummerTimeOnWall(double date, double time)
{
    const auto day = DateUtilsBD2006::DecodeDate(date);
    const auto clock = DateUtilsBD2006::DecodeTime(time);
    if (!day || !clock)
        return false;
    const auto dayNumber = static_cast<TSeconds>(*DateUtilsBD2006::EncodeDate(day->Year, day->Month, day->Day));
    // The hour decides; its minutes never cross a change.
    return IsSummerTimeOnWall(dayNumber * SecondsPerDay + clock->Hour * SecondsPerHour);
}

bool IsSummerTimeAtUtc(double utcMoment)
{
    const auto seconds = SecondsOf(utcMoment);
    return seconds && IsSummerTimeAt(*seconds);
}

}  // namespace LegalClock
