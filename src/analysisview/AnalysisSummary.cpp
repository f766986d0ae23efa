#include "AnalysisSummary.h"

#include "AnalysisMoments.h"
#include "AnalysisTexts.h"
#include "EnsembleTexts.h"
#include "RegionalFormat.h"
#include "SiteSummary.h"
#include "SiteTexts.h"

namespace {

QString reopeningOf(const TRunOutcome& outcome, TLanguage language)
{
    return AnalysisMoments::FormatMoment(outcome, outcome.Reopening)
        + AnalysisMoments::ClockNote(outcome, outcome.Reopening, language);
}

// "remise en circulation 10/07/2026 23:41 · attente 14 h 41 min (nuit)"
QString answerOf(const TRunOutcome& outcome, TLanguage language)
{
    QString answer
        = AnalysisTexts::Text(language, TAnalysisText::AnswerReopening)
              .arg(reopeningOf(outcome, language), AnalysisMoments::FormatWait(outcome.ResultSeconds, language));
    if (outcome.Night) {
        answer += QStringLiteral(" (%1)").arg(AnalysisTexts::Text(language, TAnalysisText::NightMark));
    }
    return answer;
}

QString differenceOf(const TRunOutcome& weather, const TRunOutcome& classes, TLanguage language)
{
    // The difference of the minutes the two answers show, so that it reads off
    // them: both runs share the laying's clock, a whole number of hours from
    // the wall clock's, so their shown minutes differ as these do.
    const long long minutes
        = AnalysisMoments::ShownMinute(weather.Reopening) - AnalysisMoments::ShownMinute(classes.Reopening);
    if (minutes == 0) {
        return AnalysisTexts::Text(language, TAnalysisText::DifferenceNone);
    }
    return AnalysisTexts::Text(
        language, minutes > 0 ? TAnalysisText::DifferenceLater : TAnalysisText::DifferenceEarlier)
        .arg(minutes < 0 ? -minutes : minutes);
}

}  // namespace

QString SummaryText(const TAnalysisSnapshot& snapshot, TLanguage language)
{
    const TRunOutcome& outcome = snapshot.Outcome;
    const QString separator = QStringLiteral("  ·  ");
    const QString laying = AnalysisTexts::Text(language, TAnalysisText::SummaryLaying)
                               .arg(AnalysisMoments::FormatMoment(outcome, outcome.Laying)
                                   + AnalysisMoments::ClockNote(outcome, outcome.Laying, language));
    if (snapshot.ClassesOutcome) {
        return laying + QLatin1Char('\n')
            + AnalysisTexts::Text(language, TAnalysisText::AnswerClasses)
                  .arg(answerOf(*snapshot.ClassesOutcome, language))
            + QLatin1Char('\n')
            + (snapshot.SiteAsked
                    ? SiteTexts::Text(language, TSiteText::AnswerSite)
                          .arg(SiteSummary::SiteDescription(snapshot, language), answerOf(outcome, language))
                    : !snapshot.TopMember.isEmpty()
                    ? EnsembleTexts::Text(language, TEnsembleText::AnswerTopMember)
                          .arg(snapshot.TopMember, answerOf(outcome, language))
                    : AnalysisTexts::Text(language, TAnalysisText::AnswerWeather).arg(answerOf(outcome, language)))
            + separator + differenceOf(outcome, *snapshot.ClassesOutcome, language);
    }
    return laying + separator
        + AnalysisTexts::Text(language, TAnalysisText::SummaryReopening).arg(reopeningOf(outcome, language)) + separator
        + AnalysisTexts::Text(language, TAnalysisText::SummaryWait)
              .arg(AnalysisMoments::FormatWait(outcome.ResultSeconds, language));
}

QString NightWarningText(const TAnalysisSnapshot& snapshot, TLanguage language)
{
    const TRunOutcome& outcome = snapshot.Outcome;
    if (!outcome.Succeeded() || !outcome.Night) {
        return {};
    }
    if (!snapshot.FirstDaylight || !AnalysisMoments::WallDateTime(outcome, *snapshot.FirstDaylight).isValid()) {
        return AnalysisTexts::Text(language, TAnalysisText::NightWarningPastCalendar);
    }
    return AnalysisTexts::Text(language, TAnalysisText::NightWarning)
        .arg(AnalysisMoments::FormatMoment(snapshot.Outcome, *snapshot.FirstDaylight)
            + AnalysisMoments::ClockNote(snapshot.Outcome, *snapshot.FirstDaylight, language));
}

QString CompactionText(const TAnalysisSnapshot& snapshot, TLanguage language)
{
    const TRunOutcome& outcome = snapshot.Outcome;
    if (!outcome.Succeeded()) {
        return {};
    }
    // Every lift has its own window, the next lift may cut it.
    if (outcome.Lifts.size() > 1) {
        return SiteSummary::LiftsText(snapshot, language);
    }
    const QString temp = RegionalFormat::FormatReal(snapshot.Scenario.CompactionTemp);
    if (!outcome.CompactionSeconds) {
        return AnalysisTexts::Text(language, TAnalysisText::CompactionPastReopening).arg(temp);
    }
    if (*outcome.CompactionSeconds <= 0.0) {
        return AnalysisTexts::Text(language, TAnalysisText::CompactionNone)
            .arg(RegionalFormat::FormatReal(snapshot.Scenario.LayingTemp), temp);
    }
    const double end = outcome.Laying + *outcome.CompactionSeconds / 86400.0;
    // The clock alone on the laying's day, as a site manager says it; the date too after midnight.
    const bool sameDay = AnalysisMoments::WallDateTime(outcome, end).date()
        == AnalysisMoments::WallDateTime(outcome, outcome.Laying).date();
    const QString moment
        = (sameDay ? AnalysisMoments::FormatClock(outcome, end) : AnalysisMoments::FormatMoment(outcome, end))
        + AnalysisMoments::ClockNote(outcome, end, language);
    return AnalysisTexts::Text(language, TAnalysisText::Compaction).arg(moment, temp);
}

QString WeatherNoteText(const TAnalysisSnapshot& snapshot, TLanguage language)
{
    if (snapshot.WeatherSource.isEmpty()) {
        return {};
    }
    const auto text = [language](TAnalysisText id) { return AnalysisTexts::Text(language, id); };
    QString note = snapshot.WeatherSource;
    const TRunOutcome& outcome = snapshot.Outcome;
    if (snapshot.WeatherMissesLaying) {
        // The frame's run on the same laying and clock writes the weather's moments.
        const auto moment = [&](double at) {
            return AnalysisMoments::FormatMoment(outcome, at) + AnalysisMoments::ClockNote(outcome, at, language);
        };
        return note + QLatin1Char(' ')
            + text(TAnalysisText::WeatherMissesLaying)
                  .arg(moment(snapshot.WeatherMissesLaying->first), moment(snapshot.WeatherMissesLaying->second));
    }
    if (snapshot.WeatherFailed) {
        return note + QLatin1Char(' ') + text(TAnalysisText::WeatherFailed);
    }
    if (outcome.WeatherFrom && *outcome.WeatherFrom > outcome.Laying) {
        note += QLatin1Char(' ')
            + text(TAnalysisText::WeatherStartsAfterLaying)
                  .arg(AnalysisMoments::FormatMoment(outcome, *outcome.WeatherFrom)
                      + AnalysisMoments::ClockNote(outcome, *outcome.WeatherFrom, language));
    }
    if (outcome.WeatherHeld && outcome.WeatherUntil) {
        note += QLatin1Char(' ')
            + text(TAnalysisText::WeatherHeld)
                  .arg(AnalysisMoments::FormatMoment(outcome, *outcome.WeatherUntil)
                      + AnalysisMoments::ClockNote(outcome, *outcome.WeatherUntil, language));
    }
    return note;
}
