#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include "platform/common/window_area.h"

namespace drelm {

// An image whose pixels lie in memory shared with the X server (MIT-SHM): they pass between the
// program and the server without going through the connection.
class X11SharedImage {
 public:
  // An image of `size` for a visual of `depth` bits. It has none (image() is nullptr) where the
  // system gives no shared memory, or the server refuses it (one on another machine does).
  // `read_only`: the server only reads it (the program puts from it).
  X11SharedImage(Display* display, Visual* visual, int depth, PixelSize size, bool read_only);
  // Detached from the server, which has let go of it once this returns.
  ~X11SharedImage();
  // The image holds where its segment is (Xlib keeps a pointer to it): never copied or moved.
  X11SharedImage(const X11SharedImage&) = delete;
  X11SharedImage& operator=(const X11SharedImage&) = delete;

  XImage* image() const { return image_; }
  // Whether the server refused the memory: it will refuse any other.
  bool refused() const { return refused_; }

 private:
  void Free();

  Display* display_;
  XImage* image_ = nullptr;
  XShmSegmentInfo segment_{};
  bool attached_ = false;
  bool refused_ = false;
};

}  // namespace drelm
