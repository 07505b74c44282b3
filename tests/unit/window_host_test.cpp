// The pump every window host shares, and the rules of the area a window shows, driven through the
// off-screen host.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <vector>

#include "app/program_end.h"
#include "canvas/colour.h"
#include "platform/common/band_image.h"
#include "platform/offscreen/offscreen_host.h"

namespace drelm {
namespace {

// A window that keeps the keys it gets; Enter pauses and resumes it.
class Window final : public WindowInput {
 public:
  void KeyPress(int key) override {
    keys.push_back(key);
    if (key == 13) paused = !paused;
  }
  [[noreturn]] void MouseDown(int, int, float, float) override { End(); }
  bool Paused() const override { return paused; }

  std::vector<int> keys;
  bool paused = false;
};

constexpr auto kPassCost = std::chrono::microseconds(20);

class WindowHostTest : public ::testing::Test {
 protected:
  // Passes at the pump's pace for `span` of the host's clock, each drawing a dot along a row.
  void Run(Pacer::Clock::duration span) {
    for (const Pacer::Time end = host.now() + span; host.now() < end;) {
      host.canvas().Plot(static_cast<double>(dot_++ % host.canvas().width()), 10, PixelOf(kBlack));
      host.Advance(kPassCost);
      host.DoEvents(window);
    }
  }

  OffscreenHost host{{400, 300}};
  Window window;
  int dot_ = 0;
};

TEST_F(WindowHostTest, EventsAndChangesGoOnceAFrame) {
  Run(std::chrono::seconds(1));
  // 5000 passes a second, at most 60 frames: each hands over events and shows what changed.
  EXPECT_GE(host.handovers(), 50);
  EXPECT_LE(host.handovers(), 61);
  EXPECT_EQ(static_cast<int>(host.showings().size()), host.handovers());
  host.Type('a');
  Run(std::chrono::milliseconds(20));
  EXPECT_EQ(window.keys, std::vector<int>{'a'});  // within a frame
  EXPECT_EQ(host.event_waits(), 0);               // running, it never waits for events
}

TEST_F(WindowHostTest, ChangesAreCutToTheAreaShown) {
  host.SetClientArea({100, 500});  // narrower than the canvas, and taller
  Run(std::chrono::milliseconds(200));
  int shown = 0;
  for (const auto& showing : host.showings()) {
    for (const PixelRect& rect : showing.rects) {
      ++shown;
      EXPECT_FALSE(rect.Empty());
      EXPECT_LE(rect.x + rect.w, 100);
      EXPECT_LE(rect.y + rect.h, 300);
    }
  }
  EXPECT_GT(shown, 0);
}

TEST_F(WindowHostTest, AHiddenWindowIsSentNothingUntilShownWhole) {
  Run(std::chrono::milliseconds(50));
  const std::size_t before = host.showings().size();
  host.SetClientArea({});
  Run(std::chrono::milliseconds(200));
  EXPECT_EQ(host.showings().size(), before);
  host.SetClientArea({400, 300});
  host.Expose();
  Run(std::chrono::milliseconds(20));
  ASSERT_GT(host.showings().size(), before);
  EXPECT_TRUE(host.showings()[before].all);
}

TEST_F(WindowHostTest, PausedItShowsTheLastPassAndWaitsForEvents) {
  Run(std::chrono::milliseconds(100));
  host.Type(13);
  Run(std::chrono::milliseconds(20));
  ASSERT_TRUE(window.paused);
  const std::size_t at_pause = host.showings().size();
  const int waits = host.event_waits();
  for (int i = 0; i < 10; ++i) host.DoEvents(window);  // each waits up to 100 ms for an event
  EXPECT_EQ(host.event_waits(), waits + 10);
  EXPECT_EQ(host.showings().size(), at_pause);  // nothing new to show
  host.Type(13);
  host.DoEvents(window);
  EXPECT_FALSE(window.paused);
}

// Bands taken in the image a host turns rectangles into lie within it and never on one another
// until it is emptied; narrow ones share rows; one that does not fit fits once it is emptied.
TEST(BandImageSpace, BandsFitSideBySideAndNeverOverlap) {
  constexpr int kWidth = 100, kRows = 40;
  BandImageSpace space(kWidth, kRows);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(space.Take(10, 8)->row, 0) << i;
  EXPECT_EQ(space.Take(10, 8)->row, 8);

  std::mt19937 rng(3);
  std::uniform_int_distribution<int> width(1, kWidth), height(1, kRows);
  std::vector<int> owner(kWidth * kRows, -1);
  space.Empty();
  for (int band = 0; band < 500; ++band) {
    const int w = std::min(width(rng) / (band % 3 + 1) + 1, kWidth), h = height(rng) / 4 + 1;
    std::optional<ImagePlace> place = space.Take(w, h);
    if (!place) {
      std::fill(owner.begin(), owner.end(), -1);
      space.Empty();
      place = space.Take(w, h);
      ASSERT_TRUE(place.has_value());
    }
    ASSERT_TRUE(place->x >= 0 && place->row >= 0 && place->x + w <= kWidth &&
                place->row + h <= kRows);
    for (int y = place->row; y < place->row + h; ++y) {
      for (int x = place->x; x < place->x + w; ++x) {
        ASSERT_EQ(owner[static_cast<std::size_t>(y * kWidth + x)], -1) << "band " << band;
        owner[static_cast<std::size_t>(y * kWidth + x)] = band;
      }
    }
  }
}

}  // namespace
}  // namespace drelm
