#include "PICHourLTLayout.h"

#include "ClickablePicture.h"
#include "JpegPicture.h"
#include "UpDownSpinner.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>

namespace {

template<typename TControl> TControl* Place(QWidget* parent, const char* name, int left, int top, int width, int height)
{
    auto* control = new TControl(parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(left, top, width, height);
    return control;
}

// Labels size themselves to their text; only their corner is fixed.
QLabel* PlaceLabel(QWidget* parent, const char* name, int left, int top)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->move(left, top);
    return label;
}

void SetupPicture(TClickablePicture* picture, const QPixmap& pixmap)
{
    // An empty pixmap (picture data unreadable) just leaves the picture blank.
    picture->setPixmap(pixmap);
    picture->setCursor(Qt::PointingHandCursor);
}

void SetupPicker(QDateTimeEdit* picker)
{
    picker->setCalendarPopup(false);
    // Values are plain calendar dates and clock times: no time-zone or
    // daylight-saving adjustment may move them.
    picker->setTimeSpec(Qt::UTC);
}

}  // namespace

void TPICHourLTLayout::SetupUi(QWidget* frame)
{
    frame->resize(FrameWidth, FrameHeight);

    gbxNewLayer = Place<QGroupBox>(frame, "gbxNewLayer", 5, 2, 314, 97);
    lblNLThickness = PlaceLabel(gbxNewLayer, "lblNLThickness", 4, 18);
    lblNLInitTemp = PlaceLabel(gbxNewLayer, "lblNLInitTemp", 4, 44);
    lblNLPICTemp = PlaceLabel(gbxNewLayer, "lblNLPICTemp", 4, 70);
    edtNLThickness = Place<QLineEdit>(gbxNewLayer, "edtNLThickness", 240, 16, 50, 21);
    edtNLInitTemp = Place<QLineEdit>(gbxNewLayer, "edtNLInitTemp", 240, 42, 50, 21);
    edtNLPICTemp = Place<QLineEdit>(gbxNewLayer, "edtNLPICTemp", 240, 68, 50, 21);
    udnNLThickness = Place<TUpDownSpinner>(gbxNewLayer, "udnNLThickness", 290, 16, 17, 21);
    udnNLInitTemp = Place<TUpDownSpinner>(gbxNewLayer, "udnNLInitTemp", 290, 42, 17, 21);
    udnNLPICTemp = Place<TUpDownSpinner>(gbxNewLayer, "udnNLPICTemp", 290, 68, 17, 21);

    gbxWindSpeed = Place<QGroupBox>(frame, "gbxWindSpeed", 330, 2, 165, 97);
    rbnWSFeeble = Place<QRadioButton>(gbxWindSpeed, "rbnWSFeeble", 8, 24, 150, 17);
    rbnWSModerate = Place<QRadioButton>(gbxWindSpeed, "rbnWSModerate", 8, 48, 150, 17);
    rbnWSStrong = Place<QRadioButton>(gbxWindSpeed, "rbnWSStrong", 8, 72, 150, 17);

    gbxCloud = Place<QGroupBox>(frame, "gbxCloud", 330, 104, 165, 98);
    rbnCWispy = Place<QRadioButton>(gbxCloud, "rbnCWispy", 8, 24, 150, 17);
    rbnCCover = Place<QRadioButton>(gbxCloud, "rbnCCover", 8, 48, 150, 17);
    rbnCHeavyCover = Place<QRadioButton>(gbxCloud, "rbnCHeavyCover", 8, 72, 150, 17);

    gbxPoseData = Place<QGroupBox>(frame, "gbxPoseData", 5, 104, 314, 98);
    lblPDDate = PlaceLabel(gbxPoseData, "lblPDDate", 4, 18);
    lblPDTime = PlaceLabel(gbxPoseData, "lblPDTime", 4, 44);
    imgPDDate = Place<TClickablePicture>(gbxPoseData, "imgPDDate", 200, 18, 16, 16);
    imgPDTime = Place<TClickablePicture>(gbxPoseData, "imgPDTime", 200, 44, 16, 16);
    dtpPDDate = Place<QDateEdit>(gbxPoseData, "dtpPDDate", 217, 16, 90, 21);
    dtpPDTime = Place<QTimeEdit>(gbxPoseData, "dtpPDTime", 217, 42, 90, 21);
    gbxPDGMT = Place<QGroupBox>(gbxPoseData, "gbxPDGMT", 4, 64, 306, 30);
    rbnPDSummerHour = Place<QRadioButton>(gbxPDGMT, "rbnPDSummerHour", 4, 8, 141, 17);
    rbnPDWinterHour = Place<QRadioButton>(gbxPDGMT, "rbnPDWinterHour", 147, 8, 150, 17);

    gbxResults = Place<QGroupBox>(frame, "gbxResults", 5, 207, 490, 90);
    btnCompute = Place<QPushButton>(gbxResults, "btnCompute", 8, 24, 145, 25);
    lblRPICDate = PlaceLabel(gbxResults, "lblRPICDate", 176, 18);
    lblRPICTime = PlaceLabel(gbxResults, "lblRPICTime", 176, 44);
    edtRPICDate = Place<QLineEdit>(gbxResults, "edtRPICDate", 410, 16, 70, 21);
    pbrRCompute = Place<QProgressBar>(gbxResults, "pbrRCompute", 176, 68, 305, 17);
    edtRPICTime = Place<QLineEdit>(gbxResults, "edtRPICTime", 410, 42, 70, 21);
    // Under Calcul, the only room the box has left: two lines of the smallest caption.
    lblRPICClock = Place<QLabel>(gbxResults, "lblRPICClock", 8, 53, 164, 34);
    lblRPICClock->setTextFormat(Qt::PlainText);
    lblRPICClock->setWordWrap(true);
    lblRPICClock->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    // The summer/winter choice only displays what the laying date implies.
    gbxPDGMT->setEnabled(false);
    edtRPICDate->setReadOnly(true);
    edtRPICTime->setReadOnly(true);
    pbrRCompute->setTextVisible(false);
    pbrRCompute->setRange(0, 100);
    pbrRCompute->setValue(0);
    SetupPicker(dtpPDDate);
    SetupPicker(dtpPDTime);
    // Day counts from 30 December 1899 stay positive, as the date-time
    // arithmetic expects.
    dtpPDDate->setMinimumDate(QDate(1900, 1, 1));

    const QPixmap refresh = QPixmap::fromImage(JpegPicture::Load(JpegPicture::RefreshPicturePath()));
    SetupPicture(imgPDDate, refresh);
    SetupPicture(imgPDTime, refresh);

    // Tab order: the groups in their order, and inside each group its
    // controls in theirs (the strong wind comes before the moderate one).
    QWidget* const tabOrder[] = {
        edtNLThickness,
        edtNLInitTemp,
        edtNLPICTemp,
        udnNLThickness,
        udnNLInitTemp,
        udnNLPICTemp,
        rbnWSFeeble,
        rbnWSStrong,
        rbnWSModerate,
        rbnCWispy,
        rbnCCover,
        rbnCHeavyCover,
        dtpPDDate,
        dtpPDTime,
        rbnPDSummerHour,
        rbnPDWinterHour,
        btnCompute,
        edtRPICDate,
        pbrRCompute,
        edtRPICTime,
    };
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
}
