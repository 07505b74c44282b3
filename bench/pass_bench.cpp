// Passes a second off-screen: the computing and drawing of the animation, without showing it.
#include <benchmark/benchmark.h>

#include "app/drelm_wheel.h"
#include "platform/offscreen_host.h"

namespace {

constexpr int kCanvasWidth = 2400;
constexpr int kCanvasHeight = 1440;

void BM_Pass(benchmark::State& state) {
  drelm::OffscreenHost host(kCanvasWidth, kCanvasHeight);
  drelm::DrelmWheel window(host.surface(), host);
  window.StartUp();
  for (auto _ : state) window.Pass();
  state.SetItemsProcessed(state.iterations());
  state.SetLabel("items/s = passes a second");
}
BENCHMARK(BM_Pass)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
