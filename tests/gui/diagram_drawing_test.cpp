#include "gui/view/diagram_drawing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTest>

#include "network_fixture.h"

namespace netloom::view {
namespace {

using ::testing::ElementsAre;

class DiagramDrawingTest : public ::testing::Test {
 protected:
  DiagramDrawingTest() {
    diagram.resize(800, 600);
    diagram.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&diagram));
  }

  void Draw(const link::NetworkSnapshot& snapshot, LayoutMode mode,
            std::string_view selected = "NULL") {
    ClearDiagram(diagram);
    DrawNetwork(diagram, pictures, snapshot, mode, selected, "0000");
  }

  std::vector<DiagramPoint> Corners() const {
    std::vector<DiagramPoint> corners;
    for (int i = 0; i < diagram.NodeCount(); ++i) {
      corners.push_back({diagram.Node(i)->Left(), diagram.Node(i)->Top()});
    }
    return corners;
  }

  DiagramNode* NodeWithKey(std::string_view address) const {
    for (int i = 0; i < diagram.NodeCount(); ++i) {
      if (diagram.Node(i)->Key() == link::NodeKey(address)) return diagram.Node(i);
    }
    return nullptr;
  }

  NodePictures pictures;
  TopologyDiagram diagram;
};

TEST_F(DiagramDrawingTest, CoordinatorAloneInBothModesIsScrolledIntoView) {
  const auto snapshot = testing::Snapshot({{"0000", "Coordinator", {}}});
  const QSize client = diagram.viewport()->size();
  Draw(snapshot, LayoutMode::Tree);
  EXPECT_THAT(Corners(), ElementsAre(DiagramPoint{15000, 0}));
  EXPECT_EQ(diagram.ScrollOffset(),
            (DiagramPoint{15000.0f - static_cast<float>(client.width() / 2) * 15 + 750, 0}));
  Draw(snapshot, LayoutMode::Circle);
  EXPECT_THAT(Corners(), ElementsAre(DiagramPoint{16500, 8250}));
  EXPECT_EQ(diagram.ScrollOffset(),
            (DiagramPoint{16500.0f - static_cast<float>(client.width() / 2) * 15 + 750,
                          8250.0f - static_cast<float>(client.height() / 2) * 15 + 750}));
  // The coordinator is in the middle of what the user sees.
  const DiagramPoint middle = diagram.PixelToDiagram(diagram.viewport()->rect().center());
  EXPECT_EQ(diagram.NodeAt(middle), diagram.Node(0));
}

TEST_F(DiagramDrawingTest, ZoomedRefreshKeepsTheZoomAndCentresTheCoordinator) {
  const auto snapshot = testing::Snapshot(testing::Family(5));
  diagram.SetZoom(2.0);
  Draw(snapshot, LayoutMode::Circle);
  EXPECT_EQ(diagram.Zoom(), 2.0);
  const DiagramPoint middle = diagram.PixelToDiagram(diagram.viewport()->rect().center());
  EXPECT_EQ(diagram.NodeAt(middle), diagram.Node(0));
}

TEST_F(DiagramDrawingTest, FiveChildrenInATreeAndTheirLinks) {
  Draw(testing::Snapshot(testing::Family(5)), LayoutMode::Tree);
  EXPECT_THAT(Corners(), ElementsAre(DiagramPoint{15000, 0}, DiagramPoint{16500, 2200},
                                     DiagramPoint{13500, 2200}, DiagramPoint{18000, 2200},
                                     DiagramPoint{12000, 2200}, DiagramPoint{19500, 2200}));
  const DiagramNode* root = diagram.Node(0);
  ASSERT_EQ(root->Links().size(), 5u);
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(root->Links()[i]->Destination(), diagram.Node(static_cast<int>(i) + 1));
    EXPECT_EQ(root->Links()[i]->Color(), QColor(0, 0, 200));
  }
  EXPECT_EQ(diagram.scene()->items().size(), 11);  // six nodes, five links
}

TEST_F(DiagramDrawingTest, LabelsKeysFontsAndPictures) {
  const auto snapshot = testing::Snapshot({{"0000", "Coordinator", {"00A1", "00B2", "00C3"}},
                                           {"00A1", "ACME", {}},
                                           {"00B2", "PC-7", {}},
                                           {"00C3", "coordinator", {}}});
  Draw(snapshot, LayoutMode::Tree, "00b2");
  ASSERT_EQ(diagram.NodeCount(), 4);
  const DiagramNode* pc = NodeWithKey("00B2");
  EXPECT_EQ(pc->Text(), "PC-7\r\nID : 00B2");
  EXPECT_EQ(pc->Picture(), pictures.Get(NodeKind::Pc, true));
  EXPECT_EQ(pc->Color(), kSelectedColor);
  EXPECT_EQ(NodeWithKey("00A1")->Picture(), pictures.Get(NodeKind::Ac, false));
  EXPECT_EQ(NodeWithKey("00C3")->Picture(), pictures.Get(NodeKind::Other, false));
  EXPECT_EQ(NodeWithKey("0000")->Picture(), pictures.Get(NodeKind::Coordinator, false));
  EXPECT_EQ(NodeWithKey("0000")->Color(), kNormalColor);
  const double base = diagram.font().pointSizeF();
  EXPECT_DOUBLE_EQ(pc->FontSize(), LabelFontSize(base));
}

TEST_F(DiagramDrawingTest, SharedChildOnceAndNoGrandchildInACircle) {
  const auto snapshot = testing::Snapshot({{"0000", "Coordinator", {"0001", "0002"}},
                                           {"0001", "A", {"0003"}},
                                           {"0002", "B", {"0003"}},
                                           {"0003", "Shared", {}}});
  Draw(snapshot, LayoutMode::Tree);
  EXPECT_EQ(diagram.NodeCount(), 4);
  EXPECT_EQ(NodeWithKey("0001")->Links().size(), 1u);
  EXPECT_TRUE(NodeWithKey("0002")->Links().empty());
  Draw(snapshot, LayoutMode::Circle);
  EXPECT_EQ(diagram.NodeCount(), 3);
  EXPECT_EQ(NodeWithKey("0003"), nullptr);
}

TEST_F(DiagramDrawingTest, NoCoordinatorScrollsToTheDefault) {
  // The root answered for another address than the one asked.
  Draw(testing::Snapshot({{"1234", "Coordinator", {}}}), LayoutMode::Tree);
  EXPECT_EQ(diagram.NodeCount(), 1);
  EXPECT_EQ(diagram.ScrollOffset(), (DiagramPoint{10000, 0}));
}

TEST_F(DiagramDrawingTest, EmptySnapshotDrawsNothing) {
  Draw(link::NetworkSnapshot{}, LayoutMode::Tree);
  EXPECT_EQ(diagram.NodeCount(), 0);
}

TEST_F(DiagramDrawingTest, SelectionMarksMoveAndRestore) {
  Draw(testing::Snapshot(testing::Family(3)), LayoutMode::Circle, "0001");
  DiagramNode* first = NodeWithKey("0001");
  DiagramNode* second = NodeWithKey("0002");
  EXPECT_EQ(first->Picture(), pictures.Get(NodeKind::Ccu, true));
  MarkSelection(diagram, pictures, second);
  EXPECT_EQ(first->Picture(), pictures.Get(NodeKind::Ccu, false));
  EXPECT_EQ(first->Color(), kNormalColor);
  EXPECT_EQ(second->Picture(), pictures.Get(NodeKind::Fcu, true));
  EXPECT_EQ(second->Color(), kSelectedColor);
  MarkSelection(diagram, pictures, second);  // again: stays selected
  EXPECT_EQ(second->Picture(), pictures.Get(NodeKind::Fcu, true));
  for (int i = 0; i < diagram.NodeCount(); ++i) {
    if (diagram.Node(i) != second) {
      EXPECT_FALSE(diagram.Node(i)->Picture()->selected());
    }
  }
}

}  // namespace
}  // namespace netloom::view
