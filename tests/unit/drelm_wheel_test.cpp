#include "app/drelm_wheel.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/program_end.h"
#include "platform/offscreen/scripted_host.h"
#include "support/recording_surface.h"

namespace drelm {
namespace {

using testing::RecordingSurface;

// How many drawing operations the start-up and one pass make.
struct OpCounts {
  std::size_t startup;
  std::size_t pass;
};

OpCounts CountOps() {
  ScriptedHost host(100, 100);
  RecordingSurface recorder(&host.surface());
  DrelmWheel window(recorder, host);
  window.StartUp();
  const std::size_t startup = recorder.ops.size();
  window.Pass();
  return {startup, recorder.ops.size() - startup};
}

class DrelmWheelTest : public ::testing::Test {
 protected:
  const OpCounts counts = CountOps();
  const std::size_t startup_ops = counts.startup;
  const std::size_t per_pass = counts.pass;
  bool PictureIsBlank() {
    for (int y = 0; y < host.canvas().height(); y += 1)
      for (int x = 0; x < host.canvas().width(); x += 1)
        if (host.canvas().At(x, y) != PixelOf(kWhite)) return false;
    return true;
  }

  ScriptedHost host{1280, 640};
  RecordingSurface recorder{&host.surface()};
  DrelmWheel window{recorder, host};
};

TEST_F(DrelmWheelTest, MembersStartEmpty) {
  EXPECT_TRUE(window.x.IsEmpty());
  EXPECT_TRUE(window.y.IsEmpty());
  EXPECT_TRUE(window.stoop.IsEmpty());
  EXPECT_TRUE(window.pi.IsEmpty());
  window.StartUp();
  EXPECT_EQ(window.pi.Value(), 4 * std::atan(1.0));
}

TEST_F(DrelmWheelTest, ThePumpRunsOnceAPass) {
  window.StartUp();
  window.Pass();
  EXPECT_EQ(host.calls(), 1);
  window.Pass();
  EXPECT_EQ(host.calls(), 2);
}

TEST_F(DrelmWheelTest, FirstEnterPausesAndTheSecondResumes) {
  window.StartUp();
  host.At(1, {KeyEvent(kCharEnter)});
  host.At(4, {KeyEvent(kCharEnter)});
  window.Pass();
  EXPECT_EQ(host.calls(), 4);  // held in the pump from call 1 to call 4
  EXPECT_EQ(window.stoop.Value(), 0);
  EXPECT_FALSE(window.stoop.IsEmpty());
  // Nothing was drawn while paused: one pass worth of operations, no more.
  EXPECT_EQ(recorder.ops.size(), startup_ops + per_pass);
  host.At(5, {KeyEvent(kCharEnter)});
  host.At(6, {KeyEvent(kCharEnter)});
  window.Pass();  // paused again by the first Enter after resuming
  EXPECT_EQ(host.calls(), 6);
}

TEST_F(DrelmWheelTest, TwoEntersInOnePumpCallCancel) {
  window.StartUp();
  host.At(1, {KeyEvent(kCharEnter), KeyEvent(kCharEnter)});
  window.Pass();
  EXPECT_EQ(host.calls(), 1);
  EXPECT_EQ(window.stoop.Value(), 0);
  window.Pass();
  EXPECT_EQ(host.calls(), 2);
}

TEST_F(DrelmWheelTest, EscWhilePausedClearsAndEnds) {
  window.StartUp();
  host.At(1, {KeyEvent(kCharEnter)});
  host.At(3, {KeyEvent(kCharEsc)});
  EXPECT_THROW(window.Pass(), ProgramEnded);
  EXPECT_EQ(recorder.ops.back().name, "Cls");
  EXPECT_TRUE(PictureIsBlank());
}

TEST_F(DrelmWheelTest, AClickWhilePausedEndsWithoutClearing) {
  window.StartUp();
  host.At(1, {KeyEvent(kCharEnter)});
  host.At(2, {ClickEvent()});
  const auto before = recorder.ops.size();
  EXPECT_THROW(window.Pass(), ProgramEnded);
  EXPECT_EQ(recorder.ops.size(), before + per_pass);  // the pass's own drawing, then nothing
  EXPECT_FALSE(PictureIsBlank());
}

TEST_F(DrelmWheelTest, EndingIsImmediateEvenMidBatch) {
  window.StartUp();
  host.At(1, {ClickEvent(), KeyEvent(kCharEnter)});
  EXPECT_THROW(window.Pass(), ProgramEnded);
  EXPECT_TRUE(window.stoop.IsEmpty());  // the Enter after the click never ran
}

TEST_F(DrelmWheelTest, OtherKeysChangeNothing) {
  window.StartUp();
  host.At(1, {KeyEvent(' '), KeyEvent('a'), KeyEvent('Q'), KeyEvent(8), KeyEvent(9), KeyEvent(10),
              KeyEvent(1), KeyEvent(127), KeyEvent(0x263A), KeyEvent(-13)});
  const auto before = recorder.ops.size();
  window.Pass();
  EXPECT_TRUE(window.stoop.IsEmpty());
  EXPECT_EQ(recorder.ops.size(), before + per_pass);
  EXPECT_EQ(host.calls(), 1);
}

TEST_F(DrelmWheelTest, ActivateRunsStartUpThenPassesUntilTheProgramEnds) {
  host.EndAt(5);
  EXPECT_THROW(window.Activate(), ProgramEnded);
  EXPECT_EQ(host.calls(), 5);
  EXPECT_EQ(window.pi.Value(), 4 * std::atan(1.0));
  EXPECT_EQ(recorder.ops.front().name, "ForeColor");
  EXPECT_EQ(recorder.ops.size(), startup_ops + 5 * per_pass);
}

}  // namespace
}  // namespace drelm
