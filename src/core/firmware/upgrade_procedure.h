// The firmware upgrade: switches a module into its boot loader, uploads a firmware file to it
// frame by frame at 115200 baud, lets the boot loader verify the result and returns the module
// to AT command mode. Independent of any window: the upgrade dialog and `netloom-cli flash`
// drive it and show what it reports through an UpgradeObserver.
//
// Ports: the procedure opens its own port (exclusively) on the path it was given, with its own
// copy of the UART settings, and never holds it between steps except the upgrade port after a
// failed transfer (closed, but still counted so that Cancel returns the module to AT command
// mode at the rate saved before the first upload).
//
// Returning the module: once "ATUPGRADE 1" may have gone out ("Upgrade Mode") or an upload was
// tried, the module is owed a return to AT command mode ("ATUPGRADE 0", "ATRESET") until one
// reached it: Cancel and Close return it first. A return whose port does not open is still owed;
// the procedure then stays Idle so that Cancel can try again.
//
// Threads: every step runs on a thread of the procedure's own, one step at a time; the
// operations below start a step and return at once. They are called from one controlling thread
// (the UI thread, the CLI's main thread), never from inside an observer call. Observer calls come
// from the step's thread (or from the controlling thread for what an operation reports before it
// starts a step), one at a time, in order, and must not block for long.
//
// Waiting: every pause goes through the Clock; every read is bounded by the settings' read
// time-out; a running step can be stopped with Close, and the destructor closes and waits.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "core/link/serial/clock.h"
#include "core/link/serial/serial_port.h"
#include "core/link/serial/uart_settings.h"

namespace netloom::firmware {

enum class UpgradeState {
  Idle,           // no step runs: the dialog's controls are enabled
  SwitchingMode,  // "Upgrade Mode": the module is being reset into its boot loader
  Transferring,   // the upload and the verification run
  Finishing,      // a verified module is being returned to AT command mode
  Cancelling,     // the module is being returned to AT command mode after Cancel or Close
  Closed,         // Cancel or Close has ended: the dialog closes; nothing more can start
};

// How the last upload ended.
enum class UpgradeResult {
  None,      // no upload has ended yet
  Finished,  // verified and returned to AT command mode ("Upgrade finish~!!")
  Failed,    // a message said why; the upgrade port stays counted
  Stopped,   // Close stopped it
};

// Counters of the running upload, for a progress bar (pulled after OnProgressChanged).
struct UpgradeProgress {
  int percent = 0;  // the file reader's progress (can pass 100 for LF files); 0 when idle
  std::uint64_t framesAcknowledged = 0;
  std::uint64_t bytesSent = 0;  // frame bytes written to the boot loader
};

// A message the user must see (the dialog's message box).
struct UpgradeMessage {
  std::string text;    // the procedure's own text, for example "The upgrade checksum error!"
  std::string detail;  // the system's reason where there is one (a port that failed to open)
};

class UpgradeObserver {
 public:
  virtual ~UpgradeObserver() = default;
  // Text to append to the upgrade log: boot loader output and the procedure's own lines,
  // with their CR LF line ends.
  virtual void OnLog(std::string_view text) = 0;
  virtual void OnMessage(const UpgradeMessage& message) = 0;
  // The counters changed: pull Progress().
  virtual void OnProgressChanged() {}
  // The state changed: pull State() (and whatever else the controls show).
  virtual void OnStateChanged() {}
};

enum class CancelResult {
  CloseNow,   // nothing to return to AT command mode: close the dialog now
  Returning,  // the module is being returned; the state becomes Closed when it is done
  Refused,    // a step is running (the button is disabled then)
};

class UpgradeProcedure {
 public:
  // `portPath` is the device path to open; `settings` the copy taken from the connection. The
  // observer and the clock must outlive the procedure.
  UpgradeProcedure(std::string portPath, const link::UartSettings& settings,
                   UpgradeObserver& observer, link::Clock& clock = link::DefaultClock());
  UpgradeProcedure(const UpgradeProcedure&) = delete;
  UpgradeProcedure& operator=(const UpgradeProcedure&) = delete;
  // Closes (see Close) and waits for the step thread.
  ~UpgradeProcedure();

  // The operations. Each does nothing and returns false unless the state is Idle.

  // "UART": new port and settings chosen by the UART dialog. Logs them and clears the
  // baud-saved flag, so the next upload saves the newly chosen rate.
  bool ChangeUart(std::string portPath, const link::UartSettings& settings);
  // "Upgrade Mode": "+++", "ATUPGRADE 1", "ATRESET" at the settings' rate (read time-out set to
  // 200 ms), then six seconds for the module to restart into its boot loader.
  // Both steps refuse a port that cannot change its rate (a raw TCP port) with
  // kFixedRatePortMessage: the module would be left in a boot loader nobody can reach.
  bool StartUpgradeMode();
  // "Upgrade": refuses a path without ".hex"/".hxf" (message "Please input file path!!"), saves
  // the baud rate unless saved, and uploads at 115200 (the upgrade port is counted even when it
  // does not open at that rate, so that Cancel returns the module). A verified upload goes on to
  // return the module to AT command mode at 9600 and ends with "Upgrade finish~!!".
  bool StartUpgrade(const std::string& firmwarePath);
  // "Cancel": returns the module to AT command mode when a return is owed (after an upload,
  // sending 0x4E first and waiting five seconds, at the saved rate; after "Upgrade Mode" alone,
  // once its restart has ended, at the settings' rate); otherwise there is nothing to do.
  CancelResult Cancel();
  // The window's close box, Ctrl-C: stops a running step at its next read or pause (a
  // finishing or cancelling step runs to its end), returns the module as Cancel would, and ends
  // Closed. Returns at once; any state.
  void Close();

  // Blocks until no step runs, or for at most `timeout`. True when no step runs.
  bool WaitUntilSettled(std::chrono::milliseconds timeout) const;

  // What the controls show; any thread.
  UpgradeState State() const;
  UpgradeResult LastResult() const;
  // Whether the module answered "OK" to both "ATUPGRADE 0" and "ATRESET" when the last verified
  // upload returned it to AT command mode ("Upgrade finish~!!" shows either way, with
  // kNoAtModeAnswerHint as its detail when it did not).
  bool AtModeAnswered() const;
  UpgradeProgress Progress() const;
  bool BaudSaved() const;
  std::uint32_t SavedBaudRate() const;
  bool HasUpgradePort() const;  // counted, even when closed after a failure
  link::UartSettings Settings() const;
  std::string PortPath() const;

 private:
  struct OpenedPort {
    std::unique_ptr<link::SerialPort> port;
    std::string detail;  // why it could not be opened or configured
  };

  // Step plumbing.
  bool Idle();  // joins a settled step first
  // Tells kFixedRatePortMessage and returns true for a port that cannot change its rate.
  bool RefusedFixedRatePort();
  void JoinFinishedStep();
  void Launch(UpgradeState state, std::function<void()> step);
  void SetState(UpgradeState state);
  // Ends every step: returns the module first when a close was asked for and a return is owed,
  // then Idle or Closed (Idle when the return is still owed).
  void Settle();
  bool ReturnOwed() const;  // under the mutex
  bool Stopping() const { return stop_.load(); }
  bool Pause(std::uint32_t ms);  // in slices; false when stopped before its end

  // The steps, on the step thread.
  void RunUpgradeMode();
  void RunTransfer(const std::string& firmwarePath);
  UpgradeResult Transfer(const std::string& firmwarePath, const std::string& openFailure);
  bool Handshake();
  UpgradeResult Verify();
  UpgradeResult Finish();
  void ReturnToAtMode();

  // I/O and reporting helpers.
  OpenedPort OpenWithSettings();
  std::size_t Read(std::uint8_t* buffer, std::size_t limit);  // from the upgrade port, 0 without
  // Reads a reply, logs it and returns it as text.
  std::string AppendReply(link::SerialPort* port);
  void Tell(std::string_view text, std::string detail = {});
  void UpdateSettings(const std::function<void(link::UartSettings&)>& change);
  void SetCounted(bool counted);
  void SetReturned();  // the module is back in AT command mode: no return is owed
  void SetProgress(int percent);
  void CountSent(std::size_t bytes);
  void CountAcknowledged();

  UpgradeObserver& observer_;
  link::Clock& clock_;

  mutable std::mutex mutex_;
  mutable std::condition_variable settled_;
  std::string portPath_;
  link::UartSettings settings_;
  UpgradeState state_ = UpgradeState::Idle;
  UpgradeResult lastResult_ = UpgradeResult::None;
  UpgradeProgress progress_;
  bool baudSaved_ = false;
  std::uint32_t savedBaudRate_ = 0;
  bool portCounted_ = false;
  bool upgradeModeSent_ = false;  // "ATUPGRADE 1" may have gone out since the last return
  bool atModeAnswered_ = false;
  bool stepRunning_ = false;
  bool closeRequested_ = false;

  std::atomic<bool> stop_{false};
  // Used only by the step thread (and by the controlling thread while no step runs).
  std::unique_ptr<link::SerialPort> upgradePort_;
  // What is left of the module's restart into its boot loader after "Upgrade Mode" was stopped.
  std::uint32_t restartOwedMs_ = 0;
  std::thread thread_;
};

}  // namespace netloom::firmware
