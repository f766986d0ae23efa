#include "AnalysisExport.h"

#include "AnalysisMoments.h"

#include <QSaveFile>

QByteArray AnalysisExport::CurveCsv(const std::vector<TCurvePoint>& curve, const TRunOutcome& outcome)
{
    QByteArray csv("elapsed_seconds,clock,surface_temp,layer_max_temp,air_temp\n");
    csv.reserve(static_cast<qsizetype>(curve.size()) * 56);
    for (const TCurvePoint& point : curve) {
        csv += QByteArray::number(point.ElapsedSeconds) + ','
            + AnalysisMoments::WallDateTime(outcome, point.Moment)
                  .toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss"))
                  .toLatin1()
            + ',' + QByteArray::number(point.SurfaceTemp, 'f', 3) + ',' + QByteArray::number(point.LayerMaxTemp, 'f', 3)
            + ',' + QByteArray::number(point.AirTemp, 'f', 3) + '\n';
    }
    return csv;
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
