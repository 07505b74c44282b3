#include "platform/common/pacer.h"

#include <algorithm>

namespace drelm {
namespace {

using Duration = Pacer::Clock::duration;

constexpr Duration kPassTime = std::chrono::duration_cast<Duration>(
    std::chrono::duration<double>(1.0 / Pacer::kPassesPerSecond));
constexpr Duration kFrameTime = std::chrono::duration_cast<Duration>(
    std::chrono::duration<double>(1.0 / Pacer::kFramesPerSecond));

}  // namespace

Pacer::Step Pacer::AfterPass(Time now) {
  if (restart_) {
    restart_ = false;
    origin_ = now;
    passes_ = 0;
    next_show_ = now;
  }
  ++passes_;
  Time due = origin_ + passes_ * kPassTime;
  if (now - due > max_lag_) {
    origin_ = now;
    passes_ = 0;
    due = now;
  }
  if (due > now) {
    // On schedule: show this frame, then sleep until the next pass and the next frame are due.
    const bool show = now >= next_show_;
    if (show) next_show_ = now + kFrameTime;
    return {show, std::max(due, next_show_)};
  }
  // Behind: keep computing, and show only when a whole frame late.
  const bool show = now >= next_show_ + kFrameTime;
  if (show) next_show_ = now + kFrameTime;
  return {show, now};
}

}  // namespace drelm
