// The gadget pane on real folders: layout, icon drawing, folder scan, search order, drag and the
// file-system watch.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QDrag>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <future>

#include "gui/gadget/gadget_files.h"
#include "gui/gadget/gadget_folders.h"
#include "gui/gadget/gadget_tool.h"
#include "gui/res/resource_ids.h"
#include "gui/shell/application_look.h"
#include "gui/shell/main_frame.h"
#include "gui_test_support.h"
#include "support/wait_for.h"

namespace netloom::gadget {
namespace {

constexpr int kWatchMs = 5000;

void WriteImage(const QString& path, QSize size, QColor colour = Qt::red) {
  QImage image(size, QImage::Format_ARGB32);
  image.fill(colour);
  ASSERT_TRUE(image.save(path, "PNG")) << path.toStdString();
}

// A gadget folder `name` under `folder` with its two pictures.
void AddGadget(const QString& folder, const QString& name, QSize icon = {70, 70},
               QColor colour = Qt::red) {
  const QString dir = folder + u'/' + name;
  ASSERT_TRUE(QDir().mkpath(dir));
  WriteImage(dir + QStringLiteral("/icon.png"), icon, colour);
  WriteImage(dir + QStringLiteral("/drag.png"), {32, 32}, colour);
}

QStringList Names(const CGadgetScrollView& view) {
  QStringList names;
  for (const CGadgetInfo* item : view.items()) names << item->name();
  return names;
}

class GadgetToolTest : public ::testing::Test {
 protected:
  GadgetToolTest() { EXPECT_TRUE(QDir().mkpath(folder_)); }
  // A pane over the one folder `folder_`, which is also the user's folder.
  GadgetPlaces Places() const { return {{folder_}, folder_, root_.path()}; }

  QTemporaryDir root_;
  QString folder_ = root_.filePath(QStringLiteral("gadgets"));
};

TEST_F(GadgetToolTest, ThreeItemsIn240PixelsInThePane) {
  for (const QString name : {"one", "three", "two"}) AddGadget(folder_, name);
  CGadgetTool tool(Places());
  CGadgetScrollView* view = tool.view();
  view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  for (const int clientHeight : {150, 400}) {
    const int frame = 2 * view->frameWidth();
    tool.resize(240 + frame, clientHeight + frame);
    tool.show();
    ASSERT_EQ(view->viewport()->size(), QSize(240, clientHeight));
    EXPECT_EQ(Names(*view), (QStringList{"one", "three", "two"}));
    EXPECT_EQ(view->items()[0]->geometry(), QRect(20, 10, 70, 70));
    EXPECT_EQ(view->items()[0]->label()->geometry(), QRect(0, 80, 110, 20));
    EXPECT_EQ(view->items()[1]->geometry(), QRect(140, 10, 70, 70));
    EXPECT_EQ(view->items()[2]->geometry(), QRect(20, 110, 70, 70));
    EXPECT_EQ(view->items()[2]->label()->geometry(), QRect(0, 180, 110, 20));
    EXPECT_EQ(view->widget()->height(), std::max(210, clientHeight));
    EXPECT_FALSE(view->emptyNote()->isVisible());
  }
}

TEST_F(GadgetToolTest, IconsAreLimitedTo70PixelsPerDimension) {
  const struct {
    QSize icon;
    QSize drawn;
  } cases[] = {{{100, 50}, {70, 50}}, {{40, 40}, {40, 40}}, {{30, 90}, {30, 70}}};
  for (const auto& c : cases) {
    const QString name = QStringLiteral("icon%1x%2").arg(c.icon.width()).arg(c.icon.height());
    const QString caseFolder = root_.filePath(name);
    AddGadget(caseFolder, name, c.icon);
    CGadgetTool tool({{caseFolder}, caseFolder, {}});
    ASSERT_FALSE(tool.view()->items().empty());
    CGadgetInfo* item = tool.view()->items().front();
    const QImage shot = item->grab().toImage();
    const auto red = [&](int x, int y) { return shot.pixelColor(x, y) == QColor(Qt::red); };
    const QSize drawn = c.drawn;
    EXPECT_TRUE(red(0, 0) && red(drawn.width() - 1, drawn.height() - 1)) << name.toStdString();
    EXPECT_TRUE(drawn.width() == 70 || !red(drawn.width(), 0)) << name.toStdString();
    EXPECT_TRUE(drawn.height() == 70 || !red(0, drawn.height())) << name.toStdString();
  }
}

TEST_F(GadgetToolTest, OnlyFoldersWithBothPicturesAreListedAndLabelledUpToTheDot) {
  WriteImage(folder_ + QStringLiteral("/loose.png"), {70, 70});  // a file: ignored
  AddGadget(folder_, QStringLiteral("a.b"));
  ASSERT_TRUE(QDir().mkpath(folder_ + QStringLiteral("/nodrag")));
  WriteImage(folder_ + QStringLiteral("/nodrag/icon.png"), {70, 70});
  AddGadget(folder_, QStringLiteral("badicon"));
  QFile bad(folder_ + QStringLiteral("/badicon/icon.png"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly | QIODevice::Truncate));
  bad.write("not a picture");
  bad.close();
  AddGadget(folder_, QStringLiteral(".hidden"));

  CGadgetTool tool(Places());
  ASSERT_EQ(Names(*tool.view()), QStringList{"a.b"});
  const CGadgetInfo* item = tool.view()->items().front();
  EXPECT_EQ(item->label()->text(), QStringLiteral("a"));
  EXPECT_EQ(item->accessibleName(), QStringLiteral("a"));
  EXPECT_EQ(item->folder(), folder_);
}

TEST_F(GadgetToolTest, APictureThatIsAFifoIsSkippedWithoutWaiting) {
  AddGadget(folder_, QStringLiteral("good"));
  QStringList fifos;
  for (const QString picture : {"icon.png", "drag.png"}) {
    const QString name = QStringLiteral("fifo-") + picture;
    AddGadget(folder_, name);
    const QString path = folder_ + u'/' + name + u'/' + picture;
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    fifos << path;
  }
  auto scan = std::async(std::launch::async, [&] { return ScanGadgets({folder_}); });
  if (scan.wait_for(std::chrono::milliseconds(guitest::kSlowMs)) != std::future_status::ready) {
    // A writer that comes and goes releases a reader stuck in open(), so the scan can end.
    testsupport::WaitFor([&] {
      for (const QString& fifo : fifos)
        ::close(::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK));
      return scan.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready;
    });
    FAIL() << "the scan waited on a FIFO";
  }
  const std::vector<GadgetEntry> entries = scan.get();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries.front().name, QStringLiteral("good"));
}

TEST_F(GadgetToolTest, AFolderWhoseNameIsNotUtf8IsListedWithItsBytesMarked) {
  AddGadget(folder_, QStringLiteral("latin"));
  // Renamed back at the end: the temporary folder cannot remove a name that is not UTF-8.
  struct Renamed {
    QByteArray from, to;
    Renamed(QByteArray a, QByteArray b) : from(std::move(a)), to(std::move(b)) {
      EXPECT_EQ(std::rename(from.constData(), to.constData()), 0);
    }
    ~Renamed() { std::rename(to.constData(), from.constData()); }
  } latin(QFile::encodeName(folder_) + "/latin", QFile::encodeName(folder_) + "/caf\xE9.v1");
  AddGadget(folder_, QStringLiteral("plain"));
  CGadgetTool tool(Places());
  ASSERT_EQ(Names(*tool.view()), (QStringList{"caf\\xE9.v1", "plain"}));
  const CGadgetInfo* item = tool.view()->items().front();
  EXPECT_EQ(item->label()->text(), QStringLiteral("caf\\xE9"));
  EXPECT_TRUE(item->toolTip().contains(QStringLiteral("not UTF-8")));
  EXPECT_FALSE(tool.view()->items().back()->toolTip().contains(QStringLiteral("UTF-8")));
}

TEST(GadgetFilesTest, NamesShowTheirBytesThatAreNotUtf8AsEscapes) {
  const struct {
    const char* raw;
    const char16_t* shown;
  } cases[] = {
      {"caf\xC3\xA9", u"caf\u00e9"},                  // well-formed: decoded
      {"a\xF0\x9F\x98\x80", u"a\U0001F600"},          // four bytes
      {"caf\xE9", u"caf\\xE9"},                       // Latin-1
      {"\xC0\xAF", u"\\xC0\\xAF"},                    // overlong
      {"\xED\xA0\x80x", u"\\xED\\xA0\\x80x"},         // a surrogate
      {"\xF4\x90\x80\x80", u"\\xF4\\x90\\x80\\x80"},  // above U+10FFFF
      {"\xE2\x82", u"\\xE2\\x82"},                    // cut short
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DisplayName(c.raw), QString::fromUtf16(c.shown)) << c.raw;
    EXPECT_EQ(IsUtf8(c.raw), DisplayName(c.raw) == QString::fromUtf8(c.raw)) << c.raw;
  }
}

TEST_F(GadgetToolTest, ALabelTooLongForItsColumnShowsInFullAsTooltip) {
  AddGadget(folder_, QStringLiteral("Short"));
  AddGadget(folder_, QStringLiteral("AnExceedinglyLongGadgetNameForOneColumn.v2"));
  CGadgetTool tool(Places());
  tool.resize(300, 300);
  tool.show();
  const auto& items = tool.view()->items();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0]->label()->toolTip(),
            QStringLiteral("AnExceedinglyLongGadgetNameForOneColumn"));
  EXPECT_TRUE(items[1]->label()->toolTip().isEmpty());
}

TEST(GadgetFoldersTest, UserFolderFollowsXdgDataHome) {
  const struct {
    const char* dataHome;
    const char* folder;
  } cases[] = {{"", "/home/u/.local/share/netloom/gadgets"},
               {"/data/", "/data/netloom/gadgets"},
               {"relative/share", "/home/u/.local/share/netloom/gadgets"}};
  for (const auto& c : cases)
    EXPECT_EQ(UserGadgetFolder({"/home/u", c.dataHome, ""}), QString(c.folder)) << c.dataHome;
}

TEST(GadgetFoldersTest, SystemFoldersInXdgOrderWithoutRepeats) {
  EXPECT_EQ(SystemGadgetFolders({"/home/u", "", ""}, ""),
            (QStringList{"/usr/local/share/netloom/gadgets", "/usr/share/netloom/gadgets"}));
  EXPECT_EQ(
      SystemGadgetFolders({"/home/u", "", "/b:rel:/a::/b/"}, "/opt/nl/bin"),
      (QStringList{"/b/netloom/gadgets", "/a/netloom/gadgets", "/opt/nl/share/netloom/gadgets"}));
  EXPECT_EQ(SystemGadgetFolders({"/home/u", "", "/opt/nl/share"}, "/opt/nl/bin"),
            QStringList{"/opt/nl/share/netloom/gadgets"});
}

TEST(GadgetFoldersTest, CompiledInGadgetsOnlyWhenNoSystemFolderExists) {
  QTemporaryDir root;
  const XdgDataEnv env{root.path(), "", root.filePath("a") + ':' + root.filePath("b")};
  const QStringList system = SystemGadgetFolders(env, "");
  EXPECT_EQ(GadgetSearchPath(env, ""),
            (QStringList{UserGadgetFolder(env), system[0], system[1], BuiltInGadgetFolder()}));
  ASSERT_TRUE(QDir().mkpath(system[1]));
  EXPECT_EQ(GadgetSearchPath(env, ""), (QStringList{UserGadgetFolder(env), system[0], system[1]}));

  // The compiled-in set: one gadget per node kind of the diagram.
  const QStringList builtIn = Names(*CGadgetTool({{BuiltInGadgetFolder()}, "", ""}).view());
  EXPECT_EQ(builtIn, (QStringList{"AC", "CCU", "Coordinator", "FCU", "LCU", "Lumanode", "Meter",
                                  "Node", "PC", "Quaybox", "StreeLight"}));
}

TEST_F(GadgetToolTest, ANameFoundTwiceIsListedOnceFromTheFirstFolder) {
  const QString second = root_.filePath(QStringLiteral("second"));
  AddGadget(second, QStringLiteral("same"), {70, 70}, Qt::blue);
  AddGadget(second, QStringLiteral("other"));
  AddGadget(second, QStringLiteral("broken"));
  AddGadget(folder_, QStringLiteral("same"));
  ASSERT_TRUE(QDir().mkpath(folder_ + QStringLiteral("/broken")));  // no pictures: not a gadget

  CGadgetTool tool({{folder_, root_.filePath(QStringLiteral("missing")), second}, folder_, {}});
  const auto& items = tool.view()->items();
  ASSERT_EQ(Names(*tool.view()), (QStringList{"same", "broken", "other"}));
  EXPECT_EQ(items[0]->folder(), folder_);
  EXPECT_EQ(items[0]->icon().pixelColor(0, 0), QColor(Qt::red));
  EXPECT_EQ(items[1]->folder(), second);
}

TEST_F(GadgetToolTest, PressingAnItemDragsItsFullNameAsPlainText) {
  AddGadget(folder_, QStringLiteral("a.b"));
  CGadgetTool tool(Places());
  tool.show();
  CGadgetInfo* item = tool.view()->items().front();
  QSignalSpy started(item, &CGadgetInfo::dragStarted);
  QTest::mousePress(item, Qt::LeftButton, {}, QPoint(35, 35));

  // The drag object lives until the event loop runs again.
  auto* drag = item->findChild<QDrag*>();
  ASSERT_NE(drag, nullptr);
  EXPECT_EQ(started.count(), 1);
  EXPECT_EQ(drag->supportedActions(), Qt::CopyAction | Qt::MoveAction | Qt::LinkAction);
  const QMimeData* data = drag->mimeData();
  EXPECT_TRUE(data->hasFormat(QStringLiteral("text/plain")));
  EXPECT_EQ(data->text(), QStringLiteral("a.b"));
  EXPECT_EQ(drag->pixmap().size(), QSize(32, 32));
  EXPECT_FALSE(tool.view()->dragActive());
}

TEST_F(GadgetToolTest, ItemsOutliveADragAndChangesShowAfterIt) {
  AddGadget(folder_, QStringLiteral("dragged"));
  CGadgetTool tool(Places());
  CGadgetInfo* item = tool.view()->items().front();
  emit item->dragStarted();  // as the drag loop, which runs nested in the item's press, begins
  AddGadget(folder_, QStringLiteral("added"));
  tool.Rescan();
  EXPECT_EQ(tool.view()->items(), std::vector<CGadgetInfo*>{item});
  emit item->dragFinished();
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        return Names(*tool.view()) == QStringList({"added", "dragged"});
      },
      kWatchMs));
}

TEST_F(GadgetToolTest, GadgetsAddedAndRemovedWhileRunningAppear) {
  // The user's folder does not exist yet: creating it is noticed too.
  const QString user = root_.filePath(QStringLiteral("data/netloom/gadgets"));
  CGadgetTool tool({{user, folder_}, user, root_.path()});
  EXPECT_TRUE(tool.view()->items().empty());
  EXPECT_TRUE(tool.view()->emptyNote()->text().contains(user.mid(root_.path().size())));
  tool.show();
  EXPECT_TRUE(tool.view()->emptyNote()->isVisible());

  AddGadget(folder_, QStringLiteral("first"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return tool.view()->items().size() == 1; }, kWatchMs));
  // A folder created empty and filled afterwards.
  QSignalSpy rescans(&tool, &CGadgetTool::rescanned);
  ASSERT_TRUE(QDir().mkpath(user + QStringLiteral("/late")));
  ASSERT_TRUE(rescans.wait(kWatchMs));
  AddGadget(user, QStringLiteral("late"));
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        return Names(*tool.view()) == QStringList({"late", "first"});
      },
      kWatchMs));

  ASSERT_TRUE(QDir(folder_ + QStringLiteral("/first")).removeRecursively());
  ASSERT_TRUE(QDir(user + QStringLiteral("/late")).removeRecursively());
  EXPECT_TRUE(QTest::qWaitFor([&] { return tool.view()->items().empty(); }, kWatchMs));
  EXPECT_TRUE(tool.view()->emptyNote()->isVisible());
}

// Stands in for the file manager.
class UrlRecorder : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public slots:
  void Open(const QUrl& url) { opened << url; }
};

TEST_F(GadgetToolTest, ContextMenuOpensTheUserFolderCreatingIt) {
  const QString user = root_.filePath(QStringLiteral("data/netloom/gadgets"));
  CGadgetTool tool({{user}, user, root_.path()});
  UrlRecorder fileManager;
  QDesktopServices::setUrlHandler(QStringLiteral("file"), &fileManager, "Open");
  tool.openFolderAction()->trigger();
  QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  EXPECT_TRUE(QFileInfo(user).isDir());
  EXPECT_EQ(fileManager.opened, QList<QUrl>{QUrl::fromLocalFile(user)});
  EXPECT_TRUE(tool.actions().contains(tool.openFolderAction()));
  EXPECT_FALSE(tool.openFolderAction()->text().isEmpty());
}

TEST(GadgetPaneTest, TheMainFrameDockHoldsThePane) {
  QSettings settings(shell::kSettingsOrganisation, shell::kSettingsApplication);
  shell::CMainFrame frame(settings);
  auto* tool = qobject_cast<CGadgetTool*>(frame.Pane(res::kViewGadgetTool)->widget());
  ASSERT_NE(tool, nullptr);
  EXPECT_EQ(tool->accessibleName(), QStringLiteral("Gadget Tool"));
  EXPECT_EQ(tool->places().searchPath.front(), UserGadgetFolder(XdgDataEnv::FromProcess()));
}

}  // namespace
}  // namespace netloom::gadget

#include "gadget_tool_test.moc"
