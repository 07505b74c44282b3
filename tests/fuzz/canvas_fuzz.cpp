// Drives the drawing operations with arbitrary coordinates, radii and colours: every bit pattern
// of a float (NaN, infinities, denormals, the largest values) and of a double for the raster
// underneath. After each call: a failure is reported exactly for input that is not drawable, a
// failed call draws nothing, and nothing is marked outside the canvas. AddressSanitizer catches
// a write outside it; libFuzzer's timeout catches a call that runs too long.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "canvas/canvas.h"
#include "canvas/world_canvas.h"

namespace {

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool empty() const { return used_ >= size_; }
  template <typename T>
  T Take() {
    T value{};
    unsigned char bytes[sizeof(T)] = {};
    for (std::size_t i = 0; i < sizeof(T) && used_ < size_; ++i) bytes[i] = data_[used_++];
    std::memcpy(&value, bytes, sizeof(T));
    return value;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t used_ = 0;
};

void Require(bool condition) {
  if (!condition) std::abort();
}

bool Finite(float a, float b) {
  return std::isfinite(a) && std::isfinite(b);
}

void CheckDirty(drelm::Canvas& canvas, bool may_draw) {
  for (const drelm::PixelRect& dirty : canvas.TakeDirtyRects()) {
    Require(may_draw);
    Require(!dirty.Empty() && dirty.x >= 0 && dirty.y >= 0);
    Require(dirty.x + dirty.w <= canvas.width() && dirty.y + dirty.h <= canvas.height());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  const int width = 1 + in.Take<std::uint8_t>() % 200;
  const int height = 1 + in.Take<std::uint8_t>() % 200;
  drelm::Canvas canvas(width, height);
  drelm::WorldCanvas surface(canvas);
  canvas.TakeDirtyRects();
  bool tracking = true;
  for (int op = 0; op < 64 && !in.empty(); ++op) {
    const auto kind = in.Take<std::uint8_t>() % 8;
    bool ok = true;
    bool expect_ok = true;
    switch (kind) {
      case 0: {
        const auto x1 = in.Take<float>(), y1 = in.Take<float>();
        const auto x2 = in.Take<float>(), y2 = in.Take<float>();
        ok = surface.Line(x1, y1, x2, y2).ok();
        expect_ok = Finite(x1, y1) && Finite(x2, y2);
        break;
      }
      case 1: {
        const auto x1 = in.Take<float>(), y1 = in.Take<float>();
        const auto x2 = in.Take<float>(), y2 = in.Take<float>();
        const drelm::Colour colour{in.Take<std::uint32_t>()};
        ok = surface.Line(x1, y1, x2, y2, colour).ok();
        expect_ok = Finite(x1, y1) && Finite(x2, y2) && drelm::ResolveColour(colour).has_value();
        break;
      }
      case 2: {
        const auto x = in.Take<float>(), y = in.Take<float>(), r = in.Take<float>();
        const drelm::Colour colour{in.Take<std::uint32_t>()};
        ok = surface.Circle(x, y, r, colour).ok();
        expect_ok =
            Finite(x, y) && std::isfinite(r) && r >= 0 && drelm::ResolveColour(colour).has_value();
        break;
      }
      case 3: {
        const auto x = in.Take<float>(), y = in.Take<float>();
        ok = surface.PSet(x, y).ok();
        expect_ok = Finite(x, y);
        break;
      }
      case 4:  // and the tracking of changes turns over: lines are written apart from it too
        ok = surface.Cls().ok();
        tracking = !tracking;
        canvas.TrackChanges(tracking);
        break;
      case 5: {
        const drelm::Colour colour{in.Take<std::uint32_t>()};
        ok = surface.SetForeColor(colour).ok();
        expect_ok = drelm::ResolveColour(colour).has_value();
        break;
      }
      case 6: {  // the raster itself, with doubles of any size
        const auto x0 = in.Take<double>(), y0 = in.Take<double>();
        const auto x1 = in.Take<double>(), y1 = in.Take<double>();
        canvas.DrawLine(x0, y0, x1, y1, drelm::Rgb{0x123456});
        break;
      }
      default: {
        const auto cx = in.Take<double>(), cy = in.Take<double>(), r = in.Take<double>();
        canvas.DrawCircle(cx, cy, r, drelm::Rgb{0x654321});
        break;
      }
    }
    Require(ok == expect_ok);
    CheckDirty(canvas, ok);
  }
  return 0;
}
