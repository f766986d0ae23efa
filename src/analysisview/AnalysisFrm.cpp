#include "AnalysisFrm.h"

#include "AnalysisExport.h"
#include "AnalysisMoments.h"
#include "AnalysisReport.h"
#include "AnalysisSummary.h"
#include "AnalysisTexts.h"
#include "CoolingChart.h"
#include "DepthProfileChart.h"
#include "EnsembleChart.h"
#include "EnsembleSummary.h"
#include "EnsembleTexts.h"
#include "ExportQuestions.h"
#include "HoverChartView.h"
#include "HoverReadout.h"
#include "LayingPlanView.h"
#include "MessagePresenter.h"
#include "RegionalFormat.h"
#include "SitePanel.h"
#include "SiteSummary.h"
#include "SiteTexts.h"
#include "WeatherChoice.h"
#include "WeatherPanel.h"
#include "WhatIfTable.h"

#include <QBuffer>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// Lines of text the summary area shows at once: the frame's and the site's
// answers, the night warning and the compaction of up to four lifts; more
// scrolls, so that the tabs below never move under the mouse.
constexpr int SummaryLines = 8;

}  // namespace

TAnalysisFrm::TAnalysisFrm(
    TLanguagesMgrCls& texts, TMessagePresenter& presenter, TExportQuestions& questions, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , FTexts(texts)
    , FPresenter(presenter)
    , FQuestions(questions)
    , FSummaryArea(new QScrollArea(this))
    , FSummary(new QLabel(this))
    , FNight(new QLabel(this))
    , FCompaction(new QLabel(this))
    , FWeatherNote(new QLabel(this))
    , FEnsembleLine(new QLabel(this))
    , FTabs(new QTabWidget(this))
    , FCoolingView(new THoverChartView())
    , FHover(new QLabel())
    , FDepth(new TDepthProfileChart())
    , FWhatIf(new TWhatIfTable())
    , FWhatIfLegend(new QLabel())
    , FPlan(new TLayingPlanView())
    , FWeather(new TWeatherPanel(presenter, questions, texts.Language))
    , FSite(new TSitePanel(presenter, texts.Language))
    , FProgress(new QProgressBar(this))
    , FStop(new QPushButton(this))
    , FSaveCsv(new QPushButton(this))
    , FSavePng(new QPushButton(this))
{
    setObjectName(QStringLiteral("frmAnalysis"));
    FSummary->setObjectName(QStringLiteral("summary"));
    FSummary->setWordWrap(true);
    FNight->setObjectName(QStringLiteral("nightWarning"));
    FNight->setWordWrap(true);
    FNight->setStyleSheet(QStringLiteral("color: #a01414; font-weight: bold;"));
    FCompaction->setObjectName(QStringLiteral("compaction"));
    FWeatherNote->setObjectName(QStringLiteral("weatherSummaryNote"));
    FWeatherNote->setWordWrap(true);
    FWeatherNote->setVisible(false);
    FEnsembleLine->setObjectName(QStringLiteral("ensembleSummary"));
    FEnsembleLine->setWordWrap(true);
    FEnsembleLine->setStyleSheet(QStringLiteral("font-weight: bold;"));
    FEnsembleLine->setVisible(false);
    FHover->setObjectName(QStringLiteral("hover"));
    FHover->setMinimumHeight(FHover->fontMetrics().height());
    FWhatIfLegend->setWordWrap(true);
    FProgress->setObjectName(QStringLiteral("progress"));
    FProgress->setVisible(false);
    FStop->setVisible(false);
    FPreviousNotice = new QLabel(this);
    FPreviousNotice->setObjectName(QStringLiteral("previousComputation"));
    FPreviousNotice->setWordWrap(true);
    FPreviousNotice->setStyleSheet(QStringLiteral("color: #a01414; font-weight: bold;"));
    FPreviousNotice->setVisible(false);

    auto* coolingPage = new QWidget();
    auto* coolingLayout = new QVBoxLayout(coolingPage);
    coolingLayout->addWidget(FCoolingView, 1);
    coolingLayout->addWidget(FHover);
    auto* whatIfPage = new QWidget();
    auto* whatIfLayout = new QVBoxLayout(whatIfPage);
    whatIfLayout->addWidget(FWhatIf, 1);
    whatIfLayout->addWidget(FWhatIfLegend);
    FTabs->addTab(coolingPage, QString());
    FTabs->addTab(FDepth, QString());
    FTabs->addTab(whatIfPage, QString());
    FTabs->addTab(FPlan, QString());
    FWeatherPage = new QScrollArea();
    FWeatherPage->setWidget(FWeather);
    FWeatherPage->setWidgetResizable(true);
    FWeatherPage->setFrameShape(QFrame::NoFrame);
    FTabs->addTab(FWeatherPage, QString());
    FTabs->addTab(FSite, QString());

    auto* bottom = new QHBoxLayout();
    bottom->addWidget(FProgress, 1);
    bottom->addWidget(FStop);
    bottom->addStretch();
    bottom->addWidget(FSaveCsv);
    bottom->addWidget(FSavePng);
    auto* summary = new QWidget();
    auto* summaryLayout = new QVBoxLayout(summary);
    summaryLayout->setContentsMargins(0, 0, 0, 0);
    for (QLabel* label : {FPreviousNotice, FSummary, FEnsembleLine, FNight, FCompaction, FWeatherNote}) {
        summaryLayout->addWidget(label);
    }
    summaryLayout->addStretch();
    FSummaryArea->setObjectName(QStringLiteral("summaryArea"));
    FSummaryArea->setWidget(summary);
    FSummaryArea->setWidgetResizable(true);
    FSummaryArea->setFrameShape(QFrame::NoFrame);
    FSummaryArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FSummaryArea->setFixedHeight(SummaryLines * fontMetrics().lineSpacing() + summaryLayout->spacing());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FSummaryArea);
    layout->addWidget(FTabs, 1);
    layout->addLayout(bottom);
    resize(StartSize);

    connect(FCoolingView, &THoverChartView::hoveredAt, this,
        [this](qint64 ms) { ShowHoverAt(AnalysisMoments::FromMsSinceEpoch(ms)); });
    connect(FCoolingView, &THoverChartView::left, FHover, &QLabel::clear);
    connect(&FRunner, &TAnalysisRunner::finished, this, &TAnalysisFrm::BackgroundFinished);
    connect(&FRunner, &TAnalysisRunner::progressed, this, &TAnalysisFrm::BackgroundProgressed);
    connect(&FRunner, &TAnalysisRunner::membersFinished, this, &TAnalysisFrm::MembersFinished);
    connect(&FRunner, &TAnalysisRunner::stopped, this, &TAnalysisFrm::BackgroundStopped);
    connect(FStop, &QPushButton::clicked, &FRunner, &TAnalysisRunner::Stop);
    connect(FWeather, &TWeatherPanel::weatherChanged, this, &TAnalysisFrm::WeatherChanged);
    connect(FSite, &TSitePanel::siteChanged, this, &TAnalysisFrm::WeatherChanged);
    connect(FSaveCsv, &QPushButton::clicked, this, [this] { SaveCurveCsv(); });
    connect(FSavePng, &QPushButton::clicked, this, [this] { SaveChartPng(); });
    connect(FTabs, &QTabWidget::currentChanged, this, &TAnalysisFrm::EnableExports);
    UpdateTexts();
    EnableExports();
}

TAnalysisFrm::~TAnalysisFrm() = default;

void TAnalysisFrm::ShowComputation(const TScenario& scenario, const TRunOutcome& outcome)
{
    FComputation = TComputation{scenario, outcome};
    // The site stays as described: a new computation is the same site.
    FSite->SetLaying(scenario);
    FStale = true;
    FPrevious = false;
    FPreviousNotice->setVisible(false);
    EnableExports();
    if (isVisible()) {
        Refresh();
    } else {
        // A hidden window shows nothing: what it would compute is stale already.
        FRunner.Stop();
    }
}

const TAnalysisSnapshot& TAnalysisFrm::Snapshot()
{
    if (FStale) {
        Refresh();
    }
    return FSnapshot;
}

void TAnalysisFrm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (FStale) {
        Refresh();
    }
}

void TAnalysisFrm::Refresh()
{
    FStale = false;
    if (!FComputation) {
        return;
    }
    FWeather->SetLayingDate(FComputation->Scenario.LayingDate);
    const TWeatherChoice choice = FWeather->Choice();
    FSnapshotChoice = choice;
    // The frame's scenario, with the window's compaction-end temperature: the
    // what-if varies its classes, whatever weather is chosen.
    TScenario classes = FComputation->Scenario;
    classes.CompactionTemp = choice.CompactionTemp;
    TScenario site = classes;
    ApplyWeatherChoice(choice, site);
    // The panel takes only lifts the laying it knows takes; a new computation
    // may lay elsewhere: the lifts are then left out, and the note says why.
    const std::optional<TSiteRefusal> refusal = ApplySiteChoice(FSite->Choice(), site);
    if (refusal) {
        site.RoadWarmth = FSite->Choice().RoadWarmth;
    }
    if (choice.Kind == TWeatherKind::Classes && !site.RoadWarmth && site.Lifts.empty()) {
        FSnapshot = MakeAnalysisSnapshot(classes, FComputation->Outcome);
    } else {
        FSnapshot = MakeSiteSnapshot(classes, FComputation->Outcome, site,
            choice.Kind == TWeatherKind::Classes ? QString() : WeatherSourceText(choice));
        FSnapshot.WeatherAttributed = !WeatherAttributionText(choice, FTexts.Language).isEmpty();
        if (choice.Kind == TWeatherKind::Ensemble && choice.Ensemble && !FSnapshot.WeatherFailed) {
            FSnapshot.TopMember
                = QString::fromStdString(choice.Ensemble->Members.at(choice.Ensemble->TopMember()).Name);
        }
    }
    FSnapshot.SiteRefusal = refusal;
    FSite->ShowRoad(SiteSummary::ExistingRoadText(FSnapshot, FTexts.Language));
    FWeather->ShowRun(FSnapshot.Scenario, FSnapshot.Outcome.ResultSeconds);
    FWhatIfCells.clear();
    FEnsemble.reset();
    FWhatIf->SetCells({}, classes.Wind, classes.Cloud);
    FPlan->Clear();
    // The what-if varies the classes of the site as drawn: its lifts and the road's warmth kept.
    TScenario whatIf = classes;
    whatIf.Lifts = FSnapshot.Scenario.Lifts;
    whatIf.RoadWarmth = FSnapshot.Scenario.RoadWarmth;
    std::optional<TEnsembleRequest> ensemble;
    if (choice.Kind == TWeatherKind::Ensemble && choice.Ensemble && !FSnapshot.WeatherFailed) {
        ensemble = TEnsembleRequest{choice.Ensemble, choice.Target};
    }
    FRunner.Start(whatIf, FSnapshot.Scenario, ensemble);
    FProgress->setRange(0, 0);
    FProgress->setVisible(true);
    FStop->setVisible(true);
    ShowTexts();
    RebuildCoolingChart();
    FDepth->SetSnapshot(FSnapshot, FTexts.Language);
}

void TAnalysisFrm::WeatherChanged()
{
    if (!FComputation) {
        return;
    }
    FStale = true;
    if (isVisible()) {
        Refresh();
    }
}

QString TAnalysisFrm::WeatherSourceText(const TWeatherChoice& choice) const
{
    const TLanguage language = FTexts.Language;
    if (choice.Kind == TWeatherKind::Forecast || choice.Kind == TWeatherKind::Ensemble) {
        return WeatherOriginText(choice, language);
    }
    QStringList given;
    if (choice.AirTemp) {
        given
            << AnalysisTexts::Text(language, TAnalysisText::ValueAir).arg(RegionalFormat::FormatReal(*choice.AirTemp));
    }
    if (choice.WindSpeed) {
        given << AnalysisTexts::Text(language, TAnalysisText::ValueWind)
                     .arg(RegionalFormat::FormatReal(*choice.WindSpeed));
    }
    if (choice.CloudCover) {
        given << AnalysisTexts::Text(language, TAnalysisText::ValueCloud)
                     .arg(RegionalFormat::FormatReal(*choice.CloudCover));
    }
    return AnalysisTexts::Text(language, TAnalysisText::WeatherUsed)
        .arg(AnalysisTexts::Text(language, TAnalysisText::WeatherValuesGiven).arg(given.join(QStringLiteral(", "))));
}

void TAnalysisFrm::ShowAsPrevious()
{
    FPrevious = true;
    FPreviousNotice->setVisible(true);
    EnableExports();
}

void TAnalysisFrm::EnableExports()
{
    const bool current = FComputation.has_value() && !FPrevious;
    FSaveCsv->setEnabled(current);
    // A table has no chart: nothing there for a PNG.
    FSavePng->setEnabled(current && ShownChart() != nullptr);
}

void TAnalysisFrm::UpdateTexts()
{
    const TLanguage language = FTexts.Language;
    const auto text = [language](TAnalysisText id) { return AnalysisTexts::Text(language, id); };
    setWindowTitle(text(TAnalysisText::WindowTitle));
    FPreviousNotice->setText(text(TAnalysisText::PreviousComputation));
    FTabs->setTabText(0, text(TAnalysisText::TabCooling));
    FTabs->setTabText(1, text(TAnalysisText::TabDepth));
    FTabs->setTabText(2, text(TAnalysisText::TabWhatIf));
    FTabs->setTabText(3, text(TAnalysisText::TabPlan));
    FTabs->setTabText(FTabs->indexOf(FWeatherPage), text(TAnalysisText::TabWeather));
    FTabs->setTabText(FTabs->indexOf(FSite), SiteTexts::Text(language, TSiteText::TabSite));
    FWeather->UpdateTexts(language);
    FSite->UpdateTexts(language);
    FStop->setText(text(TAnalysisText::Stop));
    FSaveCsv->setText(text(TAnalysisText::SaveCsv));
    FSavePng->setText(text(TAnalysisText::SavePng));
    FProgress->setFormat(text(TAnalysisText::Busy));
    FWhatIfLegend->setText(text(TAnalysisText::WhatIfLegend));
    FWhatIf->UpdateTexts(FTexts);
    FPlan->UpdateTexts(language);
    FHover->clear();
    if (FComputation && !FStale) {
        // The weather's source is a text of the snapshot: written again in the new language.
        if (!FSnapshot.WeatherSource.isEmpty()) {
            FSnapshot.WeatherSource = WeatherSourceText(FSnapshotChoice);
        }
        ShowTexts();
        RebuildCoolingChart();
        FDepth->SetSnapshot(FSnapshot, language);
        FSite->ShowRoad(SiteSummary::ExistingRoadText(FSnapshot, language));
    }
}

void TAnalysisFrm::ShowTexts()
{
    FSummary->setText(SummaryText(FSnapshot, FTexts.Language));
    const QString night = NightWarningText(FSnapshot, FTexts.Language);
    FNight->setText(night);
    FNight->setVisible(!night.isEmpty());
    FCompaction->setText(CompactionText(FSnapshot, FTexts.Language));
    QStringList ensemble;
    if (FEnsemble) {
        ensemble << EnsembleRangeText(FEnsemble->Outcome, FTexts.Language);
        if (const QString ready = EnsembleReadyText(*FEnsemble, FTexts.Language); !ready.isEmpty()) {
            ensemble << ready;
        }
        if (const QString none = EnsembleNoReopeningText(*FEnsemble, FTexts.Language); !none.isEmpty()) {
            ensemble << none;
        }
    }
    FEnsembleLine->setText(ensemble.join(QLatin1Char('\n')));
    FEnsembleLine->setVisible(!ensemble.isEmpty());
    QStringList notes{
        WeatherNoteText(FSnapshot, FTexts.Language), SiteSummary::SiteNoteText(FSnapshot, FTexts.Language)};
    notes.removeAll(QString());
    const QString weather = notes.join(QLatin1Char('\n'));
    FWeatherNote->setText(weather);
    FWeatherNote->setVisible(!weather.isEmpty());
    // The what-if stays on the classes, and says so when a weather is chosen.
    FWhatIfLegend->setText(AnalysisTexts::Text(FTexts.Language, TAnalysisText::WhatIfLegend)
        + (FSnapshot.WeatherSource.isEmpty()
                ? QString()
                : QLatin1Char(' ') + AnalysisTexts::Text(FTexts.Language, TAnalysisText::WhatIfOnClasses)));
}

void TAnalysisFrm::RebuildCoolingChart()
{
    QChart* old = FCoolingView->chart();
    FCoolingView->setChart(FEnsemble ? EnsembleChart::Build(*FEnsemble, FSnapshot.Scenario, FTexts.Language)
                                     : CoolingChart::Build(FSnapshot, FTexts.Language));
    delete old;
    if (FEnsemble) {
        ConnectMemberHover();
    }
}

void TAnalysisFrm::ConnectMemberHover()
{
    for (QAbstractSeries* series : FCoolingView->chart()->series()) {
        auto* line = qobject_cast<QLineSeries*>(series);
        const QVariant index = series->property(EnsembleChart::MemberProperty);
        if (!line || !index.isValid()) {
            continue;
        }
        const auto member = static_cast<std::size_t>(index.toULongLong());
        connect(line, &QLineSeries::hovered, this, [this, member](const QPointF&, bool state) {
            if (!state || !FEnsemble || member >= FEnsemble->Outcome.Runs.size()) {
                return;
            }
            const TRunOutcome& run = FEnsemble->Outcome.Runs[member];
            const QString reopening = run.Succeeded() ? AnalysisMoments::FormatMoment(run, run.Reopening)
                    + AnalysisMoments::ClockNote(run, run.Reopening, FTexts.Language)
                                                      : EnsembleTexts::Text(FTexts.Language, TEnsembleText::RangeNone);
            FHover->setText(EnsembleTexts::Text(FTexts.Language, TEnsembleText::Hover)
                                .arg(QString::fromStdString(FEnsemble->Ensemble->Members.at(member).Name), reopening));
        });
    }
}

QWidget* TAnalysisFrm::ShownChart() const
{
    QWidget* page = FTabs->currentWidget();
    if (page == FDepth) {
        return FDepth->ChartWidget();
    }
    if (page == FPlan) {
        return FPlan->ChartWidget();
    }
    if (page == FCoolingView->parentWidget()) {
        return FCoolingView;
    }
    return nullptr;
}

QChart* TAnalysisFrm::CoolingChartShown() const
{
    return FCoolingView->chart();
}

void TAnalysisFrm::ShowHoverAt(double moment)
{
    // Over an ensemble the readout names the member under the mouse instead.
    if (FEnsemble) {
        return;
    }
    FHover->setText(HoverReadout(FSnapshot.Curve, FSnapshot.Outcome, moment, FTexts.Language));
}

void TAnalysisFrm::BackgroundProgressed(int done, int total)
{
    FProgress->setRange(0, total);
    FProgress->setValue(done);
}

void TAnalysisFrm::BackgroundFinished(const TBackgroundAnalysis& analysis)
{
    FProgress->setVisible(false);
    FStop->setVisible(false);
    FWhatIfCells = analysis.WhatIf;
    FWhatIf->SetCells(FWhatIfCells, FComputation->Scenario.Wind, FComputation->Scenario.Cloud);
    if (analysis.Ensemble && analysis.EnsemblePlan) {
        if (!FEnsemble) {
            MembersFinished(*analysis.Ensemble);
        }
        FPlan->SetEnsemblePlan(*analysis.EnsemblePlan, FSnapshot.Scenario.LayingDate);
        if (FSnapshotChoice.Target) {
            FPlan->SetDeadline(*FSnapshotChoice.Target);
        }
    } else {
        FPlan->SetPlan(analysis.Plan, FSnapshot.Scenario.LayingDate);
    }
}

void TAnalysisFrm::MembersFinished(const TEnsembleOutcome& members)
{
    FEnsemble = TEnsembleResult{FSnapshotChoice.Ensemble, members, FSnapshotChoice.Target};
    ShowTexts();
    RebuildCoolingChart();
}

void TAnalysisFrm::BackgroundStopped()
{
    if (!FRunner.IsRunning()) {
        FProgress->setVisible(false);
        FStop->setVisible(false);
    }
}

bool TAnalysisFrm::Save(
    const QString& title, const QString& filter, const QString& extension, const std::function<bool(QIODevice&)>& write)
{
    QString path = FQuestions.AskSaveFileName(this, title, filter);
    if (path.isEmpty()) {
        return false;
    }
    // A name typed without an extension gets the format's, as the filter shows it.
    if (QFileInfo(path).suffix().isEmpty()) {
        if (!path.endsWith(QLatin1Char('.'))) {
            path += QLatin1Char('.');
        }
        path += extension;
    }
    AnalysisExport::TSaveFailure failure;
    if (!AnalysisExport::SaveFile(path, write, &failure)) {
        FPresenter.ShowWarning(
            this, AnalysisExport::SaveFailedText(FTexts.Language, QFileInfo(path).fileName(), failure));
        return false;
    }
    return true;
}

bool TAnalysisFrm::SaveCurveCsv()
{
    // A report or export always describes what the frame shows.
    if (!FComputation || FPrevious) {
        return false;
    }
    const QByteArray csv = AnalysisExport::CurveCsv(Snapshot().Outcome);
    return Save(AnalysisTexts::Text(FTexts.Language, TAnalysisText::SaveCsv),
        AnalysisTexts::Text(FTexts.Language, TAnalysisText::CsvFilter), QStringLiteral("csv"),
        [&csv](QIODevice& file) { return file.write(csv) == csv.size(); });
}

bool TAnalysisFrm::SaveChartPng()
{
    if (!FComputation || FPrevious) {
        return false;
    }
    Snapshot();
    QWidget* chart = ShownChart();
    if (!chart) {
        return false;
    }
    const QImage image = chart == FDepth->ChartWidget() ? FDepth->ExportImage() : chart->grab().toImage();
    // The dialog names the chart: the button saves whichever tab is on show.
    const QString title = AnalysisTexts::Text(FTexts.Language, TAnalysisText::SavePngOf)
                              .arg(FTabs->tabText(FTabs->currentIndex()).remove(QLatin1Char('&')));
    return Save(title, AnalysisTexts::Text(FTexts.Language, TAnalysisText::PngFilter), QStringLiteral("png"),
        [&image](QIODevice& file) { return image.save(&file, "PNG"); });
}

bool TAnalysisFrm::ExportReport()
{
    if (!FComputation || FPrevious) {
        return false;
    }
    const TLanguage language = FTexts.Language;
    const std::optional<QString> site = FQuestions.AskText(this, AnalysisTexts::Text(language, TAnalysisText::SavePdf),
        AnalysisTexts::Text(language, TAnalysisText::SiteQuestion), FSiteName, AnalysisReport::SiteNameMaxLength);
    if (!site) {
        return false;
    }
    FSiteName = AnalysisReport::SiteNameOf(*site);
    TAnalysisReportContent content;
    content.Snapshot = &Snapshot();
    content.Texts = &FTexts;
    content.SiteName = FSiteName;
    content.Ensemble = FEnsemble ? &*FEnsemble : nullptr;
    content.ProgramVersion = FProgramVersion;
    // The site's legal clock, as every other moment of the report, whatever the computer's zone.
    content.PrintedAt = AnalysisMoments::ToDateTime(AnalysisMoments::LegalClockOf(QDateTime::currentDateTimeUtc()));
    if (!FWhatIfCells.empty()) {
        content.WhatIf = FWhatIfCells;
    } else if (auto cells = RunWeatherWhatIf(FComputation->Scenario)) {
        // Nine runs, a few milliseconds: not worth waiting for the background.
        content.WhatIf = std::move(*cells);
    }
    return Save(AnalysisTexts::Text(language, TAnalysisText::SavePdf),
        AnalysisTexts::Text(language, TAnalysisText::PdfFilter), QStringLiteral("pdf"),
        [&content](QIODevice& file) { return AnalysisReport::WritePdf(file, content); });
}
