#include "platform/wayland/wayland_scale.h"

#include <algorithm>
#include <cmath>

#include "platform/common/desktop_scale.h"

namespace drelm {

WaylandScale HeldScale(WaylandScale desktop) {
  if (desktop.n120 <= 0) return {};
  const double dpi = HeldDpi(kStandardDpi * desktop.Factor());
  return {static_cast<int>(std::lround(dpi / kStandardDpi * WaylandScale::kDenominator))};
}

double DpiOf(WaylandScale scale) {
  return kStandardDpi * scale.Factor();
}

PixelSize PixelsOf(PixelSize logical, WaylandScale scale) {
  const auto scaled = [&](int points) {
    return std::max(1, static_cast<int>(std::lround(points * scale.Factor())));
  };
  return {scaled(logical.width), scaled(logical.height)};
}

PixelSize LogicalOf(PixelSize pixels, WaylandScale scale) {
  const auto unscaled = [&](int count) {
    return std::max(1, static_cast<int>(std::lround(count / scale.Factor())));
  };
  return {unscaled(pixels.width), unscaled(pixels.height)};
}

double PixelOf(double logical, WaylandScale scale) {
  return logical * scale.Factor();
}

}  // namespace drelm
