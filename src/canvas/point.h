#pragma once

namespace drelm {

// A world point in double precision; an empty one counts as (0, 0).
struct Point {
  double x = 0;
  double y = 0;
};

}  // namespace drelm
