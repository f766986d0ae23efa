#include "RegionalFileDialog.h"

#include "FileDialogDates.h"

#include <QFileSystemModel>
#include <QHeaderView>
#include <QScreen>
#include <QStyle>
#include <QTreeView>

#include <algorithm>
#include <array>

namespace {

constexpr int NameColumn = 0;
constexpr int SizeColumn = 1;
constexpr int TypeColumn = 2;
// Room for a name of about twenty characters.
constexpr int NameColumnChars = 20;

}  // namespace

TRegionalFileDialog::TRegionalFileDialog(QWidget* parent, const QString& title, const QString& filter, AcceptMode mode)
    : QFileDialog(parent, title, QString(), filter)
{
    setOption(DontUseNativeDialog);
    setAcceptMode(mode);
    setFileMode(mode == AcceptSave ? AnyFile : ExistingFile);
    // Owned by the dialog.
    setProxyModel(new TFileDialogDates(this));
    // Entries are listed by a background thread: their widths are known
    // once a folder is read.
    if (auto* files = findChild<QFileSystemModel*>()) {
        connect(files, &QFileSystemModel::directoryLoaded, this, [this] { FitColumns(); });
    }
}

QString TRegionalFileDialog::Run()
{
    if (exec() != Accepted) {
        return {};
    }
    const QStringList chosen = selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}

void TRegionalFileDialog::showEvent(QShowEvent* event)
{
    QFileDialog::showEvent(event);
    FitColumns();
}

void TRegionalFileDialog::FitColumns()
{
    auto* view = findChild<QTreeView*>(QStringLiteral("treeView"));
    if (view == nullptr || !isVisible()) {
        return;
    }
    QHeaderView* header = view->header();
    // The tree view hides the widths of the entries it shows; its base tells them.
    const QAbstractItemView* entries = view;
    const int textMargin = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    // A date as wide as any: every day and month written with two digits.
    const int dateWidth
        = view->fontMetrics().horizontalAdvance(TFileDialogDates::Format(QDateTime(QDate(2000, 12, 28), QTime(20, 58))))
        + textMargin;
    std::array<int, 4> needed{};
    for (int column = SizeColumn; column <= TFileDialogDates::ModifiedColumn; ++column) {
        needed.at(column) = std::max(header->sectionSizeHint(column), entries->sizeHintForColumn(column));
        // Kept where the user made it wider.
        if (column != TFileDialogDates::ModifiedColumn) {
            needed.at(column) = std::max(needed.at(column), header->sectionSize(column));
        }
    }
    needed.at(TFileDialogDates::ModifiedColumn) = std::max(needed.at(TFileDialogDates::ModifiedColumn), dateWidth);
    needed.at(NameColumn) = view->fontMetrics().averageCharWidth() * NameColumnChars;
    int total = 0;
    for (const int width : needed) {
        total += width;
    }
    const int missing = total - view->viewport()->width();
    if (missing > 0) {
        int wider = width() + missing;
        if (const QScreen* shown = screen()) {
            wider = std::min(wider, shown->availableGeometry().width() - (frameGeometry().width() - width()));
        }
        if (wider > width()) {
            resize(wider, height());
        }
    }
    const int others = total - needed.at(NameColumn);
    header->resizeSection(NameColumn, std::max(needed.at(NameColumn), view->viewport()->width() - others));
    header->resizeSection(SizeColumn, needed.at(SizeColumn));
    header->resizeSection(TypeColumn, needed.at(TypeColumn));
    header->resizeSection(TFileDialogDates::ModifiedColumn, needed.at(TFileDialogDates::ModifiedColumn));
}
