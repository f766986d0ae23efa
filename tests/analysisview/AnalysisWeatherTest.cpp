#include "AnalysisTestFakes.h"

#include "AnalysisFrm.h"
#include "AnalysisReport.h"
#include "AnalysisSummary.h"
#include "AnalysisTexts.h"
#include "CoolingChart.h"
#include "LocalForecastServer.h"
#include "RunCsv.h"
#include "ScenarioRun.h"
#include "WeatherPanel.h"
#include "WeatherSource.h"

#include <QBuffer>
#include <QDoubleSpinBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineSeries>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

namespace {

const QString ForecastFile = QStringLiteral(KELVARA_TEST_DATA "/weather/forecast-brussels.json");

// Laid inside the recorded forecast, which runs from 9 to 11 December 2026.
TScenario decemberScenario(int day = 9, int hour = 10)
{
    TScenario scenario;
    scenario.LayingDate = static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(2026, 12, day)));
    scenario.LayingTime = hour / 24.0;
    return scenario;
}

// The reopening the command line gives for the same laying on the same file.
QString commandLineReopening(const TScenario& scenario)
{
    const QDate date = QDate(1899, 12, 30).addDays(static_cast<qint64>(scenario.LayingDate));
    QProcess calc;
    calc.start(QStringLiteral(KELVARA_CALC),
        {QStringLiteral("--date"), date.toString(Qt::ISODate), QStringLiteral("--time"),
            QTime(0, 0).addSecs(static_cast<int>(std::lround(scenario.LayingTime * 86400.0))).toString(u"HH:mm"),
            QStringLiteral("--weather"), ForecastFile, QStringLiteral("--json")});
    if (!calc.waitForFinished(30000) || calc.exitCode() != 0) {
        return {};
    }
    return QJsonDocument::fromJson(calc.readAllStandardOutput()).object().value(u"reopening").toString();
}

QString reopeningOf(const TRunOutcome& outcome)
{
    return QString::fromStdString(IsoDateTime(outcome.Wall(outcome.Reopening).Moment).value_or(""));
}

struct TWindowFixture {
    TLanguagesMgrCls Texts{lgFR};
    TRecordingPresenter Presenter;
    TScriptedQuestions Questions;
    TAnalysisFrm Window{Texts, Presenter, Questions};

    TRunOutcome Show(const TScenario& scenario)
    {
        const TRunOutcome frame = RunScenario(scenario, {.KeepHistory = true});
        Window.ShowComputation(scenario, frame);
        Window.show();
        return frame;
    }
    void Import(const QString& path)
    {
        Questions.FileName = path;
        Window.WeatherView()->ImportForecast();
    }
};

}  // namespace

class AnalysisWeatherTest : public QObject {
    Q_OBJECT

private slots:
    void forecastAnswersAsTheCommandLineBesideTheClasses_data();
    void forecastAnswersAsTheCommandLineBesideTheClasses();
    void failedFetchLeavesTheAnswers();
    void forecastEndingBeforeTheRunSaysSo();
    void forecastMissingTheLayingGivesNoWeatherAnswer();
    void compactionLineSitsAtTheChosenTemperature();
    void reportHoldsBothAnswersTheSourceAndTheCompaction_data();
    void reportHoldsBothAnswersTheSourceAndTheCompaction();
    void attributionFollowsThePublicService_data();
    void attributionFollowsThePublicService();
};

void AnalysisWeatherTest::forecastAnswersAsTheCommandLineBesideTheClasses_data()
{
    QTest::addColumn<bool>("fetched");
    QTest::newRow("imported file") << false;
    QTest::newRow("fetched from a local service") << true;
}

void AnalysisWeatherTest::forecastAnswersAsTheCommandLineBesideTheClasses()
{
    QFETCH(bool, fetched);
    TWindowFixture fixture;
    const TScenario scenario = decemberScenario();
    const TRunOutcome frame = fixture.Show(scenario);
    TLocalForecastServer server;
    if (fetched) {
        QVERIFY(server.Listen());
        server.AnswerFile(ForecastFile);
        const TForecastUrlOverride url(server.Url());
        QSignalSpy changed(fixture.Window.WeatherView(), &TWeatherPanel::weatherChanged);
        fixture.Window.WeatherView()->DownloadForecast();
        QVERIFY(changed.wait(10000));
    } else {
        fixture.Import(ForecastFile);
    }
    const TAnalysisSnapshot& snapshot = fixture.Window.Snapshot();
    QCOMPARE(snapshot.Outcome.WeatherKind, std::string("timeline"));
    QCOMPARE(reopeningOf(snapshot.Outcome), commandLineReopening(scenario));
    // The frame's answer stays beside it, and both are in the summary.
    QVERIFY(snapshot.ClassesOutcome.has_value());
    QCOMPARE(snapshot.ClassesOutcome->Reopening, frame.Reopening);
    QVERIFY(snapshot.Outcome.Reopening != frame.Reopening);
    const QString summary = fixture.Window.SummaryLabel()->text();
    QVERIFY2(summary.contains(AnalysisTexts::Text(lgFR, TAnalysisText::AnswerClasses).arg(QString()))
            && summary.contains(AnalysisTexts::Text(lgFR, TAnalysisText::AnswerWeather).arg(QString())),
        qPrintable(summary));
    QCOMPARE(fixture.Presenter.Warnings, QStringList());
}

void AnalysisWeatherTest::failedFetchLeavesTheAnswers()
{
    TWindowFixture fixture;
    fixture.Show(decemberScenario());
    fixture.Import(ForecastFile);
    const double reopening = fixture.Window.Snapshot().Outcome.Reopening;
    const QString summary = fixture.Window.SummaryLabel()->text();
    TLocalForecastServer server;
    QVERIFY(server.Listen());
    server.Answer(404, "not here");
    const TForecastUrlOverride url(server.Url());
    QSignalSpy failed(&fixture.Window.WeatherView()->Fetcher(), &TForecastFetcher::failed);
    fixture.Window.WeatherView()->DownloadForecast();
    QVERIFY(failed.wait(10000));
    QCOMPARE(fixture.Presenter.Warnings.size(), 1);
    QCOMPARE(fixture.Window.Snapshot().Outcome.Reopening, reopening);
    QCOMPARE(fixture.Window.SummaryLabel()->text(), summary);
}

void AnalysisWeatherTest::forecastEndingBeforeTheRunSaysSo()
{
    // A new computation keeps the chosen weather: laid at 20:00 on the
    // forecast's last day, the layer cools past its end.
    TWindowFixture fixture;
    fixture.Show(decemberScenario());
    fixture.Import(ForecastFile);
    QVERIFY(!fixture.Window.Snapshot().Outcome.WeatherHeld);
    fixture.Show(decemberScenario(11, 20));
    const TRunOutcome& outcome = fixture.Window.Snapshot().Outcome;
    QVERIFY(outcome.Succeeded() && outcome.WeatherHeld);
    QVERIFY(fixture.Window.WeatherNoteLabel()->isVisibleTo(&fixture.Window));
    QVERIFY2(fixture.Window.WeatherNoteLabel()->text().contains(
                 AnalysisTexts::Text(lgFR, TAnalysisText::WeatherHeld).section(QLatin1Char('%'), 0, 0)),
        qPrintable(fixture.Window.WeatherNoteLabel()->text()));
}

void AnalysisWeatherTest::forecastMissingTheLayingGivesNoWeatherAnswer()
{
    // The December forecast kept for a March laying: the classes' answer
    // alone, and the reason said once in the summary's weather note.
    TWindowFixture fixture;
    fixture.Show(decemberScenario());
    fixture.Import(ForecastFile);
    TScenario march;
    march.LayingDate = static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(2027, 3, 10)));
    march.LayingTime = 10.0 / 24.0;
    const TRunOutcome frame = fixture.Show(march);
    const TAnalysisSnapshot& snapshot = fixture.Window.Snapshot();
    QVERIFY(snapshot.WeatherFailed && !snapshot.ClassesOutcome);
    QCOMPARE(snapshot.Outcome.Reopening, frame.Reopening);
    const QString summary = fixture.Window.SummaryLabel()->text();
    QVERIFY2(!summary.contains(AnalysisTexts::Text(lgFR, TAnalysisText::AnswerWeather).section(QLatin1Char('%'), 0, 0)),
        qPrintable(summary));
    const QString note = fixture.Window.WeatherNoteLabel()->text();
    // The moments follow the regional formats; the words are fixed.
    QVERIFY2(note.contains(QStringLiteral("La météo choisie (du ")) && note.contains(QStringLiteral("2026 23:00) "))
            && note.endsWith(QStringLiteral(") ne couvre pas la pose : pas de réponse sur des valeurs d'un autre "
                                            "moment, seules les classes sont montrées.")),
        qPrintable(note));
    QCOMPARE(note.count(QStringLiteral("couvre")), 1);
}

void AnalysisWeatherTest::compactionLineSitsAtTheChosenTemperature()
{
    TWindowFixture fixture;
    fixture.Show(decemberScenario());
    auto* temp = fixture.Window.WeatherView()->findChild<QDoubleSpinBox*>(QStringLiteral("compactionTemp"));
    QVERIFY(temp != nullptr);
    temp->setValue(110.0);
    const auto* line = fixture.Window.CoolingChartShown()->findChild<QLineSeries*>(
        QString::fromLatin1(CoolingChart::CompactionName));
    QVERIFY(line != nullptr);
    for (const QPointF& point : line->points()) {
        QCOMPARE(point.y(), 110.0);
    }
    // The window reads the end of the window again for that temperature.
    const TRunOutcome& outcome = fixture.Window.Snapshot().Outcome;
    QVERIFY(outcome.CompactionSeconds.has_value());
    const std::vector<double>& means = outcome.History->LayerMeanTemps();
    const auto level = static_cast<std::size_t>(*outcome.CompactionSeconds / TPICHourCls::TimeStep);
    QVERIFY(means.at(level) <= 110.0 && means.at(level - 1) > 110.0);
    QVERIFY(fixture.Window.CompactionLabel()->text().contains(QStringLiteral("110")));
}

void AnalysisWeatherTest::reportHoldsBothAnswersTheSourceAndTheCompaction_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("fr") << int{lgFR};
    QTest::newRow("nl") << int{lgNL};
}

void AnalysisWeatherTest::reportHoldsBothAnswersTheSourceAndTheCompaction()
{
    QFETCH(int, language);
    TWindowFixture fixture;
    fixture.Texts.Language = static_cast<TLanguage>(language);
    fixture.Window.UpdateTexts();
    fixture.Show(decemberScenario());
    fixture.Import(ForecastFile);
    const TAnalysisSnapshot& snapshot = fixture.Window.Snapshot();
    TAnalysisReportContent content;
    content.Snapshot = &snapshot;
    content.Texts = &fixture.Texts;
    content.ProgramVersion = QStringLiteral("1.1.1.0");
    content.PrintedAt = QDateTime(QDate(2026, 12, 9), QTime(8, 0));
    const QString text = ReportText(content);
    QVERIFY2(!text.isEmpty(), "pdftotext (poppler-utils) did not read the report");
    const TLanguage lang = fixture.Texts.Language;
    for (const QString& expected : {AnalysisTexts::Text(lang, TAnalysisText::AnswerClasses).arg(QString()),
             AnalysisTexts::Text(lang, TAnalysisText::AnswerWeather).arg(QString()),
             QStringLiteral("forecast-brussels.json"), CompactionText(snapshot, lang),
             AnalysisTexts::Text(lang, TAnalysisText::ReportWeather)}) {
        QVERIFY2(text.contains(expected.simplified()), qPrintable(expected + QStringLiteral(" not in: ") + text));
    }
}

void AnalysisWeatherTest::attributionFollowsThePublicService_data()
{
    // The service's host as the fetcher names it; empty: an imported file.
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("attributed");
    QTest::newRow("fr, public service") << int{lgFR} << QStringLiteral("api.open-meteo.com") << true;
    QTest::newRow("nl, public service") << int{lgNL} << QStringLiteral("api.open-meteo.com") << true;
    QTest::newRow("fr, its paid host") << int{lgFR} << QStringLiteral("customer-api.open-meteo.com") << true;
    QTest::newRow("nl, an organisation's own") << int{lgNL} << QStringLiteral("meteo.example.be") << false;
    QTest::newRow("fr, look-alike host") << int{lgFR} << QStringLiteral("notopen-meteo.com") << false;
    QTest::newRow("fr, imported file") << int{lgFR} << QString() << false;
    QTest::newRow("nl, imported file") << int{lgNL} << QString() << false;
}

void AnalysisWeatherTest::attributionFollowsThePublicService()
{
    QFETCH(int, language);
    QFETCH(QString, host);
    QFETCH(bool, attributed);
    TWindowFixture fixture;
    fixture.Texts.Language = static_cast<TLanguage>(language);
    fixture.Window.UpdateTexts();
    fixture.Show(decemberScenario());
    if (host.isEmpty()) {
        fixture.Import(ForecastFile);
    } else {
        // The fetcher's answer as a download from that host gives it.
        auto source = std::make_shared<const TWeatherSource>(WeatherSource::ReadFile(ForecastFile.toStdString()));
        emit fixture.Window.WeatherView()->Fetcher().fetched(
            source, QDateTime(QDate(2026, 12, 9), QTime(7, 0), QTimeZone::utc()), host);
    }
    const TAnalysisSnapshot& snapshot = fixture.Window.Snapshot();
    QCOMPARE(snapshot.Outcome.WeatherKind, std::string("timeline"));
    const QString attribution = language == lgFR ? QStringLiteral("Données météo : Open-Meteo.com (CC BY 4.0)")
                                                 : QStringLiteral("Weergegevens: Open-Meteo.com (CC BY 4.0)");
    const QString source = fixture.Window.WeatherView()->SourceLabel()->text();
    QVERIFY2(source.contains(attribution) == attributed, qPrintable(source));

    TAnalysisReportContent content;
    content.Snapshot = &snapshot;
    content.Texts = &fixture.Texts;
    content.ProgramVersion = QStringLiteral("1.1.1.0");
    content.PrintedAt = QDateTime(QDate(2026, 12, 9), QTime(8, 0));
    const QString text = ReportText(content);
    QVERIFY2(!text.isEmpty(), "pdftotext (poppler-utils) did not read the report");
    QVERIFY2(text.contains(AnalysisTexts::Text(static_cast<TLanguage>(language), TAnalysisText::ReportWeather)),
        qPrintable(text));
    QVERIFY2(text.contains(attribution) == attributed, qPrintable(text));
}

QTEST_MAIN(AnalysisWeatherTest)
#include "AnalysisWeatherTest.moc"
