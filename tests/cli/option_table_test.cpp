// The option table against everything made from it: --help, the manual page and the bash, zsh
// and fish completion scripts name every command, flag and operand the parser takes, so none
// can be added without them. The bash and fish scripts are run by the real shells.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "cli/cli.h"
#include "cli/manual_page.h"
#include "cli/shell_completion.h"
#include "support/run_program.h"
#include "support/scoped_environment.h"
#include "support/temp_folder.h"
#include "support/virtual_module_fixture.h"

namespace netloom::cli {
namespace {

namespace fs = std::filesystem;
using testsupport::RunProgram;
using testsupport::TempFolder;

template <typename Write>
std::string Written(Write write) {
  std::ostringstream out;
  write(out);
  return out.str();
}

std::set<std::string> Lines(const std::string& text) {
  std::set<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.insert(line.substr(0, line.find('\t')));
  return lines;
}

// Every flag of `command` and --help.
std::set<std::string> FlagNames(const CommandInfo& command) {
  std::set<std::string> names{"--help"};
  for (const auto& flag : command.flags) names.insert(flag.name);
  return names;
}

TEST(OptionTable, EveryFlagAndOperandIsDescribed) {
  for (const auto& [name, command] : Commands()) {
    EXPECT_FALSE(command.summary.empty()) << name;
    EXPECT_FALSE(command.synopsis.empty()) << name;
    EXPECT_FALSE(command.description.empty()) << name;
    for (const auto& flag : command.flags) {
      EXPECT_FALSE(flag.help.empty()) << name << " " << flag.name;
      EXPECT_EQ(flag.valueName.empty(), !flag.takesValue) << name << " " << flag.name;
      EXPECT_EQ(flag.kind == ValueKind::None, !flag.takesValue) << name << " " << flag.name;
      if (flag.kind == ValueKind::Choice) {
        EXPECT_FALSE(flag.choices.empty()) << flag.name;
      }
    }
    for (const auto& operand : command.operands) EXPECT_FALSE(operand.help.empty()) << name;
  }
}

TEST(OptionTable, HelpAndTheManualPageNameEveryFlagAndOperand) {
  const std::string manual = Written(WriteManualPage);
  for (const auto& [name, command] : Commands()) {
    std::ostringstream out, err;
    CommandIo io{out, err, false};
    ASSERT_EQ(RunCli({name, "--help"}, io), kExitOk) << name;
    EXPECT_NE(manual.find(".SS " + RoffText(name) + "\n"), std::string::npos) << name;
    for (const auto& flag : command.flags) {
      EXPECT_NE(out.str().find("  " + FlagWithValue(flag) + " "), std::string::npos)
          << name << " --help lacks " << flag.name;
      EXPECT_NE(manual.find("\\fB" + RoffText(flag.name) + "\\fR"), std::string::npos)
          << name << " manual lacks " << flag.name;
    }
    for (const auto& operand : command.operands) {
      EXPECT_NE(manual.find("\\fI" + RoffText(operand.name) + "\\fR"), std::string::npos)
          << name << " manual lacks " << operand.name;
    }
  }
  for (const auto& [status, meaning] : kExitStatuses) {
    EXPECT_NE(manual.find("\\fB" + std::to_string(status) + "\\fR\n" + RoffText(meaning)),
              std::string::npos)
        << status;
  }
  for (const auto* variable : {"NETLOOM_TRACE", "XDG_RUNTIME_DIR"}) {
    EXPECT_NE(manual.find(variable), std::string::npos) << variable;
  }
}

class ShellCompletionTest : public testsupport::VirtualModuleTest {
 protected:
  // What bash's completion offers for the words of a command line, the last one being
  // completed.
  std::set<std::string> Bash(std::vector<std::string> words) {
    const auto script = folder_.Write("netloom-cli.bash", Written(WriteBashCompletion));
    std::vector<std::string> argv = {
        "/usr/bin/env",
        "bash",
        "-c",
        "source \"$1\"; COMP_CWORD=$2; COMP_WORDS=(\"${@:3}\"); _netloom_cli; "
        "printf '%s\\n' \"${COMPREPLY[@]}\"",
        "bash",
        script,
        std::to_string(words.size()),
        NETLOOM_CLI_BINARY};
    argv.insert(argv.end(), words.begin(), words.end());
    const auto run = RunProgram(argv);
    EXPECT_EQ(run.status, 0) << run.err;
    auto offered = Lines(run.out);
    offered.erase("");
    return offered;
  }

  // What fish's completion offers for a command line.
  std::set<std::string> Fish(const std::string& line) {
    const auto script = folder_.Write("netloom-cli.fish", Written(WriteFishCompletion));
    const auto run = RunProgram({"/usr/bin/env", "fish", "--no-config", "-c",
                                 "source $argv[1]; complete -C $argv[2]", script, line});
    EXPECT_EQ(run.status, 0) << run.err;
    return Lines(run.out);
  }

  TempFolder folder_;
};

TEST_F(ShellCompletionTest, BashAndFishOfferEveryCommandAndEveryFlag) {
  std::set<std::string> commands{"--help", "--version"};
  for (const auto& [name, command] : Commands()) commands.insert(name);
  EXPECT_EQ(Bash({""}), commands);
  commands.erase("--help");
  commands.erase("--version");
  EXPECT_EQ(Fish("netloom-cli "), commands);
  for (const auto& [name, command] : Commands()) {
    EXPECT_EQ(Bash({name, "--"}), FlagNames(command)) << name;
    EXPECT_EQ(Fish("netloom-cli " + name + " --"), FlagNames(command)) << name;
  }
}

TEST_F(ShellCompletionTest, BashCompletesValuesFilesAndPorts) {
  TempFolder files;
  files.Write("image.hex", "");
  files.Write("notes.txt", "");
  fs::create_directory(files.Path() / "older");
  const std::string in = files.Path().string() + "/";
  // The port directory lists a virtual module's link in $XDG_RUNTIME_DIR/netloom.
  TempFolder runtime;
  fs::create_directory(runtime.Path() / "netloom");
  fs::create_symlink(fs::canonical(sim_.LinkPath()), runtime.Path() / "netloom" / "demo");
  testsupport::ScopedEnvironment xdg("XDG_RUNTIME_DIR", runtime.Path().string());
  const std::string link = (runtime.Path() / "netloom" / "demo").string();

  struct Case {
    std::vector<std::string> words;
    std::set<std::string> offered;  // all of them, or (with `some`) some of them
    bool some = false;
  };
  const Case cases[] = {
      {{"co"}, {"completion", "config"}},
      {{"walk", "--par"}, {"--parity"}},
      {{"walk", "--parity", ""}, {"none", "odd", "even", "mark", "space"}},
      {{"at", "--bits", ""}, {"5", "7", "8"}},
      {{"identity", "--stop", "=", ""}, {"1", "2"}},
      {{"config", ""}, {"read", "write"}},
      {{"completion", "z"}, {"zsh"}},
      {{"flash", "--port", "p", in}, {in + "image.hex", in + "older"}},
      {{"config", "write", "--from", in}, {in + "image.hex", in + "notes.txt", in + "older"}},
      {{"walk", "--port", ""}, {"demo", link}, true},
  };
  for (const auto& c : cases) {
    const auto offered = Bash(c.words);
    if (c.some) {
      for (const auto& word : c.offered) {
        EXPECT_TRUE(offered.count(word)) << ::testing::PrintToString(c.words) << " lacks " << word;
      }
    } else {
      EXPECT_EQ(offered, c.offered) << ::testing::PrintToString(c.words);
    }
  }
}

TEST(ShellCompletion, TheZshScriptIsValidAndNamesEveryFlag) {
  TempFolder folder;
  const std::string script = Written(WriteZshCompletion);
  const auto run = RunProgram({"/usr/bin/env", "zsh", "-n", folder.Write("_netloom-cli", script)});
  EXPECT_EQ(run.status, 0) << run.err;
  for (const auto& [name, command] : Commands()) {
    EXPECT_NE(script.find("    (" + name + ")\n"), std::string::npos) << name;
    for (const auto& flag : command.flags) {
      EXPECT_NE(script.find("'" + std::string(flag.repeatable ? "*" : "") + flag.name +
                            (flag.takesValue ? "=[" : "[")),
                std::string::npos)
          << name << " " << flag.name;
    }
  }
}

}  // namespace
}  // namespace netloom::cli
