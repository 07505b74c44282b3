#pragma once

#include <algorithm>
#include <optional>
#include <span>

#include "canvas/dirty_squares.h"

namespace drelm {

// A place in the image a host turns changed rectangles into (window_area.h gives its size).
struct ImagePlace {
  int x = 0;
  int row = 0;
};

// Where changed rectangles go in that image: side by side in shelves, one under another, so that
// a frame's rectangles, mostly narrow and a few squares tall, fill the image's rows across its
// width rather than each take rows of their own.
class BandImageSpace {
 public:
  BandImageSpace(int width, int rows) : width_(width), rows_(rows) {}

  // The place of a band `w` x `h` pixels (at most the image's width and rows), now taken; nothing
  // when it does not fit until the image is read and emptied.
  std::optional<ImagePlace> Take(int w, int h);
  // The image was read: all of it is free again.
  void Empty() { *this = BandImageSpace(width_, rows_); }

  // Cuts rectangles (within the image's width) into bands of at most its rows and places each:
  // `band(rect, place)` for each in turn, and `full()` before a band that finds no room, after
  // which the image is taken to be read and empty.
  template <typename Band, typename Full>
  void Place(std::span<const PixelRect> rects, Band&& band, Full&& full) {
    for (const PixelRect& rect : rects) {
      for (int top = rect.y; top < rect.y + rect.h;) {
        const PixelRect part{rect.x, top, rect.w, std::min(rect.y + rect.h - top, rows_)};
        std::optional<ImagePlace> place = Take(part.w, part.h);
        if (!place) {
          full();
          Empty();
          place = Take(part.w, part.h);
        }
        band(part, *place);
        top += part.h;
      }
    }
  }

 private:
  int width_, rows_;
  int shelf_ = 0;         // the shelf's first row
  int shelf_height_ = 0;  // its tallest band yet
  int next_x_ = 0;        // its first column free
};

}  // namespace drelm
