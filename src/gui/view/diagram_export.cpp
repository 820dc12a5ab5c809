#include "gui/view/diagram_export.h"

#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>
#include <cmath>

#include "gui/view/topology_diagram.h"

namespace netloom::view {

namespace {

// Pictures come out at twice the screen's size, so they stay sharp when zoomed or printed.
constexpr qreal kImageScale = 2;
constexpr int kPdfResolution = 300;

QSize PixelSizeOf(const QRectF& content, qreal scale) {
  return QSize(static_cast<int>(std::ceil(content.width() / model::kTwipsPerPixel * scale)),
               static_cast<int>(std::ceil(content.height() / model::kTwipsPerPixel * scale)));
}

bool SavePng(TopologyDiagram& diagram, const QString& path, const QRectF& content) {
  QImage image(PixelSizeOf(content, kImageScale), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    diagram.Render(painter, QRectF(image.rect()));
  }
  return image.save(path, "PNG");
}

bool SaveSvg(TopologyDiagram& diagram, const QString& path, const QRectF& content) {
  const QSize size = PixelSizeOf(content, 1);
  QSvgGenerator generator;
  generator.setFileName(path);
  generator.setSize(size);
  generator.setViewBox(QRect(QPoint(0, 0), size));
  generator.setTitle(QStringLiteral("Network topology"));
  QPainter painter;
  if (!painter.begin(&generator)) return false;
  diagram.Render(painter, QRectF(QPointF(0, 0), size));
  return painter.end();
}

bool SavePdf(TopologyDiagram& diagram, const QString& path, const QRectF& content) {
  QPdfWriter writer(path);
  // One page the size of the diagram (twips are twentieths of a point).
  writer.setPageSize(QPageSize(content.size() / 20, QPageSize::Point));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  writer.setResolution(kPdfResolution);
  writer.setTitle(QStringLiteral("Network topology"));
  QPainter painter;
  if (!painter.begin(&writer)) return false;
  diagram.Render(painter, QRectF(painter.viewport()));
  return painter.end();
}

}  // namespace

std::optional<DiagramFormat> FormatOfPath(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("png")) return DiagramFormat::Png;
  if (suffix == QLatin1String("svg")) return DiagramFormat::Svg;
  if (suffix == QLatin1String("pdf")) return DiagramFormat::Pdf;
  return std::nullopt;
}

QString DiagramFileFilter() {
  return QStringLiteral("PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)");
}

bool SaveDiagram(TopologyDiagram& diagram, const QString& path, DiagramFormat format,
                 QString& error) {
  const QRectF content = diagram.ContentRect();
  if (content.isEmpty()) {
    error = QStringLiteral("There is no diagram to save: run the network query first.");
    return false;
  }
  bool saved = false;
  switch (format) {
    case DiagramFormat::Png:
      saved = SavePng(diagram, path, content);
      break;
    case DiagramFormat::Svg:
      saved = SaveSvg(diagram, path, content);
      break;
    case DiagramFormat::Pdf:
      saved = SavePdf(diagram, path, content);
      break;
  }
  if (!saved) error = QStringLiteral("Can't write %1.").arg(QFileInfo(path).fileName());
  return saved;
}

void PrintDiagram(TopologyDiagram& diagram, QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return;
  diagram.Render(painter, QRectF(painter.viewport()));
}

}  // namespace netloom::view
