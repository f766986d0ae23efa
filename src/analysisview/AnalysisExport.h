#pragma once

#include "CoolingCurve.h"
#include "RunOutcome.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

class QIODevice;

namespace AnalysisExport {

// The curve as the command line's --curve writes it:
// elapsed_seconds,clock,surface_temp,layer_max_temp,air_temp, the clock a
// local ISO moment, a point as decimal separator.
// The clock column is the site's wall clock, the same whatever the system time zone.
QByteArray CurveCsv(const std::vector<TCurvePoint>& curve, const TRunOutcome& outcome);

// Writes the file through a temporary that replaces it only once complete,
// so that a failed write leaves nothing behind. False when the file could
// not be written or write returned false.
bool SaveFile(const QString& path, const std::function<bool(QIODevice&)>& write);

}  // namespace AnalysisExport
