// The desktop frame and the analysis library describe and compute a
// reopening the same way: the frame's shown moment and its reported outcome
// equal a library run of the same inputs, to the second.
#include "FrameTestSupport.h"

#include "DateTimeConversion.h"
#include "RegionalFormat.h"
#include "ScenarioRun.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>

#include <utility>
#include <vector>

class FrameMatchesLibraryTest : public QObject {
    Q_OBJECT

private slots:
    void frameShowsTheLibrarysReopening_data();
    void frameShowsTheLibrarysReopening();
};

void FrameMatchesLibraryTest::frameShowsTheLibrarysReopening_data()
{
    QTest::addColumn<QString>("thickness");
    QTest::addColumn<QString>("layingTemp");
    QTest::addColumn<QString>("reopenTemp");
    QTest::addColumn<int>("wind");
    QTest::addColumn<int>("cloud");
    QTest::addColumn<QDateTime>("laying");
    // One case a line; the formatter would break every string onto its own.
    // clang-format off
    QTest::newRow("summer afternoon, calm and clear")
        << "5" << "170" << "30" << 0 << 0 << QDateTime(QDate(2026, 7, 10), QTime(14, 30, 20));
    QTest::newRow("winter night, strong wind, covered")
        << "8" << "160" << "40" << 2 << 2 << QDateTime(QDate(2026, 1, 15), QTime(2, 10, 40));
    QTest::newRow("spring morning, decimals, moderate, partial")
        << "3,5" << "150,5" << "35" << 1 << 1 << QDateTime(QDate(2026, 4, 2), QTime(7, 5, 0));
    QTest::newRow("laid at 23:59:30 on New Year's Eve")
        << "8" << "170" << "30" << 1 << 0 << QDateTime(QDate(2025, 12, 31), QTime(23, 59, 30));
    QTest::newRow("the day after the clocks went back")
        << "6" << "170" << "30" << 0 << 2 << QDateTime(QDate(2026, 10, 26), QTime(11, 0, 59));
    // clang-format on
}

void FrameMatchesLibraryTest::frameShowsTheLibrarysReopening()
{
    QFETCH(QString, thickness);
    QFETCH(QString, layingTemp);
    QFETCH(QString, reopenTemp);
    QFETCH(int, wind);
    QFETCH(int, cloud);
    QFETCH(QDateTime, laying);
    TFrameFixture fixture("fr_BE");
    TPICHourLTFra& frame = *fixture.Frame;
    const auto type = [](QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    };
    type(frame.edtNLThickness, thickness);
    type(frame.edtNLInitTemp, layingTemp);
    type(frame.edtNLPICTemp, reopenTemp);
    const std::array<QRadioButton*, 3> winds{frame.rbnWSFeeble, frame.rbnWSModerate, frame.rbnWSStrong};
    const std::array<QRadioButton*, 3> clouds{frame.rbnCWispy, frame.rbnCCover, frame.rbnCHeavyCover};
    winds.at(static_cast<std::size_t>(wind))->click();
    clouds.at(static_cast<std::size_t>(cloud))->click();
    frame.dtpPDDate->setDate(laying.date());
    frame.dtpPDTime->setTime(laying.time());
    std::vector<std::pair<TScenario, TRunOutcome>> reported;
    connect(&frame, &TPICHourLTFra::computationSucceeded, this,
        [&reported](const TScenario& s, const TRunOutcome& o) { reported.emplace_back(s, o); });
    QTest::mouseClick(frame.btnCompute, Qt::LeftButton);
    QVERIFY(fixture.Presenter.Warnings.isEmpty());
    QCOMPARE(reported.size(), std::size_t{1});

    TScenario scenario;
    scenario.ThicknessCm = QLocale().toDouble(thickness);
    scenario.LayingTemp = QLocale().toDouble(layingTemp);
    scenario.ReopenTemp = QLocale().toDouble(reopenTemp);
    scenario.Wind = AllWindClasses.at(static_cast<std::size_t>(wind));
    scenario.Cloud = AllCloudClasses.at(static_cast<std::size_t>(cloud));
    scenario.LayingDate = DateTimeConversion::ToDateTime(laying.date(), QTime(0, 0));
    scenario.LayingTime = DateTimeConversion::ToDateTime(QDate(1899, 12, 30), laying.time());
    const TRunOutcome library = RunScenario(scenario);
    QVERIFY2(library.Succeeded(), library.Failure.c_str());

    const QDateTime reopening = DateTimeConversion::FromDateTime(library.Reopening);
    QCOMPARE(frame.edtRPICDate->text(), RegionalFormat::FormatDate(reopening.date()));
    QCOMPARE(frame.edtRPICTime->text(), RegionalFormat::FormatTime(reopening.time()));
    // What the frame reports is a scenario the library runs to the same outcome.
    const auto& [shownScenario, shownOutcome] = reported.front();
    QCOMPARE(shownOutcome.Reopening, library.Reopening);
    QCOMPARE(shownOutcome.Night, library.Night);
    QCOMPARE(shownOutcome.Clock, library.Clock);
    QCOMPARE(shownOutcome.ClockOffset, library.ClockOffset);
    // What only the library's run added: the weather and the compaction window.
    QVERIFY(library.CompactionSeconds.has_value());
    QVERIFY(shownOutcome.CompactionSeconds == library.CompactionSeconds);
    QVERIFY(shownOutcome.WeatherKind == library.WeatherKind);
    QCOMPARE(RunScenario(shownScenario).Reopening, library.Reopening);
    QVERIFY(shownOutcome.History != nullptr);
}

QTEST_MAIN(FrameMatchesLibraryTest)
#include "FrameMatchesLibraryTest.moc"
