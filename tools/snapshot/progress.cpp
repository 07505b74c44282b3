#include "snapshot/progress.h"

#include <unistd.h>

#include <cstdio>

namespace drelm::snapshot {
namespace {

constexpr auto kQuietStart = std::chrono::seconds(1);      // short runs say nothing
constexpr auto kRefresh = std::chrono::milliseconds(250);  // how often the line changes
constexpr std::int64_t kPassesBetweenClockReads = 1024;    // a clock read costs a pass or so

}  // namespace

Progress::Progress(std::int64_t total)
    : on_terminal_(isatty(STDERR_FILENO) == 1),
      total_(total),
      start_(Clock::now()),
      next_(start_ + kQuietStart) {}

Progress::~Progress() {
  if (shown_) std::fputs("\r\033[K", stderr);
}

void Progress::Update(std::int64_t done) {
  if (!on_terminal_ || done % kPassesBetweenClockReads != 0) return;
  const Clock::time_point now = Clock::now();
  if (now < next_) return;
  next_ = now + kRefresh;
  shown_ = true;
  const double seconds = std::chrono::duration<double>(now - start_).count();
  const double rate = done / seconds;
  const auto left = static_cast<long long>((total_ - done) / rate);
  std::fprintf(stderr, "\r\033[Kdrelm-wheel-snapshot: %lld of %lld passes, %.0f a second, ",
               static_cast<long long>(done), static_cast<long long>(total_), rate);
  if (left >= 3600) {
    std::fprintf(stderr, "%lld h %02lld min left", left / 3600, left % 3600 / 60);
  } else {
    std::fprintf(stderr, "%lld min %02lld s left", left / 60, left % 60);
  }
  std::fflush(stderr);
}

}  // namespace drelm::snapshot
