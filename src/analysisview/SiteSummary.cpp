#include "SiteSummary.h"

#include "AnalysisMoments.h"
#include "AnalysisTexts.h"
#include "PICHourCls.h"
#include "RegionalFormat.h"
#include "SiteTexts.h"

#include <QStringList>

#include <cmath>

namespace SiteSummary {

namespace {

QString text(TLanguage language, TSiteText id)
{
    return SiteTexts::Text(language, id);
}

QString number(std::size_t lift)
{
    return QString::number(lift + 1);
}

QString wholeDegrees(double value)
{
    return QString::number(std::lround(value));
}

}  // namespace

QString ClockOrMoment(const TRunOutcome& outcome, double moment, TLanguage language)
{
    const bool sameDay = AnalysisMoments::WallDateTime(outcome, moment).date()
        == AnalysisMoments::WallDateTime(outcome, outcome.Laying).date();
    return (sameDay ? AnalysisMoments::FormatClock(outcome, moment) : AnalysisMoments::FormatMoment(outcome, moment))
        + AnalysisMoments::ClockNote(outcome, moment, language);
}

QString SiteDescription(const TAnalysisSnapshot& snapshot, TLanguage language)
{
    QStringList parts;
    if (!snapshot.WeatherSource.isEmpty()) {
        parts << text(language, TSiteText::SiteWeather);
    }
    if (snapshot.Scenario.RoadWarmth) {
        parts << text(language, TSiteText::SiteWarmth);
    }
    if (!snapshot.Scenario.Lifts.empty()) {
        parts << text(language, TSiteText::SiteLifts).arg(snapshot.Scenario.Lifts.size() + 1);
    }
    return parts.join(QStringLiteral(", "));
}

QString RefusalText(const TSiteRefusal& refusal, TLanguage language)
{
    const QString lift = number(refusal.Index + 1);
    if (!refusal.Refusal) {
        return text(language, TSiteText::RefusedSkipped).arg(lift, AnalysisMoments::FormatClock(refusal.SkippedWall));
    }
    const TPICHourCls engine;
    const double runLimit = static_cast<double>(TPICHourCls::MaxSteps) * TPICHourCls::TimeStep;
    switch (*refusal.Refusal) {
    case ScenarioInputs::TLiftRefusal::TooMany:
        break;
    case ScenarioInputs::TLiftRefusal::NotAReal:
        return text(language, TSiteText::RefusedNotAReal).arg(lift);
    case ScenarioInputs::TLiftRefusal::NotAfterPrevious:
        return text(language, TSiteText::RefusedNotAfter).arg(lift, number(refusal.Index));
    case ScenarioInputs::TLiftRefusal::NotWholeMinutes:
        return text(language, TSiteText::RefusedNotWholeMinutes).arg(lift);
    case ScenarioInputs::TLiftRefusal::PastRunLimit:
        return text(language, TSiteText::RefusedPastLimit)
            .arg(lift, AnalysisMoments::FormatWait(refusal.ElapsedSeconds, language),
                AnalysisMoments::FormatWait(runLimit, language));
    case ScenarioInputs::TLiftRefusal::Thickness:
        return text(language, TSiteText::RefusedThickness)
            .arg(
                lift, RegionalFormat::FormatReal(engine.ThicknessMin), RegionalFormat::FormatReal(engine.ThicknessMax));
    case ScenarioInputs::TLiftRefusal::LayingTemp:
        return text(language, TSiteText::RefusedLayingTemp)
            .arg(lift, RegionalFormat::FormatReal(engine.LayingTempMin),
                RegionalFormat::FormatReal(engine.LayingTempMax));
    }
    return text(language, TSiteText::RefusedTooMany).arg(ScenarioInputs::MaxFurtherLifts);
}

QString CompactionCell(const TAnalysisSnapshot& snapshot, std::size_t n, TLanguage language)
{
    const TRunOutcome& outcome = snapshot.Outcome;
    const TLiftOutcome& lift = outcome.Lifts.at(n);
    if (lift.CompactionSeconds && *lift.CompactionSeconds <= 0.0) {
        return text(language, TSiteText::ReportNoCompaction);
    }
    if (lift.CompactionSeconds) {
        return ClockOrMoment(outcome, lift.Laid + *lift.CompactionSeconds / 86400.0, language);
    }
    return n + 1 < outcome.Lifts.size() ? text(language, TSiteText::ReportCutBy).arg(number(n + 1))
                                        : text(language, TSiteText::ReportPastReopening);
}

QString LiftsText(const TAnalysisSnapshot& snapshot, TLanguage language)
{
    const TRunOutcome& outcome = snapshot.Outcome;
    if (!outcome.Succeeded() || outcome.Lifts.size() < 2) {
        return {};
    }
    const QString compactionTemp = RegionalFormat::FormatReal(snapshot.Scenario.CompactionTemp);
    QStringList lines;
    for (std::size_t n = 0; n < outcome.Lifts.size(); ++n) {
        const TLiftOutcome& lift = outcome.Lifts[n];
        // "à 23:00" on the laying's day, "le 11/07/2026 à 00:00" after.
        const QDate day = AnalysisMoments::WallDateTime(outcome, lift.Laid).date();
        const bool sameDay = day == AnalysisMoments::WallDateTime(outcome, outcome.Laying).date();
        const QString clock = AnalysisMoments::FormatClock(outcome, lift.Laid)
            + AnalysisMoments::ClockNote(outcome, lift.Laid, language);
        const QString date = RegionalFormat::FormatDate(day);
        QString line;
        if (n == 0 || !lift.BaseMeanTemp) {
            line = sameDay ? text(language, TSiteText::LiftLaid).arg(number(n), clock)
                           : text(language, TSiteText::LiftLaidDay).arg(number(n), date, clock);
        } else {
            const QString below = number(n - 1);
            const QString mean = wholeDegrees(*lift.BaseMeanTemp);
            line = sameDay ? text(language, TSiteText::LiftLaidOn).arg(number(n), clock, below, mean)
                           : text(language, TSiteText::LiftLaidOnDay).arg(number(n), date, clock, below, mean);
        }
        QString window;
        if (lift.CompactionSeconds && *lift.CompactionSeconds <= 0.0) {
            window = text(language, TSiteText::LiftCompactionNone)
                         .arg(RegionalFormat::FormatReal(lift.LayingTemp), compactionTemp);
        } else if (lift.CompactionSeconds) {
            window = text(language, TSiteText::LiftCompaction).arg(CompactionCell(snapshot, n, language));
        } else if (n + 1 < outcome.Lifts.size()) {
            window = text(language, TSiteText::LiftCompactionCut).arg(number(n + 1), compactionTemp);
        } else {
            window = text(language, TSiteText::LiftCompactionPastEnd);
        }
        lines << line + QStringLiteral("  ·  ") + window;
    }
    return lines.join(QLatin1Char('\n'));
}

QString ExistingRoadText(const TAnalysisSnapshot& snapshot, TLanguage language)
{
    const TRunOutcome& outcome = snapshot.Outcome;
    // The frame's run drawn for a failed site has not the road it asked for.
    if (!outcome.Succeeded() || snapshot.WeatherFailed) {
        return {};
    }
    if (!outcome.RoadWarmth) {
        return text(language, TSiteText::RoadUniform).arg(RegionalFormat::FormatReal(outcome.BottomTemp));
    }
    const auto road = ExistingRoadAtLaying(outcome);
    if (!road) {
        return {};
    }
    const QString temps = text(language, TSiteText::RoadAtLaying)
                              .arg(RegionalFormat::FormatReal((*road)[0]), RegionalFormat::FormatReal((*road)[1]),
                                  RegionalFormat::FormatReal((*road)[2]), RegionalFormat::FormatReal((*road)[3]));
    const QString warmedBy = snapshot.WeatherSource.isEmpty()
        ? text(language, TSiteText::RoadWarmedByClasses)
        : text(language, TSiteText::RoadWarmedByWeather).arg(snapshot.WeatherSource);
    return temps + QLatin1Char('\n') + warmedBy;
}

QString SiteNoteText(const TAnalysisSnapshot& snapshot, TLanguage language)
{
    if (snapshot.SiteRefusal) {
        return text(language, TSiteText::RefusedKept).arg(RefusalText(*snapshot.SiteRefusal, language));
    }
    // A failed weather says so itself.
    if (snapshot.WeatherFailed && snapshot.SiteAsked && snapshot.WeatherSource.isEmpty()) {
        if (snapshot.SiteFailure == TPICHourCls::FailureTooLong) {
            const double runLimit = static_cast<double>(TPICHourCls::MaxSteps) * TPICHourCls::TimeStep;
            return text(language, TSiteText::SiteFailedTooLong).arg(AnalysisMoments::FormatWait(runLimit, language));
        }
        return text(language, TSiteText::SiteFailed);
    }
    return {};
}

}  // namespace SiteSummary
