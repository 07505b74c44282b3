#pragma once

#include "canvas/canvas.h"

namespace drelm {

inline constexpr int kWindowIconSize = 64;  // pixels a side

// The application's icon: the wheel with its crank and a dyad, drawn by the program's own
// rasterizer in the picture's colours.
Canvas DrawWindowIcon();

}  // namespace drelm
