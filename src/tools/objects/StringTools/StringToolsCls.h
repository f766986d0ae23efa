#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace StringToolsCls {

// The text without blanks and control characters (code 32 or less) at either
// end. UTF-8 bytes are above 127 and stay.
std::string_view Trim(std::string_view text);

// Pieces of text between separators, after trimming blanks and control
// characters (code 32 or less) from both ends of the whole text. Empty pieces
// between separators or before a leading one are kept; a trailing separator
// adds no empty last piece; an empty or blank text gives no piece.
std::vector<std::string> SplitString(char separator, std::string_view text);

}  // namespace StringToolsCls
