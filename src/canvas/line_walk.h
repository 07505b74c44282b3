#pragma once

#include <cstddef>
#include <cstdint>

#include "canvas/colour.h"

namespace drelm {

// Walks the minor coordinate of a line one major step at a time: at step i it is
// start + round(i * minor / major) (halves upward), kept as a quotient and a remainder so that a
// step costs an addition and a comparison. |minor| <= major, major > 0.
class LineWalk {
 public:
  LineWalk(std::int64_t start, std::int64_t minor, std::int64_t major, std::int64_t first_step)
      : step_(2 * minor), limit_(2 * major), inverse_limit_(1.0 / static_cast<double>(limit_)) {
    const std::int64_t num = 2 * first_step * minor + major;
    value_ = start + FloorDiv(num, limit_);
    rest_ = num - FloorDiv(num, limit_) * limit_;
  }
  std::int64_t value() const { return value_; }

  // The minor coordinate `steps` steps on from value(), without walking there: the floor of the
  // remainder to come over the limit. A product with the limit's inverse (a division would cost
  // more) is off by far less than the quotient's least step, 1 / limit, so its integer part is
  // off by at most one, which the integer remainder it leaves puts right.
  std::int64_t ValueAt(std::int64_t steps) const {
    const std::int64_t num = rest_ + steps * step_;
    auto q = static_cast<std::int64_t>(static_cast<double>(num) * inverse_limit_);
    const std::int64_t r = num - q * limit_;
    q -= r < 0 ? 1 : 0;
    q += r >= limit_ ? 1 : 0;
    return value_ + q;
  }

  // Writes `count` pixels from `at`, `major_stride` apart, moving on by `minor_stride` as the
  // minor coordinate steps: the walk of value() and Next(), for a stretch known to lie on the
  // canvas, with nothing tested but the remainder. Returns where the next step's pixel lies; the
  // walk goes on from there with another Write. value() is left behind.
  std::uint8_t* Write(std::uint8_t* at, std::int64_t count, std::ptrdiff_t major_stride,
                      std::ptrdiff_t minor_stride, std::uint8_t bits) {
    // The walk in locals: a byte stored may alias anything, and the members would be read again
    // after every store. Plain conditions, which the compiler makes branches: a pass draws the
    // same lines as the pass before it, near enough, so they are foreseen well, and a branch
    // foreseen costs less than the masks that avoid it (they lengthen the chain through the
    // remainder).
    const std::int64_t step = step_, limit = limit_;
    std::int64_t rest = rest_;
    if (step >= 0) {
      for (std::int64_t i = 0; i < count; ++i, at += major_stride) {
        *at = bits;
        rest += step;
        const bool on = rest >= limit;
        rest -= on ? limit : 0;
        at += on ? minor_stride : 0;
      }
    } else {
      for (std::int64_t i = 0; i < count; ++i, at += major_stride) {
        *at = bits;
        rest += step;
        const bool back = rest < 0;
        rest += back ? limit : 0;
        at -= back ? minor_stride : 0;
      }
    }
    rest_ = rest;
    return at;
  }

  // How many steps on from value() the minor coordinate first is `target`, which lies the way
  // the walk goes: the least k whose remainder to come, rest + k * step, reaches the limit's
  // multiple that makes it so.
  std::int64_t StepsUntil(std::int64_t target) const {
    if (target > value_) return CeilDiv((target - value_) * limit_ - rest_, step_);
    return (rest_ + (value_ - target - 1) * limit_) / -step_ + 1;
  }

  void Next() {
    rest_ += step_;
    if (rest_ >= limit_) {
      rest_ -= limit_;
      ++value_;
    } else if (rest_ < 0) {
      rest_ += limit_;
      --value_;
    }
  }

 private:
  // For n >= 0 and d > 0.
  static std::int64_t CeilDiv(std::int64_t n, std::int64_t d) { return (n + d - 1) / d; }
  static std::int64_t FloorDiv(std::int64_t n, std::int64_t d) {
    std::int64_t q = n / d;
    if ((n % d != 0) && ((n < 0) != (d < 0))) --q;
    return q;
  }
  std::int64_t step_, limit_;
  double inverse_limit_;
  std::int64_t value_ = 0, rest_ = 0;
};

}  // namespace drelm
