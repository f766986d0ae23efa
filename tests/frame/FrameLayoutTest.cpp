#include "FrameTestSupport.h"

#include "ClickablePicture.h"

#include <QDateEdit>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QTimeEdit>

class FrameLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void placesEveryControlAsDrawn_data();
    void placesEveryControlAsDrawn();
    void tabsThroughTheControlsInOrder();
    void resolvesTheClassicFont();
    void labelsFitLeftOfTheirControls_data();
    void labelsFitLeftOfTheirControls();
    void captionsAreNotClipped_data();
    void captionsAreNotClipped();
};

void FrameLayoutTest::placesEveryControlAsDrawn_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");  // labels: width and height 0, only the corner counts
    const auto row = [](const char* name, const char* className, const char* parent, int left, int top, int width = 0,
                         int height = 0) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(className)
                            << QString::fromLatin1(parent) << QRect(left, top, width, height);
    };
    row("gbxNewLayer", "QGroupBox", "fraPICHourLT", 5, 2, 314, 97);
    row("lblNLThickness", "QLabel", "gbxNewLayer", 4, 18);
    row("lblNLInitTemp", "QLabel", "gbxNewLayer", 4, 44);
    row("lblNLPICTemp", "QLabel", "gbxNewLayer", 4, 70);
    row("edtNLThickness", "QLineEdit", "gbxNewLayer", 240, 16, 50, 21);
    row("edtNLInitTemp", "QLineEdit", "gbxNewLayer", 240, 42, 50, 21);
    row("edtNLPICTemp", "QLineEdit", "gbxNewLayer", 240, 68, 50, 21);
    row("udnNLThickness", "TUpDownSpinner", "gbxNewLayer", 290, 16, 17, 21);
    row("udnNLInitTemp", "TUpDownSpinner", "gbxNewLayer", 290, 42, 17, 21);
    row("udnNLPICTemp", "TUpDownSpinner", "gbxNewLayer", 290, 68, 17, 21);
    row("gbxWindSpeed", "QGroupBox", "fraPICHourLT", 330, 2, 165, 97);
    row("rbnWSFeeble", "QRadioButton", "gbxWindSpeed", 8, 24, 150, 17);
    row("rbnWSModerate", "QRadioButton", "gbxWindSpeed", 8, 48, 150, 17);
    row("rbnWSStrong", "QRadioButton", "gbxWindSpeed", 8, 72, 150, 17);
    row("gbxCloud", "QGroupBox", "fraPICHourLT", 330, 104, 165, 98);
    row("rbnCWispy", "QRadioButton", "gbxCloud", 8, 24, 150, 17);
    row("rbnCCover", "QRadioButton", "gbxCloud", 8, 48, 150, 17);
    row("rbnCHeavyCover", "QRadioButton", "gbxCloud", 8, 72, 150, 17);
    row("gbxPoseData", "QGroupBox", "fraPICHourLT", 5, 104, 314, 98);
    row("lblPDDate", "QLabel", "gbxPoseData", 4, 18);
    row("lblPDTime", "QLabel", "gbxPoseData", 4, 44);
    row("imgPDDate", "TClickablePicture", "gbxPoseData", 200, 18, 16, 16);
    row("imgPDTime", "TClickablePicture", "gbxPoseData", 200, 44, 16, 16);
    row("dtpPDDate", "QDateEdit", "gbxPoseData", 217, 16, 90, 21);
    row("dtpPDTime", "QTimeEdit", "gbxPoseData", 217, 42, 90, 21);
    row("gbxPDGMT", "QGroupBox", "gbxPoseData", 4, 64, 306, 30);
    row("rbnPDSummerHour", "QRadioButton", "gbxPDGMT", 4, 8, 141, 17);
    row("rbnPDWinterHour", "QRadioButton", "gbxPDGMT", 147, 8, 150, 17);
    row("gbxResults", "QGroupBox", "fraPICHourLT", 5, 207, 490, 90);
    row("btnCompute", "QPushButton", "gbxResults", 8, 24, 145, 25);
    row("lblRPICDate", "QLabel", "gbxResults", 176, 18);
    row("lblRPICTime", "QLabel", "gbxResults", 176, 44);
    row("edtRPICDate", "QLineEdit", "gbxResults", 410, 16, 70, 21);
    row("pbrRCompute", "QProgressBar", "gbxResults", 176, 68, 305, 17);
    row("edtRPICTime", "QLineEdit", "gbxResults", 410, 42, 70, 21);
}

void FrameLayoutTest::placesEveryControlAsDrawn()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);
    TFrameFixture fixture;
    QCOMPARE(fixture.Frame->size(), QSize(500, 301));
    auto* control = fixture.Frame->findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(QString::fromLatin1(control->metaObject()->className()), className);
    QCOMPARE(control->parentWidget()->objectName(), parent);
    if (geometry.width() == 0) {
        QCOMPARE(control->pos(), geometry.topLeft());
    } else {
        QCOMPARE(control->geometry(), geometry);
    }
}

void FrameLayoutTest::tabsThroughTheControlsInOrder()
{
    TFrameFixture fixture;
    TPICHourLTFra& frame = *fixture.Frame;
    const QStringList expected = {
        "edtNLThickness",
        "edtNLInitTemp",
        "edtNLPICTemp",
        "udnNLThickness",
        "udnNLInitTemp",
        "udnNLPICTemp",
        "rbnWSFeeble",
        "rbnWSStrong",
        "rbnWSModerate",
        "rbnCWispy",
        "rbnCCover",
        "rbnCHeavyCover",
        "dtpPDDate",
        "dtpPDTime",
        "rbnPDSummerHour",
        "rbnPDWinterHour",
        "btnCompute",
        "edtRPICDate",
        "edtRPICTime",
    };
    QStringList chain;
    QWidget* widget = frame.edtNLThickness;
    do {
        // Children that merely serve a control (a picker's inner line edit)
        // carry no name of ours.
        if ((widget->focusPolicy() & Qt::TabFocus) && expected.contains(widget->objectName())) {
            chain << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != frame.edtNLThickness && chain.size() <= expected.size());
    QCOMPARE(chain, expected);
}

void FrameLayoutTest::resolvesTheClassicFont()
{
    TFrameFixture fixture;
    const QFontInfo info(fixture.Frame->font());
    const QStringList families = {"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arial"};
    QVERIFY2(families.contains(info.family()), qPrintable(info.family()));
    QCOMPARE(qRound(info.pointSizeF()), 8);
    QCOMPARE(QFontInfo(fixture.Frame->lblNLPICTemp->font()).family(), info.family());
}

void FrameLayoutTest::labelsFitLeftOfTheirControls_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("French") << int{lgFR};
    QTest::newRow("Dutch") << int{lgNL};
}

// With the font actually resolved, each label ends before the control it
// labels begins, shows its whole text and stays inside its group box.
void FrameLayoutTest::labelsFitLeftOfTheirControls()
{
    QFETCH(int, language);
    TFrameFixture fixture("fr_BE", static_cast<TLanguage>(language));
    TPICHourLTFra& frame = *fixture.Frame;
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    const std::pair<QLabel*, QWidget*> pairs[] = {
        {frame.lblNLThickness, frame.edtNLThickness},
        {frame.lblNLInitTemp, frame.edtNLInitTemp},
        {frame.lblNLPICTemp, frame.edtNLPICTemp},
        {frame.lblPDDate, frame.imgPDDate},
        {frame.lblPDTime, frame.imgPDTime},
        {frame.lblRPICDate, frame.edtRPICDate},
        {frame.lblRPICTime, frame.edtRPICTime},
    };
    for (const auto& [label, control] : pairs) {
        const QString what = label->objectName() + QStringLiteral(": ") + label->text();
        const int textWidth = label->fontMetrics().horizontalAdvance(label->text());
        QVERIFY2(label->width() >= textWidth, qPrintable(what));
        QVERIFY2(label->height() >= label->fontMetrics().height(), qPrintable(what));
        QVERIFY2(label->geometry().right() < control->geometry().left(), qPrintable(what));
        QVERIFY2(label->x() + textWidth <= control->x(), qPrintable(what));
        QVERIFY2(label->geometry().bottom() < label->parentWidget()->height(), qPrintable(what));
    }
}

void FrameLayoutTest::captionsAreNotClipped_data()
{
    labelsFitLeftOfTheirControls_data();
}

void FrameLayoutTest::captionsAreNotClipped()
{
    QFETCH(int, language);
    TFrameFixture fixture("fr_BE", static_cast<TLanguage>(language));
    TPICHourLTFra& frame = *fixture.Frame;
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    for (QGroupBox* box : frame.findChildren<QGroupBox*>()) {
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        const QRect label = box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
        const int textWidth = box->fontMetrics().horizontalAdvance(box->title());
        QVERIFY2(label.width() >= textWidth, qPrintable(box->title()));
        QVERIFY2(label.left() >= 0 && label.right() < box->width(), qPrintable(box->title()));
    }
    for (QAbstractButton* button : frame.findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty()) {
            continue;  // the spinners' arrows
        }
        // The size hint covers the indicator, the text and the style's margins.
        QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->text()));
        QVERIFY2(button->fontMetrics().height() <= button->height(), qPrintable(button->text()));
        QVERIFY2(button->geometry().right() < button->parentWidget()->width(), qPrintable(button->text()));
    }
}

QTEST_MAIN(FrameLayoutTest)
#include "FrameLayoutTest.moc"
