// The network walk: "ATNETINFO <address> <period>" answers the node's neighbour table,
// "ATNAMEREQ <address>" its name. The coordinator relays both, so they are answered for any
// node of the network whichever node holds the console; unknown addresses get no reply.
#include <cstdio>

#include "core/sim/handlers.h"

namespace netloom::sim {
namespace {

constexpr int kChildKind = 0x01;
constexpr int kParentKind = 0x02;

// Addresses travel low byte first: 1234 is sent as 3412.
std::string Swapped(const std::string& address) {
  return address.substr(2, 2) + address.substr(0, 2);
}

std::string Hex2(int value) {
  char text[3];
  std::snprintf(text, sizeof text, "%02X", value & 0xFF);
  return text;
}

std::string Entry(int kind, int value, const std::string& first, const std::string& second) {
  return Hex2(kind) + Hex2(value) + " " + Swapped(first) + Swapped(second);
}

// "<" LL address entries ">": LL counts two bytes for the address and six per entry. Children
// come as kind 1 (child address, then the node's own); each parent as kind 2, placed after the
// first child so that other kinds stand between the children.
std::string NetInfoReply(const SimNetwork& network, const SimNode& node) {
  std::vector<std::string> entries;
  int quality = 0xE0;
  for (const auto& child : node.children) {
    entries.push_back(Entry(kChildKind, quality, child, node.address));
    quality -= 0x0B;
  }
  auto at = entries.empty() ? entries.end() : entries.begin() + 1;
  for (const SimNode* parent : network.ParentsOf(node.address)) {
    at = entries.insert(at, Entry(kParentKind, 0xFF, parent->address, node.address)) + 1;
  }
  // Appended piece by piece: GCC 12 at -O3 reports a false overlap (-Wrestrict) in a chain of
  // operator+ that starts from a one-character string.
  std::string reply(1, '<');
  reply += Hex2(static_cast<int>(2 + 6 * entries.size()));
  reply += ' ';
  reply += Swapped(node.address);
  for (const auto& entry : entries) reply += " " + entry;
  return reply + " >\r\n";
}

// The reply as the fault set for this node spoils it.
std::string Spoiled(std::string reply, NetInfoFault fault) {
  switch (fault) {
    case NetInfoFault::BadClose:
      reply[reply.rfind('>')] = ')';
      break;
    case NetInfoFault::BreakOff:
      reply.resize(reply.size() / 2);
      break;
    case NetInfoFault::NotHex:
      reply[reply.find(' ') + 1] = 'G';  // the first character of the node's own address
      break;
    case NetInfoFault::None:
      break;
  }
  return reply;
}

void NetInfo(SimContext& ctx, const SimCommand& command) {
  if (command.args.empty()) return;
  if (const SimNode* node = ctx.network.Find(command.args[0])) {
    ctx.link.Write(
        Spoiled(NetInfoReply(ctx.network, *node), ctx.faults.NetInfoFaultOf(node->address)));
  }
}

void NameRequest(SimContext& ctx, const SimCommand& command) {
  if (command.args.empty()) return;
  if (const SimNode* node = ctx.network.Find(command.args[0])) {
    ctx.link.Write("NAME " + node->address + " <" + node->name + ">\r\n");
  }
}

}  // namespace

void AddNetworkHandlers(HandlerRegistry& registry) {
  registry.Add("NETINFO", NetInfo);
  registry.Add("NAMEREQ", NameRequest);
}

}  // namespace netloom::sim
