#include "FrameTestSupport.h"

#include "AnalysisTexts.h"
#include "ClickablePicture.h"
#include "PICHourLTMessages.h"
#include "UpDownSpinner.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>

#include <cmath>
#include <functional>
#include <stdexcept>

namespace {

void compute(TPICHourLTFra& frame)
{
    QTest::mouseClick(frame.btnCompute, Qt::LeftButton);
}

bool resultsShown(const TPICHourLTFra& frame)
{
    return !frame.edtRPICDate->text().isEmpty() && !frame.edtRPICTime->text().isEmpty();
}

bool resultsEmpty(const TPICHourLTFra& frame)
{
    return frame.edtRPICDate->text().isEmpty() && frame.edtRPICTime->text().isEmpty();
}

// Seconds until reopening by an engine of our own, fed as the frame should
// feed its own.
double engineSeconds(double thicknessCm, double layingTemp, double reopenTemp, double wind, double cloud, bool summer,
    QDate date, QTime time)
{
    TPICHourCls engine;
    engine.Layers.Items(0).SetThicknessCm(thicknessCm);
    engine.LayingTemp = layingTemp;
    engine.ReopenTemp = reopenTemp;
    engine.WindSpeed = wind;
    engine.CloudCover = cloud;
    engine.SummerTime = summer;
    TNullProgressBar bar;
    const QDate epoch(1899, 12, 30);
    engine.Compute(bar, static_cast<double>(epoch.daysTo(date)), time.msecsSinceStartOfDay() / 86400000.0);
    return engine.ResultSeconds;
}

}  // namespace

class FrameComputeTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheReopeningOnTheWallClock_data();
    void showsTheReopeningOnTheWallClock();
    void showsTheEnginesReopeningMoment_data();
    void showsTheEnginesReopeningMoment();
    void takesTheDayOfOnePickerAndTheTimeOfTheOther();
    void everyInputChangeEmptiesTheResults();
    void languageSwitchKeepsTheResults();
    void stopsAtTheFirstRefusedField();
    void showsEngineFailuresInTheCurrentLanguage_data();
    void showsEngineFailuresInTheCurrentLanguage();
    void switchingLanguageChangesTheFailureText();
    void showsOtherErrorsWithTheirOwnMessage();
    void warnsOfAReopeningBeyondTheCalendar_data();
    void refusesALayingTheLegalClockSkips_data();
    void refusesALayingTheLegalClockSkips();
    void warnsOfAReopeningBeyondTheCalendar();
    void decodesFailureMessages_data();
    void decodesFailureMessages();
};

void FrameComputeTest::showsTheEnginesReopeningMoment_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("timeFormat");
    QTest::addColumn<QString>("dateFormat");
    QTest::newRow("fr_BE: summer afternoon")
        << "fr_BE" << QDateTime(QDate(2021, 8, 23), QTime(14, 35, 12)) << "HH:mm:ss"
        << "dd/MM/yyyy";
    QTest::newRow("en_US: laid at 23:00, reopened the next day")
        << "en_US" << QDateTime(QDate(2021, 12, 31), QTime(23, 0, 0)) << "h:mm:ss AP"
        << "MM/dd/yyyy";
    QTest::newRow("nl_BE: night in winter") << "nl_BE" << QDateTime(QDate(2022, 1, 15), QTime(2, 10, 40)) << "HH:mm:ss"
                                            << "dd/MM/yyyy";
    // The start values, shown in Latin digits, are read back by Calcul.
    QTest::newRow("ar_EG: own digits") << "ar_EG" << QDateTime(QDate(2021, 8, 23), QTime(14, 35, 12)) << "h:mm:ss AP"
                                       << QStringLiteral("dd\u200F/MM\u200F/yyyy");
}

void FrameComputeTest::showsTheEnginesReopeningMoment()
{
    QFETCH(QString, locale);
    QFETCH(QDateTime, now);
    QFETCH(QString, timeFormat);
    QFETCH(QString, dateFormat);
    QLocale::setDefault(QLocale(locale));
    TLanguagesMgrCls texts;
    TRecordingPresenter presenter;
    TFixedClock clock;
    clock.Moment = now;
    TPICHourLTFra frame;
    frame.SetMessagePresenter(presenter);
    frame.SetClock(clock);
    frame.SetLanguagesMgr(texts);
    frame.UpdateTexts();
    frame.SetInitialValues();
    frame.show();

    compute(frame);
    QVERIFY(presenter.Warnings.isEmpty());
    const bool summer = now.date().month() >= 4 && now.date().month() <= 9;
    const double seconds = engineSeconds(5.0, 170.0, 30.0, 1.0, 0.0, summer, now.date(), now.time());
    QVERIFY(seconds > 0.0);
    QCOMPARE(frame.PICHour().ResultSeconds, seconds);
    const QDateTime reopening = now.addSecs(static_cast<qint64>(std::trunc(seconds)));
    const QLocale regional(locale);
    QCOMPARE(frame.edtRPICDate->text(), regional.toString(reopening.date(), dateFormat));
    QCOMPARE(frame.edtRPICTime->text(), regional.toString(reopening.time(), timeFormat));
    // The engine had the bar for the run and left it at 0.
    QCOMPARE(frame.pbrRCompute->maximum(), 25000);
    QCOMPARE(frame.pbrRCompute->value(), 0);
    // A second click with the same inputs gives the same answer.
    const QString date = frame.edtRPICDate->text();
    const QString time = frame.edtRPICTime->text();
    compute(frame);
    QCOMPARE(frame.edtRPICDate->text(), date);
    QCOMPARE(frame.edtRPICTime->text(), time);
}

void FrameComputeTest::showsTheReopeningOnTheWallClock_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("date");  // the picker, as the user reads it
    QTest::newRow("fr_BE") << "fr_BE"
                           << "27/03/2027";
    QTest::newRow("nl_BE") << "nl_BE"
                           << "27/03/2027";
}

void FrameComputeTest::showsTheReopeningOnTheWallClock()
{
    // Laid on winter time the night the clocks jump from 02:00 to 03:00.
    QFETCH(QString, locale);
    QFETCH(QString, date);
    TFrameFixture fixture(qPrintable(locale));
    TPICHourLTFra& frame = *fixture.Frame;
    frame.dtpPDDate->setDate(QDate(2027, 3, 27));
    frame.dtpPDTime->setTime(QTime(22, 0, 0));
    frame.edtNLThickness->setText(QStringLiteral("8"));  // cools past 02:00
    QCOMPARE(frame.dtpPDDate->text(), date);
    compute(frame);
    const double seconds = engineSeconds(8.0, 170.0, 30.0, 1.0, 0.0, false, QDate(2027, 3, 27), QTime(22, 0, 0));
    // The wait is elapsed time; the clock then in force is an hour ahead.
    const QTime reopening = QTime(22, 0, 0).addSecs(static_cast<int>(std::trunc(seconds)) + 3600);
    QVERIFY2(reopening > QTime(3, 0), qPrintable(reopening.toString()));
    QCOMPARE(frame.edtRPICDate->text(), QStringLiteral("28/03/2027"));
    QCOMPARE(frame.edtRPICTime->text(), reopening.toString(QStringLiteral("HH:mm:ss")));
    // The buttons keep the laying's winter time: the result says its own clock.
    QVERIFY(frame.rbnPDWinterHour->isChecked());
    QCOMPARE(frame.lblRPICClock->text(), AnalysisTexts::Text(lgFR, TAnalysisText::ReopeningInSummerTime));
    frame.edtNLThickness->setText(QStringLiteral("7"));
    QVERIFY(frame.lblRPICClock->text().isEmpty());
}

void FrameComputeTest::takesTheDayOfOnePickerAndTheTimeOfTheOther()
{
    TFrameFixture fixture("fr_BE");
    TPICHourLTFra& frame = *fixture.Frame;
    frame.dtpPDDate->setDateTime(QDateTime(QDate(2022, 6, 10), QTime(18, 0, 0), Qt::UTC));
    frame.dtpPDTime->setTime(QTime(7, 30, 0));
    QVERIFY(frame.dtpPDTime->date() != frame.dtpPDDate->date());
    compute(frame);
    QVERIFY(resultsShown(frame));
    const double seconds = engineSeconds(5.0, 170.0, 30.0, 1.0, 0.0, true, QDate(2022, 6, 10), QTime(7, 30, 0));
    const QDateTime reopening
        = QDateTime(QDate(2022, 6, 10), QTime(7, 30, 0)).addSecs(static_cast<qint64>(std::trunc(seconds)));
    QCOMPARE(frame.edtRPICDate->text(), reopening.date().toString(QStringLiteral("dd/MM/yyyy")));
    QCOMPARE(frame.edtRPICTime->text(), QLocale().toString(reopening.time(), "HH:mm:ss"));
    QVERIFY(frame.lblRPICClock->text().isEmpty());  // on the laying's clock
}

void FrameComputeTest::everyInputChangeEmptiesTheResults()
{
    TFrameFixture fixture("fr_BE");
    TPICHourLTFra& frame = *fixture.Frame;
    const auto clickCaption = [](QAbstractButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    };
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"typing a thickness",
            [&] {
                QTest::keyClick(frame.edtNLThickness, Qt::Key_End);
                QTest::keyClicks(frame.edtNLThickness, QStringLiteral("5"));
            }},
        {"typing a laying temperature", [&] { QTest::keyClick(frame.edtNLInitTemp, Qt::Key_Backspace); }},
        {"typing a reopening temperature",
            [&] {
                frame.edtNLPICTemp->selectAll();
                QTest::keyClicks(frame.edtNLPICTemp, QStringLiteral("40"));
            }},
        {"thickness spinner", [&] { QTest::mouseClick(frame.udnNLThickness->UpButton(), Qt::LeftButton); }},
        {"laying temperature spinner", [&] { QTest::mouseClick(frame.udnNLInitTemp->DownButton(), Qt::LeftButton); }},
        {"reopening temperature spinner", [&] { QTest::mouseClick(frame.udnNLPICTemp->UpButton(), Qt::LeftButton); }},
        {"moderate wind", [&] { clickCaption(frame.rbnWSModerate); }},
        {"covered sky", [&] { clickCaption(frame.rbnCHeavyCover); }},
        {"laying date", [&] { frame.dtpPDDate->setDate(frame.dtpPDDate->date().addDays(1)); }},
        {"laying time", [&] { frame.dtpPDTime->setTime(frame.dtpPDTime->time().addSecs(60)); }},
        {"date picture", [&] { QTest::mouseClick(frame.imgPDDate, Qt::LeftButton); }},
        {"time picture", [&] { QTest::mouseClick(frame.imgPDTime, Qt::LeftButton); }},
    };
    for (const auto& [name, change] : changes) {
        compute(frame);
        QVERIFY2(resultsShown(frame), name);
        change();
        QVERIFY2(resultsEmpty(frame), name);
    }
    QVERIFY(fixture.Presenter.Warnings.isEmpty());
}

void FrameComputeTest::languageSwitchKeepsTheResults()
{
    TFrameFixture fixture("fr_BE");
    TPICHourLTFra& frame = *fixture.Frame;
    compute(frame);
    const QString date = frame.edtRPICDate->text();
    QVERIFY(!date.isEmpty());
    fixture.Texts.Language = lgNL;
    frame.UpdateTexts();
    QCOMPARE(frame.edtRPICDate->text(), date);
    QCOMPARE(frame.btnCompute->text(), QStringLiteral("Berekening"));
}

void FrameComputeTest::stopsAtTheFirstRefusedField()
{
    TFrameFixture fixture("fr_BE");
    TPICHourLTFra& frame = *fixture.Frame;
    frame.edtNLThickness->setText(QStringLiteral("1"));
    frame.edtNLInitTemp->setText(QStringLiteral("1"));
    frame.edtNLPICTemp->setText(QStringLiteral("1"));
    QVERIFY(fixture.Presenter.Warnings.isEmpty());
    compute(frame);
    QCOMPARE(fixture.Presenter.Warnings.size(), 1);
    QVERIFY(fixture.Presenter.Warnings.front().contains(QStringLiteral("Epaisseur")));
    QCOMPARE(frame.edtNLThickness->text(), QStringLiteral("1,5"));
    QCOMPARE(frame.edtNLInitTemp->text(), QStringLiteral("1"));
    QVERIFY(resultsEmpty(frame));
    // The engine was not run: its inputs are still the construction's zeros.
    QCOMPARE(frame.PICHour().LayingTemp, 0.0);
}

void FrameComputeTest::showsEngineFailuresInTheCurrentLanguage_data()
{
    QTest::addColumn<int>("failure");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("message");
    const QLatin1String fr("fr_BE");
    QTest::newRow("too thin, French, comma")
        << 1 << int{lgFR} << QString(fr)
        << QString::fromUtf8("L'épaisseur totale de toutes les couches est inférieure à la limite de 100,0 cm !");
    QTest::newRow("too thin, Dutch, comma")
        << 1 << int{lgNL} << QString(fr)
        << QStringLiteral("De totale laagdikte is kleiner dan de grenswaarde 100,0 cm !");
    QTest::newRow("too thin, Dutch, point")
        << 1 << int{lgNL} << QStringLiteral("en_US")
        << QStringLiteral("De totale laagdikte is kleiner dan de grenswaarde 100.0 cm !");
    QTest::newRow("unstable, French") << 2 << int{lgFR} << QString(fr) << TLanguagesMgrCls().GetTextFor(52, lgFR);
    QTest::newRow("unstable, Dutch") << 2 << int{lgNL} << QString(fr) << TLanguagesMgrCls().GetTextFor(52, lgNL);
    QTest::newRow("too long, French") << 3 << int{lgFR} << QString(fr) << TLanguagesMgrCls().GetTextFor(55, lgFR);
    QTest::newRow("too long, Dutch") << 3 << int{lgNL} << QString(fr) << TLanguagesMgrCls().GetTextFor(55, lgNL);
}

// Each failure is provoked through the engine's own structure and constants.
void FrameComputeTest::showsEngineFailuresInTheCurrentLanguage()
{
    QFETCH(int, failure);
    QFETCH(int, language);
    QFETCH(QString, locale);
    QFETCH(QString, message);
    TFrameFixture fixture(qPrintable(locale), static_cast<TLanguage>(language));
    TPICHourLTFra& frame = *fixture.Frame;
    TPICHourCls& engine = frame.PICHour();
    compute(frame);
    QVERIFY(resultsShown(frame));
    const double earlierSeconds = engine.ResultSeconds;
    switch (failure) {
    case 1:
        engine.Layers.Items(2).SetThicknessCm(40.0);  // 55 cm in all
        break;
    case 2:
        engine.Layers.Items(1).Conductivity = 12.0;  // Fourier number about 1.1
        break;
    default:
        engine.BottomTemp = 200.0;  // the structure beneath keeps the layer hot
        break;
    }
    compute(frame);
    QCOMPARE(fixture.Presenter.Warnings, QStringList{message});
    QVERIFY(resultsEmpty(frame));
    QCOMPARE(frame.pbrRCompute->value(), 0);
    QCOMPARE(engine.ResultSeconds, earlierSeconds);
}

void FrameComputeTest::switchingLanguageChangesTheFailureText()
{
    TFrameFixture fixture("fr_BE", lgFR);
    TPICHourLTFra& frame = *fixture.Frame;
    frame.PICHour().Layers.Items(1).Conductivity = 12.0;
    compute(frame);
    fixture.Texts.Language = lgNL;
    frame.UpdateTexts();
    compute(frame);
    QCOMPARE(fixture.Presenter.Warnings,
        (QStringList{fixture.Texts.GetTextFor(52, lgFR), fixture.Texts.GetTextFor(52, lgNL)}));
}

void FrameComputeTest::showsOtherErrorsWithTheirOwnMessage()
{
    TFrameFixture fixture("fr_BE");
    TPICHourLTFra& frame = *fixture.Frame;
    frame.PICHour().Layers.Clear();
    QString expected;
    try {
        frame.PICHour().Layers.Items(0);
    } catch (const std::exception& error) {
        expected = QString::fromUtf8(error.what()).section(u'/', 0, 0).trimmed();
    }
    QVERIFY(!expected.isEmpty());
    compute(frame);
    QCOMPARE(fixture.Presenter.Warnings, QStringList{expected});
    QVERIFY(resultsEmpty(frame));
}

void FrameComputeTest::warnsOfAReopeningBeyondTheCalendar_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("start");
    QTest::newRow("fr") << int{lgFR} << "La remise en circulation tomberait après le 31/12/9999";
    QTest::newRow("nl") << int{lgNL} << "De wederopenstelling zou na 31/12/9999 vallen";
}

void FrameComputeTest::warnsOfAReopeningBeyondTheCalendar()
{
    QFETCH(int, language);
    QFETCH(QString, start);
    TFrameFixture fixture("fr_BE", static_cast<TLanguage>(language));
    TPICHourLTFra& frame = *fixture.Frame;
    frame.dtpPDDate->setDate(QDate(9999, 12, 31));
    frame.dtpPDTime->setTime(QTime(22, 0, 0));
    QCOMPARE(frame.dtpPDDate->date(), QDate(9999, 12, 31));
    compute(frame);
    QCOMPARE(fixture.Presenter.Warnings.size(), 1);
    QVERIFY2(fixture.Presenter.Warnings.front().startsWith(start), qPrintable(fixture.Presenter.Warnings.front()));
    QVERIFY(resultsEmpty(frame));
}

void FrameComputeTest::refusesALayingTheLegalClockSkips_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<bool>("forceWinter");
    QTest::addColumn<QString>("warning");  // empty: computed
    QTest::newRow("fr skipped") << int{lgFR} << QTime(2, 30) << false
                                << "L'heure de pose 02:30:00 n'existe pas le 28/03/2027 : l'heure légale passe de "
                                   "02:00 (heure d'hiver) à 03:00 (heure d'été). Choisissez une autre heure.";
    QTest::newRow("nl skipped") << int{lgNL} << QTime(2, 0) << false
                                << "Het aanbrengtijdstip 02:00:00 bestaat niet op 28/03/2027: de wettelijke tijd "
                                   "springt van 02:00 (wintertijd) naar 03:00 (zomertijd). Kies een ander tijdstip.";
    QTest::newRow("winter time forced has no gap") << int{lgFR} << QTime(2, 30) << true << QString();
    QTest::newRow("the hour after") << int{lgFR} << QTime(3, 0) << false << QString();
    QTest::newRow("the minute before") << int{lgFR} << QTime(1, 59) << false << QString();
}

void FrameComputeTest::refusesALayingTheLegalClockSkips()
{
    QFETCH(int, language);
    QFETCH(QTime, time);
    QFETCH(bool, forceWinter);
    QFETCH(QString, warning);
    TFrameFixture fixture("fr_BE", static_cast<TLanguage>(language));
    TPICHourLTFra& frame = *fixture.Frame;
    frame.dtpPDDate->setDate(QDate(2027, 3, 28));
    frame.dtpPDTime->setTime(time);
    if (forceWinter) {
        frame.rbnPDWinterHour->setChecked(true);
    }
    compute(frame);
    QCOMPARE(fixture.Presenter.Warnings, warning.isEmpty() ? QStringList() : QStringList{warning});
    QCOMPARE(resultsShown(frame), warning.isEmpty());
}

void FrameComputeTest::decodesFailureMessages_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("textIndex");  // -1: the expected text is given
    QTest::addColumn<QString>("shown");
    QTest::newRow("engine code 2") << "TPICHourCls/2" << 52 << QString();
    QTest::newRow("engine code 3 with blanks around") << " TPICHourCls/3\n" << 55 << QString();
    QTest::newRow("engine code 1 quotes the limit")
        << "TPICHourCls/1" << -1
        << QString::fromUtf8("L'épaisseur totale de toutes les couches est inférieure à la limite de 12,5 cm !");
    QTest::newRow("unknown engine code") << "TPICHourCls/7" << -1 << "TPICHourCls";
    QTest::newRow("code that is no number") << "TPICHourCls/x" << -1 << "TPICHourCls";
    QTest::newRow("code with trailing text") << "TPICHourCls/1a" << -1 << "TPICHourCls";
    QTest::newRow("class name without code") << "TPICHourCls" << -1 << "TPICHourCls";
    QTest::newRow("class name in other case") << "tpichourcls/3" << -1 << "tpichourcls";
    QTest::newRow("other error cut at the first slash") << "Disk full/retry/later" << -1 << "Disk full";
    QTest::newRow("other error without slash") << "Out of memory" << -1 << "Out of memory";
    QTest::newRow("leading slash") << "/after" << -1 << "";
    QTest::newRow("blank message") << "   " << -1 << "";
}

void FrameComputeTest::decodesFailureMessages()
{
    QFETCH(QString, message);
    QFETCH(int, textIndex);
    QFETCH(QString, shown);
    const TLanguagesMgrCls texts;
    const QString expected = textIndex >= 0 ? texts.GetText(textIndex) : shown;
    QCOMPARE(PICHourLTMessages::ComputeFailureText(texts, message.toStdString(), QStringLiteral("12,5")), expected);
}

QTEST_MAIN(FrameComputeTest)
#include "FrameComputeTest.moc"
