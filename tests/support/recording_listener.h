// Test support: a worker listener that records every report in order and lets a test wait for
// reports or hold the worker inside one.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "core/link/worker/worker_listener.h"

namespace netloom::testsupport {

class RecordingListener : public link::WorkerListener {
 public:
  // Every call as one line: "QueryStarted", "AppendOutput:<text>", "PortLost:<text>",
  // "Finished:<code number>" ...
  std::vector<std::string> Calls() const;
  // The texts of AppendOutput, one per call.
  std::vector<std::string> Outputs() const;
  std::vector<std::string> Messages() const;
  std::vector<link::CommandReport> Reports() const;
  std::vector<link::NetworkSnapshot> Snapshots() const;

  // Waits until `done` holds for the calls so far, at most `limit`.
  bool WaitFor(const std::function<bool(const std::vector<std::string>& calls)>& done,
               std::chrono::milliseconds limit = std::chrono::seconds(10)) const;
  // Waits for the report of the `nth` (1-based) finished command `code`.
  bool WaitFinished(link::WorkerCommand code, int nth = 1,
                    std::chrono::milliseconds limit = std::chrono::seconds(10)) const;

  // While held, the next AppendOutput blocks the worker until Release; HeldNow tells when the
  // worker sits in it. So a test can signal while the worker is known to be inside its loop.
  void HoldOutput();
  bool WaitHeld(std::chrono::milliseconds limit = std::chrono::seconds(10)) const;
  void Release();

  void QueryStarted() override;
  void ClearDiagram() override;
  void NetworkReady(const link::NetworkSnapshot& snapshot) override;
  void ConfigTransferStarted() override;
  void ConfigValuesChanged() override;
  void AppendOutput(std::string_view text) override;
  void ShowMessage(std::string_view text) override;
  void PortLost(std::string_view text) override;
  void CommandFinished(const link::CommandReport& report) override;

 private:
  void Note(std::string call);

  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::vector<std::string> calls_;
  std::vector<std::string> outputs_;
  std::vector<std::string> messages_;
  std::vector<link::CommandReport> reports_;
  std::vector<link::NetworkSnapshot> snapshots_;
  bool hold_ = false;
  bool held_ = false;
};

}  // namespace netloom::testsupport
