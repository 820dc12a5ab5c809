// netloom-cli walk: one network query from the coordinator, as one refresh of the topology view.
#include <iomanip>
#include <ostream>

#include "cli/cli.h"
#include "cli/cli_link.h"
#include "cli/options.h"
#include "cli/walk_once.h"
#include "core/link/walk/net_info_parser.h"
#include "core/network/network_memory.h"
#include "core/network/node_export.h"

namespace netloom::cli {
namespace {

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

// Walks every `period` until a signal, printing each walk's changes as they are found. A walk
// that breaks off is told on standard error and counts no node as missing.
int Watch(CliLink& link, CommandIo& io, std::chrono::seconds period,
          std::chrono::seconds quietLimit) {
  network::NetworkMemory memory;
  memory.SetQuietLimit(quietLimit);
  for (;;) {
    std::optional<link::NetworkSnapshot> network;
    std::string failure;
    if (const auto status = WalkOnce(link, io, network, failure)) return *status;
    if (!network) link.Fail(failure);
    for (const auto& event : memory.MergeWalk(network.value_or(link::NetworkSnapshot{}))) {
      io.out << network::ChangeLine(event) << "\n";
    }
    io.out.flush();
    if (!link.Pause(period)) break;
  }
  if (const std::string lost = link.LostText(); !lost.empty()) {
    link.Fail(lost);
    return kExitFailed;
  }
  return InterruptGuard::ExitStatus();
}

int RunWalk(const std::vector<std::string>& args, CommandIo& io) {
  ParsedArgs parsed;
  if (const auto status = ParseFlagsOnly("walk", args, io, parsed)) return *status;
  const int shapes = parsed.Has("--json") + parsed.Has("--csv") + parsed.Has("--watch");
  if (shapes > 1) return UsageError(io, "walk", "--json, --csv and --watch exclude each other");
  if (parsed.Has("--quiet-limit") && !parsed.Has("--watch")) {
    return UsageError(io, "walk", "--quiet-limit goes with --watch");
  }
  std::string error;
  const auto period = ParseSeconds(parsed, "--watch", {}, error);
  const auto quietLimit =
      period ? ParseSeconds(parsed, "--quiet-limit", network::kDefaultQuietLimit, error)
             : std::nullopt;
  if (!period || !quietLimit) return UsageError(io, "walk", error);

  CliLink link("walk", io, false);
  if (const auto status = link.Open(parsed)) return *status;
  if (parsed.Has("--watch")) return Watch(link, io, *period, *quietLimit);
  std::optional<link::NetworkSnapshot> network;
  std::string failure;
  const auto status = WalkOnce(link, io, network, failure);
  link.Close();
  if (status) return *status;
  if (!network) {
    link.Fail(failure);
    return kExitFailed;
  }
  if (parsed.Has("--json") || parsed.Has("--csv")) {
    PrintRecords(*network, parsed.Has("--csv"), io.out);
  } else {
    PrintTable(*network, io.out);
  }
  return kExitOk;
}

std::vector<FlagSpec> WalkFlags() {
  auto flags = LineFlags();
  flags.push_back(
      JsonFlag("{\"count\":N,\"root\":\"0000\",\"time\":...,\"nodes\":[{\"address\":...,"
               "\"name\":...,\"kind\":...,\"mac\":...,\"parents\":[...],\"children\":[...],"
               "\"depth\":N,\"firstHeard\":...,\"lastHeard\":...,\"heard\":true,"
               "\"quietSince\":null}]}"));
  flags.push_back(
      Switch("--csv", "the node table's columns: a header line, then one line per node"));
  flags.push_back({.name = "--watch",
                   .valueName = "SECONDS",
                   .help = "walk again SECONDS after each walk until Ctrl-C, printing what changed "
                           "as timestamped lines: joined, left, moved (to another parent), renamed",
                   .kind = ValueKind::Number});
  flags.push_back({.name = "--quiet-limit",
                   .valueName = "SECONDS",
                   .help = "with --watch: how long a node may go unheard before it has left "
                           "(default 600); walks that break off do not count",
                   .kind = ValueKind::Number});
  return flags;
}

const CommandRegistrar kWalk({
    .name = "walk",
    .summary = "walk the network from the coordinator",
    .run = RunWalk,
    .synopsis = {"walk --port P [--json | --csv]",
                 "walk --port P --watch SECONDS [--quiet-limit SECONDS]"},
    .description = "Walks the network from the coordinator (0000) and three levels below it, as "
                   "one refresh of the topology view does, and prints the node table in table "
                   "order: address, name, children.",
    .flags = WalkFlags(),
});

}  // namespace
}  // namespace netloom::cli
