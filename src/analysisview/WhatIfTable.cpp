#include "WhatIfTable.h"

#include "AnalysisMoments.h"
#include "AnalysisTexts.h"

#include <QHeaderView>

TWhatIfTable::TWhatIfTable(QWidget* parent) : QTableWidget(3, 3, parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    setWordWrap(true);
}

QString TWhatIfTable::CellText(const TRunOutcome& outcome, TLanguage language)
{
    if (!outcome.Succeeded()) {
        return QStringLiteral("—");
    }
    QString text = AnalysisTexts::Text(language, TAnalysisText::WhatIfCell)
                       .arg(AnalysisMoments::FormatMoment(outcome, outcome.Reopening)
                               + AnalysisMoments::ClockNote(outcome, outcome.Reopening, language),
                           AnalysisMoments::FormatWait(outcome.ResultSeconds, language));
    if (outcome.Night) {
        text += QLatin1Char(' ') + AnalysisTexts::Text(language, TAnalysisText::NightMark);
    }
    return text;
}

void TWhatIfTable::SetCells(const std::vector<TWhatIfCell>& cells, TWindClass currentWind, TCloudClass currentCloud)
{
    FCells = cells;
    FCurrentWind = currentWind;
    FCurrentCloud = currentCloud;
    Fill();
}

void TWhatIfTable::UpdateTexts(const TLanguagesMgrCls& texts)
{
    FLanguage = texts.Language;
    QStringList rows;
    QStringList columns;
    for (std::size_t n = 0; n < 3; ++n) {
        // Rows are winds and columns skies, as the frame's groups say.
        rows << texts.GetText(TText::WindGroup) + QLatin1Char('\n') + texts.GetText(WindClassTexts.at(n));
        columns << texts.GetText(TText::CloudGroup) + QLatin1Char('\n') + texts.GetText(CloudClassTexts.at(n));
    }
    setVerticalHeaderLabels(rows);
    setHorizontalHeaderLabels(columns);
    Fill();
}

void TWhatIfTable::Fill()
{
    clearContents();
    for (const TWhatIfCell& cell : FCells) {
        auto* item = new QTableWidgetItem(CellText(cell.Outcome, FLanguage));
        item->setTextAlignment(Qt::AlignCenter);
        item->setData(ReopeningRole, cell.Outcome.Succeeded() ? QVariant(cell.Outcome.Reopening) : QVariant());
        item->setData(NightRole, cell.Outcome.Night);
        if (!cell.Outcome.Succeeded()) {
            // The calendar's end is the one failure the user can act on; any
            // other says so in the window's language, never the engine's code.
            item->setToolTip(AnalysisTexts::Text(FLanguage,
                cell.Outcome.Failure == TRunOutcome::ReopeningOutOfRange ? TAnalysisText::ReopeningBeyondCalendar
                                                                         : TAnalysisText::NoResult));
        }
        if (cell.Wind == FCurrentWind && cell.Cloud == FCurrentCloud) {
            QFont bold = font();
            bold.setBold(true);
            item->setFont(bold);
            item->setBackground(QColor(255, 240, 180));
        }
        if (cell.Outcome.Night) {
            item->setForeground(QColor(40, 50, 140));
        }
        setItem(static_cast<int>(cell.Wind), static_cast<int>(cell.Cloud), item);
    }
}
