#include "snapshot/png_file.h"

#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace drelm::snapshot {
namespace {

[[noreturn]] void PngError(png_structp, png_const_charp message) {
  throw std::runtime_error(std::string("PNG encoder: ") + message);
}

void PngWarning(png_structp, png_const_charp) {}

// Owns the encoder's state and the open temporary file; on failure removes the file.
class PngWriter {
 public:
  explicit PngWriter(const std::string& path) : temp_(path + ".tmp.XXXXXX") {
    const int fd = mkstemp(temp_.data());
    if (fd < 0) throw std::runtime_error("cannot write " + path + ": " + std::strerror(errno));
    // mkstemp makes the file private; give it the mode any new file would have.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    file_ = fdopen(fd, "wb");
    if (file_ == nullptr) {
      close(fd);
      std::remove(temp_.c_str());
      throw std::runtime_error("cannot write " + path + ": " + std::strerror(errno));
    }
    png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
    info_ = png_ ? png_create_info_struct(png_) : nullptr;
  }
  ~PngWriter() {
    png_destroy_write_struct(png_ ? &png_ : nullptr, info_ ? &info_ : nullptr);
    if (file_ != nullptr) std::fclose(file_);
    if (!committed_) std::remove(temp_.c_str());
  }
  PngWriter(const PngWriter&) = delete;
  PngWriter& operator=(const PngWriter&) = delete;

  void Write(const Canvas& canvas, int width, int height) {
    if (info_ == nullptr) throw std::runtime_error("PNG encoder: out of memory");
    png_init_io(png_, file_);
    png_set_IHDR(png_, info_, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png_, info_);
    std::vector<png_byte> row(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
      const Rgb* pixels = canvas.Row(y);
      for (int x = 0; x < width; ++x) {
        row[3 * x] = static_cast<png_byte>(pixels[x] >> 16);
        row[3 * x + 1] = static_cast<png_byte>(pixels[x] >> 8);
        row[3 * x + 2] = static_cast<png_byte>(pixels[x]);
      }
      png_write_row(png_, row.data());
    }
    png_write_end(png_, nullptr);
  }

  void Commit(const std::string& path) {
    const bool flushed = std::fflush(file_) == 0 && fsync(fileno(file_)) == 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!flushed || !closed)
      throw std::runtime_error("cannot write " + path + ": " + std::strerror(errno));
    if (std::rename(temp_.c_str(), path.c_str()) != 0) {
      throw std::runtime_error("cannot write " + path + ": " + std::strerror(errno));
    }
    committed_ = true;
  }

 private:
  std::string temp_;
  std::FILE* file_ = nullptr;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
  bool committed_ = false;
};

}  // namespace

void WritePng(const Canvas& canvas, int width, int height, const std::string& path) {
  if (width < 1 || height < 1 || width > canvas.width() || height > canvas.height()) {
    throw std::runtime_error("cannot write " + path + ": the size is outside the canvas");
  }
  PngWriter writer(path);
  writer.Write(canvas, width, height);
  writer.Commit(path);
}

}  // namespace drelm::snapshot
