// Speed of the graph window's drawing: one full draw of the percent permeability against DC bias
// of all fourteen materials (the busiest material graph) on a 1920 x 1080 image through the
// QPainter surface, as the window's paint handler draws it (goal: at most 10 ms).
// Run: ./build/release/korvell_ui_bench --benchmark_filter=Graph --benchmark_repetitions=5
// --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "graphs/GraphPage.h"
#include "graphs/GraphRequest.h"
#include "platform/Messages.h"
#include "platform/qt/QtCanvas.h"

namespace korvell {
namespace {

void GraphKind2FourteenMaterialsOnFullHdImage(benchmark::State& state) {
    DesignRecord record;
    requestMaterialGraph(record, kPercentPermVsDcBias);
    SilentMessages messages;
    QImage image(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    int curves = 0;
    for (auto _ : state) {
        QPainter painter(&image);
        QtCanvas canvas(painter, image.width(), image.height());
        curves = drawGraphPage(canvas, record, messages, GraphView{}).curvesDrawn;
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    if (curves != 14) state.SkipWithError("the graph did not draw fourteen curves");
}
BENCHMARK(GraphKind2FourteenMaterialsOnFullHdImage)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvell
