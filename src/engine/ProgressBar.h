#pragma once

// What the engine needs of a progress display: the frame lends its progress
// bar through this, the command line lends nothing.
class TProgressBar {
public:
    virtual ~TProgressBar() = default;
    virtual void SetMin(int value) = 0;
    virtual void SetMax(int value) = 0;
    virtual void SetStep(int value) = 0;
    virtual void SetPosition(int value) = 0;
    virtual void StepIt() = 0;
};

class TNullProgressBar final : public TProgressBar {
public:
    void SetMin(int) override { }
    void SetMax(int) override { }
    void SetStep(int) override { }
    void SetPosition(int) override { }
    void StepIt() override { }
};
