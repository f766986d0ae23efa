#pragma once

#include "LanguagesMgrCls.h"
#include "Scenario.h"
#include "WeatherWhatIf.h"

#include <QTableWidget>

#include <vector>

// The nine wind x cloud reopening moments and waits: rows wind, columns
// cloud, the computed case in bold, night reopenings marked. Each cell keeps
// its reopening moment under ReopeningRole.
class TWhatIfTable : public QTableWidget {
    Q_OBJECT

public:
    static constexpr int ReopeningRole = Qt::UserRole;
    static constexpr int NightRole = Qt::UserRole + 1;

    explicit TWhatIfTable(QWidget* parent = nullptr);

    void SetCells(const std::vector<TWhatIfCell>& cells, TWindClass currentWind, TCloudClass currentCloud);
    void UpdateTexts(const TLanguagesMgrCls& texts);

    // The cell's text, as the table and the report show it.
    static QString CellText(const TRunOutcome& outcome, TLanguage language);

private:
    void Fill();

    std::vector<TWhatIfCell> FCells;
    TWindClass FCurrentWind = TWindClass::Feeble;
    TCloudClass FCurrentCloud = TCloudClass::Clear;
    TLanguage FLanguage = lgFR;
};
