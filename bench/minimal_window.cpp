// The least a program can do to show a picture on X11, as the yardstick of the window's start-up:
// it opens a 748 x 539 window, and on its first Expose puts one image of it, all blue (so that
// drelm-bench-first-frame sees the hub's blue wherever it looks), then waits to be ended.
// Usage: drelm-bench-minimal-window
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr unsigned kWidth = 748, kHeight = 539;  // the program's window at 96 dpi
constexpr unsigned long kBlue = 0x0000FF;

}  // namespace

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "drelm-bench-minimal-window: cannot open the display\n");
    return 1;
  }
  const int screen = DefaultScreen(display);
  const Window window =
      XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, kWidth, kHeight, 0, 0, 0);
  XStoreName(display, window, "Quenmark, minimal");
  XSelectInput(display, window, ExposureMask);
  XMapWindow(display, window);
  std::vector<unsigned> pixels(kWidth * kHeight, kBlue);
  XImage* image = XCreateImage(display, DefaultVisual(display, screen), 24, ZPixmap, 0,
                               reinterpret_cast<char*>(pixels.data()), kWidth, kHeight, 32, 0);
  GC gc = XCreateGC(display, window, 0, nullptr);
  for (bool shown = false;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == Expose && !shown) {
      XPutImage(display, window, gc, image, 0, 0, 0, 0, kWidth, kHeight);
      XFlush(display);
      shown = true;
    }
  }
}
