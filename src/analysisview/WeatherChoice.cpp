#include "WeatherChoice.h"

#include "AnalysisMoments.h"
#include "AnalysisTexts.h"
#include "ForecastRequest.h"

#include "RegionalFormat.h"

#include <QFileInfo>

namespace {

QString coordinate(double degrees)
{
    QString text = QString::number(degrees, 'f', 2);
    return RegionalFormat::DecimalSeparator() == ',' ? text.replace(u'.', u',') : text;
}

}  // namespace

void ApplyWeatherChoice(const TWeatherChoice& choice, TScenario& scenario)
{
    scenario.AirTemp.reset();
    scenario.WindSpeed.reset();
    scenario.CloudCover.reset();
    scenario.Weather.reset();
    if (choice.Kind == TWeatherKind::Values) {
        scenario.AirTemp = choice.AirTemp;
        scenario.WindSpeed = choice.WindSpeed;
        scenario.CloudCover = choice.CloudCover;
    } else if (choice.Kind == TWeatherKind::Forecast) {
        scenario.Weather = choice.Source;
    }
    scenario.CompactionTemp = choice.CompactionTemp;
}

QString WeatherOriginText(const TWeatherChoice& choice, TLanguage language)
{
    if (choice.Kind != TWeatherKind::Forecast) {
        return {};
    }
    const TWeatherOrigin& origin = choice.Origin;
    if (!origin.FilePath.isEmpty()) {
        return AnalysisTexts::Text(language, TAnalysisText::WeatherFromFile).arg(QFileInfo(origin.FilePath).fileName());
    }
    // The moment as the site's legal clock showed it, whatever the computer's zone.
    const double wall = AnalysisMoments::LegalClockOf(origin.FetchedUtc);
    return AnalysisTexts::Text(language, TAnalysisText::WeatherFromService)
        .arg(origin.Service, coordinate(origin.LatitudeDeg), coordinate(origin.LongitudeDeg),
            AnalysisMoments::FormatMoment(wall));
}

QString WeatherAttributionText(const TWeatherChoice& choice, TLanguage language)
{
    const bool download = choice.Kind == TWeatherKind::Forecast && choice.Origin.FilePath.isEmpty();
    if (!download || !ForecastRequest::NeedsAttribution(choice.Origin.Service)) {
        return {};
    }
    return AnalysisTexts::Text(language, TAnalysisText::WeatherAttribution);
}
