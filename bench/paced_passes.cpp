// The window's passes, paced as the window paces them and with no window: 5,000 a second, run
// in a burst before each of 60 frames a second and asleep between, on a canvas in memory. A
// machine runs short bursts after sleeps slower than one long run, so this tells what the
// window's passes cost where they run as the window runs them, apart from what showing them
// costs. Prints the share of a core it took. Usage: drelm-bench-paced SECONDS
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "app/drelm_wheel.h"
#include "app/host.h"
#include "app/program_end.h"
#include "canvas/canvas.h"
#include "canvas/world.h"
#include "canvas/world_canvas.h"
#include "platform/common/pacer.h"

namespace {

using drelm::Pacer;

constexpr int kMaxSeconds = 600;

// The window's pacing without its window: sleeps until the next pass is due, and ends the
// program after `span`.
class SleepingPump final : public drelm::Host {
 public:
  explicit SleepingPump(std::chrono::seconds span) : end_(Pacer::Clock::now() + span) {}
  void DoEvents(drelm::WindowInput&) override {
    const Pacer::Time now = Pacer::Clock::now();
    if (now >= end_) drelm::End();
    std::this_thread::sleep_until(pacer_.AfterPass(now).resume_at);
  }

 private:
  Pacer pacer_;
  Pacer::Time end_;
};

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string arg = argc == 2 ? argv[1] : "";
  const bool digits =
      !arg.empty() && arg.size() <= 3 && arg.find_first_not_of("0123456789") == std::string::npos;
  const int seconds = digits ? std::stoi(arg) : 0;
  if (seconds < 1 || seconds > kMaxSeconds) {
    std::fprintf(stderr, "usage: drelm-bench-paced SECONDS (1 to %d)\n", kMaxSeconds);
    return 2;
  }
  drelm::Canvas canvas(drelm::kPictureWidthPx, drelm::kPictureHeightPx);
  canvas.TrackChanges(false);  // what showing needs is the window's own cost
  drelm::WorldCanvas surface(canvas, drelm::WorldMapping());
  SleepingPump host{std::chrono::seconds(seconds)};
  drelm::DrelmWheel window(surface, host);
  const auto start = Pacer::Clock::now();
  const double cpu_start = CpuSeconds();
  try {
    window.Activate();
  } catch (const drelm::ProgramEnded&) {
  }
  const std::chrono::duration<double> wall = Pacer::Clock::now() - start;
  std::printf("%.1f\n", 100 * (CpuSeconds() - cpu_start) / wall.count());
  return 0;
}
