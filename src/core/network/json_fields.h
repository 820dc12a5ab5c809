// Reading fields of a JSON object that came from a file: each reader checks presence and type
// and, on a fault, sets the one-line reason ("field 'parents' holds something other than
// addresses") and returns false. For the readers of node records and saved networks.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "core/link/serial/wall_clock.h"

namespace netloom::network::detail {

// Four hex digits.
bool IsAddress(const std::string& text);

class FieldReader {
 public:
  FieldReader(const nlohmann::json& json, std::string& error) : json_(json), error_(error) {}

  // The field when it has `type` (any integer for number_integer), else null.
  const nlohmann::json* Field(const char* name, nlohmann::json::value_t type);
  bool Text(const char* name, std::string& out);
  bool Address(const char* name, std::string& out);
  bool Addresses(const char* name, std::vector<std::string>& out);
  bool Time(const char* name, link::WallTime& out);
  // An integer within [low, high].
  bool Integer(const char* name, std::int64_t low, std::int64_t high, std::int64_t& out);

 private:
  bool Fail(const char* name, const char* what);

  const nlohmann::json& json_;
  std::string& error_;
};

}  // namespace netloom::network::detail
