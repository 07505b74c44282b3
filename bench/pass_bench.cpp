// Passes a second off-screen, computing and drawing without showing: through our own
// rasterizer, and through cairo as a peer; then the ratio of the two medians.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>

#include "app/drelm_wheel.h"
#include "cairo_surface.h"
#include "canvas/world.h"
#include "platform/offscreen/scripted_host.h"

namespace {

constexpr int kCanvasWidth = drelm::kPictureWidthPx;
constexpr int kCanvasHeight = drelm::kPictureHeightPx;
constexpr int kRepetitions = 5;

void BM_PassOwnRasterizer(benchmark::State& state) {
  drelm::ScriptedHost host(kCanvasWidth, kCanvasHeight);
  drelm::DrelmWheel window(host.surface(), host);
  window.StartUp();
  for (auto _ : state) window.Pass();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PassOwnRasterizer)->MinTime(0.5)->Repetitions(kRepetitions)->ReportAggregatesOnly();

// The same passes with what they change tracked, as a window's canvas tracks it for showing, and
// taken a frame's worth of passes at a time.
void BM_PassTracked(benchmark::State& state) {
  drelm::ScriptedHost host(kCanvasWidth, kCanvasHeight);
  host.canvas().TrackChanges(true);
  drelm::DrelmWheel window(host.surface(), host);
  window.StartUp();
  constexpr int kPassesAFrame = 83;  // 5,000 a second at 60 frames a second
  int passes = 0;
  for (auto _ : state) {
    window.Pass();
    if (++passes == kPassesAFrame) {
      passes = 0;
      benchmark::DoNotOptimize(host.canvas().TakeDirtyRects());
    }
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PassTracked)->MinTime(0.5)->Repetitions(kRepetitions)->ReportAggregatesOnly();

void BM_PassCairo(benchmark::State& state) {
  drelm::ScriptedHost host(1, 1);  // only its pump: the drawing goes to cairo
  drelm::bench::CairoSurface cairo(kCanvasWidth, kCanvasHeight);
  drelm::DrelmWheel window(cairo, host);
  window.StartUp();
  for (auto _ : state) window.Pass();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PassCairo)->MinTime(0.5)->Repetitions(kRepetitions)->ReportAggregatesOnly();

// Keeps the median rate of each benchmark for the ratio printed at the end.
class MedianReporter : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal: a file gets plain text.
  MedianReporter() : ConsoleReporter(isatty(STDOUT_FILENO) == 1 ? OO_Defaults : OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const auto rate = run.counters.find("items_per_second");
      if (run.aggregate_name == "median" && rate != run.counters.end()) {
        medians[run.run_name.function_name] = rate->second.value;
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> medians;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto own = reporter.medians.find("BM_PassOwnRasterizer");
  const auto cairo = reporter.medians.find("BM_PassCairo");
  if (own != reporter.medians.end() && cairo != reporter.medians.end()) {
    std::printf("passes a second, medians of %d: own rasterizer %.0f, cairo %.0f, ratio %.1f\n",
                kRepetitions, own->second, cairo->second, own->second / cairo->second);
  }
  benchmark::Shutdown();
  return 0;
}
