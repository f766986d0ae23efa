#pragma once

#include "AnalysisReport.h"
#include "ExportQuestions.h"
#include "MessagePresenter.h"

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

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

// The report's text as pdftotext reads it, spaces simplified; empty when the
// report cannot be written or read.
inline QString ReportText(const TAnalysisReportContent& content)
{
    QBuffer pdf;
    if (!pdf.open(QIODevice::WriteOnly) || !AnalysisReport::WritePdf(pdf, content)) {
        return {};
    }
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("report.pdf")));
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf.data()) != pdf.data().size()) {
        return {};
    }
    file.close();
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
        {QStringLiteral("-enc"), QStringLiteral("UTF-8"), file.fileName(), QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
}
