#pragma once

#include "EnsembleRun.h"
#include "LanguagesMgrCls.h"
#include "LayingPlan.h"

#include <QWidget>

#include <optional>

class QChartView;
class QDateTimeEdit;
class QLabel;
class QTableWidget;

// The reopening moment of every laying slot of the day, as a chart and a
// table, with a deadline: the slots that reopen in time are marked and the
// latest of them named.
class TLayingPlanView : public QWidget {
    Q_OBJECT

public:
    static constexpr int ReopeningRole = Qt::UserRole;

    explicit TLayingPlanView(QWidget* parent = nullptr);
    // The chart alone, as the PNG export saves it.
    QWidget* ChartWidget() const;

    // The deadline starts at 06:00 the day after the laying date.
    void SetPlan(const TLayingPlan& plan, double layingDate);
    // Over an ensemble: each slot's 90 % reopening, and the share of the
    // members ready by the deadline beside it.
    void SetEnsemblePlan(const TEnsemblePlan& plan, double layingDate);
    void SetDeadline(double deadline);
    void Clear();
    void UpdateTexts(TLanguage language);

    const TLayingPlan& Plan() const { return FPlan; }
    QTableWidget* Table() const { return FTable; }
    QDateTimeEdit* DeadlineEdit() const { return FDeadline; }
    QString LatestText() const;

private:
    void DeadlineChanged();
    void Fill();

    void ShowPlan(const TLayingPlan& plan, double layingDate);
    void SetHeaders();

    TLayingPlan FPlan;
    std::optional<TEnsemblePlan> FEnsemble;
    double FLayingDate = 0.0;
    TLanguage FLanguage = lgFR;
    QLabel* FDeadlineLabel;
    QDateTimeEdit* FDeadline;
    QLabel* FLatest;
    QChartView* FChartView;
    QTableWidget* FTable;
};
