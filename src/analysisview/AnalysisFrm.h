#pragma once

#include "AnalysisRunner.h"
#include "AnalysisSnapshot.h"
#include "EnsembleResult.h"
#include "LanguagesMgrCls.h"
#include "WeatherChoice.h"

#include <QWidget>

#include <optional>

class QChart;
class QLabel;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QTabWidget;
class TDepthProfileChart;
class TExportQuestions;
class THoverChartView;
class TLayingPlanView;
class TMessagePresenter;
class TSitePanel;
class TWeatherPanel;
class TWhatIfTable;

// The analysis window: summary line, cooling curve, depth profile, weather
// what-if and laying plan of the frame's last successful computation, with
// its exports; and the site's weather, measured or forecast, whose answer it
// shows beside the frame's; and the site as it is (the existing road's
// warmth, further lifts), whose answer it shows likewise. Not modal; borrows the texts, the presenter and
// the questions.
class TAnalysisFrm : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize StartSize{980, 680};

    TAnalysisFrm(
        TLanguagesMgrCls& texts, TMessagePresenter& presenter, TExportQuestions& questions, QWidget* parent = nullptr);
    ~TAnalysisFrm() override;

    void SetProgramVersion(const QString& version) { FProgramVersion = version; }
    // Refreshes at once when shown, else when next shown.
    void ShowComputation(const TScenario& scenario, const TRunOutcome& outcome);
    void UpdateTexts();
    // The frame's inputs changed: keep the run on view under a notice, with
    // its exports off, until the next ShowComputation.
    void ShowAsPrevious();
    bool ShowsPrevious() const { return FPrevious; }

    // Ask for the site and the file, then write; false when cancelled or failed
    // (a failure has been shown through the presenter).
    bool ExportReport();
    bool SaveCurveCsv();
    bool SaveChartPng();

    bool HasComputation() const { return FComputation.has_value(); }
    const TAnalysisSnapshot& Snapshot();
    QChart* CoolingChartShown() const;
    TWhatIfTable* WhatIfView() const { return FWhatIf; }
    TLayingPlanView* PlanView() const { return FPlan; }
    TDepthProfileChart* DepthView() const { return FDepth; }
    TWeatherPanel* WeatherView() const { return FWeather; }
    TSitePanel* SiteView() const { return FSite; }
    QTabWidget* Tabs() const { return FTabs; }
    QLabel* CompactionLabel() const { return FCompaction; }
    QLabel* WeatherNoteLabel() const { return FWeatherNote; }
    QLabel* EnsembleLabel() const { return FEnsembleLine; }
    // Over an ensemble, once the background has run its members.
    const std::optional<TEnsembleResult>& Ensemble() const { return FEnsemble; }
    TAnalysisRunner& Runner() { return FRunner; }
    QLabel* SummaryLabel() const { return FSummary; }
    QScrollArea* SummaryArea() const { return FSummaryArea; }
    QLabel* NightLabel() const { return FNight; }
    QLabel* PreviousLabel() const { return FPreviousNotice; }
    QPushButton* SaveCsvButton() const { return FSaveCsv; }
    QPushButton* SavePngButton() const { return FSavePng; }
    QLabel* HoverLabel() const { return FHover; }
    QProgressBar* Progress() const { return FProgress; }
    void ShowHoverAt(double moment);

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct TComputation {
        TScenario Scenario;
        TRunOutcome Outcome;
    };

    void Refresh();
    void ShowTexts();
    void RebuildCoolingChart();
    // A member's line under the mouse: its name and reopening in the readout.
    void ConnectMemberHover();
    void WeatherChanged();
    QString WeatherSourceText(const TWeatherChoice& choice) const;
    void BackgroundFinished(const TBackgroundAnalysis& analysis);
    void BackgroundProgressed(int done, int total);
    void MembersFinished(const TEnsembleOutcome& members);
    void BackgroundStopped();
    bool Save(const QString& title, const QString& filter, const QString& extension,
        const std::function<bool(QIODevice&)>& write);
    // The chart of the tab on show, or none on a tab without one.
    QWidget* ShownChart() const;
    // The exports as the run on view and the tab allow.
    void EnableExports();

    TLanguagesMgrCls& FTexts;
    TMessagePresenter& FPresenter;
    TExportQuestions& FQuestions;
    QString FProgramVersion;
    QString FSiteName;
    std::optional<TComputation> FComputation;
    bool FStale = false;
    bool FPrevious = false;
    TAnalysisSnapshot FSnapshot;
    TWeatherChoice FSnapshotChoice;  // the weather FSnapshot was made in
    std::vector<TWhatIfCell> FWhatIfCells;  // of FSnapshot, once the background has them
    std::optional<TEnsembleResult> FEnsemble;  // of FSnapshot, once the background has it
    TAnalysisRunner FRunner;

    QScrollArea* FSummaryArea;
    QLabel* FSummary;
    QLabel* FNight;
    QLabel* FCompaction;
    QLabel* FWeatherNote;
    QLabel* FEnsembleLine;
    QTabWidget* FTabs;
    THoverChartView* FCoolingView;
    QLabel* FHover;
    TDepthProfileChart* FDepth;
    TWhatIfTable* FWhatIf;
    QLabel* FWhatIfLegend;
    TLayingPlanView* FPlan;
    TWeatherPanel* FWeather;
    QScrollArea* FWeatherPage = nullptr;  // the panel scrolls rather than hold the window tall
    TSitePanel* FSite;
    QProgressBar* FProgress;
    QPushButton* FStop;
    QPushButton* FSaveCsv;
    QPushButton* FSavePng;
    QLabel* FPreviousNotice = nullptr;
};
