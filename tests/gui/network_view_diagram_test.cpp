#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "gui/model/node_tables.h"
#include "gui/panes/document_binding.h"
#include "gui/res/resource_ids.h"
#include "gui/view/diagram_drawing.h"
#include "gui_test_support.h"
#include "network_fixture.h"
#include "session_access.h"

namespace netloom::guitest {
namespace {

using model::NodeKind;
using view::DiagramNode;

class NetworkViewDiagramTest : public testsupport::VirtualModuleTest {
 protected:
  NetworkViewDiagramTest() { panes_.Bind(&view().model()); }

  NetworkFrame net_{sim_.LinkPath()};
  // What the panes hear of the document.
  panes::DocumentBinding panes_;
  view::CNetloomView& view() { return net_.view(); }
  view::TopologyDiagram& diagram() { return *view().diagram(); }

  DiagramNode* Node(std::string_view address) {
    for (int i = 0; i < diagram().NodeCount(); ++i) {
      if (diagram().Node(i)->Key() == link::NodeKey(address)) return diagram().Node(i);
    }
    return nullptr;
  }
  // The widget pixel in the middle of a node.
  QPoint Middle(const DiagramNode* node) {
    const model::DiagramPoint offset = diagram().ScrollOffset();
    const QPointF centre = node->Rect().center();
    return QPoint(static_cast<int>((centre.x() - offset.x) / diagram().TwipsPerPixel()),
                  static_cast<int>((centre.y() - offset.y) / diagram().TwipsPerPixel()));
  }
  void Click(const DiagramNode* node, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(diagram().viewport(), button, {}, Middle(node));
  }
  // The family of the fixture: a coordinator, a CCU and an FCU; a refresh as the worker makes it.
  void DrawFamily() {
    view().controller().listener().ClearDiagram();
    view().controller().listener().NetworkReady(testsupport::Snapshot(testsupport::Family(2)));
    QCoreApplication::processEvents();  // the report is posted to the UI thread
    ASSERT_EQ(diagram().NodeCount(), 3);
  }
};

TEST_F(NetworkViewDiagramTest, TreeCircleTreeAfterStopRedrawsEachTime) {
  view().controller().StartRefresh();
  ASSERT_TRUE(QTest::qWaitFor([&] { return diagram().NodeCount() > 0; }, kSlowMs));
  view().controller().StopRefresh();
  QCoreApplication::processEvents();
  const int circleNodes = diagram().NodeCount();
  // The demo network reaches deeper than the coordinator's children: the tree shows more.
  const std::pair<void (view::CNetloomView::*)(), QPointF> steps[] = {
      {&view::CNetloomView::SetTreeLayout, {15000, 0}},
      {&view::CNetloomView::SetCircleLayout, {16500, 8250}},
      {&view::CNetloomView::SetTreeLayout, {15000, 0}},
  };
  for (const auto& [command, coordinator] : steps) {
    (view().*command)();
    ASSERT_NE(Node("0000"), nullptr);
    EXPECT_EQ(Node("0000")->Rect().topLeft(), coordinator);
    if (coordinator.y() == 0) {
      EXPECT_GT(diagram().NodeCount(), circleNodes);
    } else {
      EXPECT_EQ(diagram().NodeCount(), circleNodes);
    }
  }
}

TEST_F(NetworkViewDiagramTest, ARefreshKeepsTheUsersPlaceAndHomeBringsTheCoordinatorBack) {
  auto coordinatorInTheMiddle = [&] {
    const QPoint middle = diagram().viewport()->rect().center();
    return diagram().NodeAt(diagram().PixelToDiagram(middle)) == Node("0000");
  };
  DrawFamily();
  ASSERT_TRUE(coordinatorInTheMiddle());
  // Until the user moves the diagram, each refresh scrolls to the coordinator.
  diagram().SetScrollOffset({0, 0});
  DrawFamily();
  EXPECT_TRUE(coordinatorInTheMiddle());

  diagram().setFocus();
  QTest::keyClick(&diagram(), Qt::Key_Plus, Qt::ControlModifier);  // the user zooms
  diagram().horizontalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  const double zoom = diagram().Zoom();
  const model::DiagramPoint place = diagram().ScrollOffset();
  ASSERT_NE(zoom, 1.0);
  for (int refresh = 0; refresh < 2; ++refresh) {
    DrawFamily();
    EXPECT_EQ(diagram().Zoom(), zoom);
    EXPECT_EQ(diagram().ScrollOffset(), place);
  }

  net_.frame->OnCommand(res::kCentreOnCoordinator);
  QCoreApplication::processEvents();  // commands are posted to the view
  EXPECT_TRUE(coordinatorInTheMiddle());
  diagram().SetScrollOffset({0, 0});
  DrawFamily();  // followed again
  EXPECT_TRUE(coordinatorInTheMiddle());

  // The other layout moves every node: it shows the coordinator, not the user's old place.
  diagram().horizontalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  view().SetTreeLayout();
  const model::DiagramPoint shown = diagram().ScrollOffset();
  view().CentreOnCoordinator();
  EXPECT_EQ(diagram().ScrollOffset(), shown);
  EXPECT_EQ(diagram().Zoom(), zoom);
}

TEST_F(NetworkViewDiagramTest, ClickMovesTheSelectionAndTellsThePanes) {
  DrawFamily();
  QSignalSpy console(&panes_, &panes::DocumentBinding::consoleTargetChanged);
  QSignalSpy parameters(&panes_, &panes::DocumentBinding::parametersTargetChanged);
  QSignalSpy picked(&panes_, &panes::DocumentBinding::nodePicked);

  Click(Node("0001"));
  EXPECT_EQ(view().controller().selectedAddress(), "0001");
  EXPECT_EQ(Node("0001")->Picture(), view().nodePictures().Get(model::NodeKind::Ccu, true));
  EXPECT_EQ(Node("0001")->Color(), view::kSelectedColor);
  ASSERT_EQ(console.count(), 1);
  EXPECT_EQ(console.last(), (QList<QVariant>{false, QStringLiteral("0001"), false}));
  EXPECT_EQ(parameters.last(), (QList<QVariant>{false, QStringLiteral("0001")}));
  EXPECT_EQ(picked.last(), (QList<QVariant>{QStringLiteral("0001")}));

  Click(Node("0002"));
  EXPECT_EQ(view().controller().selectedAddress(), "0002");
  EXPECT_EQ(Node("0001")->Picture(), view().nodePictures().Get(model::NodeKind::Ccu, false));
  EXPECT_EQ(Node("0001")->Color(), view::kNormalColor);
  EXPECT_EQ(Node("0002")->Picture(), view().nodePictures().Get(model::NodeKind::Fcu, true));
  EXPECT_EQ(picked.count(), 2);

  // The selection survives the next refresh.
  view().ClearDiagram();
  view().DrawNetwork();
  EXPECT_EQ(Node("0002")->Color(), view::kSelectedColor);
  EXPECT_EQ(Node("0001")->Color(), view::kNormalColor);
}

TEST_F(NetworkViewDiagramTest, WithTheConsoleRemoteOnlyTheTwoRemoteFlagsAreTold) {
  DrawFamily();
  testsupport::SessionAccess::Of(view().controller()).Update([](link::LinkState& s) {
    s.targeting.consoleRemote = true;
    s.targeting.refusedNode = "0001";  // the coordinator refused the node picked before
  });
  QSignalSpy console(&panes_, &panes::DocumentBinding::consoleTargetChanged);
  QSignalSpy parameters(&panes_, &panes::DocumentBinding::parametersTargetChanged);
  QSignalSpy picked(&panes_, &panes::DocumentBinding::nodePicked);
  Click(Node("0002"));
  EXPECT_EQ(console.last(), (QList<QVariant>{true, QStringLiteral("0002"), false}));
  EXPECT_EQ(parameters.count(), 1);
  EXPECT_EQ(picked.count(), 0);
  EXPECT_FALSE(view().controller().session().Read(
      [](const link::LinkState& s) { return s.targeting.refused(); }));
}

TEST_F(NetworkViewDiagramTest, ClicksOutsideTheNodeTableSelectNothing) {
  DrawFamily();
  Click(Node("0001"));
  QSignalSpy console(&panes_, &panes::DocumentBinding::consoleTargetChanged);
  // Background: the selection is cleared and the panes are told; no node stays marked.
  QTest::mouseClick(diagram().viewport(), Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_EQ(view().controller().selectedAddress(), "NULL");
  ASSERT_EQ(console.count(), 1);
  EXPECT_EQ(console.last(), (QList<QVariant>{false, QStringLiteral("NULL"), false}));
  EXPECT_EQ(Node("0001")->Color(), view::kNormalColor);
  Click(Node("0001"));
  console.clear();
  // A node whose record is gone: the selection is cleared, nobody is told.
  DiagramNode* stray = diagram().AddNode(QRectF(30000, 0, model::kNodeSize, model::kNodeSize));
  stray->SetKey(link::NodeKey("BEEF"));
  diagram().SetScrollOffset({29000, 0});
  Click(stray);
  EXPECT_EQ(view().controller().selectedAddress(), "NULL");
  EXPECT_EQ(console.count(), 0);
}

TEST_F(NetworkViewDiagramTest, RightClickOnANodeOffersItsTables) {
  DrawFamily();
  QTest::mouseClick(diagram().viewport(), Qt::RightButton, {}, QPoint(2, 2));
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

  Click(Node("0002"), Qt::RightButton);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  QStringList texts;
  for (const QAction* action : menu->actions()) texts << action->text();
  EXPECT_EQ(texts, (QStringList{"Routing Table", "Neighbor Table", "Binding Table"}));
  menu->close();
  EXPECT_EQ(view().controller().selectedAddress(), "NULL");  // the menu does not select
}

TEST_F(NetworkViewDiagramTest, NodeTablesComeFromTheCatalogue) {
  EXPECT_EQ(model::NodeTableCommand(model::NodeTableKind::Routing), "ATDUMP 3\r");
  EXPECT_EQ(model::NodeTableCommand(model::NodeTableKind::Neighbor), "ATDUMP 2\r");
  EXPECT_EQ(model::NodeTableCommand(model::NodeTableKind::Binding), "ATDUMP 8\r");
}

TEST_F(NetworkViewDiagramTest, RunDrawsTheDemoNetworkAndAMenuTableReachesItsNode) {
  view().SetTreeLayout();
  view().controller().StartRefresh();
  ASSERT_TRUE(QTest::qWaitFor([&] { return diagram().NodeCount() > 5; }, kSlowMs));
  EXPECT_NE(Node("0000"), nullptr);
  view().controller().StopRefresh();
  // The router 2B02 lists its neighbours through the coordinator's remote console, though the
  // console pane is local and nothing is selected.
  view().controller().ShowNodeTable("2B02", model::NodeTableKind::Neighbor);
  auto* edit = net_.frame->output()->edit();
  EXPECT_TRUE(QTest::qWaitFor([&] { return edit->ShownText().contains("Neighbor table of 2B02"); },
                              kSlowMs))
      << edit->ShownText().toStdString();
  EXPECT_TRUE(edit->ShownText().contains("[Neighbor Table of 2B02]"));
  // The coordinator answers for itself, though the console to 2B02 was left open.
  view().controller().ShowNodeTable("0000", model::NodeTableKind::Routing);
  EXPECT_TRUE(QTest::qWaitFor([&] { return edit->ShownText().contains("Routing table of 0000"); },
                              kSlowMs));
}

}  // namespace
}  // namespace netloom::guitest
