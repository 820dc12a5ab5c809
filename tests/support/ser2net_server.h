// Test support: a real ser2net (the Debian package) serving a device on 127.0.0.1, started on a
// free port with a generated configuration, ended by its process id.
//
// The mode chooses the accepter: Telnet with RFC 2217 serial port control, or a raw TCP
// stream. The device is opened by ser2net at each connection (so a virtual module's link that
// gets a new pseudo-terminal after a re-plug is followed). Stop and Start may be repeated: a
// restarted server listens on the same port.
#pragma once

#include <cstdint>
#include <string>

#include "support/background_program.h"
#include "support/temp_folder.h"

namespace netloom::testsupport {

enum class Ser2netMode { Rfc2217, Raw };

class Ser2netServer {
 public:
  Ser2netServer(std::string devicePath, Ser2netMode mode);
  // Ends the server (by its process id) if it runs.
  ~Ser2netServer();
  Ser2netServer(const Ser2netServer&) = delete;
  Ser2netServer& operator=(const Ser2netServer&) = delete;

  // Starts the server and waits until it listens; false (with a test failure) when it does not.
  bool Start();
  // Ends the server and waits for its end; every connection it served is closed.
  void Stop();
  bool Running() const { return program_.Running(); }

  std::uint16_t Port() const { return port_; }
  // "rfc2217://127.0.0.1:PORT" or "tcp://127.0.0.1:PORT".
  std::string PortName() const;
  // What the server wrote on its standard output and error (for a failing test's message).
  std::string Log() const;

 private:
  std::string devicePath_;
  Ser2netMode mode_;
  TempFolder folder_;
  std::uint16_t port_ = 0;
  BackgroundProgram program_;
};

// A TCP port of 127.0.0.1 that nobody listens on now.
std::uint16_t FreeLoopbackPort();

}  // namespace netloom::testsupport
