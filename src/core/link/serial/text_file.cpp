#include "core/link/serial/text_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace netloom::link {

std::optional<std::string> ReadTextFile(const std::string& path, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = std::strerror(errno);
    return std::nullopt;
  }
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string WriteTextFile(const std::string& path, std::string_view text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (file) file.write(text.data(), static_cast<std::streamsize>(text.size()));
  file.close();
  if (!file) return std::strerror(errno != 0 ? errno : EIO);
  return {};
}

}  // namespace netloom::link
