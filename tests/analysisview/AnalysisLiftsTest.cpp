#include "AnalysisFrm.h"
#include "AnalysisMoments.h"
#include "AnalysisRunner.h"
#include "AnalysisTestFakes.h"
#include "AnalysisTexts.h"
#include "CoolingChart.h"
#include "DepthProfileChart.h"
#include "HoverReadout.h"
#include "RegionalFormat.h"
#include "ScenarioRun.h"
#include "TheTimeUtilsCls.h"

#include <QChartView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include <memory>

namespace {

// A July evening: the first lift 5 cm at 160 degC, then up to two more.
TScenario siteScenario(int furtherLifts, bool warmth)
{
    TScenario scenario;
    scenario.LayingDate = static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(2026, 7, 10)));
    scenario.LayingTime = 20.0 / 24.0;
    scenario.LayingTemp = 160.0;
    // A July road warmed by two days of sun stays above 30 degC for days.
    scenario.ReopenTemp = 50.0;
    const TLift lifts[] = {{90 * 60.0, 4.0, 150.0}, {180 * 60.0, 3.0, 140.0}};
    scenario.Lifts.assign(std::begin(lifts), std::begin(lifts) + furtherLifts);
    scenario.RoadWarmth = warmth;
    return scenario;
}

qreal ms(double moment)
{
    return static_cast<qreal>(AnalysisMoments::ToMsSinceEpoch(moment));
}

QList<QAbstractSeries*> seriesNamed(const QChart& chart, const char* name)
{
    QList<QAbstractSeries*> found;
    for (QAbstractSeries* series : chart.series()) {
        if (series->objectName() == QLatin1String(name)) {
            found << series;
        }
    }
    return found;
}

}  // namespace

class AnalysisLiftsTest : public QObject {
    Q_OBJECT

private slots:
    void coolingChartMarksEveryLift_data();
    void coolingChartMarksEveryLift();
    void depthViewFollowsTheLiftsLaid();
    void backgroundKeepsTheLiftsTheirDelaysAndTheWarmth();
};

void AnalysisLiftsTest::coolingChartMarksEveryLift_data()
{
    QTest::addColumn<int>("furtherLifts");
    QTest::addColumn<int>("language");
    QTest::newRow("one lift, fr") << 0 << int{lgFR};
    QTest::newRow("two lifts, nl") << 1 << int{lgNL};
    QTest::newRow("three lifts, fr") << 2 << int{lgFR};
}

void AnalysisLiftsTest::coolingChartMarksEveryLift()
{
    QFETCH(int, furtherLifts);
    QFETCH(int, language);
    const auto lang = static_cast<TLanguage>(language);
    const TScenario scenario = siteScenario(furtherLifts, false);
    const TAnalysisSnapshot snapshot = MakeAnalysisSnapshot(scenario, RunScenario(scenario));
    QVERIFY(snapshot.Outcome.Succeeded());
    // Shown, so that the legend's markers are laid out as on screen.
    QChartView view(CoolingChart::Build(snapshot, lang));
    view.show();
    QChart* chart = view.chart();
    const QList<QAbstractSeries*> lines = seriesNamed(*chart, CoolingChart::LiftName);
    const QList<QAbstractSeries*> numbers = seriesNamed(*chart, CoolingChart::LiftNumberName);
    QCOMPARE(lines.size(), furtherLifts);
    QCOMPARE(numbers.size(), furtherLifts);
    const double laying = snapshot.Outcome.Laying;
    int inLegend = 0;
    for (int n = 0; n < furtherLifts; ++n) {
        // At the laying plus the lift's own delay, across the whole temperature axis.
        const qreal x = ms(laying) + scenario.Lifts.at(static_cast<std::size_t>(n)).ElapsedSeconds * 1000.0;
        const QList<QPointF> line = qobject_cast<QLineSeries*>(lines[n])->points();
        QCOMPARE(line.size(), 2);
        QCOMPARE(line[0].x(), x);
        QCOMPARE(line[1].x(), x);
        QVERIFY(line[0].y() <= snapshot.Scenario.ReopenTemp && line[1].y() >= scenario.LayingTemp);
        auto* number = qobject_cast<QScatterSeries*>(numbers[n]);
        QCOMPARE(number->pointLabelsFormat(), QString::number(n + 2));
        QVERIFY(number->pointLabelsVisible());
        QCOMPARE(number->points().front().x(), x);
        for (QLegendMarker* marker : chart->legend()->markers(lines[n])) {
            inLegend += marker->isVisible() ? 1 : 0;
        }
    }
    QCOMPARE(inLegend, furtherLifts > 0 ? 1 : 0);
    const QString maxName = chart->findChild<QLineSeries*>(QString::fromLatin1(CoolingChart::LayerMaxName))->name();
    QCOMPARE(maxName,
        AnalysisTexts::Text(lang, furtherLifts > 0 ? TAnalysisText::SeriesLiftsMax : TAnalysisText::SeriesLayerMax));

    // The readout names the lifts on the road just before and at each laying.
    for (int n = 0; n < furtherLifts; ++n) {
        const double laid = snapshot.Outcome.Lifts.at(static_cast<std::size_t>(n) + 1).Laid;
        const QString before = HoverReadout(snapshot.Curve, snapshot.Outcome, laid - 1.0 / 86400.0, lang);
        const QString at = HoverReadout(snapshot.Curve, snapshot.Outcome, laid, lang);
        QVERIFY2(
            before.endsWith(AnalysisTexts::Text(lang, TAnalysisText::HoverLiftsLaid).arg(n + 1)), qPrintable(before));
        QVERIFY2(at.endsWith(AnalysisTexts::Text(lang, TAnalysisText::HoverLiftsLaid).arg(n + 2)), qPrintable(at));
    }
}

void AnalysisLiftsTest::depthViewFollowsTheLiftsLaid()
{
    // 5 cm, then 4 cm on it at 90 min, then 3 cm at 180 min: the interfaces
    // and the lifts' bottom move down as each is laid.
    const TScenario scenario = siteScenario(2, true);
    const TAnalysisSnapshot snapshot = MakeAnalysisSnapshot(scenario, RunScenario(scenario));
    QVERIFY2(snapshot.Outcome.Succeeded(), snapshot.Outcome.Failure.c_str());
    TDepthProfileChart view;
    view.SetSnapshot(snapshot, lgFR);
    struct TCase {
        int Minute;
        QList<double> BetweenLifts;
        double LiftsBottom;
    };
    const TCase cases[] = {{0, {}, 5.0}, {85, {}, 5.0}, {90, {4.0}, 9.0}, {175, {4.0}, 9.0}, {180, {3.0, 7.0}, 12.0},
        {240, {3.0, 7.0}, 12.0}};
    for (const TCase& c : cases) {
        const int index = c.Minute / 5;
        QVERIFY(index < static_cast<int>(snapshot.Profiles.size()));
        QCOMPARE(snapshot.Profiles.at(static_cast<std::size_t>(index)).ElapsedSeconds, c.Minute * 60);
        view.Slider()->setValue(index);
        // Grid depths: whole half centimetres, up to the grid step's rounding.
        const auto near = [](double a, double b) { return std::abs(a - b) < 1e-9; };
        const QList<double> between = view.LiftBoundaryDepths();
        QCOMPARE(between.size(), c.BetweenLifts.size());
        for (qsizetype n = 0; n < between.size(); ++n) {
            QVERIFY2(near(between[n], c.BetweenLifts[n]), qPrintable(QString::number(between[n])));
        }
        const QList<double> road = view.RoadBoundaryDepths();
        QVERIFY(!road.isEmpty());
        QVERIFY(near(road.front(), c.LiftsBottom));
        QVERIFY(near(view.NewLayerPoints().back().y(), c.LiftsBottom));
        QVERIFY(near(view.BelowPoints().front().y(), c.LiftsBottom));
    }
    // At the laying the road below is the warmed one, and a caption says so.
    view.Slider()->setValue(0);
    const QList<QPointF> below = view.BelowPoints();
    const std::vector<double>& laid = snapshot.Profiles.front().Temps;
    QCOMPARE(below.at(1).x(), laid.at(static_cast<std::size_t>(std::lround(below.at(1).y() / 0.5))));
    QVERIFY(std::abs(below.at(1).x() - snapshot.Outcome.BottomTemp) > 1.0);
    QVERIFY(!view.WarmRoadLabel()->isHidden());
    QCOMPARE(view.WarmRoadLabel()->text(),
        AnalysisTexts::Text(lgFR, TAnalysisText::DepthWarmRoad)
            .arg(RegionalFormat::FormatReal(snapshot.Outcome.ExistingSurfaceTemp)));

    const TScenario cold = siteScenario(2, false);
    view.SetSnapshot(MakeAnalysisSnapshot(cold, RunScenario(cold)), lgNL);
    QVERIFY(view.WarmRoadLabel()->isHidden());
}

void AnalysisLiftsTest::backgroundKeepsTheLiftsTheirDelaysAndTheWarmth()
{
    TLanguagesMgrCls texts(lgFR);
    TRecordingPresenter presenter;
    TScriptedQuestions questions;
    TAnalysisFrm window(texts, presenter, questions);
    window.show();
    std::optional<TBackgroundAnalysis> analysis;
    connect(&window.Runner(), &TAnalysisRunner::finished, this,
        [&analysis](const TBackgroundAnalysis& finished) { analysis = finished; });
    const TScenario scenario = siteScenario(1, true);
    const TRunOutcome site = RunScenario(scenario);
    window.ShowComputation(scenario, site);
    QTRY_VERIFY_WITH_TIMEOUT(analysis.has_value(), 120000);

    QCOMPARE(analysis->WhatIf.size(), std::size_t(9));
    for (const TWhatIfCell& cell : analysis->WhatIf) {
        QVERIFY(cell.Outcome.Succeeded() && cell.Outcome.RoadWarmth);
        QCOMPARE(cell.Outcome.Lifts.size(), std::size_t(2));
        if (cell.Wind == scenario.Wind && cell.Cloud == scenario.Cloud) {
            QCOMPARE(cell.Outcome.Reopening, site.Reopening);
        }
    }
    QVERIFY(!analysis->Plan.Slots.empty());
    for (const TPlanSlot& slot : analysis->Plan.Slots) {
        const TRunOutcome& run = slot.Outcome;
        QVERIFY2(run.Succeeded(), run.Failure.c_str());
        QVERIFY(run.RoadWarmth);
        QCOMPARE(run.Lifts.size(), std::size_t(2));
        // The second lift 90 min after the slot's own laying.
        QCOMPARE(run.Lifts[1].Laid, TheTimeUtilsCls::AddDuration(run.Laying, 90 * 60));
        QCOMPARE(run.Laying, TheTimeUtilsCls::JoinDateAndTime(scenario.LayingDate, slot.LayingTime));
    }
}

QTEST_MAIN(AnalysisLiftsTest)
#include "AnalysisLiftsTest.moc"
