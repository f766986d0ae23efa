#include "ProgressBarAdapter.h"

#include <QProgressBar>

void TProgressBarAdapter::SetMin(int value)
{
    FBar.setMinimum(value);
}

void TProgressBarAdapter::SetMax(int value)
{
    FBar.setMaximum(value);
}

void TProgressBarAdapter::SetStep(int value)
{
    FStep = value;
}

void TProgressBarAdapter::SetPosition(int value)
{
    FBar.setValue(value);
}

void TProgressBarAdapter::StepIt()
{
    // Widened so that a step near the int limits cannot overflow.
    const long long next = static_cast<long long>(FBar.value()) + FStep;
    FBar.setValue(next > FBar.maximum() || next < FBar.minimum() ? FBar.minimum() : static_cast<int>(next));
}
