#include "CoolingChart.h"

#include "AnalysisMoments.h"
#include "AnalysisTexts.h"
#include "ClockAxis.h"
#include "RegionalFormat.h"

#include <QAreaSeries>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// degC between the temperature axis's ticks: 10, or 20 on a wide range, so
// that the labels keep room enough on a small chart or a page.
constexpr double FineTempStep = 10.0;
constexpr double CoarseTempStep = 20.0;
constexpr double MaxFineTempRange = 100.0;

QLineSeries* AddLine(QChart& chart, const char* name, const QString& title, const QColor& color)
{
    auto* series = new QLineSeries(&chart);
    series->setObjectName(QString::fromLatin1(name));
    series->setName(title);
    series->setPen(QPen(color, 2.0));
    chart.addSeries(series);
    return series;
}

// A dashed level across the whole clock axis.
void AddLevel(QChart& chart, const char* name, const QString& title, const QColor& color, Qt::PenStyle style,
    std::pair<qreal, qreal> span, double temp)
{
    QLineSeries* level = AddLine(chart, name, title, color);
    QPen pen = level->pen();
    pen.setStyle(style);
    pen.setWidthF(1.5);
    level->setPen(pen);
    level->replace(QList<QPointF>{{span.first, temp}, {span.second, temp}});
}

// Each lift after the first: a dotted line across the temperatures at its
// laying, its number ("2", "3", ...) over the line; one legend entry for all.
void AddLiftLines(QChart& chart, const TRunOutcome& outcome, const QString& title, std::pair<double, double> temps)
{
    for (std::size_t n = 1; n < outcome.Lifts.size(); ++n) {
        const auto x = static_cast<qreal>(AnalysisMoments::ToMsSinceEpoch(outcome.Lifts[n].Laid));
        QLineSeries* line = AddLine(chart, CoolingChart::LiftName, title, QColor(70, 70, 70));
        QPen pen = line->pen();
        pen.setStyle(Qt::DotLine);
        pen.setWidthF(1.5);
        line->setPen(pen);
        line->replace(QList<QPointF>{{x, temps.first}, {x, temps.second}});
        auto* number = new QScatterSeries(&chart);
        number->setObjectName(QString::fromLatin1(CoolingChart::LiftNumberName));
        number->setName(QString::number(n + 1));
        number->setMarkerSize(1.0);
        number->setColor(Qt::transparent);
        number->setBorderColor(Qt::transparent);
        // A format without placeholders is drawn as it is.
        number->setPointLabelsFormat(QString::number(n + 1));
        number->setPointLabelsVisible(true);
        number->setPointLabelsClipping(false);
        number->setPointLabelsColor(QColor(40, 40, 40));
        number->replace(QList<QPointF>{{x, temps.second}});
        chart.addSeries(number);
        for (QLegendMarker* marker : chart.legend()->markers(number)) {
            marker->setVisible(false);
        }
        if (n > 1) {
            for (QLegendMarker* marker : chart.legend()->markers(line)) {
                marker->setVisible(false);
            }
        }
    }
}

}  // namespace

QLocale CoolingChart::ChartLocale(TLanguage language)
{
    return language == lgNL ? QLocale(QLocale::Dutch, QLocale::Belgium) : QLocale(QLocale::French, QLocale::Belgium);
}

QChart* CoolingChart::NewChart(TLanguage language)
{
    auto* chart = new QChart();
    chart->setLocale(ChartLocale(language));
    chart->setLocalizeNumbers(true);
    // Beside the plot, one series a line: eight names never fit under it.
    chart->legend()->setAlignment(Qt::AlignRight);
    // Each swatch drawn as its series is (a dashed line, a square mark), so that
    // the threshold and the reopening mark cannot be taken for each other.
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    return chart;
}

void CoolingChart::AddNights(
    QChart& chart, const std::vector<Daylight::TNight>& nights, std::pair<double, double> temps, const QString& title)
{
    bool firstNight = true;
    for (const Daylight::TNight& night : nights) {
        auto* upper = new QLineSeries(&chart);
        auto* lower = new QLineSeries(&chart);
        const auto start = static_cast<qreal>(AnalysisMoments::ToMsSinceEpoch(night.Start));
        const auto end = static_cast<qreal>(AnalysisMoments::ToMsSinceEpoch(night.End));
        upper->replace(QList<QPointF>{{start, temps.second}, {end, temps.second}});
        lower->replace(QList<QPointF>{{start, temps.first}, {end, temps.first}});
        auto* band = new QAreaSeries(upper, lower);
        band->setParent(&chart);
        band->setObjectName(QString::fromLatin1(NightName));
        band->setName(title);
        band->setColor(QColor(40, 50, 110, 45));
        band->setBorderColor(Qt::transparent);
        chart.addSeries(band);
        for (QLegendMarker* marker : chart.legend()->markers(band)) {
            // A band has no line to draw: its swatch is its shade.
            marker->setShape(QLegend::MarkerShapeRectangle);
            marker->setBrush(QColor(40, 50, 110, 110));
            marker->setVisible(firstNight && !title.isEmpty());
        }
        firstNight = false;
    }
}

QChart* CoolingChart::Build(const TAnalysisSnapshot& snapshot, TLanguage language)
{
    QChart* chart = NewChart(language);
    const auto text = [language](TAnalysisText id) { return AnalysisTexts::Text(language, id); };

    const double compactionTemp = snapshot.Scenario.CompactionTemp;
    double lowest = std::min(snapshot.Scenario.ReopenTemp, compactionTemp);
    double highest = std::max(snapshot.Scenario.LayingTemp, compactionTemp);
    QList<QPointF> layerMax;
    QList<QPointF> layerMean;
    QList<QPointF> surface;
    QList<QPointF> air;
    layerMax.reserve(static_cast<qsizetype>(snapshot.Curve.size()));
    layerMean.reserve(layerMax.capacity());
    surface.reserve(layerMax.capacity());
    air.reserve(layerMax.capacity());
    for (const TCurvePoint& point : snapshot.Curve) {
        const auto x = static_cast<qreal>(AnalysisMoments::ToMsSinceEpoch(point.Moment));
        layerMax.append({x, point.LayerMaxTemp});
        layerMean.append({x, point.LayerMeanTemp});
        surface.append({x, point.SurfaceTemp});
        air.append({x, point.AirTemp});
        lowest = std::min({lowest, point.SurfaceTemp, point.AirTemp});
        highest = std::max({highest, point.LayerMaxTemp, point.SurfaceTemp});
    }
    const double tempStep = highest - lowest > MaxFineTempRange ? CoarseTempStep : FineTempStep;
    const double yMin = std::floor(lowest / tempStep) * tempStep;
    const double yMax = std::ceil(highest / tempStep) * tempStep;
    const auto xMin = static_cast<qreal>(AnalysisMoments::ToMsSinceEpoch(snapshot.ChartStart));
    const auto xMax = static_cast<qreal>(AnalysisMoments::ToMsSinceEpoch(snapshot.ChartEnd));

    // Nights first, so that the curves are drawn over them.
    AddNights(*chart, snapshot.Nights, {yMin, yMax}, text(TAnalysisText::SeriesNight));

    AddLine(*chart, AirName, text(TAnalysisText::SeriesAir), QColor(60, 140, 60))->replace(air);
    AddLine(*chart, SurfaceName, text(TAnalysisText::SeriesSurface), QColor(230, 140, 20))->replace(surface);
    AddLine(*chart, LayerMeanName, text(TAnalysisText::SeriesLayerMean), QColor(140, 60, 150))->replace(layerMean);
    // With further lifts the criterion scans every lift laid, not the top one alone.
    const bool severalLifts = snapshot.Outcome.Lifts.size() > 1;
    AddLine(*chart, LayerMaxName, text(severalLifts ? TAnalysisText::SeriesLiftsMax : TAnalysisText::SeriesLayerMax),
        QColor(200, 30, 30))
        ->replace(layerMax);

    AddLevel(*chart, ThresholdName,
        text(TAnalysisText::SeriesThreshold).arg(RegionalFormat::FormatReal(snapshot.Scenario.ReopenTemp)),
        QColor(30, 60, 160), Qt::DashLine, {xMin, xMax}, snapshot.Scenario.ReopenTemp);
    AddLevel(*chart, CompactionName,
        text(TAnalysisText::SeriesCompaction).arg(RegionalFormat::FormatReal(compactionTemp)), QColor(140, 60, 150),
        Qt::DashDotLine, {xMin, xMax}, compactionTemp);

    AddLiftLines(*chart, snapshot.Outcome, text(TAnalysisText::SeriesLiftLaid), {yMin, yMax});

    if (snapshot.Outcome.Succeeded()) {
        auto* reopening = new QScatterSeries(chart);
        reopening->setObjectName(QString::fromLatin1(ReopeningName));
        reopening->setName(text(TAnalysisText::SeriesReopening));
        reopening->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
        reopening->setMarkerSize(11.0);
        reopening->setColor(QColor(20, 20, 20));
        reopening->setBorderColor(QColor(20, 20, 20));
        reopening->replace(
            QList<QPointF>{{static_cast<qreal>(AnalysisMoments::ToMsSinceEpoch(snapshot.Outcome.Reopening)),
                snapshot.Scenario.ReopenTemp}});
        chart->addSeries(reopening);
    }

    AddAxes(*chart, snapshot.Outcome, snapshot.ChartStart, snapshot.ChartEnd, snapshot.StepHours, {yMin, yMax},
        tempStep, language);
    return chart;
}

void CoolingChart::AddAxes(QChart& chart, const TRunOutcome& clock, double start, double end, int stepHours,
    std::pair<double, double> temps, double tempStep, TLanguage language)
{
    const bool severalDays = end - start > 1.0 || std::floor(start) != std::floor(end - 1e-9);
    QCategoryAxis* clockAxis = ClockAxis::Make(&chart, clock, start, end, stepHours, severalDays, true, language);
    clockAxis->setTitleText(AnalysisTexts::Text(language, TAnalysisText::AxisClock));
    auto* tempAxis = new QValueAxis(&chart);
    tempAxis->setTitleText(AnalysisTexts::Text(language, TAnalysisText::AxisTemp));
    tempAxis->setRange(temps.first, temps.second);
    tempAxis->setLabelFormat(QStringLiteral("%.0f"));
    tempAxis->setTickCount(static_cast<int>(std::lround((temps.second - temps.first) / tempStep)) + 1);
    chart.addAxis(clockAxis, Qt::AlignBottom);
    chart.addAxis(tempAxis, Qt::AlignLeft);
    for (QAbstractSeries* series : chart.series()) {
        series->attachAxis(clockAxis);
        series->attachAxis(tempAxis);
    }
}
