#pragma once

// How a long analysis reports its progress and learns that it should stop.
// Runs finish on worker threads: implementations must be thread-safe.
class TAnalysisProgress {
public:
    virtual ~TAnalysisProgress() = default;
    // After each run: done counts the finished runs, 1..total, each value
    // reported once, not necessarily in order.
    virtual void RunsDone(int done, int total) = 0;
    // Checked before each run; once true, the analysis ends without a result.
    virtual bool StopRequested() const = 0;
};
