#pragma once

#include "LanguagesMgrCls.h"

#include <QString>

// The site in the analysis window, its answer and its part of the report:
// the existing road's warmth and the further lifts, in French and Dutch.
enum class TSiteText {
    TabSite,
    RoadTitle,
    RoadWarmth,
    RoadAtLaying,  // %1 surface, %2 5 cm, %3 10 cm, %4 20 cm, degC
    RoadWarmedByClasses,
    RoadWarmedByWeather,  // %1 the weather's source
    RoadUniform,  // %1 degC
    LiftsTitle,
    ColumnLift,
    ColumnThickness,
    ColumnLayingTemp,
    ColumnWhen,
    ColumnMoment,
    WhenDelay,
    WhenClock,
    FirstLift,  // %1 the laying's clock
    AddLift,
    RemoveLift,
    LiftsNote,
    RefusedTooMany,  // %1 the most further lifts
    RefusedNotAReal,  // %1 lift
    RefusedNotAfter,  // %1 lift, %2 the previous lift
    RefusedNotWholeMinutes,  // %1 lift
    RefusedPastLimit,  // %1 lift, %2 its delay after the first laying, %3 the run's limit
    RefusedThickness,  // %1 lift, %2 min, %3 max
    RefusedLayingTemp,  // %1 lift, %2 min, %3 max
    RefusedSkipped,  // %1 lift, %2 the clock time
    RefusedKept,  // %1 the refusal: a new computation the kept lifts do not fit
    AnswerSite,  // %1 what the site adds, %2 the answer
    SiteWeather,
    SiteWarmth,
    SiteLifts,  // %1 lifts in all
    SiteFailed,
    SiteFailedTooLong,  // %1 the run's limit
    LiftLaid,  // %1 lift, %2 moment
    LiftLaidOn,  // %1 lift, %2 moment, %3 the lift below, %4 its mean degC
    LiftLaidDay,  // %1 lift, %2 date, %3 clock: laid on a later day
    LiftLaidOnDay,  // %1 lift, %2 date, %3 clock, %4 the lift below, %5 its mean degC
    LiftCompaction,  // %1 end
    LiftCompactionNone,  // %1 laying temp, %2 compaction-end temp
    LiftCompactionCut,  // %1 next lift, %2 compaction-end temp
    LiftCompactionPastEnd,
    ReportTitle,
    ReportWarmthOn,  // %1 the road's temperatures at the laying
    ReportWarmthOff,  // %1 degC
    ReportLaid,
    ReportCompactionEnd,
    ReportBaseMean,
    ReportNoCompaction,
    ReportCutBy,  // %1 next lift
    ReportPastReopening,
    Count
};

namespace SiteTexts {

QString Text(TLanguage language, TSiteText id);

}  // namespace SiteTexts
