#include "NumberText.h"

#include "Compat.h"

#include <array>

namespace NumberText {

std::string Fixed(double value, int decimals)
{
    // 309 digits before the point at most, plus the decimals asked for.
    std::array<char, 400> text{};
    const auto [end, error] = Compat::ToFixedChars(
        text.data(), text.data() + text.size(), value, decimals < 0 ? 0 : (decimals > 60 ? 60 : decimals));
    if (error != std::errc())
        return {};
    return std::string(text.data(), end);
}

std::string Shortest(double value)
{
    std::array<char, 64> text{};
    const auto [end, error] = Compat::ToChars(text.data(), text.data() + text.size(), value);
    if (error != std::errc())
        return {};
    return std::string(text.data(), end);
}

std::string QuotedExcerpt(std::string_view text, std::size_t maxBytes)
{
    std::string quoted = "\"";
    std::size_t n = 0;
    for (; n < text.size() && n < maxBytes; ++n) {
        const auto byte = static_cast<unsigned char>(text[n]);
        if (byte < 0x20 || byte == 0x7F) {
            constexpr std::string_view Hex = "0123456789ABCDEF";
            quoted += "\\x";
            quoted += Hex[byte >> 4];
            quoted += Hex[byte & 0xF];
        } else {
            quoted += static_cast<char>(byte);
        }
    }
    if (n < text.size()) {
        // A UTF-8 character cut in two is left out whole.
        std::size_t lead = quoted.size();
        while (lead > 1 && quoted.size() - lead < 3 && (static_cast<unsigned char>(quoted[lead - 1]) & 0xC0) == 0x80)
            --lead;
        if (lead > 1) {
            const auto first = static_cast<unsigned char>(quoted[lead - 1]);
            const std::size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
            if (quoted.size() - (lead - 1) < length)
                quoted.resize(lead - 1);
        }
        quoted += "...";
    }
    return quoted + '"';
}

}  // namespace NumberText
