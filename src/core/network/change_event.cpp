#include "core/network/change_event.h"

#include <array>
#include <chrono>

#include "core/network/network_node.h"

namespace netloom::network {
namespace {

constexpr std::array<std::string_view, 4> kKindTexts{"joined", "left", "moved", "renamed"};

std::string Quoted(std::string_view name) {
  std::string text = "\"";
  for (const char c : name) {
    text += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
  }
  return text + "\"";
}

}  // namespace

std::string_view ChangeKindText(ChangeKind kind) {
  return kKindTexts[static_cast<std::size_t>(kind)];
}

std::optional<ChangeKind> ChangeKindOf(std::string_view text) {
  for (std::size_t k = 0; k < kKindTexts.size(); ++k) {
    if (kKindTexts[k] == text) return static_cast<ChangeKind>(k);
  }
  return std::nullopt;
}

std::string ChangeLine(const ChangeEvent& event) {
  std::string line = link::UtcText(event.time) + " " + std::string(ChangeKindText(event.kind)) +
                     " " + event.address + " ";
  switch (event.kind) {
    case ChangeKind::Joined:
      line += Quoted(event.name);
      if (!event.parents.empty()) line += " under " + AddressList(event.parents);
      break;
    case ChangeKind::Left:
      line +=
          Quoted(event.name) + " " +
          QuietText(std::chrono::duration_cast<std::chrono::seconds>(event.time - event.lastHeard));
      break;
    case ChangeKind::Moved:
      line += Quoted(event.name) + " from " + AddressList(event.fromParents) + " to " +
              AddressList(event.parents);
      break;
    case ChangeKind::Renamed:
      line += "from " + Quoted(event.oldName) + " to " + Quoted(event.name);
      break;
  }
  return line;
}

}  // namespace netloom::network
