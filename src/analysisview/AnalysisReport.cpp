#include "AnalysisReport.h"

#include "AnalysisMoments.h"
#include "AnalysisSummary.h"
#include "AnalysisTexts.h"
#include "CoolingChart.h"
#include "EnsembleChart.h"
#include "EnsembleSummary.h"
#include "PICHourCls.h"
#include "RegionalFormat.h"
#include "SiteSummary.h"
#include "SiteTexts.h"
#include "TheTimeUtilsCls.h"
#include "WallClock.h"
#include "WhatIfTable.h"

#include <QBuffer>
#include <QGraphicsScene>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr double PageWidthMm = 210.0;
constexpr int PdfResolution = 300;  // dpi of the page's coordinates; the page stays vector graphics
constexpr double MarginMm = 15.0;
constexpr int SiteLinesMax = 3;
// The chart is laid out at this size in its own scene, then scaled onto the page.
constexpr QSizeF ChartSceneSize(900.0, 470.0);

// Draws lines of text downwards from a moving top, within the page's margins.
class TPageWriter {
public:
    TPageWriter(QPainter& painter, double mm) : FPainter(painter), FMm(mm), FTop(MarginMm * mm) { }

    double Left() const { return MarginMm * FMm; }
    double Width() const { return (PageWidthMm - 2.0 * MarginMm) * FMm; }
    double Top() const { return FTop; }
    void Skip(double mm) { FTop += mm * FMm; }

    void Line(const QString& text, double pointSize, bool bold = false, bool italic = false)
    {
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPointSizeF(pointSize);
        font.setBold(bold);
        font.setItalic(italic);
        FPainter.setFont(font);
        const QRectF box(Left(), FTop, Width(), 1e6);
        const QRectF used = FPainter.boundingRect(box, Qt::TextWordWrap, text);
        FPainter.drawText(box, Qt::TextWordWrap, text);
        FTop += used.height();
    }

    // Wraps the text to at most maxLines lines, the last one elided when the
    // text goes on: whatever its length, it keeps to its area of the page.
    void BoundedLine(const QString& text, double pointSize, bool bold, int maxLines)
    {
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPointSizeF(pointSize);
        font.setBold(bold);
        FPainter.setFont(font);
        const QFontMetricsF metrics(font, FPainter.device());
        QTextLayout layout(text, font, FPainter.device());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        QStringList lines;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid() && lines.size() < maxLines;
             line = layout.createLine()) {
            line.setLineWidth(Width());
            lines << text.mid(line.textStart(), line.textLength());
            if (lines.size() == maxLines && line.textStart() + line.textLength() < text.size()) {
                lines.back() = metrics.elidedText(text.mid(line.textStart()), Qt::ElideRight, Width());
            }
        }
        layout.endLayout();
        for (const QString& line : lines) {
            const QRectF box(Left(), FTop, Width(), metrics.height());
            FPainter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, line.trimmed());
            FTop += metrics.height();
        }
    }

private:
    QPainter& FPainter;
    double FMm;
    double FTop;
};

QString InputsText(const TAnalysisSnapshot& snapshot, const TLanguagesMgrCls& texts, TLanguage language)
{
    const TScenario& scenario = snapshot.Scenario;
    const TRunOutcome& outcome = snapshot.Outcome;
    const auto text = [language](TAnalysisText id) { return AnalysisTexts::Text(language, id); };
    const QString clock = texts.GetText(outcome.SummerTime ? TText::SummerTime : TText::WinterTime);
    return text(TAnalysisText::ReportThickness).arg(RegionalFormat::FormatReal(scenario.ThicknessCm))
        + QLatin1Char('\n') + text(TAnalysisText::ReportLayingTemp).arg(RegionalFormat::FormatReal(scenario.LayingTemp))
        + QLatin1Char('\n') + text(TAnalysisText::ReportReopenTemp).arg(RegionalFormat::FormatReal(scenario.ReopenTemp))
        + QLatin1Char('\n')
        + text(TAnalysisText::ReportWind).arg(texts.GetText(WindClassTexts.at(static_cast<std::size_t>(scenario.Wind))))
        + QLatin1Char('\n')
        + text(TAnalysisText::ReportCloud)
              .arg(texts.GetText(CloudClassTexts.at(static_cast<std::size_t>(scenario.Cloud))))
        + QLatin1Char('\n')
        + text(TAnalysisText::ReportLaying)
              .arg(AnalysisMoments::FormatMoment(outcome, outcome.Laying)
                  + AnalysisMoments::ClockNote(outcome, outcome.Laying, language))
        + QLatin1Char('\n') + text(TAnalysisText::ReportClock).arg(clock) + QLatin1Char('\n')
        + (snapshot.WeatherSource.isEmpty()
                ? text(TAnalysisText::WeatherUsed).arg(text(TAnalysisText::WeatherOfClasses))
                : WeatherNoteText(snapshot, language));
}

// The weather the run used, at whole hours from the laying: a column an hour,
// or every few hours so that at most WeatherColumnsMax columns are drawn. A
// column's moment carries the date where the day is not the previous
// column's, and in the hour the October change repeats the clock's mark.
void PaintWeather(
    QPainter& painter, TPageWriter& page, const TAnalysisSnapshot& snapshot, TLanguage language, double mm)
{
    const TRunOutcome& outcome = snapshot.Outcome;
    if (!outcome.History || outcome.History->AirTemps().empty()) {
        return;
    }
    const TCoolingHistory& history = *outcome.History;
    constexpr int LevelsPerHour = 3600 / TPICHourCls::TimeStep;
    constexpr int WeatherColumnsMax = 12;
    const int hours = (history.LevelCount() - 1) / LevelsPerHour + 1;
    const int step = (hours + WeatherColumnsMax - 1) / WeatherColumnsMax;
    const int columns = (hours + step - 1) / step;
    const auto text = [language](TAnalysisText id) { return AnalysisTexts::Text(language, id); };
    page.Line(text(TAnalysisText::ReportWeather), 11.0, true);
    if (snapshot.WeatherAttributed) {
        page.Line(text(TAnalysisText::WeatherAttribution), 8.0);
    }
    page.Skip(1.0);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(7.5);
    // The date and the clock's mark, smaller, under the hour.
    QFont small = font;
    small.setPointSizeF(6.0);
    const double headerWidth = 22.0 * mm;
    const double cellWidth = (page.Width() - headerWidth) / WeatherColumnsMax;
    const double rowHeight = 4.5 * mm;
    const auto levelOf = [step](int column) { return column * step * LevelsPerHour; };
    const auto momentOf = [&](int column) {
        return TheTimeUtilsCls::AddDuration(outcome.Laying, levelOf(column) * TPICHourCls::TimeStep);
    };
    QStringList below;  // under each column's hour
    QDate previousDay;
    for (int column = 0; column < columns; ++column) {
        const double moment = momentOf(column);
        const WallClock::TWallMoment wall = outcome.Wall(moment);
        QStringList lines;
        if (WallClock::InRepeatedHour(wall.Moment, outcome.Clock)) {
            lines << AnalysisTexts::Text(
                language, wall.SummerTime ? TAnalysisText::SummerTime : TAnalysisText::WinterTime);
        }
        const QDate day = AnalysisMoments::WallDateTime(outcome, moment).date();
        if (day != previousDay) {
            lines << RegionalFormat::FormatDate(day);
        }
        previousDay = day;
        below << lines.join(QLatin1Char('\n'));
    }
    painter.setFont(small);
    double belowHeight = 0.0;
    for (const QString& lines : below) {
        belowHeight = std::max(belowHeight,
            painter.boundingRect(QRectF(0.0, 0.0, cellWidth, 1e6), Qt::AlignHCenter | Qt::TextWordWrap, lines)
                .height());
    }
    const TAnalysisText heads[] = {TAnalysisText::WeatherHour, TAnalysisText::WeatherAirColumn,
        TAnalysisText::WeatherWindColumn, TAnalysisText::WeatherCloudColumn};
    double top = page.Top();
    for (int row = 0; row < 4; ++row) {
        painter.setFont(font);
        painter.drawText(
            QRectF(page.Left(), top, headerWidth, rowHeight), Qt::AlignVCenter | Qt::AlignLeft, text(heads[row]));
        for (int column = 0; column < columns; ++column) {
            const int level = levelOf(column);
            const QRectF cell(page.Left() + headerWidth + column * cellWidth, top, cellWidth, rowHeight);
            QString value;
            switch (row) {
            case 0:
                value = AnalysisMoments::FormatClock(outcome, momentOf(column));
                painter.setFont(small);
                painter.drawText(QRectF(cell.left(), cell.bottom(), cellWidth, belowHeight),
                    Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, below.at(column));
                painter.setFont(font);
                break;
            case 1:
                value = RegionalFormat::FormatReal(history.AirTempAtLevel(level));
                break;
            case 2:
                value = RegionalFormat::FormatReal(history.WindSpeedAtLevel(level));
                break;
            default:
                value = QString::number(std::lround(history.CloudCoverAtLevel(level)));
                break;
            }
            painter.drawText(cell, Qt::AlignCenter, value);
        }
        top += rowHeight + (row == 0 ? belowHeight : 0.0);
    }
    page.Skip((top - page.Top()) / mm + 3.0);
}

// The site: whether the existing road's warmth was used and its
// temperatures at the laying, and with further lifts a row for each: its
// layer, laying, compaction window's end and the lift below's mean.
void PaintSite(QPainter& painter, TPageWriter& page, const TAnalysisSnapshot& snapshot, TLanguage language, double mm)
{
    const TRunOutcome& outcome = snapshot.Outcome;
    if (!outcome.Succeeded()) {
        return;
    }
    const auto text = [language](TSiteText id) { return SiteTexts::Text(language, id); };
    page.Line(text(TSiteText::ReportTitle), 11.0, true);
    const auto road = outcome.RoadWarmth ? ExistingRoadAtLaying(outcome) : std::nullopt;
    page.Line(road ? text(TSiteText::ReportWarmthOn).arg(SiteSummary::ExistingRoadText(snapshot, language))
                   : text(TSiteText::ReportWarmthOff).arg(RegionalFormat::FormatReal(outcome.BottomTemp)),
        9.0);
    // A site that gave no run, or lifts this laying does not take.
    if (const QString note = SiteSummary::SiteNoteText(snapshot, language); !note.isEmpty()) {
        page.Line(note, 9.0);
    }
    if (outcome.Lifts.size() < 2) {
        page.Skip(3.0);
        return;
    }
    page.Skip(1.0);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(8.0);
    const double widths[] = {12.0, 24.0, 26.0, 34.0, 34.0, 50.0};  // mm, 180 in all
    const double rowHeight = 4.5 * mm;
    double top = page.Top();
    const auto row = [&](const QStringList& cells, bool bold) {
        font.setBold(bold);
        painter.setFont(font);
        double left = page.Left();
        for (qsizetype n = 0; n < cells.size(); ++n) {
            const double width = widths[n] * mm;
            painter.drawText(QRectF(left, top, width, rowHeight), Qt::AlignVCenter | Qt::AlignLeft, cells.at(n));
            left += width;
        }
        top += rowHeight;
    };
    row({text(TSiteText::ColumnLift), text(TSiteText::ColumnThickness), text(TSiteText::ColumnLayingTemp),
            text(TSiteText::ReportLaid), text(TSiteText::ReportCompactionEnd), text(TSiteText::ReportBaseMean)},
        true);
    for (std::size_t n = 0; n < outcome.Lifts.size(); ++n) {
        const TLiftOutcome& lift = outcome.Lifts[n];
        row({QString::number(n + 1), RegionalFormat::FormatReal(lift.ThicknessCm),
                RegionalFormat::FormatReal(lift.LayingTemp),
                AnalysisMoments::FormatMoment(outcome, lift.Laid)
                    + AnalysisMoments::ClockNote(outcome, lift.Laid, language),
                SiteSummary::CompactionCell(snapshot, n, language),
                lift.BaseMeanTemp ? RegionalFormat::FormatReal(*lift.BaseMeanTemp) + QStringLiteral(" °C") : QString()},
            false);
    }
    page.Skip((top - page.Top()) / mm + 3.0);
}

void PaintChart(QPainter& painter, const TAnalysisSnapshot& snapshot, const TEnsembleResult* ensemble,
    TLanguage language, const QRectF& target)
{
    // A fresh chart in a scene of its own: the window's chart stays as it is.
    QGraphicsScene scene;
    QChart* chart = ensemble ? EnsembleChart::Build(*ensemble, snapshot.Scenario, language)
                             : CoolingChart::Build(snapshot, language);
    chart->setBackgroundVisible(false);
    scene.addItem(chart);
    chart->setGeometry(QRectF(QPointF(0.0, 0.0), ChartSceneSize));
    scene.setSceneRect(chart->geometry());
    scene.render(&painter, target, scene.sceneRect(), Qt::KeepAspectRatio);
}

void PaintWhatIf(QPainter& painter, TPageWriter& page, const std::vector<TWhatIfCell>& cells, const TScenario& computed,
    bool onClasses, const TLanguagesMgrCls& texts, TLanguage language, double mm)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(8.0);
    painter.setFont(font);
    const double headerWidth = 32.0 * mm;
    const double cellWidth = (page.Width() - headerWidth) / 3.0;
    const double rowHeight = 11.0 * mm;
    const double top = page.Top();
    const auto box = [&](int row, int column) {
        const double left = column == 0 ? page.Left() : page.Left() + headerWidth + (column - 1) * cellWidth;
        return QRectF(left, top + row * rowHeight, column == 0 ? headerWidth : cellWidth, rowHeight);
    };
    painter.setPen(QPen(Qt::black, 0.2 * mm));
    for (int n = 0; n < 3; ++n) {
        const auto index = static_cast<std::size_t>(n);
        painter.drawText(box(0, n + 1), Qt::AlignCenter, texts.GetText(CloudClassTexts.at(index)));
        painter.drawText(box(n + 1, 0), Qt::AlignVCenter | Qt::AlignLeft, texts.GetText(WindClassTexts.at(index)));
    }
    for (const TWhatIfCell& cell : cells) {
        const QRectF rect = box(static_cast<int>(cell.Wind) + 1, static_cast<int>(cell.Cloud) + 1);
        // The computed case as the window shows it: bold, and shaded.
        const bool isComputed = cell.Wind == computed.Wind && cell.Cloud == computed.Cloud;
        painter.setBrush(isComputed ? QBrush(QColor(225, 232, 245)) : QBrush(Qt::NoBrush));
        font.setBold(isComputed);
        painter.setFont(font);
        painter.drawRect(rect);
        painter.drawText(rect, Qt::AlignCenter | Qt::TextWordWrap, TWhatIfTable::CellText(cell.Outcome, language));
    }
    painter.setBrush(Qt::NoBrush);
    page.Skip(4.0 * rowHeight / mm + 1.0);
    page.Line(AnalysisTexts::Text(language, TAnalysisText::WhatIfLegend)
            + (onClasses ? QLatin1Char(' ') + AnalysisTexts::Text(language, TAnalysisText::WhatIfOnClasses)
                         : QString()),
        7.5, false, true);
    page.Skip(2.0);
}

// The page with the chart chartHeight high (device units), drawn or only
// measured; returns where the page's text ends.
double PaintPage(QPainter& painter, const TAnalysisReportContent& content, double chartHeight, bool drawChart)
{
    const TAnalysisSnapshot& snapshot = *content.Snapshot;
    const TLanguage language = content.Texts->Language;
    const auto text = [language](TAnalysisText id) { return AnalysisTexts::Text(language, id); };
    const double mm = painter.device()->width() / PageWidthMm;
    TPageWriter page(painter, mm);
    painter.setPen(Qt::black);

    page.Line(text(TAnalysisText::ReportTitle), 15.0, true);
    page.Skip(1.0);
    // No site named, no site line.
    if (const QString site = AnalysisReport::SiteNameOf(content.SiteName); !site.isEmpty()) {
        page.BoundedLine(text(TAnalysisText::ReportSite).arg(site), 11.0, true, SiteLinesMax);
    }
    page.Skip(3.0);
    page.Line(text(TAnalysisText::ReportInputs), 11.0, true);
    page.Line(InputsText(snapshot, *content.Texts, language), 9.0);
    page.Skip(3.0);
    page.Line(text(TAnalysisText::ReportResult), 11.0, true);
    page.Line(SummaryText(snapshot, language), 9.0);
    if (content.Ensemble) {
        page.Line(EnsembleRangeText(content.Ensemble->Outcome, language), 9.0, true);
        if (const QString ready = EnsembleReadyText(*content.Ensemble, language); !ready.isEmpty()) {
            page.Line(ready, 9.0, true);
        }
    }
    page.Line(CompactionText(snapshot, language), 9.0);
    const QString night = NightWarningText(snapshot, language);
    if (!night.isEmpty()) {
        painter.setPen(QColor(160, 20, 20));
        page.Line(night, 9.0, true);
        painter.setPen(Qt::black);
    }
    page.Skip(2.0);
    if (drawChart) {
        PaintChart(
            painter, snapshot, content.Ensemble, language, QRectF(page.Left(), page.Top(), page.Width(), chartHeight));
    }
    page.Skip(chartHeight / mm + 3.0);
    PaintWeather(painter, page, snapshot, language, mm);
    PaintSite(painter, page, snapshot, language, mm);
    if (!content.WhatIf.empty()) {
        page.Line(text(TAnalysisText::ReportWhatIf), 11.0, true);
        page.Skip(1.0);
        // The variants vary the classes, whatever weather the rest of the page is in.
        PaintWhatIf(painter, page, content.WhatIf, snapshot.Scenario, !snapshot.WeatherSource.isEmpty(), *content.Texts,
            language, mm);
    }
    page.Line(text(TAnalysisText::ReportNotice), 9.0, false, true);
    page.Skip(3.0);
    page.Line(text(TAnalysisText::ReportFooter)
                  .arg(content.ProgramVersion,
                      RegionalFormat::FormatDate(content.PrintedAt.date()) + QLatin1Char(' ')
                          + content.PrintedAt.time().toString(QStringLiteral("HH:mm"))),
        8.0);
    return page.Top();
}

}  // namespace

QString AnalysisReport::SiteNameOf(const QString& typed)
{
    QString name = typed;
    for (QChar& c : name) {
        if (c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph
            || c.category() == QChar::Other_Control) {
            c = QLatin1Char(' ');
        }
    }
    name = name.simplified();
    if (name.size() > SiteNameMaxLength) {
        // Room for the ellipsis; never half a surrogate pair.
        qsizetype cut = SiteNameMaxLength - 1;
        if (name.at(cut - 1).isHighSurrogate()) {
            --cut;
        }
        // At the last word's end, unless the kept part is one word.
        if (name.at(cut) != QLatin1Char(' ')) {
            const qsizetype space = name.lastIndexOf(QLatin1Char(' '), cut - 1);
            if (space > 0) {
                cut = space;
            }
        }
        name = name.left(cut).trimmed() + QChar(0x2026);
    }
    return name.trimmed();
}

void AnalysisReport::Paint(QPainter& painter, const TAnalysisReportContent& content)
{
    QPaintDevice* device = painter.device();
    const double mm = device->width() / PageWidthMm;
    const double width = (PageWidthMm - 2.0 * MarginMm) * mm;
    double chartHeight = width * ChartSceneSize.height() / ChartSceneSize.width();
    // The site's lifts and notes make the page longer: measured first on a
    // blank page of the same size and resolution, the chart gives up what
    // would run past the bottom margin, down to half its height.
    QImage blank(device->width(), device->height(), QImage::Format_Mono);
    constexpr double InchMetres = 0.0254;
    blank.setDotsPerMeterX(static_cast<int>(std::lround(device->logicalDpiX() / InchMetres)));
    blank.setDotsPerMeterY(static_cast<int>(std::lround(device->logicalDpiY() / InchMetres)));
    double end = 0.0;
    {
        QPainter measure(&blank);
        end = PaintPage(measure, content, chartHeight, false);
    }
    const double bottom = device->height() - MarginMm * mm;
    if (end > bottom) {
        chartHeight = std::max(chartHeight / 2.0, chartHeight - (end - bottom));
    }
    PaintPage(painter, content, chartHeight, true);
}

bool AnalysisReport::WritePdf(QIODevice& device, const TAnalysisReportContent& content)
{
    // The PDF writer ignores its device's write errors and would call a
    // cut-short file a success: it writes into memory, and the whole document
    // then goes to the device in one write whose result is checked.
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&document);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0.0, 0.0, 0.0, 0.0));
        writer.setResolution(PdfResolution);
        writer.setTitle(AnalysisTexts::Text(content.Texts->Language, TAnalysisText::ReportTitle));
        writer.setCreator(QStringLiteral("Kelvara LE ") + content.ProgramVersion);
        QPainter painter;
        if (!painter.begin(&writer)) {
            return false;
        }
        Paint(painter, content);
        if (!painter.end()) {
            return false;
        }
    }
    const QByteArray& pdf = document.data();
    return !pdf.isEmpty() && device.write(pdf) == pdf.size();
}
