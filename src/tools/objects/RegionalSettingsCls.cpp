#include "RegionalSettingsCls.h"

#include "Compat.h"
#include "StringTools/StringToolsCls.h"

#include <charconv>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <system_error>

namespace {

constexpr bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The conversion every parse tries, at most twice: an optional leading minus,
// then digits, at most one separator (only the given one) and digits, with at
// least one of these three present and nothing after them. The grammar is
// checked here so that no library routine's own leniency (leading plus,
// exponents, "inf", blanks, locale) can widen it.
std::optional<double> StrictConvert(std::string_view text, char separator)
{
    std::size_t pos = 0;
    const bool negative = pos < text.size() && text[pos] == '-';
    if (negative) {
        ++pos;
    }
    const std::size_t wholeStart = pos;
    while (pos < text.size() && IsDigit(text[pos])) {
        ++pos;
    }
    const std::string_view whole = text.substr(wholeStart, pos - wholeStart);
    const bool hasSeparator = pos < text.size() && text[pos] == separator;
    if (hasSeparator) {
        ++pos;
    }
    const std::size_t fractionStart = pos;
    while (pos < text.size() && IsDigit(text[pos])) {
        ++pos;
    }
    const std::string_view fraction = text.substr(fractionStart, pos - fractionStart);
    if (pos != text.size() || (whole.empty() && !hasSeparator && fraction.empty())) {
        return std::nullopt;
    }

    // A lone separator (or a missing side) reads as zero digits.
    std::string normalised;
    normalised.reserve(whole.size() + fraction.size() + 2);
    normalised.append(whole.empty() ? std::string_view("0") : whole);
    normalised.push_back('.');
    normalised.append(fraction.empty() ? std::string_view("0") : fraction);

    double magnitude = 0.0;
    const char* const begin = normalised.data();
    const char* const end = begin + normalised.size();
    const auto [stop, error] = Compat::FromFixedChars(begin, end, magnitude);
    if (error == std::errc::result_out_of_range) {
        // Too large for a double (a run of hundreds of digits) becomes
        // infinity, as any IEEE conversion rounds it; too small becomes 0.
        // A whole part of only zeros means the value is below 1, so it can
        // only have underflowed.
        const bool belowOne = whole.find_first_not_of('0') == std::string_view::npos;
        magnitude = belowOne ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    // Zero is returned unsigned: "-0" or "-," should not show as "-0.0".
    if (magnitude == 0.0) {
        return 0.0;
    }
    return negative ? -magnitude : magnitude;
}

}  // namespace

double TRegionalSettingsCls::ParseReal(std::string_view text, char decimalSeparator)
{
    ErrorCode = Success;

    const std::string_view trimmed = StringToolsCls::Trim(text);
    if (trimmed.empty()) {
        ErrorCode = ErrorEmpty;
        return 0.0;
    }

    std::optional<std::size_t> lastSeparatorAt;
    for (std::size_t i = 0; i < trimmed.size(); ++i) {
        const char c = trimmed[i];
        if (c == ',' || c == '.') {
            lastSeparatorAt = i;
        } else if (!IsDigit(c) && c != '-') {
            ErrorCode = ErrorBadCharacter;
            return 0.0;
        }
    }

    // Users type a comma or a point; a regional separator that is neither
    // could never be typed past the scan above, and would make both of them
    // fail. The point stands in for it.
    const char separator = (decimalSeparator == ',' || decimalSeparator == '.') ? decimalSeparator : '.';

    if (const auto value = StrictConvert(trimmed, separator)) {
        return *value;
    }
    if (lastSeparatorAt) {
        std::string exchanged(trimmed);
        char& mark = exchanged[*lastSeparatorAt];
        mark = (mark == ',') ? '.' : ',';
        if (const auto value = StrictConvert(exchanged, separator)) {
            return *value;
        }
    }
    ErrorCode = ErrorNotConvertible;
    return 0.0;
}
