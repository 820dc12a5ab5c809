// A network document's memory on screen: the node table beside the diagram, nodes that went
// quiet, the history, against a virtual module whose topology changes between walks.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

#include "core/link/serial/clock.h"
#include "core/link/serial/text_file.h"
#include "core/network/node_export.h"
#include "gui/view/diagram_drawing.h"
#include "gui/view/history_pane.h"
#include "gui/view/network_pages.h"
#include "gui/view/node_table_pane.h"
#include "gui_test_support.h"
#include "support/edited_network.h"
#include "support/temp_folder.h"

namespace netloom::guitest {
namespace {

using namespace std::chrono_literals;

// Counts the walks the document merged and keeps their changes.
struct Walks final : model::InsightObserver {
  void WalkMerged(const std::vector<network::ChangeEvent>& made) override {
    ++count;
    events.insert(events.end(), made.begin(), made.end());
  }
  void MemoryReplaced() override {}
  int count = 0;
  std::vector<network::ChangeEvent> events;
};

class NetworkInsightTest : public testsupport::VirtualModuleTest {
 protected:
  NetworkInsightTest() {
    view().controller().SetClock(clock_);
    view().insight().SetWallClock(wallClock_);
    view().insight().AddObserver(walks_);
  }
  ~NetworkInsightTest() override { view().insight().RemoveObserver(walks_); }

  view::CNetloomView& view() { return net_.view(); }
  view::NodeTablePane& table() { return *net_.frame->pages()->nodeTable(); }
  view::TopologyDiagram& diagram() { return *view().diagram(); }

  // One whole walk of the module, merged: Run until it is, then Stop.
  bool Walk() {
    const int before = walks_.count;
    view().controller().StartRefresh();
    const bool walked = QTest::qWaitFor([&] { return walks_.count > before; }, kSlowMs);
    view().controller().StopRefresh();
    return walked;
  }
  view::DiagramNode* Node(std::string_view address) {
    for (int i = 0; i < diagram().NodeCount(); ++i)
      if (diagram().Node(i)->Key() == link::NodeKey(address)) return diagram().Node(i);
    return nullptr;
  }
  // The cell of the table (as shown, sorted and filtered) in `row` and `column`.
  QString Cell(int row, network::NodeColumn column) {
    return table().table()->model()->index(row, static_cast<int>(column)).data().toString();
  }
  // The shown row of the node with `address`, or -1.
  int ShownRow(const QString& address) {
    for (int row = 0; row < table().table()->model()->rowCount(); ++row)
      if (Cell(row, network::NodeColumn::Address) == address) return row;
    return -1;
  }
  QString SelectedAddress() {
    const auto rows = table().table()->selectionModel()->selectedRows();
    return rows.isEmpty() ? QString() : rows.first().data().toString();
  }
  std::string Output() { return net_.frame->output()->edit()->ShownText().toStdString(); }

  NetworkFrame net_{sim_.LinkPath()};
  link::CompressedClock clock_{100};
  link::ManualWallClock wallClock_;
  Walks walks_;
};

TEST_F(NetworkInsightTest, TableAndDiagramSelectEachOthersNode) {
  ASSERT_TRUE(Walk());
  ASSERT_GT(table().table()->model()->rowCount(), 4);
  // A click on the diagram selects the node's row.
  view::DiagramNode* hall = Node("1A01");
  ASSERT_NE(hall, nullptr);
  const model::DiagramPoint offset = diagram().ScrollOffset();
  const QPointF centre = hall->Rect().center();
  QTest::mouseClick(diagram().viewport(), Qt::LeftButton, {},
                    QPoint(static_cast<int>((centre.x() - offset.x) / diagram().TwipsPerPixel()),
                           static_cast<int>((centre.y() - offset.y) / diagram().TwipsPerPixel())));
  EXPECT_EQ(SelectedAddress(), QStringLiteral("1A01"));
  // Choosing a row selects its node, with everything a click does.
  table().table()->selectRow(ShownRow(QStringLiteral("2B02")));
  EXPECT_EQ(view().controller().selectedAddress(), "2B02");
  EXPECT_EQ(view().controller().parametersTarget().address, "2B02");
  ASSERT_NE(Node("2B02"), nullptr);
  EXPECT_EQ(Node("2B02")->Color(), view::kSelectedColor);
  EXPECT_EQ(hall->Color(), view::kNormalColor);
  // A row whose node the circle does not draw still selects it.
  table().table()->selectRow(ShownRow(QStringLiteral("4D04")));
  EXPECT_EQ(view().controller().selectedAddress(), "4D04");
  // The selection survives the next walk.
  ASSERT_TRUE(Walk());
  EXPECT_EQ(SelectedAddress(), QStringLiteral("4D04"));
}

TEST_F(NetworkInsightTest, TableSortsFiltersAndExportsTheDemoNetwork) {
  ASSERT_TRUE(Walk());
  const int nodes = static_cast<int>(view().insight().Nodes().size());
  ASSERT_EQ(table().table()->model()->rowCount(), nodes);
  table().filterBox()->setText(QStringLiteral("ccu"));
  ASSERT_EQ(table().table()->model()->rowCount(), 1);
  EXPECT_EQ(Cell(0, network::NodeColumn::Name), QStringLiteral("CCU-Hall"));
  table().filterBox()->clear();
  table().table()->sortByColumn(static_cast<int>(network::NodeColumn::Depth), Qt::DescendingOrder);
  EXPECT_EQ(Cell(nodes - 1, network::NodeColumn::Address), QStringLiteral("0000"));

  const testsupport::TempFolder folder;
  const std::string csvPath = folder.File("nodes.csv");
  ASSERT_EQ(table().ExportCsv(QString::fromStdString(csvPath)), QString());
  std::string error;
  const auto csv = link::ReadTextFile(csvPath, error);
  ASSERT_TRUE(csv) << error;
  EXPECT_EQ(csv->substr(0, csv->find('\n')),
            "Address,Name,Kind,MAC,Parents,Depth,First heard,Last heard,State");
  EXPECT_EQ(std::count(csv->begin(), csv->end(), '\n'), nodes + 1);
  EXPECT_NE(csv->find("\n1A01,CCU-Hall,ccu,,0000,1,"), std::string::npos) << *csv;
  const std::string jsonPath = folder.File("nodes.json");
  ASSERT_EQ(table().ExportJson(QString::fromStdString(jsonPath)), QString());
  const auto json = nlohmann::json::parse(*link::ReadTextFile(jsonPath, error));
  EXPECT_EQ(json.at("root"), "0000");
  EXPECT_EQ(json.at("nodes").size(), static_cast<std::size_t>(nodes));
}

TEST_F(NetworkInsightTest, ANodeThatLeftStaysGreyedWithItsAgeUntilTheLimitAndAMoveIsALine) {
  view().SetTreeLayout();
  ASSERT_TRUE(Walk());
  ASSERT_NE(Node("7A07"), nullptr);
  // The yard's lamp drops off and the lobby's air conditioner moves under the meter.
  sim_.Module().ChangeNetwork(testsupport::EditedDemoNetwork([](auto& nodes) {
    testsupport::RemoveNode(nodes, "7A07");
    testsupport::Reparent(nodes, "5E05", "3C03");
  }));
  wallClock_.Advance(2min);
  ASSERT_TRUE(Walk());
  view::DiagramNode* quiet = Node("7A07");
  ASSERT_NE(quiet, nullptr);
  EXPECT_TRUE(quiet->Quiet());
  EXPECT_EQ(quiet->Text(), QStringLiteral("Lumanode-Yard\r\nID : 7A07\r\nnot heard for 2 min"));
  EXPECT_EQ(quiet->toolTip(), QStringLiteral("not heard for 2 min"));
  EXPECT_FALSE(Node("3C03")->Quiet());
  const int row = ShownRow(QStringLiteral("7A07"));
  ASSERT_GE(row, 0);
  EXPECT_EQ(Cell(row, network::NodeColumn::State), QStringLiteral("not heard for 2 min"));
  // The move is a line in the output pane and in the history.
  const std::string moved = R"(moved 5E05 "AC-Lobby" from 1A01 2B02 to 3C03)";
  EXPECT_NE(Output().find(moved), std::string::npos) << Output();
  const auto* history = net_.frame->pages()->history();
  EXPECT_TRUE(history->toPlainText().contains(QString::fromStdString(moved)));

  // Past the user's limit (5 minutes here), the next whole walk forgets it.
  wallClock_.Advance(6min);
  table().quietLimitBox()->setValue(5);
  EXPECT_EQ(view().insight().quietLimit(), 5min);
  ASSERT_TRUE(Walk());
  EXPECT_EQ(Node("7A07"), nullptr);
  EXPECT_EQ(ShownRow(QStringLiteral("7A07")), -1);
  EXPECT_TRUE(history->toPlainText().contains(QStringLiteral(R"(left 7A07 "Lumanode-Yard")")));
  EXPECT_EQ(model::ProcessQuietLimit().limit, 5min);  // new documents start with it
  model::ProcessQuietLimit().limit = network::kDefaultQuietLimit;
}

TEST_F(NetworkInsightTest, TheHexViewShowsTheSessionsBytesBothWays) {
  ASSERT_TRUE(Walk());
  auto* output = net_.frame->output();
  output->SetHexShown(true);
  ASSERT_TRUE(output->hexShown());
  const QString hex = output->hex()->toPlainText();
  EXPECT_TRUE(
      hex.contains(QStringLiteral(" >  41 54 4E 45 54 49 4E 46 4F 20 30 30 30 30 20 30  "
                                  "ATNETINFO 0000 0")))
      << hex.left(2000).toStdString();
  EXPECT_TRUE(hex.contains(QStringLiteral(" <  "))) << hex.left(2000).toStdString();
  output->SetHexShown(false);
  EXPECT_TRUE(output->edit()->isVisibleTo(output));
}

}  // namespace
}  // namespace netloom::guitest
