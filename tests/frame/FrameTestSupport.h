#pragma once

#include "Clock.h"
#include "LanguagesMgrCls.h"
#include "MessagePresenter.h"
#include "PICHourLTCtl.h"

#include <QLocale>
#include <QStringList>

#include <memory>

// Records every box instead of showing it, so that a test sees exactly the
// messages a user would have had to close.
class TRecordingPresenter final : public TMessagePresenter {
public:
    void ShowWarning(QWidget*, const QString& text) override { Warnings << text; }
    void ShowError(QWidget*, const QString& title, const QString& text) override
    {
        Errors << title + QStringLiteral(": ") + text;
    }

    QStringList Warnings;
    QStringList Errors;
};

class TFixedClock final : public TClock {
public:
    QDateTime Now() const override { return Moment; }
    QDateTime Moment{QDate(2021, 8, 23), QTime(14, 35, 12)};
};

// The frame as the main window sets it up at start: language manager, texts,
// start values; with a recording presenter and a fixed clock.
struct TFrameFixture {
    explicit TFrameFixture(const char* localeName = "fr_BE", TLanguage language = lgFR)
    {
        QLocale::setDefault(QLocale(QString::fromLatin1(localeName)));
        Texts.Language = language;
        Frame = std::make_unique<TPICHourLTFra>();
        Frame->SetMessagePresenter(Presenter);
        Frame->SetClock(Clock);
        Frame->SetLanguagesMgr(Texts);
        Frame->UpdateTexts();
        Frame->SetInitialValues();
    }

    TLanguagesMgrCls Texts;
    TRecordingPresenter Presenter;
    TFixedClock Clock;
    std::unique_ptr<TPICHourLTFra> Frame;
};
