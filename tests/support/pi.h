#pragma once

#include "app/pi.h"

namespace drelm::testing {

// pi as the window holds it, for the tests of the angle rules.
inline const double kPi = ComputePi();

}  // namespace drelm::testing
