// Runs one netloom-cli command in-process against a demo-network virtual module.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "support/virtual_module_fixture.h"

namespace netloom::testsupport {

class CliCommandTest : public VirtualModuleTest {
 protected:
  explicit CliCommandTest(std::string command) : command_(std::move(command)) {}

  // Runs `command --port <module> args...` (the module's link, or port_ when set); keeps what
  // it printed in out_ and err_.
  int Run(std::vector<std::string> args) {
    args.insert(args.begin(), {command_, "--port", port_.empty() ? sim_.LinkPath() : port_});
    std::ostringstream out, err;
    cli::CommandIo io{out, err, errIsTerminal_};
    const int status = cli::RunCli(args, io);
    out_ = out.str();
    err_ = err.str();
    return status;
  }

  std::string out_;
  std::string err_;
  bool errIsTerminal_ = false;  // the command takes standard error for a terminal
  std::string port_;            // the --port to give in place of the module's link

 private:
  std::string command_;
};

}  // namespace netloom::testsupport
