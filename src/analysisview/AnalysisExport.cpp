#include "AnalysisExport.h"

#include "RunCsv.h"

#include <QSaveFile>

QByteArray AnalysisExport::CurveCsv(const TRunOutcome& outcome)
{
    return QByteArray::fromStdString(::CurveCsv(outcome));
}

bool AnalysisExport::SaveFile(const QString& path, const std::function<bool(QIODevice&)>& write)
{
    if (path.isEmpty()) {
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (!write(file)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
