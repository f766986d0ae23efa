#include "WeatherSource.h"

#include "DateUtilsBD2006.h"
#include "LegalClock.h"
#include "WallClock.h"
#include "WeatherRead.h"

#include <sstream>

namespace {

using namespace WeatherRead;

constexpr std::int64_t SecondsPerDay = 86400;
constexpr std::int64_t SecondsPerHour = 3600;
constexpr std::int64_t SecondsPerMinute = 60;

// Digits only, exactly count of them.
std::optional<int> digits(const std::string& text, std::size_t at, std::size_t count)
{
    if (at + count > text.size())
        return std::nullopt;
    int value = 0;
    for (std::size_t n = at; n < at + count; ++n) {
        if (text[n] < '0' || text[n] > '9')
            return std::nullopt;
        value = value * 10 + (text[n] - '0');
    }
    return value;
}

void readCsv(TWeatherSource& source, const std::vector<std::string>& header, int headerLine, TCsvReader& reader)
{
    const TCsvLayout layout = CsvLayout(header, headerLine, source.File);
    while (auto record = reader.Next()) {
        CheckCsvRow(*record, layout, source.File);
        AddCsvValues(source, *record, layout, CsvMoment(*record, layout, source.File));
    }
    RequireCsvPoints(source, layout);
}

void readForecast(const std::string& text, TWeatherSource& source)
{
    const TForecast forecast(text, source.File);
    const TJson& hourly = forecast.Root["hourly"];
    bool any = false;
    for (std::size_t q = 0; q < QuantityCount; ++q) {
        const std::string key = Quantities[q].ForecastKey;
        if (!hourly.contains(key))
            continue;
        any = true;
        const double divisor = q == WindQuantity ? WindDivisor(forecast.Root, key, key, source.File) : 1.0;
        AddForecastSeries(source, q, forecast, key, divisor);
    }
    if (!any)
        Refuse(source.File, "", "no temperature_2m, wind_speed_10m or cloud_cover in hourly",
            TWeatherErrorKind::Malformed);
}

}  // namespace

std::int64_t UtcSecondsOf(const TWeatherMoment& moment, TClockMode clock)
{
    if (moment.OffsetSeconds)
        return moment.CivilSeconds - *moment.OffsetSeconds;
    const bool summer
        = clock == TClockMode::Auto ? LegalClock::IsSummerTimeOnWall(moment.CivilSeconds) : clock == TClockMode::Summer;
    return moment.CivilSeconds - LegalClock::OffsetHours(summer) * SecondsPerHour;
}

std::int64_t LayingUtcSeconds(const TScenario& scenario)
{
    const auto date = DateUtilsBD2006::DecodeDate(scenario.LayingDate);
    const auto time = DateUtilsBD2006::DecodeTime(scenario.LayingTime);
    if (!date || !time)
        throw std::invalid_argument("the laying date or time cannot be decomposed");
    const double day = *DateUtilsBD2006::EncodeDate(date->Year, date->Month, date->Day);
    const std::int64_t civil = static_cast<std::int64_t>(day) * SecondsPerDay + time->Hour * SecondsPerHour
        + time->Minute * SecondsPerMinute;
    return civil - WallClock::OffsetHours(SummerTimeOf(scenario)) * SecondsPerHour;
}

namespace WeatherSource {

std::optional<TWeatherMoment> ParseMoment(const std::string& text)
{
    // YYYY-MM-DDTHH:MM
    if (text.size() < 16 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':')
        return std::nullopt;
    const auto year = digits(text, 0, 4), month = digits(text, 5, 2), day = digits(text, 8, 2);
    const auto hour = digits(text, 11, 2), minute = digits(text, 14, 2);
    std::size_t at = 16;
    std::optional<int> second = 0;
    if (at < text.size() && text[at] == ':') {
        second = digits(text, at + 1, 2);
        at += 3;
    }
    if (!year || !month || !day || !hour || !minute || !second || *year < 1900)
        return std::nullopt;
    const auto date = DateUtilsBD2006::EncodeDate(*year, *month, *day);
    if (!date || !DateUtilsBD2006::EncodeTime(*hour, *minute, *second, 0))
        return std::nullopt;
    TWeatherMoment moment;
    moment.CivilSeconds = static_cast<std::int64_t>(*date) * SecondsPerDay + *hour * SecondsPerHour
        + *minute * SecondsPerMinute + *second;
    if (at == text.size())
        return moment;
    if (text[at] == 'Z' && at + 1 == text.size()) {
        moment.OffsetSeconds = 0;
        return moment;
    }
    if ((text[at] != '+' && text[at] != '-') || text.size() != at + 6 || text[at + 3] != ':')
        return std::nullopt;
    const auto offsetHours = digits(text, at + 1, 2), offsetMinutes = digits(text, at + 4, 2);
    if (!offsetHours || !offsetMinutes || *offsetHours > 23 || *offsetMinutes > 59)
        return std::nullopt;
    moment.OffsetSeconds = (text[at] == '-' ? -1 : 1) * (*offsetHours * 3600 + *offsetMinutes * 60);
    return moment;
}

TWeatherSource ReadText(const std::string& text, const std::string& file)
{
    TWeatherSource source;
    source.File = file;
    if (IsForecastJson(text, file)) {
        readForecast(text, source);
        return source;
    }
    std::istringstream in(text);
    TCsvReader reader(in);
    auto header = reader.Next();
    if (!header)
        Refuse(file, "", "unknown format: the file is empty", TWeatherErrorKind::Malformed);
    readCsv(source, header->Fields, header->Line, reader);
    return source;
}

TWeatherSource ReadFile(const std::string& path)
{
    return ReadText(ReadCapped(path), path);
}

TWeatherTimeline TimelineFor(const TWeatherSource& source, const TScenario& scenario)
{
    const std::int64_t laying = LayingUtcSeconds(scenario);
    TWeatherTimeline timeline;
    std::optional<TWeatherSeries>* targets[] = {&timeline.AirTemp, &timeline.WindSpeed, &timeline.CloudCover};
    for (std::size_t q = 0; q < 3; ++q) {
        const auto& samples = source.*Quantities[q].Series;
        if (samples.empty())
            continue;
        std::vector<TWeatherPoint> points;
        points.reserve(samples.size());
        std::optional<std::int64_t> previous;
        for (const TWeatherSample& sample : samples) {
            const std::int64_t utc = UtcSecondsOf(sample.Moment, scenario.Clock);
            if (previous && utc <= *previous)
                Refuse(source.File, sample.Where,
                    std::string(Quantities[q].Label) + " moment not after the one before it",
                    TWeatherErrorKind::NotIncreasing);
            previous = utc;
            points.push_back({static_cast<double>(utc - laying), sample.Value});
        }
        *targets[q] = TWeatherSeries(std::move(points));
    }
    return timeline;
}

}  // namespace WeatherSource
