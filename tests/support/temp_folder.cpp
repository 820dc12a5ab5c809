#include "support/temp_folder.h"

#include <stdlib.h>

#include <cerrno>
#include <fstream>
#include <system_error>

namespace netloom::testsupport {

TempFolder::TempFolder() {
  const char* base = ::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/netloom-test-XXXXXX";
  // Never fall back to a shared folder: the destructor removes the folder with all it holds.
  if (::mkdtemp(pattern.data()) == nullptr)
    throw std::system_error(errno, std::generic_category(), pattern);
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::File(std::string_view name) const {
  return (path_ / name).string();
}

std::string TempFolder::Write(std::string_view name, std::string_view bytes) const {
  const auto path = File(name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

}  // namespace netloom::testsupport
