#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "canvas/colour.h"
#include "canvas/dirty_squares.h"
#include "canvas/pixel_memory.h"

namespace drelm {

class LineWalk;

// The largest canvas, pixels a side: far beyond any display, and small enough that pixel
// indices stay well within their types.
inline constexpr int kMaxCanvasSide = 1 << 16;
// The most colours one canvas holds: a pixel is a byte. The picture has a handful.
inline constexpr int kMaxCanvasColours = 256;

// A pixel as the canvas holds it: the number of its colour among the canvas's, 0 the background's,
// so that zeroed memory is background without a byte written. Canvas::Decode gives its colour.
struct StoredPixel {
  std::uint8_t index;
};

// The picture, held in plain memory for the life of the program. The window only shows it, so it
// survives the window being covered, resized or minimized. A pixel is one byte, the number of its
// colour in the canvas's table of the colours drawn (a colour beyond the 256th is a run-time
// error). Its background costs no memory until something is drawn over it: the memory comes
// zeroed from the system, and zero is background. The pixels lie in strips 256 columns wide, row
// by row within a strip, so that a page of memory holds 16 rows of a strip rather than a stretch
// of one long row: what a line passes through is about all it brings into memory.
//
// The raster operations take continuous pixel coordinates of any size. Each one clips in wide
// arithmetic before it touches a pixel, so no pixel loop runs longer than the canvas is wide or
// tall, and nothing is written outside it. Input that is not a finite number draws nothing.
class Canvas {
 public:
  // A canvas all background. Throws std::bad_alloc when the system has not the memory for it.
  Canvas(int width, int height);
  // The pixels stay where they are: a canvas is neither copied nor moved.
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  Rgb At(int x, int y) const { return Decode(Stored()[Index(x, y)]); }
  // The pixels of row y from column `left` up to `right` as the canvas holds them, a run at a
  // time: `run(x, pixels, count)` for each stretch that lies together in memory, left to right.
  // Decode gives their colours.
  template <typename Run>
  void ForEachRun(int y, int left, int right, Run&& run) const {
    for (int x = left; x < right;) {
      const int count = std::min(right - x, kStripWidth - (x & kStripMask));
      run(x, Stored() + Index(x, y), count);
      x += count;
    }
  }
  Rgb Decode(StoredPixel pixel) const { return colours_[pixel.index]; }
  // Pixels read a word at a time: most of a picture is background, and a word of zeros is
  // kPixelsAWord pixels of it.
  static constexpr int kPixelsAWord = sizeof(std::uint64_t);
  static bool AllBackground(const StoredPixel* pixels) {
    std::uint64_t word;
    std::memcpy(&word, pixels, sizeof word);
    return word == 0;
  }
  // The colours drawn so far, by their numbers: what a pixel's number may be is below this.
  int colour_count() const { return colour_count_; }
  // The smallest rectangle within `area` (which lies on the canvas) holding every pixel that is
  // not background; empty when there is none. A whole picture is mostly background.
  PixelRect InkBounds(PixelRect area) const;

  void Fill(Rgb rgb);
  // The pixel that contains the point.
  void Plot(double px, double py, Rgb rgb);
  // A one-pixel line from the pixel containing (x0, y0) to the one containing (x1, y1), both
  // ends included; the same pixels whichever end comes first.
  void DrawLine(double x0, double y0, double x1, double y1, Rgb rgb);
  // A one-pixel outline of radius r pixels about the pixel containing (cx, cy), symmetric in
  // both axes.
  void DrawCircle(double cx, double cy, double r, Rgb rgb);

  // Whether what is written is tracked for TakeDirtyRects (it is unless turned off: a canvas
  // nobody shows need not pay for it).
  void TrackChanges(bool on) { tracking_ = on; }

  // What was written since the last call, as a few rectangles that cover only the squares
  // written in: a frame's lines touch a small share of their bounding box. Forgets it.
  std::vector<PixelRect> TakeDirtyRects() { return dirty_.Take(); }

 private:
  // The number of a colour, given one if it has none yet; throws RunTimeError beyond the last.
  std::uint8_t Encode(Rgb rgb);
  // The strips' width, pixels: a page of memory holds 16 of a strip's rows.
  static constexpr int kStripShift = 8;
  static constexpr int kStripWidth = 1 << kStripShift;
  static constexpr int kStripMask = kStripWidth - 1;
  const StoredPixel* Stored() const { return reinterpret_cast<const StoredPixel*>(pixels_); }
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(x >> kStripShift) * strip_pixels_ +
           (static_cast<std::size_t>(y) << kStripShift) + static_cast<std::size_t>(x & kStripMask);
  }
  // Sets a pixel given in wide coordinates when it lies on the canvas.
  void Put(std::int64_t x, std::int64_t y, std::uint8_t bits);
  void DrawXMajor(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                  std::uint8_t bits);
  void DrawYMajor(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                  std::uint8_t bits);
  // Writes the steps first..last of a line wholly on the canvas, marking what it writes a
  // square's width along at a time.
  void WriteRun(LineWalk& walk, bool x_major, std::int64_t first, std::int64_t last,
                std::uint8_t bits);

  // The offsets across of each step along a circle's octant, for a radius drawn before.
  struct TabledCircle {
    double radius = -1;
    std::vector<double> across;
  };
  const std::vector<double>& CircleTable(double r, double reach);
  void DrawWholeCircle(int ox, int oy, int reach, const std::vector<double>& across,
                       std::uint8_t bits);

  int width_;
  int height_;
  std::size_t strip_pixels_;  // a strip's pixels, all its rows
  std::array<TabledCircle, 4> circles_;
  std::size_t next_circle_ = 0;
  std::array<Rgb, kMaxCanvasColours> colours_{PixelOf(kBackground)};
  int colour_count_ = 1;
  Rgb last_colour_ = PixelOf(kBackground);  // the colour drawn last, and its number
  std::uint8_t last_index_ = 0;
  PixelMemory memory_;
  std::uint8_t* pixels_;  // the stored pixels' numbers, strip by strip
  bool tracking_ = true;
  DirtySquares dirty_;
};

}  // namespace drelm
