#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include <gtest/gtest.h>

#include "core/link/serial/serial_port.h"
#include "pty_pair.h"

namespace netloom::link {
namespace {

// Runs a session with the trace on in a child process (the switch stays on once set) and
// returns what it wrote to standard error.
std::string TraceOfASession() {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(pipeFds[1], STDERR_FILENO);
    ::close(pipeFds[0]);
    EnableLinkTrace();
    OpenPort("/dev/netloom-no-such-port");
    testsupport::PtyPair pty;
    OpenResult opened = OpenPort(pty.SlavePath());
    if (!opened.port) ::_exit(1);
    SerialPort& port = *opened.port;
    ConfigurePort(port, {});
    WriteText(port, "AT\r");
    pty.Send("OK\r\n");
    std::uint8_t buffer[4];
    ReadBytes(port, buffer, sizeof buffer);
    UartSettings xonXoff;
    xonXoff.flowControl = FlowControl::XonXoff;
    ConfigurePort(port, xonXoff);
    pty.CloseMaster();
    ReadBytes(port, buffer, sizeof buffer);
    opened.port.reset();
    ::_exit(0);
  }
  ::close(pipeFds[1]);
  std::string trace;
  char chunk[512];
  for (ssize_t n; (n = ::read(pipeFds[0], chunk, sizeof chunk)) > 0;) trace.append(chunk, n);
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? trace : "child failed:\n" + trace;
}

TEST(SerialTrace, LogsEveryByteAndEveryFailure) {
  const std::string trace = TraceOfASession();
  for (const char* expected : {
           "/dev/netloom-no-such-port open failed: /dev/netloom-no-such-port: No such file",
           " open\n",
           " configure 9600 8 parity 0 stop 0 read 5000 ms write 5000 ms\n",
           " write 3: 41 54 0D  AT.\n",
           " read 4: 4F 4B 0D 0A  OK..\n",
           " configure failed: ",
           "flow control is not supported\n",
           " read failed: ",
           " close\n",
       }) {
    EXPECT_NE(trace.find(expected), std::string::npos) << expected << "\nin:\n" << trace;
  }
  for (std::size_t start = 0; start < trace.size();) {
    EXPECT_EQ(trace.compare(start, 14, "netloom-trace "), 0) << trace.substr(start);
    start = trace.find('\n', start) + 1;
    if (start == 0) break;
  }
}

}  // namespace
}  // namespace netloom::link
