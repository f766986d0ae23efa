#pragma once

#include "AnalysisTexts.h"
#include "ForecastFetcher.h"
#include "LanguagesMgrCls.h"
#include "WeatherChoice.h"

#include <QWidget>

#include <optional>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;
class TExportQuestions;
class TMessagePresenter;

// Where the site manager chooses the analysis's weather: the frame's classes,
// measured values, or a forecast imported from a file or downloaded for the
// site; and the compaction-end temperature. Shows the chosen weather hour by
// hour over the run on view. Keeps the last forecast and the coordinates as
// long as it lives; writes nothing. Borrows the presenter and the questions.
class TWeatherPanel : public QWidget {
    Q_OBJECT

public:
    TWeatherPanel(
        TMessagePresenter& presenter, TExportQuestions& questions, TLanguage language, QWidget* parent = nullptr);
    ~TWeatherPanel() override;

    // The choice as it stands; values with none given are the classes.
    TWeatherChoice Choice() const;
    void UpdateTexts(TLanguage language);
    // The run whose hours the table shows: from the scenario's laying to
    // runEndSeconds after it (its reopening).
    void ShowRun(const TScenario& scenario, double runEndSeconds);
    // The ensemble's target follows the plan's default deadline, 06:00 the
    // day after the laying, until the user sets one of their own.
    void SetLayingDate(double layingDate);

    // What the buttons do. Import asks for a file; a refused file or a failed
    // download is told through the presenter and changes nothing.
    void ImportForecast();
    void DownloadForecast();
    void ImportEnsemble();
    void DownloadEnsemble();
    void CancelDownload();
    bool IsDownloading() const { return FFetcher.IsFetching(); }

    TForecastFetcher& Fetcher() { return FFetcher; }
    QTableWidget* HoursTable() const { return FHours; }
    QLabel* SourceLabel() const { return FSource; }
    QLabel* NoteLabel() const { return FNote; }
    QLabel* WarningLabel() const { return FWarning; }

signals:
    void weatherChanged();

private:
    struct TForecast {
        std::shared_ptr<const TWeatherSource> Source;
        TWeatherOrigin Origin;
    };
    struct TEnsembleForecast {
        std::shared_ptr<const TEnsemble> Ensemble;
        TWeatherOrigin Origin;
        QString Model;  // asked of the service; empty for a file
    };
    struct TRun {
        TScenario Scenario;
        double EndSeconds = 0.0;
    };

    void ChoiceMayHaveChanged();
    void TakeForecast(TForecast forecast);
    void TakeEnsemble(TEnsembleForecast ensemble);
    void FetchedEnsemble(
        std::shared_ptr<const TEnsemble> ensemble, const QDateTime& fetchedUtc, const QString& service);

    void Fetched(std::shared_ptr<const TWeatherSource> source, const QDateTime& fetchedUtc, const QString& service);
    void FetchFailed(const TForecastFailure& failure);
    void ShowState();
    void ShowHours();
    QString Text(TAnalysisText id) const;
    QString ReadFailureText(TWeatherErrorKind kind) const;

    TMessagePresenter& FPresenter;
    TExportQuestions& FQuestions;
    TLanguage FLanguage;
    TForecastFetcher FFetcher;
    std::optional<TForecast> FForecast;
    std::optional<TEnsembleForecast> FEnsemble;
    bool FTargetSet = false;  // by the user
    bool FFetchingEnsemble = false;
    std::optional<TRun> FRun;
    TWeatherChoice FShown;  // the choice last announced
    double FFetchLatitude = 0.0;
    double FFetchLongitude = 0.0;

    QGroupBox* FBox;
    QRadioButton* FClasses;
    QRadioButton* FValues;
    QRadioButton* FForecastKind;
    QCheckBox* FAirGiven;
    QCheckBox* FWindGiven;
    QCheckBox* FCloudGiven;
    QDoubleSpinBox* FAirTemp;
    QDoubleSpinBox* FWindSpeed;
    QDoubleSpinBox* FCloudCover;
    QPushButton* FImport;
    QPushButton* FDownload;
    QPushButton* FCancel;
    QLabel* FLatitudeLabel;
    QLabel* FLongitudeLabel;
    QDoubleSpinBox* FLatitude;
    QDoubleSpinBox* FLongitude;
    QLabel* FSource;
    QRadioButton* FEnsembleKind;
    QPushButton* FImportEnsemble;
    QPushButton* FDownloadEnsemble;
    QLabel* FModelLabel;
    QComboBox* FModel;
    QLabel* FTargetLabel;
    QDateTimeEdit* FTarget;
    QLabel* FEnsembleSource;
    QLabel* FCompactionLabel;
    QDoubleSpinBox* FCompactionTemp;
    QTableWidget* FHours;
    QLabel* FNote;
    QLabel* FWarning;
};
