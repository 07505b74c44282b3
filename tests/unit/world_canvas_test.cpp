#include "canvas/world_canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "canvas/pen.h"
#include "canvas/run_time_error.h"
#include "canvas/world.h"

namespace drelm {
namespace {

class WorldCanvasTest : public ::testing::Test {
 protected:
  bool Untouched() {
    for (int y = 0; y < canvas.height(); ++y)
      for (int x = 0; x < canvas.width(); ++x)
        if (canvas.At(x, y) != PixelOf(kWhite)) return false;
    return true;
  }
  Canvas canvas{800, 600};
  WorldCanvas surface{canvas};
};

TEST_F(WorldCanvasTest, ColoursArePixelsInTheirOwnOrder) {
  EXPECT_EQ(ResolveColour(kRed), Rgb{0xFF0000});
  EXPECT_EQ(ResolveColour(kGreen), Rgb{0x00C000});
  EXPECT_EQ(ResolveColour(kBlue), Rgb{0x0000FF});
  EXPECT_EQ(ResolveColour(Colour{0x00332211}), Rgb{0x112233});
  EXPECT_EQ(ResolveColour(kButtonText), Rgb{0x000000});
  EXPECT_FALSE(ResolveColour(Colour{0x80000005}).has_value());
  EXPECT_FALSE(ResolveColour(Colour{0x01000000}).has_value());
}

TEST_F(WorldCanvasTest, DrawsThroughTheWorldMapping) {
  ASSERT_TRUE(surface.Line(0, -5, 0, 5, kBlue).ok());
  EXPECT_EQ(canvas.At(648, 233), Rgb{0x0000FF});  // (0, -5)
  EXPECT_EQ(canvas.At(648, 300), Rgb{0x0000FF});  // (0, 5)
  EXPECT_EQ(canvas.At(648, 301), Rgb{0xFFFFFF});
  ASSERT_TRUE(surface.SetForeColor(kRed).ok());
  ASSERT_TRUE(surface.PSet(-70, -40).ok());
  EXPECT_EQ(canvas.At(0, 0), Rgb{0xFF0000});
  ASSERT_TRUE(surface.Line(-69.5f, -39.5f, -60, -39.5f).ok());  // no colour: the pen's
  EXPECT_EQ(canvas.At(50, 3), Rgb{0xFF0000});
}

TEST_F(WorldCanvasTest, ARadiusIsMeasuredInHorizontalUnits) {
  ASSERT_TRUE(surface.Circle(0, 0, 1, kBlue).ok());
  EXPECT_EQ(canvas.At(648 + 9, 266), Rgb{0x0000FF});
  EXPECT_EQ(canvas.At(648, 266 - 9), Rgb{0x0000FF});
  EXPECT_EQ(canvas.At(648, 266 + 9), Rgb{0x0000FF});
}

TEST_F(WorldCanvasTest, FarAwayShapesAreClippedWithoutError) {
  const float big = std::numeric_limits<float>::max();
  EXPECT_TRUE(surface.Line(-big, -big, big, big, kRed).ok());
  EXPECT_TRUE(surface.Line(1e9f, 1e9f, -1e9f, 1e9f, kRed).ok());
  EXPECT_TRUE(surface.Circle(big, -big, big, kRed).ok());
  EXPECT_TRUE(surface.PSet(0, 547).ok());  // a trace point far below the window
  EXPECT_TRUE(surface.Circle(3e30f, 0, 1, kRed).ok());
}

TEST_F(WorldCanvasTest, NotANumberFailsAndDrawsNothing) {
  const float nan = std::nanf("");
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_FALSE(surface.Line(nan, 0, 1, 1, kRed).ok());
  EXPECT_FALSE(surface.Line(0, 0, 1, -inf, kRed).ok());
  EXPECT_FALSE(surface.Line(0, inf, 1, 1).ok());
  EXPECT_FALSE(surface.Circle(0, nan, 1, kRed).ok());
  EXPECT_FALSE(surface.Circle(0, 0, inf, kRed).ok());
  EXPECT_FALSE(surface.Circle(0, 0, -1, kRed).ok());
  EXPECT_FALSE(surface.PSet(inf, 0).ok());
  EXPECT_FALSE(surface.Line(0, 0, 1, 1, Colour{0x80000001}).ok());
  EXPECT_FALSE(surface.SetForeColor(Colour{0x7F000000}).ok());
  EXPECT_TRUE(Untouched());
}

TEST_F(WorldCanvasTest, ClsFillsEverythingWithTheBackground) {
  ASSERT_TRUE(surface.Line(-70, -40, 100, 100, kGreen).ok());
  ASSERT_TRUE(surface.Cls().ok());
  EXPECT_TRUE(Untouched());
}

TEST_F(WorldCanvasTest, ThePenTurnsFailuresIntoRunTimeErrors) {
  Pen pen(surface);
  EXPECT_NO_THROW(pen.Line({0, 0}, {1e30, 5}, kRed));
  try {
    pen.Line({0, 0}, {1e300, 5}, kRed);
    FAIL() << "no error for a value beyond single precision";
  } catch (const RunTimeError& error) {
    EXPECT_STREQ(error.what(), "Line: overflow: 1e+300 does not fit in single precision");
  }
  try {
    pen.Circle({std::nan(""), 0}, 1, kRed);
    FAIL() << "no error for a NaN centre";
  } catch (const RunTimeError& error) {
    EXPECT_STREQ(error.what(), "Circle: a coordinate is not a finite number");
  }
  EXPECT_THROW(pen.PSet({std::numeric_limits<double>::infinity(), 0}), RunTimeError);
  EXPECT_THROW(pen.SetForeColor(Colour{0x80000099}), RunTimeError);
}

}  // namespace
}  // namespace drelm
