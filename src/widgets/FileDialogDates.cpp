#include "FileDialogDates.h"

#include "RegionalFormat.h"

#include <QFileSystemModel>
#include <QLocale>

QVariant TFileDialogDates::data(const QModelIndex& index, int role) const
{
    if (role == Qt::DisplayRole && index.column() == ModifiedColumn) {
        if (const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel())) {
            return Format(files->lastModified(mapToSource(index)));
        }
    }
    return QIdentityProxyModel::data(index, role);
}

QString TFileDialogDates::Format(const QDateTime& moment)
{
    if (!moment.isValid()) {
        return {};
    }
    // The computer's clock, as the rest of the computer shows its files.
    const QDateTime local = moment.toLocalTime();
    const QLocale locale;
    return RegionalFormat::FormatDate(local.date()) + QLatin1Char(' ')
        + locale.toString(local.time(), RegionalFormat::WithoutTimeZone(locale.timeFormat(QLocale::ShortFormat)));
}
