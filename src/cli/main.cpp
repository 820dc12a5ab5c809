#include <unistd.h>

#include <iostream>

#include "cli/cli.h"

int main(int argc, char** argv) {
  netloom::cli::CommandIo io{std::cout, std::cerr, isatty(STDERR_FILENO) == 1};
  return netloom::cli::RunCli(std::vector<std::string>(argv + 1, argv + argc), io);
}
