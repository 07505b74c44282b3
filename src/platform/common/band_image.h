#pragma once

#include <optional>

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

 private:
  int width_, rows_;
  int shelf_ = 0;         // the shelf's first row
  int shelf_height_ = 0;  // its tallest band yet
  int next_x_ = 0;        // its first column free
};

}  // namespace drelm
