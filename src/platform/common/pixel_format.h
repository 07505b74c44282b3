#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "canvas/canvas.h"

namespace drelm {

// How a screen lays out a pixel: where its red, green and blue bits lie in a word of 2 or 4 bytes,
// whether that word's bytes come in the other order from this machine's, and the bits set in
// every pixel (an alpha channel, opaque).
struct PixelLayout {
  std::uint32_t red_mask = 0xFF0000;
  std::uint32_t green_mask = 0x00FF00;
  std::uint32_t blue_mask = 0x0000FF;
  int bytes_per_pixel = 4;
  bool swapped = false;
  std::uint32_t opaque = 0;

  // Whether the masks are contiguous runs of at most 16 bits in a word of 2 or 4 bytes, and the
  // opaque bits lie in the word beside them.
  bool Valid() const;
};

// Turns canvas pixels into a screen's: a channel of 8 bits is cut to fewer (15- and 16-bit
// screens) or widened by repeating its top bits (30-bit ones), so that black stays all zeros and
// full intensity all ones.
class PixelConverter {
 public:
  explicit PixelConverter(const PixelLayout& layout);

  // The screen's word for a canvas pixel, in this machine's byte order.
  std::uint32_t Word(Rgb rgb) const {
    return red_[rgb.red()] | green_[rgb.green()] | blue_[rgb.blue()] | layout_.opaque;
  }
  // Writes a rectangle of the canvas into an image of the screen's pixels, `stride` bytes a row
  // (a multiple of 4): its upper left pixel at `image`, which has room for the rest. The
  // rectangle lies within the canvas.
  void Convert(const Canvas& canvas, const PixelRect& rect, std::uint8_t* image,
               std::size_t stride) const;

 private:
  PixelLayout layout_;
  std::array<std::uint32_t, 256> red_{}, green_{}, blue_{};
};

}  // namespace drelm
