// Start-up to the first frame on screen: from the exec of drelm-wheel to the moment the hub's
// circles show in its window, read back from the X server every half millisecond. Run under an
// X server of its own. With --inside, the program is a Wayland client of a compositor whose output
// is the X window WINDOW (weston nested in the X server): its picture is found there, by its blue.
// With --dpi, the program draws at DPI (the server's Xft.dpi says so), and its hub is looked for
// where that puts it.
// Usage: drelm-bench-first-frame PROGRAM [RUNS [--inside WINDOW | --dpi DPI]]

// Our own headers first: Xlib's macros (Status among them) would break them.
#include "canvas/world.h"
#include "linkage/crank.h"
#include "platform/x11/x11_shared_image.h"

// Then the system's.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPoll = std::chrono::microseconds(500);
constexpr auto kGiveUp = std::chrono::seconds(10);

// The window whose name holds the caption's title, anywhere under `parent`.
Window FindWindow(Display* display, Window parent) {
  Window root = 0, up = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (XQueryTree(display, parent, &root, &up, &children, &count) == 0) return 0;
  Window found = 0;
  for (unsigned i = 0; i < count && found == 0; ++i) {
    char* name = nullptr;
    if (XFetchName(display, children[i], &name) != 0 && name != nullptr) {
      if (std::strstr(name, "Quenmark") != nullptr) found = children[i];
      XFree(name);
    }
    if (found == 0) found = FindWindow(display, children[i]);
  }
  if (children != nullptr) XFree(children);
  return found;
}

// Whether the hub's outer circle, drawn at `dpi`, shows: blue at the points ten pixels (at 96 dpi)
// either side of its centre.
bool HubShows(Display* display, Window window, double dpi) {
  const drelm::WorldMapping mapping(dpi);
  const drelm::PixelPoint hub = mapping.ToPixel(0, 0);
  const double r = mapping.RadiusToPixels(drelm::linkage::kHubOuterRadius);
  const int k = static_cast<int>(10 * dpi / drelm::kStandardDpi);
  const int m = static_cast<int>(std::round(std::sqrt(r * r - k * k)));
  int blue = 0;
  for (int dx : {-k, k}) {
    XImage* image = XGetImage(display, window, static_cast<int>(hub.x) + dx,
                              static_cast<int>(hub.y) - m, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) return false;
    blue += XGetPixel(image, 0, 0) == 0x0000FF;
    XDestroyImage(image);
  }
  return blue > 0;
}

// A compositor's output window read whole through the server's shared memory: a copy of well
// under a millisecond, where XGetImage takes 25 to 40 ms to pass 3 MB through the socket, a poll
// would hold the X server that long, and the first frame would be seen only a poll late.
class OutputReader {
 public:
  OutputReader(Display* display, Window output) : display_(display), output_(output) {
    XWindowAttributes attributes;
    if (XShmQueryExtension(display) == False ||
        XGetWindowAttributes(display, output, &attributes) == 0) {
      return;
    }
    shared_.emplace(display, attributes.visual, attributes.depth,
                    drelm::PixelSize{attributes.width, attributes.height}, /*read_only=*/false);
  }

  // The window's pixels as they are now; nullptr where they cannot be read.
  const XImage* Read() {
    XImage* image = shared_ ? shared_->image() : nullptr;
    if (image == nullptr || XShmGetImage(display_, output_, image, 0, 0, AllPlanes) == False) {
      return nullptr;
    }
    return image;
  }

 private:
  Display* display_;
  Window output_;
  std::optional<drelm::X11SharedImage> shared_;
};

// Whether the hub's blue shows anywhere in a compositor's output: more than a few pixels.
bool BlueInside(OutputReader& output) {
  constexpr int kEnoughBlue = 20;
  const XImage* image = output.Read();
  if (image == nullptr) return false;
  // The words read as they lie where the server's pixels are 32 bits (a depth of 24).
  const bool words = image->bits_per_pixel == 32 && image->byte_order == LSBFirst;
  int blue = 0;
  for (int y = 0; y < image->height && blue <= kEnoughBlue; y += 2) {
    const char* row = image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line;
    for (int x = 0; x < image->width; ++x) {
      std::uint32_t word = 0;
      if (words) {
        std::memcpy(&word, row + 4 * x, sizeof word);
      } else {
        word = static_cast<std::uint32_t>(XGetPixel(const_cast<XImage*>(image), x, y));
      }
      blue += (word & 0xFFFFFF) == 0x0000FF;
    }
  }
  return blue > kEnoughBlue;
}

int IgnoreErrors(Display*, XErrorEvent*) {
  return 0;  // the window may go away between finding and reading it
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(
        stderr,
        "usage: drelm-bench-first-frame DRELM_WHEEL [RUNS [--inside WINDOW | --dpi DPI]]\n");
    return 2;
  }
  const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
  const Window output =
      argc > 4 && std::strcmp(argv[3], "--inside") == 0 ? std::strtoul(argv[4], nullptr, 0) : 0;
  const double dpi =
      argc > 4 && std::strcmp(argv[3], "--dpi") == 0 ? std::atof(argv[4]) : drelm::kStandardDpi;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "drelm-bench-first-frame: cannot open the display\n");
    return 1;
  }
  XSetErrorHandler(IgnoreErrors);
  std::vector<double> times;
  std::optional<OutputReader> reader;
  if (output != 0) reader.emplace(display, output);
  const auto shown = [&] {
    if (reader) return BlueInside(*reader);
    const Window window = FindWindow(display, DefaultRootWindow(display));
    return window != 0 && HubShows(display, window, dpi);
  };
  for (int run = 0; run < runs; ++run) {
    // The last run's window gone first (a compositor may fade it out).
    for (const Clock::time_point since = Clock::now(); shown() && Clock::now() - since < kGiveUp;) {
      usleep(static_cast<useconds_t>(kPoll.count()));
    }
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
      if (output != 0) unsetenv("DISPLAY");  // the compositor's client, not the X server's
      execl(argv[1], argv[1], static_cast<char*>(nullptr));
      _exit(127);
    }
    double ms = -1;
    while (Clock::now() - start < kGiveUp) {
      if (shown()) {
        ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        break;
      }
      usleep(static_cast<useconds_t>(kPoll.count()));
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    if (ms < 0) {
      std::fprintf(stderr, "drelm-bench-first-frame: no hub within 10 s\n");
      return 1;
    }
    times.push_back(ms);
    usleep(200000);  // the window goes away before the next run looks for one
  }
  std::sort(times.begin(), times.end());
  std::printf("start-up to the first frame on screen: %.0f ms (median of %d; %.0f to %.0f)\n",
              times[times.size() / 2], runs, times.front(), times.back());
  return 0;
}
