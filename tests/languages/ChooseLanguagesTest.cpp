#include "ChooseLanguagesCtl.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

// Runs the chooser modally and hands it to answer() once it is on screen;
// a run still open after five seconds is ended with 0 so the test fails
// instead of hanging.
static TModalResult runAnswered(TfrmChooseLanguages& chooser, const std::function<void()>& answer)
{
    QTimer::singleShot(0, &chooser, [&chooser, answer] {
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        QCOMPARE(QApplication::activeModalWidget(), &chooser);
        answer();
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &chooser, [&chooser] { chooser.done(0); });
    watchdog.start(5000);
    return chooser.ShowModal();
}

class ChooseLanguagesTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheSameCaptionsInEitherLanguage_data();
    void showsTheSameCaptionsInEitherLanguage();
    void buttonClickSetsTheLanguageAndEndsWithOk_data();
    void buttonClickSetsTheLanguageAndEndsWithOk();
    void keyRightAfterShowingChoosesFrench_data();
    void keyRightAfterShowingChoosesFrench();
    void cannotBeEndedFromItsFrameOrWithEscape();
    void aRunEndedByTheToolkitCountsAsCancel();
    void showsTheProgramPictureWithWhiteTransparent();
};

void ChooseLanguagesTest::showsTheSameCaptionsInEitherLanguage_data()
{
    QTest::addColumn<TLanguage>("language");
    QTest::newRow("French") << lgFR;
    QTest::newRow("Dutch") << lgNL;
}

void ChooseLanguagesTest::showsTheSameCaptionsInEitherLanguage()
{
    QFETCH(TLanguage, language);
    TLanguagesMgrCls texts(lgFR);
    TfrmChooseLanguages chooser(nullptr);
    chooser.SetLanguagesMgr(texts);
    chooser.UpdateTexts(language);
    QCOMPARE(chooser.windowTitle(), QStringLiteral("Kelvara LE"));
    QCOMPARE(chooser.gbxLanguages->title(), QStringLiteral("Langue - Taal :"));
    QCOMPARE(chooser.bbtnFrench->text(), QStringLiteral("Français"));
    QCOMPARE(chooser.bbtnDutch->text(), QStringLiteral("Nederlands"));
    // Asking in another language does not change the current one.
    QCOMPARE(texts.Language, lgFR);
}

void ChooseLanguagesTest::buttonClickSetsTheLanguageAndEndsWithOk_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<TLanguage>("before");
    QTest::addColumn<TLanguage>("chosen");
    QTest::newRow("Dutch from French") << "bbtnDutch" << lgFR << lgNL;
    QTest::newRow("French from Dutch") << "bbtnFrench" << lgNL << lgFR;
}

void ChooseLanguagesTest::buttonClickSetsTheLanguageAndEndsWithOk()
{
    QFETCH(QString, button);
    QFETCH(TLanguage, before);
    QFETCH(TLanguage, chosen);
    TLanguagesMgrCls texts(before);
    TfrmChooseLanguages chooser(nullptr);
    chooser.SetLanguagesMgr(texts);
    chooser.UpdateTexts(lgFR);
    auto* target = chooser.findChild<QPushButton*>(button);
    QVERIFY(target != nullptr);
    const TModalResult result = runAnswered(chooser, [target] { QTest::mouseClick(target, Qt::LeftButton); });
    QCOMPARE(result, mrOk);
    QCOMPARE(texts.Language, chosen);
}

void ChooseLanguagesTest::keyRightAfterShowingChoosesFrench_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Enter") << Qt::Key_Return;
    QTest::newRow("Space") << Qt::Key_Space;
}

void ChooseLanguagesTest::keyRightAfterShowingChoosesFrench()
{
    QFETCH(Qt::Key, key);
    TLanguagesMgrCls texts(lgNL);
    TfrmChooseLanguages chooser(nullptr);
    chooser.SetLanguagesMgr(texts);
    chooser.UpdateTexts(lgFR);
    const TModalResult result = runAnswered(chooser, [&chooser, key] {
        QCOMPARE(chooser.focusWidget(), chooser.bbtnFrench);
        QTest::keyClick(chooser.focusWidget(), key);
    });
    QCOMPARE(result, mrOk);
    QCOMPARE(texts.Language, lgFR);
}

void ChooseLanguagesTest::cannotBeEndedFromItsFrameOrWithEscape()
{
    TLanguagesMgrCls texts(lgFR);
    TfrmChooseLanguages chooser(nullptr);
    chooser.SetLanguagesMgr(texts);
    chooser.UpdateTexts(lgFR);
    const Qt::WindowFlags flags = chooser.windowFlags();
    QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));

    bool stillOpen = false;
    const TModalResult result = runAnswered(chooser, [&] {
        QTest::keyClick(&chooser, Qt::Key_Escape);
        QTest::keyClick(chooser.bbtnDutch, Qt::Key_Escape);
        chooser.close();  // what the title bar's close and the window menu's Close do
        QCoreApplication::processEvents();
        stillOpen = chooser.isVisible() && QApplication::activeModalWidget() == &chooser;
        QTest::mouseClick(chooser.bbtnDutch, Qt::LeftButton);
    });
    QVERIFY(stillOpen);
    QCOMPARE(result, mrOk);
    QCOMPARE(texts.Language, lgNL);
}

void ChooseLanguagesTest::aRunEndedByTheToolkitCountsAsCancel()
{
    TLanguagesMgrCls texts(lgFR);
    TfrmChooseLanguages chooser(nullptr);
    chooser.SetLanguagesMgr(texts);
    chooser.UpdateTexts(lgFR);
    QCOMPARE(runAnswered(chooser, [&chooser] { chooser.done(QDialog::Rejected); }), mrCancel);
    QCOMPARE(texts.Language, lgFR);
}

void ChooseLanguagesTest::showsTheProgramPictureWithWhiteTransparent()
{
    TfrmChooseLanguages chooser(nullptr);
    QCOMPARE(chooser.imgLogo->geometry(), QRect(16, 24, 140, 140));
    const QImage picture = chooser.imgLogo->pixmap().toImage();
    QCOMPARE(picture.size(), QSize(140, 140));
    QCOMPARE(qAlpha(picture.pixel(0, 139)), 0);  // white, the transparent colour
    QCOMPARE(qAlpha(picture.pixel(70, 104)), 255);  // the black top layer of the road
    QCOMPARE(QColor(picture.pixel(70, 104)), QColor(Qt::black));
}

QTEST_MAIN(ChooseLanguagesTest)
#include "ChooseLanguagesTest.moc"
