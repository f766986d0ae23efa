#include "ClickablePicture.h"

#include <QMouseEvent>

TClickablePicture::TClickablePicture(QWidget* parent) : QLabel(parent)
{
    setScaledContents(true);
}

void TClickablePicture::mousePressEvent(QMouseEvent* event)
{
    FPressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void TClickablePicture::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = FPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    FPressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click) {
        emit clicked();
    }
}
