// The time to show a changed frame in the real window (run under Xvfb): a frame's worth of passes
// is drawn untimed, then the changed part is sent to the screen.
#include <benchmark/benchmark.h>

#include "app/drelm_wheel.h"
#include "platform/common/pacer.h"
#include "platform/offscreen/scripted_host.h"
#include "platform/x11/x11_host.h"

namespace {

constexpr int kPassesPerFrame =
    static_cast<int>(drelm::Pacer::kPassesPerSecond / drelm::Pacer::kFramesPerSecond);

void BM_ShowChangedFrame(benchmark::State& state) {
  drelm::X11Host host;
  host.SetClientSize({static_cast<int>(state.range(0)), static_cast<int>(state.range(1))});
  drelm::ScriptedHost pump(1, 1);  // passes without the window's pacing
  drelm::DrelmWheel window(host.surface(), pump);
  window.StartUp();
  for (int i = 0; i < 5000; ++i) window.Pass();
  host.ShowFrameAndWait();
  for (auto _ : state) {
    state.PauseTiming();
    for (int i = 0; i < kPassesPerFrame; ++i) window.Pass();
    state.ResumeTiming();
    host.ShowFrameAndWait();
  }
}
BENCHMARK(BM_ShowChangedFrame)
    ->Args({748, 539})
    ->Args({1280, 640})
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.2)  // of showing: the untimed passes between take many times that
    ->Repetitions(3)
    ->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
