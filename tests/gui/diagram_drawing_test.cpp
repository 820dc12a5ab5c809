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

  void Draw(const link::NetworkSnapshot& snapshot, model::LayoutMode mode,
            std::string_view selected = "NULL") {
    ClearDiagram(diagram);
    DrawNetwork(diagram, pictures, snapshot, mode, selected, "0000");
  }

  std::vector<model::DiagramPoint> Corners() const {
    std::vector<model::DiagramPoint> corners;
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
  const auto snapshot = testsupport::Snapshot({{"0000", "Coordinator", {}}});
  const QSize client = diagram.viewport()->size();
  Draw(snapshot, model::LayoutMode::Tree);
  EXPECT_THAT(Corners(), ElementsAre(model::DiagramPoint{15000, 0}));
  EXPECT_EQ(diagram.ScrollOffset(),
            (model::DiagramPoint{15000.0f - static_cast<float>(client.width() / 2) * 15 + 750, 0}));
  Draw(snapshot, model::LayoutMode::Circle);
  EXPECT_THAT(Corners(), ElementsAre(model::DiagramPoint{16500, 8250}));
  EXPECT_EQ(diagram.ScrollOffset(),
            (model::DiagramPoint{16500.0f - static_cast<float>(client.width() / 2) * 15 + 750,
                                 8250.0f - static_cast<float>(client.height() / 2) * 15 + 750}));
  // The coordinator is in the middle of what the user sees.
  const model::DiagramPoint middle = diagram.PixelToDiagram(diagram.viewport()->rect().center());
  EXPECT_EQ(diagram.NodeAt(middle), diagram.Node(0));
}

TEST_F(DiagramDrawingTest, ZoomedRefreshKeepsTheZoomAndCentresTheCoordinator) {
  const auto snapshot = testsupport::Snapshot(testsupport::Family(5));
  diagram.SetZoom(2.0);
  Draw(snapshot, model::LayoutMode::Circle);
  EXPECT_EQ(diagram.Zoom(), 2.0);
  const model::DiagramPoint middle = diagram.PixelToDiagram(diagram.viewport()->rect().center());
  EXPECT_EQ(diagram.NodeAt(middle), diagram.Node(0));
}

TEST_F(DiagramDrawingTest, FiveChildrenInATreeAndTheirLinks) {
  Draw(testsupport::Snapshot(testsupport::Family(5)), model::LayoutMode::Tree);
  EXPECT_THAT(Corners(),
              ElementsAre(model::DiagramPoint{15000, 0}, model::DiagramPoint{16500, 2200},
                          model::DiagramPoint{13500, 2200}, model::DiagramPoint{18000, 2200},
                          model::DiagramPoint{12000, 2200}, model::DiagramPoint{19500, 2200}));
  const DiagramNode* root = diagram.Node(0);
  ASSERT_EQ(root->Links().size(), 5u);
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(root->Links()[i]->Destination(), diagram.Node(static_cast<int>(i) + 1));
    EXPECT_EQ(root->Links()[i]->Color(), QColor(0, 0, 200));
  }
  EXPECT_EQ(diagram.scene()->items().size(), 11);  // six nodes, five links
}

TEST_F(DiagramDrawingTest, LabelsKeysFontsAndPictures) {
  const auto snapshot = testsupport::Snapshot({{"0000", "Coordinator", {"00A1", "00B2", "00C3"}},
                                               {"00A1", "ACME", {}},
                                               {"00B2", "PC-7", {}},
                                               {"00C3", "coordinator", {}}});
  Draw(snapshot, model::LayoutMode::Tree, "00b2");
  ASSERT_EQ(diagram.NodeCount(), 4);
  const DiagramNode* pc = NodeWithKey("00B2");
  EXPECT_EQ(pc->Text(), "PC-7\r\nID : 00B2");
  EXPECT_EQ(pc->Picture(), pictures.Get(model::NodeKind::Pc, true));
  EXPECT_EQ(pc->Color(), kSelectedColor);
  EXPECT_EQ(NodeWithKey("00A1")->Picture(), pictures.Get(model::NodeKind::Ac, false));
  EXPECT_EQ(NodeWithKey("00C3")->Picture(), pictures.Get(model::NodeKind::Other, false));
  EXPECT_EQ(NodeWithKey("0000")->Picture(), pictures.Get(model::NodeKind::Coordinator, false));
  EXPECT_EQ(NodeWithKey("0000")->Color(), kNormalColor);
  const double base = diagram.font().pointSizeF();
  EXPECT_DOUBLE_EQ(pc->FontSize(), model::LabelFontSize(base));
}

TEST_F(DiagramDrawingTest, SharedChildOnceAndNoGrandchildInACircle) {
  const auto snapshot = testsupport::Snapshot({{"0000", "Coordinator", {"0001", "0002"}},
                                               {"0001", "A", {"0003"}},
                                               {"0002", "B", {"0003"}},
                                               {"0003", "Shared", {}}});
  Draw(snapshot, model::LayoutMode::Tree);
  EXPECT_EQ(diagram.NodeCount(), 4);
  EXPECT_EQ(NodeWithKey("0001")->Links().size(), 1u);
  EXPECT_TRUE(NodeWithKey("0002")->Links().empty());
  Draw(snapshot, model::LayoutMode::Circle);
  EXPECT_EQ(diagram.NodeCount(), 3);
  EXPECT_EQ(NodeWithKey("0003"), nullptr);
}

TEST_F(DiagramDrawingTest, NoCoordinatorScrollsToTheDefault) {
  // The root answered for another address than the one asked.
  Draw(testsupport::Snapshot({{"1234", "Coordinator", {}}}), model::LayoutMode::Tree);
  EXPECT_EQ(diagram.NodeCount(), 1);
  EXPECT_EQ(diagram.ScrollOffset(), (model::DiagramPoint{10000, 0}));
}

TEST_F(DiagramDrawingTest, EmptySnapshotDrawsNothing) {
  Draw(link::NetworkSnapshot{}, model::LayoutMode::Tree);
  EXPECT_EQ(diagram.NodeCount(), 0);
}

TEST_F(DiagramDrawingTest, SelectionMarksMoveAndRestore) {
  Draw(testsupport::Snapshot(testsupport::Family(3)), model::LayoutMode::Circle, "0001");
  DiagramNode* first = NodeWithKey("0001");
  DiagramNode* second = NodeWithKey("0002");
  EXPECT_EQ(first->Picture(), pictures.Get(model::NodeKind::Ccu, true));
  MarkSelection(diagram, pictures, second);
  EXPECT_EQ(first->Picture(), pictures.Get(model::NodeKind::Ccu, false));
  EXPECT_EQ(first->Color(), kNormalColor);
  EXPECT_EQ(second->Picture(), pictures.Get(model::NodeKind::Fcu, true));
  EXPECT_EQ(second->Color(), kSelectedColor);
  MarkSelection(diagram, pictures, second);  // again: stays selected
  EXPECT_EQ(second->Picture(), pictures.Get(model::NodeKind::Fcu, true));
  for (int i = 0; i < diagram.NodeCount(); ++i) {
    if (diagram.Node(i) != second) {
      EXPECT_FALSE(diagram.Node(i)->Picture()->selected());
    }
  }
}

}  // namespace
}  // namespace netloom::view
