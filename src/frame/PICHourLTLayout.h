#pragma once

class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimeEdit;
class QWidget;
class TClickablePicture;
class TUpDownSpinner;

// The controls of the input/result frame, placed as the form was drawn:
// absolute pixel geometry at 96 dpi, each control's object name equal to
// its field name, tab order per group. Captions are set by the frame.
struct TPICHourLTLayout {
    static constexpr int FrameWidth = 500;
    static constexpr int FrameHeight = 301;

    QGroupBox* gbxNewLayer = nullptr;
    QLabel* lblNLThickness = nullptr;
    QLabel* lblNLInitTemp = nullptr;
    QLabel* lblNLPICTemp = nullptr;
    QLineEdit* edtNLThickness = nullptr;
    QLineEdit* edtNLInitTemp = nullptr;
    QLineEdit* edtNLPICTemp = nullptr;
    TUpDownSpinner* udnNLThickness = nullptr;
    TUpDownSpinner* udnNLInitTemp = nullptr;
    TUpDownSpinner* udnNLPICTemp = nullptr;

    QGroupBox* gbxWindSpeed = nullptr;
    QRadioButton* rbnWSFeeble = nullptr;
    QRadioButton* rbnWSModerate = nullptr;
    QRadioButton* rbnWSStrong = nullptr;

    QGroupBox* gbxCloud = nullptr;
    QRadioButton* rbnCWispy = nullptr;
    QRadioButton* rbnCCover = nullptr;
    QRadioButton* rbnCHeavyCover = nullptr;

    QGroupBox* gbxPoseData = nullptr;
    QLabel* lblPDDate = nullptr;
    QLabel* lblPDTime = nullptr;
    TClickablePicture* imgPDDate = nullptr;
    TClickablePicture* imgPDTime = nullptr;
    QDateEdit* dtpPDDate = nullptr;
    QTimeEdit* dtpPDTime = nullptr;
    QGroupBox* gbxPDGMT = nullptr;
    QRadioButton* rbnPDSummerHour = nullptr;
    QRadioButton* rbnPDWinterHour = nullptr;

    QGroupBox* gbxResults = nullptr;
    QPushButton* btnCompute = nullptr;
    QLabel* lblRPICDate = nullptr;
    QLabel* lblRPICTime = nullptr;
    QLineEdit* edtRPICDate = nullptr;
    QProgressBar* pbrRCompute = nullptr;
    QLineEdit* edtRPICTime = nullptr;
    QLabel* lblRPICClock = nullptr;  // the reopening's clock, where it is not the laying's

    void SetupUi(QWidget* frame);
};
