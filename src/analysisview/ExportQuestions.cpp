#include "ExportQuestions.h"

#include <QFileDialog>
#include <QInputDialog>

std::optional<QString> TDialogExportQuestions::AskText(
    QWidget* parent, const QString& title, const QString& label, const QString& current)
{
    bool accepted = false;
    QString text = QInputDialog::getText(parent, title, label, QLineEdit::Normal, current, &accepted);
    if (!accepted) {
        return std::nullopt;
    }
    return text;
}

QString TDialogExportQuestions::AskSaveFileName(QWidget* parent, const QString& title, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, title, QString(), filter);
}
