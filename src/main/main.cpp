#include "GraphicalSession.h"
#include "KelvaraApplication.h"
#include "MainCtl.h"
#include "MessagePresenter.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

// The command line is not read: the program takes no arguments.
int main(int argc, char* argv[])
{
    // Checked before the application object exists: without a display its
    // constructor aborts.
    if (!GraphicalSession::AvailableInEnvironment()) {
        std::fputs(GraphicalSession::MissingMessage, stderr);
        return EXIT_FAILURE;
    }
    TMessageBoxPresenter presenter;
    TKelvaraApplication application(argc, argv, presenter);
    std::unique_ptr<TfrmMain> frmMain;
    try {
        frmMain = std::make_unique<TfrmMain>(presenter);
    } catch (const std::exception& error) {
        // Before the start-up guard (creating the owned objects) nothing can
        // go on without a window: report like any unhandled failure and end.
        presenter.ShowError(nullptr, QString::fromLatin1(TKelvaraApplication::Title), QString::fromUtf8(error.what()));
        return EXIT_FAILURE;
    }
    // A start-up failure has already closed the window and asked to end.
    if (!frmMain->Terminated()) {
        frmMain->show();
    }
    return TKelvaraApplication::exec();
}
