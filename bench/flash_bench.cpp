// Firmware upload speed: a 64 KiB image in 16-byte records through the virtual module's boot
// loader at 115200 baud with line-rate emulation, in real time, as a user runs it.
//
// Reports each phase against what the wire and the protocol's own waits allow: the lines
// against the bytes both ways at 11 520 bytes/s (115200 baud, ten bits a byte), and the whole
// run from the click on "Upgrade" to "Upgrade finish~!!" against those bytes plus the protocol's
// pauses and read time-outs. Usage: flash_bench [image bytes, default 65536]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "core/firmware/upgrade_procedure.h"
#include "core/firmware/upgrade_texts.h"
#include "core/sim/virtual_module.h"
#include "hex_image.h"
#include "support/temp_folder.h"

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

struct Upload {
  std::string failure;  // empty when "Upgrade finish~!!" came
  double modeSeconds = 0, handshakeSeconds = 0, lineSeconds = 0, verifySeconds = 0,
         finishSeconds = 0, totalSeconds = 0;
  netloom::firmware::UpgradeProgress progress;
};

// "Upgrade Mode", then a click on "Upgrade", as a user runs them. The module's restarts pass
// `timeDivisor` times faster, as the host's pauses do on `clock`.
Upload RunUpload(const std::filesystem::path& folder, const std::string& hex, bool emulation,
                 netloom::link::Clock& clock, std::uint32_t timeDivisor,
                 std::uint32_t readTimeoutMs) {
  netloom::sim::VirtualModuleOptions options;
  options.linkPath = (folder / (emulation ? "paced" : "unpaced")).string();
  options.baudRateEmulation = emulation;
  options.timeDivisor = timeDivisor;
  netloom::sim::VirtualModule module(std::move(options));
  Upload upload;
  if (module.Start()) {
    upload.failure = "the virtual module did not start";
    return upload;
  }
  PhaseClock phases;
  netloom::link::UartSettings settings;  // 9600 baud, as a connection leaves it
  netloom::firmware::UpgradeProcedure procedure(module.LinkPath(), settings, phases, clock);
  const auto modeStart = Clock::now();
  procedure.StartUpgradeMode();
  procedure.WaitUntilSettled(std::chrono::minutes(5));
  upload.modeSeconds = Seconds(Clock::now() - modeStart);
  settings = procedure.Settings();
  settings.readTimeoutMs = readTimeoutMs;
  procedure.ChangeUart(module.LinkPath(), settings);

  const auto click = Clock::now();
  procedure.StartUpgrade(hex);
  procedure.WaitUntilSettled(std::chrono::minutes(10));
  if (phases.lastMessage != netloom::firmware::kUpgradeFinishedMessage) {
    upload.failure = phases.lastMessage;
    return upload;
  }
  upload.progress = procedure.Progress();
  upload.handshakeSeconds = Seconds(phases.identified - click);
  upload.lineSeconds = Seconds(phases.ended - phases.identified);
  upload.verifySeconds = Seconds(phases.verified - phases.ended);
  upload.finishSeconds = Seconds(phases.finished - phases.verified);
  upload.totalSeconds = Seconds(phases.finished - click);
  return upload;
}

// Mean lateness of a short sleep on this machine now: what each paced byte or frame of the
// emulation may add on top of the wire time.
double SleepLatenessMicroseconds() {
  constexpr int kSamples = 2000;
  double late = 0;
  for (int i = 0; i < kSamples; ++i) {
    const auto due = Clock::now() + std::chrono::microseconds(87);
    std::this_thread::sleep_until(due);
    late += std::chrono::duration<double, std::micro>(Clock::now() - due).count();
  }
  return late / kSamples;
}

double ProcessorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t imageBytes = argc > 1 ? std::stoul(argv[1]) : 65536;
  const netloom::testsupport::TempFolder temp;
  const std::filesystem::path& folder = temp.Path();
  const auto hex = MakeHexFile(folder, imageBytes);
  if (hex.empty()) {
    std::fprintf(stderr, "srec_cat failed\n");
    return 1;
  }

  // Without pacing, compressed pauses, short reads: what the code on both ends costs per line,
  // in time and in processor time (both ends, all threads).
  netloom::link::CompressedClock fast(100);
  const double cpuBefore = ProcessorSeconds();
  const auto unpaced = RunUpload(folder, hex, false, fast, 100, 20);
  const double cpuUnpaced = ProcessorSeconds() - cpuBefore;
  // As a user runs it: real time, line-rate emulation, the read time-out "Upgrade Mode" sets.
  const auto paced = RunUpload(folder, hex, true, netloom::link::DefaultClock(), 1, kReadTimeoutMs);
  for (const auto* upload : {&unpaced, &paced}) {
    if (!upload->failure.empty()) {
      std::fprintf(stderr, "upload failed: %s\n", upload->failure.c_str());
      return 1;
    }
  }

  const double lines = static_cast<double>(paced.progress.framesAcknowledged);
  // Host to module: every frame; module to host: LF and STX after the identification, then ACK
  // and STX (EOT and ACK after the last record) for each line.
  const double lineWireBytes = static_cast<double>(paced.progress.bytesSent) + 2 + 2 * lines;
  const double lineIdeal = lineWireBytes / kWireBytesPerSecond;

  // The whole run: the handshake (the first discarding read waits out its time-out, then "Y"
  // and the 23 bytes of the reply), the lines, the verification ("V\r\n", then the hundred
  // reads wait out the rest), and Finish (5 s pause, two commands with 4-byte answers at 9600
  // baud, each read ending 20 ms after its last byte, and a 50 ms pause).
  const double timeout = kReadTimeoutMs / 1000.0;
  const double handshakeIdeal = timeout + 24 / kWireBytesPerSecond;
  const double verifyIdeal = 3 / kWireBytesPerSecond + 97 * timeout;
  const double finishIdeal = 5.0 + 0.05 + (12 + 4 + 8 + 4) / 960.0 + 2 * 0.020;
  const double totalIdeal = handshakeIdeal + lineIdeal + verifyIdeal + finishIdeal;
  const auto percentOf = [](double part, double whole) { return 100 * part / whole; };

  std::printf("image %zu bytes: %.0f lines, %llu frame bytes, %.0f wire bytes in the lines\n",
              imageBytes, lines, static_cast<unsigned long long>(paced.progress.bytesSent),
              lineWireBytes);
  std::printf(
      "unpaced lines: %.3f s = %.1f us a line (both ends, pseudo-terminal, scheduling)"
      " = %.2f %% of the wire time\n",
      unpaced.lineSeconds, 1e6 * unpaced.lineSeconds / lines,
      percentOf(unpaced.lineSeconds, lineIdeal));
  std::printf("  processor time of the whole unpaced upload: %.3f s = %.1f us a line = %.2f %%\n",
              cpuUnpaced, 1e6 * cpuUnpaced / lines, percentOf(cpuUnpaced, lineIdeal));
  const double late = SleepLatenessMicroseconds();
  std::printf("sleep lateness now: %.1f us a sleep (the emulation sleeps 3 times a line)\n", late);
  std::printf("paced lines: measured %.3f s, wire %.3f s, over %+.3f s (%+.2f %%)\n",
              paced.lineSeconds, lineIdeal, paced.lineSeconds - lineIdeal,
              percentOf(paced.lineSeconds - lineIdeal, lineIdeal));
  std::printf("  of which the emulation's own sleep lateness is about %.3f s\n",
              3 * lines * late / 1e6);
  std::printf("Upgrade Mode %.3f s; handshake %.3f s, verification %.3f s, finish %.3f s\n",
              paced.modeSeconds, paced.handshakeSeconds, paced.verifySeconds, paced.finishSeconds);
  std::printf(
      "click to \"Upgrade finish~!!\": measured %.3f s, wire + pauses %.3f s, "
      "over %+.3f s (%+.2f %%)\n",
      paced.totalSeconds, totalIdeal, paced.totalSeconds - totalIdeal,
      percentOf(paced.totalSeconds - totalIdeal, totalIdeal));
  return 0;
}
