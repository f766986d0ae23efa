#include "FrameTestSupport.h"

#include "ClickablePicture.h"
#include "UpDownSpinner.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>

namespace {

void typeInto(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void emptyField(QLineEdit* edit)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
}

// On the caption, where a radio button takes clicks.
void clickButton(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

bool wholeTextSelected(const QLineEdit* edit)
{
    // An empty text has nothing to select.
    return edit->text().isEmpty() || (edit->selectionStart() == 0 && edit->selectedText() == edit->text());
}

QString utf8(const char* text)
{
    return QString::fromUtf8(text);
}

}  // namespace

class FrameInputsTest : public QObject {
    Q_OBJECT

private slots:
    void captionsFollowTheLanguage_data();
    void captionsFollowTheLanguage();
    void startsWithTheEngineDefaults_data();
    void startsWithTheEngineDefaults();
    void spinnersStepFromTheShownValue_data();
    void spinnersStepFromTheShownValue();
    void refusesWhileTyping_data();
    void refusesWhileTyping();
    void refusesOnlyAtComputeTime_data();
    void refusesOnlyAtComputeTime();
    void acceptsEitherSeparator_data();
    void acceptsEitherSeparator();
    void survivesHostileText_data();
    void survivesHostileText();
    void correctionThatIsRefusedDoesNotLoop();
    void unsetLimitsDisableTheSpinner();
    void summerTimeFollowsTheLayingDate_data();
    void summerTimeFollowsTheLayingDate();
    void timeChangeReadsTheDatePicker();
    void picturesResetThePickersToNow();
    void classesAreWrittenIntoTheEngine();
};

void FrameInputsTest::captionsFollowTheLanguage_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("French") << int{lgFR};
    QTest::newRow("Dutch") << int{lgNL};
}

void FrameInputsTest::captionsFollowTheLanguage()
{
    QFETCH(int, language);
    TFrameFixture fixture("fr_BE", lgFR);
    TPICHourLTFra& frame = *fixture.Frame;
    typeInto(frame.edtNLThickness, QStringLiteral("6"));
    fixture.Texts.Language = static_cast<TLanguage>(language);
    frame.UpdateTexts();

    const TLanguagesMgrCls& texts = fixture.Texts;
    const std::pair<const char*, int> captions[] = {
        {"gbxNewLayer", 12},
        {"lblNLThickness", 13},
        {"lblNLInitTemp", 14},
        {"lblNLPICTemp", 15},
        {"gbxWindSpeed", 16},
        {"rbnWSFeeble", 17},
        {"rbnWSModerate", 18},
        {"rbnWSStrong", 19},
        {"gbxCloud", 20},
        {"rbnCWispy", 21},
        {"rbnCCover", 22},
        {"rbnCHeavyCover", 23},
        {"gbxPoseData", 24},
        {"lblPDDate", 25},
        {"lblPDTime", 26},
        {"gbxPDGMT", 27},
        {"lblRPICDate", 28},
        {"lblRPICTime", 61},
        {"rbnPDSummerHour", 29},
        {"rbnPDWinterHour", 30},
        {"gbxResults", 31},
        {"btnCompute", 32},
    };
    for (const auto& [name, index] : captions) {
        QWidget* control = frame.findChild<QWidget*>(QString::fromLatin1(name));
        QVERIFY2(control != nullptr, name);
        QString shown;
        if (auto* box = qobject_cast<QGroupBox*>(control)) {
            shown = box->title();
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            shown = label->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            shown = button->text();
        }
        QCOMPARE(shown, texts.GetText(index));
    }
    QCOMPARE(frame.windowTitle(), QStringLiteral("PICHourLT"));
    // A language change keeps the values.
    QCOMPARE(frame.edtNLThickness->text(), QStringLiteral("6"));
    QVERIFY(frame.rbnWSFeeble->isChecked());
    // Labels quoted in later messages follow the language too.
    typeInto(frame.edtNLThickness, QStringLiteral("9"));
    QCOMPARE(fixture.Presenter.Warnings.size(), 1);
    QVERIFY(fixture.Presenter.Warnings.front().startsWith(texts.GetText(33) + texts.GetText(13) + u'"'));
}

void FrameInputsTest::startsWithTheEngineDefaults_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("fr_BE: comma") << QStringLiteral(
        "fr_BE") << QStringList{QStringLiteral("5,0"), QStringLiteral("170,0"), QStringLiteral("30,0")};
    QTest::newRow("en_US: point") << QStringLiteral(
        "en_US") << QStringList{QStringLiteral("5.0"), QStringLiteral("170.0"), QStringLiteral("30.0")};
    // Arabic-Indic digits and U+066B in the locale: Latin digits and a point,
    // which the fields accept.
    QTest::newRow("ar_EG: own digits and separator") << QStringLiteral(
        "ar_EG") << QStringList{QStringLiteral("5.0"), QStringLiteral("170.0"), QStringLiteral("30.0")};
}

void FrameInputsTest::startsWithTheEngineDefaults()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, values);
    TFrameFixture fixture(qPrintable(locale));
    TPICHourLTFra& frame = *fixture.Frame;

    QCOMPARE(frame.edtNLThickness->text(), values[0]);
    QCOMPARE(frame.edtNLInitTemp->text(), values[1]);
    QCOMPARE(frame.edtNLPICTemp->text(), values[2]);
    QCOMPARE(frame.udnNLThickness->Position(), 7);
    QCOMPARE(frame.udnNLInitTemp->Position(), 14);
    QCOMPARE(frame.udnNLPICTemp->Position(), 0);
    QCOMPARE(frame.udnNLThickness->Max(), 13);
    QCOMPARE(frame.udnNLInitTemp->Max(), 14);
    QCOMPARE(frame.udnNLPICTemp->Max(), 4);
    QVERIFY(frame.udnNLThickness->isEnabled());
    QVERIFY(wholeTextSelected(frame.edtNLThickness));
    QVERIFY(!frame.edtNLThickness->selectedText().isEmpty());

    QVERIFY(frame.rbnWSFeeble->isChecked());
    QVERIFY(frame.rbnCWispy->isChecked());
    QCOMPARE(frame.PICHour().WindSpeed, 1.0);
    QCOMPARE(frame.PICHour().CloudCover, 0.0);

    QCOMPARE(frame.dtpPDDate->date(), fixture.Clock.Moment.date());
    QCOMPARE(frame.dtpPDTime->time(), fixture.Clock.Moment.time());
    // The regional order and separators, with a four-digit year and a day and month of two digits.
    const QHash<QString, QString> dateFormats{{QStringLiteral("fr_BE"), QStringLiteral("dd/MM/yyyy")},
        {QStringLiteral("nl_BE"), QStringLiteral("dd/MM/yyyy")},
        {QStringLiteral("en_US"), QStringLiteral("MM/dd/yyyy")},
        {QStringLiteral("ar_EG"), QStringLiteral("dd\u200F/MM\u200F/yyyy")}};
    QCOMPARE(frame.dtpPDDate->displayFormat(), dateFormats.value(locale));
    QVERIFY(frame.dtpPDTime->displayFormat().contains(QStringLiteral("ss")));
    QVERIFY(!frame.dtpPDTime->displayFormat().contains(u't'));
    // 23 August lies in summer time.
    QVERIFY(frame.rbnPDSummerHour->isChecked());
    QVERIFY(frame.PICHour().SummerTime);
    QVERIFY(!frame.gbxPDGMT->isEnabled());

    QVERIFY(frame.edtRPICDate->text().isEmpty());
    QVERIFY(frame.edtRPICTime->text().isEmpty());
    QVERIFY(frame.edtRPICDate->isReadOnly());
    QVERIFY(fixture.Presenter.Warnings.isEmpty());
}

void FrameInputsTest::spinnersStepFromTheShownValue_data()
{
    QTest::addColumn<QString>("spinner");
    QTest::addColumn<QString>("typed");  // empty: the start value
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("position");
    const auto row
        = [](const char* name, const char* spinner, const char* typed, bool up, const char* shown, int position) {
              QTest::newRow(name) << QString::fromLatin1(spinner) << QString::fromLatin1(typed) << up
                                  << QString::fromLatin1(shown) << position;
          };
    row("thickness up from 5,0", "udnNLThickness", "", true, "5,5", 8);
    row("thickness down from 5,0", "udnNLThickness", "", false, "4,5", 6);
    row("laying temperature up stays at the top", "udnNLInitTemp", "", true, "170,0", 14);
    row("laying temperature down", "udnNLInitTemp", "", false, "165,0", 13);
    row("reopening temperature up", "udnNLPICTemp", "", true, "35,0", 1);
    row("reopening temperature down stays at the bottom", "udnNLPICTemp", "", false, "30,0", 0);
    row("off-grid 5,2 up", "udnNLThickness", "5,2", true, "5,5", 8);
    row("off-grid 5.2 down", "udnNLThickness", "5.2", false, "4,5", 6);
    row("below the minimum up", "udnNLThickness", "1", true, "2,0", 1);
    row("typed top without decimals up", "udnNLInitTemp", "170", true, "170,0", 14);
}

void FrameInputsTest::spinnersStepFromTheShownValue()
{
    QFETCH(QString, spinner);
    QFETCH(QString, typed);
    QFETCH(bool, up);
    QFETCH(QString, shown);
    QFETCH(int, position);
    TFrameFixture fixture("fr_BE");
    TPICHourLTFra& frame = *fixture.Frame;
    auto* control = frame.findChild<TUpDownSpinner*>(spinner);
    QVERIFY(control != nullptr);
    QLineEdit* edit = control == frame.udnNLThickness ? frame.edtNLThickness
        : control == frame.udnNLInitTemp              ? frame.edtNLInitTemp
                                                      : frame.edtNLPICTemp;
    if (!typed.isEmpty()) {
        typeInto(edit, typed);
    }
    QTest::mouseClick(up ? control->UpButton() : control->DownButton(), Qt::LeftButton);
    QCOMPARE(edit->text(), shown);
    QCOMPARE(control->Position(), position);
    QVERIFY(fixture.Presenter.Warnings.isEmpty());
}

void FrameInputsTest::refusesWhileTyping_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");  // empty: the field is emptied
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("left");
    QTest::addColumn<int>("position");
    const QString thickness = utf8("Le champ \"Epaisseur (cm) :\"");
    const QString notReal = utf8("\" doit être une valeur de type réel!");
    const QString above = utf8("\" doit être inférieure ou égale à ");
    QTest::newRow("thickness 9: above the maximum") << "edtNLThickness"
                                                    << "9" << thickness + above.mid(1) + "8,0"
                                                    << "8,0" << 13;
    QTest::newRow("thickness 8.3: above the maximum") << "edtNLThickness"
                                                      << "8.3" << thickness + above.mid(1) + "8,0"
                                                      << "8,0" << 13;
    QTest::newRow("laying temperature 180") << "edtNLInitTemp"
                                            << "180" << utf8("Le champ \"Température de pose (°C) :") + above + "170,0"
                                            << "170,0" << 14;
    QTest::newRow("reopening temperature 60")
        << "edtNLPICTemp"
        << "60" << utf8("Le champ \"Température de remise en circulation (°C) :") + above + "50,0"
        << "50,0" << 4;
    QTest::newRow("thickness emptied") << "edtNLThickness"
                                       << "" << thickness + notReal.mid(1) << "" << 7;
    QTest::newRow("thickness letter") << "edtNLThickness"
                                      << "x" << thickness + notReal.mid(1) << "x" << 7;
    QTest::newRow("thickness lone minus") << "edtNLThickness"
                                          << "-" << thickness + notReal.mid(1) << "-" << 7;
    QTest::newRow("thickness blank inside") << "edtNLThickness"
                                            << "5 2" << thickness + notReal.mid(1) << "5 2" << 7;
    QTest::newRow("thickness minus after the digits") << "edtNLThickness"
                                                      << "5-" << thickness + notReal.mid(1) << "5-" << 7;
}

void FrameInputsTest::refusesWhileTyping()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, warning);
    QFETCH(QString, left);
    QFETCH(int, position);
    TFrameFixture fixture("fr_BE");
    TPICHourLTFra& frame = *fixture.Frame;
    auto* edit = frame.findChild<QLineEdit*>(field);
    QVERIFY(edit != nullptr);
    if (typed.isEmpty()) {
        emptyField(edit);
    } else {
        typeInto(edit, typed);
    }
    QCOMPARE(fixture.Presenter.Warnings, QStringList{warning});
    QCOMPARE(edit->text(), left);
    QVERIFY(wholeTextSelected(edit));
    const TUpDownSpinner* spinner = edit == frame.edtNLThickness ? frame.udnNLThickness
        : edit == frame.edtNLInitTemp                            ? frame.udnNLInitTemp
                                                                 : frame.udnNLPICTemp;
    QCOMPARE(spinner->Position(), position);
}

void FrameInputsTest::refusesOnlyAtComputeTime_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("corrected");
    const QString below = utf8("\" doit être supérieure ou égale à ");
    const QString thickness = utf8("Le champ \"Epaisseur (cm) :");
    QTest::newRow("fr_BE: thickness 1") << "fr_BE"
                                        << "edtNLThickness"
                                        << "1" << thickness + below + "1,5"
                                        << "1,5";
    QTest::newRow("fr_BE: thickness 1.2") << "fr_BE"
                                          << "edtNLThickness"
                                          << "1.2" << thickness + below + "1,5"
                                          << "1,5";
    QTest::newRow("en_US: thickness 1,2") << "en_US"
                                          << "edtNLThickness"
                                          << "1,2" << thickness + below + "1.5"
                                          << "1.5";
    QTest::newRow("fr_BE: lone comma in the reopening temperature")
        << "fr_BE"
        << "edtNLPICTemp"
        << "," << utf8("Le champ \"Température de remise en circulation (°C) :") + below + "30,0"
        << "30,0";
    QTest::newRow("en_US: lone point in the laying temperature")
        << "en_US"
        << "edtNLInitTemp"
        << "." << utf8("Le champ \"Température de pose (°C) :") + below + "100.0"
        << "100.0";
}

void FrameInputsTest::refusesOnlyAtComputeTime()
{
    QFETCH(QString, locale);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, warning);
    QFETCH(QString, corrected);
    TFrameFixture fixture(qPrintable(locale));
    TPICHourLTFra& frame = *fixture.Frame;
    auto* edit = frame.findChild<QLineEdit*>(field);
    typeInto(edit, typed);
    QVERIFY(fixture.Presenter.Warnings.isEmpty());
    QCOMPARE(edit->text(), typed);

    QTest::mouseClick(frame.btnCompute, Qt::LeftButton);
    QCOMPARE(fixture.Presenter.Warnings, QStringList{warning});
    QCOMPARE(edit->text(), corrected);
    QVERIFY(wholeTextSelected(edit));
    QVERIFY(frame.edtRPICDate->text().isEmpty());
    QVERIFY(frame.edtRPICTime->text().isEmpty());
}

void FrameInputsTest::acceptsEitherSeparator_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("typed");
    QTest::newRow("fr_BE: 1,5") << "fr_BE"
                                << "1,5";
    QTest::newRow("fr_BE: 1.5") << "fr_BE"
                                << "1.5";
    QTest::newRow("en_US: 1,5") << "en_US"
                                << "1,5";
    QTest::newRow("en_US: 1.5") << "en_US"
                                << "1.5";
}

void FrameInputsTest::acceptsEitherSeparator()
{
    QFETCH(QString, locale);
    QFETCH(QString, typed);
    TFrameFixture fixture(qPrintable(locale));
    TPICHourLTFra& frame = *fixture.Frame;
    typeInto(frame.edtNLThickness, QStringLiteral("7"));
    QCOMPARE(frame.udnNLThickness->Position(), 11);
    typeInto(frame.edtNLThickness, typed);
    QCOMPARE(frame.udnNLThickness->Position(), 0);
    QVERIFY(frame.CheckThickness(true));
    QVERIFY(fixture.Presenter.Warnings.isEmpty());
    QCOMPARE(frame.edtNLThickness->text(), typed);
}

void FrameInputsTest::survivesHostileText_data()
{
    QTest::addColumn<int>("field");  // 0 thickness, 1 laying, 2 reopening temperature
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("warnings");  // while typing
    const std::pair<const char*, QString> hostile[] = {
        {"very long digit string", QString(5000, u'9')},
        {"very long negative number", u'-' + QString(5000, u'9')},
        {"very long fraction", QStringLiteral("0,") + QString(5000, u'3')},
        {"thousands of separators", QString(5000, u',')},
        {"mixed separators", QStringLiteral("1.000,000.5")},
        {"control character inside",
            QStringLiteral("5\x01"
                           "2")},
        {"tab inside", QStringLiteral("5\t2")},
        {"accented letter after digits", utf8("5é")},
        {"fullwidth digits", utf8("５")},
        {"Arabic-Indic digit", utf8("٥")},
        {"Cyrillic word", utf8("пять")},
        {"exponent", QStringLiteral("1e308")},
        {"infinity", QStringLiteral("inf")},
        {"negative infinity", QStringLiteral("-inf")},
        {"not a number", QStringLiteral("nan")},
        {"hexadecimal", QStringLiteral("0x10")},
    };
    // Readable values below the minimum are refused only at compute time.
    const auto typingWarnings = [](const char* name) {
        const QByteArray n(name);
        return n == "very long negative number" || n == "very long fraction" ? 0 : 1;
    };
    const char* const fields[] = {"thickness", "laying temperature", "reopening temperature"};
    for (int field = 0; field < 3; ++field) {
        for (const auto& [name, text] : hostile) {
            QTest::addRow("%s: %s", fields[field], name) << field << text << typingWarnings(name);
        }
    }
}

// Pasted rather than typed: one change, whatever its length.
void FrameInputsTest::survivesHostileText()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(int, warnings);
    TFrameFixture fixture("fr_BE");
    TPICHourLTFra& frame = *fixture.Frame;
    QLineEdit* const edits[] = {frame.edtNLThickness, frame.edtNLInitTemp, frame.edtNLPICTemp};
    TUpDownSpinner* const spinners[] = {frame.udnNLThickness, frame.udnNLInitTemp, frame.udnNLPICTemp};
    const int labels[] = {13, 14, 15};
    QLineEdit* const edit = edits[field];
    TUpDownSpinner* const spinner = spinners[field];
    const QString opening = fixture.Texts.GetText(33) + fixture.Texts.GetText(labels[field]) + u'"';
    edit->setText(text);
    QCOMPARE(fixture.Presenter.Warnings.size(), warnings);
    for (const QString& warning : std::as_const(fixture.Presenter.Warnings)) {
        QVERIFY(warning.startsWith(opening));
    }
    QVERIFY(spinner->Position() >= 0 && spinner->Position() <= spinner->Max());
    // A text left as it was is refused once more by the compute action; a
    // corrected one computes.
    const bool corrected = edit->text() != text;
    fixture.Presenter.Warnings.clear();
    frame.btnComputeClick();
    QCOMPARE(fixture.Presenter.Warnings.size(), corrected ? 0 : 1);
    for (const QString& warning : std::as_const(fixture.Presenter.Warnings)) {
        QVERIFY(warning.startsWith(opening));
    }
    QCOMPARE(frame.edtRPICDate->text().isEmpty(), !corrected);
}

// A limit that "%.1f" rounds to a value beyond itself is refused again once
// written; that second refusal must not start another correction.
void FrameInputsTest::correctionThatIsRefusedDoesNotLoop()
{
    TFrameFixture fixture("fr_BE");
    TPICHourLTFra& frame = *fixture.Frame;
    frame.PICHour().ThicknessMax = 8.06;
    typeInto(frame.edtNLThickness, QStringLiteral("9"));
    QCOMPARE(fixture.Presenter.Warnings.size(), 1);
    QVERIFY(fixture.Presenter.Warnings.front().endsWith(QStringLiteral("8,1")));
    QCOMPARE(frame.edtNLThickness->text(), QStringLiteral("8,1"));
    QVERIFY(wholeTextSelected(frame.edtNLThickness));
}

void FrameInputsTest::unsetLimitsDisableTheSpinner()
{
    QLocale::setDefault(QLocale(QStringLiteral("fr_BE")));
    TLanguagesMgrCls texts;
    TRecordingPresenter presenter;
    TFixedClock clock;
    TPICHourLTFra frame;
    frame.SetMessagePresenter(presenter);
    frame.SetClock(clock);
    frame.SetLanguagesMgr(texts);
    frame.PICHour().ThicknessStep = -1;
    frame.UpdateTexts();
    frame.SetInitialValues();
    QVERIFY(!frame.udnNLThickness->isEnabled());
    QVERIFY(frame.udnNLInitTemp->isEnabled());
    typeInto(frame.edtNLThickness, QStringLiteral("9"));
    QVERIFY(presenter.Warnings.isEmpty());
    QCOMPARE(frame.edtNLThickness->text(), QStringLiteral("9"));
    QVERIFY(frame.CheckThickness(true));
}

void FrameInputsTest::summerTimeFollowsTheLayingDate_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<bool>("summer");
    // 2027 changes on Sunday 28 March, 02:00, and Sunday 31 October, 03:00.
    QTest::newRow("27 March: winter") << QDate(2027, 3, 27) << QTime(22, 0) << false;
    QTest::newRow("28 March 01:59: winter") << QDate(2027, 3, 28) << QTime(1, 59) << false;
    QTest::newRow("28 March 02:00: summer") << QDate(2027, 3, 28) << QTime(2, 0) << true;
    QTest::newRow("30 October: summer") << QDate(2027, 10, 30) << QTime(23, 15) << true;
    QTest::newRow("31 October 02:59: summer") << QDate(2027, 10, 31) << QTime(2, 59) << true;
    QTest::newRow("31 October 03:00: winter") << QDate(2027, 10, 31) << QTime(3, 0) << false;
    QTest::newRow("1 January: winter") << QDate(2024, 1, 1) << QTime(12, 0) << false;
}

void FrameInputsTest::summerTimeFollowsTheLayingDate()
{
    QFETCH(QDate, date);
    QFETCH(QTime, time);
    QFETCH(bool, summer);
    TFrameFixture fixture("fr_BE");
    TPICHourLTFra& frame = *fixture.Frame;
    {
        const QSignalBlocker blocker(frame.dtpPDTime);
        frame.dtpPDTime->setTime(time);
    }
    frame.edtRPICDate->setText(QStringLiteral("old result"));
    // As the user's arrows do: the picker reports its own change.
    frame.dtpPDDate->setDate(date);
    QCOMPARE(frame.rbnPDSummerHour->isChecked(), summer);
    QCOMPARE(frame.rbnPDWinterHour->isChecked(), !summer);
    QCOMPARE(frame.PICHour().SummerTime, summer);
    QVERIFY(frame.edtRPICDate->text().isEmpty());
}

void FrameInputsTest::timeChangeReadsTheDatePicker()
{
    TFrameFixture fixture("fr_BE");
    TPICHourLTFra& frame = *fixture.Frame;
    {
        const QSignalBlocker blocker(frame.dtpPDDate);
        frame.dtpPDDate->setDate(QDate(2022, 12, 1));
    }
    QVERIFY(frame.PICHour().SummerTime);
    frame.edtRPICTime->setText(QStringLiteral("old result"));
    frame.dtpPDTime->setTime(QTime(9, 0, 0));
    QVERIFY(!frame.PICHour().SummerTime);
    QVERIFY(frame.rbnPDWinterHour->isChecked());
    QVERIFY(frame.edtRPICTime->text().isEmpty());
}

void FrameInputsTest::picturesResetThePickersToNow()
{
    TFrameFixture fixture("fr_BE");
    TPICHourLTFra& frame = *fixture.Frame;
    QVERIFY(!frame.imgPDDate->pixmap().isNull());
    QCOMPARE(frame.imgPDDate->pixmap().size(), QSize(16, 16));
    frame.dtpPDDate->setDate(QDate(2020, 2, 2));
    frame.dtpPDTime->setTime(QTime(3, 4, 5));
    QVERIFY(!frame.PICHour().SummerTime);

    fixture.Clock.Moment = QDateTime(QDate(2023, 6, 30), QTime(7, 8, 9));
    frame.edtRPICDate->setText(QStringLiteral("old result"));
    QTest::mouseClick(frame.imgPDDate, Qt::LeftButton);
    QCOMPARE(frame.dtpPDDate->date(), QDate(2023, 6, 30));
    QCOMPARE(frame.dtpPDTime->time(), QTime(3, 4, 5));
    QVERIFY(frame.PICHour().SummerTime);
    QVERIFY(frame.edtRPICDate->text().isEmpty());

    frame.edtRPICTime->setText(QStringLiteral("old result"));
    QTest::mouseClick(frame.imgPDTime, Qt::LeftButton);
    QCOMPARE(frame.dtpPDTime->time(), QTime(7, 8, 9));
    QVERIFY(frame.edtRPICTime->text().isEmpty());
    QVERIFY(fixture.Presenter.Warnings.isEmpty());
}

void FrameInputsTest::classesAreWrittenIntoTheEngine()
{
    TFrameFixture fixture("fr_BE");
    TPICHourLTFra& frame = *fixture.Frame;
    TPICHourCls& engine = frame.PICHour();
    engine.WindSpeedModerate = 6.5;  // the frame copies the engine's class values
    const std::tuple<QRadioButton*, double*, double> clicks[] = {
        {frame.rbnWSStrong, &engine.WindSpeed, 15.0},
        {frame.rbnWSModerate, &engine.WindSpeed, 6.5},
        {frame.rbnWSFeeble, &engine.WindSpeed, 1.0},
        {frame.rbnCHeavyCover, &engine.CloudCover, 100.0},
        {frame.rbnCCover, &engine.CloudCover, 50.0},
        {frame.rbnCWispy, &engine.CloudCover, 0.0},
    };
    for (const auto& [button, field, value] : clicks) {
        frame.edtRPICDate->setText(QStringLiteral("old result"));
        clickButton(button);
        QVERIFY(button->isChecked());
        QCOMPARE(*field, value);
        QVERIFY2(frame.edtRPICDate->text().isEmpty(), qPrintable(button->objectName()));
    }
}

QTEST_MAIN(FrameInputsTest)
#include "FrameInputsTest.moc"
