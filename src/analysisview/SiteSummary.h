#pragma once

#include "AnalysisSnapshot.h"
#include "LanguagesMgrCls.h"
#include "SiteChoice.h"

#include <QString>

// The site's texts of the analysis window and its report.
namespace SiteSummary {

// What the site adds to the frame's inputs: "météo choisie, route chaude,
// 3 couches".
QString SiteDescription(const TAnalysisSnapshot& snapshot, TLanguage language);
// A refused choice, as the presenter tells it, for the frame's scenario.
QString RefusalText(const TSiteRefusal& refusal, TLanguage language);
// A line per lift: its laying, the lift below's mean for every later lift,
// and its compaction window's end or why there is none; empty without
// further lifts.
QString LiftsText(const TAnalysisSnapshot& snapshot, TLanguage language);
// The compaction cell of lift n (0 the first) as the report's table writes it.
QString CompactionCell(const TAnalysisSnapshot& snapshot, std::size_t n, TLanguage language);
// A moment on the site's clock: the time alone on the laying's day, the date too after.
QString ClockOrMoment(const TRunOutcome& outcome, double moment, TLanguage language);
// The existing road at the laying and what warmed it; without the warmth,
// its uniform temperature; empty when the site gave no run.
QString ExistingRoadText(const TAnalysisSnapshot& snapshot, TLanguage language);
// The site's failure or a kept choice the computation refuses; empty otherwise.
QString SiteNoteText(const TAnalysisSnapshot& snapshot, TLanguage language);

}  // namespace SiteSummary
