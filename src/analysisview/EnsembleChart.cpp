#include "EnsembleChart.h"

#include "AnalysisMoments.h"
#include "AnalysisTexts.h"
#include "CoolingChart.h"
#include "Daylight.h"
#include "EnsembleTexts.h"
#include "PICHourCls.h"
#include "RegionalFormat.h"
#include "TheTimeUtilsCls.h"
#include "WallClock.h"

#include <QLegendMarker>
#include <QLineSeries>

#include <algorithm>
#include <cmath>

namespace {

constexpr double TempStep = 20.0;
const QColor MemberColour(200, 30, 30, 60);
const QColor BoldColour(140, 10, 10);

qreal axisMs(double moment)
{
    return static_cast<qreal>(AnalysisMoments::ToMsSinceEpoch(moment));
}

// The member's hottest point, thinned to at most MaxPointsPerMember points;
// its last level, the reopening, is always kept.
QList<QPointF> memberLine(const TRunOutcome& run)
{
    QList<QPointF> points;
    if (!run.History)
        return points;
    const std::vector<double>& temps = run.History->LayerMaxTemps();
    const auto levels = static_cast<int>(temps.size());
    const int every = std::max(1, (levels + EnsembleChart::MaxPointsPerMember - 1) / EnsembleChart::MaxPointsPerMember);
    points.reserve(levels / every + 2);
    for (int level = 0; level < levels; level += every)
        points.append({axisMs(TheTimeUtilsCls::AddDuration(run.Laying, level * TPICHourCls::TimeStep)),
            temps[static_cast<std::size_t>(level)]});
    if (levels > 0 && (levels - 1) % every != 0)
        points.append(
            {axisMs(TheTimeUtilsCls::AddDuration(run.Laying, (levels - 1) * TPICHourCls::TimeStep)), temps.back()});
    return points;
}

// The target is a wall-clock reading; the axis runs on the laying's clock.
double targetOnRunClock(double target, const TRunOutcome& run)
{
    return WallClock::FromUtc(WallClock::WallToUtc(target, run.Clock), run.ClockOffset);
}

QLineSeries* addLine(QChart& chart, const char* name, const QString& title, const QPen& pen)
{
    auto* series = new QLineSeries(&chart);
    series->setObjectName(QString::fromLatin1(name));
    series->setName(title);
    series->setPen(pen);
    chart.addSeries(series);
    return series;
}

}  // namespace

std::size_t EnsembleChart::BoldMember(const TEnsembleResult& result)
{
    const std::size_t members = result.Outcome.Runs.size();
    if (result.Ensemble) {
        const std::string& top = result.Ensemble->Members.at(result.Outcome.TopMember).Name;
        if (top.starts_with("control"))
            return result.Outcome.TopMember;
    }
    return result.Outcome.P50 && *result.Outcome.P50 < members ? *result.Outcome.P50 : result.Outcome.TopMember;
}

QChart* EnsembleChart::Build(const TEnsembleResult& result, const TScenario& scenario, TLanguage language)
{
    QChart* chart = CoolingChart::NewChart(language);
    const auto text = [language](TEnsembleText id) { return EnsembleTexts::Text(language, id); };
    const std::vector<TRunOutcome>& runs = result.Outcome.Runs;
    if (runs.empty())
        return chart;
    const std::size_t bold = BoldMember(result);
    const TRunOutcome& reference = runs[bold];

    // The span covers every member's curve and the target.
    double last = reference.Laying;
    double lowest = scenario.ReopenTemp;
    double highest = scenario.LayingTemp;
    std::vector<QList<QPointF>> lines;
    lines.reserve(runs.size());
    for (const TRunOutcome& run : runs) {
        lines.push_back(memberLine(run));
        if (run.History)
            last = std::max(last,
                TheTimeUtilsCls::AddDuration(run.Laying, (run.History->LevelCount() - 1) * TPICHourCls::TimeStep));
        for (const QPointF& point : lines.back()) {
            lowest = std::min(lowest, point.y());
            highest = std::max(highest, point.y());
        }
    }
    if (result.Target) {
        last = std::max(last, targetOnRunClock(*result.Target, reference));
    }
    constexpr int ClockSteps = 6;
    const AnalysisMoments::TClockSpan span = AnalysisMoments::RoundClockSpan(reference.Laying, last, ClockSteps);
    const double end = std::min(span.End, AnalysisMoments::CalendarEnd - AnalysisMoments::OneSecond);
    const double yMin = std::floor(lowest / TempStep) * TempStep;
    const double yMax = std::ceil(highest / TempStep) * TempStep;

    CoolingChart::AddNights(*chart,
        Daylight::NightsBetween(span.Start, end, reference.ClockOffset, Daylight::DefaultSite()), {yMin, yMax},
        QString());

    bool firstMember = true;
    for (std::size_t m = 0; m < runs.size(); ++m) {
        if (m == bold)
            continue;
        QLineSeries* line = addLine(*chart, MemberName, text(TEnsembleText::Members), QPen(MemberColour, 1.0));
        line->setProperty(MemberProperty, static_cast<qulonglong>(m));
        line->replace(lines[m]);
        // One entry in the legend stands for all of them.
        for (QLegendMarker* marker : chart->legend()->markers(line))
            marker->setVisible(firstMember);
        firstMember = false;
    }
    const QString boldName
        = result.Ensemble ? QString::fromStdString(result.Ensemble->Members.at(bold).Name) : QString::number(bold + 1);
    const bool control = result.Ensemble && result.Ensemble->Members.at(bold).Name.starts_with("control");
    QLineSeries* boldLine = addLine(*chart, BoldName,
        text(control ? TEnsembleText::TopMember : TEnsembleText::Median).arg(boldName), QPen(BoldColour, 2.5));
    boldLine->setProperty(MemberProperty, static_cast<qulonglong>(bold));
    boldLine->replace(lines[bold]);

    QPen dashed(QColor(30, 60, 160), 1.5, Qt::DashLine);
    addLine(*chart, ThresholdName,
        AnalysisTexts::Text(language, TAnalysisText::SeriesThreshold)
            .arg(RegionalFormat::FormatReal(scenario.ReopenTemp)),
        dashed)
        ->replace(QList<QPointF>{{axisMs(span.Start), scenario.ReopenTemp}, {axisMs(end), scenario.ReopenTemp}});
    if (result.Target) {
        const double at = targetOnRunClock(*result.Target, reference);
        addLine(*chart, TargetName, text(TEnsembleText::TargetLine).arg(AnalysisMoments::FormatClock(*result.Target)),
            QPen(QColor(20, 120, 40), 2.0, Qt::DashDotLine))
            ->replace(QList<QPointF>{{axisMs(at), yMin}, {axisMs(at), yMax}});
    }

    CoolingChart::AddAxes(*chart, reference, span.Start, end, span.StepHours, {yMin, yMax}, TempStep, language);
    return chart;
}
