#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "canvas/colour.h"
#include "canvas/dirty_squares.h"
#include "canvas/world.h"

// The rules every window host follows for the area it shows the canvas in.
namespace drelm {

// A size in pixels.
struct PixelSize {
  int width = 0;
  int height = 0;
};

// The image a host turns changed rectangles into before it puts them on the screen, bytes: as
// wide as the area shown, a megabyte in all, room for most frames' rectangles at once.
inline constexpr std::size_t kBandImageBytes = std::size_t{1} << 20;
// Its rows at `width` pixels of 4 bytes (the widest any screen takes): at least one.
constexpr int BandImageRows(int width) {
  return static_cast<int>(
      std::max<std::size_t>(kBandImageBytes / (static_cast<std::size_t>(width) * 4), 1));
}

// What a window shows beyond the canvas, where it is larger still: the background.
inline constexpr Rgb kBeyondCanvas = PixelOf(kBackground);

// The canvas a window draws in: the whole picture at the mapping's scale, and at least the
// largest display, so that a window enlarged to fill any display still shows canvas.
inline PixelSize CanvasFor(const WorldMapping& mapping, PixelSize largest_display) {
  return {std::max(mapping.PictureWidth(), largest_display.width),
          std::max(mapping.PictureHeight(), largest_display.height)};
}

// Whether a window is too large for a buffer of its own of 4 bytes a pixel, whose size the X
// protocol and Wayland's shared memory count in 32 bits (beyond about 23170 x 23170): a way of
// showing that needs one then shows nothing until the window is smaller again, rather than fail.
inline bool TooLargeForABuffer(PixelSize window) {
  constexpr std::int64_t kLargestBuffer = std::numeric_limits<std::int32_t>::max();
  return std::int64_t{window.width} * window.height * 4 > kLargestBuffer;
}

// A place on the desktop, in pixels from its upper left.
struct DesktopPoint {
  int x = 0;
  int y = 0;
};

// Where a window of `size` opens on a desktop whose usable area (without its panels) is `usable`:
// where the desktop puts it, unless it is larger than that area; then at the area's upper left,
// so that it shows the upper left of the picture and not the middle of a window centred beyond
// the screen's edges.
inline std::optional<DesktopPoint> OpeningPlace(PixelSize size, const PixelRect& usable) {
  if (usable.Empty() || (size.width <= usable.w && size.height <= usable.h)) return std::nullopt;
  return DesktopPoint{usable.x, usable.y};
}

// The part of `rect` inside [0, width) x [0, height); empty when none.
inline PixelRect Within(const PixelRect& rect, int width, int height) {
  const int x0 = std::max(rect.x, 0), y0 = std::max(rect.y, 0);
  const int x1 = std::min(rect.x + rect.w, width), y1 = std::min(rect.y + rect.h, height);
  return {x0, y0, std::max(x1 - x0, 0), std::max(y1 - y0, 0)};
}

// The part of a window the canvas covers, from its upper left.
inline PixelSize ShownArea(PixelSize window, PixelSize canvas) {
  return {std::min(window.width, canvas.width), std::min(window.height, canvas.height)};
}

// Cuts changed rectangles to the area shown, leaving out those wholly beyond it: what a host
// does once before it hands them to whatever shows them.
inline void KeepWithin(std::vector<PixelRect>& rects, PixelSize shown) {
  for (PixelRect& rect : rects) rect = Within(rect, shown.width, shown.height);
  std::erase_if(rects, [](const PixelRect& rect) { return rect.Empty(); });
}

}  // namespace drelm
