// Times the desktop program's two interactive paths, offscreen, wall clock:
// the frame's compute click up to its shown result (and its report to the
// analysis window), and the analysis window's opening up to its painted
// curve. Run:
//   QT_QPA_PLATFORM=offscreen TZ=Europe/Brussels build/bench/kelvara_window_bench --benchmark_repetitions=5
#include "AnalysisFrm.h"
#include "ExportQuestions.h"
#include "LanguagesMgrCls.h"
#include "MessagePresenter.h"
#include "PICHourLTCtl.h"

#include <QApplication>
#include <QDateEdit>
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

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
