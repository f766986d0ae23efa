#include "MessagePresenter.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace {

void showBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

}  // namespace

void TMessageBoxPresenter::ShowWarning(QWidget* parent, const QString& text)
{
    showBox(parent, QMessageBox::Warning, QStringLiteral("Avertissement"), text);
}

void TMessageBoxPresenter::ShowError(QWidget* parent, const QString& title, const QString& text)
{
    showBox(parent, QMessageBox::Critical, title, text);
}
