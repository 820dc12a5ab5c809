#include "support/background_program.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace netloom::testsupport {

BackgroundProgram::~BackgroundProgram() {
  Stop(SIGTERM);
}

bool BackgroundProgram::Start(const std::vector<std::string>& argv, const std::string& outputFile,
                              const std::vector<std::string>& environment) {
  if (Running() || argv.empty()) return false;
  std::vector<std::string> copies = argv;
  std::vector<char*> args;
  for (auto& arg : copies) args.push_back(arg.data());
  args.push_back(nullptr);
  std::vector<std::string> variables = environment;
  std::vector<char*> env;
  for (auto& variable : variables) env.push_back(variable.data());
  for (char** inherited = environ; *inherited; ++inherited) env.push_back(*inherited);
  env.push_back(nullptr);
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, outputFile.c_str(),
                                   O_WRONLY | O_CREAT | O_APPEND, 0600);
  posix_spawn_file_actions_adddup2(&files, STDOUT_FILENO, STDERR_FILENO);
  posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  pid_t pid = -1;
  const int spawned = ::posix_spawn(&pid, args[0], &files, nullptr, args.data(), env.data());
  posix_spawn_file_actions_destroy(&files);
  pid_ = spawned == 0 ? pid : -1;
  return Running();
}

int BackgroundProgram::Stop(int signal) {
  if (!Running()) return -1;
  ::kill(pid_, signal);
  int status = 0;
  ::waitpid(pid_, &status, 0);
  pid_ = -1;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}

bool LoopbackListening(std::uint16_t port) {
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

std::string FileText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace netloom::testsupport
