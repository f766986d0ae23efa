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
#include <stdexcept>

using PICHourLTMessages::TFieldRefusal;

namespace {

// Text indexes of the captions, in the order they are applied.
constexpr int TextFrame = 11;
constexpr int TextThickness = 13;
constexpr int TextLayingTemp = 14;
constexpr int TextReopenTemp = 15;

}  // namespace

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
    FThickness = {edtNLThickness, udnNLThickness, TextThickness, &TPICHourCls::ThicknessMin, &TPICHourCls::ThicknessMax,
        &TPICHourCls::ThicknessStep, &TPICHourCls::ThicknessSteps, &TPICHourCls::ThicknessPosition, false};
    FLayingTemp
        = {edtNLInitTemp, udnNLInitTemp, TextLayingTemp, &TPICHourCls::LayingTempMin, &TPICHourCls::LayingTempMax,
            &TPICHourCls::LayingTempStep, &TPICHourCls::LayingTempSteps, &TPICHourCls::LayingTempPosition, false};
    FReopenTemp = {edtNLPICTemp, udnNLPICTemp, TextReopenTemp, &TPICHourCls::ReopenTempMin, &TPICHourCls::ReopenTempMax,
        &TPICHourCls::ReopenTempStep, &TPICHourCls::ReopenTempSteps, &TPICHourCls::ReopenTempPosition, false};
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
    setWindowTitle(texts.GetText(TextFrame));
    const auto title = [&texts](QGroupBox* box, int index) { box->setTitle(texts.GetText(index)); };
    const auto caption = [&texts](QAbstractButton* button, int index) { button->setText(texts.GetText(index)); };
    const auto label = [&texts](QLabel* lbl, int index) {
        lbl->setText(texts.GetText(index));
        lbl->adjustSize();
    };
    title(gbxNewLayer, 12);
    label(lblNLThickness, TextThickness);
    label(lblNLInitTemp, TextLayingTemp);
    label(lblNLPICTemp, TextReopenTemp);
    title(gbxWindSpeed, 16);
    caption(rbnWSFeeble, 17);
    caption(rbnWSModerate, 18);
    caption(rbnWSStrong, 19);
    title(gbxCloud, 20);
    caption(rbnCWispy, 21);
    caption(rbnCCover, 22);
    caption(rbnCHeavyCover, 23);
    title(gbxPoseData, 24);
    label(lblPDDate, 25);
    label(lblPDTime, 26);
    title(gbxPDGMT, 27);
    label(lblRPICDate, 28);
    label(lblRPICTime, 61);
    caption(rbnPDSummerHour, 29);
    caption(rbnPDWinterHour, 30);
    title(gbxResults, 31);
    caption(btnCompute, 32);
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
        input->Spinner->SetMax((engine.*(input->Steps))());
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
    const double value = ParseField(*input.Edit);
    // A parser that let a NaN through would pass every range test below.
    if (FRegionalSettings.ErrorCode != TRegionalSettingsCls::Success || std::isnan(value)) {
        Refuse(input, TFieldRefusal::NotAReal);
        return false;
    }
    if ((engine.*(input.Steps))() > 0) {
        const double min = engine.*(input.Min);
        const double max = engine.*(input.Max);
        // Held within the limits before it becomes a step count: the spinner
        // holds any position at its nearer end anyway, and a huge value must
        // not overflow the count.
        const double held = std::clamp(value, std::min(min, max), std::max(min, max));
        input.Spinner->SetPosition((engine.*(input.Position))(held));
        if (strict && value < min) {
            Refuse(input, TFieldRefusal::BelowMinimum);
            return false;
        }
        if (value > max) {
            Refuse(input, TFieldRefusal::AboveMaximum);
            return false;
        }
    }
    return true;
}

void TPICHourLTFra::Refuse(TNumericInput& input, TFieldRefusal refusal)
{
    if (input.Correcting) {
        return;
    }
    const TPICHourCls& engine = *FPICHour;
    const double limit = refusal == TFieldRefusal::AboveMaximum ? engine.*(input.Max) : engine.*(input.Min);
    const QString limitText = RegionalFormat::FormatReal(limit);
    FPresenter->ShowWarning(
        this, PICHourLTMessages::FieldRefusalText(Texts(), input.LabelTextIndex, refusal, limitText));
    if (refusal != TFieldRefusal::NotAReal) {
        input.Spinner->SetPosition(refusal == TFieldRefusal::AboveMaximum ? input.Spinner->Max() : 0);
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
    const TPICHourCls& engine = *FPICHour;
    const double value = engine.*(input.Min) + input.Spinner->Position() * engine.*(input.Step);
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
    TPICHourCls& engine = *FPICHour;
    try {
        const double thicknessCm = ParseField(*edtNLThickness);
        engine.Layers.Items(0).SetThicknessCm(thicknessCm);
        engine.LayingTemp = ParseField(*edtNLInitTemp);
        engine.ReopenTemp = ParseField(*edtNLPICTemp);
        // Only the day of the one and the time of day of the other count.
        const double layingDate = DateTimeConversion::ToDateTime(dtpPDDate->dateTime());
        const double layingTime = DateTimeConversion::ToDateTime(dtpPDTime->dateTime());
        TProgressBarAdapter progressBar(*pbrRCompute);
        engine.Compute(progressBar, layingDate, layingTime);
        const TScenario scenario = ShownScenario(thicknessCm, layingDate, layingTime);
        const TRunOutcome outcome = SucceededRun(engine, layingDate, layingTime, scenario.Clock, true);
        if (!outcome.Succeeded()) {
            // The engine ran but its reopening has no date: say so rather than leave the fields empty.
            if (outcome.Failure == TRunOutcome::ReopeningOutOfRange) {
                FPresenter->ShowWarning(
                    this, AnalysisTexts::Text(Texts().Language, TAnalysisText::ReopeningBeyondCalendar));
            }
            return;
        }
        const QDateTime reopening = DateTimeConversion::FromDateTime(outcome.Wall(outcome.Reopening).Moment);
        edtRPICDate->setText(RegionalFormat::FormatDate(reopening.date()));
        edtRPICTime->setText(RegionalFormat::FormatTime(reopening.time()));
        // Should a regional format ever be wider than the field, its start
        // (the day, the hour) is what must stay in view.
        edtRPICDate->setCursorPosition(0);
        edtRPICTime->setCursorPosition(0);
        emit computationSucceeded(scenario, outcome);
    } catch (const std::exception& error) {
        FPresenter->ShowWarning(this,
            PICHourLTMessages::ComputeFailureText(
                Texts(), error.what(), RegionalFormat::FormatReal(engine.MinTotalThickness)));
    }
}

TScenario TPICHourLTFra::ShownScenario(double thicknessCm, double layingDate, double layingTime) const
{
    const TPICHourCls& engine = *FPICHour;
    TScenario scenario;
    scenario.ThicknessCm = thicknessCm;
    scenario.LayingTemp = engine.LayingTemp;
    scenario.ReopenTemp = engine.ReopenTemp;
    // The radio buttons set the engine's classes; their index is the class.
    const double winds[] = {engine.WindSpeedFeeble, engine.WindSpeedModerate, engine.WindSpeedStrong};
    const double clouds[] = {engine.CloudCoverClear, engine.CloudCoverPartial, engine.CloudCoverOvercast};
    for (std::size_t n = 0; n < 3; ++n) {
        if (engine.WindSpeed == winds[n]) {
            scenario.Wind = AllWindClasses.at(n);
        }
        if (engine.CloudCover == clouds[n]) {
            scenario.Cloud = AllCloudClasses.at(n);
        }
    }
    scenario.LayingDate = layingDate;
    scenario.LayingTime = layingTime;
    // The clock the laying suggests is the legal clock, whose moments after a
    // change are shown in the new clock; one the user chose over it is
    // forced throughout.
    const bool legalSummerTime = !IsWinterTime(layingDate, layingTime);
    scenario.Clock = engine.SummerTime == legalSummerTime ? TClockMode::Auto
        : engine.SummerTime                               ? TClockMode::Summer
                                                          : TClockMode::Winter;
    return scenario;
}
