#pragma once

#include <QString>

class QWidget;

// The one seam through which every window shows a modal message box, so
// that tests can record the messages instead of blocking on them.
class TMessagePresenter {
public:
    virtual ~TMessagePresenter() = default;
    // Warning icon, title "Avertissement", one "OK" button.
    virtual void ShowWarning(QWidget* parent, const QString& text) = 0;
    // Error icon, the given title, one "OK" button.
    virtual void ShowError(QWidget* parent, const QString& title, const QString& text) = 0;
};

// Shows real, modal QMessageBoxes.
class TMessageBoxPresenter final : public TMessagePresenter {
public:
    void ShowWarning(QWidget* parent, const QString& text) override;
    void ShowError(QWidget* parent, const QString& title, const QString& text) override;
};
