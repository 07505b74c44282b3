// drelm-soak [PASSES]: runs the animation off-screen for ten million passes (about 800 turns of
// the crank) and checks that it has not drifted: the phase stays in (0, 2 pi] once wrapped, the
// memory in use stays where it was after the first turn, and at the end K, P and Q are where a
// fresh solve from the final phase puts them, every link at its length. Prints its figures.
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "app/drelm_wheel.h"
#include "linkage/crank.h"
#include "linkage/dyads.h"
#include "linkage/joint_solver.h"
#include "platform/offscreen/scripted_host.h"

namespace {

using namespace drelm;

constexpr long long kDefaultPasses = 10'000'000;
constexpr double kTolerance = 1e-9;  // world units

// Resident memory in kilobytes.
long ResidentKb() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * sysconf(_SC_PAGESIZE) / 1024;
}

double Distance(Point a, Point b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

int failures = 0;
void Check(bool ok, const char* what, double value) {
  if (ok) return;
  std::printf("FAIL: %s (%.12g)\n", what, value);
  ++failures;
}

}  // namespace

int main(int argc, char** argv) {
  const long long passes = argc > 1 ? std::atoll(argv[1]) : kDefaultPasses;
  if (passes < 2 * linkage::kPassesPerTurn) {
    std::fprintf(stderr, "drelm-soak: run at least %lld passes\n", 2 * linkage::kPassesPerTurn);
    return 2;
  }
  ScriptedHost host(2400, 1440);
  DrelmWheel window(host.surface(), host);
  const auto start = std::chrono::steady_clock::now();
  window.StartUp();
  const double pi = window.pi.Value();
  bool wrapped = false;
  double lowest = 10, highest = -10;
  long first_rss = 0, peak_rss = 0;
  for (long long pass = 1; pass <= passes; ++pass) {
    const double before = window.motion().phase;
    window.Pass();
    const double s = window.motion().phase;
    if (s < before) wrapped = true;
    if (wrapped) lowest = std::min(lowest, s), highest = std::max(highest, s);
    if (pass == linkage::kPassesPerTurn) first_rss = ResidentKb();
    if (pass % linkage::kPassesPerTurn == 0) peak_rss = std::max(peak_rss, ResidentKb());
  }
  const long last_rss = ResidentKb();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  Check(lowest > 0, "the phase fell to 0 or below after wrapping", lowest);
  Check(highest <= 2 * pi, "the phase went past 2 pi", highest);
  Check(last_rss <= first_rss + 256, "memory grew after the first turn (kB)",
        static_cast<double>(last_rss - first_rss));
  const auto& l = window.motion();
  const Point k = linkage::CrankPin(l.phase);
  const auto p =
      linkage::SolveJoint(linkage::FixedPivot(), k, linkage::kLinkAP, linkage::kLinkKP, pi);
  const auto q =
      p ? linkage::SolveJoint({0, 0}, *p, linkage::kArmOQ, linkage::kLinkPQ, pi) : std::nullopt;
  Check(p && q, "a fresh solve found no joint", 0);
  if (p && q) {
    Check(Distance(k, l.pin) < kTolerance, "K is not where the phase puts it", Distance(k, l.pin));
    Check(Distance(*p, l.p) < kTolerance, "P is not where a fresh solve puts it",
          Distance(*p, l.p));
    Check(Distance(*q, l.q) < kTolerance, "Q is not where a fresh solve puts it",
          Distance(*q, l.q));
  }
  const Point pm{window.x.Value(), window.y.Value()};
  Check(std::fabs(Distance(pm, l.pivot) - linkage::kLinkAP) < kTolerance, "A-P",
        Distance(pm, l.pivot));
  Check(std::fabs(Distance(pm, l.pin) - linkage::kLinkKP) < kTolerance, "K-P", Distance(pm, l.pin));
  Check(std::fabs(Distance(l.q, {0, 0}) - linkage::kArmOQ) < kTolerance, "O-Q",
        Distance(l.q, {0, 0}));
  Check(std::fabs(Distance(l.q, pm) - linkage::kLinkPQ) < kTolerance, "P-Q", Distance(l.q, pm));

  std::printf("soak: %lld passes (%.0f turns) in %.1f s, %.0f passes a second\n", passes,
              static_cast<double>(passes) / linkage::kPassesPerTurn, seconds, passes / seconds);
  std::printf("soak: phase after the first wrap in [%.9f, %.9f]; 2 pi = %.9f\n", lowest, highest,
              2 * pi);
  std::printf("soak: resident memory after the first turn %ld kB, at the end %ld kB, peak %ld kB\n",
              first_rss, last_rss, peak_rss);
  std::printf("soak: %s\n", failures == 0 ? "passed" : "FAILED");
  return failures == 0 ? 0 : 1;
}
