// The network view's drawing operations on its topology diagram: clear, draw a network snapshot
// node by node, scroll to the coordinator, and move the selection marks. UI thread only.
#pragma once

#include <QColor>
#include <string_view>

#include "core/link/walk/node_table.h"
#include "gui/model/diagram_layout.h"
#include "gui/view/node_pictures.h"
#include "gui/view/topology_diagram.h"

namespace netloom::view {

inline const QColor kLinkColor(0, 0, 200);
inline const QColor kSelectedColor(255, 0, 0);
inline const QColor kNormalColor(0, 0, 0);
// The link to a node that went quiet.
inline const QColor kQuietLinkColor(150, 150, 170);

// Leaves the diagram empty.
void ClearDiagram(TopologyDiagram& diagram);

// Adds one laid-out node (label at 0.7 of the font size, key, picture of its kind, red when
// selected; a quiet one greyed, its age as its tooltip) and, under a parent, the link from the
// parent to it. Returns the new node.
DiagramNode* DrawNode(TopologyDiagram& diagram, const NodePictures& pictures, DiagramNode* parent,
                      const model::NodePlacement& placement);

// Draws the snapshot in `mode` (nothing without a root), then scrolls to the coordinator, or,
// once the user has scrolled, panned or zoomed the diagram (UserPlaced), keeps the user's place.
void DrawNetwork(TopologyDiagram& diagram, const NodePictures& pictures,
                 const link::NetworkSnapshot& snapshot, model::LayoutMode mode,
                 std::string_view selectedAddress, std::string_view rootAddress);
// The same for placements already laid out (model::LayOutRemembered: quiet nodes with them).
void DrawPlacements(TopologyDiagram& diagram, const NodePictures& pictures,
                    const std::vector<model::NodePlacement>& placements,
                    std::string_view rootAddress);

// Scrolls so that the first node with the key of `rootAddress` is in the middle of the visible
// area, or to (10000, 0) when there is none.
void ScrollToCoordinator(TopologyDiagram& diagram, std::string_view rootAddress);

// Every node back to black with its normal picture, then `selected` (if any) red with its
// selected one.
void MarkSelection(TopologyDiagram& diagram, const NodePictures& pictures, DiagramNode* selected);

}  // namespace netloom::view
