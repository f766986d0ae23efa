#pragma once

#include "AnalysisSnapshot.h"
#include "LanguagesMgrCls.h"

#include <QChart>

#include <utility>
#include <vector>

// The cooling chart of a computation, for the window and for the PDF page
// alike: the highest temperature of every lift laid so far and the top
// lift's mean, the surface and the air the run used against the clock; the
// reopening and compaction-end temperatures dashed; each later lift's laying
// a line with its number; the reopening moment marked; the nights shaded. The
// caller owns the chart.
namespace CoolingChart {

// Object names of the series, for whoever needs to find them again.
inline constexpr const char* LayerMaxName = "layerMax";
inline constexpr const char* SurfaceName = "surface";
inline constexpr const char* AirName = "air";
inline constexpr const char* LayerMeanName = "layerMean";
inline constexpr const char* ThresholdName = "threshold";
inline constexpr const char* CompactionName = "compaction";
inline constexpr const char* ReopeningName = "reopening";
inline constexpr const char* NightName = "night";  // every night band
// Every lift laid after the first: its line, and its number over the line.
inline constexpr const char* LiftName = "liftLaid";
inline constexpr const char* LiftNumberName = "liftNumber";

QChart* Build(const TAnalysisSnapshot& snapshot, TLanguage language);

// The chart's locale for a language: its axes' labels follow it.
QLocale ChartLocale(TLanguage language);

// An empty chart in the language's locale, its legend beside the plot with
// each swatch drawn as its series is.
QChart* NewChart(TLanguage language);
// The nights shaded from temps.first to temps.second, under whatever is added
// after them; one legend entry named title, none when title is empty.
void AddNights(
    QChart& chart, const std::vector<Daylight::TNight>& nights, std::pair<double, double> temps, const QString& title);

// The clock axis below, from start to end (run moments, on the clock's wall
// clock) every stepHours, and the temperature axis from yMin to yMax every
// tempStep, attached to every series of the chart.
void AddAxes(QChart& chart, const TRunOutcome& clock, double start, double end, int stepHours,
    std::pair<double, double> temps, double tempStep, TLanguage language);

}  // namespace CoolingChart
