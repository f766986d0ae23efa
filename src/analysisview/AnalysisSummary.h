#pragma once

#include "AnalysisSnapshot.h"
#include "LanguagesMgrCls.h"

#include <QString>

// The window's summary line: laying, reopening and the wait; with a chosen
// weather the frame's answer and the weather's on lines of their own, with
// the difference in minutes.
QString SummaryText(const TAnalysisSnapshot& snapshot, TLanguage language);
// The night warning with the first daytime moment after the reopening;
// empty when the reopening falls by day.
QString NightWarningText(const TAnalysisSnapshot& snapshot, TLanguage language);
// Until when the new layer can still be compacted; empty without a run.
QString CompactionText(const TAnalysisSnapshot& snapshot, TLanguage language);
// Where the chosen weather comes from and what it leaves uncovered; empty
// on the classes.
QString WeatherNoteText(const TAnalysisSnapshot& snapshot, TLanguage language);
