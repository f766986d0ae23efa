#include "CliLimits.h"

#include <charconv>

namespace {

// The fewest digits that read back as the bound itself, whatever the locale.
std::string shortNumber(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

}  // namespace

std::optional<std::string> OutsideLimit(const TCliLimit& limit, double value, std::string_view text)
{
    const char* side = nullptr;
    double bound = 0.0;
    if (!(value >= limit.Min)) {  // NaN too
        side = " is below the minimum of ";
        bound = limit.Min;
    } else if (value > limit.Max) {
        side = " is above the maximum of ";
        bound = limit.Max;
    } else {
        return std::nullopt;
    }
    return std::string(text) + side + shortNumber(bound) + " " + limit.Unit;
}

std::string LimitRange(const TCliLimit& limit)
{
    return shortNumber(limit.Min) + " to " + shortNumber(limit.Max) + " " + limit.Unit;
}
