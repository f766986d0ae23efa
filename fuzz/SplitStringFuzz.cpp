// SplitStringFuzz: any separator byte and any text. The pieces, joined again
// with the separator, give back the trimmed text less one trailing
// separator; no piece holds the separator.
#include "FuzzCheck.h"
#include "StringTools/StringToolsCls.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const auto separator = static_cast<char>(data[0]);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    std::string_view expected = text;
    while (!expected.empty() && static_cast<unsigned char>(expected.front()) <= 32)
        expected.remove_prefix(1);
    while (!expected.empty() && static_cast<unsigned char>(expected.back()) <= 32)
        expected.remove_suffix(1);
    const bool trailing = !expected.empty() && expected.back() == separator;
    if (trailing)
        expected.remove_suffix(1);

    const auto pieces = StringToolsCls::SplitString(separator, text);

    std::string joined;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        KELVARA_FUZZ_CHECK(pieces[i].find(separator) == std::string::npos);
        if (i > 0)
            joined.push_back(separator);
        joined += pieces[i];
    }
    KELVARA_FUZZ_CHECK(joined == expected);

    // One piece per separator, plus the rest unless the text ended with one;
    // a blank text gives none.
    std::size_t separators = 0;
    for (const char c : expected)
        separators += c == separator ? 1 : 0;
    const std::size_t want = (expected.empty() && !trailing) ? 0 : separators + 1;
    KELVARA_FUZZ_CHECK(pieces.size() == want);
    return 0;
}
