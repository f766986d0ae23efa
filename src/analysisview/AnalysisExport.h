#pragma once

#include "LanguagesMgrCls.h"
#include "RunOutcome.h"

#include <QByteArray>
#include <QString>

#include <functional>

class QFileDevice;
class QIODevice;

namespace AnalysisExport {

// Why a file could not be saved, as the system told it.
struct TSaveFailure {
    bool DiskFull = false;
    QString Reason;  // the system's words (the toolkit's translation); empty when it gave none
};

// The curve, byte for byte as the command line's --curve writes it: the
// clock column on the site's wall clock whatever the system time zone, a
// point as decimal separator.
QByteArray CurveCsv(const TRunOutcome& outcome);

// Writes the file through a temporary that replaces it only once complete,
// so that a failed write leaves nothing behind. False when the file could
// not be written or write returned false; failure, when given, then says why.
bool SaveFile(const QString& path, const std::function<bool(QIODevice&)>& write, TSaveFailure* failure = nullptr);

// Why writing to a file opened for it failed.
TSaveFailure WriteFailureOf(const QFileDevice& file);

// The warning for a file that could not be saved, in the language: a full
// disk said as such, another reason in the system's words.
QString SaveFailedText(TLanguage language, const QString& fileName, const TSaveFailure& failure);

}  // namespace AnalysisExport
