#include "TheTimeUtilsCls.h"

#include <cmath>
#include <limits>

namespace TheTimeUtilsCls {

namespace {

constexpr double SecondsPerDay = 86'400.0;
constexpr double SecondsPerHour = 3'600.0;
constexpr double SecondsPerMinute = 60.0;

// Results are worked out in long double and rounded once to double. A long
// double beyond the range of double would be undefined to convert, so it
// becomes the infinity of its sign instead.
double ToDouble(long double value)
{
    constexpr auto Largest = static_cast<long double>(std::numeric_limits<double>::max());
    if (value > Largest) {
        return std::numeric_limits<double>::infinity();
    }
    if (value < -Largest) {
        return -std::numeric_limits<double>::infinity();
    }
    return static_cast<double>(value);
}

// Before 30 December 1899 the whole part counts days back while the fraction
// still counts the time of day forward (-1.25 is 29 December, 06:00), so
// plain sums would move such moments the wrong way. Arithmetic is done on a
// continuous day count instead; from 30 December 1899 on both are the same
// number and these two functions change nothing.
long double ToContinuous(long double dateTime)
{
    if (!(dateTime < 0.0L) || !std::isfinite(dateTime)) {
        return dateTime;
    }
    return 2.0L * std::trunc(dateTime) - dateTime;
}

// The value of a moment before day zero: its day with the time of day taken
// off. A time of day within rounding of the next midnight would make the
// double a whole number one further from zero, which is the start of the day
// before, two days off; such a moment is that next midnight instead.
double BeforeDayZero(long double day, long double timeOfDay)
{
    const double value = ToDouble(day - timeOfDay);
    if (static_cast<long double>(value) <= day - 1.0L) {
        return ToDouble(day + 1.0L);
    }
    return value;
}

double FromContinuous(long double days)
{
    if (!(days < 0.0L) || !std::isfinite(days)) {
        return ToDouble(days);
    }
    long double day = std::floor(days);
    long double timeOfDay = days - day;
    if (timeOfDay >= 1.0L) {  // a moment a hair before midnight rounds to it
        day += 1.0L;
        timeOfDay = 0.0L;
    }
    return BeforeDayZero(day, timeOfDay);
}

// Scale up to the unit, add, scale back: a whole number of units then lands
// exactly on the unit's grid instead of drifting by a fraction of a day.
double AddUnits(double dateTime, std::int64_t count, long double unitsPerDay)
{
    const long double start = ToContinuous(static_cast<long double>(dateTime));
    return FromContinuous((start * unitsPerDay + static_cast<long double>(count)) / unitsPerDay);
}

}  // namespace

double AddDays(double dateTime, std::int32_t days)
{
    return FromContinuous(ToContinuous(static_cast<long double>(dateTime)) + static_cast<long double>(days));
}

double AddHours(double dateTime, std::int64_t hours)
{
    return AddUnits(dateTime, hours, 24.0L);
}

double AddMinutes(double dateTime, std::int64_t minutes)
{
    return AddUnits(dateTime, minutes, 1'440.0L);
}

double AddSeconds(double dateTime, std::int64_t seconds)
{
    return AddUnits(dateTime, seconds, 86'400.0L);
}

// The time of day is the size of the fraction whatever the sign of either
// value, and it is laid on the date's day the way that day counts it.
double JoinDateAndTime(double date, double time)
{
    const long double day = std::trunc(static_cast<long double>(date));
    const long double timeOfDay
        = std::fabs(static_cast<long double>(time) - std::trunc(static_cast<long double>(time)));
    return day < 0.0L ? BeforeDayZero(day, timeOfDay) : ToDouble(day + timeOfDay);
}

double TimeOrder(double dateTime)
{
    return ToDouble(ToContinuous(static_cast<long double>(dateTime)));
}

// A NaN duration leaves the moment as it is. A duration whose whole days do
// not fit the 32-bit day count (beyond about 5.9 million years either way,
// infinities included) adds the extreme day count alone: converting it
// would be undefined, and no calendar reaches that far anyway.
double AddDuration(double dateTime, double durationSeconds)
{
    if (std::isnan(durationSeconds)) {
        return dateTime;
    }
    constexpr auto MaxDays = std::numeric_limits<std::int32_t>::max();
    constexpr auto MinDays = std::numeric_limits<std::int32_t>::min();

    double rest = durationSeconds;
    const double wholeDays = std::trunc(rest / SecondsPerDay);
    if (wholeDays > static_cast<double>(MaxDays)) {
        return AddDays(dateTime, MaxDays);
    }
    if (wholeDays < static_cast<double>(MinDays)) {
        return AddDays(dateTime, MinDays);
    }
    const auto days = static_cast<std::int32_t>(wholeDays);
    rest -= SecondsPerDay * static_cast<double>(days);
    // From here |rest| is below a day (give or take rounding), so the
    // remaining conversions are always in range.
    const auto hours = static_cast<std::int64_t>(std::trunc(rest / SecondsPerHour));
    rest -= SecondsPerHour * static_cast<double>(hours);
    const auto minutes = static_cast<std::int64_t>(std::trunc(rest / SecondsPerMinute));
    rest -= SecondsPerMinute * static_cast<double>(minutes);
    const auto seconds = static_cast<std::int64_t>(std::trunc(rest));

    return AddSeconds(AddMinutes(AddHours(AddDays(dateTime, days), hours), minutes), seconds);
}

}  // namespace TheTimeUtilsCls
