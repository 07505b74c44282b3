#pragma once

#include <cstdint>
#include <vector>

namespace drelm {

inline constexpr int kWindowIconSize = 64;  // pixels a side of the icon the window carries

// The application's icon as the window carries it: its pixels as 0xAARRGGBB, alpha not
// premultiplied, row by row. Rendered at build time from the same SVG as the installed icons
// (data/icons/drelm-wheel.svg). Empty if it cannot be read, which leaves the window without one.
struct IconImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;
};
IconImage WindowIcon();

}  // namespace drelm
