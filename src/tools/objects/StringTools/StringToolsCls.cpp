#include "StringToolsCls.h"

#include <cstddef>

namespace StringToolsCls {

namespace {

constexpr bool IsBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

}  // namespace

std::string_view Trim(std::string_view text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlankOrControl(text[first])) {
        ++first;
    }
    while (last > first && IsBlankOrControl(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

std::vector<std::string> SplitString(char separator, std::string_view text)
{
    std::string_view rest = Trim(text);

    std::vector<std::string> pieces;
    for (std::size_t at = rest.find(separator); at != std::string_view::npos; at = rest.find(separator)) {
        pieces.emplace_back(rest.substr(0, at));
        rest.remove_prefix(at + 1);
    }
    if (!rest.empty()) {
        pieces.emplace_back(rest);
    }
    return pieces;
}

}  // namespace StringToolsCls
