#include "WeatherPanel.h"

#include "AnalysisMoments.h"
#include "Ensemble.h"
#include "EnsembleRequest.h"
#include "EnsembleTexts.h"
#include "ExportQuestions.h"
#include "ForecastRequest.h"
#include "MessagePresenter.h"
#include "PICHourCls.h"
#include "RegionalFormat.h"
#include "WallClock.h"
#include "WeatherHours.h"
#include "WeatherSource.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

// The forecast is asked for around Belgium; the place first offered is the
// engine's own site, whose sun the model computes.
constexpr double SiteLatitudeMin = 49.0, SiteLatitudeMax = 52.0;
constexpr double SiteLongitudeMin = 2.0, SiteLongitudeMax = 7.0;
constexpr int Indent = 20;

// Latin digits and the regional decimal separator, as every number of the
// program reads, without digit grouping.
QLocale numberLocale()
{
    QLocale locale
        = RegionalFormat::DecimalSeparator() == ',' ? QLocale(QLocale::French, QLocale::Belgium) : QLocale::c();
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}

QDoubleSpinBox* spinBox(const char* name, double min, double max, int decimals, double value, QWidget* parent)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setLocale(numberLocale());
    box->setRange(min, max);
    box->setDecimals(decimals);
    box->setValue(value);
    box->setKeyboardTracking(false);
    return box;
}

// Where the weather comes from, and under it the attribution its licence asks for.
QString originLine(const TWeatherChoice& choice, TLanguage language)
{
    const QString attribution = WeatherAttributionText(choice, language);
    return WeatherOriginText(choice, language) + (attribution.isEmpty() ? QString() : QLatin1Char('\n') + attribution);
}

QString cellText(const std::optional<double>& value)
{
    return value ? RegionalFormat::FormatReal(*value) : QStringLiteral("\u2014");
}

}  // namespace

TWeatherPanel::TWeatherPanel(
    TMessagePresenter& presenter, TExportQuestions& questions, TLanguage language, QWidget* parent)
    : QWidget(parent)
    , FPresenter(presenter)
    , FQuestions(questions)
    , FLanguage(language)
    , FBox(new QGroupBox(this))
    , FClasses(new QRadioButton(FBox))
    , FValues(new QRadioButton(FBox))
    , FForecastKind(new QRadioButton(FBox))
    , FAirGiven(new QCheckBox(FBox))
    , FWindGiven(new QCheckBox(FBox))
    , FCloudGiven(new QCheckBox(FBox))
    , FAirTemp(spinBox("airTemp", WeatherSource::AirTempMin, WeatherSource::AirTempMax, 1, 15.0, FBox))
    , FWindSpeed(spinBox("windSpeed", WeatherSource::WindSpeedMin, WeatherSource::WindSpeedMax, 1, 3.0, FBox))
    , FCloudCover(spinBox("cloudCover", WeatherSource::CloudCoverMin, WeatherSource::CloudCoverMax, 0, 50.0, FBox))
    , FImport(new QPushButton(FBox))
    , FDownload(new QPushButton(FBox))
    , FCancel(new QPushButton(FBox))
    , FLatitudeLabel(new QLabel(FBox))
    , FLongitudeLabel(new QLabel(FBox))
    , FLatitude(spinBox("latitude", SiteLatitudeMin, SiteLatitudeMax, 2, TPICHourCls().Latitude, FBox))
    , FLongitude(spinBox("longitude", SiteLongitudeMin, SiteLongitudeMax, 2, TPICHourCls().Longitude, FBox))
    , FSource(new QLabel(FBox))
    , FEnsembleKind(new QRadioButton(FBox))
    , FImportEnsemble(new QPushButton(FBox))
    , FDownloadEnsemble(new QPushButton(FBox))
    , FModelLabel(new QLabel(FBox))
    , FModel(new QComboBox(FBox))
    , FTargetLabel(new QLabel(FBox))
    , FTarget(new QDateTimeEdit(FBox))
    , FEnsembleSource(new QLabel(FBox))
    , FCompactionLabel(new QLabel(this))
    , FCompactionTemp(spinBox("compactionTemp", TPICHourCls::CompactionTempMin, TPICHourCls::CompactionTempMax, 0,
          TPICHourCls::CompactionTempDefault, this))
    , FHours(new QTableWidget(this))
    , FNote(new QLabel(this))
    , FWarning(new QLabel(this))
{
    setObjectName(QStringLiteral("weatherPanel"));
    FClasses->setObjectName(QStringLiteral("weatherClasses"));
    FValues->setObjectName(QStringLiteral("weatherValues"));
    FForecastKind->setObjectName(QStringLiteral("weatherForecast"));
    FAirGiven->setObjectName(QStringLiteral("airTempGiven"));
    FWindGiven->setObjectName(QStringLiteral("windSpeedGiven"));
    FCloudGiven->setObjectName(QStringLiteral("cloudCoverGiven"));
    FImport->setObjectName(QStringLiteral("importForecast"));
    FDownload->setObjectName(QStringLiteral("downloadForecast"));
    FCancel->setObjectName(QStringLiteral("cancelDownload"));
    FSource->setObjectName(QStringLiteral("weatherSource"));
    FHours->setObjectName(QStringLiteral("weatherHours"));
    FNote->setObjectName(QStringLiteral("weatherNote"));
    FWarning->setObjectName(QStringLiteral("weatherWarning"));
    FSource->setWordWrap(true);
    FEnsembleKind->setObjectName(QStringLiteral("weatherEnsemble"));
    FImportEnsemble->setObjectName(QStringLiteral("importEnsemble"));
    FDownloadEnsemble->setObjectName(QStringLiteral("downloadEnsemble"));
    FModel->setObjectName(QStringLiteral("ensembleModel"));
    FTarget->setObjectName(QStringLiteral("ensembleTarget"));
    FEnsembleSource->setObjectName(QStringLiteral("ensembleSource"));
    FEnsembleSource->setWordWrap(true);
    for (const char* model : EnsembleRequest::Models)
        FModel->addItem(QString::fromLatin1(model));
    FModel->setCurrentText(QString::fromLatin1(EnsembleRequest::DefaultModel));
    FModelLabel->setBuddy(FModel);
    FTargetLabel->setBuddy(FTarget);
    FTarget->setDisplayFormat(RegionalFormat::ShortDateFormat() + QStringLiteral(" HH:mm"));
    // A wall-clock reading of the site: no system zone may move or refuse it.
    FTarget->setTimeSpec(Qt::UTC);
    FTarget->setCalendarPopup(true);
    FNote->setWordWrap(true);
    FWarning->setWordWrap(true);
    FWarning->setStyleSheet(QStringLiteral("color: #a01414; font-weight: bold;"));
    FLatitudeLabel->setBuddy(FLatitude);
    FLongitudeLabel->setBuddy(FLongitude);
    FCompactionLabel->setBuddy(FCompactionTemp);
    FClasses->setChecked(true);
    auto* kinds = new QButtonGroup(this);
    for (QRadioButton* kind : {FClasses, FValues, FForecastKind, FEnsembleKind}) {
        kinds->addButton(kind);
    }
    FHours->setColumnCount(4);
    FHours->verticalHeader()->setVisible(false);
    // Rows as high as their text, not the default's roomy 30 px.
    FHours->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    FHours->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FHours->setSelectionMode(QAbstractItemView::NoSelection);
    FHours->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    const auto indented = [] {
        auto* row = new QHBoxLayout();
        row->setContentsMargins(Indent, 0, 0, 0);
        return row;
    };
    auto* values = indented();
    for (auto [given, box] : {std::pair{FAirGiven, FAirTemp}, {FWindGiven, FWindSpeed}, {FCloudGiven, FCloudCover}}) {
        values->addWidget(given);
        values->addWidget(box);
        values->addSpacing(12);
    }
    values->addStretch();
    auto* actions = indented();
    actions->addWidget(FImport);
    actions->addWidget(FDownload);
    actions->addWidget(FCancel);
    actions->addStretch();
    auto* site = indented();
    site->addWidget(FLatitudeLabel);
    site->addWidget(FLatitude);
    site->addSpacing(12);
    site->addWidget(FLongitudeLabel);
    site->addWidget(FLongitude);
    site->addStretch();
    auto* source = indented();
    source->addWidget(FSource, 1);
    auto* ensembleActions = indented();
    ensembleActions->addWidget(FImportEnsemble);
    ensembleActions->addWidget(FDownloadEnsemble);
    ensembleActions->addSpacing(12);
    ensembleActions->addWidget(FModelLabel);
    ensembleActions->addWidget(FModel);
    ensembleActions->addStretch();
    auto* target = indented();
    target->addWidget(FTargetLabel);
    target->addWidget(FTarget);
    target->addSpacing(12);
    target->addWidget(FEnsembleSource, 1);
    auto* boxLayout = new QVBoxLayout(FBox);
    boxLayout->addWidget(FClasses);
    boxLayout->addWidget(FValues);
    boxLayout->addLayout(values);
    boxLayout->addWidget(FForecastKind);
    boxLayout->addLayout(actions);
    boxLayout->addLayout(site);
    boxLayout->addLayout(source);
    boxLayout->addWidget(FEnsembleKind);
    boxLayout->addLayout(ensembleActions);
    boxLayout->addLayout(target);
    auto* compaction = new QHBoxLayout();
    compaction->addWidget(FCompactionLabel);
    compaction->addWidget(FCompactionTemp);
    compaction->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FBox);
    layout->addLayout(compaction);
    layout->addWidget(FHours, 1);
    layout->addWidget(FWarning);
    layout->addWidget(FNote);

    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
             FClasses, FValues, FForecastKind, FEnsembleKind, FAirGiven, FWindGiven, FCloudGiven}) {
        connect(button, &QAbstractButton::toggled, this, &TWeatherPanel::ChoiceMayHaveChanged);
    }
    for (QDoubleSpinBox* box : {FAirTemp, FWindSpeed, FCloudCover, FCompactionTemp}) {
        connect(box, &QDoubleSpinBox::valueChanged, this, &TWeatherPanel::ChoiceMayHaveChanged);
    }
    connect(FImport, &QPushButton::clicked, this, &TWeatherPanel::ImportForecast);
    connect(FImportEnsemble, &QPushButton::clicked, this, &TWeatherPanel::ImportEnsemble);
    connect(FDownloadEnsemble, &QPushButton::clicked, this, &TWeatherPanel::DownloadEnsemble);
    connect(FTarget, &QDateTimeEdit::dateTimeChanged, this, [this] {
        FTargetSet = true;
        ChoiceMayHaveChanged();
    });
    connect(FDownload, &QPushButton::clicked, this, &TWeatherPanel::DownloadForecast);
    connect(FCancel, &QPushButton::clicked, this, &TWeatherPanel::CancelDownload);
    connect(&FFetcher, &TForecastFetcher::fetched, this, &TWeatherPanel::Fetched);
    connect(&FFetcher, &TForecastFetcher::fetchedEnsemble, this, &TWeatherPanel::FetchedEnsemble);
    connect(&FFetcher, &TForecastFetcher::failed, this, &TWeatherPanel::FetchFailed);
    FShown = Choice();
    UpdateTexts(language);
}

TWeatherPanel::~TWeatherPanel() = default;

TWeatherChoice TWeatherPanel::Choice() const
{
    TWeatherChoice choice;
    choice.CompactionTemp = FCompactionTemp->value();
    if (FForecastKind->isChecked() && FForecast) {
        choice.Kind = TWeatherKind::Forecast;
        choice.Source = FForecast->Source;
        choice.Origin = FForecast->Origin;
    } else if (FEnsembleKind->isChecked() && FEnsemble) {
        choice.Kind = TWeatherKind::Ensemble;
        choice.Ensemble = FEnsemble->Ensemble;
        choice.Source = FEnsemble->Ensemble->Members.at(FEnsemble->Ensemble->TopMember()).Weather;
        choice.Origin = FEnsemble->Origin;
        choice.Model = FEnsemble->Model;
        const QDateTime target = FTarget->dateTime();
        choice.Target = static_cast<double>(QDate(1899, 12, 30).daysTo(target.date()))
            + target.time().msecsSinceStartOfDay() / 86400000.0;
    } else if (FValues->isChecked()) {
        const auto given = [](const QCheckBox* check, const QDoubleSpinBox* box) {
            return check->isChecked() ? std::optional<double>(box->value()) : std::nullopt;
        };
        choice.AirTemp = given(FAirGiven, FAirTemp);
        choice.WindSpeed = given(FWindGiven, FWindSpeed);
        choice.CloudCover = given(FCloudGiven, FCloudCover);
        if (choice.AirTemp || choice.WindSpeed || choice.CloudCover) {
            choice.Kind = TWeatherKind::Values;
        }
    }
    return choice;
}

QString TWeatherPanel::Text(TAnalysisText id) const
{
    return AnalysisTexts::Text(FLanguage, id);
}

void TWeatherPanel::UpdateTexts(TLanguage language)
{
    FLanguage = language;
    FBox->setTitle(Text(TAnalysisText::WeatherPanelTitle));
    FClasses->setText(Text(TAnalysisText::WeatherClasses));
    FValues->setText(Text(TAnalysisText::WeatherValues));
    FForecastKind->setText(Text(TAnalysisText::WeatherForecast));
    FAirGiven->setText(Text(TAnalysisText::WeatherAirTemp));
    FWindGiven->setText(Text(TAnalysisText::WeatherWindSpeed));
    FCloudGiven->setText(Text(TAnalysisText::WeatherCloudCover));
    FImport->setText(Text(TAnalysisText::WeatherImport));
    FDownload->setText(Text(TAnalysisText::WeatherDownload));
    FCancel->setText(Text(TAnalysisText::WeatherCancel));
    FLatitudeLabel->setText(Text(TAnalysisText::WeatherLatitude));
    FLongitudeLabel->setText(Text(TAnalysisText::WeatherLongitude));
    for (QWidget* coordinate :
        std::initializer_list<QWidget*>{FLatitudeLabel, FLatitude, FLongitudeLabel, FLongitude}) {
        coordinate->setToolTip(Text(TAnalysisText::WeatherCoordinatesTip));
    }
    FCompactionLabel->setText(Text(TAnalysisText::WeatherCompactionTemp));
    const auto ensembleText = [language](TEnsembleText id) { return EnsembleTexts::Text(language, id); };
    FEnsembleKind->setText(ensembleText(TEnsembleText::WeatherEnsemble));
    FImportEnsemble->setText(ensembleText(TEnsembleText::ImportEnsemble));
    FDownloadEnsemble->setText(ensembleText(TEnsembleText::DownloadEnsemble));
    FModelLabel->setText(ensembleText(TEnsembleText::Model));
    FTargetLabel->setText(ensembleText(TEnsembleText::Target));
    FHours->setHorizontalHeaderLabels({Text(TAnalysisText::WeatherHour), Text(TAnalysisText::WeatherAirColumn),
        Text(TAnalysisText::WeatherWindColumn), Text(TAnalysisText::WeatherCloudColumn)});
    ShowState();
    ShowHours();
}

void TWeatherPanel::ShowRun(const TScenario& scenario, double runEndSeconds)
{
    FRun = TRun{scenario, runEndSeconds};
    ShowHours();
}

void TWeatherPanel::ChoiceMayHaveChanged()
{
    ShowState();
    const TWeatherChoice choice = Choice();
    if (choice == FShown) {
        return;
    }
    FShown = choice;
    ShowHours();
    emit weatherChanged();
}

void TWeatherPanel::ShowState()
{
    const bool values = FValues->isChecked();
    for (auto [given, box] : {std::pair{FAirGiven, FAirTemp}, {FWindGiven, FWindSpeed}, {FCloudGiven, FCloudCover}}) {
        given->setEnabled(values);
        box->setEnabled(values && given->isChecked());
    }
    const bool fetching = FFetcher.IsFetching();
    // Download and Cancel hand the focus to each other: a button disabled with
    // the focus would send it on to wherever the focus chain leads.
    QPushButton* const usable = fetching ? FCancel : FDownload;
    QPushButton* const unusable = fetching ? FDownload : FCancel;
    usable->setEnabled(true);
    if (window()->focusWidget() == unusable) {
        usable->setFocus();
    }
    FForecastKind->setEnabled(FForecast.has_value());
    FEnsembleKind->setEnabled(FEnsemble.has_value());
    FImport->setEnabled(!fetching);
    FDownload->setEnabled(!fetching);
    FImportEnsemble->setEnabled(!fetching);
    FDownloadEnsemble->setEnabled(!fetching);
    FModel->setEnabled(!fetching);
    FTarget->setEnabled(FEnsembleKind->isChecked());
    if (fetching && FFetchingEnsemble) {
        FEnsembleSource->setText(Text(TAnalysisText::WeatherDownloading).arg(EnsembleRequest::ServiceUrl().host()));
    } else if (FEnsemble) {
        TWeatherChoice ensemble;
        ensemble.Kind = TWeatherKind::Ensemble;
        ensemble.Ensemble = FEnsemble->Ensemble;
        ensemble.Origin = FEnsemble->Origin;
        ensemble.Model = FEnsemble->Model;
        FEnsembleSource->setText(originLine(ensemble, FLanguage));
    } else {
        FEnsembleSource->clear();
    }
    FCancel->setEnabled(fetching);
    FLatitude->setEnabled(!fetching);
    FLongitude->setEnabled(!fetching);
    if (fetching && !FFetchingEnsemble) {
        FSource->setText(Text(TAnalysisText::WeatherDownloading).arg(ForecastRequest::ServiceUrl().host()));
    } else if (FForecast) {
        TWeatherChoice forecast;
        forecast.Kind = TWeatherKind::Forecast;
        forecast.Origin = FForecast->Origin;
        FSource->setText(originLine(forecast, FLanguage));
    } else {
        FSource->setText(Text(TAnalysisText::WeatherNoForecast));
    }
}

void TWeatherPanel::ShowHours()
{
    const TWeatherChoice choice = Choice();
    FHours->setRowCount(0);
    QStringList notes, warnings;
    if (choice.Kind == TWeatherKind::Classes) {
        notes << Text(TAnalysisText::WeatherClassesNote);
    }
    if (choice.Kind == TWeatherKind::Ensemble && choice.Ensemble) {
        notes << EnsembleTexts::Text(FLanguage, TEnsembleText::HoursOfTop)
                     .arg(QString::fromStdString(choice.Ensemble->Members.at(choice.Ensemble->TopMember()).Name));
    }
    FHours->setVisible(choice.Kind != TWeatherKind::Classes);
    if (FRun && choice.Kind != TWeatherKind::Classes) {
        const TWeatherHours hours = WeatherHours::Of(choice, FRun->Scenario, FRun->EndSeconds);
        FHours->setRowCount(static_cast<int>(hours.Hours.size()));
        bool dash = false;
        std::optional<QDate> day;
        for (int row = 0; row < FHours->rowCount(); ++row) {
            const TWeatherHour& hour = hours.Hours[static_cast<std::size_t>(row)];
            const QDate date = AnalysisMoments::ToDateTime(hour.WallMoment).date();
            QString moment = day == date ? AnalysisMoments::FormatClock(hour.WallMoment)
                                         : AnalysisMoments::FormatMoment(hour.WallMoment);
            if (WallClock::InRepeatedHour(hour.WallMoment, FRun->Scenario.Clock)) {
                moment += AnalysisMoments::ClockMark(hour.SummerTime, FLanguage);
            }
            day = date;
            const QString cells[]
                = {moment, cellText(hour.AirTemp), cellText(hour.WindSpeed), cellText(hour.CloudCover)};
            for (int column = 0; column < 4; ++column) {
                auto* item = new QTableWidgetItem(cells[column]);
                item->setTextAlignment(
                    column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
                if (hour.Held) {
                    item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
                }
                FHours->setItem(row, column, item);
            }
            dash = dash || !hour.AirTemp || !hour.WindSpeed || !hour.CloudCover;
        }
        if (!hours.Refusal.empty()) {
            // The reader's reason is for the log: the window speaks the user's language only.
            qWarning("%s", hours.Refusal.c_str());
            warnings << Text(TAnalysisText::WeatherUnorderedNote);
        }
        if (!hours.CoversLaying && hours.From && hours.Until) {
            warnings << Text(TAnalysisText::WeatherNotCoveringNote)
                            .arg(AnalysisMoments::FormatMoment(*hours.From),
                                AnalysisMoments::FormatMoment(*hours.Until),
                                AnalysisMoments::FormatMoment(hours.LayingWall));
        } else if (hours.HeldFrom) {
            warnings << Text(TAnalysisText::WeatherHeldNote).arg(AnalysisMoments::FormatMoment(*hours.HeldFrom));
        }
        if (hours.WarmUpFrom && hours.From) {
            notes << Text(TAnalysisText::WeatherWarmUpNotCovered)
                         .arg(AnalysisMoments::FormatMoment(*hours.From),
                             AnalysisMoments::FormatMoment(*hours.WarmUpFrom));
        }
        if (dash) {
            notes << Text(TAnalysisText::WeatherDashNote);
        }
    }
    FNote->setText(notes.join(QLatin1Char('\n')));
    FNote->setVisible(!notes.isEmpty());
    FWarning->setText(warnings.join(QLatin1Char('\n')));
    FWarning->setVisible(!warnings.isEmpty());
}

void TWeatherPanel::TakeForecast(TForecast forecast)
{
    FForecast = std::move(forecast);
    FForecastKind->setEnabled(true);
    if (FForecastKind->isChecked()) {
        ChoiceMayHaveChanged();
    } else {
        FForecastKind->setChecked(true);  // announces the change through toggled
    }
    ShowState();
}

// Why a file was refused, in the window's language; the English detail
// (line, value) goes to the log.
QString TWeatherPanel::ReadFailureText(TWeatherErrorKind kind) const
{
    switch (kind) {
    case TWeatherErrorKind::Unreadable:
        return Text(TAnalysisText::WeatherReadUnreadable);
    case TWeatherErrorKind::TooLarge:
        return Text(TAnalysisText::WeatherReadTooLarge)
            .arg(QStringLiteral("%1"), QString::number(WeatherSource::MaxFileMiB));
    case TWeatherErrorKind::OutOfRange:
        return Text(TAnalysisText::WeatherReadOutOfRange);
    case TWeatherErrorKind::TooManyPoints:
        return Text(TAnalysisText::WeatherReadTooManyPoints)
            .arg(QStringLiteral("%1"), QString::number(WeatherSource::MaxPoints));
    case TWeatherErrorKind::Malformed:
    case TWeatherErrorKind::NotIncreasing:
    case TWeatherErrorKind::MemberCount:
        break;
    }
    return Text(TAnalysisText::WeatherReadFailed);
}

void TWeatherPanel::ImportForecast()
{
    const QString path = FQuestions.AskOpenFileName(
        this, Text(TAnalysisText::WeatherImportTitle), Text(TAnalysisText::WeatherFileFilter));
    if (path.isEmpty()) {
        return;
    }
    try {
        auto source
            = std::make_shared<const TWeatherSource>(WeatherSource::ReadFile(QFile::encodeName(path).toStdString()));
        TakeForecast({std::move(source), TWeatherOrigin{path, {}, {}, 0.0, 0.0}});
    } catch (const TWeatherError& error) {
        FPresenter.ShowWarning(this, ReadFailureText(error.Kind()).arg(QFileInfo(path).fileName()));
        qWarning("%s", error.what());
    }
}

void TWeatherPanel::DownloadForecast()
{
    FFetchLatitude = FLatitude->value();
    FFetchLongitude = FLongitude->value();
    // Back far enough for the road's warm-up before the laying on view.
    FFetcher.Fetch(FFetchLatitude, FFetchLongitude,
        FRun ? ForecastRequest::PastDaysFor(FRun->Scenario, QDateTime::currentDateTimeUtc().date())
             : ForecastRequest::PastDays);
    FFetchingEnsemble = false;
    ShowState();
}

void TWeatherPanel::ImportEnsemble()
{
    const QString path = FQuestions.AskOpenFileName(
        this, Text(TAnalysisText::WeatherImportTitle), Text(TAnalysisText::WeatherFileFilter));
    if (path.isEmpty()) {
        return;
    }
    try {
        auto ensemble
            = std::make_shared<const TEnsemble>(EnsembleSource::ReadFile(QFile::encodeName(path).toStdString()));
        TakeEnsemble({std::move(ensemble), TWeatherOrigin{path, {}, {}, 0.0, 0.0}, {}});
    } catch (const TWeatherError& error) {
        const QString file = QFileInfo(path).fileName();
        FPresenter.ShowWarning(this,
            error.Kind() == TWeatherErrorKind::MemberCount
                ? EnsembleTexts::Text(FLanguage, TEnsembleText::FileMemberCount).arg(file)
                : ReadFailureText(error.Kind()).arg(file));
        qWarning("%s", error.what());
    }
}

void TWeatherPanel::DownloadEnsemble()
{
    FFetchLatitude = FLatitude->value();
    FFetchLongitude = FLongitude->value();
    FFetcher.FetchEnsemble(FFetchLatitude, FFetchLongitude, FModel->currentText());
    FFetchingEnsemble = true;
    ShowState();
}

void TWeatherPanel::FetchedEnsemble(
    std::shared_ptr<const TEnsemble> ensemble, const QDateTime& fetchedUtc, const QString& service)
{
    TakeEnsemble({std::move(ensemble), TWeatherOrigin{{}, service, fetchedUtc, FFetchLatitude, FFetchLongitude},
        FModel->currentText()});
}

void TWeatherPanel::TakeEnsemble(TEnsembleForecast ensemble)
{
    FEnsemble = std::move(ensemble);
    FEnsembleKind->setEnabled(true);
    if (FEnsembleKind->isChecked()) {
        ChoiceMayHaveChanged();
    } else {
        FEnsembleKind->setChecked(true);  // announces the change through toggled
    }
    ShowState();
}

void TWeatherPanel::SetLayingDate(double layingDate)
{
    if (FTargetSet) {
        return;
    }
    const QSignalBlocker blocker(FTarget);
    FTarget->setDateTime(AnalysisMoments::ToDateTime(std::floor(layingDate) + 1.0 + 6.0 / 24.0));
}

void TWeatherPanel::CancelDownload()
{
    FFetcher.Cancel();
}

void TWeatherPanel::Fetched(
    std::shared_ptr<const TWeatherSource> source, const QDateTime& fetchedUtc, const QString& service)
{
    TakeForecast({std::move(source), TWeatherOrigin{{}, service, fetchedUtc, FFetchLatitude, FFetchLongitude}});
}

void TWeatherPanel::FetchFailed(const TForecastFailure& failure)
{
    ShowState();
    const QString& service = failure.Service;
    QString message;
    switch (failure.Kind) {
    case TForecastFailureKind::Cancelled:
        return;  // asked for: nothing to say
    case TForecastFailureKind::Unreachable:
        message = Text(TAnalysisText::WeatherFetchUnreachable).arg(service);
        break;
    case TForecastFailureKind::Refused:
        message = Text(TAnalysisText::WeatherFetchRefused).arg(service);
        break;
    case TForecastFailureKind::TimedOut:
        message = Text(TAnalysisText::WeatherFetchTimedOut).arg(service);
        break;
    case TForecastFailureKind::HttpStatus:
        message = Text(TAnalysisText::WeatherFetchHttpStatus).arg(service).arg(failure.HttpStatus);
        break;
    case TForecastFailureKind::Malformed:
        message = Text(TAnalysisText::WeatherFetchMalformed).arg(service);
        qWarning("%s", qPrintable(failure.Detail));
        break;
    case TForecastFailureKind::MemberCount:
        message = EnsembleTexts::Text(FLanguage, TEnsembleText::FetchMemberCount).arg(service);
        qWarning("%s", qPrintable(failure.Detail));
        break;
    case TForecastFailureKind::TooLarge:
        message
            = Text(TAnalysisText::WeatherFetchTooLarge).arg(service).arg(FFetcher.MaxBytes() / (qint64{1024} * 1024));
        break;
    case TForecastFailureKind::Truncated:
        message = Text(TAnalysisText::WeatherFetchTruncated).arg(service);
        break;
    case TForecastFailureKind::RedirectLoop:
        message = Text(TAnalysisText::WeatherFetchRedirectLoop).arg(service);
        break;
    case TForecastFailureKind::Other:
        message = Text(TAnalysisText::WeatherFetchOther).arg(service);
        qWarning("%s", qPrintable(failure.Detail));
        break;
    }
    FPresenter.ShowWarning(this, message);
}
