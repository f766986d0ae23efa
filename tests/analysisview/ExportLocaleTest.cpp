// The window's curve export under a Belgian user's regional settings (the
// test runs with LANG and LC_ALL set to fr_BE.UTF-8) holds the command line's
// bytes: decimal points, one field per column.
#include "AnalysisFrm.h"
#include "MessagePresenter.h"
#include "ScenarioRun.h"

#include "AnalysisTestFakes.h"

#include <QDate>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>
#include <cstdio>

class ExportLocaleTest : public QObject {
    Q_OBJECT

private slots:
    void curveCsvIsTheCommandLinesUnderFrBe();
};

void ExportLocaleTest::curveCsvIsTheCommandLinesUnderFrBe()
{
    // The premise: the C library writes a decimal comma in this process.
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    QCOMPARE(QByteArray(probe), QByteArray("1,5"));

    TScenario scenario;
    scenario.LayingDate = static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(2026, 12, 9)));
    scenario.LayingTime = 10.0 / 24.0;
    TLanguagesMgrCls texts(lgFR);
    TRecordingPresenter presenter;
    TScriptedQuestions questions;
    TAnalysisFrm window(texts, presenter, questions);
    window.ShowComputation(scenario, RunScenario(scenario, {.KeepHistory = true}));
    QTemporaryDir dir;
    questions.FileName = dir.filePath(QStringLiteral("curve.csv"));
    QVERIFY(window.SaveCurveCsv());
    QFile saved(questions.FileName);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray exported = saved.readAll();

    QProcess calc;
    calc.start(QStringLiteral(KELVARA_CALC),
        {QStringLiteral("--date"), QStringLiteral("2026-12-09"), QStringLiteral("--time"), QStringLiteral("10:00"),
            QStringLiteral("--curve"), QStringLiteral("-")});
    QVERIFY(calc.waitForFinished(30000));
    QCOMPARE(calc.exitCode(), 0);
    const QByteArray commandLine = calc.readAllStandardOutput();
    QVERIFY(commandLine.count('\n') > 100);
    QCOMPARE(exported, commandLine);
}

QTEST_MAIN(ExportLocaleTest)
#include "ExportLocaleTest.moc"
