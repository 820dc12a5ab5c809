// Writes the manual page netloom-cli(1) to standard output; the build installs what it writes.
#include <iostream>

#include "cli/manual_page.h"

int main() {
  netloom::cli::WriteManualPage(std::cout);
  return std::cout.good() ? 0 : 1;
}
