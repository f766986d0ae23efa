// DateTimeFuzz: date-time arithmetic on arbitrary moments and durations.
// Any pair of doubles must be handled without undefined behaviour; within
// the calendar's years, AddDuration must drop exactly the fraction of a
// second, move the moment by the whole seconds, and agree with itself when
// the duration is added in two parts. Calendar dates must survive a round
// trip.
#include "DateUtilsBD2006.h"
#include "FuzzCheck.h"
#include "TheTimeUtilsCls.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

constexpr double SecondsPerDay = 86'400.0;
constexpr double FirstDay = -693'593.0;  // 1 January 0001
constexpr double LastDay = 2'958'465.0;  // 31 December 9999
// Durations stay below 2^36 s (about 2,000 years) so that a whole number of
// seconds plus a fraction in 1/65536 steps is exact in a double.
constexpr std::int64_t MaxDurationSeconds = std::int64_t{1} << 36;
// Four roundings of values below 10^7 days each lose well under a microsecond.
constexpr double ToleranceDays = 1e-3 / SecondsPerDay;

bool sameValue(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
}

// Before day zero the fraction still counts forward: -1.25 lies at -0.75.
double continuous(double dateTime)
{
    return dateTime < 0.0 ? 2.0 * std::trunc(dateTime) - dateTime : dateTime;
}

void anyValues(FuzzedDataProvider& input)
{
    const double moment = input.ConsumeFloatingPoint<double>();
    const double seconds = input.ConsumeFloatingPoint<double>();
    const double moved = TheTimeUtilsCls::AddDuration(moment, seconds);
    if (std::isnan(seconds))
        KELVARA_FUZZ_CHECK(sameValue(moved, moment));
    TheTimeUtilsCls::JoinDateAndTime(moment, seconds);
    TheTimeUtilsCls::AddDays(moment, input.ConsumeIntegral<std::int32_t>());
    TheTimeUtilsCls::AddHours(moment, input.ConsumeIntegral<std::int64_t>());
    TheTimeUtilsCls::AddMinutes(moment, input.ConsumeIntegral<std::int64_t>());
    TheTimeUtilsCls::AddSeconds(moment, input.ConsumeIntegral<std::int64_t>());
    if (const auto date = DateUtilsBD2006::DecodeDate(moment)) {
        KELVARA_FUZZ_CHECK(date->Year >= 1 && date->Year <= 9999);
        KELVARA_FUZZ_CHECK(date->Month >= 1 && date->Month <= 12);
        KELVARA_FUZZ_CHECK(date->Day >= 1 && date->Day <= 31);
        const auto day = DateUtilsBD2006::DayOfTheYear(moment);
        KELVARA_FUZZ_CHECK(day && *day >= 1 && *day <= 366);
    }
    if (const auto time = DateUtilsBD2006::DecodeTime(moment)) {
        KELVARA_FUZZ_CHECK(time->Hour >= 0 && time->Hour <= 23);
        KELVARA_FUZZ_CHECK(time->Minute >= 0 && time->Minute <= 59);
        KELVARA_FUZZ_CHECK(time->Second >= 0 && time->Second <= 59);
        KELVARA_FUZZ_CHECK(time->Millisecond >= 0 && time->Millisecond <= 999);
    }
}

void durationParts(FuzzedDataProvider& input)
{
    const double moment = input.ConsumeFloatingPointInRange(FirstDay, LastDay);
    const auto whole = input.ConsumeIntegralInRange(-MaxDurationSeconds, MaxDurationSeconds);
    const auto part = input.ConsumeIntegralInRange(-MaxDurationSeconds, MaxDurationSeconds);
    const double fraction = input.ConsumeIntegralInRange(0, 65'535) / 65'536.0;
    const double seconds = static_cast<double>(whole);

    const double moved = TheTimeUtilsCls::AddDuration(moment, seconds);
    // The fraction of a second, taken in the duration's own direction, is dropped.
    const double withFraction = whole < 0 ? seconds - fraction : seconds + fraction;
    KELVARA_FUZZ_CHECK(sameValue(TheTimeUtilsCls::AddDuration(moment, withFraction), moved));

    const double expected = continuous(moment) + seconds / SecondsPerDay;
    KELVARA_FUZZ_CHECK(std::fabs(continuous(moved) - expected) <= ToleranceDays);

    // In two steps, through any intermediate moment.
    const double halfway = TheTimeUtilsCls::AddDuration(moment, static_cast<double>(part));
    const double twoSteps = TheTimeUtilsCls::AddDuration(halfway, static_cast<double>(whole - part));
    KELVARA_FUZZ_CHECK(std::fabs(continuous(twoSteps) - continuous(moved)) <= ToleranceDays);

    // Joining keeps the day of the first value and the time of day of the second.
    const double time = input.ConsumeFloatingPointInRange(FirstDay, LastDay);
    const double joined = TheTimeUtilsCls::JoinDateAndTime(moment, time);
    const double day = std::trunc(moment);
    const double timeOfDay = std::fabs(time - std::trunc(time));
    const double joinedDay = std::trunc(joined);
    const double joinedTimeOfDay = std::fabs(joined - joinedDay);
    if (joinedDay == day) {
        KELVARA_FUZZ_CHECK(std::fabs(joinedTimeOfDay - timeOfDay) <= ToleranceDays);
    } else {
        // A time a hair before midnight may round to the next midnight,
        // which before day zero is the whole number nearer to zero.
        KELVARA_FUZZ_CHECK(joinedDay == day + 1.0);
        KELVARA_FUZZ_CHECK(joinedTimeOfDay <= ToleranceDays && 1.0 - timeOfDay <= ToleranceDays);
    }
}

void calendarRoundTrip(FuzzedDataProvider& input)
{
    const int year = input.ConsumeIntegralInRange(-1, 10'000);
    const int month = input.ConsumeIntegralInRange(0, 13);
    const int day = input.ConsumeIntegralInRange(0, 32);
    const auto encoded = DateUtilsBD2006::EncodeDate(year, month, day);
    if (!encoded) {
        KELVARA_FUZZ_CHECK(year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 28);
        return;
    }
    const auto decoded = DateUtilsBD2006::DecodeDate(*encoded);
    KELVARA_FUZZ_CHECK(decoded && decoded->Year == year && decoded->Month == month && decoded->Day == day);
    const auto start = DateUtilsBD2006::StartOfTheYear(*encoded);
    const auto dayOfYear = DateUtilsBD2006::DayOfTheYear(*encoded);
    KELVARA_FUZZ_CHECK(start && dayOfYear && *start + *dayOfYear - 1 == *encoded);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    switch (input.ConsumeIntegralInRange(0, 2)) {
    case 0:
        anyValues(input);
        break;
    case 1:
        durationParts(input);
        break;
    default:
        calendarRoundTrip(input);
        break;
    }
    return 0;
}
