#include "AnalysisTestFakes.h"

#include "AnalysisFrm.h"
#include "AnalysisReport.h"
#include "AnalysisTexts.h"
#include "Ensemble.h"
#include "EnsembleSummary.h"
#include "EnsembleTexts.h"
#include "LocalForecastServer.h"
#include "ScenarioRun.h"
#include "WeatherPanel.h"

#include <QBuffer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString EnsembleFile = QStringLiteral(KELVARA_TEST_DATA "/weather/ensemble-brussels.json");

// 5 cm at 160 degC laid on 14 July 2027 at 22:00, inside the recorded ensemble.
TScenario julyNight()
{
    TScenario scenario;
    scenario.LayingTemp = 160.0;
    scenario.ReopenTemp = 35.0;
    scenario.LayingDate = static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(2027, 7, 14)));
    scenario.LayingTime = 22.0 / 24.0;
    return scenario;
}

// The command line's ensemble object for the same laying and target.
QJsonObject commandLineEnsemble(const QString& target)
{
    QProcess calc;
    calc.start(QStringLiteral(KELVARA_CALC),
        {QStringLiteral("--thickness"), QStringLiteral("5"), QStringLiteral("--laying-temp"), QStringLiteral("160"),
            QStringLiteral("--reopen-temp"), QStringLiteral("35"), QStringLiteral("--date"),
            QStringLiteral("2027-07-14"), QStringLiteral("--time"), QStringLiteral("22:00"),
            QStringLiteral("--ensemble"), EnsembleFile, QStringLiteral("--reopen-by"), target,
            QStringLiteral("--json")});
    if (!calc.waitForFinished(60000) || calc.exitCode() != 0) {
        return {};
    }
    return QJsonDocument::fromJson(calc.readAllStandardOutput()).object().value(u"ensemble").toObject();
}

struct TWindowFixture {
    TLanguagesMgrCls Texts{lgFR};
    TRecordingPresenter Presenter;
    TScriptedQuestions Questions;
    TAnalysisFrm Window{Texts, Presenter, Questions};

    void Show()
    {
        const TScenario scenario = julyNight();
        Window.ShowComputation(scenario, RunScenario(scenario, {.KeepHistory = true}));
        Window.show();
    }
    // Runs fn, which changes the weather, and waits for the members.
    bool Members(const std::function<void()>& fn)
    {
        QSignalSpy finished(&Window.Runner(), &TAnalysisRunner::finished);
        fn();
        return finished.wait(60000) && Window.Ensemble().has_value();
    }
    void Import(const QString& path)
    {
        Questions.FileName = path;
        Window.WeatherView()->ImportEnsemble();
    }
};

qint64 secondsAt(const TEnsembleOutcome& outcome, const std::optional<std::size_t>& member)
{
    return member ? static_cast<qint64>(outcome.Runs.at(*member).ResultSeconds) : -1;
}

// The ensemble service at 127.0.0.1 while alive.
class TEnsembleUrl {
public:
    explicit TEnsembleUrl(const QString& url) { qputenv("KELVARA_ENSEMBLE_URL", url.toUtf8()); }
    ~TEnsembleUrl() { qunsetenv("KELVARA_ENSEMBLE_URL"); }
    TEnsembleUrl(const TEnsembleUrl&) = delete;
    TEnsembleUrl& operator=(const TEnsembleUrl&) = delete;
};

}  // namespace

class AnalysisEnsembleTest : public QObject {
    Q_OBJECT

private slots:
    void readyShareRoundsHalvesUp();
    void membersWithoutAReopeningAreNamed();
    void membersAnswerAsTheCommandLine_data();
    void membersAnswerAsTheCommandLine();
    void refusalsSayWhyAndChangeNothing_data();
    void refusalsSayWhyAndChangeNothing();
    void reportHoldsTheRangeTheShareAndTheSource_data();
    void reportHoldsTheRangeTheShareAndTheSource();
};

void AnalysisEnsembleTest::readyShareRoundsHalvesUp()
{
    // 37 of 40 is 92.5 %: read as 93, as the site manager's own sum would.
    const std::tuple<std::size_t, std::size_t, int> cases[]
        = {{37, 40, 93}, {1, 3, 33}, {2, 3, 67}, {0, 40, 0}, {51, 51, 100}, {1, 8, 13}};
    for (const auto& [ready, members, perCent] : cases) {
        QCOMPARE(ReadyPerCent(ready, members), perCent);
    }
}

void AnalysisEnsembleTest::membersWithoutAReopeningAreNamed()
{
    TEnsembleResult result;
    auto ensemble = std::make_shared<TEnsemble>();
    for (const char* name : {"control", "member01", "member02"}) {
        ensemble->Members.push_back({name, nullptr});
    }
    result.Ensemble = ensemble;
    result.Outcome.Runs.resize(3);
    QCOMPARE(EnsembleNoReopeningText(result, lgFR), QString());
    // A run without a result: it has a failure.
    result.Outcome.Runs[1].Failure = TRunOutcome::WeatherNotCoveringLaying;
    result.Outcome.Runs[2].Failure = TRunOutcome::WeatherNotCoveringLaying;
    QCOMPARE(EnsembleNoReopeningText(result, lgNL),
        EnsembleTexts::Text(lgNL, TEnsembleText::NoReopening).arg(QStringLiteral("member01, member02")));
}

void AnalysisEnsembleTest::membersAnswerAsTheCommandLine_data()
{
    QTest::addColumn<bool>("fetched");
    QTest::newRow("imported file") << false;
    QTest::newRow("fetched from a local service") << true;
}

void AnalysisEnsembleTest::membersAnswerAsTheCommandLine()
{
    QFETCH(bool, fetched);
    TWindowFixture fixture;
    fixture.Show();
    TLocalForecastServer server;
    QVERIFY(server.Listen());
    server.AnswerFile(EnsembleFile);
    const TEnsembleUrl url(server.Url());
    QVERIFY(fixture.Members([&] {
        if (fetched) {
            QSignalSpy changed(fixture.Window.WeatherView(), &TWeatherPanel::weatherChanged);
            fixture.Window.WeatherView()->DownloadEnsemble();
            QVERIFY(changed.wait(10000));
        } else {
            fixture.Import(EnsembleFile);
        }
    }));
    if (fetched) {
        QVERIFY(server.Requests.value(0).contains("models=dwd_icon_eu_eps"));
    }
    const TEnsembleOutcome& outcome = fixture.Window.Ensemble()->Outcome;
    // The target follows the plan's deadline: 06:00 the next morning.
    const QJsonObject cli = commandLineEnsemble(QStringLiteral("2027-07-15T06:00"));
    QCOMPARE(static_cast<qint64>(outcome.Runs.size()), cli.value(u"members").toInteger());
    QCOMPARE(secondsAt(outcome, outcome.P10), cli.value(u"seconds_p10").toInteger(-1));
    QCOMPARE(secondsAt(outcome, outcome.P50), cli.value(u"seconds_p50").toInteger(-1));
    QCOMPARE(secondsAt(outcome, outcome.P90), cli.value(u"seconds_p90").toInteger(-1));
    QCOMPARE(static_cast<qint64>(outcome.ReadyMembers.value_or(0)), cli.value(u"ready_members").toInteger(-1));
    QVERIFY(fixture.Window.EnsembleLabel()->text().contains(EnsembleReadyText(*fixture.Window.Ensemble(), lgFR)));
    // The answer drawn beside the frame's is the control's, and says so.
    QVERIFY2(fixture.Window.SummaryLabel()->text().contains(
                 EnsembleTexts::Text(lgFR, TEnsembleText::AnswerTopMember).arg(QStringLiteral("control"), QString())),
        qPrintable(fixture.Window.SummaryLabel()->text()));
    QCOMPARE(fixture.Presenter.Warnings, QStringList());
}

void AnalysisEnsembleTest::refusalsSayWhyAndChangeNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("message");
    const QString service = QStringLiteral("127.0.0.1");
    QTest::newRow("malformed file") << "file:{\"hourly\": [1, 2"
                                    << AnalysisTexts::Text(lgFR, TAnalysisText::WeatherReadFailed).arg("bad.json");
    QTest::newRow("one member")
        << "file:time,member,air_temp\n2027-07-14T20:00,control,20\n2027-07-15T20:00,control,19\n"
        << EnsembleTexts::Text(lgFR, TEnsembleText::FileMemberCount).arg("bad.json");
    QTest::newRow("404") << "404"
                         << AnalysisTexts::Text(lgFR, TAnalysisText::WeatherFetchHttpStatus).arg(service).arg(404);
    QTest::newRow("refused connection") << "refused"
                                        << AnalysisTexts::Text(lgFR, TAnalysisText::WeatherFetchRefused).arg(service);
}

void AnalysisEnsembleTest::refusalsSayWhyAndChangeNothing()
{
    QFETCH(QString, how);
    QFETCH(QString, message);
    TWindowFixture fixture;
    fixture.Show();
    QVERIFY(fixture.Members([&] { fixture.Import(EnsembleFile); }));
    const TEnsembleOutcome before = fixture.Window.Ensemble()->Outcome;
    const QString summary = fixture.Window.EnsembleLabel()->text();
    QTemporaryDir dir;
    TLocalForecastServer server;
    QVERIFY(server.Listen());
    if (how.startsWith(QStringLiteral("file:"))) {
        QFile bad(dir.filePath(QStringLiteral("bad.json")));
        QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write(how.mid(5).toUtf8()) > 0);
        bad.close();
        fixture.Import(bad.fileName());
    } else {
        server.Answer(404, "not here");
        const TEnsembleUrl url(how == QStringLiteral("404")
                ? server.Url()
                : QStringLiteral("http://127.0.0.1:%1/v1/ensemble").arg(TLocalForecastServer::RefusingPort()));
        QSignalSpy failed(&fixture.Window.WeatherView()->Fetcher(), &TForecastFetcher::failed);
        fixture.Window.WeatherView()->DownloadEnsemble();
        QVERIFY(failed.wait(10000));
    }
    QCOMPARE(fixture.Presenter.Warnings, QStringList{message});
    QCOMPARE(fixture.Window.WeatherView()->Choice().Kind, TWeatherKind::Ensemble);
    QCOMPARE(fixture.Window.Ensemble()->Outcome.Runs.size(), before.Runs.size());
    QCOMPARE(fixture.Window.Ensemble()->Outcome.P90, before.P90);
    QCOMPARE(fixture.Window.EnsembleLabel()->text(), summary);
}

void AnalysisEnsembleTest::reportHoldsTheRangeTheShareAndTheSource_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("downloaded");
    QTest::newRow("fr, file") << int{lgFR} << false;
    QTest::newRow("nl, file") << int{lgNL} << false;
    QTest::newRow("fr, public service") << int{lgFR} << true;
    QTest::newRow("nl, public service") << int{lgNL} << true;
}

void AnalysisEnsembleTest::reportHoldsTheRangeTheShareAndTheSource()
{
    QFETCH(int, language);
    QFETCH(bool, downloaded);
    TWindowFixture fixture;
    fixture.Texts.Language = static_cast<TLanguage>(language);
    fixture.Window.UpdateTexts();
    fixture.Show();
    // As the public service answers, without the network.
    const QString host = QStringLiteral("ensemble-api.open-meteo.com");
    QVERIFY(fixture.Members([&] {
        if (downloaded) {
            emit fixture.Window.WeatherView()->Fetcher().fetchedEnsemble(
                std::make_shared<const TEnsemble>(EnsembleSource::ReadFile(EnsembleFile.toStdString())),
                QDateTime(QDate(2027, 7, 14), QTime(18, 0), Qt::UTC), host);
        } else {
            fixture.Import(EnsembleFile);
        }
    }));
    const TEnsembleResult& ensemble = *fixture.Window.Ensemble();
    TAnalysisReportContent content;
    content.Snapshot = &fixture.Window.Snapshot();
    content.Texts = &fixture.Texts;
    content.Ensemble = &ensemble;
    content.ProgramVersion = QStringLiteral("1.1.1.0");
    content.PrintedAt = QDateTime(QDate(2027, 7, 14), QTime(21, 0));
    const QString text = ReportText(content);
    QVERIFY2(!text.isEmpty(), "pdftotext (poppler-utils) did not read the report");
    const auto lang = static_cast<TLanguage>(language);
    // The moment of the fetch aside.
    const QString source = downloaded
        ? EnsembleTexts::Text(lang, TEnsembleText::SourceService)
              .arg(40)
              .arg(QStringLiteral("dwd_icon_eu_eps"), host, QString())
              .trimmed()
        : EnsembleTexts::Text(lang, TEnsembleText::SourceFile).arg(40).arg(QStringLiteral("ensemble-brussels.json"));
    QCOMPARE(text.contains(AnalysisTexts::Text(lang, TAnalysisText::WeatherAttribution).simplified()), downloaded);
    for (const QString& expected :
        {EnsembleRangeText(ensemble.Outcome, lang), EnsembleReadyText(ensemble, lang), source}) {
        QVERIFY2(!expected.isEmpty() && text.contains(expected.simplified()),
            qPrintable(expected + QStringLiteral(" not in: ") + text));
    }
}

QTEST_MAIN(AnalysisEnsembleTest)
#include "AnalysisEnsembleTest.moc"
