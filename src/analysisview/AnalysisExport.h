#pragma once

#include "RunOutcome.h"

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

namespace AnalysisExport {

// The curve, byte for byte as the command line's --curve writes it: the
// clock column on the site's wall clock whatever the system time zone, a
// point as decimal separator.
QByteArray CurveCsv(const TRunOutcome& outcome);

// Writes the file through a temporary that replaces it only once complete,
// so that a failed write leaves nothing behind. False when the file could
// not be written or write returned false.
bool SaveFile(const QString& path, const std::function<bool(QIODevice&)>& write);

}  // namespace AnalysisExport
