// Saved networks: a document walked on a virtual module, saved, read back by a fresh memory.
#include "core/network/network_document.h"

#include <gtest/gtest.h>

#include "core/network/node_export.h"
#include "module_walker.h"
#include "support/edited_network.h"
#include "support/temp_folder.h"

namespace netloom::network {
namespace {

TEST(NetworkDocument, SavedAndOpenedGivesTheSameNetworkAndHistory) {
  link::ManualWallClock clock;
  NetworkMemory memory(clock);
  ModuleWalker walker;
  memory.MergeWalk(walker.Walk());
  walker.Module().Module().ChangeNetwork(
      testsupport::EditedDemoNetwork([](std::vector<sim::SimNode>& nodes) {
        testsupport::NodeAt(nodes, "1A01").name = "CCU-Lab";
        testsupport::RemoveNode(nodes, "7A07");
      }));
  clock.Advance(std::chrono::seconds(5));
  memory.MergeWalk(walker.Walk());
  memory.SetQuietLimit(std::chrono::seconds(90));

  NetworkDocument saved{walker.Module().LinkPath(), {}, memory.State()};
  saved.settings.baudRate = 19200;
  saved.settings.parity = link::Parity::Even;
  saved.settings.stopBits = link::StopBits::Two;
  const testsupport::TempFolder folder;
  const std::string path = (folder.Path() / ("demo" + std::string(kNetworkFileSuffix))).string();
  ASSERT_EQ(SaveNetworkFile(path, saved), "");

  const DocumentResult opened = LoadNetworkFile(path);
  ASSERT_TRUE(opened.document) << opened.error;
  EXPECT_EQ(opened.document->portPath, saved.portPath);
  EXPECT_EQ(opened.document->settings.baudRate, 19200u);
  EXPECT_EQ(opened.document->settings.parity, link::Parity::Even);
  EXPECT_EQ(opened.document->settings.stopBits, link::StopBits::Two);

  link::ManualWallClock later;
  NetworkMemory reopened(later);
  reopened.Restore(opened.document->memory);
  EXPECT_EQ(reopened.QuietLimit(), std::chrono::seconds(90));
  EXPECT_EQ(reopened.Events(), memory.Events());
  EXPECT_EQ(NodesCsv(reopened.Nodes(), clock.Now()), NodesCsv(memory.Nodes(), clock.Now()));
  const auto& walk = reopened.LatestWalk();
  ASSERT_TRUE(walk.rootNode);
  EXPECT_EQ(walk.nodeCount, memory.LatestWalk().nodeCount);
  EXPECT_EQ(walk.nodeTable.size(), 9u);
  EXPECT_EQ(FindNode(walk.nodeTable, "1A01")->name, "CCU-Lab");
  EXPECT_EQ(FindNode(walk.nodeTable, "0000")->children.size(), 3u);
  // Written again, the file is the same byte for byte.
  EXPECT_EQ(WriteNetworkDocument(*opened.document), WriteNetworkDocument(saved));
}

TEST(NetworkDocument, BadFilesAreRefusedWithTheirReason) {
  const NetworkDocument empty;
  const std::string good = WriteNetworkDocument(empty);
  ASSERT_TRUE(ReadNetworkDocument(good).document) << ReadNetworkDocument(good).error;
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  const struct {
    std::string text;
    std::string error;
  } cases[] = {
      {"", "not a saved Netloom network (no JSON)"},
      {"[1]", "not a saved Netloom network"},
      {replaced("netloom network", "something"), "not a saved Netloom network"},
      {replaced("\"version\": 1", "\"version\": 7"),
       "version 7 of saved networks is not known here"},
      {replaced("\"baud\": 9600", "\"baud\": -1"), "port: field 'baud' out of range"},
      {replaced("\"parity\": \"None\"", "\"parity\": \"Odd-ish\""),
       "port: unknown parity, stop bits or flow control"},
      {replaced("\"walk\": null",
                "\"walk\": {\"time\":\"2026-01-01T00:00:00Z\",\"count\":1,"
                "\"root\":\"0000\",\"nodes\":[{\"address\":"
                "\"0000\",\"name\":\"C\",\"entryCount\":1,\"children\":[7]}]}"),
       "walk: node 1: field 'children' holds something other than addresses"},
      {replaced("\"walk\": null",
                "\"walk\": {\"time\":\"2026-01-01T00:00:00Z\",\"count\":1,"
                "\"root\":\"0001\",\"nodes\":[]}"),
       "walk: the root 0001 is none of its nodes"},
      {replaced("\"history\": []",
                "\"history\": [{\"time\":\"2026-01-01T00:00:00Z\","
                "\"event\":\"vanished\",\"address\":\"0001\",\"name\":\"\"}]"),
       "history item 1: unknown event 'vanished'"},
  };
  for (const auto& c : cases) {
    const DocumentResult result = ReadNetworkDocument(c.text);
    EXPECT_FALSE(result.document) << c.text;
    EXPECT_EQ(result.error, c.error) << c.text;
  }
  EXPECT_EQ(LoadNetworkFile("/nonexistent/x.netloom").error,
            "/nonexistent/x.netloom: No such file or directory");
}

}  // namespace
}  // namespace netloom::network
