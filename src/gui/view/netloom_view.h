// The view of a network document: one serial connection to one module.
//
// Owns the connection's settings and port choice, the link worker and the state it shares with
// it (link::LinkSession), the last network snapshot and the diagram area. The child frame posts
// the Setup and Diagram commands to it; the panes call its request operations; the worker's
// reports arrive as queued calls on the UI thread (WorkerBridge).
//
// Waits on the UI thread (WaitWhileBusy, Disconnect's stop) show the wait cursor and take no
// user input, but keep painting and serving the worker's reports, and end when the worker ends.
// Commands and requests that arrive during such a wait run after it.
//
// A pulled adapter (the worker's PortLost) closes the connection, says so in the title, the
// status bar and the output pane, and watches for the device: when it is back the view
// reconnects and, if the refresh cycle ran, resumes it. Everything here is UI thread only.
#pragma once

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/link/link_session.h"
#include "core/link/link_worker.h"
#include "core/link/node_table.h"
#include "core/link/uart_settings.h"
#include "gui/panes/output_view.h"
#include "gui/tools/port_choice.h"
#include "gui/view/command_rules.h"
#include "gui/view/node_pictures.h"
#include "gui/view/node_tables.h"
#include "gui/view/reconnect_watch.h"
#include "gui/view/worker_bridge.h"

namespace netloom::shell {
class CNetloomDoc;
}

class QPrinter;

namespace netloom::view {

class TopologyDiagram;

class CNetloomView : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kRefreshSeconds = 5;
  static constexpr int kReconnectPollMs = 1000;

  explicit CNetloomView(shell::CNetloomDoc* document, QWidget* parent = nullptr);
  // Disconnects first: the worker is stopped and the port closed before the view goes.
  ~CNetloomView() override;

  // Initial update: defaults, then the UART dialog on them unless `askSettings` is false.
  void OnInitialUpdate(bool askSettings = true);

  // --- commands (posted by the child frame) ---
  void ChangePortSettings();
  // Opens the port and starts the worker; false (after telling the user) when it cannot.
  bool Connect();
  void Disconnect();
  void StartRefresh();
  void StopRefresh();
  void OpenWizard();
  void RefreshTime() {}
  void ClearOutput();
  void OpenUpgrade();
  void SetTreeLayout();
  void SetCircleLayout();
  // The wizard ended (`delayed`: after half a second) or the connection went.
  void CloseWizard(bool delayed);

  // --- requests of the panes: connect if needed, then hand the request to the worker ---
  void SendConsoleCommand(std::string_view text);
  void RequestConfigRead();
  void RequestConfigWrite();
  void SendRawText(std::string_view text);

  // --- output and status ---
  void AppendOutput(std::string_view text);
  void ShowPortSettings();
  QString PortSettingsLine() const;

  // --- the worker's reports (queued onto the UI thread) ---
  void OnQueryStarted();
  void ClearDiagram();
  void OnNetworkReady(const link::NetworkSnapshot& snapshot);
  void DrawNetwork();
  void WaitWhileBusy();
  void OnConfigValuesChanged();
  void ShowWorkerMessage(const std::string& text);
  void OnPortLost(const std::string& text);

  // --- state ---
  shell::CNetloomDoc* document() const { return document_; }
  bool portOpen() const { return worker_ != nullptr; }
  link::CThread* worker() const { return worker_.get(); }
  bool autoRefresh() const { return autoRefresh_; }
  int layoutMode() const { return layoutMode_; }
  int refreshSeconds() const { return refreshSeconds_; }
  bool wizardOpen() const { return wizardOpen_; }
  bool portLost() const { return lost_; }
  bool panesBound() const { return panesBound_; }
  void SetPanesBound(bool bound) { panesBound_ = bound; }
  ViewCommandState CommandState() const;
  link::UartSettings& uartSettings() { return uartSettings_; }
  tools::PortChoice& port() { return port_; }
  const tools::PortChoice& port() const { return port_; }
  link::LinkSession& session() { return session_; }
  const link::NetworkSnapshot& snapshot() const { return snapshot_; }
  bool refreshTimerActive() const { return refreshTimer_.isActive(); }
  TopologyDiagram* diagram() const { return diagram_; }
  const NodePictures& nodePictures() const { return nodePictures_; }
  std::string selectedAddress() const;

  // --- the topology diagram (gui/view/netloom_view_diagram.cpp) ---
  // A click on the diagram: the clicked node becomes the target of the console and Parameters
  // panes (a node that is not in the node table clears the selection and tells nobody).
  void SelectNode();
  // A mouse button released on the diagram: the right button on a node opens the node menu.
  void NodeMenu(Qt::MouseButton button, QPoint pixel);
  // Asks the node with `address` for one of its tables; the answer shows in the output pane.
  void ShowNodeTable(const std::string& address, NodeTableKind table);
  // Prints the diagram (File Print, Print Preview).
  void PrintDiagram(QPrinter& printer);
  // Asks for a file name and saves the diagram as PNG, SVG or PDF.
  void SaveDiagramAs();
  void SetOutputView(panes::COutputView* output);
  panes::COutputView* outputView() const { return outputView_; }
  QWidget* wizardWindow() const { return wizard_; }
  // Ports the UART dialog offers (the machine's, then the demo network); tests replace it.
  void SetPortLister(std::function<std::vector<tools::PortChoice>()> lister) {
    listPorts_ = std::move(lister);
  }

 signals:
  // A node was picked while the console is local: the console fills in its node rows.
  void nodePicked(const QString& address);
  // The console's and the Parameters pane's remote flag and target after a pick.
  void consoleTargetChanged(bool remote, const QString& address);
  void parametersTargetChanged(bool remote, const QString& address);
  // The command rules' inputs changed (connect, disconnect, run, stop, layout).
  void commandStateChanged();
  // Text for the status bar's port-settings pane.
  void portSettingsShown(const QString& text);
  // The current configuration values were replaced: the Parameters grid is rebuilt.
  void configValuesChanged();

 private:
  // The diagram widget, wired to SelectNode and NodeMenu.
  TopologyDiagram* CreateDiagram();
  // Opens the port; `quiet`: no message box (a reconnect attempt).
  bool OpenConnection(bool quiet);
  // Stops the worker and waits for it; the port is closed afterwards.
  void StopWorker();
  void SetTitle(const QString& suffix);
  QString PortName() const;
  // Waits on the UI thread until `done` holds or the worker ended; keeps painting.
  void WaitOnUiThread(const std::function<bool(const link::LinkState&)>& done);
  // True when the call was kept for after the current wait.
  bool DeferDuringWait(std::function<void()> call);
  void CheckReconnect();

  shell::CNetloomDoc* document_;
  NodePictures nodePictures_;  // the diagram's nodes point at them; read only while painting
  TopologyDiagram* diagram_;
  link::UartSettings uartSettings_;
  tools::PortChoice port_;
  link::LinkSession session_;
  WorkerBridge bridge_{*this};
  std::unique_ptr<link::CThread> worker_;
  link::NetworkSnapshot snapshot_;
  QPointer<panes::COutputView> outputView_;
  QPointer<QWidget> wizard_;
  QTimer refreshTimer_;
  QTimer reconnectTimer_;
  ReconnectWatch reconnectWatch_;
  std::function<std::vector<tools::PortChoice>()> listPorts_;
  std::vector<std::function<void()>> deferred_;
  int waitDepth_ = 0;
  int layoutMode_ = 1;
  int refreshSeconds_ = kRefreshSeconds;
  bool wizardOpen_ = false;
  bool panesBound_ = false;
  bool autoRefresh_ = false;
  bool stopping_ = false;
  bool lost_ = false;
  bool resumeRefresh_ = false;
};

}  // namespace netloom::view
