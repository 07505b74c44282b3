#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
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

// What a window shows beyond the canvas, where it is larger still: the background.
inline constexpr Rgb kBeyondCanvas = PixelOf(kBackground);

// The canvas a window draws in: the whole picture at the mapping's scale, and at least the
// largest display, so that a window enlarged to fill any display still shows canvas.
inline PixelSize CanvasFor(const WorldMapping& mapping, PixelSize largest_display) {
  return {std::max(mapping.PictureWidth(), largest_display.width),
          std::max(mapping.PictureHeight(), largest_display.height)};
}

// Whether a window is too large for a buffer of its own of 4 bytes a pixel, whose size SDL and the
// X protocol count in 32 bits (beyond about 23170 x 23170): a way of showing that needs one then
// shows nothing until the window is smaller again, rather than fail.
inline bool TooLargeForABuffer(PixelSize window) {
  constexpr std::int64_t kLargestBuffer = std::numeric_limits<std::int32_t>::max();
  return std::int64_t{window.width} * window.height * 4 > kLargestBuffer;
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
