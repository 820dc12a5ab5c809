// The view of a network document: one serial connection to one module, drawn.
//
// The view owns the document's widget-free model (model::NetworkDocument): the connection itself
// (settings, worker, refresh cycle, waits, reconnecting) is its controller's, the configuration
// its configuration model's. The view shows the connection's state (the document's title, the
// status line, the wait cursor, message boxes, the output pane, the diagram) and opens the
// windows a command needs (the UART dialog, the wizard, the upgrade dialog). The child frame
// routes the Setup and Diagram commands to it and to the controller; the panes bind to the model,
// not to the view. Everything here is UI thread only.
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

#include "gui/model/command_rules.h"
#include "gui/model/connection_controller.h"
#include "gui/model/network_document.h"
#include "gui/model/node_tables.h"
#include "gui/model/port_choice.h"
#include "gui/panes/output_view.h"
#include "gui/view/node_pictures.h"
#include "gui/view/qt_ui_thread.h"

class QPrinter;

namespace netloom::tools {
class CWizardSheet;
}

namespace netloom::view {

class CNetloomDoc;
class TopologyDiagram;

class CNetloomView : public QWidget, private model::ConnectionObserver {
  Q_OBJECT
 public:
  explicit CNetloomView(CNetloomDoc* document, QWidget* parent = nullptr);
  ~CNetloomView() override;

  // Initial update: defaults, then the UART dialog on them unless `askSettings` is false.
  void OnInitialUpdate(bool askSettings = true);

  // The document's model, which the panes bind to.
  model::NetworkDocument& model() { return model_; }
  model::ConnectionController& controller() { return controller_; }
  const model::ConnectionController& controller() const { return controller_; }
  // What the document remembers of its network: node memory, history, session log, file.
  model::NetworkInsight& insight() { return model_.insight(); }

  // --- commands that open windows or change only the drawing ---
  void ChangePortSettings();
  void OpenWizard();
  void ClearOutput();
  void OpenUpgrade();
  // Tree and Circle redraw the last walk at once.
  void SetTreeLayout();
  void SetCircleLayout();
  // Refresh Time: asks for the refresh period (5 to 60 s).
  void AskRefreshTime();
  // Scrolls the diagram back to the coordinator; refreshes follow it again until the user next
  // scrolls, pans or zooms.
  void CentreOnCoordinator();

  // --- output and status ---
  void AppendOutput(std::string_view text) override;
  void ShowPortSettings();
  QString PortSettingsLine() const;

  // --- state shown ---
  CNetloomDoc* document() const { return document_; }
  // This view's port and connection state ("ttyUSB0", "ttyUSB0*"). Each window on a document
  // has its own connection, so its tab shows this rather than the document's title, which the
  // view that changed last has set.
  const QString& title() const { return title_; }
  // Sets the title anew from the connection and the saved network's file ("net.netloom -
  // ttyUSB0*"); titleChanged when it changed.
  void UpdateTitle();
  int layoutMode() const { return layoutMode_; }
  bool wizardOpen() const { return wizard_ != nullptr; }
  model::ViewCommandState CommandState() const;
  TopologyDiagram* diagram() const { return diagram_; }
  const NodePictures& nodePictures() const { return nodePictures_; }

  // --- the topology diagram (gui/view/netloom_view_diagram.cpp) ---
  void ClearDiagram() override;
  void DrawNetwork();
  // A click on the diagram: the clicked node becomes the target of the console and Parameters
  // panes (a node that is not in the node table clears the selection and tells nobody); a click
  // on empty space clears the selection and tells the panes.
  void SelectNode();
  // Selects the node with `key` (link::NodeKey) as a click on it would (the node table's rows).
  void SelectNodeByKey(std::int32_t key);
  // A mouse button released on the diagram: the right button on a node opens the node menu.
  void NodeMenu(Qt::MouseButton button, QPoint pixel);
  // Prints the diagram (File Print, Print Preview).
  void PrintDiagram(QPrinter& printer);
  // Asks for a file name and saves the diagram as PNG, SVG or PDF.
  void SaveDiagramAs();
  void SetOutputView(panes::COutputView* output);
  panes::COutputView* outputView() const { return outputView_; }
  QWidget* wizardWindow() const;
  // Ports the UART dialog offers (the machine's, then the demo network); tests replace it.
  void SetPortLister(std::function<std::vector<model::PortChoice>()> lister) {
    listPorts_ = std::move(lister);
  }

 signals:
  // The command rules' inputs changed (the connection's state, the layout).
  void commandStateChanged();
  // Text for the status bar's port-settings pane.
  void portSettingsShown(const QString& text);
  void titleChanged();

 private:
  // The diagram widget, wired to SelectNode and NodeMenu.
  TopologyDiagram* CreateDiagram();
  void ShowWaitCursor(bool shown);
  void SetLayout(int mode);
  // The connection went: an open wizard closes with it.
  void CloseWizard();
  // Half a second after the wizard finished it goes, as soon as none of its code runs.
  void DeleteWizard();

  // model::ConnectionObserver
  void StateChanged(model::ConnectionState state) override;
  void ShowMessage(std::string_view text, std::string_view detail) override;
  void NetworkChanged() override {
    DrawNetwork();
    ShowPortSettings();  // the link's round-trip time, measured anew
  }

  CNetloomDoc* document_;
  NodePictures nodePictures_;  // the diagram's nodes point at them; read only while painting
  TopologyDiagram* diagram_;
  QtUiThread ui_{*this};
  model::NetworkDocument model_{ui_};
  model::ConnectionController& controller_ = model_.controller();
  QPointer<panes::COutputView> outputView_;
  // Owned here alone, and declared after the controller it works on, so it goes first.
  std::unique_ptr<tools::CWizardSheet> wizard_;
  QTimer wizardEnd_;
  std::function<std::vector<model::PortChoice>()> listPorts_;
  int layoutMode_ = 1;
  bool waitCursorShown_ = false;
  QString title_;
};

}  // namespace netloom::view
