// Test support: a private folder for one test's files, removed with everything in it when the
// folder goes away.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace netloom::testsupport {

class TempFolder {
 public:
  // A new empty folder under the system's temporary folder (TMPDIR, else /tmp); throws
  // std::system_error when it cannot be made.
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The path of an entry of the folder (nothing is made).
  std::string File(std::string_view name) const;
  // Writes `bytes` to a file of the folder and returns its path.
  std::string Write(std::string_view name, std::string_view bytes) const;

 private:
  std::filesystem::path path_;
};

}  // namespace netloom::testsupport
