// Test support: a real Mosquitto broker (the Debian package) on 127.0.0.1, started on a free
// port with a generated configuration, ended by its process id.
//
// Without persistence: a restarted broker has forgotten every retained message, so a client
// that republishes after reconnecting is seen to do it. With a user, anonymous clients are
// refused and only that user and password get in. With TLS, a second listener speaks TLS with a
// server certificate (for 127.0.0.1) signed by a CA the broker makes for the test (openssl).
// Stop and Start may be repeated: a restarted broker listens on the same ports.
#pragma once

#include <cstdint>
#include <string>

#include "support/background_program.h"
#include "support/temp_folder.h"

namespace netloom::testsupport {

struct BrokerOptions {
  std::string user = {};  // empty: anonymous clients are welcome
  std::string password = {};
  bool tls = false;
};

class MosquittoBroker {
 public:
  explicit MosquittoBroker(BrokerOptions options = {});
  MosquittoBroker(const MosquittoBroker&) = delete;
  MosquittoBroker& operator=(const MosquittoBroker&) = delete;

  // Starts the broker and waits until it listens; false (with a test failure) when it does not.
  bool Start();
  // Ends the broker and waits for its end.
  void Stop();

  std::uint16_t Port() const { return port_; }
  std::uint16_t TlsPort() const { return tlsPort_; }
  std::string Url() const { return "mqtt://127.0.0.1:" + std::to_string(port_); }
  std::string TlsUrl() const { return "mqtts://127.0.0.1:" + std::to_string(tlsPort_); }
  // The CA that signed the TLS listener's certificate.
  std::string CaFile() const { return folder_.File("ca.crt"); }
  std::string Log() const { return FileText(folder_.File("mosquitto.log")); }

 private:
  void MakeCertificates();

  BrokerOptions options_;
  TempFolder folder_;
  std::uint16_t port_ = 0;
  std::uint16_t tlsPort_ = 0;
  BackgroundProgram program_;
};

}  // namespace netloom::testsupport
