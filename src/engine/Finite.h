#pragma once

#include <cmath>

// True when every value is a finite number: a sum is finite only when its
// terms are, or so large that it overflows, which no temperature can be.
inline bool AllFinite(const double* values, int count)
{
    double sum = 0.0;
    for (int k = 0; k < count; ++k)
        sum += values[k];
    return std::isfinite(sum);
}
