#include "support/ser2net_server.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include "support/wait_for.h"

namespace netloom::testsupport {
namespace {

constexpr const char* kSer2netBinary = "/usr/sbin/ser2net";

}  // namespace

std::uint16_t FreeLoopbackPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  std::uint16_t port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    port = ntohs(address.sin_port);
  }
  ::close(fd);
  return port;
}

Ser2netServer::Ser2netServer(std::string devicePath, Ser2netMode mode)
    : devicePath_(std::move(devicePath)), mode_(mode), port_(FreeLoopbackPort()) {
  const std::string accepter = mode_ == Ser2netMode::Rfc2217 ? "telnet(rfc2217),tcp" : "tcp";
  // kickolduser: a client that reconnects at once (the upload opens the port for each of its
  // steps) takes the device over from its own connection the server has not yet seen close.
  folder_.Write("ser2net.yaml", "%YAML 1.1\n---\nconnection: &module\n  accepter: " + accepter +
                                    ",127.0.0.1," + std::to_string(port_) +
                                    "\n  connector: serialdev," + devicePath_ +
                                    ",9600n81,local\n  options:\n    kickolduser: true\n");
  Start();
}

Ser2netServer::~Ser2netServer() {
  Stop();
}

bool Ser2netServer::Start() {
  if (Running()) return true;
  // -n: in the foreground, so the process started is the server; -u: no UUCP lock files.
  program_.Start({kSer2netBinary, "-n", "-u", "-c", folder_.File("ser2net.yaml")},
                 folder_.File("ser2net.log"));
  if (!Running() ||
      !WaitFor([this] { return LoopbackListening(port_); }, std::chrono::seconds(20))) {
    ADD_FAILURE() << "ser2net does not listen on port " << port_ << " (is it installed? "
                  << "scripts/setup.sh installs it)\n"
                  << Log();
    Stop();
    return false;
  }
  return true;
}

void Ser2netServer::Stop() {
  program_.Stop(SIGTERM);
}

std::string Ser2netServer::PortName() const {
  return std::string(mode_ == Ser2netMode::Rfc2217 ? "rfc2217" : "tcp") +
         "://127.0.0.1:" + std::to_string(port_);
}

std::string Ser2netServer::Log() const {
  return FileText(folder_.File("ser2net.log"));
}

}  // namespace netloom::testsupport
