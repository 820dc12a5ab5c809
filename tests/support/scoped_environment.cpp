#include "support/scoped_environment.h"

#include <stdlib.h>

#include <utility>

namespace netloom::testsupport {
namespace {

void Put(const std::string& name, const std::optional<std::string>& value) {
  if (value) {
    ::setenv(name.c_str(), value->c_str(), 1);
  } else {
    ::unsetenv(name.c_str());
  }
}

}  // namespace

ScopedEnvironment::ScopedEnvironment(std::string name, const std::optional<std::string>& value)
    : name_(std::move(name)) {
  if (const char* saved = ::getenv(name_.c_str())) saved_ = saved;
  Put(name_, value);
}

ScopedEnvironment::~ScopedEnvironment() {
  Put(name_, saved_);
}

}  // namespace netloom::testsupport
