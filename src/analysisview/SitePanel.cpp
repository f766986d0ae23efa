#include "SitePanel.h"

#include "AnalysisMoments.h"
#include "LiftMoments.h"
#include "MessagePresenter.h"
#include "PICHourCls.h"
#include "RegionalFormat.h"
#include "SiteSummary.h"
#include "SiteTexts.h"
#include "TheTimeUtilsCls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

enum TColumn { ColLift, ColThickness, ColLayingTemp, ColWhen, ColMoment, ColumnCount };

// Longer than the run's 34 h 43 min, so that a lift past it can be asked for
// and refused with its reason; 0 likewise for a lift not after the previous.
constexpr int DelayMaxMinutes = 48 * 60;

constexpr double HourMinutes = 60.0;

struct TRowWidgets {
    QDoubleSpinBox* Thickness;
    QDoubleSpinBox* LayingTemp;
    QComboBox* When;
    QSpinBox* Delay;
    QTimeEdit* Clock;
};

TRowWidgets rowWidgets(const QTableWidget* table, int row)
{
    QWidget* moment = table->cellWidget(row, ColMoment);
    return {qobject_cast<QDoubleSpinBox*>(table->cellWidget(row, ColThickness)),
        qobject_cast<QDoubleSpinBox*>(table->cellWidget(row, ColLayingTemp)),
        qobject_cast<QComboBox*>(table->cellWidget(row, ColWhen)), moment->findChild<QSpinBox*>(),
        moment->findChild<QTimeEdit*>()};
}

}  // namespace

TSitePanel::TSitePanel(TMessagePresenter& presenter, TLanguage language, QWidget* parent)
    : QWidget(parent)
    , FPresenter(presenter)
    , FLanguage(language)
    , FRoadBox(new QGroupBox(this))
    , FWarmth(new QCheckBox(this))
    , FRoad(new QLabel(this))
    , FLiftsBox(new QGroupBox(this))
    , FLifts(new QTableWidget(this))
    , FAdd(new QPushButton(this))
    , FRemove(new QPushButton(this))
    , FLiftsNote(new QLabel(this))
{
    setObjectName(QStringLiteral("sitePanel"));
    FWarmth->setObjectName(QStringLiteral("roadWarmth"));
    FRoad->setObjectName(QStringLiteral("existingRoad"));
    FLifts->setObjectName(QStringLiteral("lifts"));
    FAdd->setObjectName(QStringLiteral("addLift"));
    FRemove->setObjectName(QStringLiteral("removeLift"));
    FRoad->setWordWrap(true);
    FLiftsNote->setWordWrap(true);
    FLifts->setColumnCount(ColumnCount);
    FLifts->verticalHeader()->setVisible(false);
    FLifts->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    FLifts->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    FLifts->horizontalHeader()->setStretchLastSection(true);
    FLifts->setSelectionBehavior(QAbstractItemView::SelectRows);
    FLifts->setSelectionMode(QAbstractItemView::SingleSelection);
    FLifts->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto* roadLayout = new QVBoxLayout(FRoadBox);
    roadLayout->addWidget(FWarmth);
    roadLayout->addWidget(FRoad);
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(FAdd);
    buttons->addWidget(FRemove);
    buttons->addStretch();
    auto* liftsLayout = new QVBoxLayout(FLiftsBox);
    liftsLayout->addWidget(FLifts);
    liftsLayout->addLayout(buttons);
    liftsLayout->addWidget(FLiftsNote);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FRoadBox);
    layout->addWidget(FLiftsBox);
    layout->addStretch();

    connect(FWarmth, &QCheckBox::toggled, this, [this](bool on) {
        TSiteChoice choice = FChoice;
        choice.RoadWarmth = on;
        SetChoice(choice);
    });
    connect(FAdd, &QPushButton::clicked, this, &TSitePanel::AddLift);
    connect(FRemove, &QPushButton::clicked, this, &TSitePanel::RemoveLift);
    BuildTable();
    UpdateTexts(language);
}

TSitePanel::~TSitePanel() = default;

bool TSitePanel::SetChoice(const TSiteChoice& choice)
{
    TScenario scenario = FLaying;
    if (const auto refusal = ApplySiteChoice(choice, scenario)) {
        FPresenter.ShowWarning(this, SiteSummary::RefusalText(*refusal, FLanguage));
        ShowChoice();
        return false;
    }
    const bool rows = choice.Lifts.size() != FChoice.Lifts.size();
    const bool changed = choice != FChoice;
    FChoice = choice;
    if (rows) {
        BuildTable();
    } else {
        ShowChoice();
    }
    if (changed) {
        emit siteChanged();
    }
    return true;
}

void TSitePanel::SetLaying(const TScenario& scenario)
{
    FLaying = scenario;
    FLaying.Lifts.clear();
    FLaying.RoadWarmth = false;
    ShowFirstLift();
}

void TSitePanel::ShowRoad(const QString& text)
{
    FRoad->setText(text);
    FRoad->setVisible(!text.isEmpty());
}

void TSitePanel::AddLift()
{
    TSiteChoice choice = FChoice;
    TSiteLift lift = choice.Lifts.empty() ? TSiteLift{} : choice.Lifts.back();
    lift.ThicknessCm = choice.Lifts.empty() ? FLaying.ThicknessCm : lift.ThicknessCm;
    if (lift.AtClockTime) {
        lift.Hour = (lift.Hour + 1) % 24;
    }
    choice.Lifts.push_back(lift);
    SetChoice(choice);
}

void TSitePanel::RemoveLift()
{
    if (FChoice.Lifts.empty()) {
        return;
    }
    TSiteChoice choice = FChoice;
    const int row = FLifts->currentRow();
    // Row 0 is the frame's layer: it stays.
    const auto index = row >= 1 && row <= static_cast<int>(choice.Lifts.size()) ? static_cast<std::size_t>(row - 1)
                                                                                : choice.Lifts.size() - 1;
    choice.Lifts.erase(choice.Lifts.begin() + static_cast<std::ptrdiff_t>(index));
    SetChoice(choice);
}

void TSitePanel::BuildTable()
{
    const TPICHourCls engine;
    FLifts->clearContents();
    FLifts->setRowCount(static_cast<int>(FChoice.Lifts.size()) + 1);
    FLifts->setSpan(0, ColWhen, 1, 2);
    for (int row = 0; row < FLifts->rowCount(); ++row) {
        FLifts->setItem(row, ColLift, new QTableWidgetItem(QString::number(row + 1)));
        if (row == 0) {
            for (int column : {ColThickness, ColLayingTemp, ColWhen}) {
                FLifts->setItem(row, column, new QTableWidgetItem());
            }
            continue;
        }
        auto* thickness = new QDoubleSpinBox();
        thickness->setRange(engine.ThicknessMin, engine.ThicknessMax);
        thickness->setSingleStep(engine.ThicknessStep);
        thickness->setDecimals(1);
        auto* layingTemp = new QDoubleSpinBox();
        layingTemp->setRange(engine.LayingTempMin, engine.LayingTempMax);
        layingTemp->setSingleStep(engine.LayingTempStep);
        layingTemp->setDecimals(0);
        auto* when = new QComboBox();
        when->addItem(QString());
        when->addItem(QString());
        auto* moment = new QWidget();
        auto* delay = new QSpinBox(moment);
        delay->setRange(0, DelayMaxMinutes);
        delay->setSingleStep(15);
        auto* clock = new QTimeEdit(moment);
        clock->setDisplayFormat(QStringLiteral("HH:mm"));
        auto* momentLayout = new QHBoxLayout(moment);
        momentLayout->setContentsMargins(0, 0, 0, 0);
        momentLayout->addWidget(delay);
        momentLayout->addWidget(clock);
        momentLayout->addStretch();
        for (QAbstractSpinBox* box : std::initializer_list<QAbstractSpinBox*>{thickness, layingTemp, delay, clock}) {
            // A value is checked once typed, not at each of its digits.
            box->setKeyboardTracking(false);
        }
        FLifts->setCellWidget(row, ColThickness, thickness);
        FLifts->setCellWidget(row, ColLayingTemp, layingTemp);
        FLifts->setCellWidget(row, ColWhen, when);
        FLifts->setCellWidget(row, ColMoment, moment);
        connect(thickness, &QDoubleSpinBox::valueChanged, this, &TSitePanel::Edited);
        connect(layingTemp, &QDoubleSpinBox::valueChanged, this, &TSitePanel::Edited);
        connect(delay, &QSpinBox::valueChanged, this, &TSitePanel::Edited);
        connect(clock, &QTimeEdit::timeChanged, this, &TSitePanel::Edited);
        connect(when, &QComboBox::currentIndexChanged, this, &TSitePanel::Edited);
    }
    UpdateTexts(FLanguage);
    ShowChoice();
    // As high as the most lifts there can be, so that the buttons stay put.
    const int rows = static_cast<int>(ScenarioInputs::MaxFurtherLifts) + 1;
    const int rowHeight = QDoubleSpinBox().sizeHint().height() + 2;
    FLifts->setFixedHeight(
        FLifts->horizontalHeader()->sizeHint().height() + rows * rowHeight + 2 * FLifts->frameWidth());
}

void TSitePanel::ShowChoice()
{
    const QSignalBlocker blockWarmth(FWarmth);
    FWarmth->setChecked(FChoice.RoadWarmth);
    for (std::size_t n = 0; n < FChoice.Lifts.size(); ++n) {
        const TSiteLift& lift = FChoice.Lifts[n];
        const TRowWidgets row = rowWidgets(FLifts, static_cast<int>(n) + 1);
        const QSignalBlocker b1(row.Thickness), b2(row.LayingTemp), b3(row.When), b4(row.Delay), b5(row.Clock);
        row.Thickness->setValue(lift.ThicknessCm);
        row.LayingTemp->setValue(lift.LayingTemp);
        row.When->setCurrentIndex(lift.AtClockTime ? 1 : 0);
        row.Delay->setValue(lift.DelayMinutes);
        row.Clock->setTime(QTime(lift.Hour, lift.Minute));
        row.Delay->setVisible(!lift.AtClockTime);
        row.Clock->setVisible(lift.AtClockTime);
    }
    FRemove->setEnabled(!FChoice.Lifts.empty());
}

void TSitePanel::ShowFirstLift()
{
    const double laying = TheTimeUtilsCls::JoinDateAndTime(FLaying.LayingDate, FLaying.LayingTime);
    FLifts->item(0, ColThickness)->setText(RegionalFormat::FormatReal(FLaying.ThicknessCm));
    FLifts->item(0, ColLayingTemp)->setText(RegionalFormat::FormatReal(FLaying.LayingTemp));
    FLifts->item(0, ColWhen)
        ->setText(SiteTexts::Text(FLanguage, TSiteText::FirstLift).arg(AnalysisMoments::FormatClock(laying)));
}

void TSitePanel::Edited()
{
    SetChoice(ReadTable());
}

TSiteChoice TSitePanel::ReadTable() const
{
    TSiteChoice choice = FChoice;
    for (std::size_t n = 0; n < choice.Lifts.size(); ++n) {
        TSiteLift& lift = choice.Lifts[n];
        const TRowWidgets row = rowWidgets(FLifts, static_cast<int>(n) + 1);
        lift.ThicknessCm = row.Thickness->value();
        lift.LayingTemp = row.LayingTemp->value();
        const bool atClock = row.When->currentIndex() == 1;
        if (atClock && !lift.AtClockTime) {
            // Switched to a clock time: the moment the delay gave, so that nothing moves.
            TScenario scenario = FLaying;
            TSiteChoice before = FChoice;
            before.Lifts.resize(n + 1);
            if (!ApplySiteChoice(before, scenario)) {
                const double moment = LiftMoments::WallMomentOf(scenario, scenario.Lifts.back().ElapsedSeconds).Moment;
                const QSignalBlocker blockClock(row.Clock);
                row.Clock->setTime(AnalysisMoments::ToDateTime(moment).time());
            }
        }
        lift.AtClockTime = atClock;
        lift.DelayMinutes = row.Delay->value();
        lift.Hour = row.Clock->time().hour();
        lift.Minute = row.Clock->time().minute();
    }
    return choice;
}

void TSitePanel::UpdateTexts(TLanguage language)
{
    FLanguage = language;
    const auto text = [language](TSiteText id) { return SiteTexts::Text(language, id); };
    FRoadBox->setTitle(text(TSiteText::RoadTitle));
    FWarmth->setText(text(TSiteText::RoadWarmth));
    FLiftsBox->setTitle(text(TSiteText::LiftsTitle));
    FLifts->setHorizontalHeaderLabels({text(TSiteText::ColumnLift), text(TSiteText::ColumnThickness),
        text(TSiteText::ColumnLayingTemp), text(TSiteText::ColumnWhen), text(TSiteText::ColumnMoment)});
    for (int row = 1; row < FLifts->rowCount(); ++row) {
        QComboBox* when = rowWidgets(FLifts, row).When;
        when->setItemText(0, text(TSiteText::WhenDelay));
        when->setItemText(1, text(TSiteText::WhenClock));
    }
    FAdd->setText(text(TSiteText::AddLift));
    FRemove->setText(text(TSiteText::RemoveLift));
    FLiftsNote->setText(text(TSiteText::LiftsNote));
    ShowFirstLift();
    // The cells' widgets do not tell the header when their texts change.
    FLifts->resizeColumnsToContents();
}
