#pragma once

#include <chrono>
#include <cstdint>

namespace drelm::snapshot {

// A self-rewriting line on standard error telling how a long run of passes goes: the passes
// done, their rate and the time left. Only on a terminal, and only once the run has taken more
// than a second; the line is cleared when the run ends.
class Progress {
 public:
  explicit Progress(std::int64_t total);
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  // `done` passes of the total have run. Cheap enough to call after every pass.
  void Update(std::int64_t done);

 private:
  using Clock = std::chrono::steady_clock;

  bool on_terminal_;
  bool shown_ = false;
  std::int64_t total_;
  Clock::time_point start_;
  Clock::time_point next_;
};

}  // namespace drelm::snapshot
