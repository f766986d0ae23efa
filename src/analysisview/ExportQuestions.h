#pragma once

#include <QString>

#include <optional>

class QWidget;

// The questions an export asks, behind one seam so that tests answer them
// instead of blocking on a dialog.
class TExportQuestions {
public:
    virtual ~TExportQuestions() = default;
    // One line of at most maxLength characters; empty when the user cancels.
    virtual std::optional<QString> AskText(
        QWidget* parent, const QString& title, const QString& label, const QString& current, int maxLength)
        = 0;
    // An empty name when the user cancels.
    virtual QString AskSaveFileName(QWidget* parent, const QString& title, const QString& filter) = 0;
    // An existing file to read; an empty name when the user cancels.
    virtual QString AskOpenFileName(QWidget* parent, const QString& title, const QString& filter) = 0;
};

// Real, modal dialogs.
class TDialogExportQuestions final : public TExportQuestions {
public:
    std::optional<QString> AskText(
        QWidget* parent, const QString& title, const QString& label, const QString& current, int maxLength) override;
    QString AskSaveFileName(QWidget* parent, const QString& title, const QString& filter) override;
    QString AskOpenFileName(QWidget* parent, const QString& title, const QString& filter) override;
};
