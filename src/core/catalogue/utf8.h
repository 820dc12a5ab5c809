// UTF-8 as the catalogue meets it: typed text and JSON documents are UTF-8, while a module's
// texts are single bytes in whatever code it holds them.
//
// Pure functions; any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace netloom::catalogue {

// The UTF-8 sequence at the start of `text` (not empty): its code point and length; nullopt
// when the bytes there are no UTF-8 (overlong, a surrogate, beyond U+10FFFF, cut short).
std::optional<std::pair<std::uint32_t, std::size_t>> DecodeUtf8(std::string_view text);

// Whether all of `text` is UTF-8.
bool IsUtf8(std::string_view text);

// UTF-8 text whose characters are all U+0000..U+00FF as those bytes (Latin-1); nullopt when
// `text` is no UTF-8 or holds a character beyond U+00FF.
std::optional<std::string> Latin1FromUtf8(std::string_view text);

}  // namespace netloom::catalogue
