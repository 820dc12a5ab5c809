#include "core/network/json_fields.h"

#include <algorithm>
#include <cctype>

namespace netloom::network::detail {

bool IsAddress(const std::string& text) {
  return text.size() == 4 && std::all_of(text.begin(), text.end(),
                                         [](unsigned char c) { return std::isxdigit(c) != 0; });
}

bool FieldReader::Fail(const char* name, const char* what) {
  error_ = std::string("field '") + name + "' " + what;
  return false;
}

const nlohmann::json* FieldReader::Field(const char* name, nlohmann::json::value_t type) {
  if (!json_.is_object()) {
    Fail(name, "missing (not an object)");
    return nullptr;
  }
  const auto found = json_.find(name);
  const bool integer = type == nlohmann::json::value_t::number_integer && found != json_.end() &&
                       found->is_number_integer();
  if (found == json_.end() || (found->type() != type && !integer)) {
    Fail(name, "missing or of the wrong type");
    return nullptr;
  }
  return &*found;
}

bool FieldReader::Text(const char* name, std::string& out) {
  const auto* field = Field(name, nlohmann::json::value_t::string);
  if (field) out = field->get<std::string>();
  return field != nullptr;
}

bool FieldReader::Address(const char* name, std::string& out) {
  if (!Text(name, out)) return false;
  return IsAddress(out) || Fail(name, "is not four hex digits");
}

bool FieldReader::Addresses(const char* name, std::vector<std::string>& out) {
  const auto* field = Field(name, nlohmann::json::value_t::array);
  if (!field) return false;
  for (const auto& item : *field) {
    if (!item.is_string() || !IsAddress(item.get<std::string>())) {
      return Fail(name, "holds something other than addresses");
    }
    out.push_back(item.get<std::string>());
  }
  return true;
}

bool FieldReader::Time(const char* name, link::WallTime& out) {
  std::string text;
  if (!Text(name, text)) return false;
  const auto time = link::ParseUtcText(text);
  if (!time) return Fail(name, "is not a UTC time");
  out = *time;
  return true;
}

bool FieldReader::Integer(const char* name, std::int64_t low, std::int64_t high,
                          std::int64_t& out) {
  const auto* field = Field(name, nlohmann::json::value_t::number_integer);
  if (!field) return false;
  if (field->is_number_unsigned() &&
      field->get<std::uint64_t>() > static_cast<std::uint64_t>(high)) {
    return Fail(name, "out of range");
  }
  out = field->get<std::int64_t>();
  return (out >= low && out <= high) || Fail(name, "out of range");
}

}  // namespace netloom::network::detail
