// --log FILE: the session log of a command's port (every byte sent and received, timestamped),
// written to FILE when the command ends, however it ends.
//
// Threads: the command's thread makes, starts and destroys it; the port's worker notes bytes.
#pragma once

#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "cli/cli.h"
#include "cli/options.h"
#include "core/link/serial/port_tap.h"
#include "core/link/serial/session_log.h"

namespace netloom::cli {

class SessionLogFile {
 public:
  explicit SessionLogFile(CommandIo& io) : io_(io) {}
  // Writes the file, if one was started; a file that cannot be written is named on standard
  // error.
  ~SessionLogFile();
  SessionLogFile(const SessionLogFile&) = delete;
  SessionLogFile& operator=(const SessionLogFile&) = delete;

  // Without --log: nothing. With it: FILE is created (before the port opens, so a path that
  // cannot be written fails first: exit 1 with "cannot write the session log FILE: reason") and
  // every port opened at `portPath` from now on is recorded.
  std::optional<int> Start(const ParsedArgs& args, const std::string& portPath);

 private:
  CommandIo& io_;
  std::string path_;
  std::ofstream file_;
  std::shared_ptr<link::SessionLog> log_;
  link::PortTapping tapping_;
};

}  // namespace netloom::cli
