#pragma once

#include "LanguagesMgrCls.h"
#include "ModalResult.h"
#include "RunOutcome.h"
#include "Scenario.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QMenu;
class TAnalysisFrm;
class TApplicationCls;
class TExportQuestions;
class TClock;
class TMessagePresenter;
class TPICHourLTFra;

// The main window: menu, status bar and the input/result frame. Owns the
// language manager and the application-information object, which the frame
// and the dialogs borrow. Its creation asks for the language.
class TfrmMain : public QMainWindow {
    Q_OBJECT

public:
    // Asks the user for the language with the owner's manager; writes the
    // choice into the manager and returns the modal result.
    using TLanguageQuestion = std::function<TModalResult(QWidget& owner, TLanguagesMgrCls& languagesMgr)>;

    static constexpr const char* FatalStartupMessage = "Fatal error! The application is stopped!";
    static constexpr const char* FatalStartupTitle = "Erreur";
    static constexpr const char* BuildDate = "23.08.2021";

    // Runs the start-up (FormCreate) before returning; the window is not
    // shown. presenter (and clock, when given) must outlive the window.
    explicit TfrmMain(TMessagePresenter& presenter, const TLanguageQuestion& askLanguage = RunLanguageChooser,
        const TClock* clock = nullptr);
    ~TfrmMain() override;

    // The real question: the language chooser, run once modally.
    static TModalResult RunLanguageChooser(QWidget& owner, TLanguagesMgrCls& languagesMgr);

    void SetLanguage(TLanguage language);
    void mnuQuitClick();
    void mnuLanguageFRClick();
    void mnuLanguageNLClick();
    void mnuAboutClick();
    void mnuCoolingAnalysisClick();
    void mnuPdfReportClick();
    // The export dialogs' seam; real dialogs unless set. Must outlive the window.
    void SetExportQuestions(TExportQuestions& questions);
    // Null until a computation has succeeded.
    TAnalysisFrm* AnalysisWindow() const { return frmAnalysis; }

    // Set once FormClose has asked the application to end.
    bool Terminated() const { return FTerminated; }
    // Null once FormClose has released them.
    TLanguagesMgrCls* LanguagesMgr() const { return FLanguagesMgr.get(); }
    const TApplicationCls* ApplicationInfo() const { return FApplicationInfo.get(); }

    QMenuBar* mmnuMain;
    QMenu* mnuFile;
    QAction* mnuQuit;
    QMenu* mnuLanguageType;
    QAction* mnuLanguageFR;
    QAction* mnuLanguageNL;
    QMenu* mnuAnalysis;
    QAction* mnuCoolingAnalysis;
    QAction* mnuPdfReport;
    QMenu* mnuHelp;
    QAction* mnuAbout;
    QStatusBar* sbrMain;
    std::array<QLabel*, 3> sbrMainPanels;
    TPICHourLTFra* fraPICHourLT;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenu();
    void CreateStatusBar();
    void FormCreate(const TLanguageQuestion& askLanguage);
    void FormClose();
    void CentreOnPrimaryScreen();
    void ComputationSucceeded(const TScenario& scenario, const TRunOutcome& outcome);
    void ResultsCleared();
    void PlaceAnalysisWindow();

    TMessagePresenter& FPresenter;
    std::unique_ptr<TLanguagesMgrCls> FLanguagesMgr;
    std::unique_ptr<TApplicationCls> FApplicationInfo;
    bool FTerminated = false;
    std::unique_ptr<TExportQuestions> FOwnQuestions;
    TExportQuestions* FQuestions;
    TAnalysisFrm* frmAnalysis = nullptr;  // created by the first successful computation
    bool FAnalysisPlaced = false;  // shown once: its place is the user's from then on
};
