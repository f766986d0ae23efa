#include "AnalysisExport.h"

#include "AnalysisTexts.h"
#include "RunCsv.h"

#include <QSaveFile>

QByteArray AnalysisExport::CurveCsv(const TRunOutcome& outcome)
{
    return QByteArray::fromStdString(::CurveCsv(outcome));
}

bool AnalysisExport::SaveFile(const QString& path, const std::function<bool(QIODevice&)>& write, TSaveFailure* failure)
{
    if (path.isEmpty()) {
        return false;
    }
    const auto tell = [failure](TSaveFailure why) {
        if (failure) {
            *failure = std::move(why);
        }
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        tell(TSaveFailure{false, file.errorString()});
        return false;
    }
    // A writer that ignores a failed write still leaves the device's error;
    // it is read before cancelling replaces it.
    if (!write(file) || !file.flush() || file.error() != QFileDevice::NoError) {
        tell(WriteFailureOf(file));
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        tell(WriteFailureOf(file));
        return false;
    }
    return true;
}

AnalysisExport::TSaveFailure AnalysisExport::WriteFailureOf(const QFileDevice& file)
{
    // The system's "no space left" is the one resource a write runs out of.
    if (file.error() == QFileDevice::NoError) {
        return {};
    }
    return TSaveFailure{file.error() == QFileDevice::ResourceError, file.errorString()};
}

QString AnalysisExport::SaveFailedText(TLanguage language, const QString& fileName, const TSaveFailure& failure)
{
    if (failure.DiskFull) {
        return AnalysisTexts::Text(language, TAnalysisText::WriteFailedDiskFull).arg(fileName);
    }
    if (!failure.Reason.isEmpty()) {
        return AnalysisTexts::Text(language, TAnalysisText::WriteFailedBecause).arg(fileName, failure.Reason);
    }
    return AnalysisTexts::Text(language, TAnalysisText::WriteFailed).arg(fileName);
}
