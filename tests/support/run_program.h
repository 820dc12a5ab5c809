// Test support: runs a program to its end and keeps what it printed.
//
// The program gets no standard input; its standard output and error are read while it runs, so
// a talkative program never blocks. With `asAnotherUser`, a test run as root runs the program as
// the user "nobody" (uid and gid 65534, no extra groups), for whom a file's mode denies what it
// denies a user; run as any other user the program runs as that user.
#pragma once

#include <string>
#include <vector>

namespace netloom::testsupport {

struct ProgramRun {
  int status = -1;  // the exit status; -1 when it did not exit normally or could not start
  std::string out;
  std::string err;
};

ProgramRun RunProgram(const std::vector<std::string>& argv, bool asAnotherUser = false);

}  // namespace netloom::testsupport
