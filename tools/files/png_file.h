#pragma once

#include <string>

#include "canvas/canvas.h"
#include "files/atomic_file.h"

namespace drelm::files {

// Writes the top-left width x height pixels of the canvas to `path` as an 8-bit RGB PNG. The
// file appears whole or not at all: it is written beside the target and renamed into place.
// Throws std::runtime_error with a one-line reason.
void WritePng(const Canvas& canvas, int width, int height, const std::string& path);
// The same into a file opened before, and committed here.
void WritePng(const Canvas& canvas, int width, int height, AtomicFile& file);

}  // namespace drelm::files
