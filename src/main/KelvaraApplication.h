#pragma once

#include "LanguagesMgrCls.h"
#include "ToolkitGapTranslator.h"

#include <QApplication>
#include <QTranslator>

class TMessagePresenter;

// The application object: title "Kelvara LE", the toolkit's own texts in
// the user's language (French until one is picked), and the default error handling:
// an exception leaving any event handler is shown in an error box titled
// with the application title, and the program goes on. No exception may
// cross the toolkit's event loop.
class TKelvaraApplication : public QApplication {
    Q_OBJECT

public:
    static constexpr const char* Title = "Kelvara LE";

    // presenter must outlive the application object.
    TKelvaraApplication(int& argc, char** argv, TMessagePresenter& presenter);

    bool notify(QObject* receiver, QEvent* event) override;

    // Whether the toolkit's texts of the last language were found and installed.
    bool HasToolkitTranslation() const { return FToolkitTranslationLoaded; }
    // The toolkit's own dialogs (file, input) follow the language; the
    // message boxes set their French title and button themselves.
    void UseToolkitLanguage(TLanguage language);

private:
    TMessagePresenter& FPresenter;
    QTranslator FToolkitTranslation;
    TToolkitGapTranslator FToolkitGaps;
    bool FToolkitTranslationLoaded = false;
};
