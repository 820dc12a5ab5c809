#include "support/mosquitto_broker.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include "support/run_program.h"
#include "support/ser2net_server.h"
#include "support/wait_for.h"

namespace netloom::testsupport {
namespace {

constexpr const char* kBroker = "/usr/sbin/mosquitto";
constexpr const char* kPasswd = "/usr/bin/mosquitto_passwd";
constexpr const char* kOpenssl = "/usr/bin/openssl";

// Runs a set-up tool; a failure is the test's.
void MustRun(const std::vector<std::string>& argv) {
  const ProgramRun run = RunProgram(argv);
  EXPECT_EQ(run.status, 0) << argv[0] << " " << argv[1] << ": " << run.err;
}

}  // namespace

MosquittoBroker::MosquittoBroker(BrokerOptions options)
    : options_(std::move(options)), port_(FreeLoopbackPort()) {
  std::string config =
      "persistence false\n"
      // Run as root (a container's tests), the broker would switch to its own user, who cannot
      // read this test's private folder.
      "user root\n"
      "listener " +
      std::to_string(port_) + " 127.0.0.1\n";
  if (options_.user.empty()) {
    config += "allow_anonymous true\n";
  } else {
    MustRun({kPasswd, "-b", "-c", folder_.File("passwords"), options_.user, options_.password});
    config += "allow_anonymous false\npassword_file " + folder_.File("passwords") + "\n";
  }
  if (options_.tls) {
    MakeCertificates();
    tlsPort_ = FreeLoopbackPort();
    config += "listener " + std::to_string(tlsPort_) + " 127.0.0.1\ncafile " + CaFile() +
              "\ncertfile " + folder_.File("server.crt") + "\nkeyfile " +
              folder_.File("server.key") + "\n";
  }
  folder_.Write("mosquitto.conf", config);
  Start();
}

void MosquittoBroker::MakeCertificates() {
  const auto key = [&](const std::string& name) {
    return std::vector<std::string>{
        "-newkey", "ec",      "-pkeyopt",        "ec_paramgen_curve:prime256v1",
        "-nodes",  "-keyout", folder_.File(name)};
  };
  std::vector<std::string> ca{
      kOpenssl, "req", "-x509", "-days", "2", "-subj", "/CN=netloom test CA", "-out", CaFile()};
  const auto caKey = key("ca.key");
  ca.insert(ca.end(), caKey.begin(), caKey.end());
  MustRun(ca);
  std::vector<std::string> request{kOpenssl,        "req",  "-subj",
                                   "/CN=127.0.0.1", "-out", folder_.File("server.csr")};
  const auto serverKey = key("server.key");
  request.insert(request.end(), serverKey.begin(), serverKey.end());
  MustRun(request);
  const std::string extensions = folder_.Write("server.ext", "subjectAltName=IP:127.0.0.1\n");
  MustRun({kOpenssl, "x509", "-req", "-days", "2", "-in", folder_.File("server.csr"), "-CA",
           CaFile(), "-CAkey", folder_.File("ca.key"), "-CAcreateserial", "-extfile", extensions,
           "-out", folder_.File("server.crt")});
}

bool MosquittoBroker::Start() {
  if (program_.Running()) return true;
  program_.Start({kBroker, "-c", folder_.File("mosquitto.conf")}, folder_.File("mosquitto.log"));
  const bool listening =
      program_.Running() && WaitFor([this] {
        return LoopbackListening(port_) && (tlsPort_ == 0 || LoopbackListening(tlsPort_));
      });
  if (!listening) {
    ADD_FAILURE() << "mosquitto does not listen on port " << port_
                  << " (is it installed? scripts/setup.sh installs it)\n"
                  << Log();
    Stop();
  }
  return listening;
}

void MosquittoBroker::Stop() {
  program_.Stop(SIGTERM);
}

}  // namespace netloom::testsupport
