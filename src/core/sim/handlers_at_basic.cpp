// Plausible replies to the catalogue's plain commands, answered as the node that holds the
// console. Commands with their own exchange (configuration, identity, boot loader, network walk,
// console) live in their own families.
#include <cstdio>
#include <ctime>
#include <set>

#include "core/sim/handlers.h"
#include "core/sim/node_image.h"

namespace netloom::sim {
namespace {

constexpr std::string_view kOk = "OK\r\n";

std::string ArgOr(const SimCommand& command, std::size_t index, std::string fallback) {
  return index < command.args.size() ? command.args[index] : fallback;
}

void Reply(SimContext& ctx, const std::string& text) {
  ctx.link.Write(text + "\r\nOK\r\n");
}

void Info(SimContext& ctx, const SimCommand&) {
  const SimNode& node = ctx.Node();
  const bool coordinator = &node == &ctx.network.Local();
  Reply(ctx, "Netloom virtual module\r\nMAC:" + NodeMac(node) + "\r\nADDR:" + node.address +
                 " NAME:" + node.name + "\r\nCH:0F PAN:1234 TYPE:" +
                 (coordinator             ? "Coordinator"
                  : node.children.empty() ? "EndDevice"
                                          : "Router"));
}

void Rtc(SimContext& ctx, const SimCommand&) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[64];
  std::strftime(text, sizeof text, "RTC:%Y/%m/%d %H:%M:%S WEEK:%w", &local);
  Reply(ctx, text);
}

void Neighbor(SimContext& ctx, const SimCommand&) {
  const SimNode& node = ctx.Node();
  std::string table = "Neighbor table of " + node.address;
  int quality = 0xE0;
  auto row = [&](const SimNode& other, const char* relation) {
    char text[64];
    std::snprintf(text, sizeof text, "\r\n%s %s LQI:%02X", other.address.c_str(), relation,
                  quality);
    table += text;
    quality -= 0x0B;
  };
  for (const SimNode* parent : ctx.network.ParentsOf(node.address)) row(*parent, "Parent");
  for (const auto& child : node.children) row(*ctx.network.Find(child), "Child");
  Reply(ctx, table);
}

// Every node below `node` (each once), with the child of `node` it is reached through.
void CollectRoutes(const SimNetwork& network, const SimNode& node, const std::string& via,
                   std::set<std::string>& seen, std::string& table) {
  for (const auto& address : node.children) {
    if (!seen.insert(address).second) continue;
    const std::string hop = via.empty() ? address : via;
    table += "\r\n" + address + " via " + hop;
    CollectRoutes(network, *network.Find(address), hop, seen, table);
  }
}

// ATDUMP <table type>: the neighbour (2), routing (3) and binding (8) tables of the node that
// holds the console, made up from the topology; every other table is empty.
void Dump(SimContext& ctx, const SimCommand& command) {
  const std::string type = ArgOr(command, 0, "");
  if (type == "2") return Neighbor(ctx, command);
  const SimNode& node = ctx.Node();
  const auto parents = ctx.network.ParentsOf(node.address);
  if (type == "3") {
    std::string table = "Routing table of " + node.address;
    std::set<std::string> seen{node.address};
    CollectRoutes(ctx.network, node, "", seen, table);
    if (!parents.empty()) table += "\r\nDEFAULT via " + parents.front()->address;
    return Reply(ctx, table);
  }
  if (type == "8") {
    // Every device reports its on/off cluster to the coordinator.
    std::string table = "Binding table of " + node.address;
    if (&node != &ctx.network.Local()) {
      table += "\r\nEP 01 CLUSTER 0006 -> " + ctx.network.Local().address + " EP 01";
    }
    return Reply(ctx, table);
  }
  Reply(ctx, "TABLE:0 entries");
}

void Ping(SimContext& ctx, const SimCommand& command) {
  const std::string target = ArgOr(command, 0, "");
  if (ctx.network.Find(target)) {
    Reply(ctx, "PING " + target + " reply from " + target + " LQI:C8");
  } else {
    ctx.link.Write("PING " + target + " no reply\r\nERROR\r\n");
  }
}

void Ieee(SimContext& ctx, const SimCommand& command) {
  if (const SimNode* node = ctx.network.Find(ArgOr(command, 0, ""))) {
    Reply(ctx, "IEEE:" + NodeMac(*node));
  } else {
    ctx.link.Write("ERROR\r\n");
  }
}

void Addr(SimContext& ctx, const SimCommand& command) {
  const std::string mac = ArgOr(command, 0, "");
  for (const SimNode& node : ctx.network.Nodes()) {
    if (mac.size() == 16 && NodeMac(node) == mac) return Reply(ctx, "ADDR:" + node.address);
  }
  ctx.link.Write("ERROR\r\n");
}

void FindDevice(SimContext& ctx, const SimCommand& command) {
  const std::string name = ArgOr(command, 0, "");
  for (const SimNode& node : ctx.network.Nodes()) {
    if (node.name == name) return Reply(ctx, "FOUND " + node.address + " " + node.name);
  }
  ctx.link.Write("NOT FOUND\r\n");
}

void Fixed(HandlerRegistry& registry, std::string word, std::string reply) {
  registry.Add(std::move(word), [reply = std::move(reply)](SimContext& ctx, const SimCommand&) {
    Reply(ctx, reply);
  });
}

}  // namespace

void AddAtBasicHandlers(HandlerRegistry& registry) {
  registry.Add("INFO", Info);
  registry.Add("RTC", Rtc);
  registry.Add("NEIGHBOR", Neighbor);
  registry.Add("DUMP", Dump);
  registry.Add("PING", Ping);
  registry.Add("IEEE", Ieee);
  registry.Add("ADDR", Addr);
  registry.Add("FINDDEVICE", FindDevice);
  Fixed(registry, "VERSION", "VERSION:NLV-2.0.3 (virtual)");
  Fixed(registry, "SCAN", "CH:0F PAN:1234 LQI:D2");
  Fixed(registry, "EDSCAN", "ED:0B=12 0F=30 14=08 19=1C");
  Fixed(registry, "EDREQ", "ED:0B=10 0F=2E 14=0A 19=1A");
  Fixed(registry, "DESCREQ", "DESC:TYPE=Router MANUF=1234 MAXBUF=50");
  Fixed(registry, "EPREQ", "EP:01 02");
  Fixed(registry, "RXDATA", "RX:0");
  Fixed(registry, "SREG", "S01=0F");
  // Commands whose only answer is the acknowledgement.
  for (const char* word :
       {"STARTPAN",  "STARTRT",    "STARTTC",    "JOIN",       "LEAVE",       "RESET",
        "CHGCH",     "WAKEUP",     "SLEEP",      "SYNC",       "POLL",        "RTDISCOVER",
        "ADDGRP",    "RMGRP",      "TXDATAU",    "TXDATAB",    "TXEACK",      "SENDNWKKEY",
        "SWITCHKEY", "REQUESTKEY", "CLRNWKKEY",  "CLRLINKKEY", "SETNWKKEY",   "SETLINKKEY",
        "RMDEV",     "STRPERDATA", "NETRECOVER", "ALARM",      "PERIOD",      "JOINP2P",
        "JOINGRP",   "JOINSTAR",   "DEST",       "POWER",      "SENDLINKKEY", "ZCLONOFF"}) {
    registry.Add(word, [](SimContext& ctx, const SimCommand&) { ctx.link.Write(kOk); });
  }
}

}  // namespace netloom::sim
