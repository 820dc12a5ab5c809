// The items document `config read --json` prints and `config write --from` reads:
//   {"items":[{"index":0,"name":"Version","value":"0002"}, ...]}
// Each item needs an "index" 0..50 and a text "value"; a "name", where given, must be the
// item's own.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace netloom::cli {

// The items (index, stored text) of a document's text, in document order; nothing, with
// `error` set (prefixed by `source`), when the document is refused.
std::optional<std::vector<std::pair<int, std::string>>> ParseItemsDocument(
    std::string_view text, const std::string& source, std::string& error);

}  // namespace netloom::cli
