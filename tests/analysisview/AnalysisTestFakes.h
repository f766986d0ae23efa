#pragma once

#include "ExportQuestions.h"
#include "MessagePresenter.h"

#include <QStringList>

#include <optional>

// What the analysis window's tests put behind its seams: a presenter that
// keeps the messages, questions answered from the test's script.
class TRecordingPresenter final : public TMessagePresenter {
public:
    void ShowWarning(QWidget*, const QString& text) override { Warnings << text; }
    void ShowError(QWidget*, const QString& title, const QString& text) override { Warnings << title + text; }
    QStringList Warnings;
};

class TScriptedQuestions final : public TExportQuestions {
public:
    std::optional<QString> AskText(QWidget*, const QString&, const QString&, const QString& current, int) override
    {
        AskedWith << current;
        return SiteName;
    }
    QString AskSaveFileName(QWidget*, const QString& title, const QString&) override
    {
        Titles << title;
        return FileName;
    }
    QString AskOpenFileName(QWidget*, const QString& title, const QString&) override
    {
        Titles << title;
        return FileName;
    }
    QStringList Titles;
    std::optional<QString> SiteName = QStringLiteral("Chantier N4 Namur");
    QString FileName;
    QStringList AskedWith;
};
