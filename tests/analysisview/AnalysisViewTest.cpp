#include "AnalysisExport.h"
#include "AnalysisFrm.h"
#include "AnalysisMoments.h"
#include "AnalysisReport.h"
#include "AnalysisSummary.h"
#include "AnalysisTexts.h"
#include "CoolingChart.h"
#include "DepthProfileChart.h"
#include "ExportQuestions.h"
#include "HoverReadout.h"
#include "LayingPlanView.h"
#include "MessagePresenter.h"
#include "RegionalFormat.h"
#include "RunCsv.h"
#include "ScenarioRun.h"
#include "WeatherPanel.h"
#include "WhatIfTable.h"

#include "AnalysisTestFakes.h"

#include <QAbstractButton>
#include <QAreaSeries>
#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <QCategoryAxis>
#include <QChartView>

#include <ctime>
#include <memory>

namespace {

double dateOf(int year, int month, int day)
{
    return static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(year, month, day)));
}

// A summer morning's laying that, in calm and clear weather, reopens at night.
TScenario nightScenario()
{
    TScenario scenario;
    scenario.LayingDate = dateOf(2026, 7, 10);
    scenario.LayingTime = 9.0 / 24.0;
    return scenario;
}

TScenario dayScenario()
{
    TScenario scenario = nightScenario();
    scenario.Wind = TWindClass::Moderate;
    scenario.Cloud = TCloudClass::Covered;
    return scenario;
}

QList<QPointF> pointsOf(const QChart& chart, const char* name)
{
    for (QAbstractSeries* series : chart.series()) {
        if (series->objectName() == QLatin1String(name)) {
            if (auto* line = qobject_cast<QXYSeries*>(series)) {
                return line->points();
            }
        }
    }
    return {};
}

// Everything the cooling chart, the hover, the depth slider and the CSV show
// of a run, built under the given system zone.
QString shownUnder(const char* zone, const TScenario& scenario)
{
    qputenv("TZ", zone);
    tzset();
    const TAnalysisSnapshot snapshot = MakeAnalysisSnapshot(scenario, RunScenario(scenario));
    const std::unique_ptr<QChart> chart(CoolingChart::Build(snapshot, lgFR));
    QString shown = SummaryText(snapshot, lgNL) + QLatin1Char('\n');
    for (QAbstractAxis* axis : chart->axes(Qt::Horizontal)) {
        auto* clock = qobject_cast<QCategoryAxis*>(axis);
        for (const QString& label : clock->categoriesLabels()) {
            shown += label + QLatin1Char('@') + QString::number(clock->endValue(label), 'f', 0) + QLatin1Char(' ');
        }
    }
    for (const char* name : {CoolingChart::LayerMaxName, CoolingChart::ReopeningName, CoolingChart::ThresholdName}) {
        const QList<QPointF> points = pointsOf(*chart, name);
        shown += QStringLiteral("\n%1 %2 %3")
                     .arg(points.size())
                     .arg(points.front().x(), 0, 'f', 0)
                     .arg(points.back().x(), 0, 'f', 0);
    }
    for (QAbstractSeries* series : chart->series()) {
        if (auto* band = qobject_cast<QAreaSeries*>(series)) {
            shown += QStringLiteral("\nnight %1").arg(band->upperSeries()->points().front().x(), 0, 'f', 0);
        }
    }
    shown += QLatin1Char('\n') + HoverReadout(snapshot.Curve, snapshot.Outcome, snapshot.Outcome.Reopening, lgFR);
    const QByteArray csv = AnalysisExport::CurveCsv(snapshot.Outcome);
    shown += QLatin1Char('\n') + QString::fromLatin1(csv.right(60));
    return shown;
}

// A disk that fills up: takes the first CapacityBytes, then fails every write.
class TFullDevice final : public QIODevice {
public:
    explicit TFullDevice(qint64 capacityBytes) : CapacityBytes(capacityBytes) { open(QIODevice::WriteOnly); }
    QByteArray Written;
    qint64 CapacityBytes;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 len) override
    {
        const qint64 room = CapacityBytes - Written.size();
        if (room <= 0) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        const qint64 taken = std::min(room, len);
        Written.append(data, taken);
        return taken;
    }
};

TAnalysisReportContent reportContent(const TAnalysisSnapshot& snapshot, const TLanguagesMgrCls& texts)
{
    TAnalysisReportContent content;
    content.Snapshot = &snapshot;
    content.Texts = &texts;
    content.SiteName = QStringLiteral("N4 Namur");
    content.ProgramVersion = QStringLiteral("1.1.1.0");
    content.PrintedAt = QDateTime(QDate(2026, 7, 9), QTime(16, 45));
    return content;
}

// The text pdftotext reads from a PDF, spaces simplified; empty when it cannot.
QString pdfText(const QByteArray& pdf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size()) {
        return {};
    }
    file.close();
    QProcess pdftotext;
    pdftotext.start(
        QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
}

qreal ms(double moment)
{
    return static_cast<qreal>(AnalysisMoments::ToMsSinceEpoch(moment));
}

}  // namespace

class AnalysisViewTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void curvePointsAreTheRunsHistory();
    void thresholdAndReopeningMarkSitAtTheReopeningTemperature();
    void nightBandsRunFromSunsetToSunrise();
    void waitIsShownInHoursAndMinutes_data();
    void waitIsShownInHoursAndMinutes();
    void hoverReadsTheLevelInForce_data();
    void hoverReadsTheLevelInForce();
    void changeNightsReadTheSameInEveryZone_data();
    void changeNightsReadTheSameInEveryZone();
    void summaryWarnsOfANightReopening();
    void backgroundCellsAndSlotsAreTheLibrarysOutcomes();
    void deadlineMarksTheSlotsInTime();
    void reportIsAPdfWithInputsAndResult_data();
    void reportIsAPdfWithInputsAndResult();
    void captionsFitInBothLanguages_data();
    void captionsFitInBothLanguages();
    void unwritablePathWarnsAndLeavesNoFile_data();
    void unwritablePathWarnsAndLeavesNoFile();
    void reportOntoAFullDeviceFails_data();
    void reportOntoAFullDeviceFails();
    void failedSaveKeepsThePreviousFile();
    void failedSaveSaysWhy();
    void namesWithoutExtensionGetTheFormats_data();
    void namesWithoutExtensionGetTheFormats();
    void pngSavesTheChartOfTheTabOnShow();
    void anySiteNameLeavesTheRestOfTheReport_data();
    void anySiteNameLeavesTheRestOfTheReport();
    void whatIfBeyondTheCalendarSaysSoInTheLanguage_data();
    void whatIfBeyondTheCalendarSaysSoInTheLanguage();
    void runOnTheCalendarsLastNightIsDrawnWithinIt();
    void differenceIsThatOfTheShownMinutes_data();
    void differenceIsThatOfTheShownMinutes();
    void languageSwitchRewritesTheWeatherSource();
    void repeatedHourIsMarkedOnBothSides();
    void tabsStayPutWhenTheSummaryGrows();
    void reportIsPrintedOnTheLegalClock();

private:
    QTemporaryDir FHome;
};

void AnalysisViewTest::initTestCase()
{
    QVERIFY(FHome.isValid());
    qputenv("HOME", FHome.path().toUtf8());
    QLocale::setDefault(QLocale(QStringLiteral("fr_BE")));
    // The tests run under several system zones; none may change what is shown.
    QVERIFY(!qgetenv("TZ").isEmpty());
}

void AnalysisViewTest::curvePointsAreTheRunsHistory()
{
    const TAnalysisSnapshot snapshot = MakeAnalysisSnapshot(nightScenario(), RunScenario(nightScenario()));
    QVERIFY(snapshot.Outcome.History != nullptr);
    const TCoolingHistory& history = *snapshot.Outcome.History;
    const std::unique_ptr<QChart> chart(CoolingChart::Build(snapshot, lgFR));
    const QList<QPointF> layerMax = pointsOf(*chart, CoolingChart::LayerMaxName);
    const QList<QPointF> surface = pointsOf(*chart, CoolingChart::SurfaceName);
    const QList<QPointF> air = pointsOf(*chart, CoolingChart::AirName);
    QCOMPARE(layerMax.size(), history.LevelCount());
    QCOMPARE(surface.size(), history.LevelCount());
    QCOMPARE(air.size(), history.LevelCount());
    for (int level = 0; level < history.LevelCount(); level += 97) {
        const auto n = static_cast<std::size_t>(level);
        // Level n lies n time steps of 5 s after the laying.
        QCOMPARE(layerMax[level].x(), ms(snapshot.Outcome.Laying) + level * 5000.0);
        QCOMPARE(layerMax[level].y(), history.LayerMaxTemps()[n]);
        QCOMPARE(surface[level].y(), history.SurfaceTemps()[n]);
        QCOMPARE(air[level].y(), history.AirTempAtLevel(level));
    }
    // The curve ends at the first level at or below the reopening temperature.
    QVERIFY(layerMax.back().y() <= nightScenario().ReopenTemp);
    QVERIFY(layerMax[layerMax.size() - 2].y() > nightScenario().ReopenTemp);
}

void AnalysisViewTest::thresholdAndReopeningMarkSitAtTheReopeningTemperature()
{
    TScenario scenario = dayScenario();
    scenario.ReopenTemp = 42.5;
    const TAnalysisSnapshot snapshot = MakeAnalysisSnapshot(scenario, RunScenario(scenario));
    const std::unique_ptr<QChart> chart(CoolingChart::Build(snapshot, lgNL));
    const QList<QPointF> threshold = pointsOf(*chart, CoolingChart::ThresholdName);
    QCOMPARE(threshold.size(), 2);
    QCOMPARE(threshold[0], QPointF(ms(snapshot.ChartStart), 42.5));
    QCOMPARE(threshold[1], QPointF(ms(snapshot.ChartEnd), 42.5));
    auto* thresholdSeries = chart->findChild<QLineSeries*>(QString::fromLatin1(CoolingChart::ThresholdName));
    QCOMPARE(thresholdSeries->pen().style(), Qt::DashLine);
    auto* reopeningSeries = chart->findChild<QScatterSeries*>(QString::fromLatin1(CoolingChart::ReopeningName));
    const QLegendMarker* thresholdSwatch = chart->legend()->markers(thresholdSeries).value(0);
    const QLegendMarker* reopeningSwatch = chart->legend()->markers(reopeningSeries).value(0);
    QVERIFY(thresholdSwatch && reopeningSwatch);
    QVERIFY(thresholdSwatch->brush().color() != reopeningSwatch->brush().color());
    QCOMPARE(
        pointsOf(*chart, CoolingChart::ReopeningName), QList<QPointF>{QPointF(ms(snapshot.Outcome.Reopening), 42.5)});
    // The clock axis starts and ends on whole hours.
    QCOMPARE(AnalysisMoments::ToDateTime(snapshot.ChartStart).time(), QTime(9, 0));
    QCOMPARE(AnalysisMoments::ToDateTime(snapshot.ChartEnd).time().minute(), 0);
}

void AnalysisViewTest::nightBandsRunFromSunsetToSunrise()
{
    // Laid at 16:00 in December, a thick layer cools past the next sunrise.
    TScenario scenario;
    scenario.ThicknessCm = 12.0;
    scenario.ReopenTemp = 15.0;
    scenario.LayingDate = dateOf(2026, 12, 15);
    scenario.LayingTime = 16.0 / 24.0;
    const TAnalysisSnapshot snapshot = MakeAnalysisSnapshot(scenario, RunScenario(scenario));
    QVERIFY(snapshot.Outcome.Succeeded());
    const std::unique_ptr<QChart> chart(CoolingChart::Build(snapshot, lgFR));
    QList<QAreaSeries*> bands;
    for (QAbstractSeries* series : chart->series()) {
        if (series->objectName() == QLatin1String(CoolingChart::NightName)) {
            bands << qobject_cast<QAreaSeries*>(series);
        }
    }
    // The evening of the 15th to the morning of the 16th, then the next evening.
    QCOMPARE(bands.size(), 2);
    const auto sun15 = Daylight::SunTimesOn(dateOf(2026, 12, 15), 1.0, Daylight::DefaultSite());
    const auto sun16 = Daylight::SunTimesOn(dateOf(2026, 12, 16), 1.0, Daylight::DefaultSite());
    QVERIFY(sun15 && sun16);
    QVERIFY2(snapshot.Outcome.Reopening > sun16->Sunrise,
        qPrintable(AnalysisMoments::FormatMoment(snapshot.Outcome.Reopening)));
    const QList<QPointF> upper = bands[0]->upperSeries()->points();
    QCOMPARE(upper.front().x(), ms(sun15->Sunset));
    QCOMPARE(upper.back().x(), ms(sun16->Sunrise));
    // In mid-December Brussels sees the sun set before 16:45 and rise after 08:30.
    const QDateTime sunset = AnalysisMoments::ToDateTime(sun15->Sunset);
    const QDateTime sunrise = AnalysisMoments::ToDateTime(sun16->Sunrise);
    QVERIFY2(sunset.time() > QTime(16, 20) && sunset.time() < QTime(16, 45), qPrintable(sunset.toString()));
    QVERIFY2(sunrise.time() > QTime(8, 30) && sunrise.time() < QTime(8, 55), qPrintable(sunrise.toString()));
    QCOMPARE(bands[1]->upperSeries()->points().front().x(), ms(sun16->Sunset));
    QCOMPARE(bands[1]->lowerSeries()->points().back().x(), ms(snapshot.ChartEnd));
}

void AnalysisViewTest::waitIsShownInHoursAndMinutes_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("shown");
    QTest::newRow("fr: 26 h 12 min") << 94320.0 << int{lgFR} << "26 h 12 min";
    QTest::newRow("fr: seconds dropped, not rounded") << 94375.0 << int{lgFR} << "26 h 12 min";
    QTest::newRow("nl: minutes on two digits") << 3900.0 << int{lgNL} << "1 u 05 min";
    QTest::newRow("not a number: nothing to wait") << std::nan("") << int{lgFR} << "0 h 00 min";
}

void AnalysisViewTest::waitIsShownInHoursAndMinutes()
{
    QFETCH(double, seconds);
    QFETCH(int, language);
    QFETCH(QString, shown);
    QCOMPARE(AnalysisMoments::FormatWait(seconds, static_cast<TLanguage>(language)), shown);
}

void AnalysisViewTest::hoverReadsTheLevelInForce_data()
{
    QTest::addColumn<double>("offsetSeconds");
    QTest::addColumn<int>("level");  // -1: nothing
    QTest::newRow("before the laying") << -1.0 << -1;
    QTest::newRow("at the laying") << 0.0 << 0;
    QTest::newRow("between two levels: the earlier") << 12.0 << 2;
    QTest::newRow("at a level") << 600.0 << 120;
}

void AnalysisViewTest::hoverReadsTheLevelInForce()
{
    QFETCH(double, offsetSeconds);
    QFETCH(int, level);
    const TAnalysisSnapshot snapshot = MakeAnalysisSnapshot(dayScenario(), RunScenario(dayScenario()));
    const double moment = snapshot.Outcome.Laying + offsetSeconds / 86400.0;
    const QString text = HoverReadout(snapshot.Curve, snapshot.Outcome, moment, lgFR);
    if (level < 0) {
        QVERIFY(text.isEmpty());
        return;
    }
    const TCurvePoint& point = snapshot.Curve.at(static_cast<std::size_t>(level));
    QCOMPARE(text,
        QStringLiteral("%1 : couche %2 °C, surface %3 °C, air %4 °C")
            .arg(AnalysisMoments::ToDateTime(point.Moment).toString(QStringLiteral("HH:mm:ss")),
                RegionalFormat::FormatReal(point.LayerMaxTemp), RegionalFormat::FormatReal(point.SurfaceTemp),
                RegionalFormat::FormatReal(point.AirTemp)));
    // Past the run's last level there is nothing to read.
    QVERIFY(HoverReadout(snapshot.Curve, snapshot.Outcome, snapshot.Curve.back().Moment + 1.0 / 24.0, lgFR).isEmpty());
}

void AnalysisViewTest::changeNightsReadTheSameInEveryZone_data()
{
    QTest::addColumn<double>("laying");
    QTest::addColumn<QString>("reopening");  // as the summary writes it
    QTest::addColumn<QString>("ticks");  // wall-clock labels at run-time positions, two hours apart
    QTest::newRow("spring change: the skipped hour")
        << dateOf(2027, 3, 27) + 22.0 / 24.0 << "Wederopenstelling: 28/03/2027 06:24 (zomertijd)  ·"
        << "00:00<br>28/03/2027@1806192000000 03:00@1806199200000 ";
    QTest::newRow("autumn change: the repeated hour")
        << dateOf(2027, 10, 30) + 23.25 / 24.0 << "Wederopenstelling: 31/10/2027 05:42 (wintertijd)  ·"
        << QStringLiteral("01:00<br>31/10/2027@1824944400000 02:00<br>(heure d'hiver)@1824951600000 ");
    QTest::newRow("ordinary day") << dateOf(2026, 7, 10) + 9.0 / 24.0 << "Wederopenstelling: 11/07/2026 03:19  ·"
                                  << "21:00@1783717200000 01:00<br>11/07/2026@1783731600000 ";
}

void AnalysisViewTest::changeNightsReadTheSameInEveryZone()
{
    QFETCH(double, laying);
    QFETCH(QString, reopening);
    QFETCH(QString, ticks);
    TScenario scenario;
    scenario.ThicknessCm = 8.0;  // cools past the change hour
    scenario.LayingDate = std::floor(laying);
    scenario.LayingTime = laying - scenario.LayingDate;
    const QByteArray before = qgetenv("TZ");
    const QString brussels = shownUnder("Europe/Brussels", scenario);
    const QString utc = shownUnder("UTC", scenario);
    const QString newYork = shownUnder("America/New_York", scenario);
    qputenv("TZ", before);
    tzset();
    QCOMPARE(utc, brussels);
    QCOMPARE(newYork, brussels);
    QVERIFY2(brussels.contains(reopening), qPrintable(brussels));
    QVERIFY2(brussels.section(QLatin1Char('\n'), 1, 1).contains(ticks), qPrintable(brussels));
}

void AnalysisViewTest::summaryWarnsOfANightReopening()
{
    TLanguagesMgrCls texts(lgFR);
    TRecordingPresenter presenter;
    TScriptedQuestions questions;
    TAnalysisFrm window(texts, presenter, questions);
    window.ShowComputation(nightScenario(), RunScenario(nightScenario()));
    window.show();
    const TRunOutcome& outcome = window.Snapshot().Outcome;
    QVERIFY(outcome.Night);
    QVERIFY(window.SummaryLabel()->text().contains(QStringLiteral("Attente : 15 h 17 min")));
    QVERIFY(window.NightLabel()->isVisible());
    // The model's sunrise that morning, read once from this run and kept:
    // the code that finds it is what is checked.
    QVERIFY2(window.NightLabel()->text().endsWith(QStringLiteral("Premier moment de jour : 11/07/2026 05:46")),
        qPrintable(window.NightLabel()->text()));
    // A day reopening carries no warning; a language switch re-applies the texts.
    window.ShowComputation(dayScenario(), RunScenario(dayScenario()));
    QVERIFY(!window.NightLabel()->isVisible());
    texts.Language = lgNL;
    window.UpdateTexts();
    QVERIFY(window.SummaryLabel()->text().contains(QStringLiteral("Wachttijd: ")));
    QCOMPARE(window.CoolingChartShown()->locale().language(), QLocale::Dutch);
}

void AnalysisViewTest::backgroundCellsAndSlotsAreTheLibrarysOutcomes()
{
    TLanguagesMgrCls texts(lgFR);
    TRecordingPresenter presenter;
    TScriptedQuestions questions;
    TAnalysisFrm window(texts, presenter, questions);
    window.show();
    QSignalSpy finished(&window.Runner(), &TAnalysisRunner::finished);
    // The first analysis is stale as soon as the second computation arrives.
    window.ShowComputation(nightScenario(), RunScenario(nightScenario()));
    window.ShowComputation(dayScenario(), RunScenario(dayScenario()));
    QVERIFY(finished.wait(20000));
    QTest::qWait(50);
    QCOMPARE(finished.count(), 1);

    const auto whatIf = RunWeatherWhatIf(dayScenario(), TExecution::Sequential);
    QVERIFY(whatIf.has_value());
    const TWhatIfTable& table = *window.WhatIfView();
    for (const TWhatIfCell& cell : *whatIf) {
        const QTableWidgetItem* item = table.item(static_cast<int>(cell.Wind), static_cast<int>(cell.Cloud));
        QVERIFY(item != nullptr);
        QCOMPARE(item->data(TWhatIfTable::ReopeningRole).toDouble(), cell.Outcome.Reopening);
        QCOMPARE(item->data(TWhatIfTable::NightRole).toBool(), cell.Outcome.Night);
        const bool current = cell.Wind == TWindClass::Moderate && cell.Cloud == TCloudClass::Covered;
        QCOMPARE(item->font().bold(), current);
    }
    QVERIFY(table.verticalHeaderItem(0)->text().startsWith(texts.GetText(16)));
    QVERIFY(table.horizontalHeaderItem(2)->text().startsWith(texts.GetText(20)));
    const auto plan = PlanLaying(dayScenario(), 30, std::nullopt, TExecution::Sequential);
    QVERIFY(plan.has_value());
    const QTableWidget& planTable = *window.PlanView()->Table();
    QCOMPARE(planTable.rowCount(), 48);
    for (int row = 0; row < planTable.rowCount(); ++row) {
        const TPlanSlot& slot = plan->Slots.at(static_cast<std::size_t>(row));
        QCOMPARE(planTable.item(row, 1)->data(TLayingPlanView::ReopeningRole).toDouble(), slot.Outcome.Reopening);
    }
    QVERIFY(!window.Progress()->isVisible());
}

void AnalysisViewTest::deadlineMarksTheSlotsInTime()
{
    const auto plan = PlanLaying(nightScenario(), 30, std::nullopt, TExecution::Sequential);
    QVERIFY(plan.has_value());
    TLayingPlanView view;
    view.UpdateTexts(lgFR);
    view.SetPlan(*plan, nightScenario().LayingDate);
    // 22:00 on the laying day: the library says which slots make it.
    const double deadline = nightScenario().LayingDate + 22.0 / 24.0;
    view.SetDeadline(deadline);
    TLayingPlan expected = *plan;
    ApplyDeadline(expected, deadline);
    QVERIFY(expected.LatestSlotForDeadline.has_value());
    QCOMPARE(view.Plan().LatestSlotForDeadline, expected.LatestSlotForDeadline);
    int nights = 0;
    for (int row = 0; row < view.Table()->rowCount(); ++row) {
        const bool inTime = expected.Slots.at(static_cast<std::size_t>(row)).MeetsDeadline;
        QCOMPARE(view.Table()->item(row, 3)->text(), inTime ? QStringLiteral("oui") : QString());
        const TRunOutcome& outcome = expected.Slots.at(static_cast<std::size_t>(row)).Outcome;
        QCOMPARE(view.Table()->item(row, 1)->text().endsWith(QStringLiteral(" nuit")), outcome.Night);
        nights += outcome.Night ? 1 : 0;
    }
    // Both kinds are in the plan, so the mark is seen set and left out.
    QVERIFY(nights > 0 && nights < view.Table()->rowCount());
    const double latest = nightScenario().LayingDate + expected.Slots.at(*expected.LatestSlotForDeadline).LayingTime;
    QVERIFY(view.LatestText().endsWith(AnalysisMoments::FormatClock(latest)));
}

void AnalysisViewTest::reportIsAPdfWithInputsAndResult_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("inputLine");
    QTest::addColumn<QString>("notice");
    QTest::newRow("fr") << int{lgFR} << "Rapport de refroidissement"
                        << "Épaisseur de la nouvelle couche : 5,0 cm"
                        << "estimation par un modèle";
    QTest::newRow("nl") << int{lgNL} << "Afkoelingsrapport"
                        << "Dikte nieuwe laag: 5,0 cm"
                        << "schatting met een rekenmodel";
}

void AnalysisViewTest::reportIsAPdfWithInputsAndResult()
{
    QFETCH(int, language);
    QFETCH(QString, title);
    QFETCH(QString, inputLine);
    QFETCH(QString, notice);
    TLanguagesMgrCls texts(static_cast<TLanguage>(language));
    const TAnalysisSnapshot snapshot = MakeAnalysisSnapshot(nightScenario(), RunScenario(nightScenario()));
    TAnalysisReportContent content;
    content.Snapshot = &snapshot;
    content.Texts = &texts;
    content.WhatIf = *RunWeatherWhatIf(nightScenario());
    content.SiteName = QStringLiteral("N4 Namur");
    content.ProgramVersion = QStringLiteral("1.1.1.0");
    content.PrintedAt = QDateTime(QDate(2026, 7, 9), QTime(16, 45));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(AnalysisReport::WritePdf(buffer, content));
    QVERIFY(buffer.data().startsWith("%PDF-"));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(buffer.data());
    file.close();
    QProcess pdftotext;
    pdftotext.start(
        QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    QVERIFY2(pdftotext.waitForFinished(30000), "pdftotext (poppler-utils) did not run");
    QCOMPARE(pdftotext.exitCode(), 0);
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
    const TLanguage lang = static_cast<TLanguage>(language);
    for (const QString& expected : {title, inputLine, notice, QStringLiteral("N4 Namur"),
             AnalysisMoments::FormatMoment(snapshot.Outcome.Reopening),
             AnalysisMoments::FormatWait(snapshot.Outcome.ResultSeconds, lang), QStringLiteral("1.1.1.0"),
             texts.GetText(17), texts.GetText(21),
             // The legend that says which case is the computed one.
             AnalysisTexts::Text(lang, TAnalysisText::WhatIfLegend).left(20)}) {
        QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" not in: ") + text));
    }
}

void AnalysisViewTest::captionsFitInBothLanguages_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("fr") << int{lgFR};
    QTest::newRow("nl") << int{lgNL};
}

void AnalysisViewTest::captionsFitInBothLanguages()
{
    QFETCH(int, language);
    TLanguagesMgrCls texts(static_cast<TLanguage>(language));
    TRecordingPresenter presenter;
    TScriptedQuestions questions;
    TAnalysisFrm window(texts, presenter, questions);
    window.ShowComputation(nightScenario(), RunScenario(nightScenario()));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->isVisible() && !button->text().isEmpty()) {
            QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
        }
    }
    const QTabBar* tabs = window.findChild<QTabWidget*>()->tabBar();
    for (int tab = 0; tab < tabs->count(); ++tab) {
        QVERIFY2(tabs->tabRect(tab).width() > tabs->fontMetrics().horizontalAdvance(tabs->tabText(tab)),
            qPrintable(tabs->tabText(tab)));
    }
    for (const QLabel* label : {window.SummaryLabel(), window.NightLabel()}) {
        QVERIFY2(label->height() >= label->heightForWidth(label->width()), qPrintable(label->text()));
    }
    // The legend beside the plot shows every series name whole, and leaves
    // the plot most of the width.
    const QChart& chart = *window.CoolingChartShown();
    const QFontMetrics legendFont(chart.legend()->font());
    for (const QLegendMarker* marker : chart.legend()->markers()) {
        if (marker->isVisible()) {
            constexpr qreal MarkerAndSpacing = 40.0;
            QVERIFY2(
                legendFont.horizontalAdvance(marker->label()) + MarkerAndSpacing <= chart.legend()->geometry().width(),
                qPrintable(marker->label()));
        }
    }
    QVERIFY(chart.legend()->geometry().width() < chart.size().width() / 3.0);
}

void AnalysisViewTest::unwritablePathWarnsAndLeavesNoFile_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("curve CSV") << 0;
    QTest::newRow("chart PNG") << 1;
    QTest::newRow("PDF report") << 2;
}

void AnalysisViewTest::unwritablePathWarnsAndLeavesNoFile()
{
    QFETCH(int, kind);
    TLanguagesMgrCls texts(lgFR);
    TRecordingPresenter presenter;
    TScriptedQuestions questions;
    TAnalysisFrm window(texts, presenter, questions);
    window.ShowComputation(dayScenario(), RunScenario(dayScenario()));
    QTemporaryDir dir;
    // A folder that does not exist cannot take the file, not even for root.
    questions.FileName = dir.filePath(QStringLiteral("missing/out.file"));
    const std::function<bool()> saves[] = {[&] { return window.SaveCurveCsv(); }, [&] { return window.SaveChartPng(); },
        [&] { return window.ExportReport(); }};
    QVERIFY(!saves[kind]());
    // With the system's reason after the colon.
    const QString prefix = QStringLiteral("Le fichier « out.file » n'a pas pu être enregistré : ");
    QCOMPARE(presenter.Warnings.size(), 1);
    QVERIFY2(presenter.Warnings.front().startsWith(prefix) && presenter.Warnings.front().size() > prefix.size(),
        qPrintable(presenter.Warnings.front()));
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    // The same export to a writable place succeeds and leaves the whole file.
    questions.FileName = dir.filePath(QStringLiteral("out.file"));
    QVERIFY(saves[kind]());
    QCOMPARE(
        QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{QStringLiteral("out.file")});
    if (kind == 0) {
        QFile csv(questions.FileName);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readLine(),
            QByteArray(
                "elapsed_seconds,clock,surface_temp,layer_max_temp,air_temp,wind_speed,cloud_cover,layer_mean_temp,"
                "lifts_laid\n"));
        // The command line's own bytes for the same run.
        QVERIFY(csv.seek(0));
        QCOMPARE(csv.readAll(), QByteArray::fromStdString(CurveCsv(window.Snapshot().Outcome)));
    }
    if (kind == 2) {
        // The site name typed the first time is offered again.
        QCOMPARE(questions.AskedWith.back(), QStringLiteral("Chantier N4 Namur"));
    }
}

void AnalysisViewTest::reportOntoAFullDeviceFails_data()
{
    QTest::addColumn<qint64>("capacityBytes");
    QTest::newRow("no room") << qint64{0};
    QTest::newRow("room for the header") << qint64{1000};
    QTest::newRow("64 KiB") << qint64{65536};
}

void AnalysisViewTest::reportOntoAFullDeviceFails()
{
    QFETCH(qint64, capacityBytes);
    TLanguagesMgrCls texts(lgFR);
    const TAnalysisSnapshot snapshot = MakeAnalysisSnapshot(nightScenario(), RunScenario(nightScenario()));
    const TAnalysisReportContent content = reportContent(snapshot, texts);
    TFullDevice roomy(1 << 30);
    QVERIFY(AnalysisReport::WritePdf(roomy, content));
    QVERIFY(roomy.Written.trimmed().endsWith("%%EOF"));
    QVERIFY(roomy.Written.size() > capacityBytes);
    TFullDevice full(capacityBytes);
    QVERIFY(!AnalysisReport::WritePdf(full, content));
}

void AnalysisViewTest::failedSaveKeepsThePreviousFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rapport.pdf"));
    QVERIFY(AnalysisExport::SaveFile(path, [](QIODevice& file) { return file.write("good report") == 11; }));
    QVERIFY(!AnalysisExport::SaveFile(path, [](QIODevice& file) {
        file.write("cut sh");
        return false;
    }));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("good report"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
        QStringList{QStringLiteral("rapport.pdf")});
}

void AnalysisViewTest::failedSaveSaysWhy()
{
    using AnalysisExport::SaveFailedText;
    using AnalysisExport::TSaveFailure;
    // A full disk, as the system reports it: /dev/full refuses every write.
    QFile full(QStringLiteral("/dev/full"));
    if (!full.open(QIODevice::WriteOnly)) {
        QSKIP("no /dev/full here");
    }
    full.write(QByteArray(100, 'x'));
    QVERIFY(!full.flush());
    const TSaveFailure diskFull = AnalysisExport::WriteFailureOf(full);
    QVERIFY(diskFull.DiskFull);
    QCOMPARE(SaveFailedText(lgFR, QStringLiteral("r.pdf"), diskFull),
        QStringLiteral("Le fichier « r.pdf » n'a pas pu être enregistré : le disque est plein."));
    QCOMPARE(SaveFailedText(lgNL, QStringLiteral("r.pdf"), diskFull),
        QStringLiteral("Het bestand \"r.pdf\" kon niet worden opgeslagen: de schijf is vol."));

    // Another reason in the system's words.
    QTemporaryDir dir;
    TSaveFailure missing;
    QVERIFY(!AnalysisExport::SaveFile(
        dir.filePath(QStringLiteral("gone/r.pdf")), [](QIODevice&) { return true; }, &missing));
    QVERIFY(!missing.DiskFull);
    QVERIFY(!missing.Reason.isEmpty());
    const QString told = SaveFailedText(lgNL, QStringLiteral("r.pdf"), missing);
    QVERIFY2(told.contains(QStringLiteral("\"r.pdf\"")) && told.endsWith(missing.Reason), qPrintable(told));

    // A writer's own refusal, the device fine: no reason made up.
    TSaveFailure refused{true, QStringLiteral("stale")};
    QVERIFY(!AnalysisExport::SaveFile(
        dir.filePath(QStringLiteral("r.pdf")), [](QIODevice&) { return false; }, &refused));
    QVERIFY(!refused.DiskFull);
    QCOMPARE(SaveFailedText(lgFR, QStringLiteral("r.pdf"), refused),
        AnalysisTexts::Text(lgFR, TAnalysisText::WriteFailed).arg(QStringLiteral("r.pdf")));
}

void AnalysisViewTest::namesWithoutExtensionGetTheFormats_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::newRow("curve") << 0 << "courbe"
                           << "courbe.csv";
    QTest::newRow("chart") << 1 << "courbe"
                           << "courbe.png";
    QTest::newRow("report") << 2 << "rapport_nl"
                            << "rapport_nl.pdf";
    QTest::newRow("trailing dot") << 2 << "rapport."
                                  << "rapport.pdf";
    QTest::newRow("own extension kept") << 0 << "courbe.txt"
                                        << "courbe.txt";
    QTest::newRow("dotted folder") << 1 << "v1.2/courbe"
                                   << "v1.2/courbe.png";
}

void AnalysisViewTest::namesWithoutExtensionGetTheFormats()
{
    QFETCH(int, kind);
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    TLanguagesMgrCls texts(lgNL);
    TRecordingPresenter presenter;
    TScriptedQuestions questions;
    TAnalysisFrm window(texts, presenter, questions);
    window.ShowComputation(dayScenario(), RunScenario(dayScenario()));
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("v1.2")));
    questions.FileName = dir.filePath(typed);
    const std::function<bool()> saves[] = {[&] { return window.SaveCurveCsv(); }, [&] { return window.SaveChartPng(); },
        [&] { return window.ExportReport(); }};
    QVERIFY(saves[kind]());
    QVERIFY(presenter.Warnings.isEmpty());
    QVERIFY2(QFileInfo(dir.filePath(saved)).size() > 0, qPrintable(saved));
    QCOMPARE(QFileInfo::exists(dir.filePath(typed)), typed == saved);
}

void AnalysisViewTest::pngSavesTheChartOfTheTabOnShow()
{
    TLanguagesMgrCls texts(lgFR);
    TRecordingPresenter presenter;
    TScriptedQuestions questions;
    TAnalysisFrm window(texts, presenter, questions);
    window.ShowComputation(dayScenario(), RunScenario(dayScenario()));
    window.resize(900, 700);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTabWidget* tabs = window.findChild<QTabWidget*>();
    QTemporaryDir dir;
    questions.FileName = dir.filePath(QStringLiteral("profil.png"));
    tabs->setCurrentWidget(window.DepthView());
    QVERIFY(window.SaveChartPng());
    QCOMPARE(questions.Titles.back(), QStringLiteral("Enregistrer le graphique « Profil en profondeur » (PNG)"));
    const QImage saved(questions.FileName);
    const QImage depth = window.DepthView()->ExportImage();
    QCOMPARE(saved.size(), depth.size());
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), depth.convertToFormat(QImage::Format_RGB32));
    // The profile's moment is drawn on the saved chart, and only there.
    const QImage onScreen = window.DepthView()->ChartWidget()->grab().toImage();
    QVERIFY(onScreen.convertToFormat(QImage::Format_RGB32) != saved.convertToFormat(QImage::Format_RGB32));
    QVERIFY(qobject_cast<QChartView*>(window.DepthView()->ChartWidget())->chart()->title().isEmpty());
    // A table has no chart: the button says so by being off.
    QPushButton* png = nullptr;
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (button->text() == AnalysisTexts::Text(lgFR, TAnalysisText::SavePng)) {
            png = button;
        }
    }
    QVERIFY(png);
    QVERIFY(png->isEnabled());
    tabs->setCurrentIndex(2);
    QVERIFY(!png->isEnabled());
    // A new computation on a tab without a chart leaves it off, as the tab says.
    window.ShowComputation(nightScenario(), RunScenario(nightScenario()));
    QVERIFY(!png->isEnabled());
    tabs->setCurrentIndex(0);
    QVERIFY(png->isEnabled());
    // A run shown as the previous one exports nothing, whatever the tab.
    window.ShowAsPrevious();
    tabs->setCurrentIndex(1);
    QVERIFY(!png->isEnabled());
}

void AnalysisViewTest::anySiteNameLeavesTheRestOfTheReport_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kept");  // the one line the report takes
    const QString word = QStringLiteral("Chantier ");
    const QString ellipsis(QChar(0x2026));
    QTest::newRow("2,000 characters: cut at a word's end")
        << word.repeated(223).left(2000) << word.repeated(13).trimmed() + ellipsis;
    QTest::newRow("10,000 without a space")
        << QString(10000, QLatin1Char('x')) << QString(119, QLatin1Char('x')) + ellipsis;
    QTest::newRow("60 lines: a word ends at the cut")
        << QStringLiteral("ligne\n").repeated(60) << QStringLiteral("ligne ").repeated(20).trimmed() + ellipsis;
    const QString hebrew = QStringLiteral("\u05D0\u05EA\u05E8 ");
    QTest::newRow("right to left") << hebrew.repeated(500) << hebrew.repeated(30).trimmed() + ellipsis;
    QTest::newRow("none: no site line") << QStringLiteral(" \n ") << QString();
}

void AnalysisViewTest::anySiteNameLeavesTheRestOfTheReport()
{
    QFETCH(QString, name);
    QFETCH(QString, kept);
    QCOMPARE(AnalysisReport::SiteNameOf(name), kept);
    TLanguagesMgrCls texts(lgFR);
    const TAnalysisSnapshot snapshot = MakeAnalysisSnapshot(nightScenario(), RunScenario(nightScenario()));
    TAnalysisReportContent content = reportContent(snapshot, texts);
    content.WhatIf = *RunWeatherWhatIf(nightScenario());
    content.SiteName = name;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(AnalysisReport::WritePdf(buffer, content));
    const QString text = pdfText(buffer.data());
    QVERIFY2(!text.isEmpty(), "pdftotext (poppler-utils) did not read the report");
    for (const QString& expected : {QStringLiteral("Épaisseur de la nouvelle couche : 5,0 cm"),
             AnalysisMoments::FormatMoment(snapshot.Outcome.Reopening), texts.GetText(21),
             QStringLiteral("estimation par un modèle"), QStringLiteral("version 1.1.1.0, imprimé le")}) {
        QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" not in: ") + text.right(400)));
    }
    // Nothing of the name beyond what the report takes: none of it runs off the page.
    QVERIFY(kept.isEmpty() || !text.contains(name.simplified().left(AnalysisReport::SiteNameMaxLength + 1)));
    QCOMPARE(text.contains(QStringLiteral("Chantier :")), !kept.isEmpty());
}

void AnalysisViewTest::whatIfBeyondTheCalendarSaysSoInTheLanguage_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("unstable");
    QTest::newRow("fr, calendar's end") << int{lgFR} << false;
    QTest::newRow("nl, calendar's end") << int{lgNL} << false;
    QTest::newRow("fr, engine failure") << int{lgFR} << true;
    QTest::newRow("nl, engine failure") << int{lgNL} << true;
}

void AnalysisViewTest::whatIfBeyondTheCalendarSaysSoInTheLanguage()
{
    QFETCH(int, language);
    QFETCH(bool, unstable);
    TScenario scenario;
    scenario.LayingDate = dateOf(9999, 12, 31);
    scenario.LayingTime = 22.0 / 24.0;
    if (unstable) {
        // A layer below that conducts beyond reason: the scheme blows up at once.
        scenario.LayingDate = dateOf(2026, 7, 10);
        scenario.Layers.push_back({1, 10.0, 900.0, 1.0e6, 2400.0});
    }
    const std::optional<std::vector<TWhatIfCell>> cells = RunWeatherWhatIf(scenario);
    QVERIFY(cells && !cells->empty());
    TLanguagesMgrCls texts(static_cast<TLanguage>(language));
    TWhatIfTable table;
    table.UpdateTexts(texts);
    table.SetCells(*cells, scenario.Wind, scenario.Cloud);
    const QString expected = AnalysisTexts::Text(
        texts.Language, unstable ? TAnalysisText::NoResult : TAnalysisText::ReopeningBeyondCalendar);
    int beyond = 0;
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < table.columnCount(); ++column) {
            if (const QTableWidgetItem* item = table.item(row, column); item && !item->toolTip().isEmpty()) {
                QCOMPARE(item->toolTip(), expected);
                ++beyond;
            }
        }
    }
    // The calm cases reopen after the last day; the windy ones may still make it.
    const auto outOfRange = std::count_if(cells->begin(), cells->end(), [unstable](const TWhatIfCell& cell) {
        return unstable ? cell.Outcome.Failure.starts_with("TPICHourCls/")
                        : cell.Outcome.Failure == TRunOutcome::ReopeningOutOfRange;
    });
    QVERIFY(outOfRange > 0);
    QCOMPARE(beyond, static_cast<int>(outOfRange));
}

void AnalysisViewTest::runOnTheCalendarsLastNightIsDrawnWithinIt()
{
    TScenario scenario;
    scenario.LayingDate = dateOf(9999, 12, 31);
    scenario.LayingTime = 20.0 / 24.0;
    const TAnalysisSnapshot snapshot = MakeAnalysisSnapshot(scenario, RunScenario(scenario));
    QVERIFY(snapshot.Outcome.Succeeded() && snapshot.Outcome.Night);
    const std::unique_ptr<QChart> chart(CoolingChart::Build(snapshot, lgFR));
    auto* axis = qobject_cast<QCategoryAxis*>(chart->axes(Qt::Horizontal).value(0));
    QVERIFY(axis != nullptr);
    QVERIFY(axis->min() == ms(snapshot.ChartStart) && axis->max() > axis->min());
    for (const QPointF& point : pointsOf(*chart, CoolingChart::LayerMaxName)) {
        QVERIFY(point.x() >= axis->min() && point.x() <= axis->max());
    }
    QCOMPARE(axis->categoriesLabels().value(1), QStringLiteral("21:00"));
    // Its daylight lies past the calendar: the warning stays, without a moment.
    QCOMPARE(NightWarningText(snapshot, lgNL), AnalysisTexts::Text(lgNL, TAnalysisText::NightWarningPastCalendar));

    TLanguagesMgrCls texts(lgFR);
    QBuffer pdf;
    QVERIFY(pdf.open(QIODevice::WriteOnly));
    QVERIFY(AnalysisReport::WritePdf(pdf, reportContent(snapshot, texts)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("end.pdf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(pdf.data()) == pdf.data().size());
    file.close();
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    QVERIFY(pdftotext.waitForFinished(30000));
    QCOMPARE(QString::fromUtf8(pdftotext.readAllStandardError()).trimmed(), QString());
    QVERIFY(QString::fromUtf8(pdftotext.readAllStandardOutput())
                .contains(AnalysisTexts::Text(lgFR, TAnalysisText::NightWarningPastCalendar)));
}

void AnalysisViewTest::differenceIsThatOfTheShownMinutes_data()
{
    QTest::addColumn<double>("classesSeconds");
    QTest::addColumn<double>("weatherSeconds");
    QTest::addColumn<QString>("shown");  // the weather line's end
    // Laid at 09:00: 14:40:50 against 12:48:10 reads 112 minutes, not 112.7 rounded up.
    QTest::newRow("seconds would round up") << 20450.0 << 13690.0 << "12:48 · attente 3 h 48 min  ·  112 min plus tôt";
    QTest::newRow("two seconds across a minute")
        << 20459.0 << 20461.0 << "14:41 · attente 5 h 41 min  ·  1 min plus tard";
    QTest::newRow("same minute, 59 s apart") << 20400.0 << 20459.0 << "14:40 · attente 5 h 40 min  ·  à la même minute";
}

void AnalysisViewTest::differenceIsThatOfTheShownMinutes()
{
    QFETCH(double, classesSeconds);
    QFETCH(double, weatherSeconds);
    QFETCH(QString, shown);
    TAnalysisSnapshot snapshot;
    const auto outcomeAfter = [](double seconds) {
        TRunOutcome outcome;
        outcome.Laying = dateOf(2026, 7, 10) + 9.0 / 24.0;
        outcome.SummerTime = true;
        outcome.ClockOffset = 2.0;
        outcome.ResultSeconds = seconds;
        outcome.Reopening = outcome.Laying + seconds / 86400.0;
        return outcome;
    };
    snapshot.Outcome = outcomeAfter(weatherSeconds);
    snapshot.ClassesOutcome = outcomeAfter(classesSeconds);
    snapshot.WeatherSource = QStringLiteral("Météo : test");
    const QString summary = SummaryText(snapshot, lgFR);
    QVERIFY2(summary.endsWith(shown), qPrintable(summary));
}

void AnalysisViewTest::languageSwitchRewritesTheWeatherSource()
{
    TLanguagesMgrCls texts(lgFR);
    TRecordingPresenter presenter;
    TScriptedQuestions questions;
    TAnalysisFrm window(texts, presenter, questions);
    window.ShowComputation(dayScenario(), RunScenario(dayScenario()));
    window.show();
    TWeatherPanel& panel = *window.WeatherView();
    panel.findChild<QRadioButton*>(QStringLiteral("weatherValues"))->setChecked(true);
    panel.findChild<QCheckBox*>(QStringLiteral("airTempGiven"))->setChecked(true);
    QVERIFY(window.WeatherNoteLabel()->text().startsWith(QStringLiteral("Météo : valeurs mesurées (air ")));
    texts.Language = lgNL;
    window.UpdateTexts();
    // The label and the report both read the snapshot's source.
    QVERIFY2(window.WeatherNoteLabel()->text().startsWith(QStringLiteral("Weer: gemeten waarden (lucht ")),
        qPrintable(window.WeatherNoteLabel()->text()));
    QVERIFY(window.Snapshot().WeatherSource.startsWith(QStringLiteral("Weer: ")));
}

void AnalysisViewTest::repeatedHourIsMarkedOnBothSides()
{
    // Laid at 01:50 summer time on the October change night: 02:10 comes twice.
    TScenario scenario;
    scenario.LayingDate = dateOf(2027, 10, 31);
    scenario.LayingTime = (1.0 + 50.0 / 60.0) / 24.0;
    const TAnalysisSnapshot snapshot = MakeAnalysisSnapshot(scenario, RunScenario(scenario));
    const TRunOutcome& outcome = snapshot.Outcome;
    QVERIFY(outcome.Succeeded() && outcome.ResultSeconds > 2.0 * 3600.0);
    const auto hoverAfter = [&](double minutes) {
        return HoverReadout(snapshot.Curve, outcome, outcome.Laying + (minutes * 60.0 + 1.0) / 86400.0, lgFR)
            .section(QLatin1Char(':'), 0, 2);
    };
    QCOMPARE(hoverAfter(0.0), QStringLiteral("01:50:00 "));
    QCOMPARE(hoverAfter(20.0), QStringLiteral("02:10:00 (heure d'été) "));
    QCOMPARE(hoverAfter(80.0), QStringLiteral("02:10:00 (heure d'hiver) "));
    QCOMPARE(hoverAfter(140.0), QStringLiteral("03:10:00 (heure d'hiver) "));

    // A laying in the repeated hour is taken in summer time, and says so.
    TScenario inTheHour = scenario;
    inTheHour.LayingTime = 2.5 / 24.0;
    const TAnalysisSnapshot laidInTheHour = MakeAnalysisSnapshot(inTheHour, RunScenario(inTheHour));
    QVERIFY2(
        SummaryText(laidInTheHour, lgNL).startsWith(QStringLiteral("Aanbrenging: 31/10/2027 02:30 (zomertijd)  ·")),
        qPrintable(SummaryText(laidInTheHour, lgNL)));

    // The plan's laying column: the hour's slots are summer time's, the others bare.
    const auto plan = PlanLaying(scenario, 60, std::nullopt, TExecution::Sequential);
    QVERIFY(plan.has_value());
    TLayingPlanView view;
    view.UpdateTexts(lgFR);
    view.SetPlan(*plan, scenario.LayingDate);
    QStringList layings;
    for (int row = 0; row < 4; ++row) {
        layings << view.Table()->item(row, 0)->text();
    }
    QCOMPARE(layings, (QStringList{"00:00", "01:00", "02:00 (heure d'été)", "03:00"}));

    // The report's weather table: both 02:50s marked, the new day dated.
    TLanguagesMgrCls texts(lgFR);
    QBuffer pdf;
    QVERIFY(pdf.open(QIODevice::WriteOnly));
    QVERIFY(AnalysisReport::WritePdf(pdf, reportContent(snapshot, texts)));
    const QString text = pdfText(pdf.data());
    const qsizetype table = text.indexOf(AnalysisTexts::Text(lgFR, TAnalysisText::ReportWeather));
    QVERIFY2(table >= 0, qPrintable(text));
    const QString weather = text.mid(table, 300);
    QVERIFY2(weather.count(QStringLiteral("02:50")) == 2
            && weather.contains(QStringLiteral("heure d'été heure d'hiver"))
            && weather.contains(QStringLiteral("01:50 31/10/2027")),
        qPrintable(weather));
}

void AnalysisViewTest::tabsStayPutWhenTheSummaryGrows()
{
    TLanguagesMgrCls texts(lgFR);
    TRecordingPresenter presenter;
    TScriptedQuestions questions;
    TAnalysisFrm window(texts, presenter, questions);
    window.ShowComputation(dayScenario(), RunScenario(dayScenario()));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QTabWidget* tabs = window.findChild<QTabWidget*>();
    const auto tabsAt = [&] {
        QCoreApplication::processEvents();
        return tabs->mapTo(&window, QPoint(0, 0));
    };
    const QPoint start = tabsAt();
    // A night warning, the weather's two answers and its note, the notice of a previous run.
    window.ShowComputation(nightScenario(), RunScenario(nightScenario()));
    QVERIFY(window.NightLabel()->isVisibleTo(&window));
    QCOMPARE(tabsAt(), start);
    window.WeatherView()->findChild<QRadioButton*>(QStringLiteral("weatherValues"))->setChecked(true);
    window.WeatherView()->findChild<QCheckBox*>(QStringLiteral("windSpeedGiven"))->setChecked(true);
    QVERIFY(window.WeatherNoteLabel()->isVisibleTo(&window));
    QCOMPARE(tabsAt(), start);
    window.ShowAsPrevious();
    QCOMPARE(tabsAt(), start);
    // Nothing is cut off: what the area does not show at once, it scrolls to.
    const QScrollArea& area = *window.SummaryArea();
    QVERIFY(area.verticalScrollBar()->maximum() > 0);
    QVERIFY(area.widget()->height() >= area.widget()->heightForWidth(area.viewport()->width()));
    QCOMPARE(area.widget()->width(), area.viewport()->width());
}

void AnalysisViewTest::reportIsPrintedOnTheLegalClock()
{
    TLanguagesMgrCls texts(lgFR);
    TRecordingPresenter presenter;
    TScriptedQuestions questions;
    TAnalysisFrm window(texts, presenter, questions);
    window.ShowComputation(dayScenario(), RunScenario(dayScenario()));
    QTemporaryDir dir;
    questions.FileName = dir.filePath(QStringLiteral("rapport.pdf"));
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "America/New_York");
    tzset();
    const auto printed
        = [] { return AnalysisMoments::FormatMoment(AnalysisMoments::LegalClockOf(QDateTime::currentDateTimeUtc())); };
    const QString before = printed();
    const bool saved = window.ExportReport();
    const QString after = printed();
    qputenv("TZ", zone);
    tzset();
    QVERIFY(saved);
    QFile file(questions.FileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = pdfText(file.readAll());
    QVERIFY2(
        text.contains(QStringLiteral("imprimé le ") + before) || text.contains(QStringLiteral("imprimé le ") + after),
        qPrintable(before + QStringLiteral(" not in: ") + text.right(120)));
}

QTEST_MAIN(AnalysisViewTest)
#include "AnalysisViewTest.moc"
