#include "files/png_file.h"

#include <png.h>

#include <stdexcept>
#include <vector>

#include "files/atomic_file.h"
#include "platform/common/printable.h"

namespace drelm::files {
namespace {

[[noreturn]] void PngError(png_structp, png_const_charp message) {
  throw std::runtime_error(std::string("PNG encoder: ") + message);
}

void PngWarning(png_structp, png_const_charp) {}

// Writes through the file, so that a failure names the path and the system's reason.
void PngWrite(png_structp png, png_bytep bytes, png_size_t size) {
  auto* file = static_cast<AtomicFile*>(png_get_io_ptr(png));
  if (!file->Write(bytes, size)) throw std::runtime_error(file->WriteError());
}

void PngFlush(png_structp) {}

// The encoder's state, released however the writing ends.
class PngEncoder {
 public:
  PngEncoder() {
    png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
    info_ = png_ ? png_create_info_struct(png_) : nullptr;
    if (info_ == nullptr) throw std::runtime_error("PNG encoder: out of memory");
  }
  ~PngEncoder() { png_destroy_write_struct(&png_, &info_); }
  PngEncoder(const PngEncoder&) = delete;
  PngEncoder& operator=(const PngEncoder&) = delete;

  void Write(AtomicFile& file, const Canvas& canvas, int width, int height) {
    png_set_write_fn(png_, &file, PngWrite, PngFlush);
    png_set_IHDR(png_, info_, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png_, info_);
    std::vector<png_byte> row(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const Rgb pixel = canvas.At(x, y);
        row[3 * x] = pixel.red();
        row[3 * x + 1] = pixel.green();
        row[3 * x + 2] = pixel.blue();
      }
      png_write_row(png_, row.data());
    }
    png_write_end(png_, nullptr);
  }

 private:
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

}  // namespace

void WritePng(const Canvas& canvas, int width, int height, const std::string& path) {
  AtomicFile file(path);
  WritePng(canvas, width, height, file);
}

void WritePng(const Canvas& canvas, int width, int height, AtomicFile& file) {
  if (width < 1 || height < 1 || width > canvas.width() || height > canvas.height()) {
    throw std::runtime_error("cannot write " + Printable(file.path()) +
                             ": the size is outside the canvas");
  }
  PngEncoder encoder;
  encoder.Write(file, canvas, width, height);
  file.Commit();
}

}  // namespace drelm::files
