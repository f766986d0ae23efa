#pragma once

#include "LanguagesMgrCls.h"
#include "ModalResult.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;

// Asked once at start: French or Dutch. A click on a language button writes
// the choice into the language manager and ends the run with OK; nothing
// else ends it (no close box, Escape ignored).
class TfrmChooseLanguages : public QDialog {
    Q_OBJECT

public:
    explicit TfrmChooseLanguages(QWidget* owner);

    // Borrowed; never released here.
    void SetLanguagesMgr(TLanguagesMgrCls& languagesMgr);
    void UpdateTexts(TLanguage language);
    TModalResult ShowModal();

    QGroupBox* gbxLanguages;
    QLabel* imgLogo;
    QPushButton* bbtnFrench;
    QPushButton* bbtnDutch;

public slots:
    // The window's close command and Escape both end up here: ignored.
    void reject() override;

private:
    void Choose(TLanguage language);

    TLanguagesMgrCls* FLanguagesMgr = nullptr;
};
