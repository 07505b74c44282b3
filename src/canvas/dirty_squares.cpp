#include "canvas/dirty_squares.h"

#include <algorithm>
#include <cstring>

namespace drelm {

DirtySquares::DirtySquares(int width, int height)
    : width_(width),
      height_(height),
      across_((width + kSize - 1) >> kShift),
      squares_(static_cast<std::size_t>(across_) * ((height + kSize - 1) >> kShift), 0) {}

void DirtySquares::Mark(int x0, int y0, int x1, int y1) {
  for (int sy = y0 >> kShift; sy <= y1 >> kShift; ++sy) {
    std::uint8_t* row = &squares_[static_cast<std::size_t>(sy) * across_];
    std::fill(row + (x0 >> kShift), row + (x1 >> kShift) + 1, std::uint8_t{1});
  }
}

std::vector<PixelRect> DirtySquares::Take() {
  std::vector<PixelRect> rects;
  const int down = static_cast<int>(squares_.size()) / across_;
  // The rectangles that reach the row above lie from `above_begin` to `above_end`, in order
  // across: each run of this row is matched against them as the row is walked.
  std::size_t above_begin = 0, above_end = 0;
  for (int sy = 0; sy < down; ++sy) {
    const std::uint8_t* row = &squares_[static_cast<std::size_t>(sy) * across_];
    const int y = sy << kShift;
    const int h = std::min(kSize, height_ - y);
    std::size_t above = above_begin;
    const std::size_t row_begin = rects.size();
    for (int sx = 0; sx < across_; ++sx) {
      // Most squares are unmarked: memchr passes over them many at a time.
      const void* marked = std::memchr(row + sx, 1, static_cast<std::size_t>(across_ - sx));
      if (marked == nullptr) break;
      sx = static_cast<int>(static_cast<const std::uint8_t*>(marked) - row);
      const int run_start = sx;
      while (sx + 1 < across_ && row[sx + 1] != 0) ++sx;
      const int x = run_start << kShift;
      const int w = std::min((sx + 1) << kShift, width_) - x;
      while (above < above_end && rects[above].x < x) ++above;
      if (above < above_end && rects[above].x == x && rects[above].w == w) {
        // Grown by this run and moved to this row's end, where the row below looks for it.
        PixelRect grown = rects[above];
        grown.h += h;
        rects[above].w = 0;
        rects.push_back(grown);
      } else {
        rects.push_back({x, y, w, h});
      }
    }
    above_begin = row_begin;
    above_end = rects.size();
  }
  std::erase_if(rects, [](const PixelRect& rect) { return rect.Empty(); });
  std::fill(squares_.begin(), squares_.end(), std::uint8_t{0});
  return rects;
}

}  // namespace drelm
