#include "gui/view/topology_diagram.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "gui/view/node_pictures.h"

namespace netloom::view {
namespace {

class TopologyDiagramTest : public ::testing::Test {
 protected:
  TopologyDiagramTest() {
    diagram.resize(600, 400);
    diagram.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&diagram));
  }

  DiagramNode* Add(float left, float top, std::int32_t key) {
    DiagramNode* node = diagram.AddNode(QRectF(left, top, model::kNodeSize, model::kNodeSize));
    node->SetKey(key);
    return node;
  }

  // The widget pixel that shows diagram point (x, y).
  QPoint PixelOf(float x, float y) const {
    const model::DiagramPoint offset = diagram.ScrollOffset();
    return QPoint(static_cast<int>((x - offset.x) / diagram.TwipsPerPixel()),
                  static_cast<int>((y - offset.y) / diagram.TwipsPerPixel()));
  }

  NodePictures pictures;
  TopologyDiagram diagram;
};

TEST_F(TopologyDiagramTest, NodesKeepWhatIsSetOnThem) {
  DiagramNode* a = Add(15000, 0, 7);
  DiagramNode* b = Add(16500, 2200, 8);
  a->SetText("Coordinator\r\nID : 0000");
  a->SetPicture(pictures.Get(model::NodeKind::Coordinator, true));
  a->SetColor(Qt::red);
  DiagramLink* link = a->AddLink(b);
  link->SetColor(QColor(0, 0, 200));

  ASSERT_EQ(diagram.NodeCount(), 2);
  EXPECT_EQ(diagram.Node(0), a);
  EXPECT_EQ(diagram.Node(1), b);
  EXPECT_EQ(a->Left(), 15000);
  EXPECT_EQ(b->Top(), 2200);
  EXPECT_EQ(a->Key(), 7);
  EXPECT_EQ(a->Text(), "Coordinator\r\nID : 0000");
  EXPECT_EQ(a->Picture(), pictures.Get(model::NodeKind::Coordinator, true));
  EXPECT_EQ(a->Color(), QColor(Qt::red));
  EXPECT_EQ(b->Color(), QColor(Qt::black));
  EXPECT_THAT(a->Links(), ::testing::ElementsAre(link));
  EXPECT_EQ(link->Destination(), b);
  EXPECT_EQ(link->Color(), QColor(0, 0, 200));
  EXPECT_GT(a->FontSize(), 0);

  diagram.Clear();
  EXPECT_EQ(diagram.NodeCount(), 0);
  EXPECT_TRUE(diagram.scene()->items().isEmpty());
  EXPECT_TRUE(diagram.ContentRect().isEmpty());
}

TEST_F(TopologyDiagramTest, ScrollOffsetReadsBackExactlyUntilTheUserScrolls) {
  Add(15000, 0, 1);
  for (const model::DiagramPoint offset :
       {model::DiagramPoint{10000, 0}, model::DiagramPoint{9757.5f, 123.25f},
        model::DiagramPoint{0, 0}, model::DiagramPoint{40000, 30000}}) {
    diagram.SetScrollOffset(offset);
    EXPECT_EQ(diagram.ScrollOffset(), offset);
  }
  diagram.SetScrollOffset({10000, 0});
  diagram.horizontalScrollBar()->setValue(diagram.horizontalScrollBar()->value() - 10);
  EXPECT_NEAR(diagram.ScrollOffset().x, 10000 - 150, 15);
}

TEST_F(TopologyDiagramTest, PixelsMapToDiagramPointsAndNodes) {
  DiagramNode* low = Add(15000, 0, 1);
  DiagramNode* high = Add(15500, 500, 2);
  diagram.SetScrollOffset({10000, 0});
  EXPECT_EQ(diagram.PixelToDiagram(QPoint(10, 20)), (model::DiagramPoint{10150, 300}));
  EXPECT_EQ(diagram.NodeAt({15100, 100}), low);
  EXPECT_EQ(diagram.NodeAt({15600, 600}), high);  // the later node lies on top
  EXPECT_EQ(diagram.NodeAt({14999, 100}), nullptr);
}

TEST_F(TopologyDiagramTest, ClickReportsTheNodeUnderThePress) {
  DiagramNode* node = Add(15000, 0, 1);
  diagram.SetScrollOffset({14000, 0});
  QSignalSpy clicks(&diagram, &TopologyDiagram::clicked);
  QSignalSpy releases(&diagram, &TopologyDiagram::buttonReleased);

  QTest::mouseClick(diagram.viewport(), Qt::LeftButton, {}, PixelOf(15750, 750));
  ASSERT_EQ(clicks.count(), 1);
  EXPECT_EQ(diagram.ClickedNode(), node);
  EXPECT_EQ(releases.count(), 1);

  QTest::mouseClick(diagram.viewport(), Qt::LeftButton, {}, PixelOf(14100, 100));
  EXPECT_EQ(clicks.count(), 2);
  EXPECT_EQ(diagram.ClickedNode(), nullptr);

  QTest::mouseClick(diagram.viewport(), Qt::RightButton, Qt::ShiftModifier, PixelOf(15750, 750));
  EXPECT_EQ(clicks.count(), 2);
  ASSERT_EQ(releases.count(), 3);
  EXPECT_EQ(releases.last().at(0).value<Qt::MouseButton>(), Qt::RightButton);
  EXPECT_EQ(releases.last().at(1).value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
  EXPECT_EQ(releases.last().at(2).toPoint(), PixelOf(15750, 750));

  QSignalSpy doubles(&diagram, &TopologyDiagram::doubleClicked);
  QTest::mouseDClick(diagram.viewport(), Qt::LeftButton, {}, PixelOf(15750, 750));
  EXPECT_EQ(doubles.count(), 1);
  EXPECT_EQ(diagram.ClickedNode(), node);
}

TEST_F(TopologyDiagramTest, DraggingTheBackgroundPansWithoutAClick) {
  Add(15000, 0, 1);
  Add(30000, 20000, 2);
  diagram.SetScrollOffset({10000, 5000});
  QSignalSpy clicks(&diagram, &TopologyDiagram::clicked);
  QTest::mousePress(diagram.viewport(), Qt::LeftButton, {}, QPoint(300, 200));
  QMouseEvent move(QEvent::MouseMove, QPointF(250, 170),
                   diagram.viewport()->mapToGlobal(QPointF(250, 170)), Qt::NoButton, Qt::LeftButton,
                   {});
  QApplication::sendEvent(diagram.viewport(), &move);
  QTest::mouseRelease(diagram.viewport(), Qt::LeftButton, {}, QPoint(250, 170));
  EXPECT_EQ(clicks.count(), 0);
  EXPECT_NEAR(diagram.ScrollOffset().x, 10000 + 50 * 15, 15);
  EXPECT_NEAR(diagram.ScrollOffset().y, 5000 + 30 * 15, 15);
}

TEST_F(TopologyDiagramTest, CtrlWheelZoomsAroundThePointer) {
  Add(15000, 0, 1);
  diagram.SetScrollOffset({10000, 0});
  const QPoint pointer(200, 100);
  const model::DiagramPoint under = diagram.PixelToDiagram(pointer);
  QWheelEvent wheel(pointer, diagram.viewport()->mapToGlobal(pointer), {}, QPoint(0, 240),
                    Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(diagram.viewport(), &wheel);
  EXPECT_NEAR(diagram.Zoom(), 1.15 * 1.15, 1e-9);
  const model::DiagramPoint after = diagram.PixelToDiagram(pointer);
  EXPECT_NEAR(after.x, under.x, 1);
  EXPECT_NEAR(after.y, under.y, 1);

  diagram.SetZoom(100);
  EXPECT_EQ(diagram.Zoom(), TopologyDiagram::kMaxZoom);
  diagram.SetZoom(0.001);
  EXPECT_EQ(diagram.Zoom(), TopologyDiagram::kMinZoom);
  QTest::keyClick(&diagram, Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(diagram.Zoom(), 1.0);
}

TEST(TopologyDiagram, PicturesStayOnTheirNodesInsideAWindow) {
  // The diagram as a child, away from its window's corner: what the window shows there is what
  // the diagram shows alone.
  NodePictures pictures;
  QWidget window;
  window.resize(500, 400);
  auto* diagram = new TopologyDiagram(&window);
  diagram->setGeometry(110, 70, 300, 250);
  DiagramNode* node = diagram->AddNode(QRectF(1500, 1500, model::kNodeSize, model::kNodeSize));
  node->SetPicture(pictures.Get(model::NodeKind::Meter, false));
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const QImage alone = diagram->grab().toImage();
  const QImage inWindow = window.grab().toImage().copy(diagram->geometry());
  EXPECT_EQ(inWindow.convertToFormat(alone.format()), alone);
}

// Counts what an unsettled layout keeps doing: layout requests and scroll bars shown or hidden.
// A layout loop posts its next event while handling the last, so the event loop would never
// return: past kRunaway bar changes the watch turns the bars off, which ends it.
class LayoutWatch : public QObject {
 public:
  static constexpr int kRunaway = 200;

  explicit LayoutWatch(TopologyDiagram& diagram) : diagram_(diagram) {
    for (QObject* watched : std::initializer_list<QObject*>{&diagram, diagram.viewport(),
                                                            diagram.horizontalScrollBar(),
                                                            diagram.verticalScrollBar()}) {
      watched->installEventFilter(this);
    }
  }
  int layoutRequests = 0;
  int barToggles = 0;
  bool runaway = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::LayoutRequest) ++layoutRequests;
    if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) &&
        qobject_cast<QScrollBar*>(watched) != nullptr && ++barToggles == kRunaway) {
      runaway = true;
      diagram_.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      diagram_.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    return false;
  }

 private:
  TopologyDiagram& diagram_;
};

void ProcessEventRounds(int rounds) {
  for (int k = 0; k < rounds; ++k) QCoreApplication::processEvents();
}

TEST(TopologyDiagram, EmptyDiagramInAShownWindowSettles) {
  const struct {
    QSize window;
    double zoom;
  } cases[] = {{{600, 400}, 1.0},
               {{173, 97}, 1.0},
               {{1024, 768}, 1.15},
               {{320, 240}, 0.25},
               {{801, 599}, 4.0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.window.width() << "x" << c.window.height() << " zoom " << c.zoom);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* diagram = new TopologyDiagram;
    layout->addWidget(diagram);
    diagram->SetZoom(c.zoom);
    window.resize(c.window);
    LayoutWatch watch(*diagram);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ProcessEventRounds(10);  // the first layout
    const int requests = watch.layoutRequests;
    const int toggles = watch.barToggles;

    ProcessEventRounds(50);
    EXPECT_FALSE(watch.runaway);
    EXPECT_EQ(watch.layoutRequests, requests);
    EXPECT_EQ(watch.barToggles, toggles);
    // Nothing to scroll to: the empty diagram shows no scroll bars.
    EXPECT_FALSE(diagram->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(diagram->verticalScrollBar()->isVisible());
  }
}

TEST(NodePictures, TwentyTwoPicturesSwapWithinTheirKind) {
  NodePictures pictures;
  for (int k = 0; k < model::kNodeKindCount; ++k) {
    const auto kind = static_cast<model::NodeKind>(k);
    const NodePicture* normal = pictures.Get(kind, false);
    const NodePicture* selected = pictures.Get(kind, true);
    ASSERT_TRUE(normal->valid()) << model::KindStem(kind);
    ASSERT_TRUE(selected->valid()) << model::KindStem(kind);
    EXPECT_NE(normal, selected);
    EXPECT_EQ(pictures.Variant(normal, true), selected);
    EXPECT_EQ(pictures.Variant(selected, false), normal);
    EXPECT_EQ(normal->pixelSize(),
              QSize(model::PictureSize(kind).width, model::PictureSize(kind).height));
  }
  EXPECT_EQ(pictures.Variant(nullptr, true), nullptr);
}

TEST(NodePictures, PaintsSharplyAtEveryScale) {
  // On an image three times the picture's size the cached pixmap is exactly the artwork
  // rendered for that size: nothing is scaled up from a smaller bitmap.
  NodePictures pictures;
  const NodePicture* picture = pictures.Get(model::NodeKind::Meter, false);
  const QSize size = picture->pixelSize() * 3;
  QImage viaPicture(size, QImage::Format_ARGB32_Premultiplied);
  viaPicture.fill(Qt::transparent);
  {
    QPainter painter(&viaPicture);
    painter.scale(3, 3);
    picture->Paint(painter, QRectF(QPointF(0, 0), picture->pixelSize()));
  }
  QImage direct(size, QImage::Format_ARGB32_Premultiplied);
  direct.fill(Qt::transparent);
  {
    QPainter painter(&direct);
    painter.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer(QStringLiteral(":/nodes/meter.svg")).render(&painter);
  }
  EXPECT_EQ(viaPicture, direct);
}

}  // namespace
}  // namespace netloom::view
