#pragma once

#include <climits>
#include <cmath>

// Truncation toward zero into a 32-bit count. Values beyond the range are
// clamped and NaN gives 0, so no conversion is ever out of range.
inline int TruncToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}
