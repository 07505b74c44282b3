#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "files/atomic_file.h"

struct GifFileType;

namespace drelm::snapshot {

// An animated GIF of the top-left width x height pixels of a canvas, frame by frame, looping
// for ever. The picture has only a handful of colours, all in the GIF's palette, so every frame
// is exact. Each frame after the first stores only the rectangle that changed. The file appears
// whole at Commit or not at all. Failures throw std::runtime_error with a one-line reason.
class GifWriter {
 public:
  GifWriter(const std::string& path, int width, int height);
  ~GifWriter();
  GifWriter(const GifWriter&) = delete;
  GifWriter& operator=(const GifWriter&) = delete;

  // Adds the canvas as it is now, shown for delay_cs hundredths of a second.
  void AddFrame(const Canvas& canvas, int delay_cs);
  void Commit();

 private:
  [[noreturn]] void Fail(const char* what, int error) const;

  files::AtomicFile file_;
  int width_;
  int height_;
  GifFileType* gif_ = nullptr;
  std::vector<std::uint8_t> previous_;  // palette indices of the last frame
  std::vector<std::uint8_t> current_;
  bool first_ = true;
};

}  // namespace drelm::snapshot
