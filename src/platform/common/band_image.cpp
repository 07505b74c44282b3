#include "platform/common/band_image.h"

#include <algorithm>

namespace drelm {

std::optional<ImagePlace> BandImageSpace::Take(int w, int h) {
  if (next_x_ + w > width_) {  // a new shelf under this one
    shelf_ += shelf_height_;
    shelf_height_ = 0;
    next_x_ = 0;
  }
  if (shelf_ + h > rows_) return std::nullopt;
  const ImagePlace place{next_x_, shelf_};
  next_x_ += w;
  shelf_height_ = std::max(shelf_height_, h);
  return place;
}

}  // namespace drelm
