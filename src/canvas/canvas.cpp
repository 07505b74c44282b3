#include "canvas/canvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>

#include "canvas/clip.h"
#include "canvas/line_walk.h"
#include "canvas/run_time_error.h"

namespace drelm {
namespace {

// Keeps the integer arithmetic of a line exact: ends further out are first cut back to this
// square. It lies far outside any canvas, so only lines reaching millions of pixels away are cut,
// and they keep their course across the canvas to within a pixel.
constexpr double kFarPixels = 16777216.0;  // 2^24
// Circles up to this reach keep their offsets in a table; the picture draws a few radii often.
constexpr double kMaxTabledReach = 4096;
bool Finite(double a, double b) {
  return std::isfinite(a) && std::isfinite(b);
}

// Strips to cover a width of pixels.
std::size_t StripsFor(int width, int strip_width) {
  return (static_cast<std::size_t>(width) + static_cast<std::size_t>(strip_width) - 1) /
         static_cast<std::size_t>(strip_width);
}

// The width, once the size is known to be one a canvas can have.
int CheckedWidth(int width, int height) {
  if (width < 1 || height < 1 || width > kMaxCanvasSide || height > kMaxCanvasSide) {
    throw std::invalid_argument("canvas size " + std::to_string(width) + "x" +
                                std::to_string(height) + " is out of range");
  }
  return width;
}

// The first and one past the last of `count` pixels that are not background, or two equal
// offsets when all are.
std::pair<int, int> InkWithin(const StoredPixel* pixels, int count) {
  constexpr int kWord = Canvas::kPixelsAWord;
  int first = 0;
  while (first + kWord <= count && Canvas::AllBackground(pixels + first)) first += kWord;
  while (first < count && pixels[first].index == 0) ++first;
  if (first == count) return {count, count};
  int last = count;
  while (last - kWord >= first && Canvas::AllBackground(pixels + last - kWord)) last -= kWord;
  while (pixels[last - 1].index == 0) --last;
  return {first, last};
}

}  // namespace

Canvas::Canvas(int width, int height)
    : width_(CheckedWidth(width, height)),
      height_(height),
      strip_pixels_(static_cast<std::size_t>(height) << kStripShift),
      memory_(StripsFor(width, kStripWidth) * strip_pixels_),
      pixels_(memory_.data()),
      dirty_(width, height) {
  dirty_.MarkAll();  // a new canvas has everything to show
}

std::uint8_t Canvas::Encode(Rgb rgb) {
  if (rgb == last_colour_) return last_index_;
  const auto known = std::find(colours_.begin(), colours_.begin() + colour_count_, rgb);
  if (known == colours_.begin() + colour_count_) {
    if (colour_count_ == kMaxCanvasColours) {
      throw RunTimeError("the picture has more than " + std::to_string(kMaxCanvasColours) +
                         " colours");
    }
    ++colour_count_;
  }
  *known = rgb;
  last_colour_ = rgb;
  last_index_ = static_cast<std::uint8_t>(known - colours_.begin());
  return last_index_;
}

PixelRect Canvas::InkBounds(PixelRect area) const {
  int left = area.x + area.w, right = area.x, top = area.y + area.h, bottom = area.y;
  for (int y = area.y; y < area.y + area.h; ++y) {
    ForEachRun(y, area.x, area.x + area.w, [&](int x, const StoredPixel* run, int count) {
      const auto [first, last] = InkWithin(run, count);
      if (first == last) return;
      left = std::min(left, x + first);
      right = std::max(right, x + last);
      top = std::min(top, y);
      bottom = y + 1;
    });
  }
  return {left, top, right - left, bottom - top};
}

void Canvas::Fill(Rgb rgb) {
  const std::uint8_t bits = Encode(rgb);
  if (bits == 0) {
    memory_.Zero();  // the background: what the memory holds fresh, so none of it need stay
  } else {
    std::fill(pixels_, pixels_ + StripsFor(width_, kStripWidth) * strip_pixels_, bits);
  }
  if (tracking_) dirty_.MarkAll();
}

void Canvas::Put(std::int64_t x, std::int64_t y, std::uint8_t bits) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  const auto ix = static_cast<int>(x), iy = static_cast<int>(y);
  pixels_[Index(ix, iy)] = bits;
  if (tracking_) dirty_.Mark(ix, iy);
}

void Canvas::Plot(double px, double py, Rgb rgb) {
  if (!Finite(px, py)) return;
  const double x = std::floor(px);
  const double y = std::floor(py);
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Put(static_cast<std::int64_t>(x), static_cast<std::int64_t>(y), Encode(rgb));
}

void Canvas::DrawLine(double x0, double y0, double x1, double y1, Rgb rgb) {
  if (!Finite(x0, y0) || !Finite(x1, y1)) return;
  // One orientation for both directions, so a line and its reverse cover the same pixels.
  if (x1 < x0 || (x1 == x0 && y1 < y0)) {
    std::swap(x0, x1);
    std::swap(y0, y1);
  }
  Segment seg{x0, y0, x1, y1};
  const auto near = [](double v) { return v >= -kFarPixels && v <= kFarPixels; };
  if (!(near(x0) && near(y0) && near(x1) && near(y1)) &&
      !ClipSegment(seg, -kFarPixels, -kFarPixels, kFarPixels, kFarPixels)) {
    return;
  }
  const double fx0 = std::floor(seg.x0);
  const double fy0 = std::floor(seg.y0);
  const double fx1 = std::floor(seg.x1);
  const double fy1 = std::floor(seg.y1);
  // Both ends beyond the same edge: nothing of it can show.
  if (std::max(fx0, fx1) < 0 || std::max(fy0, fy1) < 0 || std::min(fx0, fx1) >= width_ ||
      std::min(fy0, fy1) >= height_) {
    return;
  }
  const auto ix0 = static_cast<std::int64_t>(fx0), iy0 = static_cast<std::int64_t>(fy0);
  const auto ix1 = static_cast<std::int64_t>(fx1), iy1 = static_cast<std::int64_t>(fy1);
  if (std::llabs(ix1 - ix0) >= std::llabs(iy1 - iy0)) {
    DrawXMajor(ix0, iy0, ix1, iy1, Encode(rgb));
  } else {
    DrawYMajor(ix0, iy0, ix1, iy1, Encode(rgb));
  }
}

// One pixel a column; the row is the nearest to the ideal line. x0 <= x1.
void Canvas::DrawXMajor(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                        std::uint8_t bits) {
  const std::int64_t first = std::max<std::int64_t>(x0, 0);
  const std::int64_t last = std::min<std::int64_t>(x1, width_ - 1);
  if (first > last) return;
  if (x1 == x0) {
    Put(x0, y0, bits);
    return;
  }
  LineWalk row(y0, y1 - y0, x1 - x0, first - x0);
  if (std::min(y0, y1) >= 0 && std::max(y0, y1) < height_) {
    WriteRun(row, true, first, last, bits);
    return;
  }
  for (std::int64_t x = first; x <= last; ++x, row.Next()) Put(x, row.value(), bits);
}

// One pixel a row; the column is the nearest to the ideal line. Rows may run either way.
void Canvas::DrawYMajor(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                        std::uint8_t bits) {
  if (y1 < y0) {
    std::swap(x0, x1);
    std::swap(y0, y1);
  }
  const std::int64_t first = std::max<std::int64_t>(y0, 0);
  const std::int64_t last = std::min<std::int64_t>(y1, height_ - 1);
  if (first > last) return;
  LineWalk column(x0, x1 - x0, y1 - y0, first - y0);
  if (std::min(x0, x1) >= 0 && std::max(x0, x1) < width_) {
    WriteRun(column, false, first, last, bits);
    return;
  }
  for (std::int64_t y = first; y <= last; ++y, column.Next()) Put(column.value(), y, bits);
}

void Canvas::WriteRun(LineWalk& walk, bool x_major, std::int64_t first, std::int64_t last,
                      std::uint8_t bits) {
  if (tracking_) {
    // A piece of the line a square's width along steps across at most once into the next
    // square: the squares of its two ends are all it writes in.
    const auto mark = [&](std::int64_t major, std::int64_t minor) {
      const auto a = static_cast<int>(major), b = static_cast<int>(minor);
      x_major ? dirty_.Mark(a, b) : dirty_.Mark(b, a);
    };
    for (std::int64_t start = first; start <= last;) {
      const std::int64_t end = std::min(last, start | (DirtySquares::kSize - 1));
      mark(start, walk.ValueAt(start - first));
      mark(end, walk.ValueAt(end - first));
      start = end + 1;
    }
  }
  // Within a strip the next row's pixel is a strip's width on: the line is written a piece a
  // strip, cut where its columns cross into the next strip.
  const LineWalk from_first = walk;
  const auto at = [&](std::int64_t major, std::int64_t minor) {
    const auto a = static_cast<int>(major), b = static_cast<int>(minor);
    return &pixels_[x_major ? Index(a, b) : Index(b, a)];
  };
  std::int64_t start = first, minor = walk.value();
  if (x_major) {
    for (;;) {
      const std::int64_t end = std::min(last, start | kStripMask);
      std::uint8_t* const begin = at(start, minor);
      const std::int64_t count = end - start + 1;
      const std::ptrdiff_t moved = walk.Write(begin, count, 1, kStripWidth, bits) - begin;
      if (end == last) return;
      minor += (moved - count) >> kStripShift;  // the rows stepped, either way
      start = end + 1;
    }
  }
  for (const std::int64_t last_minor = from_first.ValueAt(last - first);
       (minor >> kStripShift) != (last_minor >> kStripShift);) {
    const std::int64_t boundary =
        last_minor > minor ? (minor | kStripMask) + 1 : (minor & ~std::int64_t{kStripMask}) - 1;
    const std::int64_t beyond = first + from_first.StepsUntil(boundary);
    walk.Write(at(start, minor), beyond - start, kStripWidth, 1, bits);
    start = beyond;
    minor = boundary;
  }
  walk.Write(at(start, minor), last - start + 1, kStripWidth, 1, bits);
}

const std::vector<double>& Canvas::CircleTable(double r, double reach) {
  for (const TabledCircle& circle : circles_) {
    if (circle.radius == r) return circle.across;
  }
  TabledCircle& circle = circles_[next_circle_];
  next_circle_ = (next_circle_ + 1) % circles_.size();
  circle.radius = r;
  circle.across.resize(static_cast<std::size_t>(reach) + 1);
  for (std::size_t k = 0; k < circle.across.size(); ++k) {
    const double kk = static_cast<double>(k);
    circle.across[k] = std::round(std::sqrt(std::max(r * r - kk * kk, 0.0)));
  }
  return circle.across;
}

void Canvas::DrawCircle(double cx, double cy, double r, Rgb rgb) {
  if (!Finite(cx, cy) || !std::isfinite(r) || r < 0) return;
  const std::uint8_t bits = Encode(rgb);
  const double ox = std::floor(cx);
  const double oy = std::floor(cy);
  // Each octant's pixel at offset k along its major axis sits round(sqrt(r^2 - k^2)) across.
  const double reach = std::floor(r * std::sqrt(0.5));
  const std::vector<double>* table = reach <= kMaxTabledReach ? &CircleTable(r, reach) : nullptr;
  const double r2 = r * r;
  const auto across = [table, r2](double k) {
    if (table != nullptr) return (*table)[static_cast<std::size_t>(k)];
    return std::round(std::sqrt(std::max(r2 - k * k, 0.0)));
  };
  const double extent = std::round(r);
  if (table != nullptr && ox - extent >= 0 && oy - extent >= 0 && ox + extent < width_ &&
      oy + extent < height_) {
    DrawWholeCircle(static_cast<int>(ox), static_cast<int>(oy), static_cast<int>(reach), *table,
                    bits);
    if (tracking_) {
      const auto x = static_cast<int>(ox), y = static_cast<int>(oy), e = static_cast<int>(extent);
      dirty_.Mark(x - e, y - e, x + e, y + e);
    }
    return;
  }
  const auto in_x = [this](double v) { return v >= 0 && v < width_; };
  const auto in_y = [this](double v) { return v >= 0 && v < height_; };

  // Top and bottom arcs: one pixel a column, only the columns on the canvas.
  const double col_first = std::max(ox - reach, 0.0);
  const double col_last = std::min(ox + reach, static_cast<double>(width_ - 1));
  if (col_first <= col_last) {
    for (auto c = static_cast<std::int64_t>(col_first); c <= static_cast<std::int64_t>(col_last);
         ++c) {
      const double m = across(std::fabs(static_cast<double>(c) - ox));
      if (in_y(oy - m)) Put(c, static_cast<std::int64_t>(oy - m), bits);
      if (in_y(oy + m)) Put(c, static_cast<std::int64_t>(oy + m), bits);
    }
  }
  // Left and right arcs: one pixel a row.
  const double row_first = std::max(oy - reach, 0.0);
  const double row_last = std::min(oy + reach, static_cast<double>(height_ - 1));
  if (row_first <= row_last) {
    for (auto row = static_cast<std::int64_t>(row_first);
         row <= static_cast<std::int64_t>(row_last); ++row) {
      const double m = across(std::fabs(static_cast<double>(row) - oy));
      if (in_x(ox - m)) Put(static_cast<std::int64_t>(ox - m), row, bits);
      if (in_x(ox + m)) Put(static_cast<std::int64_t>(ox + m), row, bits);
    }
  }
}

// The same pixels as the arcs above, for a circle wholly on the canvas: four a step along k.
void Canvas::DrawWholeCircle(int ox, int oy, int reach, const std::vector<double>& across,
                             std::uint8_t bits) {
  const int extent = static_cast<int>(across[0]);
  if (((ox - extent) >> kStripShift) == ((ox + extent) >> kStripShift)) {
    // Within one strip, where a row is a strip's width on: offsets from the centre.
    std::uint8_t* centre = &pixels_[Index(ox, oy)];
    constexpr std::ptrdiff_t w = kStripWidth;
    for (int k = -reach; k <= reach; ++k) {
      const auto m = static_cast<std::ptrdiff_t>(across[static_cast<std::size_t>(k < 0 ? -k : k)]);
      centre[-m * w + k] = bits;  // top arc
      centre[m * w + k] = bits;   // bottom arc
      centre[k * w - m] = bits;   // left arc
      centre[k * w + m] = bits;   // right arc
    }
    return;
  }
  for (int k = -reach; k <= reach; ++k) {
    const auto m = static_cast<int>(across[static_cast<std::size_t>(k < 0 ? -k : k)]);
    pixels_[Index(ox + k, oy - m)] = bits;
    pixels_[Index(ox + k, oy + m)] = bits;
    pixels_[Index(ox - m, oy + k)] = bits;
    pixels_[Index(ox + m, oy + k)] = bits;
  }
}

}  // namespace drelm
