#include "snapshot/recording.h"

#include <algorithm>
#include <cmath>

#include "app/drelm_wheel.h"
#include "app/pi.h"
#include "canvas/world.h"
#include "files/png_file.h"
#include "linkage/crank.h"
#include "platform/common/pacer.h"
#include "platform/offscreen/scripted_host.h"
#include "snapshot/gif_file.h"
#include "snapshot/progress.h"

namespace drelm::snapshot {
namespace {

constexpr double kCentisecondsPerSecond = 100;

// Runs start-up and the passes an option asks for on an off-screen host, with a canvas at least
// as large as the window host's smallest, so the picture is the same wherever it is seen. A long
// run shows its progress on a terminal; `total` is every pass the run will make.
struct Run {
  Run(const Options& options, std::int64_t total)
      : mapping(options.dpi),
        host(std::max(mapping.PictureWidth(), options.width),
             std::max(mapping.PictureHeight(), options.height), mapping),
        window(host.surface(), host),
        progress(total) {
    window.StartUp();
    Advance(options.passes);
  }
  void Advance(std::int64_t passes) {
    for (std::int64_t i = 0; i < passes; ++i) {
      window.Pass();
      progress.Update(++done);
    }
  }
  WorldMapping mapping;
  ScriptedHost host;
  DrelmWheel window;
  Progress progress;
  std::int64_t done = 0;
};

// One turn of the crank at the window's pace, in seconds.
double RevolutionSeconds() {
  return 2 * ComputePi() / linkage::kPhaseStep / Pacer::kPassesPerSecond;
}

}  // namespace

std::int64_t PassesBeforeFrame(std::int64_t k, int fps) {
  return std::llround(static_cast<double>(k) * Pacer::kPassesPerSecond / fps);
}

int FrameDelay(std::int64_t k, int fps) {
  const auto at = [fps](std::int64_t frame) {
    return std::llround(static_cast<double>(frame) * kCentisecondsPerSecond / fps);
  };
  return static_cast<int>(at(k + 1) - at(k));
}

std::int64_t FrameCount(double seconds, int fps) {
  return std::max<std::int64_t>(1, std::llround(seconds * fps));
}

void WriteSnapshot(const Options& options) {
  // The file first: a target that cannot be written fails before a long run, not after it.
  files::AtomicFile file(options.out);
  Run run(options, options.passes);
  files::WritePng(run.host.canvas(), options.width, options.height, file);
}

void WriteRecording(const Options& options) {
  const std::int64_t frames =
      FrameCount(options.seconds.value_or(RevolutionSeconds()), options.fps);
  GifWriter gif(options.gif, options.width, options.height);
  Run run(options, options.passes + PassesBeforeFrame(frames - 1, options.fps));
  for (std::int64_t k = 0; k < frames; ++k) {
    if (k > 0)
      run.Advance(PassesBeforeFrame(k, options.fps) - PassesBeforeFrame(k - 1, options.fps));
    gif.AddFrame(run.host.canvas(), FrameDelay(k, options.fps));
  }
  gif.Commit();
}

}  // namespace drelm::snapshot
