#pragma once

#include <string_view>

// Turns a typed number into a double, accepting a decimal comma or a decimal
// point whatever the regional separator is. Never throws: the outcome is
// reported through ErrorCode so that the caller can phrase its own message.
class TRegionalSettingsCls {
public:
    // Outcomes of the last ParseReal; callers only test for Success.
    static constexpr int Success = 0;
    static constexpr int ErrorEmpty = -1;  // nothing left once trimmed
    static constexpr int ErrorBadCharacter = -2;  // not a digit, comma, point or minus
    static constexpr int ErrorNotConvertible = -3;  // neither as typed nor with its last separator exchanged

    int ErrorCode = Success;

    // decimalSeparator is the regional one, handed in by the caller; the
    // first conversion accepts only it, the second the exchanged text. A
    // separator other than a comma or a point is taken as a point, since only
    // those two can be typed. Returns 0 whenever ErrorCode is not Success.
    // Digits beyond the range of a double give an infinity, digits below it
    // 0; a zero result is never negative.
    double ParseReal(std::string_view text, char decimalSeparator);
};
