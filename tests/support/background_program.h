// Test support: a program started in the background (a server, a subscriber, netloom-cli
// itself), its standard output and error appended to a file, ended by its process id.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace netloom::testsupport {

class BackgroundProgram {
 public:
  BackgroundProgram() = default;
  // Ends the program (SIGTERM) if it runs.
  ~BackgroundProgram();
  BackgroundProgram(const BackgroundProgram&) = delete;
  BackgroundProgram& operator=(const BackgroundProgram&) = delete;

  // Starts `argv` (argv[0] a path) with its output appended to `outputFile`; `environment`
  // entries ("NAME=VALUE") are added to this process's. False when it cannot be started.
  bool Start(const std::vector<std::string>& argv, const std::string& outputFile,
             const std::vector<std::string>& environment = {});
  // Sends `signal` and waits for the end; the exit status (128 + signal when it was killed by
  // one), -1 when nothing ran.
  int Stop(int signal);
  bool Running() const { return pid_ > 0; }
  pid_t Pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
};

// Whether 127.0.0.1:`port` is in the listen state (read from the kernel's table: no probing
// connection, which a server would take as a client).
bool LoopbackListening(std::uint16_t port);

// The whole of a file ("" when it cannot be read).
std::string FileText(const std::string& path);

}  // namespace netloom::testsupport
