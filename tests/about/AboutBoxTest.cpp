#include "AboutBoxCtl.h"
#include "ApplicationCls.h"
#include "LanguagesMgrCls.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

class AboutBoxTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheTextsOfTheCurrentLanguage_data();
    void showsTheTextsOfTheCurrentLanguage();
    void memoHoldsFourParagraphsSeparatedByEmptyLines();
    void followsALanguageSwitchWhenOpenedAgain();
    void enterPressesOkAndEndsWithOk();
    void picturesWhiteIsTransparent();
    void textsStayInsideTheirArea_data();
    void textsStayInsideTheirArea();
    void refusesToFillTextsWithoutReferences();
    void creditsCarriageReturnDrawsNothing();
};

void AboutBoxTest::showsTheTextsOfTheCurrentLanguage_data()
{
    QTest::addColumn<TLanguage>("language");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("version");
    QTest::newRow("French") << lgFR << "A propos"
                            << "Produit : Kelvara LE"
                            << "Version 1.1.1.0";
    QTest::newRow("Dutch") << lgNL << "Info"
                           << "Product : Kelvara LE"
                           << "Versie 1.1.1.0";
}

void AboutBoxTest::showsTheTextsOfTheCurrentLanguage()
{
    QFETCH(TLanguage, language);
    QFETCH(QString, caption);
    QFETCH(QString, product);
    QFETCH(QString, version);
    TLanguagesMgrCls texts(language);
    const TApplicationCls info;
    TAboutBoxFrm box(nullptr);
    box.SetReferences(texts, info);
    box.UpdateTexts();

    QCOMPARE(box.windowTitle(), caption);
    QCOMPARE(box.lblProductName->text(), product);
    // The test program carries the build's version record.
    QCOMPARE(box.lblVersion->text(), version);
    QCOMPARE(box.lblCopyright->text(), texts.GetText(58));
    QVERIFY(!box.lblCopyright->text().isEmpty());
    // Line feed, then carriage return: the order the box has always used.
    QCOMPARE(box.lblComments->text(), texts.GetText(59) + QStringLiteral("\n\r") + texts.GetText(60));
    QCOMPARE(box.lblLegalPolicies->text(), texts.GetText(65));
    QVERIFY(box.lblLegalPolicies->font().bold());
    QCOMPARE(box.btnOk->text(), QStringLiteral("OK"));
    QVERIFY(box.btnOk->isDefault());
}

void AboutBoxTest::memoHoldsFourParagraphsSeparatedByEmptyLines()
{
    TLanguagesMgrCls texts(lgNL);
    const TApplicationCls info;
    TAboutBoxFrm box(nullptr);
    box.SetReferences(texts, info);
    box.UpdateTexts();

    const QTextDocument* memo = box.memLegalPolicies->document();
    QCOMPARE(memo->blockCount(), 7);
    const QStringList expected{
        texts.GetText(66), QString(), texts.GetText(67), QString(), texts.GetText(68), QString(), texts.GetText(69)};
    for (int line = 0; line < 7; ++line) {
        QCOMPARE(memo->findBlockByNumber(line).text(), expected[line]);
    }
    QVERIFY(box.memLegalPolicies->isReadOnly());
}

void AboutBoxTest::followsALanguageSwitchWhenOpenedAgain()
{
    TLanguagesMgrCls texts;
    const TApplicationCls info;
    {
        TAboutBoxFrm box(nullptr);
        box.SetReferences(texts, info);
        box.UpdateTexts();
        QCOMPARE(box.windowTitle(), QStringLiteral("A propos"));
    }
    texts.Language = lgNL;
    TAboutBoxFrm box(nullptr);
    box.SetReferences(texts, info);
    box.UpdateTexts();
    QCOMPARE(box.windowTitle(), QStringLiteral("Info"));
    QCOMPARE(box.memLegalPolicies->document()->firstBlock().text(), texts.GetTextFor(66, lgNL));
    QVERIFY(box.memLegalPolicies->document()->firstBlock().text() != texts.GetTextFor(66, lgFR));
}

void AboutBoxTest::enterPressesOkAndEndsWithOk()
{
    TLanguagesMgrCls texts;
    const TApplicationCls info;
    TAboutBoxFrm box(nullptr);
    box.SetReferences(texts, info);
    box.UpdateTexts();
    bool pressed = false;
    QTimer::singleShot(0, &box, [&] {
        // The memo has no part in Enter: the default button takes it from anywhere.
        box.memLegalPolicies->setFocus();
        QTest::keyClick(&box, Qt::Key_Return);
        pressed = true;
    });
    QTimer::singleShot(5000, &box, [&] { box.done(0); });
    QCOMPARE(box.ShowModal(), mrOk);
    QVERIFY(pressed);
}

void AboutBoxTest::picturesWhiteIsTransparent()
{
    TAboutBoxFrm box(nullptr);
    const QImage picture = box.imgProgram->pixmap().toImage();
    QCOMPARE(picture.size(), QSize(80, 80));
    QCOMPARE(qAlpha(picture.pixel(0, 79)), 0);
    QCOMPARE(qAlpha(picture.pixel(68, 73)), 255);  // the road's bottom layer
}

void AboutBoxTest::textsStayInsideTheirArea_data()
{
    QTest::addColumn<TLanguage>("language");
    QTest::newRow("French") << lgFR;
    QTest::newRow("Dutch") << lgNL;
}

void AboutBoxTest::textsStayInsideTheirArea()
{
    QFETCH(TLanguage, language);
    TLanguagesMgrCls texts(language);
    const TApplicationCls info;
    TAboutBoxFrm box(nullptr);
    box.SetReferences(texts, info);
    box.UpdateTexts();
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    // The copyright line is sized to its text and must stay inside the
    // panel; the credits wrap inside their fixed box.
    for (QLabel* label : {box.lblProductName, box.lblVersion, box.lblCopyright, box.lblComments}) {
        const QString name = label->objectName();
        QVERIFY2(box.pnlAbout->contentsRect().contains(label->geometry()),
            qPrintable(name + QStringLiteral(": %1 px wide").arg(label->width())));
        if (label->wordWrap()) {
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                qPrintable(name + QStringLiteral(": needs %1 px high").arg(label->heightForWidth(label->width()))));
        } else {
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(), qPrintable(name));
        }
    }
    const QLabel* heading = box.lblLegalPolicies;
    QVERIFY(heading->heightForWidth(heading->width()) <= heading->height());
}

void AboutBoxTest::refusesToFillTextsWithoutReferences()
{
    TAboutBoxFrm box(nullptr);
    QVERIFY_THROWS_EXCEPTION(std::logic_error, box.UpdateTexts());
}

void AboutBoxTest::creditsCarriageReturnDrawsNothing()
{
    TLanguagesMgrCls texts(lgFR);
    const TApplicationCls info;
    TAboutBoxFrm box(nullptr);
    box.SetReferences(texts, info);
    box.UpdateTexts();
    // The same lines joined by a line feed alone, drawn in the same place.
    auto* reference = new QLabel(texts.GetText(59) + QLatin1Char('\n') + texts.GetText(60), box.pnlAbout);
    reference->setGeometry(box.lblComments->geometry());
    reference->setWordWrap(true);
    reference->setAlignment(box.lblComments->alignment());
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QCOMPARE(box.lblComments->grab().toImage(), reference->grab().toImage());
}

QTEST_MAIN(AboutBoxTest)
#include "AboutBoxTest.moc"
