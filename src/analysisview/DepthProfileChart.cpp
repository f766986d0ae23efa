#include "DepthProfileChart.h"

#include "AnalysisMoments.h"
#include "AnalysisTexts.h"
#include "CoolingChart.h"
#include "RegionalFormat.h"

#include <QChartView>
#include <QGraphicsLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QSlider>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

constexpr double TempStep = 20.0;  // degC between ticks
constexpr double DepthStep = 5.0;  // cm between ticks

// The layer bottoms at a moment, those of the last lift laid by then, and
// how many lifts are on the road.
std::pair<const std::vector<int>*, std::size_t> limitsAt(const TRunOutcome& outcome, int elapsedSeconds)
{
    std::pair<const std::vector<int>*, std::size_t> at{&outcome.Limits, 1};
    for (std::size_t n = 0; n < outcome.Lifts.size(); ++n) {
        const TLiftOutcome& lift = outcome.Lifts[n];
        if (lift.ElapsedSeconds <= elapsedSeconds && !lift.Limits.empty()) {
            at = {&lift.Limits, n + 1};
        }
    }
    return at;
}

QLineSeries* boundaryLine(QChart& chart, const QString& title, const QPen& pen, bool inLegend)
{
    auto* line = new QLineSeries(&chart);
    line->setName(title);
    line->setPen(pen);
    chart.addSeries(line);
    for (QLegendMarker* marker : chart.legend()->markers(line)) {
        marker->setVisible(inLegend);
    }
    return line;
}

}  // namespace

TDepthProfileChart::TDepthProfileChart(QWidget* parent)
    : QWidget(parent)
    , FMoment(new QLabel(this))
    , FWarmRoad(new QLabel(this))
    , FSlider(new QSlider(Qt::Horizontal, this))
    , FChartView(new QChartView(this))
{
    FSlider->setObjectName(QStringLiteral("profileSlider"));
    FSlider->setRange(0, 0);
    FChartView->setRenderHint(QPainter::Antialiasing);
    FWarmRoad->setObjectName(QStringLiteral("warmRoad"));
    FWarmRoad->setWordWrap(true);
    FWarmRoad->setVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FChartView, 1);
    layout->addWidget(FSlider);
    layout->addWidget(FMoment);
    layout->addWidget(FWarmRoad);
    connect(FSlider, &QSlider::valueChanged, this, [this](int index) { ShowProfile(index); });
}

void TDepthProfileChart::SetSnapshot(const TAnalysisSnapshot& snapshot, TLanguage language)
{
    FLanguage = language;
    FNewLayer.clear();
    FBelow.clear();
    FLiftBoundaries.clear();
    FRoadBoundaries.clear();
    FLiftLines.clear();
    FRoadLines.clear();
    FMoments.clear();
    FClock = {};
    FClock.Laying = snapshot.Outcome.Laying;
    FClock.ClockOffset = snapshot.Outcome.ClockOffset;
    FClock.Clock = snapshot.Outcome.Clock;
    FElapsedSeconds.clear();
    double lowest = snapshot.Scenario.ReopenTemp;
    double highest = snapshot.Scenario.LayingTemp;
    double deepest = 0.0;
    qsizetype liftLines = 0;
    qsizetype roadLines = 0;
    for (const TDepthProfile& profile : snapshot.Profiles) {
        const auto [limitsOf, laid] = limitsAt(snapshot.Outcome, profile.ElapsedSeconds);
        const std::vector<int>& limits = *limitsOf;
        // The new lifts down to the first one's bottom, then the layer below it.
        const int boundary = limits.size() >= laid ? limits[laid - 1] : 0;
        // Down to the bottom of the layer below: deeper, the ground barely changes.
        const int lastNode = limits.size() > laid ? limits[laid] : std::numeric_limits<int>::max();
        QList<QPointF> newLayer;
        QList<QPointF> below;
        for (std::size_t n = 0; n < profile.Temps.size(); ++n) {
            const int node = static_cast<int>(n) + 1;
            if (node > lastNode) {
                break;
            }
            const QPointF point(profile.Temps[n], NodeDepthCm(node));
            // The boundary node belongs to both, so that the two lines meet.
            if (node <= boundary) {
                newLayer.append(point);
            }
            if (node >= boundary) {
                below.append(point);
            }
            lowest = std::min(lowest, profile.Temps[n]);
            highest = std::max(highest, profile.Temps[n]);
            deepest = std::max(deepest, point.y());
        }
        QList<double> between;
        QList<double> road;
        for (std::size_t j = 0; j < limits.size(); ++j) {
            (j + 1 < laid ? between : road).append(NodeDepthCm(limits[j]));
        }
        liftLines = std::max(liftLines, between.size());
        roadLines = std::max(roadLines, road.size());
        FNewLayer.append(newLayer);
        FBelow.append(below);
        FLiftBoundaries.append(between);
        FRoadBoundaries.append(road);
        FMoments.push_back(profile.Moment);
        FElapsedSeconds.push_back(profile.ElapsedSeconds);
    }
    // The lines below the deepest node drawn have nothing beside them.
    for (QList<QList<double>>* depths : {&FLiftBoundaries, &FRoadBoundaries}) {
        for (QList<double>& list : *depths) {
            list.removeIf([deepest](double depth) { return depth > deepest; });
        }
    }

    auto* chart = new QChart();
    chart->setLocale(CoolingChart::ChartLocale(language));
    chart->setLocalizeNumbers(true);
    chart->legend()->setAlignment(Qt::AlignBottom);
    FNewLayerSeries = new QLineSeries(chart);
    FNewLayerSeries->setName(AnalysisTexts::Text(
        language, snapshot.Outcome.Lifts.size() > 1 ? TAnalysisText::DepthNewLifts : TAnalysisText::DepthNewLayer));
    FNewLayerSeries->setPen(QPen(QColor(200, 30, 30), 2.5));
    FBelowSeries = new QLineSeries(chart);
    FBelowSeries->setName(AnalysisTexts::Text(language, TAnalysisText::DepthLayerBelow));
    FBelowSeries->setPen(QPen(QColor(120, 90, 50), 2.5));
    chart->addSeries(FNewLayerSeries);
    chart->addSeries(FBelowSeries);
    FTempMin = std::floor(lowest / TempStep) * TempStep;
    FTempMax = std::ceil(highest / TempStep) * TempStep;
    const double depthMax = std::ceil(std::max(deepest, 1.0) / DepthStep) * DepthStep;
    for (qsizetype n = 0; n < roadLines; ++n) {
        FRoadLines.append(boundaryLine(*chart, AnalysisTexts::Text(language, TAnalysisText::DepthBoundary),
            QPen(QColor(90, 90, 90), 1.0, Qt::DashLine), n == 0));
    }
    for (qsizetype n = 0; n < liftLines; ++n) {
        FLiftLines.append(boundaryLine(*chart, AnalysisTexts::Text(language, TAnalysisText::DepthLiftBoundary),
            QPen(QColor(200, 30, 30), 1.0, Qt::DotLine), n == 0));
    }
    auto* tempAxis = new QValueAxis(chart);
    tempAxis->setTitleText(AnalysisTexts::Text(language, TAnalysisText::AxisTemp));
    tempAxis->setRange(FTempMin, FTempMax);
    tempAxis->setLabelFormat(QStringLiteral("%.0f"));
    tempAxis->setTickCount(static_cast<int>(std::lround((FTempMax - FTempMin) / TempStep)) + 1);
    auto* depthAxis = new QValueAxis(chart);
    depthAxis->setTitleText(AnalysisTexts::Text(language, TAnalysisText::AxisDepth));
    depthAxis->setRange(0.0, depthMax);
    depthAxis->setTickCount(static_cast<int>(std::lround(depthMax / DepthStep)) + 1);
    depthAxis->setReverse(true);
    depthAxis->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(tempAxis, Qt::AlignTop);
    chart->addAxis(depthAxis, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(tempAxis);
        series->attachAxis(depthAxis);
    }
    QChart* old = FChartView->chart();
    FChartView->setChart(chart);
    delete old;

    // The profile at the laying is the road as the lift was laid on it.
    FWarmRoad->setVisible(snapshot.Outcome.RoadWarmth);
    FWarmRoad->setText(snapshot.Outcome.RoadWarmth
            ? AnalysisTexts::Text(language, TAnalysisText::DepthWarmRoad)
                  .arg(RegionalFormat::FormatReal(snapshot.Outcome.ExistingSurfaceTemp))
            : QString());

    const QSignalBlocker blocker(FSlider);
    FSlider->setRange(0, std::max(0, static_cast<int>(FNewLayer.size()) - 1));
    // The last profile is the reopening's own.
    const int last = FSlider->maximum();
    FSlider->setValue(last);
    ShowProfile(last);
}

void TDepthProfileChart::ShowProfile(int index)
{
    if (index < 0 || index >= FNewLayer.size() || FNewLayerSeries == nullptr) {
        return;
    }
    FNewLayerSeries->replace(FNewLayer[index]);
    FBelowSeries->replace(FBelow[index]);
    for (auto [lines, depths] :
        {std::pair{&FLiftLines, &FLiftBoundaries[index]}, {&FRoadLines, &FRoadBoundaries[index]}}) {
        for (qsizetype n = 0; n < lines->size(); ++n) {
            QList<QPointF> points;
            if (n < depths->size()) {
                points = {{FTempMin, depths->at(n)}, {FTempMax, depths->at(n)}};
            }
            lines->at(n)->replace(points);
        }
    }
    ShowMomentText(index);
}

QList<double> TDepthProfileChart::DepthsOf(const QList<QLineSeries*>& lines)
{
    QList<double> depths;
    for (const QLineSeries* line : lines) {
        if (!line->points().isEmpty()) {
            depths.append(line->points().front().y());
        }
    }
    return depths;
}

QList<double> TDepthProfileChart::LiftBoundaryDepths() const
{
    return DepthsOf(FLiftLines);
}

QList<double> TDepthProfileChart::RoadBoundaryDepths() const
{
    return DepthsOf(FRoadLines);
}

QList<QPointF> TDepthProfileChart::NewLayerPoints() const
{
    return FNewLayerSeries != nullptr ? FNewLayerSeries->points() : QList<QPointF>();
}

QList<QPointF> TDepthProfileChart::BelowPoints() const
{
    return FBelowSeries != nullptr ? FBelowSeries->points() : QList<QPointF>();
}

void TDepthProfileChart::ShowMomentText(int index)
{
    const auto n = static_cast<std::size_t>(index);
    const double elapsed = FElapsedSeconds.at(n);
    FMoment->setText(AnalysisTexts::Text(FLanguage, TAnalysisText::DepthMoment)
                         .arg(AnalysisMoments::FormatMoment(FClock, FMoments.at(n))
                                 + AnalysisMoments::ClockNote(FClock, FMoments.at(n), FLanguage),
                             AnalysisMoments::FormatWait(elapsed, FLanguage)));
}

QImage TDepthProfileChart::ExportImage() const
{
    QChart* chart = FChartView->chart();
    const QString title = chart->title();
    chart->setTitle(FMoment->text());
    // Laid out again now, not at the next event: the grab draws the title in its room.
    chart->layout()->activate();
    QImage image = FChartView->grab().toImage();
    chart->setTitle(title);
    chart->layout()->activate();
    return image;
}

QWidget* TDepthProfileChart::ChartWidget() const
{
    return FChartView;
}
