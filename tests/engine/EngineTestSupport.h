#pragma once

#include "DateUtilsBD2006.h"
#include "PICHourCls.h"

#include <stdexcept>
#include <string>
#include <vector>

// Records what Compute does to its progress bar.
class TRecordingProgressBar final : public TProgressBar {
public:
    int Min = -1, Max = -1, Step = -1, Position = -1, Steps = 0;
    std::vector<std::string> Calls;
    void SetMin(int value) override
    {
        Min = value;
        Calls.push_back("min");
    }
    void SetMax(int value) override
    {
        Max = value;
        Calls.push_back("max");
    }
    void SetStep(int value) override
    {
        Step = value;
        Calls.push_back("step");
    }
    void SetPosition(int value) override
    {
        Position = value;
        Calls.push_back("position");
    }
    void StepIt() override
    {
        ++Steps;
        Position += Step;
    }
};

inline double dateOf(int year, int month, int day)
{
    const auto value = DateUtilsBD2006::EncodeDate(year, month, day);
    if (!value)
        throw std::invalid_argument("bad test date");
    return *value;
}

inline double timeOf(int hour, int minute)
{
    return *DateUtilsBD2006::EncodeTime(hour, minute, 0, 0);
}

// The desktop program's start values with a feeble wind and a clear sky.
inline void setStartInputs(TPICHourCls& engine, double thicknessCm = 5.0)
{
    engine.Layers.Items(0).SetThicknessCm(thicknessCm);
    engine.LayingTemp = 170.0;
    engine.ReopenTemp = 30.0;
    engine.WindSpeed = engine.WindSpeedFeeble;
    engine.CloudCover = engine.CloudCoverClear;
    engine.SummerTime = true;
}

// The message of what Compute throws, or "" when it succeeds.
inline std::string computeFailure(TPICHourCls& engine, TProgressBar& bar, double date, double time)
{
    try {
        engine.Compute(bar, date, time);
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "";
}
