#include "DateUtilsBD2006.h"

#include <cmath>
#include <cstdint>

namespace DateUtilsBD2006 {

namespace {

constexpr std::int64_t MsPerDay = 86'400'000;
constexpr int MinYear = 1;
constexpr int MaxYear = 9999;

// Inside the conversions days count from 1 March of year 0, so that the leap
// day is the last day of its cycle year; 30 December 1899 is day 693 899.
constexpr std::int64_t EpochShift = 693'899;

// Serial day numbers of 1 January 0001 and 31 December 9999; a value whose
// rounded day falls outside is refused.
constexpr std::int64_t FirstSerialDay = -693'593;
constexpr std::int64_t LastSerialDay = 2'958'465;

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    constexpr int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return (month == 2 && IsLeapYear(year)) ? 29 : Days[month - 1];
}

// Proleptic Gregorian calendar by 400-year eras; exact integer arithmetic.
// Only called for years 1..9999, so every quantity is non-negative.
std::int64_t SerialFromCivil(int year, int month, int day)
{
    const std::int64_t y = month <= 2 ? year - 1 : year;
    const std::int64_t era = y / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t shiftedMonth = month > 2 ? month - 3 : month + 9;
    const std::int64_t dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146'097 + dayOfEra - EpochShift;
}

TCalendarDate CivilFromSerial(std::int64_t serial)
{
    const std::int64_t z = serial + EpochShift;  // > 0 for years 1..9999
    const std::int64_t era = z / 146'097;
    const std::int64_t dayOfEra = z - era * 146'097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const std::int64_t month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

struct TSplitValue {
    std::int64_t Serial;  // whole day, truncated toward zero
    std::int64_t MsOfDay;  // 0 .. MsPerDay - 1
};

// Splits into the day and the time of day, rounded to whole milliseconds.
// Before 30 December 1899 the whole part is negative while the time of day
// still counts forward from midnight, so the time of day is rounded on its
// own: a time that rounds up to midnight moves to the next day, which before
// day zero is the whole number nearer to zero, not the one further from it.
std::optional<TSplitValue> Split(double dateTime)
{
    // The bounds, one day wider than the supported range, keep the day's
    // conversion to an integer in range before the exact day check.
    if (!std::isfinite(dateTime) || dateTime < static_cast<double>(FirstSerialDay - 1)
        || dateTime > static_cast<double>(LastSerialDay + 1)) {
        return std::nullopt;
    }
    const auto value = static_cast<long double>(dateTime);
    long double day = std::trunc(value);
    std::int64_t msOfDay = std::llround(std::fabs(value - day) * static_cast<long double>(MsPerDay));
    if (msOfDay == MsPerDay) {
        day += 1.0L;
        msOfDay = 0;
    }
    const auto serial = static_cast<std::int64_t>(day);
    if (serial < FirstSerialDay || serial > LastSerialDay) {
        return std::nullopt;
    }
    return TSplitValue{serial, msOfDay};
}

}  // namespace

std::optional<TCalendarDate> DecodeDate(double dateTime)
{
    const auto split = Split(dateTime);
    if (!split) {
        return std::nullopt;
    }
    return CivilFromSerial(split->Serial);
}

std::optional<TClockTime> DecodeTime(double dateTime)
{
    const auto split = Split(dateTime);
    if (!split) {
        return std::nullopt;
    }
    const auto ms = static_cast<int>(split->MsOfDay);
    return TClockTime{ms / 3'600'000, ms / 60'000 % 60, ms / 1000 % 60, ms % 1000};
}

std::optional<double> EncodeDate(int year, int month, int day)
{
    if (year < MinYear || year > MaxYear || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
        return std::nullopt;
    }
    return static_cast<double>(SerialFromCivil(year, month, day));
}

std::optional<double> EncodeTime(int hour, int minute, int second, int millisecond)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0
        || millisecond > 999) {
        return std::nullopt;
    }
    const std::int64_t ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
    return static_cast<double>(ms) / static_cast<double>(MsPerDay);
}

std::optional<int> YearOf(double dateTime)
{
    const auto date = DecodeDate(dateTime);
    if (!date) {
        return std::nullopt;
    }
    return date->Year;
}

std::optional<double> StartOfTheYear(double dateTime)
{
    const auto year = YearOf(dateTime);
    if (!year) {
        return std::nullopt;
    }
    return EncodeDate(*year, 1, 1);
}

// Counted on the same millisecond-rounded day that DecodeDate reports, so
// that date and day of the year never disagree just before midnight, and so
// that days before 30 December 1899, whose fraction is negative, are not
// counted one short.
std::optional<int> DayOfTheYear(double dateTime)
{
    const auto split = Split(dateTime);
    if (!split) {
        return std::nullopt;
    }
    const int year = CivilFromSerial(split->Serial).Year;
    return static_cast<int>(split->Serial - SerialFromCivil(year, 1, 1)) + 1;
}

}  // namespace DateUtilsBD2006
