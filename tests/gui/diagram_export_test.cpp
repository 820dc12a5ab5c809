#include "gui/view/diagram_export.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include "gui/view/diagram_drawing.h"
#include "network_fixture.h"

namespace netloom::view {
namespace {

class DiagramExportTest : public ::testing::Test {
 protected:
  DiagramExportTest() {
    diagram.resize(400, 300);
    DrawNetwork(diagram, pictures, testsupport::Snapshot(testsupport::Family(4)),
                model::LayoutMode::Tree, "0002", "0000");
  }

  QString Path(const QString& name) const { return dir.filePath(name); }

  static QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir dir;
  NodePictures pictures;
  TopologyDiagram diagram;
};

TEST_F(DiagramExportTest, FormatsBySuffix) {
  EXPECT_EQ(FormatOfPath("net.png"), DiagramFormat::Png);
  EXPECT_EQ(FormatOfPath("/tmp/x/Net.SVG"), DiagramFormat::Svg);
  EXPECT_EQ(FormatOfPath("a.b.pdf"), DiagramFormat::Pdf);
  EXPECT_EQ(FormatOfPath("net.jpg"), std::nullopt);
  EXPECT_EQ(FormatOfPath("png"), std::nullopt);
}

TEST_F(DiagramExportTest, PngHoldsTheWholeDiagramAtTwiceScreenSize) {
  QString error;
  ASSERT_TRUE(SaveDiagram(diagram, Path("net.png"), DiagramFormat::Png, error))
      << error.toStdString();
  const QImage image(Path("net.png"));
  ASSERT_FALSE(image.isNull());
  const QRectF content = diagram.ContentRect();
  EXPECT_NEAR(image.width(), content.width() / 15 * 2, 1);
  EXPECT_NEAR(image.height(), content.height() / 15 * 2, 1);
  // White around, the link colour somewhere inside.
  EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));
  bool linkSeen = false;
  for (int y = 0; y < image.height() && !linkSeen; ++y) {
    for (int x = 0; x < image.width() && !linkSeen; ++x) {
      linkSeen = image.pixelColor(x, y) == QColor(0, 0, 200);
    }
  }
  EXPECT_TRUE(linkSeen);
}

TEST_F(DiagramExportTest, SvgAndPdfAreVectorDocuments) {
  QString error;
  ASSERT_TRUE(SaveDiagram(diagram, Path("net.svg"), DiagramFormat::Svg, error));
  EXPECT_TRUE(QSvgRenderer(Path("net.svg")).isValid());
  const QByteArray svg = Contents(Path("net.svg"));
  EXPECT_TRUE(svg.contains("0003"));     // labels stay text
  EXPECT_FALSE(svg.contains("<image"));  // pictures stay drawings
  ASSERT_TRUE(SaveDiagram(diagram, Path("net.pdf"), DiagramFormat::Pdf, error));
  EXPECT_TRUE(Contents(Path("net.pdf")).startsWith("%PDF"));
}

TEST_F(DiagramExportTest, FailuresSayWhy) {
  QString error;
  EXPECT_FALSE(SaveDiagram(diagram, Path("missing/net.png"), DiagramFormat::Png, error));
  EXPECT_EQ(error, "Can't write net.png.");
  diagram.Clear();
  EXPECT_FALSE(SaveDiagram(diagram, Path("empty.png"), DiagramFormat::Png, error));
  EXPECT_TRUE(error.startsWith("There is no diagram"));
  EXPECT_FALSE(QFile::exists(Path("empty.png")));
}

TEST_F(DiagramExportTest, PrintingPutsTheDiagramOnThePage) {
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(Path("printed.pdf"));
  PrintDiagram(diagram, printer);
  const QByteArray printed = Contents(Path("printed.pdf"));
  EXPECT_TRUE(printed.startsWith("%PDF"));
  // A blank page is a few hundred bytes; the diagram's drawings make it far larger.
  EXPECT_GT(printed.size(), 5000);
}

}  // namespace
}  // namespace netloom::view
