#include "KelvaraApplication.h"

#include "MessagePresenter.h"
#include "ProgramPicture.h"

#include <QLibraryInfo>

#include <exception>

TKelvaraApplication::TKelvaraApplication(int& argc, char** argv, TMessagePresenter& presenter)
    : QApplication(argc, argv), FPresenter(presenter)
{
    // The name, not the display name: a display name would be appended to
    // every window's caption by some desktops.
    setApplicationName(QString::fromLatin1(Title));
    setDesktopFileName(QStringLiteral("kelvara"));
    setWindowIcon(ProgramIcon());
    UseToolkitLanguage(lgFR);
}

void TKelvaraApplication::UseToolkitLanguage(TLanguage language)
{
    removeTranslator(&FToolkitTranslation);
    removeTranslator(&FToolkitGaps);
    FToolkitTranslationLoaded
        = FToolkitTranslation.load(language == lgNL ? QStringLiteral("qtbase_nl") : QStringLiteral("qtbase_fr"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (FToolkitTranslationLoaded) {
        installTranslator(&FToolkitTranslation);
    }
    // Installed last, asked first; it answers only what the translation lacks.
    FToolkitGaps.Language = language;
    installTranslator(&FToolkitGaps);
}

bool TKelvaraApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        FPresenter.ShowError(activeModalWidget() != nullptr ? activeModalWidget() : activeWindow(),
            QString::fromLatin1(Title), QString::fromUtf8(error.what()));
    }
    return false;
}
