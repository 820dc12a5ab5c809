#include "gui/tools/upgrade_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/firmware/upgrade_texts.h"
#include "gui/model/demo_network.h"
#include "gui/model/upgrade_hints.h"
#include "gui/panes/log_append.h"
#include "gui/tools/com_setting.h"
#include "gui/tools/message_box.h"

namespace netloom::tools {
namespace {

using firmware::UpgradeState;

constexpr char kBrowseFilter[] = "*.hex;*.hxf (*.hex *.hxf);;ALL files (*.*) (*)";
constexpr char kCloseQuestion[] =
    "The upgrade is still running. Stop it and return the module to AT command mode?";

// The device path of a port choice (the demo network's module is started when needed).
std::string DevicePath(const model::PortChoice& port) {
  if (!port.demo) return port.path;
  std::string error;
  return model::DemoNetworkPath(error).value_or(std::string());
}

QPushButton* Button(const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setAccessibleName(text);
  return button;
}

QString Duration(qint64 seconds) {
  if (seconds < 60) return QStringLiteral("%1 s").arg(seconds);
  return QStringLiteral("%1 min %2 s").arg(seconds / 60).arg(seconds % 60);
}

}  // namespace

CUpgradeDialog::CUpgradeDialog(const link::UartSettings& settings, const model::PortChoice& port,
                               QWidget* parent, link::Clock& clock)
    : QDialog(parent, Qt::Window),
      port_(port),
      pathEdit_(new QLineEdit(this)),
      browseButton_(Button(QStringLiteral("Browse"), this)),
      preview_(new QPlainTextEdit(this)),
      progressBar_(new QProgressBar(this)),
      remaining_(new QLabel(this)),
      waiting_(new QLabel(QStringLiteral("Please Waiting......"), this)),
      log_(new QPlainTextEdit(this)),
      uartButton_(Button(QStringLiteral("UART"), this)),
      upgradeModeButton_(Button(QStringLiteral("Upgrade Mode"), this)),
      upgradeButton_(Button(QStringLiteral("Upgrade"), this)),
      cancelButton_(Button(QStringLiteral("Cancel"), this)),
      procedure_(std::make_unique<firmware::UpgradeProcedure>(
          DevicePath(port), settings, static_cast<firmware::UpgradeObserver&>(*this), clock)),
      // By name, as AskRefresh: the previewer's thread only posts the news.
      previewer_(
          [this] { QMetaObject::invokeMethod(this, "PreviewReady", Qt::QueuedConnection); }) {
  setAttribute(Qt::WA_DeleteOnClose);
  setAccessibleName(QStringLiteral("Upgrade"));
  pathEdit_->setAccessibleName(QStringLiteral("Firmware file"));
  pathEdit_->setPlaceholderText(QStringLiteral("Firmware file (*.hex, *.hxf)"));
  preview_->setReadOnly(true);
  preview_->setAccessibleName(QStringLiteral("File preview"));
  preview_->setPlaceholderText(QStringLiteral("What the chosen file holds shows here."));
  preview_->setFixedHeight(preview_->fontMetrics().lineSpacing() * 5 + 12);
  progressBar_->setRange(0, 100);
  progressBar_->setValue(0);
  progressBar_->setAccessibleName(QStringLiteral("Upgrade progress"));
  remaining_->setAccessibleName(QStringLiteral("Time left"));
  remaining_->setMinimumWidth(
      remaining_->fontMetrics().horizontalAdvance(QStringLiteral("about 00 min 00 s left")));
  waiting_->setAccessibleName(QStringLiteral("Please Waiting"));
  log_->setReadOnly(true);
  log_->setAccessibleName(QStringLiteral("Upgrade log"));
  log_->setLineWrapMode(QPlainTextEdit::NoWrap);
  log_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  log_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  log_->setMinimumSize(480, 200);
  upgradeButton_->setDefault(true);

  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(pathEdit_, 1);
  fileRow->addWidget(browseButton_);
  auto* progressRow = new QHBoxLayout;
  progressRow->addWidget(progressBar_, 1);
  progressRow->addWidget(remaining_);
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addWidget(uartButton_);
  buttonRow->addWidget(upgradeModeButton_);
  buttonRow->addStretch();
  buttonRow->addWidget(upgradeButton_);
  buttonRow->addWidget(cancelButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fileRow);
  layout->addWidget(preview_);
  layout->addLayout(progressRow);
  layout->addWidget(waiting_);
  layout->addWidget(log_, 1);
  layout->addLayout(buttonRow);

  connect(browseButton_, &QPushButton::clicked, this, &CUpgradeDialog::Browse);
  connect(uartButton_, &QPushButton::clicked, this, &CUpgradeDialog::ChangeUart);
  connect(upgradeModeButton_, &QPushButton::clicked, this, &CUpgradeDialog::StartUpgradeMode);
  connect(upgradeButton_, &QPushButton::clicked, this, &CUpgradeDialog::StartUpgrade);
  connect(cancelButton_, &QPushButton::clicked, this, &CUpgradeDialog::Cancel);
  connect(pathEdit_, &QLineEdit::editingFinished, this, &CUpgradeDialog::ShowPreview);
  SetTitle();
  ShowState();
}

CUpgradeDialog::~CUpgradeDialog() {
  // The path edit loses the focus as the widgets go: no preview for a dialog being destroyed.
  pathEdit_->disconnect(this);
  procedure_.reset();  // stops and joins: no observer call comes after this
}

void CUpgradeDialog::SetTitle() {
  setWindowTitle(QStringLiteral("Upgrade - ") + QString::fromStdString(port_.name));
}

// ---- the buttons ----

void CUpgradeDialog::Browse() {
  const QStringList chosen =
      QFileDialog::getOpenFileNames(this, QStringLiteral("Open"), QString(), kBrowseFilter);
  if (!chosen.isEmpty()) {
    pathEdit_->setText(chosen.first());
    ShowPreview();
  }
  pathEdit_->setFocus();
  pathEdit_->setCursorPosition(0);
}

void CUpgradeDialog::ChangeUart() {
  link::UartSettings settings = procedure_->Settings();
  model::PortChoice port = port_;
  CComSetting dialog(settings, port, model::ListPortChoices(), this);
  if (dialog.Run() != QDialog::Accepted) return;
  if (procedure_->ChangeUart(DevicePath(port), settings)) {
    port_ = port;
    SetTitle();
  }
}

void CUpgradeDialog::StartUpgradeMode() {
  if (procedure_->StartUpgradeMode()) ShowState();  // the controls wait from the click on
}

void CUpgradeDialog::StartUpgrade() {
  ShowPreview();  // its line count paces the time shown as left
  // The path as the edit holds it now is both checked and uploaded.
  if (!procedure_->StartUpgrade(pathEdit_->text().toStdString())) return;
  transferClock_.start();
  remaining_->clear();
  ShowState();
}

void CUpgradeDialog::Cancel() {
  if (procedure_->Cancel() == firmware::CancelResult::CloseNow)
    CloseWhenDone();
  else
    ShowState();  // returning the module: the controls wait; the dialog closes when it is back
}

void CUpgradeDialog::reject() {
  if (cancelButton_->isEnabled()) Cancel();
}

void CUpgradeDialog::closeEvent(QCloseEvent* event) {
  if (closing_) {
    event->accept();
    return;
  }
  event->ignore();
  const UpgradeState state = procedure_->State();
  if (state == UpgradeState::Transferring || state == UpgradeState::SwitchingMode) {
    if (QMessageBox::question(this, windowTitle(), QString::fromLatin1(kCloseQuestion)) !=
        QMessageBox::Yes)
      return;
  }
  // Stops a running step and returns the module as Cancel does; the dialog goes once Closed.
  procedure_->Close();
  leaving_ = true;
  AskRefresh();
}

void CUpgradeDialog::CloseWhenDone() {
  closing_ = true;
  close();
}

// ---- refreshing from the step thread's notes ----

void CUpgradeDialog::OnLog(std::string_view text) {
  {
    std::lock_guard lock(mutex_);
    pendingLog_ += text;
  }
  AskRefresh();
}

void CUpgradeDialog::OnMessage(const firmware::UpgradeMessage& message) {
  {
    std::lock_guard lock(mutex_);
    pendingMessages_.push_back(message);
  }
  AskRefresh();
}

void CUpgradeDialog::AskRefresh() {
  if (refreshAsked_.exchange(true)) return;  // one refresh pulls everything noted until then
  // By name, so that Qt makes the queued call itself: a call object built here, on the step
  // thread, would reach the UI thread through Qt's queue, which ThreadSanitizer cannot see into.
  QMetaObject::invokeMethod(this, "Refresh", Qt::QueuedConnection);
}

void CUpgradeDialog::Refresh() {
  refreshAsked_ = false;
  std::string log;
  {
    std::lock_guard lock(mutex_);
    log.swap(pendingLog_);
  }
  const QString shown = panes::LogText(log, logLastWasCr_);
  if (!shown.isEmpty()) panes::AppendLog(*log_, shown, kLogTrimAbove, kLogTrimCount);
  ShowProgress();
  ShowState();
  // One message box at a time; a refresh during one leaves the rest to it.
  if (showingMessage_) return;
  showingMessage_ = true;
  for (;;) {
    firmware::UpgradeMessage message;
    {
      std::lock_guard lock(mutex_);
      if (pendingMessages_.empty()) break;
      message = std::move(pendingMessages_.front());
      pendingMessages_.pop_front();
    }
    const auto shownMessage = model::ShowUpgradeMessage(message, port_.name);
    ShowMessageBox(this, shownMessage.text, shownMessage.hint);
  }
  showingMessage_ = false;
  const UpgradeState state = procedure_->State();
  if (state == UpgradeState::Closed) CloseWhenDone();
  if (state == UpgradeState::Idle) leaving_ = false;  // the return could not reach the module
}

void CUpgradeDialog::ShowProgress() {
  const auto progress = procedure_->Progress();
  progressBar_->setValue(std::clamp(progress.percent, 0, 100));
  const bool transferring = procedure_->State() == UpgradeState::Transferring;
  if (!transferring || !filePreview_ || progress.framesAcknowledged == 0) {
    if (!transferring) remaining_->clear();
    return;
  }
  const auto done = static_cast<qint64>(progress.framesAcknowledged);
  const auto left = std::max<qint64>(0, static_cast<qint64>(filePreview_->frames) - done);
  const qint64 seconds = transferClock_.elapsed() * left / done / 1000;
  remaining_->setText(QStringLiteral("about %1 left").arg(Duration(seconds)));
}

void CUpgradeDialog::ShowState() {
  const UpgradeState state = procedure_->State();
  const bool idle = state == UpgradeState::Idle;
  for (QWidget* control :
       std::initializer_list<QWidget*>{pathEdit_, browseButton_, upgradeButton_, cancelButton_,
                                       upgradeModeButton_, uartButton_})
    control->setEnabled(idle);
  waiting_->setVisible(!idle);
  if (idle)
    unsetCursor();
  else
    setCursor(Qt::BusyCursor);
}

void CUpgradeDialog::ShowPreview() {
  const std::string path = pathEdit_->text().toStdString();
  if (path.empty()) {
    filePreview_.reset();
    preview_->clear();
    return;
  }
  filePreview_ = previewer_.Request(path);
  preview_->setPlainText(filePreview_ ? QString::fromStdString(model::PreviewText(*filePreview_))
                                      : QStringLiteral("Reading the file..."));
}

}  // namespace netloom::tools
