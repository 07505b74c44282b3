#include "snapshot/gif_file.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <stdexcept>

#include "platform/common/printable.h"

namespace drelm::snapshot {
namespace {

// Every colour the picture uses, and padding to the power of two a GIF palette needs.
constexpr std::array<Rgb, 8> kPalette = {
    PixelOf(kBackground), PixelOf(kBlack),      PixelOf(kRed),        PixelOf(kGreen),
    PixelOf(kBlue),       PixelOf(kBackground), PixelOf(kBackground), PixelOf(kBackground)};
constexpr int kPaletteBits = 3;
constexpr int kLoopForever = 0;

int GifWrite(GifFileType* gif, const GifByteType* bytes, int length) {
  auto* file = static_cast<files::AtomicFile*>(gif->UserData);
  return file->Write(bytes, static_cast<std::size_t>(length)) ? length : 0;
}

}  // namespace

GifWriter::GifWriter(const std::string& path, int width, int height)
    : file_(path), width_(width), height_(height) {
  int error = 0;
  gif_ = EGifOpen(&file_, GifWrite, &error);
  if (gif_ == nullptr) Fail("cannot start the GIF", error);
  EGifSetGifVersion(gif_, true);
  std::array<GifColorType, kPalette.size()> colours;
  for (std::size_t i = 0; i < kPalette.size(); ++i) {
    colours[i] = {kPalette[i].red(), kPalette[i].green(), kPalette[i].blue()};
  }
  ColorMapObject* map = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
  if (map == nullptr) Fail("out of memory", D_GIF_ERR_NOT_ENOUGH_MEM);
  const int put = EGifPutScreenDesc(gif_, width, height, kPaletteBits, 0, map);
  GifFreeMapObject(map);
  if (put != GIF_OK) Fail("cannot write the screen", gif_->Error);
  // The application extension that makes browsers loop the animation.
  const GifByteType netscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
  const GifByteType loop[] = {1, kLoopForever & 0xFF, kLoopForever >> 8};
  if (EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
      EGifPutExtensionBlock(gif_, sizeof netscape, netscape) != GIF_OK ||
      EGifPutExtensionBlock(gif_, sizeof loop, loop) != GIF_OK ||
      EGifPutExtensionTrailer(gif_) != GIF_OK) {
    Fail("cannot write the loop", gif_->Error);
  }
  const auto pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  previous_.assign(pixels, 0);
  current_.assign(pixels, 0);
}

GifWriter::~GifWriter() {
  if (gif_ != nullptr) EGifCloseFile(gif_, nullptr);
}

void GifWriter::AddFrame(const Canvas& canvas, int delay_cs) {
  // The frame as palette indices, and the rectangle in which it differs from the last.
  int left = width_, top = height_, right = -1, bottom = -1;
  for (int y = 0; y < height_; ++y) {
    std::uint8_t* out = &current_[static_cast<std::size_t>(y) * width_];
    const std::uint8_t* before = &previous_[static_cast<std::size_t>(y) * width_];
    for (int x = 0; x < width_; ++x) {
      const auto found = std::find(kPalette.begin(), kPalette.end(), canvas.At(x, y));
      if (found == kPalette.end()) {
        throw std::runtime_error("cannot write " + Printable(file_.path()) +
                                 ": a colour outside the palette");
      }
      out[x] = static_cast<std::uint8_t>(found - kPalette.begin());
      if (first_ || out[x] != before[x]) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
    }
  }
  if (right < 0) left = top = right = bottom = 0;  // nothing changed: one pixel, as it was
  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSE_DO_NOT;
  control.DelayTime = delay_cs;
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  GifByteType extension[4];
  const auto length = EGifGCBToExtension(&control, extension);
  if (EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) !=
      GIF_OK) {
    Fail("cannot write a frame's delay", gif_->Error);
  }
  const int w = right - left + 1;
  if (EGifPutImageDesc(gif_, left, top, w, bottom - top + 1, false, nullptr) != GIF_OK) {
    Fail("cannot write a frame", gif_->Error);
  }
  for (int y = top; y <= bottom; ++y) {
    if (EGifPutLine(gif_, &current_[static_cast<std::size_t>(y) * width_ + left], w) != GIF_OK) {
      Fail("cannot write a frame", gif_->Error);
    }
  }
  std::swap(previous_, current_);
  first_ = false;
}

void GifWriter::Commit() {
  int error = 0;
  const int closed = EGifCloseFile(gif_, &error);
  gif_ = nullptr;
  if (closed != GIF_OK) Fail("cannot finish the GIF", error);
  file_.Commit();
}

void GifWriter::Fail(const char* what, int error) const {
  // A failed write says why in the system's words, whatever giflib makes of it ("disk full?").
  if (file_.WriteFailed()) throw std::runtime_error(file_.WriteError());
  const char* why = GifErrorString(error);
  throw std::runtime_error("cannot write " + Printable(file_.path()) + ": " + what + ": " +
                           (why ? why : "unknown error"));
}

}  // namespace drelm::snapshot
