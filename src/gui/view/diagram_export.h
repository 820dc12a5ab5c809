// Printing the topology diagram and saving it as a picture (PNG, SVG or PDF). What goes out is
// the diagram's content, scaled to fit, on white; not the window around it. UI thread only.
#pragma once

#include <QString>
#include <optional>

class QPrinter;

namespace netloom::view {

class TopologyDiagram;

enum class DiagramFormat { Png, Svg, Pdf };

// The format a file name asks for by its suffix (either case), if it is one of the three.
std::optional<DiagramFormat> FormatOfPath(const QString& path);
// The file dialog's filter line of the three formats.
QString DiagramFileFilter();

// Writes the diagram to `path`. On failure returns false and sets `error` to one line.
bool SaveDiagram(TopologyDiagram& diagram, const QString& path, DiagramFormat format,
                 QString& error);

// Prints the diagram on one page of `printer`, scaled to the page's printable area.
void PrintDiagram(TopologyDiagram& diagram, QPrinter& printer);

}  // namespace netloom::view
