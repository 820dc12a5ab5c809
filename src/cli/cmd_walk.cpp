// netloom-cli walk: one network query from the coordinator, as one refresh of the topology view.
#include <iomanip>
#include <ostream>

#include "cli/cli.h"
#include "cli/cli_link.h"
#include "cli/options.h"
#include "cli/progress_line.h"
#include "core/link/walk/device_directory.h"
#include "core/link/walk/net_info_parser.h"
#include "core/link/walk/network_walk.h"
#include "core/network/node_export.h"

namespace netloom::cli {
namespace {

constexpr const char* kUsage =
    "usage: netloom-cli walk --port P [--json | --csv]\n"
    "Walks the network from the coordinator (0000) and three levels below it, as one refresh\n"
    "of the topology view does, and prints the node table in table order: address, name,\n"
    "children.\n"
    "  --port P  serial device path or port name (see 'netloom-cli ports')\n"
    "  --baud N --bits 5|7|8 --parity none|odd|even|mark|space --stop 1|2  line settings\n"
    "  --json    one JSON document: {\"count\":N,\"root\":\"0000\",\"time\":...,\"nodes\":[\n"
    "            {\"address\":...,\"name\":...,\"kind\":...,\"mac\":...,\"parents\":[...],\n"
    "            \"children\":[...],\"depth\":N,\"firstHeard\":...,\"lastHeard\":...,\n"
    "            \"heard\":true,\"quietSince\":null}]}\n"
    "  --csv     the node table's columns: a header line, then one line per node\n";

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

void PrintRecords(const link::NetworkSnapshot& network, bool csv, std::ostream& out) {
  const auto now = link::SystemWallClock().Now();
  const auto nodes = network::NodesOfWalk(network, now);
  if (csv) {
    out << network::NodesCsv(nodes, now);
    return;
  }
  out << network::JsonText(
             network::WalkJson(network.nodeCount, network.rootNode->address, now, nodes))
      << "\n";
}

int RunWalk(const std::vector<std::string>& args, CommandIo& io) {
  std::vector<FlagSpec> specs = LineFlags();
  specs.push_back({"--json", false});
  specs.push_back({"--csv", false});
  ParsedArgs parsed;
  if (const auto status = ParseFlagsOnly("walk", kUsage, args, specs, io, parsed)) {
    return *status;
  }
  if (parsed.Has("--json") && parsed.Has("--csv")) {
    return UsageError(io, "walk", "--json and --csv exclude each other");
  }

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
  if (parsed.Has("--json") || parsed.Has("--csv")) {
    PrintRecords(*network, parsed.Has("--csv"), io.out);
  } else {
    PrintTable(*network, io.out);
  }
  return kExitOk;
}

const CommandRegistrar kRegistrar({"walk", "walk the network from the coordinator", RunWalk});

}  // namespace
}  // namespace netloom::cli
