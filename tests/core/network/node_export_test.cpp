// Node records of a walk and their exports, without a port.
#include "core/network/node_export.h"

#include <gtest/gtest.h>

#include "walk_snapshots.h"

namespace netloom::network {
namespace {

using std::chrono::minutes;
using std::chrono::seconds;

const link::WallTime kT0 = link::ManualWallClock().Now();

TEST(NodesOfWalk, ParentsDepthKindAndTimes) {
  const auto nodes = NodesOfWalk(Snapshot({{"0000", "Coordinator", {"1A01", "2B02"}},
                                           {"1A01", "CCU-Hall", {"5E05"}},
                                           {"2B02", "FCU-Office", {"5E05"}},
                                           {"5E05", "AC-Lobby", {}}}),
                                 kT0);
  ASSERT_EQ(nodes.size(), 4u);
  EXPECT_EQ(nodes[0].address, "0000");
  EXPECT_EQ(nodes[0].kind, NodeKind::Coordinator);
  EXPECT_TRUE(nodes[0].parents.empty());
  const NetworkNode& shared = nodes[3];
  EXPECT_EQ(shared.kind, NodeKind::Ac);
  EXPECT_EQ(shared.parents, (std::vector<std::string>{"1A01", "2B02"}));
  EXPECT_EQ(shared.depth, 2);
  EXPECT_EQ(shared.firstHeard, kT0);
  EXPECT_TRUE(shared.heard);
  EXPECT_EQ(shared.mac, "");  // no configuration read yet
  EXPECT_TRUE(NodesOfWalk(Snapshot({}), kT0).empty());
}

TEST(NodesCsv, HeaderRowsAndQuoting) {
  NetworkNode plain{"1A01", "CCU-Hall", NodeKind::Ccu, "", {"0000"}, {}, 1, kT0, kT0, true, {}};
  NetworkNode odd = plain;
  odd.address = "2B02";
  odd.name = "a,\"b\"";
  odd.heard = false;
  odd.quietSince = kT0 + seconds(5);
  const std::vector<NetworkNode> nodes{plain, odd};
  const std::string t = link::UtcText(kT0);
  EXPECT_EQ(NodesCsv(nodes, kT0 + minutes(2)),
            "Address,Name,Kind,MAC,Parents,Depth,First heard,Last heard,State\n"
            "1A01,CCU-Hall,ccu,,0000,1," +
                t + "," + t +
                ",heard\n"
                "2B02,\"a,\"\"b\"\"\",ccu,,0000,1," +
                t + "," + t + ",not heard for 2 min\n");
}

TEST(NodeJson, ReadsBackWhatItWrote) {
  const NetworkNode node{
      "5E05", "AC-Lobby",       NodeKind::Ac, "0123456789ABCDEF", {"1A01", "2B02"}, {"9C09"}, 2,
      kT0,    kT0 + minutes(1), false,        kT0 + minutes(2)};
  std::string error;
  const auto back = NodeFromJson(nlohmann::json::parse(JsonText(NodeJson(node))), error);
  ASSERT_TRUE(back) << error;
  EXPECT_EQ(NodeJson(*back), NodeJson(node));
}

TEST(NodeJson, NamesTheFaultyField) {
  const struct {
    const char* json;
    const char* error;
  } cases[] = {
      {R"([])", "a node is not an object"},
      {R"({"address":"12G4"})", "field 'address' is not four hex digits"},
      {R"({"address":"1234","name":"x","mac":"","parents":["1"],"children":[],"depth":1,
           "heard":true,"firstHeard":"2026-01-01T00:00:00Z","lastHeard":"2026-01-01T00:00:00Z"})",
       "node 1234: field 'parents' holds something other than addresses"},
      {R"({"address":"1234","name":"x","mac":"","parents":[],"children":[],"depth":1,
           "heard":true,"firstHeard":"yesterday","lastHeard":"2026-01-01T00:00:00Z"})",
       "node 1234: field 'firstHeard' is not a UTC time"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(NodeFromJson(nlohmann::json::parse(c.json), error)) << c.json;
    EXPECT_EQ(error, c.error) << c.json;
  }
}

TEST(QuietText, ReadsAsTheAgeOfTheNode) {
  EXPECT_EQ(QuietText(seconds(45)), "not heard for 45 s");
  EXPECT_EQ(QuietText(seconds(150)), "not heard for 2 min");
  EXPECT_EQ(QuietText(seconds(3 * 3600 + 5 * 60)), "not heard for 3 h 5 min");
}

TEST(UtcText, RoundTripsWithAndWithoutMilliseconds) {
  const link::WallTime t = kT0 + std::chrono::milliseconds(1234);
  EXPECT_EQ(link::ParseUtcText(link::UtcText(t, true)), t);
  EXPECT_EQ(link::ParseUtcText(link::UtcText(t)), kT0 + seconds(1));
  EXPECT_EQ(link::UtcText(link::WallTime{}), "1970-01-01T00:00:00Z");
  for (const char* bad :
       {"", "2026-02-30T00:00:00Z", "2026-01-01 00:00:00Z", "2026-01-01T24:00:00Z"}) {
    EXPECT_FALSE(link::ParseUtcText(bad)) << bad;
  }
}

}  // namespace
}  // namespace netloom::network
