// What changed in a network from one walk to the next, and the one line that tells it — the
// output pane, the document's history list and `netloom-cli walk --watch` all show this line.
//
// Lines (UTC time first, names quoted, control characters shown as '?'):
//   2026-12-11T08:01:51Z joined 5E05 "AC-Lobby" under 1A01 2B02   (the root: no "under")
//   2026-12-11T08:11:56Z left 5E05 "AC-Lobby" not heard for 10 min
//   2026-12-11T08:01:56Z moved 5E05 "AC-Lobby" from 1A01 2B02 to 6F06
//   2026-12-11T08:01:56Z renamed 1A01 from "CCU-Hall" to "CCU-Lab"
// Pure functions; callable from any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/link/serial/wall_clock.h"

namespace netloom::network {

enum class ChangeKind { Joined, Left, Moved, Renamed };

struct ChangeEvent {
  link::WallTime time{};
  ChangeKind kind = ChangeKind::Joined;
  std::string address;
  std::string name;                      // the node's name (Renamed: the new one)
  std::string oldName;                   // Renamed: the name it had
  std::vector<std::string> fromParents;  // Moved: the parents it had
  std::vector<std::string> parents;      // Joined, Moved: its parents now
  link::WallTime lastHeard{};            // Left: when it was last heard

  bool operator==(const ChangeEvent&) const = default;
};

// "joined", "left", "moved", "renamed".
std::string_view ChangeKindText(ChangeKind kind);
std::optional<ChangeKind> ChangeKindOf(std::string_view text);

// The event's line, without a line break.
std::string ChangeLine(const ChangeEvent& event);

}  // namespace netloom::network
