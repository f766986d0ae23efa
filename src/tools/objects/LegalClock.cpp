#include "LegalClock.h"

#include "DateUtilsBD2006.h"

namespace LegalClock {

namespace {

// Day of the month of the last Sunday of March or October of year. Day zero
// of the date-time values, 30 December 1899, was a Saturday.
int lastSundayOf(int year, int month)
{
    const double last = DateUtilsBD2006::EncodeDate(year, month, 31).value_or(0.0);
    const auto serial = static_cast<long long>(last);
    const int daysAfterSunday = static_cast<int>(((serial - 1) % 7 + 7) % 7);
    return 31 - daysAfterSunday;
}

// Summer time on a calendar day at a whole hour of a clock, where the March
// change happens at marchHour and the October one at octoberHour of that
// clock.
bool isSummerTime(const DateUtilsBD2006::TCalendarDate& date, int hour, int marchHour, int octoberHour)
{
    if (date.Month < 3 || date.Month > 10)
        return false;
    if (date.Month > 3 && date.Month < 10)
        return true;
    const int changeDay = lastSundayOf(date.Year, date.Month);
    if (date.Month == 3)
        return date.Day > changeDay || (date.Day == changeDay && hour >= marchHour);
    return date.Day < changeDay || (date.Day == changeDay && hour < octoberHour);
}

}  // namespace

bool IsSummerTimeOnWall(double date, double time)
{
    const auto day = DateUtilsBD2006::DecodeDate(date);
    const auto clock = DateUtilsBD2006::DecodeTime(time);
    // 02:00 winter time and 03:00 summer time are the changes' local hours.
    return day && clock && isSummerTime(*day, clock->Hour, 2, 3);
}

bool IsSummerTimeAtUtc(double utcMoment)
{
    const auto day = DateUtilsBD2006::DecodeDate(utcMoment);
    const auto clock = DateUtilsBD2006::DecodeTime(utcMoment);
    return day && clock && isSummerTime(*day, clock->Hour, 1, 1);
}

}  // namespace LegalClock
