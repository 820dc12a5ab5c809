// NetworkMemory: what one network document remembers of its network across walks — every node
// heard and not yet gone, the latest complete walk, and the changes from walk to walk.
//
// Merging a walk:
// - A complete walk (one with a root) is the latest walk. Its nodes are heard now: a node not
//   known is "joined"; a known one whose parents differ is "moved", whose name differs is
//   "renamed" (a node that was quiet counts as known).
// - A known node the complete walk misses goes quiet: kept, not heard, quietSince set to this
//   walk's time, until a complete walk finds it missing for longer than the quiet limit since
//   then; that walk drops it with a "left" event.
// - A walk that broke off (no root: the coordinator did not answer) changes nothing: it is no
//   evidence that any node is missing.
// Events of one merge come in table order, "left" after the others. The history keeps the
// newest `maxEvents` events, so memory stays flat however many walks are merged.
//
// Time: every merge and every quiet age reads the WallClock given (tests move a manual one).
// Threads: a memory belongs to its document's owner thread; nothing here locks. The clock must
// outlive the memory.
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <map>
#include <vector>

#include "core/link/serial/wall_clock.h"
#include "core/link/walk/node_table.h"
#include "core/network/change_event.h"
#include "core/network/network_node.h"

namespace netloom::network {

inline constexpr std::chrono::seconds kDefaultQuietLimit{600};
inline constexpr std::size_t kDefaultMaxEvents = 1000;

// Everything a memory holds, as a saved network writes and reads it.
struct MemoryState {
  std::chrono::seconds quietLimit = kDefaultQuietLimit;
  link::NetworkSnapshot latestWalk;  // no root before the first complete walk
  link::WallTime latestWalkTime{};   // when the latest complete walk was merged
  std::vector<NetworkNode> nodes;    // every node remembered, in table order
  std::deque<ChangeEvent> events;    // oldest first
};

class NetworkMemory {
 public:
  explicit NetworkMemory(const link::WallClock& clock = link::SystemWallClock(),
                         std::size_t maxEvents = kDefaultMaxEvents);

  // Merges a finished walk (see above) at the clock's time; the events it made, which are
  // also appended to the history.
  std::vector<ChangeEvent> MergeWalk(const link::NetworkSnapshot& walk);

  // Every node remembered, heard and quiet, in table order.
  std::vector<NetworkNode> Nodes() const;
  // The latest complete walk (the diagram draws it; quiet nodes are not in it).
  const link::NetworkSnapshot& LatestWalk() const { return state_.latestWalk; }
  link::WallTime LatestWalkTime() const { return state_.latestWalkTime; }
  const std::deque<ChangeEvent>& Events() const { return state_.events; }

  std::chrono::seconds QuietLimit() const { return state_.quietLimit; }
  // Applies from the next merge on.
  void SetQuietLimit(std::chrono::seconds limit) { state_.quietLimit = limit; }
  std::size_t MaxEvents() const { return maxEvents_; }
  const link::WallClock& Clock() const { return clock_; }

  // The whole state, to save it; Restore takes such a state back (events beyond the limit are
  // dropped, the oldest first).
  MemoryState State() const;
  void Restore(MemoryState state);

 private:
  void Append(std::vector<ChangeEvent>& made, ChangeEvent event);

  const link::WallClock& clock_;
  std::size_t maxEvents_;
  MemoryState state_;
  std::map<std::int32_t, NetworkNode> known_;  // by node key: table order
};

}  // namespace netloom::network
