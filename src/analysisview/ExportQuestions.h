#pragma once

#include <QString>

#include <memory>
#include <optional>

class QInputDialog;
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

// Real, modal dialogs: the toolkit's own, in the program's language and the
// regional formats.
class TDialogExportQuestions final : public TExportQuestions {
public:
    // The one-line question, not shown yet: at least as wide as its title.
    static std::unique_ptr<QInputDialog> TextDialog(
        QWidget* parent, const QString& title, const QString& label, const QString& current, int maxLength);
    // The width a window needs for its whole title in the title bar.
    static int TitleWidth(const QWidget& window);

    std::optional<QString> AskText(
        QWidget* parent, const QString& title, const QString& label, const QString& current, int maxLength) override;
    QString AskSaveFileName(QWidget* parent, const QString& title, const QString& filter) override;
    QString AskOpenFileName(QWidget* parent, const QString& title, const QString& filter) override;
};
