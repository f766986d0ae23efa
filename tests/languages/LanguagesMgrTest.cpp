#include "LanguagesMgrCls.h"

#include <QTest>

#include <stdexcept>

class LanguagesMgrTest : public QObject {
    Q_OBJECT

private slots:
    void startsInFrench();
    void followsTheCurrentLanguage();
    void keepsTextsCharacterForCharacter_data();
    void keepsTextsCharacterForCharacter();
    void sharesTheBilingualTexts();
    void menuCaptionsCarryOneAccelerator();
    void suppliesEveryRoleInBothLanguages();
    void staysWithinTheWesternCodePage();
    void refusesIndexOutsideTheTables_data();
    void refusesIndexOutsideTheTables();
    void getTextForLeavesTheLanguageAlone();
};

void LanguagesMgrTest::startsInFrench()
{
    const TLanguagesMgrCls manager;
    QCOMPARE(manager.Language, lgFR);
    QString text;
    manager.GetText(4, text);
    QCOMPARE(text, QStringLiteral("&Quitter"));
}

void LanguagesMgrTest::followsTheCurrentLanguage()
{
    TLanguagesMgrCls manager;
    manager.Language = lgNL;
    QCOMPARE(manager.GetText(4), QStringLiteral("&Verlaten"));
    QCOMPARE(manager.GetText(0), QStringLiteral("NL"));
    QCOMPARE(manager.GetText(1), QStringLiteral("Nederlands"));
    manager.Language = lgFR;
    QCOMPARE(manager.GetText(0), QStringLiteral("FR"));
    QCOMPARE(manager.GetText(1), QString::fromUtf8("Français"));
    QCOMPARE(TLanguagesMgrCls(lgNL).Language, lgNL);
}

// The texts that carry blanks, quotes or characters beyond ASCII, and that
// other parts join into messages: a single wrong character shows.
void LanguagesMgrTest::keepsTextsCharacterForCharacter_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("french");
    QTest::addColumn<QString>("dutch");
    const auto row = [](const char* name, int index, const char* french, const char* dutch) {
        QTest::newRow(name) << index << QString::fromUtf8(french) << QString::fromUtf8(dutch);
    };
    row("menu with accented accelerator", 7, "Né&erlandais", "Ne&derlans");
    row("about menu ends in three dots", 9, "A &propos...", "&Info...");
    row("new layer group", 12, "Couche d'enrobé bitumineux nouvellement posée", "Pas aangebrachte asfaltlaag");
    row("thickness label", 13, "Epaisseur (cm) :", "Laagdikte (cm) :");
    row("laying temperature: blank before colon in French only", 14,
        "Température de pose (°C) :", "Aanbrengingstemperatuur (°C):");
    row("reopening temperature", 15,
        "Température de remise en circulation (°C) :", "Temperatuur wederopenstelling (°C):");
    row("moderate wind", 18, "Modérée", "Matige wind");
    row("empty summer/winter caption", 27, "", "");
    row("summer time", 29, "Heure d'été", "Zomertijd");
    row("field opening with quote", 33, "Le champ \"", "Het veld \"");
    row("not a real", 34, "\" doit être une valeur de type réel!", "\" moet een werkelijke waarde zijn!");
    row("august", 42, "Août", "Augustus");
    row("below minimum ends with blank", 47, "\" doit être supérieure ou égale à ",
        "\" moet groter zijn dan of gelijk aan ");
    row("above maximum ends with blank", 48, "\" doit être inférieure ou égale à ",
        "\" moet kleiner zijn dan of gelijk aan ");
    row("total thickness start", 49, "L'épaisseur totale de toutes les couches est ", "De totale laagdikte is ");
    row("total thickness limit", 50, "inférieure à la limite de ", "kleiner dan de grenswaarde ");
    row("unit starts with blank", 51, " cm !", " cm !");
    row("unstable materials", 52,
        "Les paramètres des matériaux qui ont été introduits ne permettent pas le calcul car ils s'écartent "
        "trop des propriétés classiques de l'asphalte.",
        "Geen berekening mogelijk : de toegevoerde materiaalparameters wijken te sterk af van de klassieke "
        "asfalteigenschappen.");
    row("minutes starts with blank", 54, " minutes.", " minuten.");
    row("reopening time label", 61, "Heure de remise en circulation :", "Uur wederopenstelling :");
    row("legal heading with right single quotes", 65,
        "Propriété intellectuelle - limitations de responsabilité - règles d’utilisation-responsabilité de "
        "l’utilisateur:",
        "Intellectuele eigendomsrechten - beperking van de aansprakelijkheid - regels voor het gebruik - "
        "verantwoordelijkheid van de gebruiker:");
}

void LanguagesMgrTest::keepsTextsCharacterForCharacter()
{
    QFETCH(int, index);
    QFETCH(QString, french);
    QFETCH(QString, dutch);
    const TLanguagesMgrCls manager;
    QCOMPARE(manager.GetTextFor(index, lgFR), french);
    QCOMPARE(manager.GetTextFor(index, lgNL), dutch);
}

void LanguagesMgrTest::sharesTheBilingualTexts()
{
    const TLanguagesMgrCls manager;
    for (const int index : {2, 11, 51, 60, 62, 63, 64}) {
        QCOMPARE(manager.GetTextFor(index, lgNL), manager.GetTextFor(index, lgFR));
    }
    QCOMPARE(manager.GetTextFor(62, lgFR), QStringLiteral("Langue - Taal :"));
    QCOMPARE(manager.GetTextFor(63, lgNL), QString::fromUtf8("Français"));
    QCOMPARE(manager.GetTextFor(2, lgNL), QStringLiteral("Kelvara LE"));
}

void LanguagesMgrTest::menuCaptionsCarryOneAccelerator()
{
    const TLanguagesMgrCls manager;
    for (const TLanguage language : {lgFR, lgNL}) {
        for (int index = 3; index <= 9; ++index) {
            const QString caption = manager.GetTextFor(index, language);
            QVERIFY2(caption.count(u'&') == 1, qPrintable(caption));
            QVERIFY2(!caption.endsWith(u'&'), qPrintable(caption));
        }
    }
}

void LanguagesMgrTest::suppliesEveryRoleInBothLanguages()
{
    const TLanguagesMgrCls manager;
    for (int index = 0; index < TLanguagesMgrCls::TextCount; ++index) {
        for (const TLanguage language : {lgFR, lgNL}) {
            QVERIFY2(index == 27 || !manager.GetTextFor(index, language).isEmpty(), qPrintable(QString::number(index)));
        }
    }
    // The implementer's rows are translated, not copied, except the shared
    // English credit line.
    for (const int index : {58, 59, 66, 67, 68, 69}) {
        QVERIFY(manager.GetTextFor(index, lgFR) != manager.GetTextFor(index, lgNL));
    }
    QVERIFY(manager.GetTextFor(58, lgFR).contains(QStringLiteral("2021")));
    QVERIFY(manager.GetTextFor(58, lgNL).contains(QStringLiteral("2021")));
    // The copyright and credit lines name this project's team, the credits
    // each after its role.
    for (const TLanguage language : {lgFR, lgNL}) {
        for (const int index : {58, 59, 60}) {
            const QString text = manager.GetTextFor(index, language);
            QVERIFY2(text.contains(QStringLiteral("Kelvara LE")), qPrintable(text));
            QVERIFY2(index == 58 || text.indexOf(u':') > 0, qPrintable(text));
        }
    }
}

// The tables must survive a single-byte Western European code page: Latin-1
// plus the few extra characters that code page has in 0x80..0x9F. The right
// single quotation mark belongs only to French text 65.
void LanguagesMgrTest::staysWithinTheWesternCodePage()
{
    const QString extras = QString::fromUtf8("€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ");
    const TLanguagesMgrCls manager;
    for (int index = 0; index < TLanguagesMgrCls::TextCount; ++index) {
        for (const TLanguage language : {lgFR, lgNL}) {
            const QString text = manager.GetTextFor(index, language);
            for (const QChar c : text) {
                const bool latin1
                    = c.unicode() >= 0x20 && c.unicode() <= 0xFF && !(c.unicode() >= 0x7F && c.unicode() <= 0x9F);
                QVERIFY2(latin1 || extras.contains(c),
                    qPrintable(QStringLiteral("text %1: U+%2").arg(index).arg(c.unicode(), 4, 16, QLatin1Char('0'))));
            }
            const int quotes = static_cast<int>(text.count(QChar(0x2019)));
            QCOMPARE(quotes, index == 65 && language == lgFR ? 2 : 0);
        }
    }
}

void LanguagesMgrTest::refusesIndexOutsideTheTables_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("just above the last") << 70;
    QTest::newRow("just below the first") << -1;
    QTest::newRow("far above") << 2147483647;
    QTest::newRow("far below") << (-2147483647 - 1);
}

void LanguagesMgrTest::refusesIndexOutsideTheTables()
{
    QFETCH(int, index);
    TLanguagesMgrCls manager;
    for (const TLanguage language : {lgFR, lgNL}) {
        manager.Language = language;
        QString text = QStringLiteral("left over");
        try {
            manager.GetText(index, text);
            QFAIL("no exception");
        } catch (const std::out_of_range& error) {
            QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("Array index is invalid!"));
        }
        QVERIFY(text.isEmpty());
        QCOMPARE(manager.Language, language);
    }
    // Both ends of the range are valid.
    QVERIFY(!manager.GetText(69).isEmpty());
    QCOMPARE(manager.GetText(0), QStringLiteral("NL"));
}

void LanguagesMgrTest::getTextForLeavesTheLanguageAlone()
{
    const TLanguagesMgrCls manager;
    QString text;
    manager.GetTextFor(62, lgNL, text);
    QCOMPARE(text, QStringLiteral("Langue - Taal :"));
    QCOMPARE(manager.Language, lgFR);
    QCOMPARE(manager.GetTextFor(32, lgNL), QStringLiteral("Berekening"));
    QCOMPARE(manager.GetText(32), QStringLiteral("Calcul"));
    // A language value outside the enumeration reads past no table.
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, manager.GetTextFor(0, static_cast<TLanguage>(7)));
}

QTEST_APPLESS_MAIN(LanguagesMgrTest)
#include "LanguagesMgrTest.moc"
