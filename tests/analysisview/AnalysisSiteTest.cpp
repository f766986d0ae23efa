#include "AnalysisTestFakes.h"

#include "AnalysisFrm.h"
#include "AnalysisMoments.h"
#include "AnalysisReport.h"
#include "AnalysisSummary.h"
#include "RegionalFormat.h"
#include "RunCsv.h"
#include "ScenarioRun.h"
#include "SitePanel.h"
#include "SiteSummary.h"
#include "SiteTexts.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>

namespace {

// A further lift as the site manager types it, and as the command line takes it.
struct TTypedLift {
    double ThicknessCm;
    double LayingTemp;
    QString When;  // "+MIN" or "HH:MM"
};

TScenario scenarioAt(const QDateTime& laid, double thicknessCm, TWindClass wind, TCloudClass cloud)
{
    TScenario scenario;
    scenario.ThicknessCm = thicknessCm;
    scenario.Wind = wind;
    scenario.Cloud = cloud;
    scenario.LayingDate = static_cast<double>(QDate(1899, 12, 30).daysTo(laid.date()));
    scenario.LayingTime = laid.time().msecsSinceStartOfDay() / 86400000.0;
    return scenario;
}

TScenario julyNight()
{
    return scenarioAt(QDateTime(QDate(2026, 7, 10), QTime(21, 0)), 4.0, TWindClass::Feeble, TCloudClass::Clear);
}

// Types a lift into a new row of the panel, through its widgets.
void typeLift(TSitePanel& panel, const TTypedLift& lift)
{
    panel.AddButton()->click();
    QTableWidget* table = panel.LiftsTable();
    const int row = table->rowCount() - 1;
    qobject_cast<QDoubleSpinBox*>(table->cellWidget(row, 1))->setValue(lift.ThicknessCm);
    qobject_cast<QDoubleSpinBox*>(table->cellWidget(row, 2))->setValue(lift.LayingTemp);
    const bool atClock = !lift.When.startsWith(u'+');
    qobject_cast<QComboBox*>(table->cellWidget(row, 3))->setCurrentIndex(atClock ? 1 : 0);
    QWidget* moment = table->cellWidget(row, 4);
    if (atClock) {
        moment->findChild<QTimeEdit*>()->setTime(QTime::fromString(lift.When, u"HH:mm"));
    } else {
        moment->findChild<QSpinBox*>()->setValue(lift.When.mid(1).toInt());
    }
}

struct TWindowFixture {
    TLanguagesMgrCls Texts{lgFR};
    TRecordingPresenter Presenter;
    TScriptedQuestions Questions;
    TAnalysisFrm Window{Texts, Presenter, Questions};

    TWindowFixture(TLanguage language = lgFR)
    {
        Texts.Language = language;
        Window.UpdateTexts();
    }
    TRunOutcome Show(const TScenario& scenario)
    {
        const TRunOutcome frame = RunScenario(scenario, {.KeepHistory = true});
        Window.ShowComputation(scenario, frame);
        Window.show();
        return frame;
    }
    TSitePanel& Site() { return *Window.SiteView(); }
};

// The command line's answer (or failure) for the same laying, lifts and warmth.
QJsonObject commandLine(const TScenario& scenario, const QList<TTypedLift>& lifts, bool warmth)
{
    const QDate date = QDate(1899, 12, 30).addDays(static_cast<qint64>(scenario.LayingDate));
    QStringList arguments{QStringLiteral("--date"), date.toString(Qt::ISODate), QStringLiteral("--time"),
        QTime(0, 0).addSecs(static_cast<int>(std::lround(scenario.LayingTime * 86400.0))).toString(u"HH:mm"),
        QStringLiteral("--thickness"), QString::number(scenario.ThicknessCm), QStringLiteral("--wind"),
        QString::fromLatin1(NameOf(scenario.Wind)), QStringLiteral("--cloud"),
        QString::fromLatin1(NameOf(scenario.Cloud)), QStringLiteral("--json")};
    for (const TTypedLift& lift : lifts) {
        arguments << QStringLiteral("--lift")
                  << QStringLiteral("%1:%2:%3").arg(lift.ThicknessCm).arg(lift.LayingTemp).arg(lift.When);
    }
    if (warmth) {
        arguments << QStringLiteral("--road-warmth");
    }
    QProcess calc;
    calc.start(QStringLiteral(KELVARA_CALC), arguments);
    // A run without a reopening exits 3, its object still written.
    if (!calc.waitForFinished(60000)) {
        return {};
    }
    return QJsonDocument::fromJson(calc.readAllStandardOutput()).object();
}

QString isoOf(const TRunOutcome& outcome, double moment)
{
    return QString::fromStdString(IsoDateTime(outcome.Wall(moment).Moment).value_or(""));
}

enum class TEdit { DelayZero, DelayPastLimit, FourthLift, SkippedClock, ThicknessOutOfRange };

}  // namespace

Q_DECLARE_METATYPE(QList<TTypedLift>)

class AnalysisSiteTest : public QObject {
    Q_OBJECT

private slots:
    void siteAnswersAsTheCommandLine_data();
    void siteAnswersAsTheCommandLine();
    void refusedEditTellsAndChangesNothing_data();
    void refusedEditTellsAndChangesNothing();
    void newComputationKeepsTheSite();
    void liftsANewLayingRefusesAreLeftOutAndKept();
    void siteThatDoesNotCoolInTheRunSaysWhy();
    void reportHoldsTheLiftsAndTheWarmth_data();
    void reportHoldsTheLiftsAndTheWarmth();
    void captionsFitInBothLanguages_data();
    void captionsFitInBothLanguages();
};

void AnalysisSiteTest::siteAnswersAsTheCommandLine_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<TScenario>("scenario");
    QTest::addColumn<bool>("warmth");
    QTest::addColumn<QList<TTypedLift>>("lifts");
    QTest::addColumn<QList<double>>("elapsed");  // each lift's seconds after the first laying
    QTest::newRow("July night, warm road, 23:00 then an hour on")
        << int{lgFR} << julyNight() << true << QList<TTypedLift>{{3.0, 150.0, "23:00"}, {2.5, 140.0, "+60"}}
        << QList<double>{7200.0, 10800.0};
    QTest::newRow("January evening, warm road, 45 min on")
        << int{lgNL}
        << scenarioAt(QDateTime(QDate(2027, 1, 14), QTime(17, 0)), 5.0, TWindClass::Moderate, TCloudClass::Partial)
        << true << QList<TTypedLift>{{4.0, 160.0, "+45"}} << QList<double>{2700.0};
    // 01:30 is the next day's; 00:30, earlier than 01:30, the day after.
    QTest::newRow("clock times past midnight roll on")
        << int{lgFR} << julyNight() << false << QList<TTypedLift>{{3.0, 150.0, "01:30"}, {2.0, 130.0, "00:30"}}
        << QList<double>{16200.0, 99000.0};
    // Ten minutes on, the first lift is still above the compaction's end.
    QTest::newRow("the next lift cuts the compaction")
        << int{lgNL} << julyNight() << false << QList<TTypedLift>{{3.0, 150.0, "+10"}} << QList<double>{600.0};
}

void AnalysisSiteTest::siteAnswersAsTheCommandLine()
{
    QFETCH(int, language);
    QFETCH(TScenario, scenario);
    QFETCH(bool, warmth);
    QFETCH(QList<TTypedLift>, lifts);
    QFETCH(QList<double>, elapsed);
    const auto lang = static_cast<TLanguage>(language);
    TWindowFixture fixture(lang);
    const TRunOutcome frame = fixture.Show(scenario);
    if (warmth) {
        fixture.Site().WarmthBox()->click();
    }
    for (const TTypedLift& lift : lifts) {
        typeLift(fixture.Site(), lift);
    }
    QCOMPARE(fixture.Presenter.Warnings, QStringList());

    // What the panel took is what the window ran.
    const TAnalysisSnapshot& snapshot = fixture.Window.Snapshot();
    QCOMPARE(snapshot.Scenario.RoadWarmth, warmth);
    QCOMPARE(snapshot.Scenario.Lifts.size(), static_cast<std::size_t>(lifts.size()));
    for (qsizetype n = 0; n < lifts.size(); ++n) {
        const TLift& ran = snapshot.Scenario.Lifts[static_cast<std::size_t>(n)];
        QCOMPARE(ran.ElapsedSeconds, elapsed[n]);
        QCOMPARE(ran.ThicknessCm, lifts[n].ThicknessCm);
        QCOMPARE(ran.LayingTemp, lifts[n].LayingTemp);
    }
    QVERIFY(snapshot.ClassesOutcome.has_value());
    QCOMPARE(snapshot.ClassesOutcome->Reopening, frame.Reopening);

    // The command line's answer, to the second, lift by lift.
    const QJsonObject calc = commandLine(scenario, lifts, warmth);
    QVERIFY2(!calc.isEmpty(), "kelvara-calc gave no answer");
    const TRunOutcome& outcome = snapshot.Outcome;
    QCOMPARE(isoOf(outcome, outcome.Reopening), calc.value(u"reopening").toString());
    const QJsonArray calcLifts = calc.value(u"lifts").toArray();
    QCOMPARE(outcome.Lifts.size(), static_cast<std::size_t>(calcLifts.size()));
    const QString compaction = fixture.Window.CompactionLabel()->text();
    for (qsizetype n = 0; n < calcLifts.size(); ++n) {
        const QJsonObject expected = calcLifts[n].toObject();
        const TLiftOutcome& lift = outcome.Lifts[static_cast<std::size_t>(n)];
        QCOMPARE(isoOf(outcome, lift.Laid), expected.value(u"laid").toString());
        if (expected.value(u"compaction_seconds").isNull()) {
            QVERIFY(!lift.CompactionSeconds);
            if (n + 1 < calcLifts.size()) {
                const QString cut = SiteTexts::Text(lang, TSiteText::LiftCompactionCut)
                                        .arg(QString::number(n + 2), RegionalFormat::FormatReal(80.0));
                QVERIFY2(compaction.contains(cut), qPrintable(compaction));
            }
        } else {
            QCOMPARE(lift.CompactionSeconds.value_or(-1.0), expected.value(u"compaction_seconds").toDouble());
        }
    }
    // The summary puts the site's answer beside the frame's; every lift has its line.
    const QString summary = fixture.Window.SummaryLabel()->text();
    QVERIFY2(
        summary.contains(
            SiteTexts::Text(lang, TSiteText::AnswerSite).arg(SiteSummary::SiteDescription(snapshot, lang), QString())),
        qPrintable(summary));
    QCOMPARE(compaction.count(u'\n'), lifts.size());
    // The existing road as the command line gives it, in the panel.
    const QString road = fixture.Site().RoadLabel()->text();
    const QString surface = RegionalFormat::FormatReal(calc.value(u"existing_surface_temp").toDouble());
    QVERIFY2(road.contains(SiteTexts::Text(lang, warmth ? TSiteText::RoadAtLaying : TSiteText::RoadUniform)
                               .section(QLatin1Char('%'), 0, 0))
            && road.contains(surface),
        qPrintable(road + QStringLiteral(" / ") + surface));
}

void AnalysisSiteTest::refusedEditTellsAndChangesNothing_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<TScenario>("scenario");
    QTest::addColumn<int>("edit");
    QTest::addColumn<QString>("message");
    const auto text = [](TLanguage language, TSiteText id) { return SiteTexts::Text(language, id); };
    QTest::newRow("no delay: not after the previous lift")
        << int{lgFR} << julyNight() << int(TEdit::DelayZero)
        << text(lgFR, TSiteText::RefusedNotAfter).arg(QStringLiteral("2"), QStringLiteral("1"));
    QTest::newRow("35 h on: past the run's limit")
        << int{lgNL} << julyNight() << int(TEdit::DelayPastLimit)
        << text(lgNL, TSiteText::RefusedPastLimit)
               .arg(QStringLiteral("2"), QStringLiteral("35 u 00 min"), QStringLiteral("34 u 43 min"));
    QTest::newRow("a fourth further lift")
        << int{lgFR} << julyNight() << int(TEdit::FourthLift) << text(lgFR, TSiteText::RefusedTooMany).arg(3);
    QTest::newRow("the hour the March change skips")
        << int{lgNL}
        << scenarioAt(QDateTime(QDate(2027, 3, 27), QTime(22, 0)), 5.0, TWindClass::Feeble, TCloudClass::Clear)
        << int(TEdit::SkippedClock) << text(lgNL, TSiteText::RefusedSkipped).arg(QStringLiteral("2"), "02:30");
    QTest::newRow("a thickness out of range")
        << int{lgFR} << julyNight() << int(TEdit::ThicknessOutOfRange)
        << text(lgFR, TSiteText::RefusedThickness)
               .arg(QStringLiteral("2"), RegionalFormat::FormatReal(1.5), RegionalFormat::FormatReal(8.0));
}

void AnalysisSiteTest::refusedEditTellsAndChangesNothing()
{
    QFETCH(int, language);
    QFETCH(TScenario, scenario);
    QFETCH(int, edit);
    QFETCH(QString, message);
    TWindowFixture fixture(static_cast<TLanguage>(language));
    fixture.Show(scenario);
    TSitePanel& site = fixture.Site();
    typeLift(site, {3.0, 150.0, edit == int(TEdit::SkippedClock) ? "23:00" : "+60"});
    if (edit == int(TEdit::FourthLift)) {
        typeLift(site, {3.0, 150.0, "+60"});
        typeLift(site, {3.0, 150.0, "+60"});
    }
    QCOMPARE(fixture.Presenter.Warnings, QStringList());
    const TSiteChoice before = site.Choice();
    const double reopening = fixture.Window.Snapshot().Outcome.Reopening;
    const std::vector<TLift> lifts = fixture.Window.Snapshot().Scenario.Lifts;
    const QString summary = fixture.Window.SummaryLabel()->text();

    QTableWidget* table = site.LiftsTable();
    QWidget* moment = table->cellWidget(1, 4);
    switch (static_cast<TEdit>(edit)) {
    case TEdit::DelayZero:
        moment->findChild<QSpinBox*>()->setValue(0);
        break;
    case TEdit::DelayPastLimit:
        moment->findChild<QSpinBox*>()->setValue(35 * 60);
        break;
    case TEdit::FourthLift:
        site.AddButton()->click();
        break;
    case TEdit::SkippedClock:
        moment->findChild<QTimeEdit*>()->setTime(QTime(2, 30));
        break;
    case TEdit::ThicknessOutOfRange: {
        TSiteChoice choice = before;
        choice.Lifts.front().ThicknessCm = 9.0;
        QVERIFY(!site.SetChoice(choice));
        break;
    }
    }
    QCOMPARE(fixture.Presenter.Warnings, QStringList{message});
    // The choice, the widgets and the answers are those before the edit.
    QVERIFY(site.Choice() == before);
    QCOMPARE(table->rowCount(), static_cast<int>(before.Lifts.size()) + 1);
    const TSiteLift& lift = before.Lifts.front();
    QCOMPARE(moment->findChild<QSpinBox*>()->value(), lift.DelayMinutes);
    QCOMPARE(qobject_cast<QComboBox*>(table->cellWidget(1, 3))->currentIndex(), lift.AtClockTime ? 1 : 0);
    QCOMPARE(moment->findChild<QTimeEdit*>()->time(), QTime(lift.Hour, lift.Minute));
    QCOMPARE(fixture.Window.Snapshot().Outcome.Reopening, reopening);
    QCOMPARE(fixture.Window.Snapshot().Scenario.Lifts.size(), lifts.size());
    QCOMPARE(fixture.Window.SummaryLabel()->text(), summary);
}

void AnalysisSiteTest::newComputationKeepsTheSite()
{
    TWindowFixture fixture;
    fixture.Show(julyNight());
    fixture.Site().WarmthBox()->click();
    typeLift(fixture.Site(), {3.0, 150.0, "+90"});
    const TSiteChoice site = fixture.Site().Choice();

    TScenario next = julyNight();
    next.ThicknessCm = 6.0;
    next.LayingTime = 20.0 / 24.0;
    const TRunOutcome frame = fixture.Show(next);
    QVERIFY(fixture.Site().Choice() == site);
    const TAnalysisSnapshot& snapshot = fixture.Window.Snapshot();
    QVERIFY(snapshot.Scenario.RoadWarmth);
    QCOMPARE(snapshot.Scenario.Lifts.size(), std::size_t{1});
    QCOMPARE(snapshot.Scenario.Lifts.front().ElapsedSeconds, 5400.0);
    QCOMPARE(snapshot.Scenario.ThicknessCm, 6.0);
    QCOMPARE(snapshot.Outcome.Laying, frame.Laying);
    QVERIFY(snapshot.ClassesOutcome && snapshot.ClassesOutcome->Reopening == frame.Reopening);
    // The first lift's row is the new computation's layer.
    QVERIFY(fixture.Site().LiftsTable()->item(0, 3)->text().contains(QStringLiteral("20:00")));
    QCOMPARE(fixture.Site().LiftsTable()->item(0, 1)->text(), RegionalFormat::FormatReal(6.0));
    QCOMPARE(fixture.Presenter.Warnings, QStringList());
}

void AnalysisSiteTest::liftsANewLayingRefusesAreLeftOutAndKept()
{
    TWindowFixture fixture;
    const auto march = [](int day, int hour) {
        return scenarioAt(QDateTime(QDate(2027, 3, day), QTime(hour, 0)), 5.0, TWindClass::Feeble, TCloudClass::Clear);
    };
    fixture.Show(march(27, 1));
    typeLift(fixture.Site(), {3.0, 150.0, "02:30"});
    QCOMPARE(fixture.Presenter.Warnings, QStringList());
    const TSiteChoice site = fixture.Site().Choice();
    // After a laying at 22:00, the next 02:30 is the one the March change skips.
    const TRunOutcome frame = fixture.Show(march(27, 22));
    const TAnalysisSnapshot& snapshot = fixture.Window.Snapshot();
    QVERIFY(snapshot.Scenario.Lifts.empty());
    QCOMPARE(snapshot.Outcome.Reopening, frame.Reopening);
    const QString note = fixture.Window.WeatherNoteLabel()->text();
    const QString why = SiteTexts::Text(lgFR, TSiteText::RefusedSkipped).arg(QStringLiteral("2"), "02:30");
    QVERIFY2(fixture.Window.WeatherNoteLabel()->isVisibleTo(&fixture.Window) && note.contains(why), qPrintable(note));
    // The report says so too.
    TAnalysisReportContent content;
    content.Snapshot = &snapshot;
    content.Texts = &fixture.Texts;
    const QString report = ReportText(content);
    QVERIFY2(report.contains(why), qPrintable(report));
    // Kept for a laying that takes them again.
    QVERIFY(fixture.Site().Choice() == site);
    fixture.Show(march(27, 1));
    QCOMPARE(fixture.Window.Snapshot().Scenario.Lifts.size(), std::size_t{1});
    QVERIFY(fixture.Window.Snapshot().ClassesOutcome.has_value());
}

void AnalysisSiteTest::siteThatDoesNotCoolInTheRunSaysWhy()
{
    TWindowFixture fixture(lgNL);
    TScenario scenario = julyNight();
    scenario.ThicknessCm = 8.0;
    const TRunOutcome frame = fixture.Show(scenario);
    fixture.Site().WarmthBox()->click();
    const QList<TTypedLift> lifts{{4.0, 160.0, "23:00"}, {3.0, 150.0, "+90"}};
    for (const TTypedLift& lift : lifts) {
        typeLift(fixture.Site(), lift);
    }
    // The command line finds no reopening either.
    QCOMPARE(commandLine(scenario, lifts, true).value(u"error").toString(), QStringLiteral("TPICHourCls/3"));
    const TAnalysisSnapshot& snapshot = fixture.Window.Snapshot();
    QVERIFY(!snapshot.ClassesOutcome);
    QCOMPARE(snapshot.Outcome.Reopening, frame.Reopening);
    QCOMPARE(fixture.Window.WeatherNoteLabel()->text(),
        SiteTexts::Text(lgNL, TSiteText::SiteFailedTooLong).arg(QStringLiteral("34 u 43 min")));
    // Nor does the panel show the frame's uniform road as the one asked for.
    QCOMPARE(fixture.Site().RoadLabel()->text(), QString());
}

void AnalysisSiteTest::reportHoldsTheLiftsAndTheWarmth_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("warmth");
    QTest::newRow("fr, warm road") << int{lgFR} << true;
    QTest::newRow("nl, warm road") << int{lgNL} << true;
    QTest::newRow("nl, uniform road") << int{lgNL} << false;
}

void AnalysisSiteTest::reportHoldsTheLiftsAndTheWarmth()
{
    QFETCH(int, language);
    QFETCH(bool, warmth);
    const auto lang = static_cast<TLanguage>(language);
    TWindowFixture fixture(lang);
    fixture.Show(julyNight());
    if (warmth) {
        fixture.Site().WarmthBox()->click();
    }
    typeLift(fixture.Site(), {3.0, 150.0, "23:00"});
    typeLift(fixture.Site(), {2.5, 140.0, "+60"});
    const TAnalysisSnapshot& snapshot = fixture.Window.Snapshot();
    TAnalysisReportContent content;
    content.Snapshot = &snapshot;
    content.Texts = &fixture.Texts;
    content.ProgramVersion = QStringLiteral("1.1.1.0");
    content.PrintedAt = QDateTime(QDate(2026, 7, 10), QTime(20, 0));
    const QString text = ReportText(content);
    QVERIFY2(!text.isEmpty(), "pdftotext (poppler-utils) gave nothing");
    const TRunOutcome& outcome = snapshot.Outcome;
    QStringList expected{SiteTexts::Text(lang, TSiteText::ReportTitle),
        SiteTexts::Text(lang, TSiteText::ReportBaseMean),
        // The footer: the page still ends on it.
        QStringLiteral("1.1.1.0")};
    if (warmth) {
        const auto road = ExistingRoadAtLaying(outcome);
        QVERIFY(road.has_value());
        expected << SiteTexts::Text(lang, TSiteText::ReportWarmthOn).section(QLatin1Char(':'), 0, 0)
                 << RegionalFormat::FormatReal((*road)[0]) << RegionalFormat::FormatReal((*road)[3]);
    } else {
        expected
            << SiteTexts::Text(lang, TSiteText::ReportWarmthOff).arg(RegionalFormat::FormatReal(outcome.BottomTemp));
    }
    QCOMPARE(outcome.Lifts.size(), std::size_t{3});
    for (std::size_t n = 0; n < outcome.Lifts.size(); ++n) {
        const TLiftOutcome& lift = outcome.Lifts[n];
        expected << AnalysisMoments::FormatMoment(outcome, lift.Laid) << SiteSummary::CompactionCell(snapshot, n, lang);
        if (lift.BaseMeanTemp) {
            expected << RegionalFormat::FormatReal(*lift.BaseMeanTemp) + QStringLiteral(" °C");
        }
    }
    for (const QString& line : expected) {
        QVERIFY2(text.contains(line.simplified()), qPrintable(line + QStringLiteral(" not in: ") + text));
    }
}

void AnalysisSiteTest::captionsFitInBothLanguages_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("fr") << int{lgFR};
    QTest::newRow("nl") << int{lgNL};
}

void AnalysisSiteTest::captionsFitInBothLanguages()
{
    QFETCH(int, language);
    TWindowFixture fixture(static_cast<TLanguage>(language));
    fixture.Show(julyNight());
    fixture.Window.Tabs()->setCurrentWidget(&fixture.Site());
    QVERIFY(QTest::qWaitForWindowExposed(&fixture.Window));
    fixture.Site().WarmthBox()->click();
    typeLift(fixture.Site(), {3.0, 150.0, "23:00"});
    typeLift(fixture.Site(), {3.0, 150.0, "+60"});
    // The new rows' and texts' layouts settle on the next turns of the event loop.
    QTest::qWait(100);
    for (const QAbstractButton* button : fixture.Site().findChildren<QAbstractButton*>()) {
        if (button->isVisible() && !button->text().isEmpty()) {
            QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
        }
    }
    for (int row = 1; row < fixture.Site().LiftsTable()->rowCount(); ++row) {
        const QWidget* box = fixture.Site().LiftsTable()->cellWidget(row, 3);
        QVERIFY2(box->width() >= box->sizeHint().width(), qPrintable(QString::number(row)));
    }
    const QTableWidget* table = fixture.Site().LiftsTable();
    const QHeaderView* header = table->horizontalHeader();
    for (int column = 0; column < table->columnCount(); ++column) {
        const QString caption = table->horizontalHeaderItem(column)->text();
        QVERIFY2(header->sectionSize(column) > header->fontMetrics().horizontalAdvance(caption), qPrintable(caption));
    }
    // The frame's layer's row, its text across two columns.
    const QString first = table->item(0, 3)->text();
    QVERIFY2(header->sectionSize(3) + header->sectionSize(4) > table->fontMetrics().horizontalAdvance(first),
        qPrintable(first));
    // Every row in view: the buttons under the table never move.
    QVERIFY(table->verticalHeader()->length() <= table->viewport()->height());
    const QLabel* road = fixture.Site().RoadLabel();
    QVERIFY2(road->height() >= road->heightForWidth(road->width()), qPrintable(road->text()));
}

QTEST_MAIN(AnalysisSiteTest)
#include "AnalysisSiteTest.moc"
