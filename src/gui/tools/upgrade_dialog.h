// The firmware upgrade dialog ("Upgrade"): puts a module into its boot loader, uploads a HEX
// file to it at 115200 baud and returns it to AT command mode, over firmware::UpgradeProcedure.
//
// Modeless; it deletes itself when it closes. It works on a port of its own with its own copy of
// the UART settings (the network view's link worker is not involved; while a view holds the same
// port open, the dialog says so). Each step runs on the procedure's thread: that thread only
// notes what changed and asks for a refresh (a queued call); the dialog then pulls the log, the
// counters and the state. While a step runs the six controls are disabled and the window keeps
// painting. Closing the window while a step runs asks first, then stops the step and returns the
// module to AT command mode (where the procedure owes it a return) before the dialog goes; the
// dialog stays to show what the return says, and stays open when the return cannot reach the
// module, so that Cancel can try again. UI thread only (except the observer calls).
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "core/firmware/upgrade_procedure.h"
#include "core/link/serial/clock.h"
#include "core/link/serial/uart_settings.h"
#include "gui/model/firmware_preview.h"
#include "gui/model/firmware_previewer.h"
#include "gui/model/port_choice.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace netloom::tools {

class CUpgradeDialog : public QDialog, private firmware::UpgradeObserver {
  Q_OBJECT
 public:
  // `settings` and `port` are copied; `clock` paces the procedure's pauses (tests compress it).
  CUpgradeDialog(const link::UartSettings& settings, const model::PortChoice& port,
                 QWidget* parent = nullptr, link::Clock& clock = link::DefaultClock());
  // Stops a running step (the module is returned as Close does) and waits for it.
  ~CUpgradeDialog() override;

  QLineEdit* pathEdit() const { return pathEdit_; }
  QPushButton* browseButton() const { return browseButton_; }
  QPushButton* upgradeButton() const { return upgradeButton_; }
  QPushButton* cancelButton() const { return cancelButton_; }
  QPushButton* uartButton() const { return uartButton_; }
  QPushButton* upgradeModeButton() const { return upgradeModeButton_; }
  QProgressBar* progressBar() const { return progressBar_; }
  QPlainTextEdit* log() const { return log_; }
  QPlainTextEdit* preview() const { return preview_; }
  QLabel* remainingLabel() const { return remaining_; }
  const firmware::UpgradeProcedure& procedure() const { return *procedure_; }
  // A close was agreed to: the dialog goes by itself once the module has been returned (unless
  // the return cannot reach it; then it stays and this is false again).
  bool leaving() const { return leaving_; }

  // The log keeps its text short: above 5000 characters the oldest 400 go before an append.
  static constexpr int kLogTrimAbove = 5000;
  static constexpr int kLogTrimCount = 400;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Escape is the Cancel button.
  void reject() override;

 private:
  // The buttons.
  void Browse();
  void ChangeUart();
  void StartUpgradeMode();
  void StartUpgrade();
  void Cancel();

  // Pulls what the step thread noted: the log, the counters, the state, then the messages.
  // Invokable by name: see AskRefresh.
  Q_INVOKABLE void Refresh();
  void ShowState();
  void ShowProgress();
  // The preview of the file in the path edit: made off the UI thread once per version of the
  // file; shown when it is ready (PreviewReady). Invokable by name, as Refresh.
  void ShowPreview();
  Q_INVOKABLE void PreviewReady() { ShowPreview(); }
  void SetTitle();
  void CloseWhenDone();

  // firmware::UpgradeObserver: any thread; each notes and asks for one refresh.
  void OnLog(std::string_view text) override;
  void OnMessage(const firmware::UpgradeMessage& message) override;
  void OnProgressChanged() override { AskRefresh(); }
  void OnStateChanged() override { AskRefresh(); }
  void AskRefresh();

  model::PortChoice port_;
  QLineEdit* pathEdit_;
  QPushButton* browseButton_;
  QPlainTextEdit* preview_;
  QProgressBar* progressBar_;
  QLabel* remaining_;
  QLabel* waiting_;
  QPlainTextEdit* log_;
  QPushButton* uartButton_;
  QPushButton* upgradeModeButton_;
  QPushButton* upgradeButton_;
  QPushButton* cancelButton_;

  std::shared_ptr<const model::FirmwarePreview> filePreview_;  // of the file in the path edit
  QElapsedTimer transferClock_;                                // since the upload started
  bool logLastWasCr_ = false;
  bool showingMessage_ = false;
  bool closing_ = false;  // the dialog may go: the procedure has ended Closed
  bool leaving_ = false;

  std::mutex mutex_;  // guards the two notes below
  std::string pendingLog_;
  std::deque<firmware::UpgradeMessage> pendingMessages_;
  std::atomic<bool> refreshAsked_{false};

  std::unique_ptr<firmware::UpgradeProcedure> procedure_;
  model::FirmwarePreviewer previewer_;
};

}  // namespace netloom::tools
