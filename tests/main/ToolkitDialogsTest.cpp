// The toolkit's dialogs as the export buttons open them, in each language:
// no English left, full years, nothing cut.
#include "AnalysisTexts.h"
#include "ExportQuestions.h"
#include "KelvaraApplication.h"
#include "MessagePresenter.h"
#include "RegionalFileDialog.h"
#include "RegionalFormat.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QRegularExpression>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

namespace {

TMessageBoxPresenter presenter;

// Every text the dialog can show: captions, tips, list entries and columns.
QStringList textsOf(const QFileDialog& dialog, const QTreeView& view)
{
    QStringList texts;
    for (const auto* label : dialog.findChildren<QLabel*>()) {
        texts << label->text();
    }
    for (const auto* button : dialog.findChildren<QAbstractButton*>()) {
        texts << button->text() << button->toolTip();
    }
    for (const auto* action : dialog.findChildren<QAction*>()) {
        texts << action->text() << action->toolTip();
    }
    for (const auto* combo : dialog.findChildren<QComboBox*>()) {
        for (int item = 0; item < combo->count(); ++item) {
            texts << combo->itemText(item);
        }
    }
    const QAbstractItemModel& entries = *view.model();
    for (int column = 0; column < entries.columnCount(view.rootIndex()); ++column) {
        texts << entries.headerData(column, Qt::Horizontal).toString();
        for (int row = 0; row < entries.rowCount(view.rootIndex()); ++row) {
            texts << entries.index(row, column, view.rootIndex()).data().toString();
        }
    }
    return texts;
}

}  // namespace

class ToolkitDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void fileDialogSpeaksTheLanguageWithFullYearsAndWholeColumns_data();
    void fileDialogSpeaksTheLanguageWithFullYearsAndWholeColumns();
    void siteNameDialogShowsItsWholeTitle_data();
    void siteNameDialogShowsItsWholeTitle();
};

void ToolkitDialogsTest::fileDialogSpeaksTheLanguageWithFullYearsAndWholeColumns_data()
{
    QTest::addColumn<TLanguage>("language");
    QTest::addColumn<QString>("folder");
    QTest::newRow("French") << lgFR << QStringLiteral("Dossier");
    QTest::newRow("Dutch") << lgNL << QStringLiteral("Map");
}

void ToolkitDialogsTest::fileDialogSpeaksTheLanguageWithFullYearsAndWholeColumns()
{
    QFETCH(TLanguage, language);
    QFETCH(QString, folder);
    qobject_cast<TKelvaraApplication*>(QCoreApplication::instance())->UseToolkitLanguage(language);
    QTemporaryDir place;
    QVERIFY(QDir(place.path()).mkdir(QStringLiteral("rapports")));
    QFile report(place.filePath(QStringLiteral("chantier.pdf")));
    QVERIFY(report.open(QIODevice::WriteOnly));
    report.write("%PDF-1.4\n");
    // Written out first, or the closing write would date it now.
    QVERIFY(report.flush());
    const QDate day(2026, 12, 9);
    QVERIFY(report.setFileTime(QDateTime(day, QTime(10, 0)), QFileDevice::FileModificationTime));
    report.close();

    TRegionalFileDialog dialog(nullptr, QStringLiteral("Kelvara LE"),
        AnalysisTexts::Text(language, TAnalysisText::PdfFilter), QFileDialog::AcceptSave);
    dialog.setDirectory(place.path());
    dialog.show();
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    QVERIFY(view != nullptr);
    QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), 2);
    const auto entry = [view](const QString& name, int column) {
        for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
            const QModelIndex index = view->model()->index(row, 0, view->rootIndex());
            if (index.data().toString() == name) {
                return index.siblingAtColumn(column).data().toString();
            }
        }
        return QString();
    };
    QTRY_COMPARE(entry(QStringLiteral("rapports"), 2), folder);
    const QString modified = entry(QStringLiteral("chantier.pdf"), 3);
    QVERIFY2(modified.contains(RegionalFormat::FormatDate(day)) && modified.contains(QStringLiteral("2026"))
            && modified.contains(QStringLiteral("10:00")),
        qPrintable(modified));

    const QRegularExpression english(QStringLiteral(
        "\\b(Folder|File ?name|Files of type|Look in|Date Modified|Size|Kind|Cancel|Save|Open|Back|Forward|"
        "Parent Directory|Create New Folder|List View|Detail View|Drive|Computer|Unknown)\\b"));
    const QStringList dutchComputer{QStringLiteral("Computer")};  // the same word in Dutch
    for (QString text : textsOf(dialog, *view)) {
        text.remove(u'&');
        if (language == lgNL && dutchComputer.contains(text)) {
            continue;
        }
        QVERIFY2(!english.match(text).hasMatch(), qPrintable(text));
    }

    // Every column as wide as its header and its entries, and all in view.
    QHeaderView* header = view->header();
    const QAbstractItemView* entries = view;
    for (int column = 1; column <= 3; ++column) {
        const int needed = std::max(header->sectionSizeHint(column), entries->sizeHintForColumn(column));
        QVERIFY2(header->sectionSize(column) >= needed,
            qPrintable(QStringLiteral("column %1: %2 < %3").arg(column).arg(header->sectionSize(column)).arg(needed)));
    }
    QVERIFY(header->length() <= view->viewport()->width());
}

void ToolkitDialogsTest::siteNameDialogShowsItsWholeTitle_data()
{
    QTest::addColumn<TLanguage>("language");
    QTest::newRow("French") << lgFR;
    QTest::newRow("Dutch") << lgNL;
}

void ToolkitDialogsTest::siteNameDialogShowsItsWholeTitle()
{
    QFETCH(TLanguage, language);
    const QString title = AnalysisTexts::Text(language, TAnalysisText::SavePdf);
    const std::unique_ptr<QInputDialog> dialog = TDialogExportQuestions::TextDialog(
        nullptr, title, AnalysisTexts::Text(language, TAnalysisText::SiteQuestion), QString(), 80);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    // A bold title, and at least an icon and three buttons of a title bar's height beside it.
    QFont bold = dialog->font();
    bold.setBold(true);
    const int titleBar = dialog->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, dialog.get());
    QVERIFY2(dialog->width() >= QFontMetrics(bold).horizontalAdvance(title) + 4 * titleBar,
        qPrintable(QStringLiteral("%1 px").arg(dialog->width())));
}

int main(int argc, char* argv[])
{
    TKelvaraApplication application(argc, argv, presenter);
    ToolkitDialogsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ToolkitDialogsTest.moc"
