#include "ExportQuestions.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>

std::optional<QString> TDialogExportQuestions::AskText(
    QWidget* parent, const QString& title, const QString& label, const QString& current, int maxLength)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(current);
    if (auto* field = dialog.findChild<QLineEdit*>()) {
        field->setMaxLength(maxLength);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue();
}

QString TDialogExportQuestions::AskSaveFileName(QWidget* parent, const QString& title, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, title, QString(), filter);
}

QString TDialogExportQuestions::AskOpenFileName(QWidget* parent, const QString& title, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}
