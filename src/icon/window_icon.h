#pragma once

#include <string>

#include "canvas/canvas.h"

namespace drelm {

inline constexpr int kWindowIconSize = 64;  // pixels a side of the icon the window carries

// The application's icon: the wheel with its crank and a dyad, in the picture's colours, drawn by
// the program's own rasterizer at any size. The window carries it at kWindowIconSize; the
// installed theme icons are made from the same drawing.
Canvas DrawWindowIcon(int size = kWindowIconSize);

// The same drawing as scalable vector graphics.
std::string WindowIconSvg();

}  // namespace drelm
