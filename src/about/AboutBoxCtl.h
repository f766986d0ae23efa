#pragma once

#include "ModalResult.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class TApplicationCls;
class TLanguagesMgrCls;

// The About box: program picture, product line, version, copyright, credits
// and the legal notice, in the language current when it opens. Created for
// one modal run and destroyed by its caller.
class TAboutBoxFrm : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBoxFrm(QWidget* owner);

    // Borrowed for the box's lifetime; never released here.
    void SetReferences(TLanguagesMgrCls& languagesMgr, const TApplicationCls& applicationInfo);
    // Fills every text from the language manager and the version record.
    void UpdateTexts();
    TModalResult ShowModal();

    QFrame* pnlAbout;
    QLabel* imgProgram;
    QLabel* lblProductName;
    QLabel* lblVersion;
    QLabel* lblCopyright;
    QLabel* lblComments;
    QPushButton* btnOk;
    QPlainTextEdit* memLegalPolicies;
    QLabel* lblLegalPolicies;

private:
    TLanguagesMgrCls* FLanguagesMgr = nullptr;
    const TApplicationCls* FApplicationInfo = nullptr;
};
