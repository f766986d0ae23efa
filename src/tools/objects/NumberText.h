#pragma once

#include <string>
#include <string_view>

// Numbers as files and the command line write them: always a point, whatever
// the process's locale (the desktop program runs under the user's, where
// printf would write a decimal comma).
namespace NumberText {

// As printf's "%.*f" in the C locale: rounded to the given decimals.
std::string Fixed(double value, int decimals);

// The shortest text that reads back as the same double ("60.00003", "2").
std::string Shortest(double value);

// At most maxBytes of text between double quotes for a message: control
// bytes (NUL included) as \xNN, a cut marked "...", never inside a UTF-8
// character. A hostile file cannot push its whole content into a message.
std::string QuotedExcerpt(std::string_view text, std::size_t maxBytes = 40);

}  // namespace NumberText
