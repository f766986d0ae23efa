#include "WeatherChoice.h"

#include "AnalysisMoments.h"
#include "AnalysisTexts.h"
#include "Ensemble.h"
#include "EnsembleTexts.h"
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
    } else if (choice.Kind == TWeatherKind::Ensemble && choice.Ensemble && !choice.Ensemble->Members.empty()) {
        scenario.Weather = choice.Ensemble->Members[choice.Ensemble->TopMember()].Weather;
    }
    scenario.CompactionTemp = choice.CompactionTemp;
}

QString WeatherOriginText(const TWeatherChoice& choice, TLanguage language)
{
    const TWeatherOrigin& origin = choice.Origin;
    if (choice.Kind == TWeatherKind::Ensemble && choice.Ensemble) {
        const auto members = static_cast<qulonglong>(choice.Ensemble->Members.size());
        if (!origin.FilePath.isEmpty())
            return EnsembleTexts::Text(language, TEnsembleText::SourceFile)
                .arg(members)
                .arg(QFileInfo(origin.FilePath).fileName());
        return EnsembleTexts::Text(language, TEnsembleText::SourceService)
            .arg(members)
            .arg(choice.Model, origin.Service,
                AnalysisMoments::FormatMoment(AnalysisMoments::LegalClockOf(origin.FetchedUtc)));
    }
    if (choice.Kind != TWeatherKind::Forecast) {
        return {};
    }
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
    const bool download = (choice.Kind == TWeatherKind::Forecast || choice.Kind == TWeatherKind::Ensemble)
        && choice.Origin.FilePath.isEmpty();
    if (!download || !ForecastRequest::NeedsAttribution(choice.Origin.Service)) {
        return {};
    }
    return AnalysisTexts::Text(language, TAnalysisText::WeatherAttribution);
}
