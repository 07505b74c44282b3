#include "platform/x11/x11_shared_image.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstddef>

namespace drelm {
namespace {

bool g_refused = false;

int NoteRefusal(Display*, XErrorEvent*) {
  g_refused = true;
  return 0;
}

// Attaches the segment, and waits for the server's answer: a server on another machine refuses
// it. Meanwhile an X error is no fault of the program's.
bool Attach(Display* display, XShmSegmentInfo& segment) {
  XSync(display, False);
  g_refused = false;
  const auto previous = XSetErrorHandler(NoteRefusal);
  XShmAttach(display, &segment);
  XSync(display, False);
  XSetErrorHandler(previous);
  return !g_refused;
}

}  // namespace

X11SharedImage::X11SharedImage(Display* display, Visual* visual, int depth, PixelSize size,
                               bool read_only)
    : display_(display) {
  image_ =
      XShmCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &segment_,
                      static_cast<unsigned>(size.width), static_cast<unsigned>(size.height));
  if (image_ == nullptr) return;
  const std::size_t bytes =
      static_cast<std::size_t>(image_->bytes_per_line) * static_cast<std::size_t>(size.height);
  segment_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  void* memory =
      segment_.shmid < 0 ? reinterpret_cast<void*>(-1) : shmat(segment_.shmid, nullptr, 0);
  // Marked for removal at once: it goes when both sides let go, however the program ends.
  if (segment_.shmid >= 0) shmctl(segment_.shmid, IPC_RMID, nullptr);
  if (memory == reinterpret_cast<void*>(-1)) {
    Free();
    return;
  }
  segment_.shmaddr = static_cast<char*>(memory);
  segment_.readOnly = read_only ? True : False;
  image_->data = segment_.shmaddr;
  attached_ = Attach(display, segment_);
  if (!attached_) {
    refused_ = true;
    Free();
  }
}

X11SharedImage::~X11SharedImage() {
  Free();
}

void X11SharedImage::Free() {
  if (attached_) {
    XShmDetach(display_, &segment_);
    XSync(display_, False);
    attached_ = false;
  }
  if (image_ != nullptr) {
    image_->data = nullptr;  // the pixels are not Xlib's to free
    XDestroyImage(image_);
    image_ = nullptr;
  }
  if (segment_.shmaddr != nullptr) shmdt(segment_.shmaddr);
  segment_ = {};
}

}  // namespace drelm
