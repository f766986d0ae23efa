#include "MainCtl.h"

#include "AboutBoxCtl.h"
#include "AnalysisFrm.h"
#include "AnalysisTexts.h"
#include "ApplicationCls.h"
#include "ChooseLanguagesCtl.h"
#include "ExportQuestions.h"
#include "KelvaraApplication.h"
#include "MessagePresenter.h"
#include "PICHourLTCtl.h"
#include "ProgramPicture.h"
#include "UiFont.h"
#include "WindowPlacement.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

#include <exception>

namespace {

constexpr int ClientWidth = 504;
constexpr int ClientHeight = 323;  // below the menu bar
constexpr int StatusBarHeight = 19;
constexpr int DesignPanelWidth = 50;
constexpr std::array<int, 3> StartedPanelWidths{100, 70, 50};

}  // namespace

TfrmMain::TfrmMain(TMessagePresenter& presenter, const TLanguageQuestion& askLanguage, const TClock* clock)
    : FPresenter(presenter), FOwnQuestions(std::make_unique<TDialogExportQuestions>()), FQuestions(FOwnQuestions.get())
{
    setObjectName(QStringLiteral("frmMain"));
    setFont(ClassicUiFont());
    setWindowIcon(ProgramIcon());

    CreateMenu();
    auto* client = new QWidget(this);
    setCentralWidget(client);
    // No layout: the frame keeps its place and size when the window is resized.
    fraPICHourLT = new TPICHourLTFra(client);
    fraPICHourLT->setObjectName(QStringLiteral("fraPICHourLT"));
    fraPICHourLT->setGeometry(0, 0, TPICHourLTFra::FrameWidth, TPICHourLTFra::FrameHeight);
    // The window never hides any part of the frame (Calcul, the results).
    client->setMinimumSize(TPICHourLTFra::FrameWidth, TPICHourLTFra::FrameHeight);
    fraPICHourLT->SetMessagePresenter(FPresenter);
    connect(fraPICHourLT, &TPICHourLTFra::computationSucceeded, this, &TfrmMain::ComputationSucceeded);
    connect(fraPICHourLT, &TPICHourLTFra::resultsCleared, this, &TfrmMain::ResultsCleared);
    if (clock != nullptr) {
        fraPICHourLT->SetClock(*clock);
    }
    CreateStatusBar();
    resize(ClientWidth, ClientHeight + mmnuMain->sizeHint().height());
    CentreOnPrimaryScreen();

    FormCreate(askLanguage);
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::CreateMenu()
{
    mmnuMain = menuBar();
    mmnuMain->setObjectName(QStringLiteral("mmnuMain"));
    mnuFile = mmnuMain->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuQuit = mnuFile->addAction(QStringLiteral("&Quit"));
    mnuQuit->setObjectName(QStringLiteral("mnuQuit"));
    mnuLanguageType = mmnuMain->addMenu(QStringLiteral("&Language"));
    mnuLanguageType->setObjectName(QStringLiteral("mnuLanguageType"));
    mnuLanguageFR = mnuLanguageType->addAction(QStringLiteral("&French"));
    mnuLanguageFR->setObjectName(QStringLiteral("mnuLanguageFR"));
    mnuLanguageFR->setCheckable(true);
    mnuLanguageNL = mnuLanguageType->addAction(QStringLiteral("&Dutch"));
    mnuLanguageNL->setObjectName(QStringLiteral("mnuLanguageNL"));
    mnuLanguageNL->setCheckable(true);
    mnuAnalysis = mmnuMain->addMenu(QStringLiteral("&Analysis"));
    mnuAnalysis->setObjectName(QStringLiteral("mnuAnalysis"));
    mnuCoolingAnalysis = mnuAnalysis->addAction(QStringLiteral("&Cooling analysis..."));
    mnuCoolingAnalysis->setObjectName(QStringLiteral("mnuCoolingAnalysis"));
    mnuCoolingAnalysis->setEnabled(false);
    mnuPdfReport = mnuAnalysis->addAction(QStringLiteral("&PDF report..."));
    mnuPdfReport->setObjectName(QStringLiteral("mnuPdfReport"));
    mnuPdfReport->setEnabled(false);
    mnuHelp = mmnuMain->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuAbout = mnuHelp->addAction(QStringLiteral("&About..."));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));

    connect(mnuQuit, &QAction::triggered, this, [this] { mnuQuitClick(); });
    connect(mnuLanguageFR, &QAction::triggered, this, [this] { mnuLanguageFRClick(); });
    connect(mnuLanguageNL, &QAction::triggered, this, [this] { mnuLanguageNLClick(); });
    connect(mnuAbout, &QAction::triggered, this, [this] { mnuAboutClick(); });
    connect(mnuCoolingAnalysis, &QAction::triggered, this, [this] { mnuCoolingAnalysisClick(); });
    connect(mnuPdfReport, &QAction::triggered, this, [this] { mnuPdfReportClick(); });
}

void TfrmMain::CreateStatusBar()
{
    sbrMain = statusBar();
    sbrMain->setObjectName(QStringLiteral("sbrMain"));
    sbrMain->setFixedHeight(StatusBarHeight);
    sbrMain->setSizeGripEnabled(false);
    for (std::size_t panel = 0; panel < sbrMainPanels.size(); ++panel) {
        auto* label = new QLabel(sbrMain);
        label->setObjectName(QStringLiteral("sbrMainPanel%1").arg(panel));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setFixedWidth(DesignPanelWidth);
        sbrMain->addWidget(label);
        sbrMainPanels[panel] = label;
    }
}

void TfrmMain::CentreOnPrimaryScreen()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect placed(QPoint(0, 0), frameGeometry().size());
        placed.moveCenter(screen->availableGeometry().center());
        move(placed.topLeft());
    }
}

void TfrmMain::FormCreate(const TLanguageQuestion& askLanguage)
{
    FApplicationInfo = std::make_unique<TApplicationCls>();
    FLanguagesMgr = std::make_unique<TLanguagesMgrCls>();
    try {
        if (askLanguage(*this, *FLanguagesMgr) == mrCancel) {
            FLanguagesMgr->Language = lgFR;
        }
        fraPICHourLT->SetLanguagesMgr(*FLanguagesMgr);
        for (std::size_t panel = 0; panel < sbrMainPanels.size(); ++panel) {
            sbrMainPanels[panel]->setFixedWidth(StartedPanelWidths[panel]);
        }
        if (FLanguagesMgr->Language == lgFR) {
            mnuLanguageFRClick();
        } else {
            mnuLanguageNLClick();
        }
        fraPICHourLT->SetInitialValues();
    } catch (const std::exception&) {
        FPresenter.ShowError(this, QString::fromLatin1(FatalStartupTitle), QString::fromLatin1(FatalStartupMessage));
        close();
    }
}

TModalResult TfrmMain::RunLanguageChooser(QWidget& owner, TLanguagesMgrCls& languagesMgr)
{
    // Destroyed on leaving, also when the run fails.
    TfrmChooseLanguages chooser(&owner);
    chooser.SetLanguagesMgr(languagesMgr);
    chooser.UpdateTexts(lgFR);
    return chooser.ShowModal();
}

void TfrmMain::SetLanguage(TLanguage language)
{
    // After FormClose nothing is left to apply a language to.
    if (!FLanguagesMgr) {
        return;
    }
    TLanguagesMgrCls& texts = *FLanguagesMgr;
    texts.Language = language;
    // Absent under a test's plain application object.
    if (auto* application = qobject_cast<TKelvaraApplication*>(QCoreApplication::instance())) {
        application->UseToolkitLanguage(language);
    }
    setWindowTitle(texts.GetText(TText::ProgramName));
    mnuFile->setTitle(texts.GetText(TText::MenuFile));
    mnuQuit->setText(texts.GetText(TText::MenuQuit));
    mnuLanguageType->setTitle(texts.GetText(TText::MenuLanguage));
    mnuLanguageFR->setText(texts.GetText(TText::MenuFrench));
    mnuLanguageNL->setText(texts.GetText(TText::MenuDutch));
    mnuHelp->setTitle(texts.GetText(TText::MenuHelp));
    mnuAbout->setText(texts.GetText(TText::MenuAbout));
    sbrMainPanels[0]->setText(texts.GetText(TText::VersionWord) + QLatin1Char(' ')
        + QString::fromStdString(FApplicationInfo->GetFileVersion()));
    sbrMainPanels[1]->setText(QString::fromLatin1(BuildDate));
    fraPICHourLT->UpdateTexts();
    mnuAnalysis->setTitle(AnalysisTexts::Text(language, TAnalysisText::MenuAnalysis));
    mnuCoolingAnalysis->setText(AnalysisTexts::Text(language, TAnalysisText::MenuCoolingAnalysis));
    mnuPdfReport->setText(AnalysisTexts::Text(language, TAnalysisText::MenuPdfReport));
    if (frmAnalysis != nullptr) {
        frmAnalysis->UpdateTexts();
    }
}

void TfrmMain::mnuQuitClick()
{
    close();
}

void TfrmMain::mnuLanguageFRClick()
{
    SetLanguage(lgFR);
    mnuLanguageFR->setChecked(true);
    mnuLanguageNL->setChecked(false);
}

void TfrmMain::mnuLanguageNLClick()
{
    SetLanguage(lgNL);
    mnuLanguageFR->setChecked(false);
    mnuLanguageNL->setChecked(true);
}

void TfrmMain::mnuAboutClick()
{
    if (!FLanguagesMgr) {
        return;
    }
    TAboutBoxFrm box(this);
    box.SetReferences(*FLanguagesMgr, *FApplicationInfo);
    box.UpdateTexts();
    box.ShowModal();
}

void TfrmMain::SetExportQuestions(TExportQuestions& questions)
{
    FQuestions = &questions;
}

void TfrmMain::ComputationSucceeded(const TScenario& scenario, const TRunOutcome& outcome)
{
    if (!FLanguagesMgr) {
        return;
    }
    if (frmAnalysis == nullptr) {
        frmAnalysis = new TAnalysisFrm(*FLanguagesMgr, FPresenter, *FQuestions, this);
        frmAnalysis->SetProgramVersion(QString::fromStdString(FApplicationInfo->GetFileVersion()));
    }
    frmAnalysis->ShowComputation(scenario, outcome);
    mnuCoolingAnalysis->setEnabled(true);
    mnuPdfReport->setEnabled(true);
}

void TfrmMain::ResultsCleared()
{
    // The window may still show the last run, marked as such; nothing is
    // reported or exported from it any more.
    mnuPdfReport->setEnabled(false);
    if (frmAnalysis != nullptr) {
        frmAnalysis->ShowAsPrevious();
    }
}

void TfrmMain::PlaceAnalysisWindow()
{
    const QScreen* shown = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (shown == nullptr) {
        return;
    }
    const auto marginsOf = [](const QWidget& window) {
        const QRect frame = window.frameGeometry();
        const QRect inner = window.geometry();
        return QMargins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom());
    };
    // A window not shown yet has no frame to measure: the window manager
    // frames it as it frames this one.
    const QMargins margins
        = frmAnalysis->frameGeometry() != frmAnalysis->geometry() ? marginsOf(*frmAnalysis) : marginsOf(*this);
    // Beside where this window is now, at the size it was meant to have, the
    // first time; afterwards where the user left it, while that is on the screen.
    frmAnalysis->setGeometry(WindowPlacement::Reshown(FAnalysisPlaced ? frmAnalysis->geometry() : QRect(),
        frameGeometry(), TAnalysisFrm::StartSize, margins, shown->availableGeometry()));
    FAnalysisPlaced = true;
}

void TfrmMain::mnuCoolingAnalysisClick()
{
    if (frmAnalysis == nullptr) {
        return;
    }
    if (!frmAnalysis->isVisible()) {
        PlaceAnalysisWindow();
    }
    frmAnalysis->show();
    frmAnalysis->raise();
    frmAnalysis->activateWindow();
}

void TfrmMain::mnuPdfReportClick()
{
    if (frmAnalysis != nullptr) {
        frmAnalysis->ExportReport();
    }
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

void TfrmMain::FormClose()
{
    // The analysis window borrows the texts released below.
    delete frmAnalysis;
    frmAnalysis = nullptr;
    FAnalysisPlaced = false;
    mnuCoolingAnalysis->setEnabled(false);
    mnuPdfReport->setEnabled(false);
    FLanguagesMgr.reset();
    FApplicationInfo.reset();
    // Like a posted quit message: the loop ends once it runs, also when the
    // close happens during start-up, before the loop has begun.
    FTerminated = true;
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
}
