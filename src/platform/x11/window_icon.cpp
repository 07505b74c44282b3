#include "platform/x11/window_icon.h"

#include <png.h>

#include <cstddef>

namespace drelm {

// The icon as a PNG, embedded by the build.
extern const unsigned char kWindowIconPng[];
extern const std::size_t kWindowIconPngSize;

IconImage WindowIcon() {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_memory(&image, kWindowIconPng, kWindowIconPngSize) == 0) return {};
  // Bytes blue, green, red, alpha: on a little-endian machine, 32-bit 0xAARRGGBB.
  image.format = PNG_FORMAT_BGRA;
  IconImage icon;
  icon.width = static_cast<int>(image.width);
  icon.height = static_cast<int>(image.height);
  icon.argb.resize(static_cast<std::size_t>(image.width) * image.height);
  if (png_image_finish_read(&image, nullptr, icon.argb.data(), 0, nullptr) == 0) {
    png_image_free(&image);
    return {};
  }
  return icon;
}

}  // namespace drelm
