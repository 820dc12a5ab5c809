#include "gui/view/diagram_drawing.h"

#include <vector>

namespace netloom::view {

void ClearDiagram(TopologyDiagram& diagram) {
  diagram.Clear();
}

DiagramNode* DrawNode(TopologyDiagram& diagram, const NodePictures& pictures, DiagramNode* parent,
                      const model::NodePlacement& placement) {
  DiagramNode* node =
      diagram.AddNode(QRectF(placement.left, placement.top, model::kNodeSize, model::kNodeSize));
  node->SetFontSize(model::LabelFontSize(node->FontSize()));
  // Module names are bytes, not UTF-8: each byte shows as itself.
  node->SetText(QString::fromLatin1(placement.label));
  node->SetKey(placement.key);
  node->SetPicture(pictures.Get(placement.kind, placement.selected));
  if (placement.selected) node->SetColor(kSelectedColor);
  if (placement.quiet) {
    node->SetQuiet(true);
    node->setToolTip(QString::fromStdString(placement.quietText));
  }
  if (parent != nullptr)
    parent->AddLink(node)->SetColor(placement.quiet ? kQuietLinkColor : kLinkColor);
  return node;
}

void DrawNetwork(TopologyDiagram& diagram, const NodePictures& pictures,
                 const link::NetworkSnapshot& snapshot, model::LayoutMode mode,
                 std::string_view selectedAddress, std::string_view rootAddress) {
  if (!snapshot.rootNode) return;
  DrawPlacements(diagram, pictures, model::LayOutNetwork(snapshot, mode, selectedAddress),
                 rootAddress);
}

void DrawPlacements(TopologyDiagram& diagram, const NodePictures& pictures,
                    const std::vector<model::NodePlacement>& placements,
                    std::string_view rootAddress) {
  if (placements.empty()) return;
  const model::DiagramPoint usersPlace = diagram.ScrollOffset();
  std::vector<DiagramNode*> drawn;
  drawn.reserve(placements.size());
  for (const auto& placement : placements) {
    DiagramNode* parent =
        placement.parent < 0 ? nullptr : drawn[static_cast<std::size_t>(placement.parent)];
    drawn.push_back(DrawNode(diagram, pictures, parent, placement));
  }
  if (diagram.UserPlaced())
    diagram.SetScrollOffset(usersPlace);
  else
    ScrollToCoordinator(diagram, rootAddress);
}

void ScrollToCoordinator(TopologyDiagram& diagram, std::string_view rootAddress) {
  const QSize client = diagram.viewport()->size();
  diagram.SetScrollOffset(model::ScrollToCoordinator(diagram.NodeSpots(),
                                                     link::NodeKey(rootAddress), client.width(),
                                                     client.height(), diagram.TwipsPerPixel()));
}

void MarkSelection(TopologyDiagram& diagram, const NodePictures& pictures, DiagramNode* selected) {
  for (int i = 0; i < diagram.NodeCount(); ++i) {
    DiagramNode* node = diagram.Node(i);
    node->SetColor(kNormalColor);
    if (node->Picture() != nullptr && node->Picture()->selected()) {
      node->SetPicture(pictures.Variant(node->Picture(), false));
    }
  }
  if (selected == nullptr) return;
  selected->SetColor(kSelectedColor);
  if (selected->Picture() != nullptr && !selected->Picture()->selected()) {
    selected->SetPicture(pictures.Variant(selected->Picture(), true));
  }
}

}  // namespace netloom::view
