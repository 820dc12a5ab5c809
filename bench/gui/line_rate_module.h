// What the benches that race a window against netloom-cli share: a virtual module paced at line
// rate with its link in a scratch folder of its own, and the time of one CLI run.
#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "core/sim/virtual_module.h"
#include "support/temp_folder.h"

namespace netloom::bench {

class LineRateModule {
 public:
  LineRateModule() = default;
  LineRateModule(const LineRateModule&) = delete;
  LineRateModule& operator=(const LineRateModule&) = delete;

  // False, with the reason on standard error, when the module failed.
  bool Start() {
    sim::VirtualModuleOptions options;
    options.linkPath = folder_.File("module");
    options.baudRateEmulation = true;
    module_.emplace(std::move(options));
    if (const link::LinkError error = module_->Start()) {
      std::fprintf(stderr, "the virtual module failed to start: %s\n", error.detail.c_str());
      return false;
    }
    return true;
  }

  const std::filesystem::path& folder() const { return folder_.Path(); }
  const std::string& link() const { return module_->LinkPath(); }

 private:
  testsupport::TempFolder folder_;  // declared first: the module takes its link away before
  std::optional<sim::VirtualModule> module_;
};

// How long `command` (a shell command line, its output dropped) takes from start to exit;
// nothing when it failed.
inline std::optional<std::chrono::steady_clock::duration> TimeCommand(const std::string& command) {
  const auto start = std::chrono::steady_clock::now();
  if (std::system((command + " > /dev/null").c_str()) != 0) return std::nullopt;
  return std::chrono::steady_clock::now() - start;
}

}  // namespace netloom::bench
