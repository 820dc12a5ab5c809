// The desktop program's manual page against the program: every option its --help lists has its
// entry in packaging/netloom.1, and --version prints the build's version.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "support/run_program.h"

namespace {

using netloom::testsupport::RunProgram;

TEST(DesktopProgramManual, NamesEveryOptionOfTheProgram) {
  const auto help = RunProgram({NETLOOM_GUI_BINARY, "--help"});
  ASSERT_EQ(help.status, 0) << help.err;
  std::ifstream file(NETLOOM_SOURCE_DIR "/packaging/netloom.1");
  std::stringstream manual;
  manual << file.rdbuf();
  ASSERT_FALSE(manual.str().empty());
  const std::regex option("(^|[ ,])--([a-z][a-z-]*)");
  int options = 0;
  for (std::sregex_iterator it(help.out.begin(), help.out.end(), option), end; it != end; ++it) {
    std::string roff = "\\fB";
    for (const char c : "--" + (*it)[2].str())
      roff += c == '-' ? std::string("\\-") : std::string(1, c);
    EXPECT_NE(manual.str().find(roff + "\\fR"), std::string::npos)
        << "netloom.1 lacks " << (*it)[0];
    ++options;
  }
  EXPECT_GE(options, 5) << help.out;  // --help, --help-all, --version, --demo, --port
}

// --help lists --help-all; it prints the options with Qt's and exits instead of opening a window.
TEST(DesktopProgramManual, HelpAllPrintsAndExits) {
  const auto run = RunProgram({NETLOOM_GUI_BINARY, "--help-all"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("--platform"), std::string::npos) << run.out;
}

TEST(DesktopProgramManual, VersionIsTheBuildsVersion) {
  const auto run = RunProgram({NETLOOM_GUI_BINARY, "--version"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Netloom " NETLOOM_VERSION "\n");
}

}  // namespace
