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
// with a slider: the new lifts laid by then, the layer below them, the
// interfaces between the lifts and the existing boundaries as they lie at
// that moment; with the road's warmth, a caption that the road was warmed.
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
    // Depths (cm) of the lines drawn for the shown profile: between the new
    // lifts, and the existing road's boundaries (the lifts' bottom first).
    QList<double> LiftBoundaryDepths() const;
    QList<double> RoadBoundaryDepths() const;
    QLabel* WarmRoadLabel() const { return FWarmRoad; }

private:
    void ShowMomentText(int index);
    static QList<double> DepthsOf(const QList<QLineSeries*>& lines);

    // Every profile's points, built once: new layer and below.
    QList<QList<QPointF>> FNewLayer;
    QList<QList<QPointF>> FBelow;
    // Every profile's boundary depths, cm: between lifts, and the road's.
    QList<QList<double>> FLiftBoundaries;
    QList<QList<double>> FRoadBoundaries;
    double FTempMin = 0.0;
    double FTempMax = 0.0;
    std::vector<double> FMoments;
    TRunOutcome FClock;  // the run's clock, to write FMoments on the wall clock
    std::vector<int> FElapsedSeconds;
    TLanguage FLanguage = lgFR;
    QLabel* FMoment;
    QLabel* FWarmRoad;
    QSlider* FSlider;
    QChartView* FChartView;
    QLineSeries* FNewLayerSeries = nullptr;
    QLineSeries* FBelowSeries = nullptr;
    // As many as the most any profile needs; those not needed are left empty.
    QList<QLineSeries*> FLiftLines;
    QList<QLineSeries*> FRoadLines;
};
