// netloom-cli walk: one network query from the coordinator, as one refresh of the topology view.
#include <iomanip>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/cli.h"
#include "cli/cli_link.h"
#include "cli/options.h"
#include "cli/progress_line.h"
#include "core/link/walk/device_directory.h"
#include "core/link/walk/net_info_parser.h"
#include "core/link/walk/network_walk.h"

namespace netloom::cli {
namespace {

// "walking the network: N nodes" while the walk runs (on a terminal).
class WalkProgress {
 public:
  explicit WalkProgress(CommandIo& io)
      : line_(io), before_(link::ProcessDeviceDirectory().Size()) {}
  void Show() {
    line_.Show("walking the network: " +
               std::to_string(link::ProcessDeviceDirectory().Size() - before_) + " nodes");
  }
  void Clear() { line_.Clear(); }

 private:
  ProgressLine line_;
  const std::size_t before_;
};

void PrintTable(const link::NetworkSnapshot& network, std::ostream& out) {
  for (const auto& [key, record] : network.nodeTable) {
    out << record->address << "  ";
    if (record->children.empty()) {
      out << OneLine(record->name) << "\n";
      continue;
    }
    out << std::left << std::setw(static_cast<int>(link::kMaxNodeNameLength))
        << OneLine(record->name) << " ";
    for (const auto& child : record->children) out << " " << child.address;
    out << "\n";
  }
}

void PrintJson(const link::NetworkSnapshot& network, std::ostream& out) {
  nlohmann::ordered_json nodes = nlohmann::ordered_json::array();
  for (const auto& [key, record] : network.nodeTable) {
    nlohmann::ordered_json children = nlohmann::ordered_json::array();
    for (const auto& child : record->children) children.push_back(child.address);
    nodes.push_back({{"address", record->address}, {"name", record->name}, {"children", children}});
  }
  const nlohmann::ordered_json document{
      {"count", network.nodeCount}, {"root", network.rootNode->address}, {"nodes", nodes}};
  // A module's name bytes need not be UTF-8: such bytes are replaced rather than refused.
  out << document.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

int RunWalk(const std::vector<std::string>& args, CommandIo& io) {
  ParsedArgs parsed;
  if (const auto status = ParseFlagsOnly("walk", args, io, parsed)) return *status;

  CliLink link("walk", io, false);
  if (const auto status = link.Open(parsed)) return *status;
  WalkProgress progress(io);
  const auto report = link.QueryNetwork([&] { progress.Show(); });
  progress.Clear();
  link.Close();
  if (!report) return InterruptGuard::ExitStatus();
  if (const std::string lost = link.LostText(); !lost.empty()) {
    link.Fail(lost);
    return kExitFailed;
  }
  const auto network = link.Network();
  if (!network) {
    link.Fail(report->failure.empty() ? link::kNoAnswerFromCoordinator : report->failure);
    return kExitFailed;
  }
  if (parsed.Has("--json")) {
    PrintJson(*network, io.out);
  } else {
    PrintTable(*network, io.out);
  }
  return kExitOk;
}

std::vector<FlagSpec> WalkFlags() {
  auto flags = LineFlags();
  flags.push_back(
      JsonFlag("{\"count\":N,\"root\":\"0000\",\"nodes\":[{\"address\":...,\"name\":...,"
               "\"children\":[...]}]}"));
  return flags;
}

const CommandRegistrar kRegistrar({
    .name = "walk",
    .summary = "walk the network from the coordinator",
    .run = RunWalk,
    .synopsis = {"walk --port P [--json]"},
    .description = "Walks the network from the coordinator (0000) and three levels below it, as "
                   "one refresh of the topology view does, and prints the node table in table "
                   "order: address, name, children.",
    .flags = WalkFlags(),
});

}  // namespace
}  // namespace netloom::cli
