#pragma once

#include <cstdint>

// Date-time values are doubles: the whole part counts days since
// 30 December 1899, the fraction is the time of day (0.5 is noon). Before
// that day the whole part is negative and the size of the fraction is still
// the time of day: -1.25 is 29 December 1899, 06:00. Every function here
// follows that, so moments before 1900 move the right way too.
namespace TheTimeUtilsCls {

double AddDays(double dateTime, std::int32_t days);
double AddHours(double dateTime, std::int64_t hours);
double AddMinutes(double dateTime, std::int64_t minutes);
double AddSeconds(double dateTime, std::int64_t seconds);

// The calendar day of date with the time of day of time.
double JoinDateAndTime(double date, double time);

// The moment as a day count that grows with time on both sides of day zero
// (-1.25, 29 December 06:00, is -0.75): compare or subtract moments through
// it, never their date-time values, which run backwards before 1900.
double TimeOrder(double dateTime);

// dateTime plus the whole seconds of durationSeconds, added as days, hours,
// minutes and seconds; the fraction of a second is dropped. A NaN duration
// returns dateTime; one of 2^31 days or more either way (infinities too) adds
// the extreme 32-bit day count alone.
double AddDuration(double dateTime, double durationSeconds);

}  // namespace TheTimeUtilsCls
