#pragma once

#include <chrono>

namespace drelm {

// Holds the passes to the wall clock and the showing of the picture to the display's pace.
// Passes run in short bursts between frames: each frame shows the passes its time has come for.
// When the passes stop (a pause) or fall too far behind, the schedule starts again from now, so
// the picture never jumps and never races to catch up.
class Pacer {
 public:
  using Clock = std::chrono::steady_clock;
  using Time = Clock::time_point;

  static constexpr double kPassesPerSecond = 5000;  // a turn of the crank in about 2.5 s
  static constexpr double kFramesPerSecond = 60;
  // Further behind than this and the schedule starts again from now, for a host that asks after
  // every pass.
  static constexpr std::chrono::milliseconds kMaxLag{50};
  // The same for a host that runs the passes due once a frame (a browser's): more than the gap
  // between frames that come as seldom as 10 a second, and well under the second of a stall.
  static constexpr std::chrono::milliseconds kMaxFrameLag{250};

  struct Step {
    bool show;       // show the picture now
    Time resume_at;  // start the next pass no earlier than this
  };

  explicit Pacer(Clock::duration max_lag = kMaxLag) : max_lag_(max_lag) {}

  // A pass has just ended at `now`.
  Step AfterPass(Time now);
  // The passes stopped for a while: the next one starts the schedule again.
  void Restart() { restart_ = true; }

 private:
  Clock::duration max_lag_;
  bool restart_ = true;
  Time origin_{};
  long long passes_ = 0;  // passes since origin_
  Time next_show_{};
};

}  // namespace drelm
