#pragma once

#include <algorithm>
#include <cmath>

#include "canvas/world.h"

namespace drelm {

// The dots an inch the picture is drawn at for a desktop that asks for `asked`: held to the
// scales the program draws at, 384 for any finite value above them and 48 below; the normal 96
// for a value that is no finite positive number.
inline double HeldDpi(double asked) {
  if (!std::isfinite(asked) || asked <= 0) return kStandardDpi;
  return std::clamp(asked, static_cast<double>(kMinDpi), static_cast<double>(kMaxDpi));
}

}  // namespace drelm
