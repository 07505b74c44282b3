#include <gif_lib.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "app/drelm_wheel.h"
#include "platform/offscreen/scripted_host.h"
#include "snapshot/gif_file.h"
#include "snapshot/options.h"
#include "snapshot/recording.h"
#include "support/temp_dir.h"

namespace drelm::snapshot {
namespace {

namespace fs = std::filesystem;

// A GIF decoded with giflib: each frame composed over the ones before, as a viewer shows it.
struct Decoded {
  int width = 0, height = 0;
  std::vector<std::vector<Rgb>> frames;
  std::vector<int> delays;
  std::vector<std::array<int, 4>> rects;  // left, top, width, height as stored
  bool loops = false;
};

Decoded Decode(const fs::path& path) {
  Decoded out;
  int error = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
  if (gif == nullptr) return out;
  if (DGifSlurp(gif) != GIF_OK) {
    DGifCloseFile(gif, &error);
    return out;
  }
  out.width = gif->SWidth;
  out.height = gif->SHeight;
  std::vector<Rgb> canvas(static_cast<std::size_t>(out.width) * out.height, Rgb{0});
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& image = gif->SavedImages[i];
    const GifImageDesc& d = image.ImageDesc;
    const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
    for (int y = 0; y < d.Height; ++y)
      for (int x = 0; x < d.Width; ++x) {
        const GifColorType c = map->Colors[image.RasterBits[y * d.Width + x]];
        canvas[(d.Top + y) * out.width + d.Left + x] =
            Rgb{(std::uint32_t{c.Red} << 16) | (std::uint32_t{c.Green} << 8) | c.Blue};
      }
    out.frames.push_back(canvas);
    out.rects.push_back({d.Left, d.Top, d.Width, d.Height});
    GraphicsControlBlock control;
    out.delays.push_back(DGifSavedExtensionToGCB(gif, i, &control) == GIF_OK ? control.DelayTime
                                                                             : -1);
    for (int e = 0; e < image.ExtensionBlockCount; ++e)
      if (image.ExtensionBlocks[e].Function == APPLICATION_EXT_FUNC_CODE) out.loops = true;
  }
  for (int e = 0; e < gif->ExtensionBlockCount; ++e)
    if (gif->ExtensionBlocks[e].Function == APPLICATION_EXT_FUNC_CODE) out.loops = true;
  DGifCloseFile(gif, &error);
  return out;
}

std::vector<Rgb> TopLeft(const Canvas& canvas, int width, int height) {
  std::vector<Rgb> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(canvas.At(x, y));
  return pixels;
}

using GifTest = testing::TempDirTest;

TEST_F(GifTest, FramesEqualTheOffscreenPictureAtTheSamePasses) {
  Options options;
  options.passes = 2500;
  options.width = 1280;
  options.height = 640;
  options.gif = dir / "motion.gif";
  options.seconds = 0.4;
  options.fps = 25;
  WriteRecording(options);
  const Decoded gif = Decode(options.gif);
  ASSERT_EQ(gif.frames.size(), 10u);
  EXPECT_EQ(gif.width, 1280);
  EXPECT_EQ(gif.height, 640);
  EXPECT_TRUE(gif.loops);
  ScriptedHost host(2400, 1440);
  DrelmWheel window(host.surface(), host);
  window.StartUp();
  for (int pass = 0; pass < 2500; ++pass) window.Pass();
  for (std::size_t k = 0; k < gif.frames.size(); ++k) {
    if (k > 0)
      for (int pass = 0; pass < 200; ++pass) window.Pass();
    const auto expected = TopLeft(host.canvas(), 1280, 640);
    const auto mismatch = std::mismatch(expected.begin(), expected.end(), gif.frames[k].begin());
    ASSERT_EQ(mismatch.first, expected.end())
        << "frame " << k << " differs first at pixel " << (mismatch.first - expected.begin());
    EXPECT_EQ(gif.delays[k], 4);
  }
  // Frames after the first store only the rectangle round the mechanism and the trace.
  for (std::size_t k = 1; k < gif.rects.size(); ++k) {
    EXPECT_LT(gif.rects[k][2] * gif.rects[k][3], 1280 * 640 * 7 / 10) << "frame " << k;
    EXPECT_GT(gif.rects[k][1], 50) << "frame " << k << " stores rows nothing changed in";
  }
}

TEST_F(GifTest, DelaysKeepToTheClockAtAnyRate) {
  for (int fps : {1, 7, 24, 25, 30, 50}) {
    long total = 0;
    for (int k = 0; k < fps * 3; ++k) {
      total += FrameDelay(k, fps);
      ASSERT_GE(FrameDelay(k, fps), 2);
    }
    EXPECT_EQ(total, 300) << fps << " frames a second";
    EXPECT_EQ(PassesBeforeFrame(fps, fps), 5000);
  }
  EXPECT_EQ(FrameCount(2.5132741228718345, 25), 63);
  EXPECT_EQ(FrameCount(0.01, 25), 1);
}

TEST_F(GifTest, AFrameThatChangesNothingIsStillAFrame) {
  Canvas canvas(30, 20);
  canvas.DrawLine(2, 2, 25, 15, PixelOf(kRed));
  {
    GifWriter gif(dir / "still.gif", 30, 20);
    gif.AddFrame(canvas, 10);
    gif.AddFrame(canvas, 10);
    canvas.Plot(29, 19, PixelOf(kBlue));
    gif.AddFrame(canvas, 10);
    gif.Commit();
  }
  const Decoded gif = Decode(dir / "still.gif");
  ASSERT_EQ(gif.frames.size(), 3u);
  EXPECT_EQ(gif.frames[0], gif.frames[1]);
  EXPECT_EQ((gif.rects[1]), (std::array<int, 4>{0, 0, 1, 1}));
  EXPECT_EQ((gif.rects[2]), (std::array<int, 4>{29, 19, 1, 1}));
  EXPECT_EQ(gif.frames[2][19 * 30 + 29], PixelOf(kBlue));
}

TEST_F(GifTest, AColourOutsideThePaletteFailsAndLeavesNothing) {
  Canvas canvas(8, 8);
  canvas.Plot(3, 3, Rgb{0x123456});
  {
    GifWriter gif(dir / "odd.gif", 8, 8);
    EXPECT_THROW(gif.AddFrame(canvas, 4), std::runtime_error);
  }
  EXPECT_TRUE(fs::is_empty(dir));
  EXPECT_THROW(GifWriter(dir / "no" / "such.gif", 8, 8), std::runtime_error);
}

TEST(GifOptions, TheRecordingOptions) {
  const char* good[] = {"x", "--gif", "a.gif", "--seconds", "1.5", "--fps", "10"};
  const auto parsed = ParseOptions(7, good);
  ASSERT_TRUE(std::holds_alternative<Options>(parsed));
  EXPECT_EQ(std::get<Options>(parsed).gif, "a.gif");
  EXPECT_EQ(std::get<Options>(parsed).seconds, 1.5);
  EXPECT_EQ(std::get<Options>(parsed).fps, 10);
  const std::vector<std::vector<const char*>> bad = {
      {"x", "--gif", "a.gif", "--seconds", "0"},   {"x", "--gif", "a.gif", "--seconds", "-1"},
      {"x", "--gif", "a.gif", "--seconds", "61"},  {"x", "--gif", "a.gif", "--seconds", "nan"},
      {"x", "--gif", "a.gif", "--seconds", "1e3"}, {"x", "--gif", "a.gif", "--fps", "0"},
      {"x", "--gif", "a.gif", "--fps", "51"},      {"x", "--gif", "a.gif", "--fps", "2.5"},
      {"x", "--gif", "a.gif", "--out", "a.png"},   {"x", "--out", "a.png", "--fps", "5"},
      {"x", "--out", "a.png", "--seconds", "2"},   {"x", "--gif", ""},
  };
  for (const auto& args : bad) {
    const auto result = ParseOptions(static_cast<int>(args.size()), args.data());
    ASSERT_TRUE(std::holds_alternative<std::string>(result)) << args[1] << " " << args.back();
  }
}

}  // namespace
}  // namespace drelm::snapshot
