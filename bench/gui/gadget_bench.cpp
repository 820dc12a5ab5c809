// How long the Gadget Tool pane takes to scan a folder of 200 gadgets (the shipped pictures,
// copied) and to build and lay out its items. Run: build/default/bench/gadget_bench
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "gui/gadget/gadget_folders.h"
#include "gui/gadget/gadget_scan.h"
#include "gui/gadget/gadget_tool.h"

namespace netloom::gadget {
namespace {

constexpr int kGadgets = 200;

// A folder of 200 gadgets cycling through the shipped ones.
class GadgetFolder {
 public:
  GadgetFolder() {
    const QDir shipped(BuiltInGadgetFolder());
    const QStringList kinds = shipped.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (int i = 0; i < kGadgets; ++i) {
      const QString kind = kinds[i % kinds.size()];
      const QString dir = QStringLiteral("%1/%2.%3").arg(path(), kind).arg(i);
      QDir().mkpath(dir);
      for (const char* picture : {"icon.png", "drag.png"})
        QFile::copy(shipped.filePath(kind + u'/' + QLatin1String(picture)),
                    dir + u'/' + QLatin1String(picture));
    }
  }
  QString path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
};

void BM_Scan200(benchmark::State& state) {
  const GadgetFolder folder;
  for (auto _ : state) benchmark::DoNotOptimize(ScanGadgets({folder.path()}));
}
BENCHMARK(BM_Scan200)->Unit(benchmark::kMillisecond);

// Scan, 200 items with their labels, layout at the pane's default width.
void BM_Pane200(benchmark::State& state) {
  const GadgetFolder folder;
  for (auto _ : state) {
    CGadgetTool tool({{folder.path()}, folder.path(), {}});
    tool.resize(280, 200);
    benchmark::DoNotOptimize(tool.view()->items().size());
  }
}
BENCHMARK(BM_Pane200)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace netloom::gadget
