#include "DateTimeConversion.h"
#include "JpegPicture.h"
#include "ProgressBarAdapter.h"
#include "RegionalFormat.h"
#include "UpDownSpinner.h"

#include <QFile>
#include <QLocale>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <limits>

class FrameWidgetsTest : public QObject {
    Q_OBJECT

private slots:
    void spinnerMovesWithinItsRange();
    void spinnerIsDisabledWithoutSteps();
    void spinnerAnswersTheArrowKeys();
    void decodesTheRefreshPicture();
    void leavesBadPicturesEmpty_data();
    void leavesBadPicturesEmpty();
    void progressBarFollowsTheEngine();
    void convertsDateTimes_data();
    void convertsDateTimes();
    void refusesUnrepresentableDateTimes();
    void formatsWithTheRegionalSettings();
    void removesTheTimeZoneField_data();
    void removesTheTimeZoneField();
    void addsSecondsAfterTheMinutes_data();
    void addsSecondsAfterTheMinutes();
    void showsTimesThatFitTheFields_data();
    void showsTimesThatFitTheFields();
};

void FrameWidgetsTest::spinnerMovesWithinItsRange()
{
    TUpDownSpinner spinner;
    spinner.SetMin(0);
    spinner.SetMax(2);
    QSignalSpy clicks(&spinner, &TUpDownSpinner::click);
    QTest::mouseClick(spinner.UpButton(), Qt::LeftButton);
    QCOMPARE(spinner.Position(), 1);
    QTest::mouseClick(spinner.UpButton(), Qt::LeftButton);
    QTest::mouseClick(spinner.UpButton(), Qt::LeftButton);
    QCOMPARE(spinner.Position(), 2);  // no wrap at the top
    QTest::mouseClick(spinner.DownButton(), Qt::LeftButton);
    QCOMPARE(spinner.Position(), 1);
    // Every click is reported, also the one that found the spinner at its end.
    QCOMPARE(clicks.size(), 4);
    QCOMPARE(clicks.at(2).at(0).value<TUpDownSpinner::TDirection>(), TUpDownSpinner::TDirection::Up);
    QCOMPARE(clicks.at(3).at(0).value<TUpDownSpinner::TDirection>(), TUpDownSpinner::TDirection::Down);
    spinner.SetPosition(-5);
    QCOMPARE(spinner.Position(), 0);
    spinner.SetPosition(99);
    QCOMPARE(spinner.Position(), 2);
    spinner.SetMax(std::numeric_limits<int>::max());
    spinner.SetPosition(std::numeric_limits<int>::max());
    QTest::mouseClick(spinner.UpButton(), Qt::LeftButton);
    QCOMPARE(spinner.Position(), std::numeric_limits<int>::max());
}

void FrameWidgetsTest::spinnerIsDisabledWithoutSteps()
{
    TUpDownSpinner spinner;
    QVERIFY(!spinner.isEnabled());
    spinner.SetMax(3);
    QVERIFY(spinner.isEnabled());
    spinner.SetMax(0);
    QVERIFY(!spinner.isEnabled());
    QSignalSpy clicks(&spinner, &TUpDownSpinner::click);
    QTest::mouseClick(spinner.UpButton(), Qt::LeftButton);
    QCOMPARE(clicks.size(), 0);
}

void FrameWidgetsTest::spinnerAnswersTheArrowKeys()
{
    TUpDownSpinner spinner;
    spinner.SetMax(5);
    QSignalSpy clicks(&spinner, &TUpDownSpinner::click);
    QTest::keyClick(&spinner, Qt::Key_Up);
    QTest::keyClick(&spinner, Qt::Key_Up);
    QTest::keyClick(&spinner, Qt::Key_Down);
    QCOMPARE(spinner.Position(), 1);
    QCOMPARE(clicks.size(), 3);
}

void FrameWidgetsTest::decodesTheRefreshPicture()
{
    const QImage picture = JpegPicture::Load(JpegPicture::RefreshPicturePath());
    QCOMPARE(picture.size(), QSize(16, 16));
    // A green symbol on white: the corners are light, the ring is green.
    const QColor corner = picture.pixelColor(0, 0);
    QVERIFY(corner.lightness() > 200);
    int green = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QColor c = picture.pixelColor(x, y);
            green += c.green() > c.red() + 40 && c.green() > c.blue() + 40 ? 1 : 0;
        }
    }
    QVERIFY2(green >= 30, qPrintable(QString::number(green)));
}

void FrameWidgetsTest::leavesBadPicturesEmpty_data()
{
    QFile file(JpegPicture::RefreshPicturePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    QVERIFY(good.size() > 100);
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("nothing") << QByteArray();
    QTest::newRow("not a JPEG") << QByteArray("GIF89a this is something else entirely");
    QTest::newRow("start marker only") << QByteArray("\xFF\xD8", 2);
    QTest::newRow("cut after the header") << good.left(good.size() / 3);
    QTest::newRow("cut before the end") << good.left(good.size() - 20);
    QByteArray zeroed = good;
    std::fill(zeroed.begin() + zeroed.size() / 2, zeroed.end(), '\0');
    QTest::newRow("second half zeroed") << zeroed;
    // The frame header (0xFFC0 or 0xFFC2) with its height and width raised
    // to 65535: refused before any pixel memory is taken.
    QByteArray huge = good;
    for (qsizetype i = 0; i + 8 < huge.size(); ++i) {
        if (static_cast<unsigned char>(huge[i]) == 0xFF
            && (static_cast<unsigned char>(huge[i + 1]) == 0xC0 || static_cast<unsigned char>(huge[i + 1]) == 0xC2)) {
            for (qsizetype k = i + 5; k < i + 9; ++k) {
                huge[k] = '\xFF';
            }
            break;
        }
    }
    QTest::newRow("absurd dimensions") << huge;
}

void FrameWidgetsTest::leavesBadPicturesEmpty()
{
    QFETCH(QByteArray, data);
    QVERIFY(JpegPicture::Decode(data).isNull());
}

void FrameWidgetsTest::progressBarFollowsTheEngine()
{
    QProgressBar bar;
    TProgressBarAdapter adapter(bar);
    adapter.SetMin(0);
    adapter.SetMax(3);
    adapter.SetStep(1);
    adapter.SetPosition(0);
    adapter.StepIt();
    adapter.StepIt();
    QCOMPARE(bar.value(), 2);
    adapter.StepIt();
    QCOMPARE(bar.value(), 3);
    adapter.StepIt();  // past the end: starts again
    QCOMPARE(bar.value(), 0);
    QCOMPARE(bar.maximum(), 3);
    QVERIFY(QFile::exists(JpegPicture::RefreshPicturePath()));
    QVERIFY(JpegPicture::Load(QStringLiteral("/nonexistent/picture.jpg")).isNull());
}

void FrameWidgetsTest::convertsDateTimes_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<double>("value");
    QTest::newRow("the day count's origin") << QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC) << 0.0;
    QTest::newRow("1 January 1900") << QDateTime(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC) << 2.0;
    QTest::newRow("noon, 23 August 2021") << QDateTime(QDate(2021, 8, 23), QTime(12, 0), Qt::UTC) << 44431.5;
    QTest::newRow("06:00, 1 March 2000") << QDateTime(QDate(2000, 3, 1), QTime(6, 0), Qt::UTC) << 36586.25;
}

void FrameWidgetsTest::convertsDateTimes()
{
    QFETCH(QDateTime, moment);
    QFETCH(double, value);
    QCOMPARE(DateTimeConversion::ToDateTime(moment), value);
    QCOMPARE(DateTimeConversion::ToDateTime(moment.date(), moment.time()), value);
    QCOMPARE(DateTimeConversion::FromDateTime(value), moment);
}

void FrameWidgetsTest::refusesUnrepresentableDateTimes()
{
    // One hour less than a rounding error still reads as the full hour.
    QCOMPARE(DateTimeConversion::FromDateTime(1.0 / 24.0 - 1e-12).time(), QTime(1, 0, 0));
    // So does the last millisecond of a day that rounds to the next one.
    QCOMPARE(DateTimeConversion::FromDateTime(2.0 - 1e-10), QDateTime(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC));
    QVERIFY(!DateTimeConversion::FromDateTime(std::numeric_limits<double>::quiet_NaN()).isValid());
    QVERIFY(!DateTimeConversion::FromDateTime(std::numeric_limits<double>::infinity()).isValid());
    QVERIFY(!DateTimeConversion::FromDateTime(1e300).isValid());
}

void FrameWidgetsTest::formatsWithTheRegionalSettings()
{
    QLocale::setDefault(QLocale(QStringLiteral("fr_BE")));
    QCOMPARE(RegionalFormat::DecimalSeparator(), ',');
    QCOMPARE(RegionalFormat::FormatReal(1000.0), QStringLiteral("1000,0"));
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    QCOMPARE(RegionalFormat::DecimalSeparator(), '.');
    QCOMPARE(RegionalFormat::FormatReal(1000.0), QStringLiteral("1000.0"));
    QCOMPARE(RegionalFormat::FormatTime(QTime(13, 5, 9)), QStringLiteral("1:05:09 PM"));
    // A separator outside ASCII cannot reach the parser: it gets a point.
    QLocale::setDefault(QLocale(QStringLiteral("ar_EG")));
    QCOMPARE(RegionalFormat::DecimalSeparator(), '.');
}

void FrameWidgetsTest::removesTheTimeZoneField_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("withoutZone");
    QTest::newRow("zone at the end") << "h:mm:ss AP t"
                                     << "h:mm:ss AP";
    QTest::newRow("zone in front") << "tttt HH:mm:ss"
                                   << "HH:mm:ss";
    QTest::newRow("quoted words stay") << "H 'h' mm 'min' ss 's' t"
                                       << "H 'h' mm 'min' ss 's'";
    QTest::newRow("quoted t stays") << "HH 'at' mm"
                                    << "HH 'at' mm";
    QTest::newRow("no zone") << "HH:mm:ss"
                             << "HH:mm:ss";
}

void FrameWidgetsTest::removesTheTimeZoneField()
{
    QFETCH(QString, format);
    QFETCH(QString, withoutZone);
    QCOMPARE(RegionalFormat::WithoutTimeZone(format), withoutZone);
}

void FrameWidgetsTest::addsSecondsAfterTheMinutes_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("withSeconds");
    QTest::newRow("colon") << "HH:mm"
                           << "HH:mm:ss";
    QTest::newRow("point") << "HH.mm"
                           << "HH.mm.ss";
    QTest::newRow("day period after") << "h:mm AP"
                                      << "h:mm:ss AP";
    QTest::newRow("seconds already there") << "HH:mm:ss"
                                           << "HH:mm:ss";
    QTest::newRow("quoted m ignored") << "HH 'min' mm"
                                      << "HH 'min' mm:ss";
    QTest::newRow("no minutes") << "HH"
                                << "HH";
}

void FrameWidgetsTest::addsSecondsAfterTheMinutes()
{
    QFETCH(QString, format);
    QFETCH(QString, withSeconds);
    QCOMPARE(RegionalFormat::WithSeconds(format), withSeconds);
}

void FrameWidgetsTest::showsTimesThatFitTheFields_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("shown");
    QTest::newRow("fr_BE: units in words replaced") << "fr_BE"
                                                    << "13:05:09";
    QTest::newRow("fr_FR") << "fr_FR"
                           << "13:05:09";
    QTest::newRow("nl_BE") << "nl_BE"
                           << "13:05:09";
    QTest::newRow("en_US") << "en_US"
                           << "1:05:09 PM";
    QTest::newRow("de_DE") << "de_DE"
                           << "13:05:09";
}

void FrameWidgetsTest::showsTimesThatFitTheFields()
{
    QFETCH(QString, locale);
    QFETCH(QString, shown);
    QLocale::setDefault(QLocale(locale));
    QCOMPARE(RegionalFormat::FormatTime(QTime(13, 5, 9)), shown);
}

QTEST_MAIN(FrameWidgetsTest)
#include "FrameWidgetsTest.moc"
