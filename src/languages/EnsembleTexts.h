#pragma once

#include "LanguagesMgrCls.h"

#include <QString>

// The texts of a forecast ensemble in the analysis window and the report.
enum class TEnsembleText {
    WeatherEnsemble,  // the weather choice
    ImportEnsemble,
    DownloadEnsemble,
    Model,  // the model's setting
    Target,  // the target time
    NoTarget,
    Range,  // %1 10 %, %2 90 %, %3 median
    RangeNone,  // a quantile with no reopening
    Ready,  // %1 target, %2 ready, %3 members, %4 per cent
    SourceFile,  // %1 members, %2 file
    SourceService,  // %1 members, %2 model, %3 host, %4 moment fetched
    Members,  // every member's line in the chart
    TopMember,  // %1 its name
    Median,  // %1 its name
    TargetLine,  // %1 the target
    Hover,  // %1 member, %2 reopening
    Computing,
    PlanP90,
    PlanReady,
    PlanLatest,  // %1 the latest slot
    PlanNoneMeets,
    ReportTitle,
    NotCovering,  // %1 member, %2 its refusal
    FileMemberCount,  // %1 file
    FetchMemberCount,  // %1 host
    HoursOfTop,  // %1 the top member
    AnswerTopMember,  // %1 the top member, %2 its answer
    NoReopening,  // %1 the members without one
    Count
};

namespace EnsembleTexts {

QString Text(TLanguage language, TEnsembleText id);

}  // namespace EnsembleTexts
