#include "ExportQuestions.h"

#include "RegionalFileDialog.h"

#include <QFontMetrics>
#include <QInputDialog>
#include <QLayout>
#include <QLineEdit>
#include <QStyle>

std::unique_ptr<QInputDialog> TDialogExportQuestions::TextDialog(
    QWidget* parent, const QString& title, const QString& label, const QString& current, int maxLength)
{
    auto dialog = std::make_unique<QInputDialog>(parent);
    dialog->setWindowTitle(title);
    dialog->setLabelText(label);
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setTextValue(current);
    if (auto* field = dialog->findChild<QLineEdit*>()) {
        field->setMaxLength(maxLength);
        // The dialog's layout sets its minimum size: the field widens it.
        const QMargins margins = dialog->layout() != nullptr ? dialog->layout()->contentsMargins() : QMargins();
        field->setMinimumWidth(TitleWidth(*dialog) - margins.left() - margins.right());
    }
    return dialog;
}

int TDialogExportQuestions::TitleWidth(const QWidget& window)
{
    // Title bars write in bold and hold an icon and three buttons, each
    // about a title bar's height wide, and some padding.
    QFont bold = window.font();
    bold.setBold(true);
    constexpr int TitleBarSquares = 6;
    return QFontMetrics(bold).horizontalAdvance(window.windowTitle())
        + TitleBarSquares * window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
}

std::optional<QString> TDialogExportQuestions::AskText(
    QWidget* parent, const QString& title, const QString& label, const QString& current, int maxLength)
{
    const std::unique_ptr<QInputDialog> dialog = TextDialog(parent, title, label, current, maxLength);
    if (dialog->exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog->textValue();
}

QString TDialogExportQuestions::AskSaveFileName(QWidget* parent, const QString& title, const QString& filter)
{
    return TRegionalFileDialog(parent, title, filter, QFileDialog::AcceptSave).Run();
}

QString TDialogExportQuestions::AskOpenFileName(QWidget* parent, const QString& title, const QString& filter)
{
    return TRegionalFileDialog(parent, title, filter, QFileDialog::AcceptOpen).Run();
}
