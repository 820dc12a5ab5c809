// Firmware upload speed: a 64 KiB image in 16-byte records through the virtual module's boot
// loader at 115200 baud with line-rate emulation, in real time, as a user runs it.
//
// Reports each phase against what the wire and the protocol's own waits allow: the lines
// against the bytes both ways at 11 520 bytes/s (115200 baud, ten bits a byte), and the whole
// run from the click on "Upgrade" to "Upgrade finish~!!" against those bytes plus the specified
// pauses and read time-outs. Usage: flash_bench [image bytes, default 65536]
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <random>
#include <string>
#include <vector>

#include "core/firmware/upgrade_procedure.h"
#include "core/firmware/upgrade_texts.h"
#include "core/sim/virtual_module.h"

namespace {

using Clock = std::chrono::steady_clock;
using netloom::firmware::UpgradeMessage;

constexpr double kWireBytesPerSecond = 115200.0 / 10;
constexpr std::uint32_t kReadTimeoutMs = 200;  // what "Upgrade Mode" leaves in the settings

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// Notes when each phase of the run shows in the log.
class PhaseClock final : public netloom::firmware::UpgradeObserver {
 public:
  void OnLog(std::string_view text) override {
    std::lock_guard lock(mutex_);
    const auto now = Clock::now();
    if (text.starts_with("Harbinor")) identified = now;
    if (text == netloom::firmware::kEndOfTransmissionLog && ended == Clock::time_point{}) {
      ended = now;
    }
    if (text == netloom::firmware::kVerifyOkLog) verified = now;
  }
  void OnMessage(const UpgradeMessage& message) override {
    std::lock_guard lock(mutex_);
    finished = Clock::now();
    lastMessage = message.text;
  }

  std::mutex mutex_;
  Clock::time_point identified, ended, verified, finished;
  std::string lastMessage;
};

std::string MakeHexFile(const std::filesystem::path& folder, std::size_t bytes) {
  std::vector<char> binary(bytes);
  std::mt19937 random(42);
  for (auto& b : binary) b = static_cast<char>(random());
  const auto bin = (folder / "image.bin").string();
  const auto hex = (folder / "image.hex").string();
  std::ofstream(bin, std::ios::binary).write(binary.data(), static_cast<long>(binary.size()));
  const auto command = "srec_cat " + bin + " -binary -o " + hex + " -intel -Output_Block_Size 16";
  if (std::system(command.c_str()) != 0) return {};
  return hex;
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t imageBytes = argc > 1 ? std::stoul(argv[1]) : 65536;
  std::string folderPattern = (std::filesystem::temp_directory_path() / "flash-XXXXXX").string();
  if (mkdtemp(folderPattern.data()) == nullptr) return 1;
  const std::filesystem::path folder = folderPattern;
  const auto hex = MakeHexFile(folder, imageBytes);
  if (hex.empty()) {
    std::fprintf(stderr, "srec_cat failed\n");
    return 1;
  }

  netloom::sim::VirtualModuleOptions options;
  options.linkPath = (folder / "module").string();
  options.baudRateEmulation = true;
  netloom::sim::VirtualModule module(std::move(options));
  if (module.Start()) return 1;

  PhaseClock phases;
  netloom::link::UartSettings settings;  // 9600 baud, as a connection leaves it
  netloom::firmware::UpgradeProcedure procedure(module.LinkPath(), settings, phases);

  const auto modeStart = Clock::now();
  procedure.StartUpgradeMode();
  procedure.WaitUntilSettled(std::chrono::minutes(5));
  const auto modeTime = Clock::now() - modeStart;

  module.Faults().SetRecording(true);
  const auto click = Clock::now();
  procedure.StartUpgrade(hex);
  procedure.WaitUntilSettled(std::chrono::minutes(10));
  if (phases.lastMessage != netloom::firmware::kUpgradeFinishedMessage) {
    std::fprintf(stderr, "upload failed: %s\n", phases.lastMessage.c_str());
    return 1;
  }

  const auto progress = procedure.Progress();
  const double lines = static_cast<double>(progress.framesAcknowledged);
  // Host to module: every frame; module to host: LF and STX after the identification, then ACK
  // and STX (EOT and ACK after the last record) for each line.
  const double lineWireBytes = static_cast<double>(progress.bytesSent) + 2 + 2 * lines;
  const double lineIdeal = lineWireBytes / kWireBytesPerSecond;
  const double lineTime = Seconds(phases.ended - phases.identified);

  // The whole run: the handshake (the first discarding read waits out its time-out, then "Y"
  // and the 23 bytes of the reply), the lines, the verification ("V\r\n", then the hundred
  // reads wait out the rest), and Finish (5 s pause, two commands with 4-byte answers at 9600
  // baud, each read ending 20 ms after its last byte, and a 50 ms pause).
  const double timeout = kReadTimeoutMs / 1000.0;
  const double handshakeIdeal = timeout + 24 / kWireBytesPerSecond;
  const double verifyIdeal = 3 / kWireBytesPerSecond + 97 * timeout;
  const double finishIdeal = 5.0 + 0.05 + (12 + 4 + 8 + 4) / 960.0 + 2 * 0.020;
  const double totalIdeal = handshakeIdeal + lineIdeal + verifyIdeal + finishIdeal;
  const double totalTime = Seconds(phases.finished - click);

  std::printf("image %zu bytes, %.0f lines, %llu frame bytes, %zu bytes received by the module\n",
              imageBytes, lines, static_cast<unsigned long long>(progress.bytesSent),
              module.Faults().Received().size());
  std::printf("Upgrade Mode (click to idle):        %7.3f s\n", Seconds(modeTime));
  std::printf("lines: measured %7.3f s, wire %7.3f s, overhead %+.3f s (%+.2f %%)\n", lineTime,
              lineIdeal, lineTime - lineIdeal, 100 * (lineTime - lineIdeal) / lineIdeal);
  std::printf("  handshake %.3f s, verification %.3f s, finish %.3f s\n",
              Seconds(phases.identified - click), Seconds(phases.verified - phases.ended),
              Seconds(phases.finished - phases.verified));
  std::printf(
      "click to \"Upgrade finish~!!\": measured %7.3f s, wire+pauses %7.3f s, "
      "overhead %+.3f s (%+.2f %%)\n",
      totalTime, totalIdeal, totalTime - totalIdeal, 100 * (totalTime - totalIdeal) / totalIdeal);
  std::filesystem::remove_all(folder);
  return 0;
}
