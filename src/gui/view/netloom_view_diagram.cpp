// The network view's topology diagram: drawing each query's result, the node selection that
// targets the panes, the node menu, printing and saving the diagram.
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>

#include "gui/model/quiet_layout.h"
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

void CNetloomView::ClearDiagram() {
  view::ClearDiagram(*diagram_);
}

void CNetloomView::DrawNetwork() {
  // The walk with the nodes that went quiet since, greyed, until the memory forgets them.
  view::DrawPlacements(
      *diagram_, nodePictures_,
      model::LayOutRemembered(controller_.snapshot(), insight().Nodes(), insight().Now(),
                              static_cast<model::LayoutMode>(layoutMode_),
                              controller_.selectedAddress()),
      link::kRootAddress);
}

void CNetloomView::CentreOnCoordinator() {
  diagram_->ForgetUserPlace();
  ScrollToCoordinator(*diagram_, link::kRootAddress);
}

void CNetloomView::SelectNode() {
  DiagramNode* node = diagram_->ClickedNode();
  if (node == nullptr) {
    // Empty space: nothing stays selected that a later request (the wizard's) could go to.
    controller_.ClearSelection();
    MarkSelection(*diagram_, nodePictures_, nullptr);
    return;
  }
  SelectNodeByKey(node->Key());
}

void CNetloomView::SelectNodeByKey(std::int32_t key) {
  if (!controller_.PickNode(key)) return;
  DiagramNode* drawn = nullptr;
  for (int i = 0; i < diagram_->NodeCount() && !drawn; ++i)
    if (diagram_->Node(i)->Key() == key) drawn = diagram_->Node(i);
  MarkSelection(*diagram_, nodePictures_, drawn);
}

void CNetloomView::NodeMenu(Qt::MouseButton button, QPoint pixel) {
  if (button != Qt::RightButton) return;
  const DiagramNode* node = diagram_->NodeAt(diagram_->PixelToDiagram(pixel));
  if (node == nullptr) return;
  const auto& nodeTable = controller_.snapshot().nodeTable;
  const auto record = nodeTable.find(node->Key());
  if (record == nodeTable.end()) return;
  // The node under the pointer is not selected: the menu's tables are asked of it directly.
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  for (const auto& table : model::kNodeTables) {
    menu->addAction(QString::fromLatin1(table.menuText),
                    [this, address = record->second->address, kind = table.kind] {
                      controller_.ShowNodeTable(address, kind);
                    });
  }
  menu->popup(diagram_->viewport()->mapToGlobal(pixel));
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
