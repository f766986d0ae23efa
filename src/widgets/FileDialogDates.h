#pragma once

#include <QDateTime>
#include <QIdentityProxyModel>

// A file dialog's entries with their modification moment in the regional
// short date, four-digit year included, and the short time; the toolkit's
// own text has a two-digit year ("9/12/26").
class TFileDialogDates final : public QIdentityProxyModel {
public:
    // The file system model's column of the modification moment.
    static constexpr int ModifiedColumn = 3;

    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    static QString Format(const QDateTime& moment);
};
