#include "gui/view/netloom_view.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QMessageBox>
#include <QVBoxLayout>

#include "core/link/connection.h"
#include "gui/panes/output_view.h"
#include "gui/shell/netloom_doc.h"
#include "gui/tools/com_setting.h"
#include "gui/tools/demo_network.h"
#include "gui/tools/tool_windows.h"
#include "gui/view/port_settings_text.h"
#include "gui/view/topology_diagram.h"

namespace netloom::view {
namespace {

constexpr auto kWaitStep = std::chrono::milliseconds(15);

// The wait cursor for as long as a scope lasts.
struct WaitCursor {
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

void ShowBox(QWidget* parent, const QString& text, const QString& detail = QString()) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Netloom"), text, QMessageBox::Ok, parent);
  if (!detail.isEmpty()) box.setInformativeText(detail);
  box.exec();
}

}  // namespace

CNetloomView::CNetloomView(shell::CNetloomDoc* document, QWidget* parent)
    : QWidget(parent),
      document_(document),
      diagram_(CreateDiagram()),
      listPorts_([] { return tools::ListPortChoices(); }) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(diagram_);
  refreshTimer_.setSingleShot(true);
  connect(&refreshTimer_, &QTimer::timeout, this, [this] {
    refreshTimer_.stop();
    if (worker_) worker_->Signal(link::WorkerCommand::QueryNetwork);
  });
  reconnectTimer_.setInterval(kReconnectPollMs);
  connect(&reconnectTimer_, &QTimer::timeout, this, &CNetloomView::CheckReconnect);
}

CNetloomView::~CNetloomView() {
  // A frame disconnects before its view goes; this is the last resort. No events are served
  // here (the widgets around are half gone): the released bridge lets the worker end alone.
  reconnectTimer_.stop();
  if (!worker_) return;
  bridge_.Release(true);
  worker_->Stop();
}

void CNetloomView::SetOutputView(panes::COutputView* output) {
  outputView_ = output;
  if (output) output->edit()->SetSink([this](const std::string& text) { SendRawText(text); });
}

ViewCommandState CNetloomView::CommandState() const {
  return {portOpen(), worker_ != nullptr, autoRefresh_, layoutMode_};
}

QString CNetloomView::PortName() const {
  return QString::fromStdString(port_.name);
}

void CNetloomView::SetTitle(const QString& suffix) {
  if (document_) document_->SetTitle(PortName() + suffix);
}

void CNetloomView::OnInitialUpdate(bool askSettings) {
  uartSettings_ = link::UartSettings{};
  const auto ports = listPorts_();
  port_ = tools::DefaultPortChoice(ports);
  session_.Update([](link::LinkState& s) {
    s.view = link::ViewLinkState{};
    s.view.configImage[link::kImageChannelOffset] = 0;
  });
  snapshot_ = {};
  if (askSettings) tools::CComSetting(uartSettings_, port_, ports, window()).Run();
  worker_.reset();
  wizardOpen_ = false;
  refreshSeconds_ = kRefreshSeconds;
  layoutMode_ = 1;
  SetTitle(QString());
  ShowPortSettings();
  emit commandStateChanged();
}

void CNetloomView::ChangePortSettings() {
  if (DeferDuringWait([this] { ChangePortSettings(); })) return;
  tools::CComSetting dialog(uartSettings_, port_, listPorts_(), window());
  if (dialog.Run() != QDialog::Accepted) return;
  lost_ = false;
  reconnectTimer_.stop();
  SetTitle(QString());
  ShowPortSettings();
  AppendOutput("//////////" + port_.name + "//////////\r\n");
}

bool CNetloomView::Connect() {
  if (DeferDuringWait([this] { Connect(); })) return false;
  return OpenConnection(false);
}

bool CNetloomView::OpenConnection(bool quiet) {
  if (worker_) return true;
  WaitCursor cursor;
  std::string path = port_.path;
  link::LinkError failure;
  if (port_.demo) {
    std::string error;
    if (auto demo = tools::DemoNetworkPath(error))
      path = *demo;
    else
      failure = {link::ErrorKind::System, error};
  }
  link::Connection connection;
  if (!failure) {
    connection = link::Connect(path, uartSettings_, bridge_, session_);
    failure = connection.error;
  }
  if (!connection.worker) {
    wizardOpen_ = false;
    if (!quiet)
      ShowBox(window(), QString::fromLatin1(link::kCantOpenPortMessage.data()),
              QString::fromStdString(failure.detail));
    return false;
  }
  worker_ = std::move(connection.worker);
  lost_ = false;
  reconnectTimer_.stop();
  reconnectWatch_ = ReconnectWatch(path);
  SetTitle(QStringLiteral("*"));
  ShowPortSettings();
  emit commandStateChanged();
  return true;
}

void CNetloomView::Disconnect() {
  if (DeferDuringWait([this] { Disconnect(); })) return;
  reconnectTimer_.stop();
  const bool wasLost = lost_;
  lost_ = false;
  if (!worker_) {
    if (wasLost) {  // a lost port gives up waiting for its device
      SetTitle(QString());
      ShowPortSettings();
    }
    return;
  }
  autoRefresh_ = false;
  refreshTimer_.stop();
  StopWorker();
  if (wizard_) wizard_->close();
  CloseWizard(false);
  SetTitle(QString());
  ShowPortSettings();
  emit commandStateChanged();
}

void CNetloomView::StopWorker() {
  if (!worker_) return;
  session_.Update([](link::LinkState& s) { s.request.autoRefresh = false; });
  WaitCursor cursor;
  stopping_ = true;
  bridge_.Release(true);
  worker_->Signal(link::WorkerCommand::Stop);
  WaitOnUiThread([](const link::LinkState&) { return false; });
  worker_->Stop();  // the loop has ended: this joins at once
  worker_.reset();
  bridge_.Release(false);
  stopping_ = false;
}

void CNetloomView::WaitOnUiThread(const std::function<bool(const link::LinkState&)>& done) {
  ++waitDepth_;
  for (;;) {
    const auto result = session_.WaitUntil(done, kWaitStep);
    if (result != link::LinkSession::WaitResult::TimedOut) break;
    // Paint and serve the worker's reports; user input waits until the wait is over.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
  if (--waitDepth_ == 0 && !deferred_.empty()) {
    auto calls = std::move(deferred_);
    deferred_.clear();
    for (auto& call : calls) QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
  }
}

bool CNetloomView::DeferDuringWait(std::function<void()> call) {
  if (waitDepth_ == 0) return false;
  deferred_.push_back(std::move(call));
  return true;
}

void CNetloomView::StartRefresh() {
  if (DeferDuringWait([this] { StartRefresh(); })) return;
  if (!worker_ && !OpenConnection(false)) return;
  panesBound_ = true;
  autoRefresh_ = true;
  snapshot_ = {};
  link::StartRefresh(*worker_);
  emit commandStateChanged();
}

void CNetloomView::StopRefresh() {
  if (DeferDuringWait([this] { StopRefresh(); })) return;
  if (!worker_) return;
  link::StopRefresh(*worker_);
  autoRefresh_ = false;
  refreshTimer_.stop();
  emit commandStateChanged();
}

void CNetloomView::OpenWizard() {
  if (DeferDuringWait([this] { OpenWizard(); })) return;
  if (wizardOpen_) {
    ShowBox(window(), QStringLiteral("Wizard is working,Please check!!"));
    if (wizard_) {
      wizard_->raise();
      wizard_->activateWindow();
    }
    return;
  }
  wizardOpen_ = true;
  if (!worker_ && !OpenConnection(false)) return;
  const bool refused = session_.Read([](const link::LinkState& s) { return s.view.remoteRefused; });
  session_.Update([refused](link::LinkState& s) { s.request.remoteRefused = refused; });
  wizard_ = tools::OpenSetupWizard(*this);
  if (!wizard_) wizardOpen_ = false;
}

void CNetloomView::CloseWizard(bool delayed) {
  auto close = [this] {
    if (wizard_) wizard_->deleteLater();
    wizard_ = nullptr;
    wizardOpen_ = false;
  };
  if (delayed)
    QTimer::singleShot(500, this, close);
  else
    close();
}

void CNetloomView::ClearOutput() {
  if (outputView_) outputView_->edit()->ClearOutput();
}

void CNetloomView::OpenUpgrade() {
  tools::OpenUpgradeDialog(uartSettings_, port_.path, window());
}

void CNetloomView::SetTreeLayout() {
  layoutMode_ = 0;
  emit commandStateChanged();
}

void CNetloomView::SetCircleLayout() {
  layoutMode_ = 1;
  emit commandStateChanged();
}

void CNetloomView::SendConsoleCommand(std::string_view text) {
  if (DeferDuringWait([this, t = std::string(text)] { SendConsoleCommand(t); })) return;
  if (!worker_ && !OpenConnection(false)) return;
  link::SendConsoleCommand(*worker_, text);
}

void CNetloomView::RequestConfigRead() {
  if (DeferDuringWait([this] { RequestConfigRead(); })) return;
  if (!worker_ && !OpenConnection(false)) return;
  link::RequestConfigRead(*worker_);
}

void CNetloomView::RequestConfigWrite() {
  if (DeferDuringWait([this] { RequestConfigWrite(); })) return;
  if (!worker_ && !OpenConnection(false)) return;
  link::RequestConfigWrite(*worker_);
}

void CNetloomView::SendRawText(std::string_view text) {
  if (DeferDuringWait([this, t = std::string(text)] { SendRawText(t); })) return;
  if (!worker_ && !OpenConnection(false)) return;
  link::SendRawText(*worker_, text);
}

void CNetloomView::AppendOutput(std::string_view text) {
  if (outputView_) outputView_->edit()->AppendOutput(text);
}

QString CNetloomView::PortSettingsLine() const {
  const QString settings = QString::fromStdString(PortSettingsText(uartSettings_));
  return lost_ ? QStringLiteral("Port lost: %1").arg(settings) : settings;
}

void CNetloomView::ShowPortSettings() {
  emit portSettingsShown(PortSettingsLine());
}

void CNetloomView::OnQueryStarted() {
  if (worker_) refreshTimer_.start(refreshSeconds_ * 1000);
}

void CNetloomView::OnNetworkReady(const link::NetworkSnapshot& snapshot) {
  snapshot_ = snapshot;
  DrawNetwork();
}

void CNetloomView::WaitWhileBusy() {
  if (!worker_) return;
  WaitCursor cursor;
  WaitOnUiThread([](const link::LinkState& s) { return !s.view.busy; });
}

void CNetloomView::OnConfigValuesChanged() {
  emit configValuesChanged();
}

void CNetloomView::ShowWorkerMessage(const std::string& text) {
  if (stopping_) return;  // the connection is going away: nobody waits for the answer
  if (DeferDuringWait([this, text] { ShowWorkerMessage(text); })) return;
  ShowBox(window(), QString::fromStdString(text));
}

void CNetloomView::OnPortLost(const std::string& text) {
  if (!worker_ || stopping_) return;
  if (DeferDuringWait([this, text] { OnPortLost(text); })) return;
  AppendOutput(text);
  resumeRefresh_ = autoRefresh_;
  autoRefresh_ = false;
  refreshTimer_.stop();
  StopWorker();
  lost_ = true;
  SetTitle(QStringLiteral(" (port lost)"));
  ShowPortSettings();
  emit commandStateChanged();
  reconnectTimer_.start();
}

void CNetloomView::CheckReconnect() {
  if (!lost_ || worker_ || waitDepth_ > 0) return;
  const auto path = reconnectWatch_.Returned();
  if (!path) return;
  if (!port_.demo && *path != port_.path) {
    // Back under another device name (its stable name led here): title and list follow it.
    port_.path = *path;
    port_.name = path->substr(path->find_last_of('/') + 1);
  }
  const bool resume = resumeRefresh_;
  if (!OpenConnection(true)) {
    lost_ = true;  // not ready yet: try again at the next poll
    return;
  }
  AppendOutput("//////////" + port_.name + " reconnected//////////\r\n");
  if (resume) StartRefresh();
}

}  // namespace netloom::view
