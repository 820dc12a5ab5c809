#include "support/ser2net_server.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/wait_for.h"

namespace netloom::testsupport {
namespace {

constexpr const char* kSer2netBinary = "/usr/sbin/ser2net";

// Whether 127.0.0.1:`port` is in the listen state (read from the kernel's table: no probing
// connection, which the server would take as a client).
bool Listening(std::uint16_t port) {
  std::ifstream table("/proc/net/tcp");
  char wanted[32];
  std::snprintf(wanted, sizeof wanted, "0100007F:%04X", port);
  for (std::string line; std::getline(table, line);) {
    std::istringstream fields(line);
    std::string slot, local, remote, state;
    fields >> slot >> local >> remote >> state;
    if (local == wanted && state == "0A") return true;
  }
  return false;
}

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
  const std::string config = folder_.File("ser2net.yaml");
  const std::string log = folder_.File("ser2net.log");
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, log.c_str(),
                                   O_WRONLY | O_CREAT | O_APPEND, 0600);
  posix_spawn_file_actions_adddup2(&files, STDOUT_FILENO, STDERR_FILENO);
  // -n: in the foreground, so the process started is the server; -u: no UUCP lock files.
  const char* argv[] = {"ser2net", "-n", "-u", "-c", config.c_str(), nullptr};
  pid_t pid = -1;
  const int spawned =
      ::posix_spawn(&pid, kSer2netBinary, &files, nullptr, const_cast<char* const*>(argv), environ);
  posix_spawn_file_actions_destroy(&files);
  pid_ = spawned == 0 ? pid : -1;
  if (pid_ < 0 || !WaitFor([this] { return Listening(port_); }, std::chrono::seconds(20))) {
    ADD_FAILURE() << "ser2net does not listen on port " << port_ << " (is it installed? "
                  << "scripts/setup.sh installs it)\n"
                  << Log();
    Stop();
    return false;
  }
  return true;
}

void Ser2netServer::Stop() {
  if (!Running()) return;
  ::kill(pid_, SIGTERM);
  int status = 0;
  ::waitpid(pid_, &status, 0);
  pid_ = -1;
}

std::string Ser2netServer::PortName() const {
  return std::string(mode_ == Ser2netMode::Rfc2217 ? "rfc2217" : "tcp") +
         "://127.0.0.1:" + std::to_string(port_);
}

std::string Ser2netServer::Log() const {
  std::ifstream in(folder_.File("ser2net.log"));
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace netloom::testsupport
