// Texts that modules and users write in either case: hex digits, command names, "NULL".
//
// Pure; any thread.
#pragma once

#include <algorithm>
#include <cctype>
#include <string_view>

namespace netloom::catalogue {

// Whether `a` and `b` are the same text but for the case of their letters.
inline bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
    return std::toupper(x) == std::toupper(y);
  });
}

}  // namespace netloom::catalogue
