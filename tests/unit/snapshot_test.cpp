#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <variant>

#include "canvas/canvas.h"
#include "files/png_file.h"
#include "snapshot/options.h"
#include "support/temp_dir.h"

namespace drelm::snapshot {
namespace {

namespace fs = std::filesystem;
using files::WritePng;

std::variant<Options, std::string> Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "drelm-wheel-snapshot");
  return ParseOptions(static_cast<int>(args.size()), args.data());
}

TEST(SnapshotOptions, DefaultsAndValues) {
  auto parsed = Parse({"--out", "a.png"});
  ASSERT_TRUE(std::holds_alternative<Options>(parsed));
  // By default a whole turn past phase 0, and the whole mechanism and trace.
  EXPECT_EQ(std::get<Options>(parsed).passes, 14566);
  EXPECT_EQ(std::get<Options>(parsed).width, 1280);
  EXPECT_EQ(std::get<Options>(parsed).height, 640);
  parsed = Parse({"--passes", "12566", "--size", "1280x640", "--out", "b.png"});
  ASSERT_TRUE(std::holds_alternative<Options>(parsed));
  EXPECT_EQ(std::get<Options>(parsed).passes, 12566);
  EXPECT_EQ(std::get<Options>(parsed).width, 1280);
  EXPECT_EQ(std::get<Options>(parsed).height, 640);
  EXPECT_EQ(std::get<Options>(parsed).out, "b.png");
  EXPECT_TRUE(std::get<Options>(Parse({"--help"})).help);
  // At another scale the default picture grows with it; --name=value is --name value.
  parsed = Parse({"--dpi=192", "--out=c.PNG", "--passes=15000"});
  ASSERT_TRUE(std::holds_alternative<Options>(parsed));
  EXPECT_EQ(std::get<Options>(parsed).width, 2560);
  EXPECT_EQ(std::get<Options>(parsed).height, 1280);
  EXPECT_EQ(std::get<Options>(parsed).passes, 15000);
  EXPECT_EQ(std::get<Options>(parsed).out, "c.PNG");
  EXPECT_EQ(std::get<Options>(Parse({"--gif", "-"})).gif, "-");
  // A web page's dots an inch may have a fraction: the value it gives is taken exactly.
  EXPECT_EQ(std::get<Options>(Parse({"--dpi", "83.5", "--out", "d.png"})).dpi, 83.5);
}

TEST(SnapshotOptions, BadInputIsOneLineSaying) {
  const std::vector<std::vector<const char*>> bad = {
      {},
      {"--passes", "-1", "--out", "a.png"},
      {"--passes", "ten", "--out", "a.png"},
      {"--passes", "1000000001", "--out", "a.png"},
      {"--passes", "99999999999999999999", "--out", "a.png"},
      {"--passes", "12x", "--out", "a.png"},
      {"--size", "0x10", "--out", "a.png"},
      {"--size", "8193x10", "--out", "a.png"},
      {"--size", "640", "--out", "a.png"},
      {"--size", "640x-3", "--out", "a.png"},
      {"--size", "x480", "--out", "a.png"},
      {"--out"},
      {"--out", ""},
      {"--frobnicate", "--out", "a.png"},
      {"-p", "3", "--out", "a.png"},
      {"--dpi", "15", "--out", "a.png"},
      {"--dpi", "385", "--out", "a.png"},
      {"--dpi", "1.5", "--out", "a.png"},
      {"--dpi", "15.99", "--out", "a.png"},
      {"--dpi", "96e0", "--out", "a.png"},
      {"--out", "a.jpg"},
      {"--gif", "a.png"},
      {"--out=", "--passes", "3"},
      {"--help=yes"},
  };
  for (const auto& args : bad) {
    const auto parsed = Parse(args);
    ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << (args.empty() ? "" : args[0]);
    const auto& message = std::get<std::string>(parsed);
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;
  }
}

// Reads a PNG back with libpng: its size and its pixels as 0x00RRGGBB.
std::vector<Rgb> ReadPng(const fs::path& path, png_uint_32& width, png_uint_32& height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) return {};
  width = image.width;
  height = image.height;
  std::vector<Rgb> pixels;
  for (std::size_t i = 0; i + 2 < bytes.size(); i += 3) {
    pixels.push_back(
        Rgb{(std::uint32_t{bytes[i]} << 16) | (std::uint32_t{bytes[i + 1]} << 8) | bytes[i + 2]});
  }
  return pixels;
}

using PngFileTest = testing::TempDirTest;

TEST_F(PngFileTest, WritesTheTopLeftOfTheCanvas) {
  Canvas canvas(40, 30);
  canvas.Plot(0, 0, PixelOf(kRed));
  canvas.Plot(9, 4, PixelOf(kGreen));
  canvas.Plot(20, 20, PixelOf(kBlue));  // outside the written part
  const fs::path out = dir / "shot.png";
  WritePng(canvas, 10, 5, out);
  png_uint_32 w = 0, h = 0;
  const auto pixels = ReadPng(out, w, h);
  ASSERT_EQ(w, 10u);
  ASSERT_EQ(h, 5u);
  EXPECT_EQ(pixels[0], PixelOf(kRed));
  EXPECT_EQ(pixels[4 * 10 + 9], PixelOf(kGreen));
  EXPECT_EQ(pixels[1], PixelOf(kWhite));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(PngFileTest, FailureLeavesNothingBehind) {
  Canvas canvas(8, 8);
  EXPECT_THROW(WritePng(canvas, 8, 8, dir / "missing" / "shot.png"), std::runtime_error);
  fs::create_directory(dir / "taken.png");  // a directory where the file should go
  EXPECT_THROW(WritePng(canvas, 8, 8, dir / "taken.png"), std::runtime_error);
  EXPECT_THROW(WritePng(canvas, 9, 8, dir / "big.png"), std::runtime_error);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace drelm::snapshot
