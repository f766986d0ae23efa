#pragma once

#include "ProgressBar.h"

class QProgressBar;

// Lends a QProgressBar to the engine for the length of one computation.
class TProgressBarAdapter final : public TProgressBar {
public:
    explicit TProgressBarAdapter(QProgressBar& bar) : FBar(bar) { }

    void SetMin(int value) override;
    void SetMax(int value) override;
    void SetStep(int value) override;
    void SetPosition(int value) override;
    // Like the classic progress control: past the maximum it starts again
    // from the minimum.
    void StepIt() override;

private:
    QProgressBar& FBar;
    int FStep = 10;
};
