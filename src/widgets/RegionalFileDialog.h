#pragma once

#include <QFileDialog>

// The toolkit's own file dialog (never the desktop's, whose texts and
// formats the program cannot set), with dates in the regional short date
// and a four-digit year, and columns as wide as their headers and the
// entries shown: the dialog grows, within the screen, where they do not fit.
class TRegionalFileDialog final : public QFileDialog {
public:
    TRegionalFileDialog(QWidget* parent, const QString& title, const QString& filter, AcceptMode mode);

    // The file chosen; empty when the user cancels.
    QString Run();

    // Column widths and the dialog's width for the entries on show.
    void FitColumns();

protected:
    void showEvent(QShowEvent* event) override;
};
