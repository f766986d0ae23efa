#pragma once

#include "AnalysisSnapshot.h"
#include "EnsembleResult.h"
#include "LanguagesMgrCls.h"
#include "WeatherWhatIf.h"

#include <QDateTime>
#include <QString>

#include <vector>

class QIODevice;
class QPaintDevice;
class QPainter;

// What the PDF report prints: one page, A4, in the texts' current language.
struct TAnalysisReportContent {
    const TAnalysisSnapshot* Snapshot = nullptr;
    const TLanguagesMgrCls* Texts = nullptr;
    std::vector<TWhatIfCell> WhatIf;  // may be empty
    // Over an ensemble: its range and ready share, and its members drawn.
    const TEnsembleResult* Ensemble = nullptr;
    QString SiteName;
    QString ProgramVersion;
    QDateTime PrintedAt;  // as the site's legal clock reads it, in Qt::UTC
};

namespace AnalysisReport {

// What a site or project name needs; the report's site line holds it whole.
constexpr int SiteNameMaxLength = 120;
// The typed name as the report takes it: one line (line breaks become spaces),
// at most SiteNameMaxLength characters; a longer one is cut at a word's end
// with an ellipsis.
QString SiteNameOf(const QString& typed);

// Draws the report over the painter's whole device; a site name of any length
// keeps to a few lines, elided, so that every other part stays on the page; any paint device will
// do, a QImage as well as a PDF page.
void Paint(QPainter& painter, const TAnalysisReportContent& content);

// Writes the report as a PDF into device, which must be open for writing.
// False when the painter could not start or the device did not take every
// byte, so that a cut-short report is never taken for a whole one.
bool WritePdf(QIODevice& device, const TAnalysisReportContent& content);

}  // namespace AnalysisReport
