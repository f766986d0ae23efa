#pragma once

#include "AnalysisSnapshot.h"
#include "LanguagesMgrCls.h"

#include <QString>

// The window's summary line: laying, reopening and the wait.
QString SummaryText(const TAnalysisSnapshot& snapshot, TLanguage language);
// The night warning with the first daytime moment after the reopening;
// empty when the reopening falls by day.
QString NightWarningText(const TAnalysisSnapshot& snapshot, TLanguage language);
