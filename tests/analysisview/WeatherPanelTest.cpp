#include "WeatherPanel.h"
#include "AnalysisMoments.h"
#include "AnalysisTestFakes.h"
#include "AnalysisTexts.h"
#include "ExportQuestions.h"
#include "LocalForecastServer.h"
#include "MessagePresenter.h"
#include "RegionalFormat.h"
#include "UiFont.h"
#include "WeatherSource.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <ctime>

namespace {

const QString ForecastFile = QStringLiteral(KELVARA_TEST_DATA "/weather/forecast-utc.json");

struct TPanelFixture {
    TRecordingPresenter Presenter;
    TScriptedQuestions Questions;
    TWeatherPanel Panel{Presenter, Questions, lgFR};

    template<typename T> T* Child(const char* name) { return Panel.findChild<T*>(QLatin1String(name)); }
    void GiveValues(std::optional<double> air, std::optional<double> wind, std::optional<double> cloud)
    {
        Child<QRadioButton>("weatherValues")->setChecked(true);
        const std::pair<const char*, std::optional<double>> given[]
            = {{"airTemp", air}, {"windSpeed", wind}, {"cloudCover", cloud}};
        for (const auto& [name, value] : given) {
            Child<QCheckBox>((std::string(name) + "Given").c_str())->setChecked(value.has_value());
            if (value) {
                Child<QDoubleSpinBox>(name)->setValue(*value);
            }
        }
    }
    void Import(const QString& path)
    {
        Questions.FileName = path;
        Panel.ImportForecast();
    }
};

double dateOf(int year, int month, int day)
{
    return static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(year, month, day)));
}

TScenario decemberMorning()
{
    TScenario scenario;
    scenario.LayingDate = dateOf(2026, 12, 9);
    scenario.LayingTime = 10.0 / 24.0;  // 09:00 UTC
    return scenario;
}

}  // namespace

class WeatherPanelTest : public QObject {
    Q_OBJECT

private slots:
    void choiceReachesTheScenarioUnchanged_data();
    void choiceReachesTheScenarioUnchanged();
    void hoursShowTheChosenWeather_data();
    void hoursShowTheChosenWeather();
    void downloadGivesTheServedForecast();
    void forecastAfterTheWarmUpStartIsNoted_data();
    void forecastAfterTheWarmUpStartIsNoted();
    void refusalsAreToldAndChangeNothing_data();
    void refusalsAreToldAndChangeNothing();
    void captionsFit_data();
    void captionsFit();
};

void WeatherPanelTest::choiceReachesTheScenarioUnchanged_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<std::optional<double>>("air");
    QTest::addColumn<std::optional<double>>("wind");
    QTest::addColumn<std::optional<double>>("cloud");
    QTest::addColumn<QString>("library");  // WeatherKindOf the scenario

    const std::optional<double> none;
    QTest::newRow("classes") << "classes" << none << none << none << "classes";
    QTest::newRow("all values") << "values" << std::optional(-3.5) << std::optional(7.2) << std::optional(85.0)
                                << "values";
    QTest::newRow("wind only") << "values" << none << std::optional(12.4) << none << "values";
    QTest::newRow("values, none given") << "values" << none << none << none << "classes";
    QTest::newRow("forecast") << "forecast" << none << none << none << "timeline";
}

void WeatherPanelTest::choiceReachesTheScenarioUnchanged()
{
    QFETCH(QString, kind);
    QFETCH(std::optional<double>, air);
    QFETCH(std::optional<double>, wind);
    QFETCH(std::optional<double>, cloud);
    QFETCH(QString, library);

    TPanelFixture fixture;
    QSignalSpy changed(&fixture.Panel, &TWeatherPanel::weatherChanged);
    fixture.Child<QDoubleSpinBox>("compactionTemp")->setValue(95.0);
    QCOMPARE(changed.size(), 1);
    if (kind == QLatin1String("forecast")) {
        fixture.Import(ForecastFile);
    } else if (kind == QLatin1String("values")) {
        fixture.Panel.ShowRun(decemberMorning(), 3600.0);
        fixture.GiveValues(air, wind, cloud);
    }
    QCOMPARE(changed.size() > 1, library != QLatin1String("classes"));

    // What a scenario held before, from another choice, is replaced.
    TScenario scenario = decemberMorning();
    scenario.AirTemp = 1.0;
    scenario.CloudCover = 2.0;
    scenario.Weather = std::make_shared<const TWeatherSource>(WeatherSource::ReadFile(ForecastFile.toStdString()));
    const std::shared_ptr<const TWeatherSource> before = scenario.Weather;
    const TWeatherChoice choice = fixture.Panel.Choice();
    ApplyWeatherChoice(choice, scenario);
    QCOMPARE(QString::fromLatin1(WeatherKindOf(scenario)), library);
    QCOMPARE(scenario.CompactionTemp, 95.0);
    if (library == QLatin1String("timeline")) {
        QVERIFY(scenario.Weather && scenario.Weather != before);
        QVERIFY(SameSamples(*scenario.Weather, *before));
        QCOMPARE(scenario.Weather->File, ForecastFile.toStdString());
        QVERIFY(!scenario.AirTemp && !scenario.WindSpeed && !scenario.CloudCover);
        QVERIFY(fixture.Panel.SourceLabel()->text().contains(QStringLiteral("forecast-utc.json")));
        return;
    }
    QVERIFY(!scenario.Weather);
    QCOMPARE(scenario.AirTemp, air);
    QCOMPARE(scenario.WindSpeed, wind);
    QCOMPARE(scenario.CloudCover, cloud);
    if (library == QLatin1String("values")) {
        // The table shows the values as given, a class where none is.
        const QTableWidget* hours = fixture.Panel.HoursTable();
        QCOMPARE(hours->rowCount(), 2);
        QCOMPARE(hours->item(1, 2)->text(), RegionalFormat::FormatReal(*wind));
        QCOMPARE(hours->item(1, 1)->text(), air ? RegionalFormat::FormatReal(*air) : QStringLiteral("\u2014"));
    }
}

void WeatherPanelTest::hoursShowTheChosenWeather_data()
{
    QTest::addColumn<double>("layingDate");
    QTest::addColumn<double>("runHours");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("firstAir");
    QTest::addColumn<double>("warnedMoment");  // wall clock; 0: no warning

    // The file: 9 December 00:00 UTC to 10 December 23:00 UTC; the laying 10:00 (UTC + 1).
    QTest::newRow("within the forecast") << dateOf(2026, 12, 9) << 5.5 << 7 << "3.5" << 0.0;
    QTest::newRow("past its end") << dateOf(2026, 12, 10) << 20.0 << 21 << "2.3" << dateOf(2026, 12, 11);
    QTest::newRow("laid after it") << dateOf(2026, 12, 12) << 2.0 << 3 << "-0.1" << dateOf(2026, 12, 9) + 1.0 / 24.0;
}

void WeatherPanelTest::hoursShowTheChosenWeather()
{
    QFETCH(double, layingDate);
    QFETCH(double, runHours);
    QFETCH(int, rows);
    QFETCH(QString, firstAir);
    QFETCH(double, warnedMoment);

    TPanelFixture fixture;
    fixture.Import(ForecastFile);
    TScenario scenario = decemberMorning();
    scenario.LayingDate = layingDate;
    fixture.Panel.ShowRun(scenario, runHours * 3600.0);
    const QTableWidget* hours = fixture.Panel.HoursTable();
    QCOMPARE(hours->rowCount(), rows);
    QCOMPARE(hours->item(0, 0)->text(), AnalysisMoments::FormatMoment(layingDate + 10.0 / 24.0));
    QCOMPARE(hours->item(1, 0)->text(), QStringLiteral("11:00"));
    // In the user's regional format: "3,5" under fr_BE or nl_BE.
    QCOMPARE(hours->item(0, 1)->text(), RegionalFormat::FormatReal(firstAir.toDouble()));
    QCOMPARE(fixture.Panel.WarningLabel()->isHidden(), warnedMoment == 0.0);
    if (warnedMoment != 0.0) {
        QVERIFY2(fixture.Panel.WarningLabel()->text().contains(AnalysisMoments::FormatMoment(warnedMoment)),
            qPrintable(fixture.Panel.WarningLabel()->text()));
    }
}

void WeatherPanelTest::downloadGivesTheServedForecast()
{
    TLocalForecastServer server;
    QVERIFY(server.Listen());
    server.AnswerFile(ForecastFile);
    const TForecastUrlOverride local(server.Url());
    TPanelFixture fixture;
    fixture.Panel.show();
    fixture.Child<QDoubleSpinBox>("latitude")->setValue(51.05);
    // Laid tomorrow: the warm-up starts the day before yesterday (UTC).
    TScenario tomorrow;
    tomorrow.LayingDate = static_cast<double>(QDate(1899, 12, 30).daysTo(QDateTime::currentDateTimeUtc().date())) + 1;
    tomorrow.LayingTime = 10.0 / 24.0;
    fixture.Panel.ShowRun(tomorrow, 3600.0);
    QSignalSpy changed(&fixture.Panel, &TWeatherPanel::weatherChanged);
    QPushButton* download = fixture.Child<QPushButton>("downloadForecast");
    download->setFocus();
    download->click();
    QVERIFY(fixture.Panel.IsDownloading());
    QVERIFY(fixture.Child<QPushButton>("cancelDownload")->isEnabled());
    // The focus waits on Cancel, and comes back where it was.
    QCOMPARE(fixture.Panel.focusWidget(), fixture.Child<QPushButton>("cancelDownload"));
    QVERIFY(changed.wait(5000));
    QCOMPARE(fixture.Panel.focusWidget(), download);
    const TWeatherChoice choice = fixture.Panel.Choice();
    QCOMPARE(choice.Kind, TWeatherKind::Forecast);
    QVERIFY(SameSamples(*choice.Source, WeatherSource::ReadFile(ForecastFile.toStdString())));
    QCOMPARE(choice.Origin.Service, QStringLiteral("127.0.0.1"));
    QCOMPARE(choice.Origin.LatitudeDeg, 51.05);
    QVERIFY(server.Requests.front().contains("latitude=51.05&longitude=4.21&"));
    QVERIFY(server.Requests.front().contains("&past_days=2&"));
    QVERIFY(fixture.Presenter.Warnings.isEmpty());
    QVERIFY(!fixture.Child<QPushButton>("cancelDownload")->isEnabled());
    QVERIFY(fixture.Panel.SourceLabel()->text().contains(QStringLiteral("127.0.0.1")));

    // The moment of fetching on the site's legal clock, whatever the computer's zone.
    TWeatherChoice summer = choice;
    summer.Origin.FetchedUtc = QDateTime(QDate(2026, 7, 10), QTime(12, 0), Qt::UTC);
    qputenv("TZ", "America/New_York");
    tzset();
    const QString origin = WeatherOriginText(summer, lgNL);
    qputenv("TZ", "Europe/Brussels");
    tzset();
    QVERIFY2(origin.contains(AnalysisMoments::FormatMoment(dateOf(2026, 7, 10) + 14.0 / 24.0)), qPrintable(origin));
}

void WeatherPanelTest::forecastAfterTheWarmUpStartIsNoted_data()
{
    // The file starts on 9 December 00:00 UTC (01:00 in Brussels).
    QTest::addColumn<double>("layingDate");
    QTest::addColumn<bool>("warmth");
    QTest::addColumn<double>("warmUpStart");  // wall clock; 0: no note
    QTest::newRow("laid on its first day") << dateOf(2026, 12, 9) << true << dateOf(2026, 12, 7);
    QTest::newRow("an hour short") << dateOf(2026, 12, 11) << true << dateOf(2026, 12, 9);
    QTest::newRow("covered") << dateOf(2026, 12, 12) << true << 0.0;
    QTest::newRow("without the warmth") << dateOf(2026, 12, 9) << false << 0.0;
}

void WeatherPanelTest::forecastAfterTheWarmUpStartIsNoted()
{
    QFETCH(double, layingDate);
    QFETCH(bool, warmth);
    QFETCH(double, warmUpStart);
    TPanelFixture fixture;
    fixture.Import(ForecastFile);
    TScenario scenario = decemberMorning();
    scenario.LayingDate = layingDate;
    scenario.RoadWarmth = warmth;
    fixture.Panel.ShowRun(scenario, 3600.0);
    const QString note = fixture.Panel.NoteLabel()->text();
    const QString said
        = AnalysisTexts::Text(lgFR, TAnalysisText::WeatherWarmUpNotCovered).section(QLatin1Char('%'), 0, 0);
    QCOMPARE(note.contains(said), warmUpStart != 0.0);
    if (warmUpStart != 0.0) {
        QVERIFY2(note.contains(AnalysisMoments::FormatMoment(warmUpStart))
                && note.contains(AnalysisMoments::FormatMoment(dateOf(2026, 12, 9) + 1.0 / 24.0)),
            qPrintable(note));
    }
}

void WeatherPanelTest::refusalsAreToldAndChangeNothing_data()
{
    QTest::addColumn<QString>("serve");  // "file:" and its text, or the server's answer
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("told");  // in the one message; empty: no message

    QTest::newRow("unreadable file") << "file:time,air_temp\nyesterday,12\n" << 0 << "weather.csv";
    // Each kind of refusal says its own reason.
    QTest::newRow("value out of range") << "file:time,air_temp\n2026-12-09T12:00Z,99\n" << 0 << "air de -40 à 50 °C";
    QTest::newRow("too large") << "file:" + QString(17 * 1024 * 1024, QLatin1Char(' ')) << 0 << "dépasse 16 Mio";
    QTest::newRow("missing file") << "file:" << 0 << "weather.csv";
    QTest::newRow("refused") << "refuse" << 0 << "127.0.0.1";
    QTest::newRow("not found") << "{}" << 404 << "404";
    QTest::newRow("malformed") << "{\"hourly\": 3" << 200 << "127.0.0.1";
    QTest::newRow("redirect loop") << "redirect" << 302 << "boucle de redirections";
    QTest::newRow("cancelled") << "cancel" << 0 << "";
}

void WeatherPanelTest::refusalsAreToldAndChangeNothing()
{
    QFETCH(QString, serve);
    QFETCH(int, status);
    QFETCH(QString, told);

    TPanelFixture fixture;
    fixture.Import(ForecastFile);  // a forecast of before, kept
    fixture.GiveValues(12.0, std::nullopt, 40.0);
    const TWeatherChoice before = fixture.Panel.Choice();
    QCOMPARE(before.Kind, TWeatherKind::Values);
    QSignalSpy changed(&fixture.Panel, &TWeatherPanel::weatherChanged);

    TLocalForecastServer server;
    QVERIFY(server.Listen());
    if (serve.startsWith(QLatin1String("file:"))) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("weather.csv"));
        if (serve.size() > 5) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(serve.mid(5).toUtf8());
        }
        fixture.Import(path);
    } else {
        const QString url = serve == QLatin1String("refuse")
            ? QStringLiteral("http://127.0.0.1:%1/v1/forecast").arg(TLocalForecastServer::RefusingPort())
            : server.Url();
        const TForecastUrlOverride local(url);
        if (serve == QLatin1String("cancel")) {
            server.KeepSilent();
        } else if (serve == QLatin1String("redirect")) {
            server.AnswerRaw("HTTP/1.1 302 Found\r\nLocation: /v1/forecast\r\nContent-Length: 0\r\n\r\n");
        } else {
            server.Answer(status, serve.toUtf8());
        }
        fixture.Panel.DownloadForecast();
        if (serve == QLatin1String("cancel")) {
            QSignalSpy requested(&server, &TLocalForecastServer::requested);
            QVERIFY(requested.wait(5000));
            fixture.Child<QPushButton>("cancelDownload")->click();
        }
        QTRY_VERIFY_WITH_TIMEOUT(!fixture.Panel.IsDownloading(), 10000);
    }
    QCOMPARE(fixture.Presenter.Warnings.size(), told.isEmpty() ? 0 : 1);
    if (!told.isEmpty()) {
        QVERIFY2(fixture.Presenter.Warnings.front().contains(told), qPrintable(fixture.Presenter.Warnings.front()));
    }
    QVERIFY(fixture.Panel.Choice() == before);
    QCOMPARE(changed.size(), 0);
    // The forecast of before is still there to choose.
    fixture.Child<QRadioButton>("weatherForecast")->setChecked(true);
    QVERIFY(SameSamples(*fixture.Panel.Choice().Source, WeatherSource::ReadFile(ForecastFile.toStdString())));
}

void WeatherPanelTest::captionsFit_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("classicFont");
    QTest::newRow("French") << int(lgFR) << false;
    QTest::newRow("Dutch") << int(lgNL) << false;
    QTest::newRow("French, frame font") << int(lgFR) << true;
    QTest::newRow("Dutch, frame font") << int(lgNL) << true;
}

void WeatherPanelTest::captionsFit()
{
    QFETCH(int, language);
    QFETCH(bool, classicFont);

    TPanelFixture fixture;
    fixture.Panel.UpdateTexts(static_cast<TLanguage>(language));
    if (classicFont) {
        fixture.Panel.setFont(ClassicUiFont());
    }
    fixture.Import(ForecastFile);
    fixture.Panel.ShowRun(decemberMorning(), 50 * 3600.0);
    // The analysis window's width, less its margins.
    fixture.Panel.resize(940, 600);
    fixture.Panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fixture.Panel));
    int checked = 0;
    for (QWidget* widget : fixture.Panel.findChildren<QWidget*>()) {
        auto* label = qobject_cast<QLabel*>(widget);
        if (!widget->isVisible() || !(qobject_cast<QAbstractButton*>(widget) || (label && !label->wordWrap()))) {
            continue;
        }
        ++checked;
        QVERIFY2(widget->width() >= widget->sizeHint().width(),
            qPrintable(QStringLiteral("%1: %2 < %3")
                           .arg(widget->objectName())
                           .arg(widget->width())
                           .arg(widget->sizeHint().width())));
    }
    QVERIFY2(checked >= 12, qPrintable(QString::number(checked)));
    // No caption widens the analysis window.
    QVERIFY2(fixture.Panel.minimumSizeHint().width() <= 940,
        qPrintable(QString::number(fixture.Panel.minimumSizeHint().width())));
    auto* box = fixture.Panel.findChild<QGroupBox*>();
    QVERIFY(box->width() > box->fontMetrics().horizontalAdvance(box->title()) + 20);
}

QTEST_MAIN(WeatherPanelTest)
#include "WeatherPanelTest.moc"
