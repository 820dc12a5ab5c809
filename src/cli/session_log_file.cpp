#include "cli/session_log_file.h"

#include <cerrno>
#include <cstring>

namespace netloom::cli {
namespace {

std::string CannotWrite(const std::string& path) {
  return "cannot write the session log " + path + ": " + std::strerror(errno);
}

}  // namespace

SessionLogFile::~SessionLogFile() {
  if (!log_) return;
  tapping_ = {};
  file_ << log_->Text();
  file_.close();
  if (!file_) FailureLine(io_, CannotWrite(path_));
}

std::optional<int> SessionLogFile::Start(const ParsedArgs& args, const std::string& portPath) {
  const auto path = args.Get("--log");
  if (!path) return std::nullopt;
  file_.open(*path, std::ios::binary | std::ios::trunc);
  if (!file_) return FailureLine(io_, CannotWrite(*path));
  path_ = *path;
  log_ = std::make_shared<link::SessionLog>();
  tapping_ = link::TapPort(portPath, log_);
  return std::nullopt;
}

}  // namespace netloom::cli
