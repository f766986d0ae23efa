#include "AnalysisFrm.h"
#include "AnalysisTexts.h"
#include "MainCtl.h"
#include "MessagePresenter.h"
#include "PICHourLTCtl.h"

#include <QChart>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

namespace {

class TRecordingPresenter final : public TMessagePresenter {
public:
    void ShowWarning(QWidget*, const QString& text) override { Warnings << text; }
    void ShowError(QWidget*, const QString& title, const QString& text) override { Warnings << title + text; }
    QStringList Warnings;
};

TfrmMain::TLanguageQuestion answer(TLanguage language)
{
    return [language](QWidget&, TLanguagesMgrCls& texts) {
        texts.Language = language;
        return mrOk;
    };
}

QChar accessLetter(const QString& title)
{
    const qsizetype at = title.indexOf(QLatin1Char('&'));
    return at >= 0 && at + 1 < title.size() ? title.at(at + 1).toLower() : QChar();
}

}  // namespace

class AnalysisMenuTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QStringLiteral("fr_BE"))); }
    void menuFollowsTheLanguageWithItsOwnAccessLetter_data();
    void menuFollowsTheLanguageWithItsOwnAccessLetter();
    void itemsWaitForTheFirstSuccessfulComputation();
    void changedInputsMarkTheShownRunAsPrevious();
    void shownAgainWhereTheUserLeftItWhileOnTheScreen();
};

void AnalysisMenuTest::menuFollowsTheLanguageWithItsOwnAccessLetter_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("fr") << int{lgFR} << QStringList{"A&nalyse", "&Analyse du refroidissement...", "&Rapport PDF..."};
    QTest::newRow("nl") << int{lgNL} << QStringList{"&Analyse", "&Afkoelingsanalyse...", "PDF-&rapport..."};
}

void AnalysisMenuTest::menuFollowsTheLanguageWithItsOwnAccessLetter()
{
    QFETCH(int, language);
    QFETCH(QStringList, titles);
    TRecordingPresenter presenter;
    TfrmMain window(presenter, answer(lgFR));
    window.SetLanguage(static_cast<TLanguage>(language));
    QCOMPARE(window.mnuAnalysis->title(), titles[0]);
    QCOMPARE(window.mnuCoolingAnalysis->text(), titles[1]);
    QCOMPARE(window.mnuPdfReport->text(), titles[2]);
    // After the language menu, before help.
    const QList<QAction*> menus = window.mmnuMain->actions();
    QCOMPARE(menus.indexOf(window.mnuAnalysis->menuAction()), menus.indexOf(window.mnuLanguageType->menuAction()) + 1);
    QSet<QChar> letters;
    for (const QAction* menu : menus) {
        const QChar letter = accessLetter(menu->text());
        QVERIFY2(!letter.isNull() && !letters.contains(letter), qPrintable(menu->text()));
        letters.insert(letter);
    }
}

void AnalysisMenuTest::itemsWaitForTheFirstSuccessfulComputation()
{
    TRecordingPresenter presenter;
    TfrmMain window(presenter, answer(lgFR));
    window.show();
    QVERIFY(!window.mnuCoolingAnalysis->isEnabled());
    QVERIFY(!window.mnuPdfReport->isEnabled());
    // A refused input computes nothing.
    TPICHourLTFra& frame = *window.fraPICHourLT;
    const QString thickness = frame.edtNLThickness->text();
    frame.edtNLThickness->setText(QStringLiteral("abc"));
    QTest::mouseClick(frame.btnCompute, Qt::LeftButton);
    QVERIFY(!presenter.Warnings.isEmpty());
    QVERIFY(!window.mnuCoolingAnalysis->isEnabled());
    QVERIFY(window.AnalysisWindow() == nullptr);

    frame.edtNLThickness->setText(thickness);
    QTest::mouseClick(frame.btnCompute, Qt::LeftButton);
    QVERIFY(window.mnuCoolingAnalysis->isEnabled());
    QVERIFY(window.mnuPdfReport->isEnabled());
    window.mnuCoolingAnalysis->trigger();
    TAnalysisFrm* analysis = window.AnalysisWindow();
    QVERIFY(analysis != nullptr && analysis->isVisible());
    QVERIFY(!analysis->CoolingChartShown()->series().isEmpty());
    QCOMPARE(analysis->Snapshot().Outcome.ResultSeconds, frame.PICHour().ResultSeconds);
}

void AnalysisMenuTest::changedInputsMarkTheShownRunAsPrevious()
{
    TRecordingPresenter presenter;
    TfrmMain window(presenter, answer(lgFR));
    window.show();
    TPICHourLTFra& frame = *window.fraPICHourLT;
    QTest::mouseClick(frame.btnCompute, Qt::LeftButton);
    window.mnuCoolingAnalysis->trigger();
    TAnalysisFrm& analysis = *window.AnalysisWindow();
    const auto current = [&] {
        return !analysis.PreviousLabel()->isVisible() && analysis.SaveCsvButton()->isEnabled()
            && analysis.SavePngButton()->isEnabled() && window.mnuPdfReport->isEnabled();
    };
    QVERIFY(current());

    frame.edtNLThickness->setText(QStringLiteral("8"));
    QVERIFY(frame.edtRPICDate->text().isEmpty());
    QVERIFY(analysis.ShowsPrevious());
    QVERIFY(analysis.PreviousLabel()->isVisible());
    QVERIFY(!analysis.PreviousLabel()->text().isEmpty());
    QVERIFY(!window.mnuPdfReport->isEnabled());
    QVERIFY(!analysis.SaveCsvButton()->isEnabled() && !analysis.SavePngButton()->isEnabled());
    // Refused without asking anything: the real dialogs would block here.
    QVERIFY(!analysis.ExportReport() && !analysis.SaveCurveCsv() && !analysis.SaveChartPng());
    // The viewer itself stays open on the last run.
    QVERIFY(window.mnuCoolingAnalysis->isEnabled());

    QTest::mouseClick(frame.btnCompute, Qt::LeftButton);
    QVERIFY(current());
    QCOMPARE(analysis.Snapshot().Scenario.ThicknessCm, 8.0);
}

void AnalysisMenuTest::shownAgainWhereTheUserLeftItWhileOnTheScreen()
{
    TRecordingPresenter presenter;
    TfrmMain window(presenter, answer(lgFR));
    window.show();
    QTest::mouseClick(window.fraPICHourLT->btnCompute, Qt::LeftButton);
    window.mnuCoolingAnalysis->trigger();
    TAnalysisFrm& analysis = *window.AnalysisWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&analysis));
    const QRect available = analysis.screen()->availableGeometry();
    // Moved and made as small as it goes by the user, closed, shown again from the menu.
    const QRect moved(available.topLeft() + QPoint(20, 30), analysis.minimumSize());
    QVERIFY(available.contains(moved));
    analysis.setGeometry(moved);
    analysis.hide();
    window.mnuCoolingAnalysis->trigger();
    QVERIFY(analysis.isVisible());
    QCOMPARE(analysis.geometry(), moved);
    // Left partly off the screen: back inside it.
    analysis.move(available.right() - 100, available.top() + 40);
    analysis.hide();
    window.mnuCoolingAnalysis->trigger();
    QVERIFY(available.contains(analysis.frameGeometry()));
}

QTEST_MAIN(AnalysisMenuTest)
#include "AnalysisMenuTest.moc"
