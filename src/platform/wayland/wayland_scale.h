#pragma once

#include "platform/common/window_area.h"

// How a Wayland window's logical size, its pixels and the desktop's scale relate: plain
// arithmetic, the same for whole scales (wl_output) and fractional ones (wp_fractional_scale_v1,
// which counts in 120ths).
namespace drelm {

// A scale in 120ths: 120 is 100 %, 150 is 125 %, 240 is 200 %.
struct WaylandScale {
  static constexpr int kDenominator = 120;
  int n120 = kDenominator;

  static constexpr WaylandScale Whole(int factor) { return {factor * kDenominator}; }
  double Factor() const { return static_cast<double>(n120) / kDenominator; }
  bool IsWhole() const { return n120 % kDenominator == 0; }
  friend bool operator==(WaylandScale, WaylandScale) = default;
};

// The scale the picture is drawn at on a desktop of `desktop`: held to the dots an inch the
// program draws at (48 to 384, as on every host), so 500 % draws at 400 % and the compositor
// enlarges the rest. A scale that is no positive number is 100 %.
WaylandScale HeldScale(WaylandScale desktop);

// The dots an inch a window of that scale draws at: 96 a logical inch.
double DpiOf(WaylandScale scale);

// The pixels of a surface `logical` points large at `scale`: rounded half away from zero, as the
// fractional-scale protocol asks, and at least one.
PixelSize PixelsOf(PixelSize logical, WaylandScale scale);

// The logical size of a window of `pixels`: what the window asks the compositor for.
PixelSize LogicalOf(PixelSize pixels, WaylandScale scale);

// A pointer at `logical` (points, fractional) as a pixel of the window.
double PixelOf(double logical, WaylandScale scale);

}  // namespace drelm
