// Test support: an environment variable set (or unset) for one scope; what it was comes back
// afterwards.
#pragma once

#include <optional>
#include <string>

namespace netloom::testsupport {

class ScopedEnvironment {
 public:
  // No value: the variable is unset.
  ScopedEnvironment(std::string name, const std::optional<std::string>& value);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::string name_;
  std::optional<std::string> saved_;
};

}  // namespace netloom::testsupport
