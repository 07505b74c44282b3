#include "canvas/canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "canvas/line_walk.h"
#include "canvas/run_time_error.h"
#include "canvas/world.h"

namespace drelm {
namespace {

constexpr Rgb kInk{0x123456};
constexpr Rgb kPaper{0xFFFFFF};
constexpr Rgb kOther{0x00AA00};

int CountInk(const Canvas& canvas, Rgb ink = kInk) {
  int n = 0;
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x) n += canvas.At(x, y) == ink;
  return n;
}

bool AllPaper(const Canvas& canvas) {
  return CountInk(canvas, kPaper) == canvas.width() * canvas.height();
}

TEST(WorldMapping, AnchorsAndUnitsAreFixed) {
  const PixelPoint corner = WorldMapping().ToPixel(-70, -40);
  EXPECT_DOUBLE_EQ(corner.x, 0);
  EXPECT_DOUBLE_EQ(corner.y, 0);
  const PixelPoint origin = WorldMapping().ToPixel(0, 0);
  EXPECT_NEAR(origin.x, 648.67, 0.005);
  EXPECT_NEAR(origin.y, 266.67, 0.005);
  // The starting client area is 80.7194 units wide and 80.85 tall.
  EXPECT_NEAR(WorldMapping().ToPixel(10.7194, 40.85).x, WorldMapping().StartWidth(), 0.001);
  EXPECT_NEAR(WorldMapping().ToPixel(10.7194, 40.85).y, WorldMapping().StartHeight(), 0.001);
  const PixelPoint back = WorldMapping().ToWorld(origin.x, origin.y);
  EXPECT_NEAR(back.x, 0, 1e-12);
  EXPECT_NEAR(back.y, 0, 1e-12);
}

// A twip is a physical length: at twice the dots an inch everything is twice as many pixels, and
// at 96 the mapping is exactly the fifteen-twips-a-pixel one.
TEST(WorldMapping, ScalesWithTheDesktopsDotsAnInch) {
  EXPECT_EQ(WorldMapping().PixelsPerUnitX(), 139.0 / 15.0);
  EXPECT_EQ(WorldMapping().PixelsPerUnitY(), 100.0 / 15.0);
  const WorldMapping doubled(192);
  EXPECT_EQ(doubled.StartWidth(), 1496);
  EXPECT_EQ(doubled.StartHeight(), 1078);
  EXPECT_NEAR(doubled.ToPixel(0, 0).x, 1297.33, 0.005);
  EXPECT_NEAR(doubled.ToPixel(0, 0).y, 533.33, 0.005);
  EXPECT_NEAR(doubled.RadiusToPixels(1), 18.53, 0.005);
  EXPECT_EQ(doubled.PictureWidth(), 4800);
  EXPECT_EQ(WorldMapping(120).StartWidth(), 935);
  EXPECT_EQ(WorldMapping(120).StartHeight(), 674);
}

TEST(CanvasLine, IncludesBothEndsAndIsTheSameEitherWay) {
  Canvas forward(64, 64), backward(64, 64);
  forward.DrawLine(3.5, 7.2, 40.9, 19.1, kInk);
  backward.DrawLine(40.9, 19.1, 3.5, 7.2, kInk);
  EXPECT_EQ(forward.At(3, 7), kInk);
  EXPECT_EQ(forward.At(40, 19), kInk);
  EXPECT_EQ(CountInk(forward), 38);  // one pixel a column of the longer axis
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) ASSERT_EQ(forward.At(x, y), backward.At(x, y)) << x << "," << y;
}

// Each pixel of a line is the one nearest the ideal line through the end pixels, halves rounding
// down the screen, computed here by plain division.
TEST(CanvasLine, PixelsAreNearestTheIdealLine) {
  std::mt19937 rng(42);
  std::uniform_int_distribution<int> coord(-40, 140);
  for (int i = 0; i < 500; ++i) {
    Canvas canvas(100, 100);
    const int x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
    canvas.DrawLine(x0 + 0.5, y0 + 0.5, x1 + 0.5, y1 + 0.5, kInk);
    const bool x_major = std::abs(x1 - x0) >= std::abs(y1 - y0);
    // Along the major axis, from its lower end.
    const int a0 = x_major ? std::min(x0, x1) : std::min(y0, y1);
    const int a1 = x_major ? std::max(x0, x1) : std::max(y0, y1);
    const bool x_first = x_major ? x0 <= x1 : y0 <= y1;
    const int b0 = x_major ? (x_first ? y0 : y1) : (x_first ? x0 : x1);
    const int b1 = x_major ? (x_first ? y1 : y0) : (x_first ? x1 : x0);
    int expected = 0;
    for (int a = std::max(a0, 0); a <= std::min(a1, 99); ++a) {
      const double exact = a1 == a0 ? b0 : b0 + static_cast<double>(a - a0) * (b1 - b0) / (a1 - a0);
      const int b = static_cast<int>(std::floor(exact + 0.5));
      if (b < 0 || b > 99) continue;
      ++expected;
      ASSERT_EQ(x_major ? canvas.At(a, b) : canvas.At(b, a), kInk)
          << "line " << x0 << "," << y0 << " - " << x1 << "," << y1 << " at " << a;
    }
    ASSERT_EQ(CountInk(canvas), expected) << "line " << x0 << "," << y0 << " - " << x1 << "," << y1;
  }
}

TEST(CanvasLine, CoincidentEndsDrawOnePixel) {
  Canvas canvas(16, 16);
  canvas.DrawLine(5.3, 6.8, 5.9, 6.1, kInk);
  EXPECT_EQ(CountInk(canvas), 1);
  EXPECT_EQ(canvas.At(5, 6), kInk);
}

TEST(CanvasLine, SteepLinesHaveOnePixelARow) {
  Canvas canvas(32, 32);
  canvas.DrawLine(10, 2, 14, 30, kInk);
  EXPECT_EQ(CountInk(canvas), 29);
  for (int y = 2; y <= 30; ++y) {
    int in_row = 0;
    for (int x = 0; x < 32; ++x) in_row += canvas.At(x, y) == kInk;
    EXPECT_EQ(in_row, 1) << "row " << y;
  }
}

// A canvas shows exactly the pixels a larger one has in the same place: clipping moves nothing.
TEST(CanvasLine, ClippingIsExactAgainstALargerCanvas) {
  std::mt19937 rng(20261208);
  std::uniform_real_distribution<double> coord(-300, 400);
  Canvas small(100, 80), large(700, 600);
  const double shift = 250;
  for (int i = 0; i < 400; ++i) {
    const double x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
    const Rgb ink = static_cast<Rgb>(i % (kMaxCanvasColours - 1) + 1);  // all a canvas holds
    small.DrawLine(x0, y0, x1, y1, ink);
    large.DrawLine(x0 + shift, y0 + shift, x1 + shift, y1 + shift, ink);
  }
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 100; ++x)
      ASSERT_EQ(small.At(x, y), large.At(x + 250, y + 250))
          << "first difference at " << x << "," << y;
}

TEST(CanvasLine, ExtremeEndsAreClippedNotWalked) {
  Canvas canvas(50, 40);
  const double far = std::numeric_limits<double>::max();
  canvas.DrawLine(-far, 5, far, 5, kInk);  // the whole of row 5
  EXPECT_EQ(CountInk(canvas), 50);
  for (int x = 0; x < 50; ++x) EXPECT_EQ(canvas.At(x, 5), kInk);
  canvas.DrawLine(7, -1e300, 7, 1e300, kInk);  // the whole of column 7
  EXPECT_EQ(CountInk(canvas), 50 + 40 - 1);
  // Far off in every direction: nothing drawn.
  for (double big : {1e9, 1e300, -1e9, -1e300}) {
    canvas.DrawLine(big, big, big * 2, big * 0.5, kOther);
    canvas.DrawLine(-big, big, big, big, kOther);
  }
  canvas.DrawLine(-1e9, -1e9, 1e9, 1e9, kOther);  // the diagonal, clipped
  EXPECT_EQ(CountInk(canvas, kOther), 40);
}

TEST(CanvasLine, NonFiniteEndsDrawNothing) {
  Canvas canvas(20, 20);
  const double nan = std::nan("");
  const double inf = std::numeric_limits<double>::infinity();
  canvas.DrawLine(nan, 1, 5, 5, kInk);
  canvas.DrawLine(1, 1, inf, 5, kInk);
  canvas.DrawLine(-inf, 3, inf, 3, kInk);
  canvas.DrawCircle(nan, 5, 3, kInk);
  canvas.DrawCircle(5, 5, inf, kInk);
  canvas.Plot(inf, 2, kInk);
  EXPECT_TRUE(AllPaper(canvas));
}

// Looking ahead along a line through the limit's inverse gives the minor coordinate a walk
// started there gives, out to lines as long and steep as the raster walks.
TEST(LineWalk, LooksAheadExactlyAtEveryScale) {
  std::mt19937_64 rng(5);
  for (const std::int64_t reach : {std::int64_t{3}, std::int64_t{1} << 12, std::int64_t{1} << 25}) {
    std::uniform_int_distribution<std::int64_t> major(1, reach);
    for (int i = 0; i < 2000; ++i) {
      const std::int64_t m = major(rng);
      const std::int64_t minor = std::uniform_int_distribution<std::int64_t>(-m, m)(rng);
      const std::int64_t first = std::uniform_int_distribution<std::int64_t>(0, 1 << 16)(rng);
      const std::int64_t ahead = std::uniform_int_distribution<std::int64_t>(0, 1 << 16)(rng);
      const LineWalk walk(-7, minor, m, first);
      ASSERT_EQ(walk.ValueAt(ahead), LineWalk(-7, minor, m, first + ahead).value())
          << "minor " << minor << ", major " << m << ", from " << first << " on " << ahead;
    }
  }
  // Steps that land exactly on a whole quotient, where the inverse of some limits (196 for one)
  // falls just short of it.
  for (std::int64_t m = 2; m <= 400; m += 2) {
    for (const std::int64_t minor : {m / 2, -m / 2}) {
      const LineWalk walk(0, minor, m, 0);
      for (std::int64_t ahead = 0; ahead <= 8; ++ahead) {
        ASSERT_EQ(walk.ValueAt(ahead), LineWalk(0, minor, m, ahead).value()) << m << " " << ahead;
      }
    }
  }
}

TEST(CanvasCircle, IsRoundAndSymmetric) {
  Canvas canvas(64, 64);
  const double r = WorldMapping().RadiusToPixels(1);  // 9.27 pixels
  canvas.DrawCircle(32.4, 30.9, r, kInk);
  int left = 64, right = -1, top = 64, bottom = -1;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      if (canvas.At(x, y) == kInk) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
        EXPECT_EQ(canvas.At(64 - x, y), kInk) << "not mirrored across the centre column";
        EXPECT_EQ(canvas.At(x, 60 - y), kInk) << "not mirrored across the centre row";
        EXPECT_NEAR(std::hypot(x - 32, y - 30), r, 0.75) << x << "," << y;
      }
  EXPECT_EQ(32 - left, 9);
  EXPECT_EQ(right - 32, 9);
  EXPECT_EQ(30 - top, 9);
  EXPECT_EQ(bottom - 30, 9);
  EXPECT_EQ(canvas.At(32, 30), kPaper);  // not filled
}

TEST(CanvasCircle, HugeCirclesCostOnlyTheirVisiblePart) {
  Canvas canvas(40, 30);
  // Centre far to the left, the right edge of the outline passing through column 20.
  canvas.DrawCircle(20 - 1e12, 15, 1e12, kInk);
  EXPECT_EQ(canvas.At(20, 15), kInk);
  canvas.DrawCircle(0, 0, std::numeric_limits<double>::max(), kOther);
  canvas.DrawCircle(1e300, -1e300, 1e290, kOther);
  EXPECT_EQ(CountInk(canvas, kOther), 0);
  Canvas dot(5, 5);
  dot.DrawCircle(2, 2, 0, kInk);  // radius 0 is the centre pixel
  EXPECT_EQ(CountInk(dot), 1);
}

TEST(CanvasErase, DrawingAgainInPaperLeavesOnlyPaper) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> coord(-50, 250);
  std::uniform_real_distribution<double> radius(0, 90);
  Canvas canvas(200, 150);
  struct Shape {
    double a, b, c, d, r;
  };
  std::vector<Shape> shapes;
  for (int i = 0; i < 300; ++i)
    shapes.push_back({coord(rng), coord(rng), coord(rng), coord(rng), radius(rng)});
  for (const Shape& s : shapes) {
    canvas.DrawLine(s.a, s.b, s.c, s.d, kInk);
    canvas.DrawCircle(s.a, s.b, s.r, kInk);
    canvas.Plot(s.c, s.d, kInk);
  }
  ASSERT_GT(CountInk(canvas), 1000);
  for (const Shape& s : shapes) {
    canvas.DrawLine(s.a, s.b, s.c, s.d, kPaper);
    canvas.DrawCircle(s.a, s.b, s.r, kPaper);
    canvas.Plot(s.c, s.d, kPaper);
  }
  EXPECT_TRUE(AllPaper(canvas));
}

bool Covered(const std::vector<PixelRect>& rects, int x, int y) {
  for (const PixelRect& r : rects) {
    if (x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h) return true;
  }
  return false;
}

// Every pixel written lies in a rectangle taken, every rectangle on the canvas; a line's
// rectangles hold only squares it wrote in; taking forgets.
TEST(CanvasDirty, CoversWhatWasDrawnAndIsThenForgotten) {
  Canvas canvas(300, 200);
  canvas.Fill(kPaper);
  const std::vector<PixelRect> all = canvas.TakeDirtyRects();
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].w * all[0].h, 300 * 200);
  EXPECT_TRUE(canvas.TakeDirtyRects().empty());
  canvas.DrawLine(-500, -500, -400, -400, kInk);  // off the canvas: nothing to show
  EXPECT_TRUE(canvas.TakeDirtyRects().empty());

  std::mt19937 rng(11);
  std::uniform_real_distribution<double> coord(-100, 400);
  std::uniform_real_distribution<double> radius(0, 60);
  for (int round = 0; round < 40; ++round) {
    const bool lines_only = round % 2 == 0;
    for (int i = 0; i < 3; ++i) {
      canvas.DrawLine(coord(rng), coord(rng), coord(rng), coord(rng), kInk);
      if (lines_only) continue;
      canvas.DrawCircle(coord(rng), coord(rng), radius(rng), kInk);
      canvas.Plot(coord(rng), coord(rng), kInk);
    }
    const std::vector<PixelRect> rects = canvas.TakeDirtyRects();
    for (const PixelRect& r : rects) {
      ASSERT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.w <= 300 && r.y + r.h <= 200);
    }
    for (int y = 0; y < 200; ++y) {
      for (int x = 0; x < 300; ++x) {
        if (canvas.At(x, y) == kInk) {
          ASSERT_TRUE(Covered(rects, x, y)) << x << "," << y;
        }
      }
    }
    if (lines_only) {
      for (const PixelRect& r : rects) {
        for (int sy = r.y; sy < r.y + r.h; sy += DirtySquares::kSize) {
          for (int sx = r.x; sx < r.x + r.w; sx += DirtySquares::kSize) {
            int ink = 0;
            for (int y = sy; y < std::min(sy + DirtySquares::kSize, 200); ++y) {
              for (int x = sx; x < std::min(sx + DirtySquares::kSize, 300); ++x) {
                ink += canvas.At(x, y) == kInk;
              }
            }
            ASSERT_GT(ink, 0) << "square at " << sx << "," << sy << " was not written";
          }
        }
      }
    }
    canvas.Fill(kPaper);
    canvas.TakeDirtyRects();
  }
}

// The bounds of what is not background within an area, found a word at a time across strips of
// memory, are the ones a pixel-by-pixel look finds: dots at random, near the words' and the
// strips' edges among them, in areas that start and end anywhere.
TEST(CanvasInk, BoundsAreExactlyWhatIsDrawn) {
  constexpr int kWidth = 600, kHeight = 12;
  const Rgb background = PixelOf(kBackground);
  std::mt19937 rng(5);
  const auto below = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  Canvas canvas(kWidth, kHeight);
  for (int round = 0; round < 300; ++round) {
    canvas.Fill(background);
    for (int dots = below(4); dots > 0; --dots) {
      const int x = below(3) == 0 ? 256 * below(3) + below(16) - 8 : below(kWidth);
      canvas.Plot(std::clamp(x, 0, kWidth - 1), below(kHeight), kInk);
    }
    const int left = below(kWidth), top = below(kHeight);
    const PixelRect area{left, top, 1 + below(kWidth - left), 1 + below(kHeight - top)};
    int left_ink = area.x + area.w, top_ink = area.y + area.h, right_ink = area.x,
        bottom_ink = area.y;
    for (int y = area.y; y < area.y + area.h; ++y) {
      for (int x = area.x; x < area.x + area.w; ++x) {
        if (canvas.At(x, y) == background) continue;
        left_ink = std::min(left_ink, x);
        top_ink = std::min(top_ink, y);
        right_ink = std::max(right_ink, x + 1);
        bottom_ink = std::max(bottom_ink, y + 1);
      }
    }
    const PixelRect ink = canvas.InkBounds(area);
    if (right_ink == area.x) {
      EXPECT_TRUE(ink.Empty()) << "round " << round;
      continue;
    }
    EXPECT_EQ(ink.x, left_ink) << "round " << round;
    EXPECT_EQ(ink.y, top_ink) << "round " << round;
    EXPECT_EQ(ink.x + ink.w, right_ink) << "round " << round;
    EXPECT_EQ(ink.y + ink.h, bottom_ink) << "round " << round;
  }
}

// A pixel is the number of its colour: every colour a canvas can hold comes back as drawn, white
// among them not mistaken for the background's number, and the one beyond is refused unwritten.
TEST(CanvasColours, AsManyAsAByteNumbersAndNoMore) {
  Canvas canvas(kMaxCanvasColours, 2);
  for (int i = 0; i < kMaxCanvasColours; ++i) {
    canvas.Plot(i, 0, Rgb{static_cast<std::uint32_t>(0xFFFFFF - i)});  // white first
  }
  for (int i = 0; i < kMaxCanvasColours; ++i) {
    ASSERT_EQ(canvas.At(i, 0), (Rgb{static_cast<std::uint32_t>(0xFFFFFF - i)})) << i;
  }
  EXPECT_THROW(canvas.Plot(0, 1, Rgb{0x000001}), RunTimeError);
  EXPECT_EQ(canvas.At(0, 1), Rgb{0xFFFFFF});
  canvas.Plot(1, 1, Rgb{0xFFFFFE});
  EXPECT_EQ(canvas.At(1, 1), Rgb{0xFFFFFE});
}

TEST(CanvasSize, RefusesImpossibleSizes) {
  EXPECT_THROW(Canvas(0, 10), std::invalid_argument);
  EXPECT_THROW(Canvas(10, -1), std::invalid_argument);
  EXPECT_THROW(Canvas(100000, 10), std::invalid_argument);
}

}  // namespace
}  // namespace drelm
