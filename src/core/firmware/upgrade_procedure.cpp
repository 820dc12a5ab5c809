#include "core/firmware/upgrade_procedure.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/firmware/boot_loader_protocol.h"
#include "core/firmware/frame_exchange.h"
#include "core/firmware/hex_file_reader.h"
#include "core/firmware/upgrade_texts.h"
#include "core/link/serial/network_port_name.h"

namespace netloom::firmware {
namespace {

constexpr std::uint32_t kModeSwitchReadTimeoutMs = 200;
constexpr int kHandshakeAttempts = 10;
constexpr std::size_t kIdentificationReadBytes = 23;
constexpr int kVerificationReads = 100;
constexpr std::size_t kReplyBytes = 256;
// Long pauses are taken in slices so that Close stops them promptly.
constexpr std::uint32_t kPauseSliceMs = 100;
// How long a module takes to restart (into its boot loader, or back into its application).
constexpr std::uint32_t kRestartMs = 5000;

// Cancel's commands carry a trailing space.
constexpr std::string_view kCancelUpgradeOffCommand = "ATUPGRADE 0\r ";
constexpr std::string_view kCancelResetCommand = "ATRESET\r ";

std::string_view AsText(const std::uint8_t* bytes, std::size_t count) {
  return {reinterpret_cast<const char*>(bytes), count};
}

}  // namespace

UpgradeProcedure::UpgradeProcedure(std::string portPath, const link::UartSettings& settings,
                                   UpgradeObserver& observer, link::Clock& clock)
    : observer_(observer), clock_(clock), portPath_(std::move(portPath)), settings_(settings) {}

UpgradeProcedure::~UpgradeProcedure() {
  Close();
  if (thread_.joinable()) thread_.join();
}

// ---- operations (controlling thread) ----

bool UpgradeProcedure::ChangeUart(std::string portPath, const link::UartSettings& settings) {
  if (!Idle()) return false;
  const auto line = UartLogLine(portPath, settings);
  {
    std::lock_guard lock(mutex_);
    portPath_ = std::move(portPath);
    settings_ = settings;
    baudSaved_ = false;
  }
  observer_.OnLog(line);
  return true;
}

bool UpgradeProcedure::RefusedFixedRatePort() {
  if (link::CanChangeLineSettings(PortPath())) return false;
  Tell(kFixedRatePortMessage);
  return true;
}

bool UpgradeProcedure::StartUpgradeMode() {
  if (!Idle() || RefusedFixedRatePort()) return false;
  Launch(UpgradeState::SwitchingMode, [this] { RunUpgradeMode(); });
  return true;
}

bool UpgradeProcedure::StartUpgrade(const std::string& firmwarePath) {
  if (!Idle() || RefusedFixedRatePort()) return false;
  if (!LooksLikeFirmwarePath(firmwarePath)) {
    observer_.OnMessage({std::string(kNoFilePathMessage), {}});
    return false;
  }
  {
    std::lock_guard lock(mutex_);
    if (!baudSaved_) {
      savedBaudRate_ = settings_.baudRate;
      baudSaved_ = true;
    }
    settings_.baudRate = kUpgradeBaudRate;
    progress_ = {};
    lastResult_ = UpgradeResult::None;
  }
  Launch(UpgradeState::Transferring, [this, firmwarePath] { RunTransfer(firmwarePath); });
  return true;
}

CancelResult UpgradeProcedure::Cancel() {
  if (!Idle()) return CancelResult::Refused;
  bool closeNow = false;
  {
    std::lock_guard lock(mutex_);
    closeRequested_ = true;
    closeNow = !ReturnOwed();
    if (closeNow) state_ = UpgradeState::Closed;
  }
  if (closeNow) {
    observer_.OnStateChanged();
    return CancelResult::CloseNow;
  }
  // Settle sees the close request and returns the module before closing.
  Launch(UpgradeState::Cancelling, [this] { Settle(); });
  return CancelResult::Returning;
}

void UpgradeProcedure::Close() {
  JoinFinishedStep();
  {
    std::lock_guard lock(mutex_);
    if (state_ == UpgradeState::Closed) return;
    if (stepRunning_) {
      // The step settles into Closed, returning the module first where needed.
      closeRequested_ = true;
      stop_ = true;
      return;
    }
  }
  Cancel();
}

bool UpgradeProcedure::WaitUntilSettled(std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  return settled_.wait_for(lock, timeout, [this] { return !stepRunning_; });
}

UpgradeState UpgradeProcedure::State() const {
  std::lock_guard lock(mutex_);
  return state_;
}

bool UpgradeProcedure::AtModeAnswered() const {
  std::lock_guard lock(mutex_);
  return atModeAnswered_;
}

UpgradeResult UpgradeProcedure::LastResult() const {
  std::lock_guard lock(mutex_);
  return lastResult_;
}

UpgradeProgress UpgradeProcedure::Progress() const {
  std::lock_guard lock(mutex_);
  return progress_;
}

bool UpgradeProcedure::BaudSaved() const {
  std::lock_guard lock(mutex_);
  return baudSaved_;
}

std::uint32_t UpgradeProcedure::SavedBaudRate() const {
  std::lock_guard lock(mutex_);
  return savedBaudRate_;
}

bool UpgradeProcedure::HasUpgradePort() const {
  std::lock_guard lock(mutex_);
  return portCounted_;
}

link::UartSettings UpgradeProcedure::Settings() const {
  std::lock_guard lock(mutex_);
  return settings_;
}

std::string UpgradeProcedure::PortPath() const {
  std::lock_guard lock(mutex_);
  return portPath_;
}

// ---- step plumbing ----

bool UpgradeProcedure::Idle() {
  JoinFinishedStep();
  std::lock_guard lock(mutex_);
  return state_ == UpgradeState::Idle && !stepRunning_;
}

void UpgradeProcedure::JoinFinishedStep() {
  {
    std::lock_guard lock(mutex_);
    if (stepRunning_) return;
  }
  // The last step has settled; wait for its final observer call so calls never overlap.
  if (thread_.joinable()) thread_.join();
}

void UpgradeProcedure::Launch(UpgradeState state, std::function<void()> step) {
  {
    std::lock_guard lock(mutex_);
    state_ = state;
    stepRunning_ = true;
  }
  stop_ = false;
  observer_.OnStateChanged();
  thread_ = std::thread(std::move(step));
}

void UpgradeProcedure::SetState(UpgradeState state) {
  {
    std::lock_guard lock(mutex_);
    state_ = state;
  }
  observer_.OnStateChanged();
}

bool UpgradeProcedure::ReturnOwed() const {
  return portCounted_ || upgradeModeSent_;
}

void UpgradeProcedure::Settle() {
  bool returnModule = false;
  {
    std::lock_guard lock(mutex_);
    returnModule = closeRequested_ && ReturnOwed();
    if (returnModule) state_ = UpgradeState::Cancelling;
  }
  if (returnModule) {
    observer_.OnStateChanged();
    ReturnToAtMode();
  }
  {
    std::lock_guard lock(mutex_);
    // A return whose port did not open is still owed: the close is off, so that the dialog
    // stays and Cancel can try again.
    if (ReturnOwed()) closeRequested_ = false;
    state_ = closeRequested_ ? UpgradeState::Closed : UpgradeState::Idle;
    stepRunning_ = false;
  }
  settled_.notify_all();
  observer_.OnStateChanged();
}

UpgradeProcedure::OpenedPort UpgradeProcedure::OpenWithSettings() {
  auto opened = link::OpenPort(PortPath());
  if (!opened.port) return {nullptr, opened.error.detail};
  if (!link::ConfigurePort(*opened.port, Settings())) {
    return {nullptr, "the line settings could not be applied: " + opened.port->LastError().detail};
  }
  return {std::move(opened.port), {}};
}

bool UpgradeProcedure::Pause(std::uint32_t ms) {
  while (ms > 0) {
    if (Stopping()) return false;
    const auto slice = std::min(ms, kPauseSliceMs);
    clock_.Pause(slice);
    ms -= slice;
  }
  return !Stopping();
}

std::size_t UpgradeProcedure::Read(std::uint8_t* buffer, std::size_t limit) {
  return upgradePort_ ? link::ReadBytes(*upgradePort_, buffer, limit) : 0;
}

std::string UpgradeProcedure::AppendReply(link::SerialPort* port) {
  if (port == nullptr) return {};
  std::array<std::uint8_t, kReplyBytes> reply{};
  const auto count = link::ReadBytes(*port, reply.data(), reply.size());
  const std::string text(AsText(reply.data(), count));
  if (count > 0) observer_.OnLog(text);
  return text;
}

void UpgradeProcedure::Tell(std::string_view text, std::string detail) {
  observer_.OnMessage({std::string(text), std::move(detail)});
}

void UpgradeProcedure::UpdateSettings(const std::function<void(link::UartSettings&)>& change) {
  std::lock_guard lock(mutex_);
  change(settings_);
}

void UpgradeProcedure::SetCounted(bool counted) {
  std::lock_guard lock(mutex_);
  portCounted_ = counted;
}

void UpgradeProcedure::SetReturned() {
  std::lock_guard lock(mutex_);
  portCounted_ = false;
  upgradeModeSent_ = false;
}

// ---- steps (step thread) ----

void UpgradeProcedure::RunUpgradeMode() {
  UpdateSettings([](link::UartSettings& s) { s.readTimeoutMs = kModeSwitchReadTimeoutMs; });
  auto opened = OpenWithSettings();
  if (!opened.port) {
    Tell(kCantOpenUpgradePortMessage, opened.detail);
    Settle();
    return;
  }
  auto& port = *opened.port;
  std::array<std::uint8_t, kReplyBytes> discarded{};
  link::WriteText(port, "+++");
  const std::pair<std::uint32_t, std::string_view> steps[] = {
      {200, "\r"}, {50, kUpgradeOnCommand}, {50, kResetCommand}};
  for (const auto& [pause, text] : steps) {
    if (!Pause(pause)) break;
    if (text == kUpgradeOnCommand) {
      // From here on the module may be on its way into the boot loader: a close returns it.
      std::lock_guard lock(mutex_);
      upgradeModeSent_ = true;
    }
    link::WriteText(port, text);
    link::ReadBytes(port, discarded.data(), discarded.size());
    if (text == kResetCommand) restartOwedMs_ = kRestartMs;
  }
  opened.port.reset();
  if (!Stopping()) {
    observer_.OnLog(kWaitingForResetLog);
    for (int second = 0; second < 6 && Pause(1000); ++second) {
      observer_.OnLog(".");
      restartOwedMs_ -= std::min<std::uint32_t>(restartOwedMs_, 1000);
    }
  }
  Settle();
}

void UpgradeProcedure::RunTransfer(const std::string& firmwarePath) {
  auto opened = OpenWithSettings();
  upgradePort_ = std::move(opened.port);
  // Counted even when it did not open: the module may sit in its boot loader since "Upgrade
  // Mode", and Cancel must return it to AT command mode all the same.
  SetCounted(true);
  observer_.OnLog(kUpgradeModeLog);

  auto result = Transfer(firmwarePath, opened.detail);
  SetProgress(0);
  if (result == UpgradeResult::Finished) {
    SetState(UpgradeState::Finishing);
    result = Finish();
  } else if (result == UpgradeResult::Failed) {
    // Closed but still counted: Cancel returns the module to AT command mode.
    upgradePort_.reset();
  }
  {
    std::lock_guard lock(mutex_);
    lastResult_ = result;
  }
  Settle();
}

UpgradeResult UpgradeProcedure::Transfer(const std::string& firmwarePath,
                                         const std::string& openFailure) {
  HexFileReader reader;
  if (const auto file = reader.Open(firmwarePath); !file.ok) {
    Tell(kCantUseFileMessage, file.detail);
    return UpgradeResult::Failed;
  }
  if (!Handshake()) {
    if (Stopping()) return UpgradeResult::Stopped;
    Tell(kNoTargetMessage, openFailure);
    return UpgradeResult::Failed;
  }
  for (bool ended = false; !ended;) {
    const auto frame = reader.NextFrame();
    if (frame.kind == FrameKind::End) {
      observer_.OnLog(kEndOfTransmissionLog);
      break;
    }
    if (frame.kind != FrameKind::Frame) {
      Tell(frame.Message());
      return UpgradeResult::Failed;
    }
    SetProgress(reader.Progress());
    FrameExchange exchange;
    bool acknowledged = false;
    for (int read = 0; read < kFrameReadLimit && !acknowledged; ++read) {
      if (Stopping()) return UpgradeResult::Stopped;
      std::uint8_t byte = 0;
      if (Read(&byte, 1) == 0) continue;
      const auto reaction = exchange.Take(byte);
      if (!reaction.log.empty()) observer_.OnLog(reaction.log);
      if (reaction.endOfTransmission) {
        observer_.OnLog(kEndOfTransmissionLog);
        ended = true;
      }
      switch (reaction.event) {
        case ExchangeEvent::SendFrame:
          if (!frame.bytes.empty()) upgradePort_->Write(frame.bytes);
          CountSent(frame.bytes.size());
          break;
        case ExchangeEvent::Acknowledged:
          acknowledged = true;
          break;
        case ExchangeEvent::Rejected:
          Tell(kChecksumErrorMessage);
          return UpgradeResult::Failed;
        case ExchangeEvent::None:
          break;
      }
    }
    if (!acknowledged) {
      Tell(kNoResponseMessage);
      return UpgradeResult::Failed;
    }
    CountAcknowledged();
  }
  return Verify();
}

bool UpgradeProcedure::Handshake() {
  std::array<std::uint8_t, kReplyBytes> reply{};
  for (int attempt = 0; attempt < kHandshakeAttempts && !Stopping(); ++attempt) {
    Read(reply.data(), reply.size());
    if (upgradePort_) link::WriteByte(*upgradePort_, kIdentifyRequest);
    const auto count = Read(reply.data(), kIdentificationReadBytes);
    if (count == 0) continue;
    observer_.OnLog(std::string(AsText(reply.data(), count)) + "\r\n");
    if (IsIdentification({reply.data(), count})) return true;
    Pause(100);
  }
  return false;
}

UpgradeResult UpgradeProcedure::Verify() {
  bool verified = false;
  // All the reads, even after the verdict: the boot loader's closing words are logged.
  for (int read = 0; read < kVerificationReads; ++read) {
    if (Stopping()) return UpgradeResult::Stopped;
    std::uint8_t byte = 0;
    if (Read(&byte, 1) == 0) continue;
    observer_.OnLog(AsText(&byte, 1));
    verified = verified || byte == kVerified;
  }
  observer_.OnLog(verified ? kVerifyOkLog : kVerifyFailLog);
  return verified ? UpgradeResult::Finished : UpgradeResult::Failed;
}

UpgradeResult UpgradeProcedure::Finish() {
  upgradePort_.reset();
  clock_.Pause(kRestartMs);
  UpdateSettings([](link::UartSettings& s) { s.baudRate = kAtModeBaudRate; });
  auto opened = OpenWithSettings();
  if (!opened.port) {
    // The module is still in its boot loader: the port stays counted for Cancel.
    Tell(kCantOpenUpgradePortMessage, opened.detail);
    return UpgradeResult::Failed;
  }
  observer_.OnLog(kFinishLog);
  link::WriteText(*opened.port, kUpgradeOffCommand);
  const bool upgradeOff = AppendReply(opened.port.get()).find("OK") != std::string::npos;
  clock_.Pause(50);
  link::WriteText(*opened.port, kResetCommand);
  const bool reset = AppendReply(opened.port.get()).find("OK") != std::string::npos;
  opened.port.reset();
  SetReturned();
  {
    std::lock_guard lock(mutex_);
    atModeAnswered_ = upgradeOff && reset;
  }
  Tell(kUpgradeFinishedMessage,
       upgradeOff && reset ? std::string() : std::string(kNoAtModeAnswerHint));
  return UpgradeResult::Finished;
}

void UpgradeProcedure::ReturnToAtMode() {
  if (upgradePort_) link::WriteByte(*upgradePort_, kAbandon);
  AppendReply(upgradePort_.get());
  // After an upload the boot loader restarts on the abandon byte; after "Upgrade Mode" alone the
  // module may still be restarting into it.
  clock_.Pause(HasUpgradePort() ? kRestartMs : std::exchange(restartOwedMs_, 0));
  upgradePort_.reset();
  UpdateSettings([this](link::UartSettings& s) {
    // The rate saved before the first upload; without one (only "Upgrade Mode", or new UART
    // settings since) the settings' own.
    if (baudSaved_) s.baudRate = savedBaudRate_;
  });
  auto opened = OpenWithSettings();
  if (!opened.port) {
    // Still owed: Cancel tries again.
    Tell(kCantOpenUpgradePortMessage, opened.detail);
    return;
  }
  SetReturned();
  observer_.OnLog(kCancelLog);
  link::WriteText(*opened.port, kCancelUpgradeOffCommand);
  AppendReply(opened.port.get());
  clock_.Pause(50);
  link::WriteText(*opened.port, kCancelResetCommand);
  AppendReply(opened.port.get());
}

void UpgradeProcedure::SetProgress(int percent) {
  {
    std::lock_guard lock(mutex_);
    progress_.percent = percent;
  }
  observer_.OnProgressChanged();
}

void UpgradeProcedure::CountSent(std::size_t bytes) {
  std::lock_guard lock(mutex_);
  progress_.bytesSent += bytes;
}

void UpgradeProcedure::CountAcknowledged() {
  {
    std::lock_guard lock(mutex_);
    ++progress_.framesAcknowledged;
  }
  observer_.OnProgressChanged();
}

}  // namespace netloom::firmware
