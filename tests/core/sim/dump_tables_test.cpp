#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "support/virtual_module_fixture.h"

namespace netloom::sim {
namespace {

using namespace std::chrono_literals;
using testsupport::TtyClient;
using testsupport::VirtualModuleTest;

// ATDUMP of the demo network's tables, asked of the coordinator and, through the console, of a
// router.
TEST_F(VirtualModuleTest, DumpListsTheTablesOfTheNodeThatHoldsTheConsole) {
  TtyClient client(sim_.LinkPath());
  ASSERT_TRUE(client.IsOpen());
  const auto ask = [&](const std::string& line) {
    EXPECT_TRUE(client.Write(line));
    return client.ReadUntil("OK\r\n", 5s);
  };
  const std::string routes = ask("ATDUMP 3\r");
  EXPECT_NE(routes.find("Routing table of 0000\r\n1A01 via 1A01\r\n4D04 via 1A01"),
            std::string::npos)
      << routes;
  EXPECT_NE(routes.find("7A07 via 3C03"), std::string::npos) << routes;
  EXPECT_EQ(routes.find("DEFAULT"), std::string::npos) << routes;

  ASSERT_NE(ask("ATCONSOLE 2B02 0\r").find("OK"), std::string::npos);
  const std::string neighbours = ask("ATDUMP 2\r");
  EXPECT_NE(neighbours.find("Neighbor table of 2B02\r\n0000 Parent"), std::string::npos)
      << neighbours;
  const std::string bindings = ask("ATDUMP 8\r");
  EXPECT_NE(bindings.find("Binding table of 2B02\r\nEP 01 CLUSTER 0006 -> 0000 EP 01"),
            std::string::npos)
      << bindings;
  const std::string routed = ask("ATDUMP 3\r");
  EXPECT_NE(routed.find("5E05 via 5E05"), std::string::npos) << routed;
  EXPECT_NE(routed.find("DEFAULT via 0000"), std::string::npos) << routed;
  EXPECT_NE(ask("ATDUMP 1\r").find("TABLE:0 entries"), std::string::npos);
}

}  // namespace
}  // namespace netloom::sim
