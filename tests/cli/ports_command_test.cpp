#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "support/scoped_environment.h"
#include "support/temp_folder.h"

namespace netloom::cli {
namespace {

namespace fs = std::filesystem;

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

CliRun RunCommand(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  CommandIo io{out, err};
  const int status = RunCli(args, io);
  return {status, out.str(), err.str()};
}

// A running virtual module, as far as the port directory can tell: a link in the runtime folder
// to an existing device.
class PortsCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(runtime / "netloom");
    fs::create_symlink("/dev/null", runtime / "netloom" / "test-module");
  }

  testsupport::TempFolder folder;
  fs::path runtime = folder.Path();
  testsupport::ScopedEnvironment environment{"XDG_RUNTIME_DIR", runtime.string()};
};

TEST_F(PortsCommandTest, JsonListsEveryPortWithNamePathAndDescription) {
  const CliRun run = RunCommand({"ports", "--json"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  const auto doc = nlohmann::json::parse(run.out);
  ASSERT_TRUE(doc.is_object());
  ASSERT_EQ(doc.size(), 1u);
  ASSERT_TRUE(doc["ports"].is_array());
  bool foundModule = false;
  for (const auto& port : doc["ports"]) {
    ASSERT_EQ(port.size(), 3u);
    ASSERT_TRUE(port["name"].is_string() && port["path"].is_string() &&
                port["description"].is_string());
    if (port["name"] == "test-module") {
      foundModule = true;
      EXPECT_EQ(port["path"], (runtime / "netloom" / "test-module").string());
      EXPECT_EQ(port["description"], "virtual module");
    }
  }
  EXPECT_TRUE(foundModule) << run.out;
}

TEST_F(PortsCommandTest, TableShowsOnePortPerLine) {
  const CliRun run = RunCommand({"ports"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_NE(run.out.find("test-module  " + (runtime / "netloom" / "test-module").string()),
            std::string::npos)
      << run.out;
}

TEST_F(PortsCommandTest, RejectsWhatItDoesNotKnow) {
  for (const auto& args :
       {std::vector<std::string>{"ports", "--all"}, std::vector<std::string>{"ports", "extra"}}) {
    const CliRun run = RunCommand(args);
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_NE(run.err.find("--help"), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace netloom::cli
