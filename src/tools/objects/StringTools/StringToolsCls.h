#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace StringToolsCls {

// Pieces of text between separators, after trimming blanks and control
// characters (code 32 or less) from both ends of the whole text. Empty pieces
// between separators or before a leading one are kept; a trailing separator
// adds no empty last piece; an empty or blank text gives no piece.
std::vector<std::string> SplitString(char separator, std::string_view text);

}  // namespace StringToolsCls
