// What a network document learns of its network beyond the latest walk, without widgets: the
// network memory (every node heard, the quiet ones, the history of changes), the session log of
// its port, and the saved network file it was last saved to or opened from.
//
// It hears its connection: every walk the controller shows is merged into the memory once (a
// walk already merged, such as a saved one shown again, is not merged twice; a walk that broke
// off never reaches the controller, so it counts no node as missing). Attach it to the
// controller before the widgets that draw the walk, so they find the memory merged. Every byte
// of every port the controller opens goes to the session log.
//
// Time: merges and quiet ages read the wall clock set (the system's by default; tests set a
// manual one and move it). Threads: UI thread only, as the controller; the session log itself
// is filled on the link worker's thread (it locks).
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "core/link/serial/session_log.h"
#include "core/link/serial/wall_clock.h"
#include "core/network/network_document.h"
#include "core/network/network_memory.h"
#include "gui/model/connection_controller.h"

namespace netloom::model {

// Hears an insight; every call on the UI thread.
class InsightObserver {
 public:
  virtual ~InsightObserver() = default;
  // A walk was merged; `events` are its changes (none when nothing changed), oldest first.
  virtual void WalkMerged(const std::vector<network::ChangeEvent>& events) = 0;
  // The whole memory was replaced (a saved network was opened).
  virtual void MemoryReplaced() = 0;
};

// The quiet limit new documents start with: the user's choice, kept for the program's life and,
// through onChange, in the saved settings.
struct QuietLimitSetting {
  std::chrono::seconds limit = network::kDefaultQuietLimit;
  std::function<void(std::chrono::seconds)> onChange;
};
QuietLimitSetting& ProcessQuietLimit();

class NetworkInsight final : private ConnectionObserver {
 public:
  // Attaches to `controller` (not owned, outlives the insight) and gives it the session log as
  // its port tap.
  explicit NetworkInsight(ConnectionController& controller,
                          std::size_t maxEvents = network::kDefaultMaxEvents);
  ~NetworkInsight() override;
  NetworkInsight(const NetworkInsight&) = delete;
  NetworkInsight& operator=(const NetworkInsight&) = delete;

  // Observers are not owned; one must be removed before it goes.
  void AddObserver(InsightObserver& observer);
  void RemoveObserver(InsightObserver& observer);

  const network::NetworkMemory& memory() const { return *memory_; }
  // Every node remembered, heard and quiet, in table order.
  std::vector<network::NetworkNode> Nodes() const { return memory_->Nodes(); }
  link::WallTime Now() const { return clock_->Now(); }
  // Reads the time from `clock` from now on (not owned, outlives the insight); what is
  // remembered stays.
  void SetWallClock(const link::WallClock& clock);

  std::chrono::seconds quietLimit() const { return memory_->QuietLimit(); }
  // The user's choice: this document's limit from the next walk on, and new documents'.
  void SetQuietLimit(std::chrono::seconds limit);

  link::SessionLog& sessionLog() { return *log_; }
  const std::shared_ptr<link::SessionLog>& sessionLogPtr() const { return log_; }

  // --- the saved network ---
  // The file last saved to or opened; empty for a document never saved.
  const std::string& filePath() const { return filePath_; }
  // The document as a saved network holds it: port, line settings, memory.
  network::NetworkDocument Saved() const;
  // Writes the document to `path` (which it is then saved as): empty on success, else the
  // reason naming the file.
  std::string Save(const std::string& path);
  // Shows `document`, read from `path`, offline: its port and line settings become the
  // connection's (a document without a port keeps the connection's), its memory this one's,
  // its latest walk the controller's tables. The connection must be closed.
  void Open(network::NetworkDocument document, const std::string& path);

 private:
  void NetworkChanged() override;
  template <typename Call>
  void Tell(Call&& call);

  ConnectionController& controller_;
  std::size_t maxEvents_;
  const link::WallClock* clock_ = &link::SystemWallClock();
  std::unique_ptr<network::NetworkMemory> memory_;
  std::shared_ptr<link::SessionLog> log_;
  std::vector<InsightObserver*> observers_;
  std::string filePath_;
};

}  // namespace netloom::model
