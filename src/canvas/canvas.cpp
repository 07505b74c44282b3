#include "canvas/canvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "canvas/clip.h"

namespace drelm {
namespace {

// Keeps the integer arithmetic of a line exact: ends further out are first cut back to this
// square. It lies far outside any canvas, so only lines reaching millions of pixels away are cut,
// and they keep their course across the canvas to within a pixel.
constexpr double kFarPixels = 16777216.0;  // 2^24
// Circles up to this reach keep their offsets in a table; the picture draws a few radii often.
constexpr double kMaxTabledReach = 4096;
// What changed is kept as squares of this many pixels a side: small enough that a frame's few
// lines cover little more than themselves, large enough to be counted quickly.
constexpr int kTileSize = 64;

bool Finite(double a, double b) {
  return std::isfinite(a) && std::isfinite(b);
}

// Walks the minor coordinate of a line one major step at a time: at step i it is
// start + round(i * minor / major) (halves upward), kept as a quotient and a remainder so that a
// step costs an addition and a comparison. |minor| <= major, major > 0.
class LineWalk {
 public:
  LineWalk(std::int64_t start, std::int64_t minor, std::int64_t major, std::int64_t first_step)
      : step_(2 * minor), limit_(2 * major) {
    const std::int64_t num = 2 * first_step * minor + major;
    value_ = start + FloorDiv(num, limit_);
    rest_ = num - FloorDiv(num, limit_) * limit_;
  }
  std::int64_t value() const { return value_; }
  // Writes `count` pixels from `at`, `major_stride` apart, moving on by `minor_stride` as the
  // minor coordinate steps: the walk of value() and Next(), for a stretch known to lie on the
  // canvas, with nothing tested but the remainder.
  void Write(Rgb* at, std::int64_t count, std::ptrdiff_t major_stride, std::ptrdiff_t minor_stride,
             Rgb rgb) {
    // Branch-free steps: which way the minor coordinate goes is as hard to foresee as a coin.
    if (step_ >= 0) {
      for (std::int64_t i = 0; i < count; ++i, at += major_stride) {
        *at = rgb;
        rest_ += step_;
        const bool on = rest_ >= limit_;
        rest_ -= on ? limit_ : 0;
        at += on ? minor_stride : 0;
      }
    } else {
      for (std::int64_t i = 0; i < count; ++i, at += major_stride) {
        *at = rgb;
        rest_ += step_;
        const bool back = rest_ < 0;
        rest_ += back ? limit_ : 0;
        at -= back ? minor_stride : 0;
      }
    }
  }
  void Next() {
    rest_ += step_;
    if (rest_ >= limit_) {
      rest_ -= limit_;
      ++value_;
    } else if (rest_ < 0) {
      rest_ += limit_;
      --value_;
    }
  }

 private:
  static std::int64_t FloorDiv(std::int64_t n, std::int64_t d) {
    std::int64_t q = n / d;
    if ((n % d != 0) && ((n < 0) != (d < 0))) --q;
    return q;
  }
  std::int64_t step_, limit_, value_ = 0, rest_ = 0;
};

}  // namespace

Canvas::Canvas(int width, int height) : width_(width), height_(height) {
  if (width < 1 || height < 1 || width > kMaxCanvasSide || height > kMaxCanvasSide) {
    throw std::invalid_argument("canvas size " + std::to_string(width) + "x" +
                                std::to_string(height) + " is out of range");
  }
  pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                 PixelOf(kBackground));
  tiles_across_ = (width_ + kTileSize - 1) / kTileSize;
  const int tiles_down = (height_ + kTileSize - 1) / kTileSize;
  dirty_tiles_.assign(static_cast<std::size_t>(tiles_across_) * tiles_down, 0);
  ForgetDirty();
  MarkDirty(0, 0, width_ - 1, height_ - 1);  // a new canvas has everything to show
}

void Canvas::Fill(Rgb rgb) {
  std::fill(pixels_.begin(), pixels_.end(), rgb);
  MarkDirty(0, 0, width_ - 1, height_ - 1);
}

void Canvas::Put(std::int64_t x, std::int64_t y, Rgb rgb) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[Index(static_cast<int>(x), static_cast<int>(y))] = rgb;
}

bool Canvas::Clamp(double x0, double y0, double x1, double y1, PixelBox& box) const {
  const double right = width_ - 1;
  const double bottom = height_ - 1;
  if (x1 < 0 || y1 < 0 || x0 > right || y0 > bottom) return false;
  box = {static_cast<int>(std::max(x0, 0.0)), static_cast<int>(std::max(y0, 0.0)),
         static_cast<int>(std::min(x1, right)), static_cast<int>(std::min(y1, bottom))};
  return true;
}

void Canvas::MarkTiles(const PixelBox& box) {
  const int first = box.x0 / kTileSize, last = box.x1 / kTileSize;
  for (int ty = box.y0 / kTileSize; ty <= box.y1 / kTileSize; ++ty) {
    std::uint8_t* row = &dirty_tiles_[static_cast<std::size_t>(ty) * tiles_across_];
    for (int tx = first; tx <= last; ++tx) row[tx] = 1;
  }
}

void Canvas::MarkDirty(double x0, double y0, double x1, double y1) {
  PixelBox box;
  if (!tracking_ || !Clamp(x0, y0, x1, y1, box)) return;
  dirty_x0_ = std::min(dirty_x0_, box.x0);
  dirty_y0_ = std::min(dirty_y0_, box.y0);
  dirty_x1_ = std::max(dirty_x1_, box.x1);
  dirty_y1_ = std::max(dirty_y1_, box.y1);
  MarkTiles(box);
}

void Canvas::MarkDirtyLine(double x0, double y0, double x1, double y1) {
  if (!tracking_) return;
  const double length = std::max(std::fabs(x1 - x0), std::fabs(y1 - y0));
  if (length <= kTileSize) {
    MarkDirty(std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1));
    return;
  }
  PixelBox whole;
  if (!Clamp(std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1), whole)) {
    return;
  }
  dirty_x0_ = std::min(dirty_x0_, whole.x0);
  dirty_y0_ = std::min(dirty_y0_, whole.y0);
  dirty_x1_ = std::max(dirty_x1_, whole.x1);
  dirty_y1_ = std::max(dirty_y1_, whole.y1);
  // A piece a tile long, widened by a pixel, holds every pixel the walk puts beside it.
  const double pieces = std::ceil(length / kTileSize);
  const double step_x = (x1 - x0) / pieces, step_y = (y1 - y0) / pieces;
  for (double i = 0; i < pieces; ++i) {
    const double ax = x0 + step_x * i, ay = y0 + step_y * i;
    const double bx = ax + step_x, by = ay + step_y;
    PixelBox box;
    if (Clamp(std::min(ax, bx) - 1, std::min(ay, by) - 1, std::max(ax, bx) + 1,
              std::max(ay, by) + 1, box)) {
      MarkTiles(box);
    }
  }
}

void Canvas::ForgetDirty() {
  if (dirty_x0_ <= dirty_x1_ && dirty_y0_ <= dirty_y1_) {
    for (int ty = dirty_y0_ / kTileSize; ty <= dirty_y1_ / kTileSize; ++ty) {
      std::uint8_t* row = &dirty_tiles_[static_cast<std::size_t>(ty) * tiles_across_];
      std::fill(row + dirty_x0_ / kTileSize, row + dirty_x1_ / kTileSize + 1, std::uint8_t{0});
    }
  }
  dirty_x0_ = width_;
  dirty_y0_ = height_;
  dirty_x1_ = -1;
  dirty_y1_ = -1;
}

PixelRect Canvas::TakeDirty() {
  PixelRect rect;
  if (dirty_x0_ <= dirty_x1_ && dirty_y0_ <= dirty_y1_) {
    rect = {dirty_x0_, dirty_y0_, dirty_x1_ - dirty_x0_ + 1, dirty_y1_ - dirty_y0_ + 1};
  }
  ForgetDirty();
  return rect;
}

std::vector<PixelRect> Canvas::TakeDirtyRects() {
  std::vector<PixelRect> rects;
  if (dirty_x0_ > dirty_x1_ || dirty_y0_ > dirty_y1_) return rects;
  const int first_tx = dirty_x0_ / kTileSize, last_tx = dirty_x1_ / kTileSize;
  // Each row's runs of written tiles; a run just like one ending in the row above extends it.
  for (int ty = dirty_y0_ / kTileSize; ty <= dirty_y1_ / kTileSize; ++ty) {
    const std::uint8_t* row = &dirty_tiles_[static_cast<std::size_t>(ty) * tiles_across_];
    for (int tx = first_tx; tx <= last_tx; ++tx) {
      if (row[tx] == 0) continue;
      const int run_start = tx;
      while (tx + 1 <= last_tx && row[tx + 1] != 0) ++tx;
      const int x = run_start * kTileSize;
      const int w = std::min((tx + 1) * kTileSize, width_) - x;
      const int y = ty * kTileSize;
      const int h = std::min(kTileSize, height_ - y);
      const auto above = std::find_if(rects.begin(), rects.end(), [&](const PixelRect& r) {
        return r.x == x && r.w == w && r.y + r.h == y;
      });
      if (above != rects.end()) {
        above->h += h;
      } else {
        rects.push_back({x, y, w, h});
      }
    }
  }
  ForgetDirty();
  return rects;
}

void Canvas::Plot(double px, double py, Rgb rgb) {
  if (!Finite(px, py)) return;
  const double x = std::floor(px);
  const double y = std::floor(py);
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Put(static_cast<std::int64_t>(x), static_cast<std::int64_t>(y), rgb);
  MarkDirty(x, y, x, y);
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
    DrawXMajor(ix0, iy0, ix1, iy1, rgb);
  } else {
    DrawYMajor(ix0, iy0, ix1, iy1, rgb);
  }
  MarkDirtyLine(fx0, fy0, fx1, fy1);
}

// One pixel a column; the row is the nearest to the ideal line. x0 <= x1.
void Canvas::DrawXMajor(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                        Rgb rgb) {
  const std::int64_t first = std::max<std::int64_t>(x0, 0);
  const std::int64_t last = std::min<std::int64_t>(x1, width_ - 1);
  if (first > last) return;
  if (x1 == x0) {
    Put(x0, y0, rgb);
    return;
  }
  LineWalk row(y0, y1 - y0, x1 - x0, first - x0);
  if (std::min(y0, y1) >= 0 && std::max(y0, y1) < height_) {
    row.Write(&pixels_[Index(static_cast<int>(first), static_cast<int>(row.value()))],
              last - first + 1, 1, width_, rgb);
    return;
  }
  for (std::int64_t x = first; x <= last; ++x, row.Next()) {
    const std::int64_t y = row.value();
    if (y >= 0 && y < height_) pixels_[static_cast<std::size_t>(y * width_ + x)] = rgb;
  }
}

// One pixel a row; the column is the nearest to the ideal line. Rows may run either way.
void Canvas::DrawYMajor(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                        Rgb rgb) {
  if (y1 < y0) {
    std::swap(x0, x1);
    std::swap(y0, y1);
  }
  const std::int64_t first = std::max<std::int64_t>(y0, 0);
  const std::int64_t last = std::min<std::int64_t>(y1, height_ - 1);
  if (first > last) return;
  LineWalk column(x0, x1 - x0, y1 - y0, first - y0);
  if (std::min(x0, x1) >= 0 && std::max(x0, x1) < width_) {
    column.Write(&pixels_[Index(static_cast<int>(column.value()), static_cast<int>(first))],
                 last - first + 1, width_, 1, rgb);
    return;
  }
  for (std::int64_t y = first; y <= last; ++y, column.Next()) {
    const std::int64_t x = column.value();
    if (x >= 0 && x < width_) pixels_[static_cast<std::size_t>(y * width_ + x)] = rgb;
  }
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
                    rgb);
    MarkDirty(ox - extent, oy - extent, ox + extent, oy + extent);
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
      if (in_y(oy - m)) Put(c, static_cast<std::int64_t>(oy - m), rgb);
      if (in_y(oy + m)) Put(c, static_cast<std::int64_t>(oy + m), rgb);
    }
  }
  // Left and right arcs: one pixel a row.
  const double row_first = std::max(oy - reach, 0.0);
  const double row_last = std::min(oy + reach, static_cast<double>(height_ - 1));
  if (row_first <= row_last) {
    for (auto row = static_cast<std::int64_t>(row_first);
         row <= static_cast<std::int64_t>(row_last); ++row) {
      const double m = across(std::fabs(static_cast<double>(row) - oy));
      if (in_x(ox - m)) Put(static_cast<std::int64_t>(ox - m), row, rgb);
      if (in_x(ox + m)) Put(static_cast<std::int64_t>(ox + m), row, rgb);
    }
  }
  MarkDirty(ox - extent, oy - extent, ox + extent, oy + extent);
}

// The same pixels as the arcs above, for a circle wholly on the canvas: four a step along k.
void Canvas::DrawWholeCircle(int ox, int oy, int reach, const std::vector<double>& across,
                             Rgb rgb) {
  Rgb* centre = &pixels_[Index(ox, oy)];
  const std::ptrdiff_t w = width_;
  for (int k = -reach; k <= reach; ++k) {
    const auto m = static_cast<std::ptrdiff_t>(across[static_cast<std::size_t>(k < 0 ? -k : k)]);
    centre[-m * w + k] = rgb;  // top arc
    centre[m * w + k] = rgb;   // bottom arc
    centre[k * w - m] = rgb;   // left arc
    centre[k * w + m] = rgb;   // right arc
  }
}

}  // namespace drelm
