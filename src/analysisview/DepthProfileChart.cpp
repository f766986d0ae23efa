#include "DepthProfileChart.h"

#include "AnalysisMoments.h"
#include "AnalysisTexts.h"
#include "CoolingChart.h"

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

namespace {

constexpr double TempStep = 20.0;  // degC between ticks
constexpr double DepthStep = 5.0;  // cm between ticks

}  // namespace

TDepthProfileChart::TDepthProfileChart(QWidget* parent)
    : QWidget(parent)
    , FMoment(new QLabel(this))
    , FSlider(new QSlider(Qt::Horizontal, this))
    , FChartView(new QChartView(this))
{
    FSlider->setObjectName(QStringLiteral("profileSlider"));
    FSlider->setRange(0, 0);
    FChartView->setRenderHint(QPainter::Antialiasing);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FChartView, 1);
    layout->addWidget(FSlider);
    layout->addWidget(FMoment);
    connect(FSlider, &QSlider::valueChanged, this, [this](int index) { ShowProfile(index); });
}

void TDepthProfileChart::SetSnapshot(const TAnalysisSnapshot& snapshot, TLanguage language)
{
    FLanguage = language;
    FNewLayer.clear();
    FBelow.clear();
    FMoments.clear();
    FClock = {};
    FClock.Laying = snapshot.Outcome.Laying;
    FClock.ClockOffset = snapshot.Outcome.ClockOffset;
    FClock.Clock = snapshot.Outcome.Clock;
    FElapsedSeconds.clear();
    const std::vector<int>& limits = snapshot.Outcome.Limits;
    const int boundary = limits.empty() ? 0 : limits.front();
    // Down to the bottom of the layer below: deeper, the ground barely changes.
    const int lastNode = limits.size() >= 2 ? limits[1] : std::numeric_limits<int>::max();
    double lowest = snapshot.Scenario.ReopenTemp;
    double highest = snapshot.Scenario.LayingTemp;
    double deepest = 0.0;
    for (const TDepthProfile& profile : snapshot.Profiles) {
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
        FNewLayer.append(newLayer);
        FBelow.append(below);
        FMoments.push_back(profile.Moment);
        FElapsedSeconds.push_back(profile.ElapsedSeconds);
    }

    auto* chart = new QChart();
    chart->setLocale(CoolingChart::ChartLocale(language));
    chart->setLocalizeNumbers(true);
    chart->legend()->setAlignment(Qt::AlignBottom);
    FNewLayerSeries = new QLineSeries(chart);
    FNewLayerSeries->setName(AnalysisTexts::Text(language, TAnalysisText::DepthNewLayer));
    FNewLayerSeries->setPen(QPen(QColor(200, 30, 30), 2.5));
    FBelowSeries = new QLineSeries(chart);
    FBelowSeries->setName(AnalysisTexts::Text(language, TAnalysisText::DepthLayerBelow));
    FBelowSeries->setPen(QPen(QColor(120, 90, 50), 2.5));
    chart->addSeries(FNewLayerSeries);
    chart->addSeries(FBelowSeries);
    const double tMin = std::floor(lowest / TempStep) * TempStep;
    const double tMax = std::ceil(highest / TempStep) * TempStep;
    const double depthMax = std::ceil(std::max(deepest, 1.0) / DepthStep) * DepthStep;
    bool firstBoundary = true;
    for (const int limit : snapshot.Outcome.Limits) {
        const double depth = NodeDepthCm(limit);
        if (depth > deepest) {
            continue;
        }
        auto* line = new QLineSeries(chart);
        line->setName(AnalysisTexts::Text(language, TAnalysisText::DepthBoundary));
        line->setPen(QPen(QColor(90, 90, 90), 1.0, Qt::DashLine));
        line->replace(QList<QPointF>{{tMin, depth}, {tMax, depth}});
        chart->addSeries(line);
        if (!firstBoundary) {
            for (QLegendMarker* marker : chart->legend()->markers(line)) {
                marker->setVisible(false);
            }
        }
        firstBoundary = false;
    }
    auto* tempAxis = new QValueAxis(chart);
    tempAxis->setTitleText(AnalysisTexts::Text(language, TAnalysisText::AxisTemp));
    tempAxis->setRange(tMin, tMax);
    tempAxis->setLabelFormat(QStringLiteral("%.0f"));
    tempAxis->setTickCount(static_cast<int>(std::lround((tMax - tMin) / TempStep)) + 1);
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
    ShowMomentText(index);
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
