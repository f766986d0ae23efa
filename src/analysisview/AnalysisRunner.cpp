#include "AnalysisRunner.h"

#include <QtConcurrent/QtConcurrentRun>

#include <atomic>
#include <exception>

// Sums the two analyses' runs into one count and forwards it, queued, to the
// GUI thread while its generation is the latest.
class TAnalysisRunner::TProgress final : public TAnalysisProgress {
public:
    TProgress(TAnalysisRunner& runner, int generation) : FRunner(&runner), FGeneration(generation) { }

    void RunsDone(int done, int total) override
    {
        if (StopRequested()) {
            return;
        }
        const int sum = FOffset.load() + done;
        const int grandTotal = FOffset.load() + total + FStillToCome.load();
        // The runner is the call's context: the call is dropped if it is gone.
        TAnalysisRunner* runner = FRunner;
        const int generation = FGeneration;
        QMetaObject::invokeMethod(
            runner,
            [runner, generation, sum, grandTotal] {
                if (runner->Generation() == generation) {
                    emit runner->progressed(sum, grandTotal);
                }
            },
            Qt::QueuedConnection);
    }
    bool StopRequested() const override { return FStop.load(); }

    // The members at the laying, to the GUI thread while still the latest.
    void MembersDone(const TEnsembleOutcome& members)
    {
        TAnalysisRunner* runner = FRunner;
        const int generation = FGeneration;
        QMetaObject::invokeMethod(
            runner,
            [runner, generation, members] {
                if (runner->Generation() == generation && !runner->FProgress->StopRequested()) {
                    emit runner->membersFinished(members);
                }
            },
            Qt::QueuedConnection);
    }

    void RequestStop() { FStop.store(true); }
    // Before the first analysis: how many runs the second will add.
    void Expect(int stillToCome) { FStillToCome.store(stillToCome); }
    // Between the two analyses.
    void NextPhase(int finished)
    {
        FOffset.store(finished);
        FStillToCome.store(0);
    }

private:
    // Dereferenced only by the queued call, on the GUI thread.
    TAnalysisRunner* FRunner;
    int FGeneration;
    std::atomic<bool> FStop{false};
    std::atomic<int> FOffset{0};
    std::atomic<int> FStillToCome{0};
};

TAnalysisRunner::TAnalysisRunner(QObject* parent) : QObject(parent)
{
    connect(&FWatcher, &QFutureWatcher<TResult>::finished, this, [this] { Finished(); });
}

TAnalysisRunner::~TAnalysisRunner()
{
    Stop();
    FWatcher.waitForFinished();
    for (QFuture<TResult>& stale : FStale) {
        stale.waitForFinished();
    }
}

int TAnalysisRunner::Start(const TScenario& scenario)
{
    return Start(scenario, scenario);
}

int TAnalysisRunner::Start(
    const TScenario& whatIfScenario, const TScenario& planScenario, const std::optional<TEnsembleRequest>& ensemble)
{
    Stop();
    if (FWatcher.isRunning()) {
        FStale.append(FWatcher.future());
    }
    FStale.removeIf([](const QFuture<TResult>& stale) { return stale.isFinished(); });
    const int generation = ++FGeneration;
    FProgress = std::make_shared<TProgress>(*this, generation);
    constexpr int SlotsPerDay = 24 * 60 / PlanEveryMinutes;
    const int members = ensemble && ensemble->Ensemble ? static_cast<int>(ensemble->Ensemble->Members.size()) : 0;
    FProgress->Expect(members == 0 ? SlotsPerDay : members + SlotsPerDay * members);
    FWatcher.setFuture(QtConcurrent::run([whatIfScenario, planScenario, ensemble, progress = FProgress,
                                             generation]() -> TResult {
        try {
            auto whatIf = RunWeatherWhatIf(whatIfScenario, TExecution::Parallel, progress.get());
            if (!whatIf) {
                return std::nullopt;
            }
            int done = static_cast<int>(whatIf->size());
            progress->NextPhase(done);
            if (ensemble && ensemble->Ensemble) {
                const TEnsemble& forecasts = *ensemble->Ensemble;
                progress->Expect(static_cast<int>(forecasts.Members.size()) * SlotsPerDay);
                auto runs = RunEnsemble(planScenario, forecasts, {ensemble->Target, true, progress.get()});
                if (!runs) {
                    return std::nullopt;
                }
                done += static_cast<int>(forecasts.Members.size());
                progress->MembersDone(*runs);
                progress->NextPhase(done);
                auto plan = PlanEnsemble(planScenario, forecasts, PlanEveryMinutes, std::nullopt, progress.get());
                if (!plan) {
                    return std::nullopt;
                }
                return TBackgroundAnalysis{generation, std::move(*whatIf), {}, std::move(*runs), std::move(*plan)};
            }
            auto plan = PlanLaying(planScenario, PlanEveryMinutes, std::nullopt, TExecution::Parallel, progress.get());
            if (!plan) {
                return std::nullopt;
            }
            return TBackgroundAnalysis{generation, std::move(*whatIf), std::move(*plan), std::nullopt, std::nullopt};
        } catch (const std::exception&) {
            // Each run keeps its own failure; this is memory running out.
            return std::nullopt;
        }
    }));
    return generation;
}

void TAnalysisRunner::Stop()
{
    if (FProgress) {
        FProgress->RequestStop();
    }
}

bool TAnalysisRunner::IsRunning() const
{
    return FWatcher.isRunning();
}

void TAnalysisRunner::Finished()
{
    const TResult result = FWatcher.result();
    if (result && result->Generation == FGeneration && !FProgress->StopRequested()) {
        emit finished(*result);
    } else {
        emit stopped();
    }
}
