// The network view's topology diagram: drawing each query's result, the node selection that
// targets the panes, the node menu, printing and saving the diagram.
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>

#include "core/link/connection.h"
#include "gui/view/diagram_drawing.h"
#include "gui/view/diagram_export.h"
#include "gui/view/netloom_view.h"
#include "gui/view/topology_diagram.h"

namespace netloom::view {

TopologyDiagram* CNetloomView::CreateDiagram() {
  auto* diagram = new TopologyDiagram(this);
  connect(diagram, &TopologyDiagram::clicked, this, &CNetloomView::SelectNode);
  connect(diagram, &TopologyDiagram::buttonReleased, this,
          [this](Qt::MouseButton button, Qt::KeyboardModifiers, QPoint pixel) {
            NodeMenu(button, pixel);
          });
  return diagram;
}

std::string CNetloomView::selectedAddress() const {
  return session_.Read([](const link::LinkState& s) { return s.view.selectedAddress; });
}

void CNetloomView::ClearDiagram() {
  view::ClearDiagram(*diagram_);
}

void CNetloomView::DrawNetwork() {
  view::DrawNetwork(*diagram_, nodePictures_, snapshot_, static_cast<LayoutMode>(layoutMode_),
                    selectedAddress(), link::kRootAddress);
}

void CNetloomView::SelectNode() {
  DiagramNode* node = diagram_->ClickedNode();
  if (node == nullptr) return;
  const auto record = snapshot_.nodeTable.find(node->Key());
  if (record == snapshot_.nodeTable.end()) {
    session_.Update([](link::LinkState& s) { s.view.selectedAddress = link::kNoAddress; });
    return;
  }
  MarkSelection(*diagram_, nodePictures_, node);
  const std::string& address = record->second->address;
  const bool hasWorker = worker_ != nullptr;
  const auto [consoleRemote, parametersRemote] = session_.Update([&](link::LinkState& s) {
    s.view.selectedAddress = address;
    if (hasWorker) s.request.targetAddress = address;
    s.view.remoteRefused = false;
    return std::pair{s.view.consoleRemote, s.view.parametersRemote};
  });
  const QString picked = QString::fromStdString(address);
  emit consoleTargetChanged(consoleRemote, picked);
  emit parametersTargetChanged(parametersRemote, picked);
  if (!consoleRemote) emit nodePicked(picked);
}

void CNetloomView::NodeMenu(Qt::MouseButton button, QPoint pixel) {
  if (button != Qt::RightButton) return;
  const DiagramNode* node = diagram_->NodeAt(diagram_->PixelToDiagram(pixel));
  if (node == nullptr) return;
  const auto record = snapshot_.nodeTable.find(node->Key());
  if (record == snapshot_.nodeTable.end()) return;
  // The node under the pointer is not selected: the menu's tables are asked of it directly.
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  for (const auto& table : kNodeTables) {
    menu->addAction(QString::fromLatin1(table.menuText),
                    [this, address = record->second->address, kind = table.kind] {
                      ShowNodeTable(address, kind);
                    });
  }
  menu->popup(diagram_->viewport()->mapToGlobal(pixel));
}

void CNetloomView::ShowNodeTable(const std::string& address, NodeTableKind table) {
  if (DeferDuringWait([this, address, table] { ShowNodeTable(address, table); })) return;
  if (!worker_ && !OpenConnection(false)) return;
  AppendOutput("\r\n[" + std::string(ItemOf(table).menuText) + " of " + address + "]\r\n");
  // Through the remote set-up even for the coordinator: its escape ends a remote console that
  // an earlier request left open, so the answer comes from the node asked.
  link::SendConsoleCommandTo(*worker_, address, NodeTableCommand(table));
}

void CNetloomView::PrintDiagram(QPrinter& printer) {
  view::PrintDiagram(*diagram_, printer);
}

void CNetloomView::SaveDiagramAs() {
  QString filter;
  QString path =
      QFileDialog::getSaveFileName(window(), QStringLiteral("Save Diagram As"),
                                   QStringLiteral("network.png"), DiagramFileFilter(), &filter);
  if (path.isEmpty()) return;
  auto format = FormatOfPath(path);
  if (!format) {
    // No known suffix: the chosen filter's.
    format = filter.contains(QLatin1String("svg"))   ? DiagramFormat::Svg
             : filter.contains(QLatin1String("pdf")) ? DiagramFormat::Pdf
                                                     : DiagramFormat::Png;
    path += format == DiagramFormat::Svg   ? QStringLiteral(".svg")
            : format == DiagramFormat::Pdf ? QStringLiteral(".pdf")
                                           : QStringLiteral(".png");
  }
  QString error;
  if (!SaveDiagram(*diagram_, path, *format, error)) {
    QMessageBox::warning(window(), QStringLiteral("Netloom"), error);
  }
}

}  // namespace netloom::view
