// Shows the analysis window of one computation, for a look or a screenshot.
// Arguments: "nl" for Dutch; "night" for a laying that reopens at night; "tab=N" to open a tab; "shot=FILE" to save the
// window once the background analysis is in, and quit; "pdf=FILE" to write its report, and quit;
// "laid=2027-03-27T22:00" for another laying moment (an 8 cm layer, calm and clear); "weather=FILE" to import a
// forecast file into the weather panel; "ensemble=FILE" to import a forecast ensemble; "site" for a 4 cm layer on
// the warm existing road and two lifts, at 23:00 and an hour after it.
#include "AnalysisFrm.h"
#include "AnalysisReport.h"
#include "ExportQuestions.h"
#include "LanguagesMgrCls.h"
#include "MessagePresenter.h"
#include "ScenarioRun.h"
#include "SitePanel.h"
#include "WeatherPanel.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QTabWidget>
#include <QTimer>

namespace {

// The dialogs, but the forecast to import is given.
class TShowcaseQuestions final : public TExportQuestions {
public:
    QString ForecastFile;
    std::optional<QString> AskText(
        QWidget* parent, const QString& title, const QString& label, const QString& current, int maxLength) override
    {
        return FDialogs.AskText(parent, title, label, current, maxLength);
    }
    QString AskSaveFileName(QWidget* parent, const QString& title, const QString& filter) override
    {
        return FDialogs.AskSaveFileName(parent, title, filter);
    }
    QString AskOpenFileName(QWidget* parent, const QString& title, const QString& filter) override
    {
        return ForecastFile.isEmpty() ? FDialogs.AskOpenFileName(parent, title, filter) : ForecastFile;
    }

private:
    TDialogExportQuestions FDialogs;
};

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    TLanguagesMgrCls texts(arguments.contains(QStringLiteral("nl")) ? lgNL : lgFR);
    TMessageBoxPresenter presenter;
    TShowcaseQuestions questions;
    TAnalysisFrm window(texts, presenter, questions);
    window.SetProgramVersion(QStringLiteral("1.1.1.0"));

    TScenario scenario;
    scenario.LayingDate = static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(2026, 7, 10)));
    // A summer morning's laying: in calm, clear weather it reopens after
    // midnight; under a moderate wind and a covered sky, by day.
    scenario.LayingTime = 9.0 / 24.0;
    if (!arguments.contains(QStringLiteral("night"))) {
        scenario.Wind = TWindClass::Moderate;
        scenario.Cloud = TCloudClass::Covered;
    }
    for (const QString& argument : arguments) {
        if (argument.startsWith(QStringLiteral("laid="))) {
            const QDateTime laid = QDateTime::fromString(argument.mid(5), Qt::ISODate);
            scenario = TScenario{};
            scenario.ThicknessCm = 8.0;
            scenario.LayingDate = static_cast<double>(QDate(1899, 12, 30).daysTo(laid.date()));
            scenario.LayingTime = laid.time().msecsSinceStartOfDay() / 86400000.0;
        }
    }
    if (arguments.contains(QStringLiteral("site"))) {
        scenario.ThicknessCm = 4.0;
        window.SiteView()->SetLaying(scenario);
        window.SiteView()->SetChoice({.RoadWarmth = true,
            .Lifts = {{.ThicknessCm = 3.0, .LayingTemp = 150.0, .AtClockTime = true, .Hour = 23},
                {.ThicknessCm = 2.5, .LayingTemp = 140.0, .DelayMinutes = 60}}});
    }
    window.ShowComputation(scenario, RunScenario(scenario, {.KeepHistory = true}));
    for (const QString& argument : arguments) {
        if (argument.startsWith(QStringLiteral("weather="))) {
            questions.ForecastFile = argument.mid(8);
            window.WeatherView()->ImportForecast();
        }
        if (argument.startsWith(QStringLiteral("ensemble="))) {
            questions.ForecastFile = argument.mid(9);
            window.WeatherView()->ImportEnsemble();
        }
    }
    for (const QString& argument : arguments) {
        if (argument.startsWith(QStringLiteral("pdf="))) {
            TAnalysisReportContent content;
            content.Snapshot = &window.Snapshot();
            content.Texts = &texts;
            content.WhatIf = RunWeatherWhatIf(scenario).value_or(std::vector<TWhatIfCell>{});
            content.SiteName = QStringLiteral("N4 Namur - Champion");
            content.ProgramVersion = QStringLiteral("1.1.1.0");
            content.PrintedAt = QDateTime::currentDateTime();
            QFile file(argument.mid(4));
            return file.open(QIODevice::WriteOnly) && AnalysisReport::WritePdf(file, content) ? 0 : 1;
        }
    }
    window.move(10, 10);
    window.show();
    QString shot;
    for (const QString& argument : arguments) {
        if (argument.startsWith(QStringLiteral("tab="))) {
            window.findChild<QTabWidget*>()->setCurrentIndex(argument.mid(4).toInt());
        }
        if (argument.startsWith(QStringLiteral("shot="))) {
            shot = argument.mid(5);
        }
    }
    if (!shot.isEmpty()) {
        QObject::connect(&window.Runner(), &TAnalysisRunner::finished, &window, [&window, shot] {
            QTimer::singleShot(300, &window, [&window, shot] {
                window.grab().save(shot);
                QApplication::quit();
            });
        });
    }
    return QApplication::exec();
}
