#include "platform/common/pacer.h"

#include <gtest/gtest.h>

namespace drelm {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

// Runs passes that each take `pass_cost` as the pacer lets them, for `span` of clock time;
// returns how many ran and how many frames were shown.
struct Tally {
  int passes = 0;
  int shows = 0;
};

Tally Simulate(Pacer& pacer, Pacer::Time& now, Pacer::Clock::duration span,
               Pacer::Clock::duration pass_cost) {
  Tally run;
  const Pacer::Time end = now + span;
  while (now < end) {
    now += pass_cost;
    ++run.passes;
    const Pacer::Step step = pacer.AfterPass(now);
    run.shows += step.show;
    if (step.resume_at > now) now = step.resume_at;
  }
  return run;
}

TEST(Pacer, HoldsPassesToTheClockAndShowsAtTheDisplaysPace) {
  Pacer pacer;
  Pacer::Time now{};
  const Tally run = Simulate(pacer, now, std::chrono::seconds(10), microseconds(3));
  EXPECT_NEAR(run.passes, 50000, 100);
  EXPECT_NEAR(run.shows, 600, 10);
}

TEST(Pacer, PassesRunInABurstBetweenFrames) {
  Pacer pacer;
  Pacer::Time now{};
  Pacer::Step step = pacer.AfterPass(now);
  EXPECT_TRUE(step.show);  // the first pass shows at once
  EXPECT_GE(step.resume_at - now, milliseconds(16));
  now = step.resume_at;
  int burst = 0;
  do {
    step = pacer.AfterPass(now);
    ++burst;
  } while (step.resume_at <= now);
  EXPECT_NEAR(burst, 83, 1);  // a frame's worth of passes
  EXPECT_TRUE(step.show);
}

TEST(Pacer, NoCatchUpAfterARestart) {
  Pacer pacer;
  Pacer::Time now{};
  Simulate(pacer, now, std::chrono::seconds(1), microseconds(3));
  now += std::chrono::seconds(30);  // a long pause
  pacer.Restart();
  const Tally run = Simulate(pacer, now, std::chrono::seconds(1), microseconds(3));
  EXPECT_NEAR(run.passes, 5000, 100);
}

TEST(Pacer, FallingBehindStartsTheScheduleAgain) {
  Pacer pacer;
  Pacer::Time now{};
  Simulate(pacer, now, std::chrono::seconds(1), microseconds(3));
  now += std::chrono::seconds(2);  // the process was stopped for a while, with no pause
  const Tally after = Simulate(pacer, now, std::chrono::seconds(1), microseconds(3));
  EXPECT_NEAR(after.passes, 5000, 100);  // no burst to make up for the lost time
}

TEST(Pacer, ASlowMachineStillShowsFrames) {
  Pacer pacer;
  Pacer::Time now{};
  const Tally run = Simulate(pacer, now, std::chrono::seconds(2), milliseconds(1));
  EXPECT_NEAR(run.passes, 2000, 20);  // as many as it can
  EXPECT_GE(run.shows, 50);
}

// A browser's way: at each frame, the passes due by the frame's time, frames `gap` apart.
int PassesInFrames(Pacer& pacer, Pacer::Time& now, Pacer::Clock::duration span,
                   Pacer::Clock::duration gap) {
  int passes = 0;
  for (const Pacer::Time end = now + span; now < end; now += gap) {
    do ++passes;
    while (pacer.AfterPass(now).resume_at <= now);
  }
  return passes;
}

TEST(Pacer, FramesFarApartKeepThePaceAndAStallStillStartsAgain) {
  for (const auto gap : {milliseconds(16), milliseconds(60), milliseconds(100)}) {
    Pacer pacer(Pacer::kMaxFrameLag);
    Pacer::Time now{};
    EXPECT_NEAR(PassesInFrames(pacer, now, std::chrono::seconds(10), gap), 50000, 600)
        << gap.count() << " ms apart";
    now += std::chrono::seconds(1);  // a frozen page
    EXPECT_LE(PassesInFrames(pacer, now, milliseconds(200), gap), 1000 + 600);
  }
}

}  // namespace
}  // namespace drelm
