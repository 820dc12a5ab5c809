#include "cli/items_file.h"

#include <nlohmann/json.hpp>

#include "core/catalogue/config_items.h"

namespace netloom::cli {

std::optional<std::vector<std::pair<int, std::string>>> ParseItemsDocument(
    std::string_view text, const std::string& source, std::string& error) {
  const auto document = nlohmann::json::parse(text, nullptr, false);
  if (document.is_discarded() || !document.is_object() || !document.contains("items") ||
      !document["items"].is_array()) {
    error = source + ": not a JSON document with an \"items\" array";
    return std::nullopt;
  }
  std::vector<std::pair<int, std::string>> items;
  for (const auto& entry : document["items"]) {
    const bool shaped = entry.is_object() && entry.contains("index") &&
                        entry["index"].is_number_integer() && entry.contains("value") &&
                        entry["value"].is_string();
    // Read wide: an index beyond int must be refused, not wrapped into 0..50.
    const std::int64_t index = shaped ? entry["index"].get<std::int64_t>() : -1;
    if (!shaped || index < 0 || index >= catalogue::kItemCount) {
      error = source + ": each item needs an \"index\" 0..50 and a text \"value\"";
      return std::nullopt;
    }
    const auto name = catalogue::ConfigCatalogue()[static_cast<std::size_t>(index)].name;
    if (entry.contains("name") && entry["name"] != name) {
      error = source + ": item " + std::to_string(index) + " is \"" + std::string(name) + "\"";
      return std::nullopt;
    }
    items.emplace_back(static_cast<int>(index), entry["value"].get<std::string>());
  }
  return items;
}

}  // namespace netloom::cli
