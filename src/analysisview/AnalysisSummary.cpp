#include "AnalysisSummary.h"

#include "AnalysisMoments.h"
#include "AnalysisTexts.h"

QString SummaryText(const TAnalysisSnapshot& snapshot, TLanguage language)
{
    const TRunOutcome& outcome = snapshot.Outcome;
    const QString separator = QStringLiteral("  ·  ");
    return AnalysisTexts::Text(language, TAnalysisText::SummaryLaying)
               .arg(AnalysisMoments::FormatMoment(outcome, outcome.Laying))
        + separator
        + AnalysisTexts::Text(language, TAnalysisText::SummaryReopening)
              .arg(AnalysisMoments::FormatMoment(outcome, outcome.Reopening)
                  + AnalysisMoments::ClockNote(outcome, outcome.Reopening, language))
        + separator
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
