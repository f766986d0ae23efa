#pragma once

#include "EnsembleRun.h"
#include "LayingPlan.h"
#include "WeatherWhatIf.h"

#include <QFutureWatcher>
#include <QList>
#include <QObject>

#include <memory>
#include <optional>
#include <vector>

struct TBackgroundAnalysis {
    int Generation = 0;
    std::vector<TWhatIfCell> WhatIf;
    TLayingPlan Plan;
    // Over an ensemble: every member with its history at the laying, and
    // every member at every slot; Plan is then empty.
    std::optional<TEnsembleOutcome> Ensemble;
    std::optional<TEnsemblePlan> EnsemblePlan;
};

// The members to run instead of the plan scenario's own weather.
struct TEnsembleRequest {
    std::shared_ptr<const TEnsemble> Ensemble;
    std::optional<double> Target;  // wall clock
};

// Runs the weather what-if and the laying plan of a scenario on worker
// threads. A new start stops the running analysis; only the latest start's
// result is ever reported.
class TAnalysisRunner : public QObject {
    Q_OBJECT

public:
    static constexpr int PlanEveryMinutes = 30;

    explicit TAnalysisRunner(QObject* parent = nullptr);
    // Stops every analysis still running and waits for it.
    ~TAnalysisRunner() override;

    // The scenarios are copied here, on the caller's thread. Returns the
    // generation that the result will carry. The what-if varies the classes
    // of its scenario; the plan may run in a chosen weather.
    int Start(const TScenario& scenario);
    int Start(const TScenario& whatIfScenario, const TScenario& planScenario,
        const std::optional<TEnsembleRequest>& ensemble = std::nullopt);
    void Stop();
    bool IsRunning() const;
    int Generation() const { return FGeneration; }

signals:
    void progressed(int done, int total);
    // Over an ensemble, as soon as its members are in, before the plan.
    void membersFinished(const TEnsembleOutcome& members);
    void finished(const TBackgroundAnalysis& analysis);
    // The latest analysis ended without a result: stopped or failed.
    void stopped();

private:
    class TProgress;
    using TResult = std::optional<TBackgroundAnalysis>;

    void Finished();

    int FGeneration = 0;
    std::shared_ptr<TProgress> FProgress;
    QFutureWatcher<TResult> FWatcher;
    // Superseded runs still winding down; waited for on destruction.
    QList<QFuture<TResult>> FStale;
};
