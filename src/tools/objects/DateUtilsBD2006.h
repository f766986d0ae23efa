#pragma once

#include <optional>

// Calendar functions over date-time values (days since 30 December 1899,
// fraction = time of day). The whole part is the value truncated toward zero;
// before day zero the size of the fraction is the time of day, so -1.25 is
// 29 December 1899, 06:00.
namespace DateUtilsBD2006 {

struct TCalendarDate {
    int Year;
    int Month;  // 1..12
    int Day;  // 1..31
};

struct TClockTime {
    int Hour;  // 0..23
    int Minute;  // 0..59
    int Second;  // 0..59
    int Millisecond;  // 0..999
};

// Decomposition rounds the value to the millisecond first, as the pickers
// deliver whole milliseconds. Empty for values outside years 1..9999 or not
// finite.
std::optional<TCalendarDate> DecodeDate(double dateTime);
std::optional<TClockTime> DecodeTime(double dateTime);

// Empty when the parts do not form a valid date or time.
std::optional<double> EncodeDate(int year, int month, int day);
std::optional<double> EncodeTime(int hour, int minute, int second, int millisecond);

// 1 January of the year of dateTime.
std::optional<double> StartOfTheYear(double dateTime);
std::optional<int> YearOf(double dateTime);
// 1 for 1 January; 365 or 366 for 31 December.
std::optional<int> DayOfTheYear(double dateTime);

}  // namespace DateUtilsBD2006
