#pragma once

#include "AnalysisSnapshot.h"
#include "LanguagesMgrCls.h"

#include <QImage>
#include <QList>
#include <QPointF>
#include <QWidget>

class QChartView;
class QLabel;
class QLineSeries;
class QSlider;

// Temperature against depth at one of the run's five-minute profiles, chosen
// with a slider: the new layer, the layers below, the layer boundaries.
class TDepthProfileChart : public QWidget {
    Q_OBJECT

public:
    explicit TDepthProfileChart(QWidget* parent = nullptr);

    void SetSnapshot(const TAnalysisSnapshot& snapshot, TLanguage language);
    void ShowProfile(int index);
    QSlider* Slider() const { return FSlider; }
    // The chart alone, as the PNG export saves it.
    QWidget* ChartWidget() const;
    // The chart as the PNG export saves it: titled with the profile's moment,
    // which on screen the line under the slider says.
    QImage ExportImage() const;
    // Points of the shown profile: (temperature, depth in cm).
    QList<QPointF> NewLayerPoints() const;
    QList<QPointF> BelowPoints() const;

private:
    void ShowMomentText(int index);

    // Every profile's points, built once: new layer and below.
    QList<QList<QPointF>> FNewLayer;
    QList<QList<QPointF>> FBelow;
    std::vector<double> FMoments;
    TRunOutcome FClock;  // the run's clock, to write FMoments on the wall clock
    std::vector<int> FElapsedSeconds;
    TLanguage FLanguage = lgFR;
    QLabel* FMoment;
    QSlider* FSlider;
    QChartView* FChartView;
    QLineSeries* FNewLayerSeries = nullptr;
    QLineSeries* FBelowSeries = nullptr;
};
