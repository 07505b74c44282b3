#pragma once

#include <cstdint>
#include <vector>

namespace drelm {

// A rectangle of pixels, [x, x + w) x [y, y + h).
struct PixelRect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  bool Empty() const { return w <= 0 || h <= 0; }
};

// What a canvas's writers changed since it was last taken, for a window to show again: the
// squares written in.
class DirtySquares {
 public:
  // Squares of 32 pixels a side: a frame's lines, a few pixels wide where they swept, cover
  // little more than themselves, and marking costs a store a square.
  static constexpr int kShift = 5;
  static constexpr int kSize = 1 << kShift;

  DirtySquares(int width, int height);

  // Marks the square of a pixel on the canvas.
  void Mark(int x, int y) {
    squares_[static_cast<std::size_t>(y >> kShift) * across_ +
             static_cast<std::size_t>(x >> kShift)] = 1;
  }
  // Marks the squares of a box of pixels, inclusive bounds, all on the canvas.
  void Mark(int x0, int y0, int x1, int y1);
  void MarkAll() { Mark(0, 0, width_ - 1, height_ - 1); }

  // The marked squares as rectangles, runs along a row joined and runs alike in rows one under
  // the other joined; and forgets them.
  std::vector<PixelRect> Take();

 private:
  int width_;
  int height_;
  int across_;                         // squares a row
  std::vector<std::uint8_t> squares_;  // a flag for each square, row by row
};

}  // namespace drelm
