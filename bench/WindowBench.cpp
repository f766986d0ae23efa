// Times the desktop program's two interactive paths, offscreen, wall clock:
// the frame's compute click up to its shown result (and its report to the
// analysis window), and the analysis window's opening up to its painted
// curve; and over a 51-member ensemble, the members' curves and summary, then
// the 48-slot plan. Run:
//   QT_QPA_PLATFORM=offscreen TZ=Europe/Brussels build/bench/kelvara_window_bench --benchmark_repetitions=5
#include "AnalysisFrm.h"
#include "ExportQuestions.h"
#include "LanguagesMgrCls.h"
#include "MessagePresenter.h"
#include "PICHourLTCtl.h"
#include "ScenarioRun.h"
#include "WeatherPanel.h"

#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTimeEdit>

#include <benchmark/benchmark.h>

#include <memory>
#include <optional>

namespace {

// A summer morning's laying: a 15-hour curve, as on the window's screenshot.
void SetUpFrame(TPICHourLTFra& frame, TLanguagesMgrCls& texts)
{
    frame.SetLanguagesMgr(texts);
    frame.UpdateTexts();
    frame.SetInitialValues();
    frame.dtpPDDate->setDate(QDate(2026, 7, 10));
    frame.dtpPDTime->setTime(QTime(9, 0));
}

void FrameClickToResult(benchmark::State& state)
{
    TLanguagesMgrCls texts(lgFR);
    TPICHourLTFra frame;
    SetUpFrame(frame, texts);
    frame.show();
    // The main window listens, as in the program.
    int reports = 0;
    QObject::connect(&frame, &TPICHourLTFra::computationSucceeded, [&reports] { ++reports; });
    for (auto _ : state) {
        frame.btnComputeClick();
        frame.repaint();
    }
    state.counters["reports"] = reports;
}
BENCHMARK(FrameClickToResult)->Unit(benchmark::kMillisecond)->UseRealTime();

void OpenAnalysisWindow(benchmark::State& state)
{
    TLanguagesMgrCls texts(lgFR);
    TPICHourLTFra frame;
    SetUpFrame(frame, texts);
    std::optional<std::pair<TScenario, TRunOutcome>> computed;
    QObject::connect(&frame, &TPICHourLTFra::computationSucceeded,
        [&computed](const TScenario& s, const TRunOutcome& o) { computed.emplace(s, o); });
    frame.btnComputeClick();
    TMessageBoxPresenter presenter;
    TDialogExportQuestions questions;
    for (auto _ : state) {
        // From the menu click: the window is created, refreshed and painted.
        auto window = std::make_unique<TAnalysisFrm>(texts, presenter, questions);
        window->ShowComputation(computed->first, computed->second);
        window->show();
        window->repaint();
        // Not timed: waiting for the background analysis it started.
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(OpenAnalysisWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

// The recorded 40 members and 11 of them again under new names: 51, as the
// largest services give.
QString fiftyOneMembers(const QTemporaryDir& dir)
{
    QFile recorded(QStringLiteral(KELVARA_BENCH_DATA "/weather/ensemble-brussels.json"));
    if (!recorded.open(QIODevice::ReadOnly))
        return {};
    QJsonObject answer = QJsonDocument::fromJson(recorded.readAll()).object();
    QJsonObject hourly = answer.value(u"hourly").toObject();
    for (const QString& quantity :
        {QStringLiteral("temperature_2m"), QStringLiteral("wind_speed_10m"), QStringLiteral("cloud_cover")})
        for (int n = 1; n <= 11; ++n)
            hourly.insert(QStringLiteral("%1_member%2").arg(quantity).arg(n + 39, 2, 10, QLatin1Char('0')),
                hourly.value(QStringLiteral("%1_member%2").arg(quantity).arg(n, 2, 10, QLatin1Char('0'))));
    answer.insert(QStringLiteral("hourly"), hourly);
    QFile file(dir.filePath(QStringLiteral("ensemble-51.json")));
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(answer).toJson()) <= 0)
        return {};
    return file.fileName();
}

class TGivenFile final : public TExportQuestions {
public:
    QString File;
    std::optional<QString> AskText(QWidget*, const QString&, const QString&, const QString&, int) override
    {
        return std::nullopt;
    }
    QString AskSaveFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString AskOpenFileName(QWidget*, const QString&, const QString&) override { return File; }
};

// From the import of a 51-member ensemble (read, run, drawn) to the members'
// curves and summary on screen ("members" counter, ms), and to the 48-slot
// plan over it (the benchmark's time).
void ChooseEnsemble(benchmark::State& state)
{
    TLanguagesMgrCls texts(lgFR);
    TMessageBoxPresenter presenter;
    TGivenFile questions;
    const QTemporaryDir dir;
    questions.File = fiftyOneMembers(dir);
    TScenario scenario;
    scenario.LayingTemp = 160.0;
    scenario.ReopenTemp = 35.0;
    scenario.LayingDate = static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(2027, 7, 14)));
    scenario.LayingTime = 22.0 / 24.0;
    const TRunOutcome frame = RunScenario(scenario, {.KeepHistory = true});
    double membersMs = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        TAnalysisFrm window(texts, presenter, questions);
        window.ShowComputation(scenario, frame);
        window.show();
        QEventLoop loop;
        QObject::connect(&window.Runner(), &TAnalysisRunner::finished, &loop, &QEventLoop::quit);
        loop.exec();
        QElapsedTimer clock;
        QObject::connect(&window.Runner(), &TAnalysisRunner::membersFinished, &window, [&window, &clock, &membersMs] {
            // After the window's own slot: the curves are built; paint them.
            QMetaObject::invokeMethod(
                &window,
                [&window, &clock, &membersMs] {
                    window.repaint();
                    membersMs += static_cast<double>(clock.nsecsElapsed()) / 1e6;
                },
                Qt::QueuedConnection);
        });
        state.ResumeTiming();
        clock.start();
        window.WeatherView()->ImportEnsemble();
        loop.exec();
        window.repaint();
    }
    state.counters["members_ms"] = benchmark::Counter(membersMs / static_cast<double>(state.iterations()));
}
BENCHMARK(ChooseEnsemble)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
