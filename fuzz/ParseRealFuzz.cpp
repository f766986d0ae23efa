// ParseRealFuzz: any text under either separator. Checks that ParseReal
// never throws, reports only its documented codes with a result of 0 on
// failure, and succeeds exactly when the text or its exchanged form is a
// strict decimal number, with the value a second, independent conversion
// gives. Swapping every comma and point together with the separator must
// change nothing.
#include "FuzzCheck.h"
#include "RegionalSettingsCls.h"

#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32)
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32)
        text.remove_suffix(1);
    return text;
}

// The strict grammar (optional leading minus, digits, at most one separator,
// digits, something besides the minus), converted with strtod in the "C"
// locale, which the fuzzer never changes.
std::optional<double> referenceConvert(std::string_view text, char separator)
{
    std::string plain;
    std::size_t pos = 0;
    if (pos < text.size() && text[pos] == '-')
        plain.push_back(text[pos++]);
    bool seenSeparator = false;
    bool seenSomething = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (isDigit(c)) {
            plain.push_back(c);
        } else if (c == separator && !seenSeparator) {
            seenSeparator = true;
            plain.push_back('.');
        } else {
            return std::nullopt;
        }
        seenSomething = true;
    }
    if (!seenSomething)
        return std::nullopt;
    // strtod wants a digit on one side of the point.
    plain.push_back('0');
    if (plain.find('.') == std::string::npos)
        plain.insert(plain.size() - 1, ".");
    const std::size_t point = plain.find('.');
    if (point == 0 || plain[point - 1] == '-')
        plain.insert(point, "0");
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(plain.c_str(), &end);
    KELVARA_FUZZ_CHECK(end == plain.c_str() + plain.size());
    return value == 0.0 ? 0.0 : value;  // no negative zero
}

struct TOutcome {
    int Code;
    double Value;
};

TOutcome reference(std::string_view text, char separator)
{
    if (separator != ',' && separator != '.')
        separator = '.';
    const std::string_view t = trimmed(text);
    if (t.empty())
        return {TRegionalSettingsCls::ErrorEmpty, 0.0};
    std::optional<std::size_t> last;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] == ',' || t[i] == '.')
            last = i;
        else if (!isDigit(t[i]) && t[i] != '-')
            return {TRegionalSettingsCls::ErrorBadCharacter, 0.0};
    }
    if (const auto value = referenceConvert(t, separator))
        return {TRegionalSettingsCls::Success, *value};
    if (last) {
        std::string exchanged(t);
        exchanged[*last] = exchanged[*last] == ',' ? '.' : ',';
        if (const auto value = referenceConvert(exchanged, separator))
            return {TRegionalSettingsCls::Success, *value};
    }
    return {TRegionalSettingsCls::ErrorNotConvertible, 0.0};
}

bool sameValue(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
}

TOutcome parse(TRegionalSettingsCls& parser, std::string_view text, char separator)
{
    double value = 0.0;
    try {
        value = parser.ParseReal(text, separator);
    } catch (...) {
        KELVARA_FUZZ_CHECK(!"ParseReal threw");
    }
    return {parser.ErrorCode, value};
}

std::string swapSeparators(std::string_view text)
{
    std::string swapped(text);
    for (char& c : swapped)
        c = c == ',' ? '.' : c == '.' ? ',' : c;
    return swapped;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the regional separator: mostly a comma or a point,
    // sometimes any byte, which must be taken as a point.
    const char separator = data[0] < 100 ? ',' : data[0] < 200 ? '.' : static_cast<char>(data[0]);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    // A parser that has just failed must not carry its code over.
    TRegionalSettingsCls parser;
    parser.ParseReal("x", separator);

    const TOutcome got = parse(parser, text, separator);
    const TOutcome want = reference(text, separator);
    KELVARA_FUZZ_CHECK(got.Code == TRegionalSettingsCls::Success || got.Code == TRegionalSettingsCls::ErrorEmpty
        || got.Code == TRegionalSettingsCls::ErrorBadCharacter
        || got.Code == TRegionalSettingsCls::ErrorNotConvertible);
    KELVARA_FUZZ_CHECK(got.Code == TRegionalSettingsCls::Success || sameValue(got.Value, 0.0));
    KELVARA_FUZZ_CHECK(!std::isnan(got.Value));
    KELVARA_FUZZ_CHECK(got.Code == want.Code);
    KELVARA_FUZZ_CHECK(sameValue(got.Value, want.Value));

    const char other = separator == ',' ? '.' : ',';
    const TOutcome mirrored = parse(parser, swapSeparators(text), other);
    KELVARA_FUZZ_CHECK(mirrored.Code == got.Code);
    KELVARA_FUZZ_CHECK(sameValue(mirrored.Value, got.Value));
    return 0;
}
