#include "platform/common/pixel_format.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace drelm {
namespace {

// Whether a mask is one run of set bits, 1 to 16 of them.
bool OneRun(std::uint32_t mask) {
  if (mask == 0) return false;
  const std::uint32_t shifted = mask >> std::countr_zero(mask);
  return (shifted & (shifted + 1)) == 0 && std::popcount(mask) <= 16;
}

// An 8-bit intensity as a channel `bits` wide at `shift`.
std::uint32_t Channel(std::uint32_t value, int bits, int shift) {
  const std::uint32_t wide =
      bits <= 8 ? value >> (8 - bits) : (value << (bits - 8)) | (value >> (16 - bits));
  return wide << shift;
}

void Table(std::array<std::uint32_t, 256>& table, std::uint32_t mask) {
  const int bits = std::popcount(mask), shift = std::countr_zero(mask);
  for (std::uint32_t value = 0; value < 256; ++value) table[value] = Channel(value, bits, shift);
}

}  // namespace

bool PixelLayout::Valid() const {
  const std::uint32_t word_mask = bytes_per_pixel == 2 ? 0xFFFFu : 0xFFFFFFFFu;
  const std::uint32_t channels = red_mask | green_mask | blue_mask;
  return (bytes_per_pixel == 2 || bytes_per_pixel == 4) && OneRun(red_mask) && OneRun(green_mask) &&
         OneRun(blue_mask) && (channels & ~word_mask) == 0 &&
         (opaque & (channels | ~word_mask)) == 0;
}

PixelConverter::PixelConverter(const PixelLayout& layout) : layout_(layout) {
  Table(red_, layout.red_mask);
  Table(green_, layout.green_mask);
  Table(blue_, layout.blue_mask);
}

void PixelConverter::Convert(const Canvas& canvas, const PixelRect& rect, std::uint8_t* image,
                             std::size_t stride) const {
  const auto bytes = static_cast<std::size_t>(layout_.bytes_per_pixel);
  const int x = rect.x, top = rect.y, w = rect.w, h = rect.h;  // not reread after each store
  // The screen's word for each of the canvas's colours, looked up by a pixel's number.
  std::array<std::uint32_t, kMaxCanvasColours> words;
  for (int i = 0; i < canvas.colour_count(); ++i) {
    words[static_cast<std::size_t>(i)] = Word(canvas.Decode({static_cast<std::uint8_t>(i)}));
  }
  if (bytes == 4 && !layout_.swapped) {
    constexpr int kAtOnce = Canvas::kPixelsAWord;
    for (int y = top; y < top + h; ++y) {
      auto* out =
          reinterpret_cast<std::uint32_t*>(image + static_cast<std::size_t>(y - top) * stride);
      canvas.ForEachRun(y, x, x + w, [&](int from, const StoredPixel* in, int count) {
        std::uint32_t* to = out + (from - x);
        int i = 0;
        // What changed is mostly background again.
        for (; i + kAtOnce <= count; i += kAtOnce) {
          if (Canvas::AllBackground(in + i)) {
            std::fill_n(to + i, kAtOnce, words[0]);
          } else {
            for (int k = i; k < i + kAtOnce; ++k) to[k] = words[in[k].index];
          }
        }
        for (; i < count; ++i) to[i] = words[in[i].index];
      });
    }
    return;
  }
  for (int y = top; y < top + h; ++y) {
    std::uint8_t* row = image + static_cast<std::size_t>(y - top) * stride;
    canvas.ForEachRun(y, x, x + w, [&](int from, const StoredPixel* in, int count) {
      std::uint8_t* out = row + static_cast<std::size_t>(from - x) * bytes;
      for (int i = 0; i < count; ++i, out += bytes) {
        const std::uint32_t word = words[in[i].index];
        if (bytes == 2) {
          const std::uint16_t half = static_cast<std::uint16_t>(
              layout_.swapped ? __builtin_bswap16(static_cast<std::uint16_t>(word)) : word);
          std::memcpy(out, &half, 2);
        } else {
          const std::uint32_t full = layout_.swapped ? __builtin_bswap32(word) : word;
          std::memcpy(out, &full, 4);
        }
      }
    });
  }
}

}  // namespace drelm
