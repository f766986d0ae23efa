#include "AboutBoxCtl.h"
#include "ApplicationCls.h"
#include "ChooseLanguagesCtl.h"
#include "Clock.h"
#include "GraphicalSession.h"
#include "KelvaraApplication.h"
#include "MainCtl.h"
#include "MessagePresenter.h"
#include "PICHourLTCtl.h"
#include "WindowPlacement.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>

#include <functional>
#include <stdexcept>

namespace {

// Records every box instead of showing it.
class TRecordingPresenter final : public TMessagePresenter {
public:
    void ShowWarning(QWidget*, const QString& text) override { Warnings << text; }
    void ShowError(QWidget*, const QString& title, const QString& text) override
    {
        Errors << title + QStringLiteral(": ") + text;
    }
    void Clear()
    {
        Warnings.clear();
        Errors.clear();
    }

    QStringList Warnings;
    QStringList Errors;
};

class TFixedClock final : public TClock {
public:
    QDateTime Now() const override { return QDateTime(QDate(2021, 8, 23), QTime(14, 35, 12)); }
};

TRecordingPresenter presenter;
const TFixedClock fixedClock;

// Arms an answer for the next modal dialog of type T; a dialog still open
// after five seconds is ended so that the test fails instead of hanging.
template<typename T> void answerNextModal(const std::function<void(T&)>& answer)
{
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        QVERIFY2(dialog != nullptr, "the expected dialog is not on screen");
        QTimer::singleShot(5000, dialog, [dialog] { dialog->done(0); });
        answer(*dialog);
    });
}

// What the user sees of the window's language.
struct TWindowTexts {
    QString Caption, File, Quit, Language, French, Dutch, Help, About, Panel0, Panel1, Panel2, NewLayer;
    bool FrenchChecked, DutchChecked;

    static TWindowTexts Of(const TfrmMain& w)
    {
        return {w.windowTitle(), w.mnuFile->title(), w.mnuQuit->text(), w.mnuLanguageType->title(),
            w.mnuLanguageFR->text(), w.mnuLanguageNL->text(), w.mnuHelp->title(), w.mnuAbout->text(),
            w.sbrMainPanels[0]->text(), w.sbrMainPanels[1]->text(), w.sbrMainPanels[2]->text(),
            w.fraPICHourLT->gbxNewLayer->title(), w.mnuLanguageFR->isChecked(), w.mnuLanguageNL->isChecked()};
    }
};

void verifyLanguage(const TfrmMain& w, TLanguage language)
{
    const TLanguagesMgrCls table;
    auto text = [&](int index) { return table.GetTextFor(index, language); };
    const TWindowTexts seen = TWindowTexts::Of(w);
    QCOMPARE(seen.Caption, QStringLiteral("Kelvara LE"));
    QCOMPARE(seen.File, text(3));
    QCOMPARE(seen.Quit, text(4));
    QCOMPARE(seen.Language, text(5));
    QCOMPARE(seen.French, text(6));
    QCOMPARE(seen.Dutch, text(7));
    QCOMPARE(seen.Help, text(8));
    QCOMPARE(seen.About, text(9));
    QCOMPARE(seen.Panel0, language == lgFR ? QStringLiteral("Version 1.1.1.0") : QStringLiteral("Versie 1.1.1.0"));
    QCOMPARE(seen.Panel1, QStringLiteral("23.08.2021"));
    QCOMPARE(seen.Panel2, QString());
    QCOMPARE(seen.NewLayer, text(12));
    QCOMPARE(seen.FrenchChecked, language == lgFR);
    QCOMPARE(seen.DutchChecked, language == lgNL);
    QCOMPARE(w.LanguagesMgr()->Language, language);
}

TModalResult chooseFrench(QWidget&, TLanguagesMgrCls& texts)
{
    texts.Language = lgFR;
    return mrOk;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void startupFailureShowsTheFatalMessageOnceAndEnds();
    void startsWithTheChooserThenTheWindowInTheChosenLanguage_data();
    void startsWithTheChooserThenTheWindowInTheChosenLanguage();
    void languageSwitchChangesOnlyCaptions();
    void aboutBoxOpensInTheCurrentLanguageAndIsDestroyed();
    void exceptionFromAMenuActionIsShownAndTheProgramGoesOn();
    void quitAndCloseButtonReleaseOwnedObjectsOnce_data();
    void quitAndCloseButtonReleaseOwnedObjectsOnce();
    void resizingKeepsTheFrameTopLeftAndTheStatusBarAtTheBottom();
    void toolkitTextsAreFrenchAndTitleIsSet();
    void toolkitTextsFollowEveryLanguageChange();
    void secondWindowGoesBesideInsideTheScreen_data();
    void secondWindowGoesBesideInsideTheScreen();
    void framedWindowStaysInsideTheScreen_data();
    void framedWindowStaysInsideTheScreen();
    void builtProgramCarriesTheProjectVersion();
    void needsADisplayOrAChosenPlatform_data();
    void needsADisplayOrAChosenPlatform();
};

void MainWindowTest::init()
{
    presenter.Clear();
    QLocale::setDefault(QLocale(QStringLiteral("fr_BE")));
    // Quit requests of earlier tests are dropped here, outside any loop.
    QCoreApplication::processEvents();
}

void MainWindowTest::startupFailureShowsTheFatalMessageOnceAndEnds()
{
    auto failing = [](QWidget&, TLanguagesMgrCls&) -> TModalResult {
        throw std::runtime_error("the chooser could not be created");
    };
    TfrmMain w(presenter, failing, &fixedClock);
    QCOMPARE(presenter.Errors, QStringList{QStringLiteral("Erreur: Fatal error! The application is stopped!")});
    QVERIFY(w.Terminated());
    QVERIFY(w.LanguagesMgr() == nullptr);
    QVERIFY(w.ApplicationInfo() == nullptr);
    QVERIFY(!w.isVisible());
    // The loop ends by itself, without further input.
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QCOMPARE(presenter.Errors.size(), 1);
}

void MainWindowTest::startsWithTheChooserThenTheWindowInTheChosenLanguage_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<TLanguage>("language");
    QTest::newRow("French clicked") << "bbtnFrench" << lgFR;
    QTest::newRow("Dutch clicked") << "bbtnDutch" << lgNL;
    QTest::newRow("chooser cancelled") << "" << lgFR;
}

void MainWindowTest::startsWithTheChooserThenTheWindowInTheChosenLanguage()
{
    QFETCH(QString, answer);
    QFETCH(TLanguage, language);
    bool asked = false;
    answerNextModal<TfrmChooseLanguages>([&](TfrmChooseLanguages& chooser) {
        asked = true;
        // The chooser is alone on screen, in French, with French focused.
        for (QWidget* top : QApplication::topLevelWidgets()) {
            QVERIFY(top == &chooser || !top->isVisible());
        }
        QCOMPARE(chooser.bbtnFrench->text(), QStringLiteral("Français"));
        QCOMPARE(chooser.focusWidget(), chooser.bbtnFrench);
        if (answer.isEmpty()) {
            chooser.done(QDialog::Rejected);
        } else {
            QTest::mouseClick(chooser.findChild<QPushButton*>(answer), Qt::LeftButton);
        }
    });
    TfrmMain w(presenter, TfrmMain::RunLanguageChooser, &fixedClock);
    QVERIFY(asked);
    QVERIFY(w.findChildren<TfrmChooseLanguages*>().isEmpty());
    QVERIFY(!w.isVisible());
    verifyLanguage(w, language);

    // Start values, before the window is first shown.
    const TPICHourLTFra& frame = *w.fraPICHourLT;
    QCOMPARE(frame.edtNLThickness->text(), QStringLiteral("5,0"));
    QCOMPARE(frame.edtNLInitTemp->text(), QStringLiteral("170,0"));
    QCOMPARE(frame.edtNLPICTemp->text(), QStringLiteral("30,0"));
    QCOMPARE(frame.dtpPDDate->date(), QDate(2021, 8, 23));
    QCOMPARE(frame.dtpPDTime->time(), QTime(14, 35, 12));
    QVERIFY(frame.rbnWSFeeble->isChecked());
    QVERIFY(frame.rbnCWispy->isChecked());

    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.sbrMainPanels[0]->width(), 100);
    QCOMPARE(w.sbrMainPanels[1]->width(), 70);
    QCOMPARE(w.sbrMainPanels[2]->width(), 50);
    QVERIFY(presenter.Errors.isEmpty());
    QVERIFY(presenter.Warnings.isEmpty());
    w.close();
}

void MainWindowTest::languageSwitchChangesOnlyCaptions()
{
    TfrmMain w(presenter, chooseFrench, &fixedClock);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    TPICHourLTFra& frame = *w.fraPICHourLT;
    frame.edtNLThickness->selectAll();
    QTest::keyClicks(frame.edtNLThickness, QStringLiteral("6,5"));
    QTest::mouseClick(frame.rbnWSModerate, Qt::LeftButton);
    QTest::mouseClick(frame.btnCompute, Qt::LeftButton);
    QVERIFY(presenter.Warnings.isEmpty());
    QVERIFY(!frame.edtRPICDate->text().isEmpty());
    QVERIFY(!frame.edtRPICTime->text().isEmpty());

    auto values = [&frame] {
        return QStringList{frame.edtNLThickness->text(), frame.edtNLInitTemp->text(), frame.edtNLPICTemp->text(),
            frame.dtpPDDate->date().toString(Qt::ISODate), frame.dtpPDTime->time().toString(),
            frame.rbnWSModerate->isChecked() ? "moderate" : "?", frame.edtRPICDate->text(), frame.edtRPICTime->text()};
    };
    const QStringList before = values();
    w.mnuLanguageNL->trigger();
    verifyLanguage(w, lgNL);
    QCOMPARE(values(), before);
    // The language that is already current: the same texts again.
    w.mnuLanguageNL->trigger();
    verifyLanguage(w, lgNL);
    w.mnuLanguageFR->trigger();
    verifyLanguage(w, lgFR);
    QCOMPARE(values(), before);
    QVERIFY(presenter.Errors.isEmpty());
    w.close();
}

void MainWindowTest::aboutBoxOpensInTheCurrentLanguageAndIsDestroyed()
{
    TfrmMain w(presenter, chooseFrench, &fixedClock);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.mnuLanguageNL->trigger();
    QString caption, version;
    answerNextModal<TAboutBoxFrm>([&](TAboutBoxFrm& box) {
        caption = box.windowTitle();
        version = box.lblVersion->text();
        QCOMPARE(box.parentWidget(), &w);
        QTest::keyClick(&box, Qt::Key_Return);
    });
    w.mnuAbout->trigger();
    QCOMPARE(caption, QStringLiteral("Info"));
    QCOMPARE(version, QStringLiteral("Versie 1.1.1.0"));
    QVERIFY(w.findChildren<TAboutBoxFrm*>().isEmpty());
    w.close();
}

void MainWindowTest::exceptionFromAMenuActionIsShownAndTheProgramGoesOn()
{
    TfrmMain w(presenter, chooseFrench, &fixedClock);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QAction* failing = w.mnuHelp->addAction(QStringLiteral("failing"));
    connect(failing, &QAction::triggered, &w, [] { throw std::runtime_error("TPICHourCls/9"); });
    // Delivered as an event, like a click, so that it passes the application object.
    QMetaObject::invokeMethod(failing, &QAction::trigger, Qt::QueuedConnection);
    QTRY_COMPARE(presenter.Errors, QStringList{QStringLiteral("Kelvara LE: TPICHourCls/9")});

    QVERIFY(w.isVisible());
    QVERIFY(!w.Terminated());
    QMetaObject::invokeMethod(w.mnuLanguageNL, &QAction::trigger, Qt::QueuedConnection);
    QTRY_VERIFY(w.mnuLanguageNL->isChecked());
    verifyLanguage(w, lgNL);
    QCOMPARE(presenter.Errors.size(), 1);
    w.close();
}

void MainWindowTest::quitAndCloseButtonReleaseOwnedObjectsOnce_data()
{
    QTest::addColumn<bool>("throughMenu");
    QTest::newRow("menu Quit") << true;
    QTest::newRow("window close button") << false;
}

void MainWindowTest::quitAndCloseButtonReleaseOwnedObjectsOnce()
{
    QFETCH(bool, throughMenu);
    TfrmMain w(presenter, chooseFrench, &fixedClock);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.LanguagesMgr() != nullptr);
    if (throughMenu) {
        w.mnuQuit->trigger();
    } else {
        w.close();
    }
    QVERIFY(!w.isVisible());
    QVERIFY(w.Terminated());
    QVERIFY(w.LanguagesMgr() == nullptr);
    QVERIFY(w.ApplicationInfo() == nullptr);
    // A second close and a late menu action find nothing left to release or use.
    w.close();
    w.mnuLanguageNL->trigger();
    w.mnuAbout->trigger();
    QVERIFY(w.LanguagesMgr() == nullptr);
    QVERIFY(presenter.Errors.isEmpty());
}

void MainWindowTest::resizingKeepsTheFrameTopLeftAndTheStatusBarAtTheBottom()
{
    TfrmMain w(presenter, chooseFrench, &fixedClock);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.centralWidget()->width(), 504);
    QCOMPARE(w.centralWidget()->height() + w.sbrMain->height(), 323);
    for (const QSize size : {QSize(800, 600), QSize(300, 200)}) {
        w.resize(size);
        const QSize shown = size.expandedTo(w.minimumSizeHint());
        QTRY_COMPARE(w.size(), shown);
        QCOMPARE(w.fraPICHourLT->geometry(), QRect(0, 0, 500, 301));
        QCOMPARE(w.sbrMain->geometry(), QRect(0, shown.height() - 19, shown.width(), 19));
        // Never shrunk over the frame: Calcul and the results stay in view.
        QVERIFY(w.centralWidget()->width() >= 500 && w.centralWidget()->height() >= 301);
    }
    w.close();
}

void MainWindowTest::toolkitTextsAreFrenchAndTitleIsSet()
{
    auto* application = qobject_cast<TKelvaraApplication*>(QCoreApplication::instance());
    QVERIFY(application != nullptr);
    QVERIFY(application->HasToolkitTranslation());
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annuler"));
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Kelvara LE"));
}

void MainWindowTest::toolkitTextsFollowEveryLanguageChange()
{
    TfrmMain w(presenter, chooseFrench, &fixedClock);
    const auto cancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
    QCOMPARE(cancel(), QStringLiteral("Annuler"));
    w.mnuLanguageNLClick();
    QCOMPARE(cancel(), QStringLiteral("Annuleren"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Save"), QStringLiteral("Opslaan"));
    w.mnuLanguageFRClick();
    QCOMPARE(cancel(), QStringLiteral("Annuler"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Save"), QStringLiteral("Enregistrer"));
}

void MainWindowTest::secondWindowGoesBesideInsideTheScreen_data()
{
    QTest::addColumn<QRect>("owner");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("placed");
    const QRect screen(0, 0, 1920, 1080);
    QTest::newRow("right has room") << QRect(100, 200, 500, 350) << QSize(980, 680) << QPoint(600, 200);
    QTest::newRow("only left has room") << QRect(1300, 100, 500, 350) << QSize(980, 680) << QPoint(320, 100);
    QTest::newRow("neither: at the right edge") << QRect(700, 100, 500, 350) << QSize(980, 680) << QPoint(940, 100);
    QTest::newRow("kept above the bottom") << QRect(0, 900, 500, 150) << QSize(980, 680) << QPoint(500, 400);
    QTest::newRow("larger than the screen") << QRect(0, 0, 500, 350) << QSize(2500, 1500) << QPoint(0, 0);
}

void MainWindowTest::secondWindowGoesBesideInsideTheScreen()
{
    QFETCH(QRect, owner);
    QFETCH(QSize, size);
    QFETCH(QPoint, placed);
    QCOMPARE(WindowPlacement::Beside(owner, size, QRect(0, 0, 1920, 1080)), placed);
}

void MainWindowTest::framedWindowStaysInsideTheScreen_data()
{
    QTest::addColumn<QRect>("owner");
    QTest::addColumn<QSize>("wanted");
    QTest::addColumn<QRect>("kept");  // where it was when hidden; null: never shown
    QTest::addColumn<QRect>("placed");  // the window's own geometry, its frame 1 px wide under a 20 px title
    const QRect centred(388, 329, 506, 363);
    QTest::newRow("centred owner on a 1000 px screen")
        << centred << QSize(980, 680) << QRect() << QRect(299, 319, 980, 680);
    QTest::newRow("owner high up, room on the right")
        << QRect(0, 0, 260, 363) << QSize(980, 680) << QRect() << QRect(261, 20, 980, 680);
    QTest::newRow("larger than the screen")
        << QRect(100, 630, 506, 363) << QSize(1400, 1100) << QRect() << QRect(1, 20, 1278, 979);
    QTest::newRow("moved by the user, inside the screen: kept")
        << centred << QSize(980, 680) << QRect(40, 60, 700, 500) << QRect(40, 60, 700, 500);
    QTest::newRow("kept with its frame touching the edges: kept")
        << centred << QSize(980, 680) << QRect(1, 20, 1278, 979) << QRect(1, 20, 1278, 979);
    QTest::newRow("kept partly below the screen: beside again, its size kept")
        << centred << QSize(980, 680) << QRect(200, 500, 700, 600) << QRect(579, 349, 700, 600);
    QTest::newRow("kept title bar above the screen: beside again")
        << centred << QSize(980, 680) << QRect(100, 10, 700, 500) << QRect(579, 349, 700, 500);
}

void MainWindowTest::framedWindowStaysInsideTheScreen()
{
    QFETCH(QRect, owner);
    QFETCH(QSize, wanted);
    QFETCH(QRect, kept);
    QFETCH(QRect, placed);
    const QRect screen(0, 0, 1280, 1000);
    const QMargins frame(1, 20, 1, 1);
    const QRect window = WindowPlacement::Reshown(kept, owner, wanted, frame, screen);
    QCOMPARE(window, placed);
    QVERIFY(screen.contains(window.marginsAdded(frame)));
    if (kept.isNull()) {
        QCOMPARE(window, WindowPlacement::BesideWithFrame(owner, wanted, frame, screen));
    }
}

void MainWindowTest::builtProgramCarriesTheProjectVersion()
{
    QCOMPARE(TApplicationCls::FileVersionOf(KELVARA_PROGRAM_FILE), std::string("1.1.1.0"));
}

void MainWindowTest::needsADisplayOrAChosenPlatform_data()
{
    QTest::addColumn<QByteArray>("display");  // "-": unset
    QTest::addColumn<QByteArray>("wayland");
    QTest::addColumn<QByteArray>("platform");
    QTest::addColumn<bool>("available");
    QTest::newRow("nothing set") << QByteArray("-") << QByteArray("-") << QByteArray("-") << false;
    QTest::newRow("all empty") << QByteArray() << QByteArray() << QByteArray() << false;
    QTest::newRow("X display") << QByteArray(":0") << QByteArray("-") << QByteArray("-") << true;
    QTest::newRow("Wayland display") << QByteArray("-") << QByteArray("wayland-0") << QByteArray("-") << true;
    QTest::newRow("platform chosen") << QByteArray("-") << QByteArray("-") << QByteArray("offscreen") << true;
}

void MainWindowTest::needsADisplayOrAChosenPlatform()
{
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, wayland);
    QFETCH(QByteArray, platform);
    QFETCH(bool, available);
    const auto value = [](const QByteArray& text) { return text == "-" ? nullptr : text.constData(); };
    QCOMPARE(GraphicalSession::Available(value(display), value(wayland), value(platform)), available);
}

int main(int argc, char* argv[])
{
    TKelvaraApplication application(argc, argv, presenter);
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MainWindowTest.moc"
