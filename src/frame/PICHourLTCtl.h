#pragma once

#include "PICHourCls.h"
#include "PICHourLTLayout.h"
#include "PICHourLTMessages.h"
#include "RegionalSettingsCls.h"
#include "RunOutcome.h"
#include "Scenario.h"
#include "ScenarioInputs.h"
#include "UpDownSpinner.h"

#include <QWidget>

#include <memory>
#include <optional>

class TClock;
class TLanguagesMgrCls;
class TMessagePresenter;

// The input/result frame: the three numeric inputs with their spinners and
// checks, the wind and cloud classes, the laying date and time with the
// summer/winter display, and the compute action with its result. Owns the
// engine (the fields' limits and steps, the road and site the computation
// runs on, through the library's one run of a scenario) and the number
// parser; borrows the language manager, and the message presenter and clock
// when they are injected (it has its own message boxes and system clock
// otherwise).
class TPICHourLTFra : public QWidget, public TPICHourLTLayout {
    Q_OBJECT

public:
    explicit TPICHourLTFra(QWidget* parent = nullptr);
    ~TPICHourLTFra() override;

    // Must be called before UpdateTexts, SetInitialValues and any handler
    // that shows a message.
    void SetLanguagesMgr(TLanguagesMgrCls& languagesMgr);
    void SetMessagePresenter(TMessagePresenter& presenter);
    void SetClock(const TClock& clock);

    void UpdateTexts();
    void SetInitialValues();
    void ClearResults();
    // True when the field's value is accepted; otherwise the user has been
    // warned and the field corrected where its rule says so.
    bool CheckThickness(bool strict);
    bool CheckLayingTemp(bool strict);
    bool CheckReopenTemp(bool strict);

    TPICHourCls& PICHour() { return *FPICHour; }

    // Event handlers, wired to their controls by the constructor.
    void edtNLThicknessChange();
    void edtNLInitTempChange();
    void edtNLPICTempChange();
    void udnNLThicknessClick(TUpDownSpinner::TDirection direction);
    void udnNLInitTempClick(TUpDownSpinner::TDirection direction);
    void udnNLPICTempClick(TUpDownSpinner::TDirection direction);
    void dtpPDDateChange();
    void dtpPDTimeChange();
    void imgPDDateClick();
    void imgPDTimeClick();
    void rbnPDSummerHourClick();
    void rbnPDWinterHourClick();
    void rbnWSFeebleClick();
    void rbnWSModerateClick();
    void rbnWSStrongClick();
    void rbnCWispyClick();
    void rbnCCoverClick();
    void rbnCHeavyCoverClick();
    void btnComputeClick();

signals:
    // After every successful computation: the inputs as a scenario and what
    // the engine gave, its cooling history included.
    void computationSucceeded(const TScenario& scenario, const TRunOutcome& outcome);
    // Whenever the result fields are emptied: what was computed no longer
    // matches the inputs.
    void resultsCleared();

private:
    // One numeric input: its controls, its label's text and which of the
    // scenario's inputs it is, whose limits and steps the engine holds.
    struct TNumericInput {
        QLineEdit* Edit;
        TUpDownSpinner* Spinner;
        TText Label;
        TScenarioInput Input;
        // Set while the frame writes a correction into the edit, so that a
        // correction that is itself refused cannot start another one.
        bool Correcting = false;
    };

    void WireHandlers();
    const TLanguagesMgrCls& Texts() const;
    double ParseField(const QLineEdit& edit);
    bool CheckInput(TNumericInput& input, bool strict);
    void Refuse(TNumericInput& input, TInputRefusal refusal);
    void InputChange(TNumericInput& input);
    void SpinnerClick(const TNumericInput& input);
    void ApplyRegionalFormats();
    void ShowSummerOrWinterTime();
    // The inputs as the fields, buttons and pickers show them; the three
    // numbers must have passed their checks.
    TScenario ShownScenario();
    void ShowFailure(const TRunOutcome& outcome);
    void ShowReopeningClock();

    std::unique_ptr<TPICHourCls> FPICHour;
    TRegionalSettingsCls FRegionalSettings;
    TLanguagesMgrCls* FLanguagesMgr = nullptr;
    std::unique_ptr<TMessagePresenter> FOwnPresenter;
    TMessagePresenter* FPresenter;
    std::unique_ptr<TClock> FOwnClock;
    const TClock* FClock;
    TNumericInput FThickness;
    TNumericInput FLayingTemp;
    TNumericInput FReopenTemp;
    // The reopening's clock where it is not the laying's: summer time or not.
    std::optional<bool> FReopeningSummerTime;
};
