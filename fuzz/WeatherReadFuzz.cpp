// WeatherReadFuzz: any bytes as a weather file, and as an ensemble. Reading
// either succeeds or throws TWeatherError, whose message is one bounded
// line; what is read keeps within the bounds and point counts (and member
// counts), and a run's timeline from it either is strictly increasing or is
// refused the same way.
#include "DateUtilsBD2006.h"
#include "Ensemble.h"
#include "FuzzCheck.h"
#include "WeatherSource.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// The file name, the place, the reason and at most two excerpts of the file.
constexpr std::size_t MaxMessageBytes = 400;

void checkMessage(const TWeatherError& error)
{
    const std::string message = error.what();
    KELVARA_FUZZ_CHECK(message.size() <= MaxMessageBytes);
    KELVARA_FUZZ_CHECK(message.find('\n') == std::string::npos);
    KELVARA_FUZZ_CHECK(message.find('\0') == std::string::npos);
}

void checkSeries(const std::vector<TWeatherSample>& series, double min, double max)
{
    KELVARA_FUZZ_CHECK(series.size() <= WeatherSource::MaxPoints);
    for (const TWeatherSample& sample : series)
        KELVARA_FUZZ_CHECK(sample.Value >= min && sample.Value <= max);
}

void checkSource(const TWeatherSource& source)
{
    checkSeries(source.AirTemp, WeatherSource::AirTempMin, WeatherSource::AirTempMax);
    checkSeries(source.WindSpeed, WeatherSource::WindSpeedMin, WeatherSource::WindSpeedMax);
    checkSeries(source.CloudCover, WeatherSource::CloudCoverMin, WeatherSource::CloudCoverMax);
}

void checkEnsemble(const std::string& text)
{
    try {
        const TEnsemble ensemble = EnsembleSource::ReadText(text, "fuzz");
        KELVARA_FUZZ_CHECK(ensemble.Members.size() >= EnsembleSource::MinMembers);
        KELVARA_FUZZ_CHECK(ensemble.Members.size() <= EnsembleSource::MaxMembers);
        KELVARA_FUZZ_CHECK(ensemble.TopMember() < ensemble.Members.size());
        for (const TEnsembleMember& member : ensemble.Members)
            checkSource(*member.Weather);
    } catch (const TWeatherError& error) {
        checkMessage(error);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    checkEnsemble(text);
    TWeatherSource source;
    try {
        source = WeatherSource::ReadText(text, "fuzz");
    } catch (const TWeatherError& error) {
        checkMessage(error);
        return 0;
    }
    checkSource(source);

    TScenario scenario;
    scenario.LayingDate = *DateUtilsBD2006::EncodeDate(2026, 10, 25);
    scenario.LayingTime = *DateUtilsBD2006::EncodeTime(2, 30, 0, 0);
    try {
        const TWeatherTimeline timeline = WeatherSource::TimelineFor(source, scenario);
        for (const auto* series : {&timeline.AirTemp, &timeline.WindSpeed, &timeline.CloudCover}) {
            if (!*series)
                continue;
            const auto& points = (*series)->Points();
            for (std::size_t n = 1; n < points.size(); ++n)
                KELVARA_FUZZ_CHECK(points[n].ElapsedSeconds > points[n - 1].ElapsedSeconds);
        }
    } catch (const TWeatherError& error) {
        checkMessage(error);
    }
    return 0;
}
