#pragma once

#include "LanguagesMgrCls.h"

#include <QString>

// The analysis window's own texts, beside the program's fixed table: menu,
// window, charts, tables, exports and the PDF report, in French and Dutch.
enum class TAnalysisText {
    MenuAnalysis,
    MenuCoolingAnalysis,
    MenuPdfReport,
    WindowTitle,
    PreviousComputation,  // the frame's inputs changed since the run shown
    TabCooling,
    TabDepth,
    TabWhatIf,
    TabPlan,
    SummaryLaying,  // %1 moment
    SummaryReopening,  // %1 moment
    SummaryWait,  // %1 wait
    NightWarning,  // %1 first daytime moment
    WaitFormat,  // %1 hours, %2 minutes
    SeriesLayerMax,
    SeriesSurface,
    SeriesAir,
    SeriesThreshold,  // %1 reopening temperature
    SeriesNight,
    SeriesReopening,
    AxisClock,
    AxisTemp,
    AxisDepth,
    Hover,  // %1 moment, %2 layer, %3 surface, %4 air
    DepthMoment,  // %1 moment, %2 elapsed
    DepthNewLayer,
    DepthLayerBelow,
    DepthBoundary,
    WhatIfCell,  // %1 reopening, %2 wait
    NightMark,
    WhatIfLegend,
    PlanLaying,
    PlanReopening,
    PlanWait,
    PlanInTime,
    PlanDeadline,
    PlanLatest,  // %1 laying time
    PlanNone,
    PlanAxisLaying,
    Yes,
    Busy,
    Stop,
    SaveCsv,
    SavePng,
    SavePdf,
    SiteQuestion,
    CsvFilter,
    PngFilter,
    PdfFilter,
    WriteFailed,  // %1 file
    WriteFailedDiskFull,  // %1 file
    WriteFailedBecause,  // %1 file, %2 the system's reason
    ReportTitle,
    ReportSite,
    ReportInputs,
    ReportThickness,
    ReportLayingTemp,
    ReportReopenTemp,
    ReportWind,
    ReportCloud,
    ReportLaying,
    ReportClock,
    ReportResult,
    ReportWhatIf,
    ReportFooter,  // %1 version, %2 moment
    ReportNotice,
    SummerTime,  // the clock a moment is written in, where it is no longer the laying's
    WinterTime,
    ReopeningBeyondCalendar,  // the run would reopen after the last day the calendar holds
    LayingTimeSkipped,  // %1 the laying time, %2 its date: the hour the March change skips
    SavePngOf,  // %1 the chart's tab
    NightWarningPastCalendar,  // a night reopening whose daylight comes after the calendar's end
    NoResult,  // a variant the model could not compute
    // The chosen weather beside the classes, and the compaction window.
    AnswerClasses,  // %1 the answer
    AnswerWeather,  // %1 the answer
    AnswerReopening,  // %1 reopening, %2 wait
    DifferenceLater,  // %1 minutes
    DifferenceEarlier,  // %1 minutes
    DifferenceNone,
    Compaction,  // %1 end, %2 temperature
    CompactionNone,  // %1 laying temperature, %2 compaction-end temperature
    CompactionPastReopening,  // %1 temperature
    SeriesLayerMean,
    SeriesCompaction,  // %1 temperature
    WeatherUsed,  // %1 its source
    WeatherOfClasses,
    WeatherStartsAfterLaying,  // %1 its first moment
    WeatherHeld,  // %1 its last moment
    WeatherFailed,
    WeatherMissesLaying,  // %1 first, %2 last moment of the timeline
    WhatIfOnClasses,
    ReportWeather,
    // The weather panel: the analysis's weather, its source and its hours.
    WeatherPanelTitle,
    WeatherClasses,
    WeatherValues,
    WeatherForecast,
    WeatherAirTemp,
    WeatherWindSpeed,
    WeatherCloudCover,
    WeatherImport,
    WeatherDownload,
    WeatherCancel,
    WeatherLatitude,
    WeatherLongitude,
    WeatherCoordinatesTip,
    WeatherCompactionTemp,
    WeatherImportTitle,
    WeatherFileFilter,
    WeatherFromFile,  // %1 file name
    WeatherFromService,  // %1 service, %2 latitude, %3 longitude, %4 moment
    WeatherNoForecast,
    WeatherDownloading,  // %1 service
    WeatherReadFailed,  // %1 file
    WeatherReadUnreadable,  // %1 file
    WeatherReadTooLarge,  // %1 file, %2 MiB
    WeatherReadOutOfRange,  // %1 file
    WeatherReadTooManyPoints,  // %1 file, %2 points
    WeatherFetchUnreachable,  // %1 service
    WeatherFetchRefused,  // %1 service
    WeatherFetchTimedOut,  // %1 service
    WeatherFetchHttpStatus,  // %1 service, %2 status
    WeatherFetchMalformed,  // %1 service
    WeatherFetchOther,  // %1 service
    WeatherFetchTooLarge,  // %1 service, %2 the cap in MiB
    WeatherFetchTruncated,  // %1 service
    WeatherFetchRedirectLoop,  // %1 service
    WeatherHour,
    WeatherAirColumn,
    WeatherWindColumn,
    WeatherCloudColumn,
    WeatherClassesNote,
    WeatherDashNote,
    WeatherHeldNote,  // %1 moment
    WeatherNotCoveringNote,  // %1 first, %2 last moment, %3 laying
    WeatherUnorderedNote,
    TabWeather,
    WeatherValuesGiven,  // %1 the values given
    ValueAir,  // %1 degC
    ValueWind,  // %1 m/s
    ValueCloud,  // %1 %
    // Beside the main window's result: the reopening's clock, where it is not the laying's.
    ReopeningInSummerTime,
    ReopeningInWinterTime,
    // The lifts laid on the new layer, in the charts and the readout.
    SeriesLiftsMax,
    SeriesLiftLaid,
    HoverLiftsLaid,  // %1 the lifts on the road
    DepthNewLifts,
    DepthLiftBoundary,
    DepthWarmRoad,  // %1 the existing road's surface at the laying, degC
    // The forecast service's licence, and a forecast that starts after the road's warm-up.
    WeatherAttribution,
    WeatherWarmUpNotCovered,  // %1 the forecast's first moment, %2 the warm-up's start
    // The file dialogs' kinds of entry, which the toolkit's own translations lack.
    FileKindFolder,
    FileKindDrive,
    FileKindShortcut,
    FileKindFile,
    FileKindUnknown,
    Count
};

namespace AnalysisTexts {

QString Text(TLanguage language, TAnalysisText id);

}  // namespace AnalysisTexts
