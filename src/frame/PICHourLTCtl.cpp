#include "PICHourLTCtl.h"

#include "AnalysisTexts.h"
#include "ClickablePicture.h"
#include "Clock.h"
#include "DateTimeConversion.h"
#include "LanguagesMgrCls.h"
#include "MessagePresenter.h"
#include "ProgressBarAdapter.h"
#include "RegionalFormat.h"
#include "ScenarioRun.h"
#include "UiFont.h"
#include "WallClock.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimeEdit>

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string_view>

TPICHourLTFra::TPICHourLTFra(QWidget* parent)
    : QWidget(parent)
    , FPICHour(std::make_unique<TPICHourCls>())
    , FOwnPresenter(std::make_unique<TMessageBoxPresenter>())
    , FPresenter(FOwnPresenter.get())
    , FOwnClock(std::make_unique<TSystemClock>())
    , FClock(FOwnClock.get())
{
    setObjectName(QStringLiteral("fraPICHourLT"));
    // Group boxes drawn as the form expects; the style sheet needs the font
    // restated, or the boxes' children fall back to the application font.
    setStyleSheet(ClassicStyleSheet());
    SetupUi(this);
    setFont(ClassicUiFont());
    FThickness = {edtNLThickness, udnNLThickness, TText::ThicknessLabel, TScenarioInput::Thickness, false};
    FLayingTemp = {edtNLInitTemp, udnNLInitTemp, TText::LayingTempLabel, TScenarioInput::LayingTemp, false};
    FReopenTemp = {edtNLPICTemp, udnNLPICTemp, TText::ReopenTempLabel, TScenarioInput::ReopenTemp, false};
    ApplyRegionalFormats();
    WireHandlers();
}

TPICHourLTFra::~TPICHourLTFra() = default;

void TPICHourLTFra::SetLanguagesMgr(TLanguagesMgrCls& languagesMgr)
{
    FLanguagesMgr = &languagesMgr;
}

void TPICHourLTFra::SetMessagePresenter(TMessagePresenter& presenter)
{
    FPresenter = &presenter;
}

void TPICHourLTFra::SetClock(const TClock& clock)
{
    FClock = &clock;
}

void TPICHourLTFra::WireHandlers()
{
    connect(edtNLThickness, &QLineEdit::textChanged, this, [this] { edtNLThicknessChange(); });
    connect(edtNLInitTemp, &QLineEdit::textChanged, this, [this] { edtNLInitTempChange(); });
    connect(edtNLPICTemp, &QLineEdit::textChanged, this, [this] { edtNLPICTempChange(); });
    connect(udnNLThickness, &TUpDownSpinner::click, this, &TPICHourLTFra::udnNLThicknessClick);
    connect(udnNLInitTemp, &TUpDownSpinner::click, this, &TPICHourLTFra::udnNLInitTempClick);
    connect(udnNLPICTemp, &TUpDownSpinner::click, this, &TPICHourLTFra::udnNLPICTempClick);
    // Only the user's changes arrive here: the frame blocks the pickers'
    // signals while it sets them and then runs the handler itself.
    connect(dtpPDDate, &QDateEdit::dateChanged, this, [this] { dtpPDDateChange(); });
    connect(dtpPDTime, &QTimeEdit::timeChanged, this, [this] { dtpPDTimeChange(); });
    connect(imgPDDate, &TClickablePicture::clicked, this, &TPICHourLTFra::imgPDDateClick);
    connect(imgPDTime, &TClickablePicture::clicked, this, &TPICHourLTFra::imgPDTimeClick);
    // A radio button's handler runs whenever it becomes selected, by the
    // user or by the frame.
    const auto onSelect = [this](QRadioButton* button, void (TPICHourLTFra::*handler)()) {
        connect(button, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked) {
                (this->*handler)();
            }
        });
    };
    onSelect(rbnPDSummerHour, &TPICHourLTFra::rbnPDSummerHourClick);
    onSelect(rbnPDWinterHour, &TPICHourLTFra::rbnPDWinterHourClick);
    onSelect(rbnWSFeeble, &TPICHourLTFra::rbnWSFeebleClick);
    onSelect(rbnWSModerate, &TPICHourLTFra::rbnWSModerateClick);
    onSelect(rbnWSStrong, &TPICHourLTFra::rbnWSStrongClick);
    onSelect(rbnCWispy, &TPICHourLTFra::rbnCWispyClick);
    onSelect(rbnCCover, &TPICHourLTFra::rbnCCoverClick);
    onSelect(rbnCHeavyCover, &TPICHourLTFra::rbnCHeavyCoverClick);
    connect(btnCompute, &QPushButton::clicked, this, [this] { btnComputeClick(); });
}

const TLanguagesMgrCls& TPICHourLTFra::Texts() const
{
    if (FLanguagesMgr == nullptr) {
        throw std::logic_error("TPICHourLTFra: SetLanguagesMgr was not called");
    }
    return *FLanguagesMgr;
}

void TPICHourLTFra::UpdateTexts()
{
    const TLanguagesMgrCls& texts = Texts();
    setWindowTitle(texts.GetText(TText::FrameCaption));
    const auto title = [&texts](QGroupBox* box, TText text) { box->setTitle(texts.GetText(text)); };
    const auto caption = [&texts](QAbstractButton* button, TText text) { button->setText(texts.GetText(text)); };
    const auto label = [&texts](QLabel* lbl, TText text) {
        lbl->setText(texts.GetText(text));
        lbl->adjustSize();
    };
    title(gbxNewLayer, TText::NewLayerGroup);
    label(lblNLThickness, TText::ThicknessLabel);
    label(lblNLInitTemp, TText::LayingTempLabel);
    label(lblNLPICTemp, TText::ReopenTempLabel);
    title(gbxWindSpeed, TText::WindGroup);
    caption(rbnWSFeeble, TText::WindFeeble);
    caption(rbnWSModerate, TText::WindModerate);
    caption(rbnWSStrong, TText::WindStrong);
    title(gbxCloud, TText::CloudGroup);
    caption(rbnCWispy, TText::CloudClear);
    caption(rbnCCover, TText::CloudPartial);
    caption(rbnCHeavyCover, TText::CloudCovered);
    title(gbxPoseData, TText::LayingGroup);
    label(lblPDDate, TText::LayingDateLabel);
    label(lblPDTime, TText::LayingTimeLabel);
    title(gbxPDGMT, TText::ClockGroup);
    label(lblRPICDate, TText::ReopeningDateLabel);
    label(lblRPICTime, TText::ReopeningTimeLabel);
    ShowReopeningClock();
    caption(rbnPDSummerHour, TText::SummerTime);
    caption(rbnPDWinterHour, TText::WinterTime);
    title(gbxResults, TText::ResultsGroup);
    caption(btnCompute, TText::ComputeButton);
}

void TPICHourLTFra::SetInitialValues()
{
    ApplyRegionalFormats();
    const TPICHourCls& engine = *FPICHour;
    const std::pair<TNumericInput*, double> startValues[] = {
        {&FThickness, engine.Layers.Items(0).ThicknessCm()},
        {&FLayingTemp, engine.LayingTempMax},
        {&FReopenTemp, engine.ReopenTempMin},
    };
    for (const auto& [input, value] : startValues) {
        // The spinner disables itself when there are no steps.
        input->Spinner->SetMin(0);
        input->Spinner->SetMax(ScenarioInputs::LimitsOf(engine, input->Input).Steps);
        input->Edit->setText(RegionalFormat::FormatReal(value));
    }

    const QDateTime now = FClock->Now();
    {
        const QSignalBlocker dateBlocker(dtpPDDate);
        const QSignalBlocker timeBlocker(dtpPDTime);
        dtpPDDate->setDate(now.date());
        dtpPDTime->setTime(now.time());
    }
    dtpPDDateChange();

    rbnWSFeeble->setChecked(true);
    rbnCWispy->setChecked(true);
    edtNLThickness->selectAll();
}

void TPICHourLTFra::ClearResults()
{
    edtRPICDate->clear();
    edtRPICTime->clear();
    FReopeningSummerTime.reset();
    ShowReopeningClock();
    emit resultsCleared();
}

bool TPICHourLTFra::CheckThickness(bool strict)
{
    return CheckInput(FThickness, strict);
}

bool TPICHourLTFra::CheckLayingTemp(bool strict)
{
    return CheckInput(FLayingTemp, strict);
}

bool TPICHourLTFra::CheckReopenTemp(bool strict)
{
    return CheckInput(FReopenTemp, strict);
}

double TPICHourLTFra::ParseField(const QLineEdit& edit)
{
    return FRegionalSettings.ParseReal(edit.text().toStdString(), RegionalFormat::DecimalSeparator());
}

bool TPICHourLTFra::CheckInput(TNumericInput& input, bool strict)
{
    const TPICHourCls& engine = *FPICHour;
    double value = ParseField(*input.Edit);
    if (FRegionalSettings.ErrorCode != TRegionalSettingsCls::Success) {
        value = std::nan("");  // what the check reads as no real
    }
    const std::optional<TInputRefusal> refusal = ScenarioInputs::Check(engine, input.Input, value, strict);
    const TInputLimits limits = ScenarioInputs::LimitsOf(engine, input.Input);
    if (refusal != TInputRefusal::NotAReal && limits.Steps > 0) {
        // Held within the limits before it becomes a step count: the spinner
        // holds any position at its nearer end anyway, and a huge value must
        // not overflow the count.
        const double held = std::clamp(value, std::min(limits.Min, limits.Max), std::max(limits.Min, limits.Max));
        input.Spinner->SetPosition(ScenarioInputs::Position(engine, input.Input, held));
    }
    if (refusal) {
        Refuse(input, *refusal);
        return false;
    }
    return true;
}

void TPICHourLTFra::Refuse(TNumericInput& input, TInputRefusal refusal)
{
    if (input.Correcting) {
        return;
    }
    const TInputLimits limits = ScenarioInputs::LimitsOf(*FPICHour, input.Input);
    const QString limitText
        = RegionalFormat::FormatReal(refusal == TInputRefusal::AboveMaximum ? limits.Max : limits.Min);
    FPresenter->ShowWarning(this, PICHourLTMessages::FieldRefusalText(Texts(), input.Label, refusal, limitText));
    if (refusal != TInputRefusal::NotAReal) {
        input.Spinner->SetPosition(refusal == TInputRefusal::AboveMaximum ? input.Spinner->Max() : 0);
        input.Correcting = true;
        // Runs the change handler again, which empties the results and
        // accepts the limit.
        input.Edit->setText(limitText);
        input.Correcting = false;
    }
    input.Edit->selectAll();
}

void TPICHourLTFra::InputChange(TNumericInput& input)
{
    ClearResults();
    CheckInput(input, false);
}

void TPICHourLTFra::SpinnerClick(const TNumericInput& input)
{
    const TInputLimits limits = ScenarioInputs::LimitsOf(*FPICHour, input.Input);
    const double value = limits.Min + input.Spinner->Position() * limits.Step;
    input.Edit->setText(RegionalFormat::FormatReal(value));
}

void TPICHourLTFra::edtNLThicknessChange()
{
    InputChange(FThickness);
}

void TPICHourLTFra::edtNLInitTempChange()
{
    InputChange(FLayingTemp);
}

void TPICHourLTFra::edtNLPICTempChange()
{
    InputChange(FReopenTemp);
}

void TPICHourLTFra::udnNLThicknessClick(TUpDownSpinner::TDirection)
{
    SpinnerClick(FThickness);
}

void TPICHourLTFra::udnNLInitTempClick(TUpDownSpinner::TDirection)
{
    SpinnerClick(FLayingTemp);
}

void TPICHourLTFra::udnNLPICTempClick(TUpDownSpinner::TDirection)
{
    SpinnerClick(FReopenTemp);
}

void TPICHourLTFra::ApplyRegionalFormats()
{
    dtpPDDate->setDisplayFormat(RegionalFormat::ShortDateFormat());
    dtpPDTime->setDisplayFormat(RegionalFormat::LongTimeFormat());
}

void TPICHourLTFra::ShowSummerOrWinterTime()
{
    ClearResults();
    // The day of the date picker and the hour of the time picker decide.
    if (IsWinterTime(DateTimeConversion::ToDateTime(dtpPDDate->dateTime()),
            DateTimeConversion::ToDateTime(dtpPDTime->dateTime()))) {
        rbnPDWinterHour->setChecked(true);
    } else {
        rbnPDSummerHour->setChecked(true);
    }
}

void TPICHourLTFra::dtpPDDateChange()
{
    ShowSummerOrWinterTime();
}

void TPICHourLTFra::dtpPDTimeChange()
{
    ShowSummerOrWinterTime();
}

void TPICHourLTFra::imgPDDateClick()
{
    {
        const QSignalBlocker blocker(dtpPDDate);
        dtpPDDate->setDate(FClock->Now().date());
    }
    dtpPDDateChange();
}

void TPICHourLTFra::imgPDTimeClick()
{
    {
        const QSignalBlocker blocker(dtpPDTime);
        dtpPDTime->setTime(FClock->Now().time());
    }
    dtpPDTimeChange();
}

void TPICHourLTFra::rbnPDSummerHourClick()
{
    FPICHour->SummerTime = true;
}

void TPICHourLTFra::rbnPDWinterHourClick()
{
    FPICHour->SummerTime = false;
}

void TPICHourLTFra::rbnWSFeebleClick()
{
    ClearResults();
    FPICHour->WindSpeed = FPICHour->WindSpeedFeeble;
}

void TPICHourLTFra::rbnWSModerateClick()
{
    ClearResults();
    FPICHour->WindSpeed = FPICHour->WindSpeedModerate;
}

void TPICHourLTFra::rbnWSStrongClick()
{
    ClearResults();
    FPICHour->WindSpeed = FPICHour->WindSpeedStrong;
}

void TPICHourLTFra::rbnCWispyClick()
{
    ClearResults();
    FPICHour->CloudCover = FPICHour->CloudCoverClear;
}

void TPICHourLTFra::rbnCCoverClick()
{
    ClearResults();
    FPICHour->CloudCover = FPICHour->CloudCoverPartial;
}

void TPICHourLTFra::rbnCHeavyCoverClick()
{
    ClearResults();
    FPICHour->CloudCover = FPICHour->CloudCoverOvercast;
}

void TPICHourLTFra::btnComputeClick()
{
    ClearResults();
    if (!CheckThickness(true) || !CheckLayingTemp(true) || !CheckReopenTemp(true)) {
        return;
    }
    const TScenario scenario = ShownScenario();
    // The forced clocks have no gap; the legal clock skips an hour in March.
    if (!WallClock::LayingExists(scenario)) {
        FPresenter->ShowWarning(this,
            PICHourLTMessages::SkippedLayingTimeText(Texts().Language, RegionalFormat::FormatTime(dtpPDTime->time()),
                RegionalFormat::FormatDate(dtpPDDate->date())));
        return;
    }
    TProgressBarAdapter progressBar(*pbrRCompute);
    TRunSettings settings;
    settings.KeepHistory = true;
    settings.Progress = &progressBar;
    settings.Engine = FPICHour.get();
    const TRunOutcome outcome = RunScenario(scenario, settings);
    if (!outcome.Succeeded()) {
        ShowFailure(outcome);
        return;
    }
    const QDateTime reopening = DateTimeConversion::FromDateTime(outcome.Wall(outcome.Reopening).Moment);
    edtRPICDate->setText(RegionalFormat::FormatDate(reopening.date()));
    edtRPICTime->setText(RegionalFormat::FormatTime(reopening.time()));
    // Should a regional format ever be wider than the field, its start
    // (the day, the hour) is what must stay in view.
    edtRPICDate->setCursorPosition(0);
    edtRPICTime->setCursorPosition(0);
    // The buttons show the laying's clock: a reopening on the other says so.
    const bool reopeningSummer = outcome.Wall(outcome.Reopening).SummerTime;
    if (reopeningSummer != outcome.Wall(outcome.Laying).SummerTime) {
        FReopeningSummerTime = reopeningSummer;
    }
    ShowReopeningClock();
    emit computationSucceeded(scenario, outcome);
}

void TPICHourLTFra::ShowReopeningClock()
{
    if (!FReopeningSummerTime || FLanguagesMgr == nullptr) {
        lblRPICClock->clear();
        return;
    }
    lblRPICClock->setText(AnalysisTexts::Text(Texts().Language,
        *FReopeningSummerTime ? TAnalysisText::ReopeningInSummerTime : TAnalysisText::ReopeningInWinterTime));
}

void TPICHourLTFra::ShowFailure(const TRunOutcome& outcome)
{
    // The engine ran but its reopening has no date: say so rather than leave the fields empty.
    if (outcome.Failure == TRunOutcome::ReopeningOutOfRange) {
        FPresenter->ShowWarning(this, AnalysisTexts::Text(Texts().Language, TAnalysisText::ReopeningBeyondCalendar));
        return;
    }
    // An error without a message is shown as one: there is nothing to decode.
    const std::string_view failure
        = outcome.Failure == TRunOutcome::UnknownFailure ? std::string_view() : std::string_view(outcome.Failure);
    FPresenter->ShowWarning(this,
        PICHourLTMessages::ComputeFailureText(
            Texts(), failure, RegionalFormat::FormatReal(FPICHour->MinTotalThickness)));
}

TScenario TPICHourLTFra::ShownScenario()
{
    TScenario scenario;
    scenario.ThicknessCm = ParseField(*edtNLThickness);
    scenario.LayingTemp = ParseField(*edtNLInitTemp);
    scenario.ReopenTemp = ParseField(*edtNLPICTemp);
    const QRadioButton* const winds[] = {rbnWSFeeble, rbnWSModerate, rbnWSStrong};
    const QRadioButton* const clouds[] = {rbnCWispy, rbnCCover, rbnCHeavyCover};
    for (std::size_t n = 0; n < 3; ++n) {
        if (winds[n]->isChecked()) {
            scenario.Wind = AllWindClasses.at(n);
        }
        if (clouds[n]->isChecked()) {
            scenario.Cloud = AllCloudClasses.at(n);
        }
    }
    // Only the day of the one and the time of day of the other count.
    scenario.LayingDate = DateTimeConversion::ToDateTime(dtpPDDate->dateTime());
    scenario.LayingTime = DateTimeConversion::ToDateTime(dtpPDTime->dateTime());
    // The clock the laying suggests is the legal clock, whose moments after a
    // change are shown in the new clock; one the user chose over it is
    // forced throughout.
    const bool summerTime = rbnPDSummerHour->isChecked();
    const bool legalSummerTime = !IsWinterTime(scenario.LayingDate, scenario.LayingTime);
    scenario.Clock = summerTime == legalSummerTime ? TClockMode::Auto
        : summerTime                               ? TClockMode::Summer
                                                   : TClockMode::Winter;
    return scenario;
}
