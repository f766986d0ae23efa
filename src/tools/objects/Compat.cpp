#include "Compat.h"

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace Compat::Fallback {

namespace {

std::string localePoint()
{
    const char* point = std::localeconv()->decimal_point;
    return point != nullptr && *point != '\0' ? point : ".";
}

enum class TPrintf { Fixed, Scientific };

// printf's "%.*f" or "%.*e" of one double, always with a point.
std::string printed(TPrintf format, int precision, double value)
{
    const auto print = [&](char* text, std::size_t size) {
        return format == TPrintf::Fixed ? std::snprintf(text, size, "%.*f", precision, value)
                                        : std::snprintf(text, size, "%.*e", precision, value);
    };
    // Most numbers fit the first try; a curve writes a hundred thousand.
    std::string text(64, '\0');
    const int size = print(text.data(), text.size());
    if (size < 0)
        return {};
    if (static_cast<std::size_t>(size) >= text.size()) {
        text.assign(static_cast<std::size_t>(size) + 1, '\0');
        print(text.data(), text.size());
    }
    text.resize(static_cast<std::size_t>(size));
    const std::string point = localePoint();
    if (point != ".")
        if (const auto at = text.find(point); at != std::string::npos)
            text.replace(at, point.size(), ".");
    return text;
}

// strtod of a text with a point; errno's verdict in rangeError.
double readBack(std::string text, bool& rangeError)
{
    const std::string point = localePoint();
    if (point != ".")
        if (const auto at = text.find('.'); at != std::string::npos)
            text.replace(at, 1, point);
    errno = 0;
    const double value = std::strtod(text.c_str(), nullptr);
    rangeError = errno == ERANGE;
    return value;
}

bool readsBackAs(const std::string& digits, int exponent, double value)
{
    std::string text = digits.substr(0, 1);
    if (digits.size() > 1)
        text += '.' + digits.substr(1);
    text += 'e' + std::to_string(exponent);
    bool rangeError = false;
    return readBack(text, rangeError) == value;
}

// The digits one unit in their last place away, as many of them, with
// their exponent: 9.99 and up is 1.00 one power higher, 1.00 and down
// 9.99 one power lower.
void step(std::string& digits, int& exponent, int delta)
{
    const char wrapFrom = delta > 0 ? '9' : '0';
    const char wrapTo = delta > 0 ? '0' : '9';
    std::size_t n = digits.size();
    while (n > 0 && digits[n - 1] == wrapFrom)
        digits[--n] = wrapTo;
    if (n == 0) {  // 9.99 + 1 unit
        digits.insert(digits.begin(), '1');
        digits.pop_back();
        ++exponent;
        return;
    }
    digits[n - 1] = static_cast<char>(digits[n - 1] + delta);
    if (digits[0] == '0') {  // 1.00 - 1 unit
        digits.assign(digits.size(), '9');
        --exponent;
    }
}

std::to_chars_result copyOut(char* first, char* last, std::string_view text)
{
    if (text.size() > static_cast<std::size_t>(last - first))
        return {last, std::errc::value_too_large};
    std::memcpy(first, text.data(), text.size());
    return {first + text.size(), std::errc()};
}

}  // namespace

std::to_chars_result ToChars(char* first, char* last, double value)
{
    const std::string sign = std::signbit(value) ? "-" : "";
    if (std::isnan(value))
        return copyOut(first, last, sign + "nan");
    if (std::isinf(value))
        return copyOut(first, last, sign + "inf");
    const double magnitude = std::fabs(value);
    if (magnitude == 0.0)
        return copyOut(first, last, sign + "0");

    // The fewest digits that read back as the value, the nearest of them:
    // printf's rounding, else (where the interval that reads back is
    // lopsided, at a power of two) its neighbour on the wide side.
    std::string digits;
    int exponent = 0;
    for (int count = 1; count <= 17; ++count) {
        const std::string text = printed(TPrintf::Scientific, count - 1, magnitude);
        const auto e = text.find('e');
        digits = text.substr(0, 1) + (count > 1 ? text.substr(2, e - 2) : std::string());
        const char* power = text.c_str() + e + 1;
        std::from_chars(power + (*power == '+' ? 1 : 0), text.c_str() + text.size(), exponent);
        if (readsBackAs(digits, exponent, magnitude))
            break;
        bool found = false;
        for (const int delta : {1, -1}) {
            std::string near = digits;
            int nearExponent = exponent;
            step(near, nearExponent, delta);
            if (readsBackAs(near, nearExponent, magnitude)) {
                digits = near;
                exponent = nearExponent;
                found = true;
                break;
            }
        }
        if (found)
            break;
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    const int count = static_cast<int>(digits.size());
    std::string scientific = digits.substr(0, 1);
    if (count > 1)
        scientific += '.' + digits.substr(1);
    const int power = exponent < 0 ? -exponent : exponent;
    scientific += std::string(exponent < 0 ? "e-" : "e+") + (power < 10 ? "0" : "") + std::to_string(power);
    std::string fixed;
    if (exponent >= count - 1)
        fixed = printed(TPrintf::Fixed, 0, magnitude);  // a whole number, exactly
    else if (exponent >= 0)
        fixed = digits.substr(0, static_cast<std::size_t>(exponent) + 1) + '.'
            + digits.substr(static_cast<std::size_t>(exponent) + 1);
    else
        fixed = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    return copyOut(first, last, sign + (fixed.size() <= scientific.size() ? fixed : scientific));
}

std::to_chars_result ToFixedChars(char* first, char* last, double value, int precision)
{
    return copyOut(first, last, printed(TPrintf::Fixed, precision, value));
}

std::from_chars_result FromFixedChars(const char* first, const char* last, double& value)
{
    const char* end = first;
    if (end != last && *end == '-')
        ++end;
    const auto digitsFrom = [&end, last] {
        const char* start = end;
        while (end != last && *end >= '0' && *end <= '9')
            ++end;
        return end - start;
    };
    auto digits = digitsFrom();
    if (end != last && *end == '.') {
        const char* point = end++;
        const auto fraction = digitsFrom();
        if (fraction == 0 && digits == 0)
            end = point;
        digits += fraction;
    }
    if (digits == 0)
        return {first, std::errc::invalid_argument};
    bool rangeError = false;
    const double read = readBack(std::string(first, end), rangeError);
    if (rangeError && (read == 0.0 || std::isinf(read)))
        return {end, std::errc::result_out_of_range};
    value = read;
    return {end, std::errc()};
}

}  // namespace Compat::Fallback
