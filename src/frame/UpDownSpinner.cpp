#include "UpDownSpinner.h"

#include <QKeyEvent>
#include <QToolButton>

#include <algorithm>

TUpDownSpinner::TUpDownSpinner(QWidget* parent)
    : QWidget(parent), FUp(new QToolButton(this)), FDown(new QToolButton(this))
{
    FUp->setObjectName(QStringLiteral("upButton"));
    FDown->setObjectName(QStringLiteral("downButton"));
    for (QToolButton* button : {FUp, FDown}) {
        // Focus stays on the spinner itself, which answers the arrow keys.
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
    }
    FUp->setArrowType(Qt::UpArrow);
    FDown->setArrowType(Qt::DownArrow);
    setFocusPolicy(Qt::StrongFocus);
    connect(FUp, &QToolButton::clicked, this, [this] { Step(TDirection::Up); });
    connect(FDown, &QToolButton::clicked, this, [this] { Step(TDirection::Down); });
    UpdateEnabled();
}

void TUpDownSpinner::SetPosition(int position)
{
    FPosition = FMax >= FMin ? std::clamp(position, FMin, FMax) : FMin;
}

void TUpDownSpinner::SetMin(int min)
{
    FMin = min;
    SetPosition(FPosition);
}

void TUpDownSpinner::SetMax(int max)
{
    FMax = max;
    SetPosition(FPosition);
    UpdateEnabled();
}

void TUpDownSpinner::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Up) {
        Step(TDirection::Up);
    } else if (event->key() == Qt::Key_Down) {
        Step(TDirection::Down);
    } else {
        QWidget::keyPressEvent(event);
    }
}

void TUpDownSpinner::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int upperHeight = height() / 2;
    FUp->setGeometry(0, 0, width(), upperHeight);
    FDown->setGeometry(0, upperHeight, width(), height() - upperHeight);
}

void TUpDownSpinner::Step(TDirection direction)
{
    if (!isEnabled()) {
        return;
    }
    if (direction == TDirection::Up && FPosition < FMax) {
        ++FPosition;
    } else if (direction == TDirection::Down && FPosition > FMin) {
        --FPosition;
    }
    emit click(direction);
}

void TUpDownSpinner::UpdateEnabled()
{
    setEnabled(FMax > 0);
}
