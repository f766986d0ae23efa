// Shows the weather panel, for a look or a screenshot. Arguments: "nl" for Dutch; "classic" for the frame's
// font; "file=PATH" to import that forecast; "values" for measured values; "laid=2026-12-09T10:00" and
// "hours=N" for the run whose hours it lists; "shot=FILE" to save the panel and quit.
#include "ExportQuestions.h"
#include "MessagePresenter.h"
#include "UiFont.h"
#include "WeatherPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QRadioButton>
#include <QTimer>

namespace {

class TFileQuestions final : public TExportQuestions {
public:
    std::optional<QString> AskText(QWidget*, const QString&, const QString&, const QString&, int) override
    {
        return std::nullopt;
    }
    QString AskSaveFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString AskOpenFileName(QWidget*, const QString&, const QString&) override { return File; }
    QString File;
};

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    TMessageBoxPresenter presenter;
    TFileQuestions questions;
    TWeatherPanel panel(presenter, questions, arguments.contains(QStringLiteral("nl")) ? lgNL : lgFR);
    if (arguments.contains(QStringLiteral("classic"))) {
        panel.setFont(ClassicUiFont());
    }
    TScenario scenario;
    scenario.LayingDate = static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(2026, 12, 9)));
    scenario.LayingTime = 10.0 / 24.0;
    double hours = 6.0;
    QString shot;
    for (const QString& argument : arguments) {
        if (argument.startsWith(QStringLiteral("laid="))) {
            const QDateTime laid = QDateTime::fromString(argument.mid(5), Qt::ISODate);
            scenario.LayingDate = static_cast<double>(QDate(1899, 12, 30).daysTo(laid.date()));
            scenario.LayingTime = laid.time().msecsSinceStartOfDay() / 86400000.0;
        } else if (argument.startsWith(QStringLiteral("hours="))) {
            hours = argument.mid(6).toDouble();
        } else if (argument.startsWith(QStringLiteral("file="))) {
            questions.File = argument.mid(5);
        } else if (argument.startsWith(QStringLiteral("shot="))) {
            shot = argument.mid(5);
        }
    }
    if (!questions.File.isEmpty()) {
        panel.ImportForecast();
    }
    if (arguments.contains(QStringLiteral("values"))) {
        panel.findChild<QRadioButton*>(QStringLiteral("weatherValues"))->setChecked(true);
        panel.findChild<QCheckBox*>(QStringLiteral("airTempGiven"))->setChecked(true);
        panel.findChild<QCheckBox*>(QStringLiteral("windSpeedGiven"))->setChecked(true);
    }
    panel.ShowRun(scenario, hours * 3600.0);
    panel.resize(720, 640);
    panel.move(10, 10);
    panel.show();
    if (!shot.isEmpty()) {
        QTimer::singleShot(300, &panel, [&panel, shot] {
            panel.grab().save(shot);
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
