#pragma once

#include <cmath>

namespace drelm {

// pi as the window computes it at start-up, 4 atan(1): the one value every angle is reckoned with.
inline double ComputePi() {
  return 4 * std::atan(1.0);
}

}  // namespace drelm
