// The manual page netloom-cli(1), made from the option table (Commands()) so that it names every
// command, flag and operand the parser takes, with the exit statuses, the environment variables
// and the files the program uses. Written as man(7) roff.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace netloom::cli {

void WriteManualPage(std::ostream& out);

// `text` as roff running text: backslashes and hyphens escaped, a leading '.' or '\'' made
// literal, a break point after each comma.
std::string RoffText(std::string_view text);

}  // namespace netloom::cli
