#include "LayingPlanView.h"

#include "AnalysisMoments.h"
#include "AnalysisTexts.h"
#include "ClockAxis.h"
#include "CoolingChart.h"
#include "EnsembleSummary.h"
#include "EnsembleTexts.h"
#include "RegionalFormat.h"
#include "WallClock.h"

#include <QChartView>
#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QScatterSeries>
#include <QSplitter>
#include <QTableWidget>
#include <QTimeZone>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr double DeadlineHour = 6.0;  // the morning rush starts after it
constexpr int PlanTickHours = 3;

qreal Ms(double moment)
{
    return static_cast<qreal>(AnalysisMoments::ToMsSinceEpoch(moment));
}

// "37/40 (93 %)", shaded the greener the more members are ready.
QTableWidgetItem* ReadyItem(const TEnsembleOutcome& members)
{
    const std::size_t count = members.Runs.size();
    const std::size_t ready = members.ReadyMembers.value_or(0);
    const int perCent = ReadyPerCent(ready, count);
    auto* item = new QTableWidgetItem(QStringLiteral("%1/%2 (%3 %)").arg(ready).arg(count).arg(perCent));
    const int fade = 255 - perCent * 95 / 100;
    item->setBackground(QColor(fade, 240 - perCent * 25 / 100, fade));
    item->setData(Qt::UserRole, static_cast<qulonglong>(ready));
    return item;
}

}  // namespace

TLayingPlanView::TLayingPlanView(QWidget* parent)
    : QWidget(parent)
    , FDeadlineLabel(new QLabel(this))
    , FDeadline(new QDateTimeEdit(this))
    , FLatest(new QLabel(this))
    , FChartView(new QChartView(this))
    , FTable(new QTableWidget(0, 4, this))
{
    FDeadline->setObjectName(QStringLiteral("deadline"));
    FDeadline->setDisplayFormat(RegionalFormat::ShortDateFormat() + QStringLiteral(" HH:mm"));
    // A wall-clock reading of the site: no system zone may move or refuse it.
    FDeadline->setTimeSpec(Qt::UTC);
    FDeadline->setCalendarPopup(true);
    FLatest->setObjectName(QStringLiteral("latest"));
    FLatest->setWordWrap(true);
    FChartView->setRenderHint(QPainter::Antialiasing);
    FChartView->setMinimumHeight(220);
    FTable->setObjectName(QStringLiteral("planTable"));
    FTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FTable->setSelectionMode(QAbstractItemView::NoSelection);
    FTable->verticalHeader()->setVisible(false);
    FTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    FTable->horizontalHeader()->setStretchLastSection(true);

    auto* deadlineRow = new QHBoxLayout();
    deadlineRow->addWidget(FDeadlineLabel);
    deadlineRow->addWidget(FDeadline);
    deadlineRow->addWidget(FLatest, 1);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(FChartView);
    split->addWidget(FTable);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(deadlineRow);
    layout->addWidget(split, 1);

    connect(FDeadline, &QDateTimeEdit::dateTimeChanged, this, [this] { DeadlineChanged(); });
}

void TLayingPlanView::SetPlan(const TLayingPlan& plan, double layingDate)
{
    FEnsemble.reset();
    ShowPlan(plan, layingDate);
}

void TLayingPlanView::SetEnsemblePlan(const TEnsemblePlan& plan, double layingDate)
{
    FEnsemble = plan;
    ShowPlan(NinetyPerCentPlan(plan), layingDate);
}

void TLayingPlanView::ShowPlan(const TLayingPlan& plan, double layingDate)
{
    SetHeaders();
    FPlan = plan;
    FLayingDate = std::floor(layingDate);
    const QSignalBlocker blocker(FDeadline);
    FDeadline->setDateTime(AnalysisMoments::ToDateTime(FLayingDate + 1.0 + DeadlineHour / 24.0));
    DeadlineChanged();
}

void TLayingPlanView::SetDeadline(double deadline)
{
    FDeadline->setDateTime(AnalysisMoments::ToDateTime(deadline));
}

void TLayingPlanView::Clear()
{
    FPlan = {};
    FEnsemble.reset();
    SetHeaders();
    Fill();
}

void TLayingPlanView::UpdateTexts(TLanguage language)
{
    FLanguage = language;
    FDeadlineLabel->setText(AnalysisTexts::Text(language, TAnalysisText::PlanDeadline));
    SetHeaders();
    Fill();
}

void TLayingPlanView::SetHeaders()
{
    QStringList headers{AnalysisTexts::Text(FLanguage, TAnalysisText::PlanLaying),
        FEnsemble ? EnsembleTexts::Text(FLanguage, TEnsembleText::PlanP90)
                  : AnalysisTexts::Text(FLanguage, TAnalysisText::PlanReopening),
        AnalysisTexts::Text(FLanguage, TAnalysisText::PlanWait)};
    // The share before the last column, which stretches.
    if (FEnsemble)
        headers << EnsembleTexts::Text(FLanguage, TEnsembleText::PlanReady);
    headers << AnalysisTexts::Text(FLanguage, TAnalysisText::PlanInTime);
    FTable->setColumnCount(static_cast<int>(headers.size()));
    FTable->setHorizontalHeaderLabels(headers);
}

QString TLayingPlanView::LatestText() const
{
    if (FPlan.Slots.empty()) {
        return {};
    }
    if (!FPlan.LatestSlotForDeadline) {
        return FEnsemble ? EnsembleTexts::Text(FLanguage, TEnsembleText::PlanNoneMeets)
                         : AnalysisTexts::Text(FLanguage, TAnalysisText::PlanNone);
    }
    const TPlanSlot& latest = FPlan.Slots.at(*FPlan.LatestSlotForDeadline);
    const double laying = FLayingDate + latest.LayingTime;
    return (FEnsemble ? EnsembleTexts::Text(FLanguage, TEnsembleText::PlanLatest)
                      : AnalysisTexts::Text(FLanguage, TAnalysisText::PlanLatest))
        .arg(AnalysisMoments::FormatClock(laying) + AnalysisMoments::WallNote(laying, latest.Outcome.Clock, FLanguage));
}

void TLayingPlanView::DeadlineChanged()
{
    const QDateTime chosen = FDeadline->dateTime();
    const double deadline = static_cast<double>(QDate(1899, 12, 30).daysTo(chosen.date()))
        + chosen.time().msecsSinceStartOfDay() / 86400000.0;
    ApplyDeadline(FPlan, deadline);
    if (FEnsemble) {
        FEnsemble->Deadline = deadline;
        for (TEnsembleSlot& slot : FEnsemble->Slots)
            SummariseEnsemble(slot.Outcome, deadline);
    }
    Fill();
}

void TLayingPlanView::Fill()
{
    FLatest->setText(LatestText());
    FTable->setRowCount(static_cast<int>(FPlan.Slots.size()));
    auto* chart = new QChart();
    chart->setLocale(CoolingChart::ChartLocale(FLanguage));
    chart->legend()->hide();
    auto* line = new QLineSeries(chart);
    line->setPen(QPen(QColor(150, 150, 150), 1.0));
    auto* inTime = new QScatterSeries(chart);
    inTime->setObjectName(QStringLiteral("inTime"));
    inTime->setColor(QColor(30, 150, 60));
    inTime->setMarkerSize(8.0);
    auto* late = new QScatterSeries(chart);
    late->setObjectName(QStringLiteral("late"));
    late->setColor(QColor(200, 60, 40));
    late->setMarkerSize(8.0);
    QList<QPointF> linePoints;
    QList<QPointF> inTimePoints;
    QList<QPointF> latePoints;
    // Slots laid either side of a change run on different clocks: the chart
    // puts every reopening on the first slot's, so that they compare, and
    // labels it on the wall clock.
    TRunOutcome clock;
    for (const TPlanSlot& slot : FPlan.Slots) {
        if (slot.Outcome.Succeeded()) {
            clock.ClockOffset = slot.Outcome.ClockOffset;
            clock.Clock = slot.Outcome.Clock;
            break;
        }
    }
    const auto onChartClock = [&clock](const TRunOutcome& outcome) {
        return WallClock::FromUtc(WallClock::ToUtc(outcome.Reopening, outcome.ClockOffset), clock.ClockOffset);
    };
    double lowest = WallClock::FromUtc(WallClock::WallToUtc(FLayingDate + 1.0, clock.Clock), clock.ClockOffset);
    double highest = lowest;
    const int inTimeColumn = FEnsemble ? 4 : 3;
    for (std::size_t n = 0; n < FPlan.Slots.size(); ++n) {
        const TPlanSlot& slot = FPlan.Slots[n];
        const double laying = FLayingDate + slot.LayingTime;
        const int row = static_cast<int>(n);
        // The repeated hour of a change day is laid once, in summer time: it says so.
        FTable->setItem(row, 0,
            new QTableWidgetItem(AnalysisMoments::FormatClock(laying)
                + AnalysisMoments::WallNote(laying, slot.Outcome.Clock, FLanguage)));
        if (FEnsemble && n < FEnsemble->Slots.size())
            FTable->setItem(row, 3, ReadyItem(FEnsemble->Slots[n].Outcome));
        if (!slot.Outcome.Succeeded()) {
            FTable->setItem(row, 1, new QTableWidgetItem(QStringLiteral("—")));
            FTable->setItem(row, 2, new QTableWidgetItem());
            FTable->setItem(row, inTimeColumn, new QTableWidgetItem());
            continue;
        }
        QString reopeningText = AnalysisMoments::FormatMoment(slot.Outcome, slot.Outcome.Reopening)
            + AnalysisMoments::ClockNote(slot.Outcome, slot.Outcome.Reopening, FLanguage);
        if (slot.Outcome.Night) {
            reopeningText += QLatin1Char(' ') + AnalysisTexts::Text(FLanguage, TAnalysisText::NightMark);
        }
        auto* reopening = new QTableWidgetItem(reopeningText);
        reopening->setData(ReopeningRole, slot.Outcome.Reopening);
        FTable->setItem(row, 1, reopening);
        FTable->setItem(
            row, 2, new QTableWidgetItem(AnalysisMoments::FormatWait(slot.Outcome.ResultSeconds, FLanguage)));
        FTable->setItem(row, inTimeColumn,
            new QTableWidgetItem(slot.MeetsDeadline ? AnalysisTexts::Text(FLanguage, TAnalysisText::Yes) : QString()));
        if (slot.MeetsDeadline) {
            // The share keeps its own shade.
            for (int column = 0; column < FTable->columnCount(); ++column) {
                if (FEnsemble && column == 3) {
                    continue;
                }
                FTable->item(row, column)->setBackground(QColor(215, 240, 215));
            }
        }
        const double reopeningOnChart = onChartClock(slot.Outcome);
        const QPointF point(Ms(laying), Ms(reopeningOnChart));
        linePoints.append(point);
        (slot.MeetsDeadline ? inTimePoints : latePoints).append(point);
        lowest = std::min(lowest, reopeningOnChart);
        highest = std::max(highest, reopeningOnChart);
    }
    line->replace(linePoints);
    inTime->replace(inTimePoints);
    late->replace(latePoints);
    chart->addSeries(line);
    chart->addSeries(late);
    chart->addSeries(inTime);
    if (FPlan.Deadline) {
        auto* deadline = new QLineSeries(chart);
        deadline->setObjectName(QStringLiteral("deadline"));
        QPen dashed(QColor(30, 60, 160), 1.5, Qt::DashLine);
        deadline->setPen(dashed);
        const double deadlineOnChart
            = WallClock::FromUtc(WallClock::WallToUtc(*FPlan.Deadline, clock.Clock), clock.ClockOffset);
        deadline->replace(
            QList<QPointF>{{Ms(FLayingDate), Ms(deadlineOnChart)}, {Ms(FLayingDate + 1.0), Ms(deadlineOnChart)}});
        chart->addSeries(deadline);
        lowest = std::min(lowest, deadlineOnChart);
        highest = std::max(highest, deadlineOnChart);
    }
    // Layings are on the laying day's wall clock as the plan writes them.
    TRunOutcome asWritten;  // a forced clock writes its moments unchanged
    asWritten.Clock = TClockMode::Winter;
    QCategoryAxis* layingAxis
        = ClockAxis::Make(chart, asWritten, FLayingDate, FLayingDate + 1.0, PlanTickHours, false, true, FLanguage);
    layingAxis->setTitleText(AnalysisTexts::Text(FLanguage, TAnalysisText::PlanAxisLaying));
    // Whole hours around every reopening and the deadline.
    const AnalysisMoments::TClockSpan span = AnalysisMoments::RoundClockSpan(lowest, highest, 6);
    QCategoryAxis* reopeningAxis
        = ClockAxis::Make(chart, clock, span.Start, span.End, span.StepHours, true, false, FLanguage);
    reopeningAxis->setTitleText(AnalysisTexts::Text(FLanguage, TAnalysisText::PlanReopening));
    chart->addAxis(layingAxis, Qt::AlignBottom);
    chart->addAxis(reopeningAxis, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(layingAxis);
        series->attachAxis(reopeningAxis);
    }
    QChart* old = FChartView->chart();
    FChartView->setChart(chart);
    delete old;
}

QWidget* TLayingPlanView::ChartWidget() const
{
    return FChartView;
}
