// netloom-cli flash: the firmware upgrade dialog without the dialog.
//
// Upgrade Mode (unless --no-mode-switch), then the upload; a failed upload is followed by what
// the dialog's Cancel does, so the module never stays in its boot loader. SIGINT (or SIGTERM)
// stops the step that runs, returns the module likewise and exits 130 (143).
#include <algorithm>
#include <chrono>
#include <mutex>
#include <ostream>
#include <string>
#include <utility>

#include "cli/cli.h"
#include "cli/cli_link.h"
#include "cli/interrupt.h"
#include "cli/options.h"
#include "cli/session_log_file.h"
#include "core/firmware/hex_file_reader.h"
#include "core/firmware/upgrade_procedure.h"
#include "core/firmware/upgrade_texts.h"
#include "core/link/serial/port_directory.h"

namespace netloom::cli {
namespace {

constexpr const char* kFlashName = "flash";
constexpr std::string_view kNoAtModeAnswer =
    "the module did not answer OK to ATUPGRADE 0 and ATRESET at 9600 baud; it may still be in "
    "its boot loader";

// Control characters other than line feed and tab would garble a terminal or a log file.
std::string Printable(std::string_view text) {
  std::string shown;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 || c == '\n' || c == '\t') shown += c;
  }
  return shown;
}

std::string MessageLine(const firmware::UpgradeMessage& message) {
  auto line = OneLine(message.text);
  if (!message.detail.empty()) line += " (" + OneLine(message.detail) + ")";
  return line;
}

bool Interrupted() {
  return InterruptGuard::Signal() != 0;
}

class FlashReporter final : public firmware::UpgradeObserver {
 public:
  explicit FlashReporter(CommandIo& io) : io_(io) {}
  void Attach(const firmware::UpgradeProcedure& procedure) { procedure_ = &procedure; }

  void OnLog(std::string_view text) override {
    std::lock_guard lock(mutex_);
    ClearBar();
    io_.out << Printable(text) << std::flush;
    DrawBar();
  }
  void OnMessage(const firmware::UpgradeMessage& message) override {
    std::lock_guard lock(mutex_);
    lastMessage_ = message;
  }
  void OnProgressChanged() override {
    std::lock_guard lock(mutex_);
    if (procedure_ == nullptr) return;
    const auto progress = procedure_->Progress();
    // The bar lives while lines go out; the transfer's end puts the percentage back to 0.
    const bool sending = procedure_->State() == firmware::UpgradeState::Transferring &&
                         !(progress.percent == 0 && progress.framesAcknowledged > 0);
    if (!sending) {
      ClearBar();
      barShown_ = false;
      return;
    }
    // A terminal needs no more than a few frames a second.
    const auto now = std::chrono::steady_clock::now();
    if (barShown_ && progress.percent == percent_ && now - drawn_ < kRedrawInterval) return;
    barShown_ = true;
    percent_ = progress.percent;
    frames_ = progress.framesAcknowledged;
    drawn_ = now;
    DrawBar();
  }

  // The last message, taken (so a later step's message is not mistaken for it).
  firmware::UpgradeMessage TakeMessage() {
    std::lock_guard lock(mutex_);
    return std::exchange(lastMessage_, {});
  }
  void EndBar() {
    std::lock_guard lock(mutex_);
    ClearBar();
    barShown_ = false;
  }

 private:
  void ClearBar() {
    if (io_.errIsTerminal && barShown_) io_.err << "\r\033[K" << std::flush;
  }
  void DrawBar() {
    if (!io_.errIsTerminal || !barShown_) return;
    constexpr int kWidth = 40;
    const int filled = std::clamp(percent_, 0, 100) * kWidth / 100;
    io_.err << "\r[" << std::string(filled, '#') << std::string(kWidth - filled, '.') << "] "
            << std::min(percent_, 100) << "% " << frames_ << " lines" << std::flush;
  }

  CommandIo& io_;
  const firmware::UpgradeProcedure* procedure_ = nullptr;
  std::mutex mutex_;
  firmware::UpgradeMessage lastMessage_;
  static constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
  bool barShown_ = false;
  std::chrono::steady_clock::time_point drawn_;
  int percent_ = 0;
  std::uint64_t frames_ = 0;
};

// Waits for the running step; SIGINT closes the procedure (once) and the wait goes on until the
// module has been returned.
void WaitForStep(firmware::UpgradeProcedure& procedure) {
  bool closing = false;
  while (!procedure.WaitUntilSettled(std::chrono::milliseconds(50))) {
    if (Interrupted() && !closing) {
      procedure.Close();
      closing = true;
    }
  }
}

int Fail(CommandIo& io, const firmware::UpgradeMessage& message) {
  return FailureLine(io, MessageLine(message));
}

int RunFlash(const std::vector<std::string>& args, CommandIo& io) {
  ParsedArgs parsed;
  if (const auto status = ParseCommandLine(kFlashName, args, io, parsed)) return *status;
  std::string error;
  auto settings = ParseLineSettings(parsed, error);
  if (!settings) return UsageError(io, kFlashName, error);
  const auto portName = parsed.Get("--port");
  if (!portName) return UsageError(io, kFlashName, "--port is required");
  const auto portPath = link::ResolvePort(*portName);
  if (!portPath) return UsageError(io, kFlashName, UnknownPortReason(*portName));
  if (parsed.positional.size() != 1)
    return UsageError(io, kFlashName, "give exactly one firmware FILE");
  const auto& file = parsed.positional.front();
  if (!firmware::LooksLikeFirmwarePath(file)) {
    return UsageError(io, kFlashName,
                      std::string(firmware::kNoFilePathMessage) + " (a .hex or .hxf file)");
  }
  // Refuse an unreadable file before the module is switched into its boot loader.
  if (const auto opened = firmware::HexFileReader().Open(file); !opened.ok) {
    return Fail(io, {std::string(firmware::kCantUseFileMessage), file + ": " + opened.detail});
  }
  // A connection's read time-out, so every silent read of the boot-loader protocol is short.
  settings->readTimeoutMs = link::kConnectReadTimeoutMs;

  SessionLogFile log(io);
  if (const auto status = log.Start(parsed, *portPath)) return *status;
  InterruptGuard guard;
  FlashReporter reporter(io);
  firmware::UpgradeProcedure procedure(*portPath, *settings, reporter);
  reporter.Attach(procedure);

  if (!parsed.Has("--no-mode-switch")) {
    procedure.StartUpgradeMode();
    WaitForStep(procedure);
    if (const auto message = reporter.TakeMessage(); !message.text.empty()) {
      return Fail(io, message);
    }
  }
  if (!Interrupted() && procedure.StartUpgrade(file)) WaitForStep(procedure);
  reporter.EndBar();
  io.out << "\n";
  if (Interrupted() || procedure.LastResult() == firmware::UpgradeResult::Stopped) {
    procedure.Close();
    WaitForStep(procedure);
    io.err << "interrupted\n";
    return InterruptGuard::ExitStatus();
  }
  auto message = reporter.TakeMessage();
  if (procedure.LastResult() == firmware::UpgradeResult::Finished) {
    io.out << OneLine(message.text) << "\n";
    if (procedure.AtModeAnswered()) return kExitOk;
    return FailureLine(io, kNoAtModeAnswer);
  }
  // What the dialog's Cancel does: the module goes back to AT command mode at the saved rate.
  if (procedure.Cancel() == firmware::CancelResult::Returning) WaitForStep(procedure);
  io.out << "\n";
  if (message.text.empty()) message.text = "Verify fail";
  return Fail(io, message);
}

std::vector<FlagSpec> FlashFlags() {
  auto flags = LineFlags();
  flags.push_back(Switch("--no-mode-switch",
                         "the module is in its boot loader already: skip the switch into it"));
  return flags;
}

const CommandRegistrar kFlash({
    .name = kFlashName,
    .summary = "upload firmware through the module's boot loader",
    .run = RunFlash,
    .synopsis = {"flash --port P [--baud N] [--bits 5|7|8] [--parity P] [--stop 1|2] "
                 "[--no-mode-switch] FILE"},
    .description =
        "Uploads a firmware file (.hex or .hxf) through the module's boot loader. First switches "
        "the module into its boot loader at the port's baud rate (skipped with "
        "--no-mode-switch), then uploads at 115200 baud, has the boot loader verify the image "
        "and returns the module to AT command mode at 9600 baud. After a failure the module is "
        "returned to AT command mode at the port's baud rate. The boot loader's messages are "
        "printed as they arrive.",
    .flags = FlashFlags(),
    .operands = {{.name = "FILE",
                  .kind = ValueKind::Firmware,
                  .help = "the firmware file, .hex or .hxf"}},
});

}  // namespace
}  // namespace netloom::cli
