#pragma once

#include <X11/Xlib.h>

#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "canvas/canvas.h"
#include "platform/common/band_image.h"
#include "platform/common/pixel_format.h"
#include "platform/common/window_area.h"
#include "platform/x11/x11_shared_image.h"

namespace drelm {

// Puts the canvas on an X11 window, on any TrueColor screen of 15, 16, 24 or 30 bits: each changed
// rectangle is turned into the screen's pixels in an image, the same way on every screen, and put
// from there. The image is as wide as the area shown but only a megabyte: the rectangles go into it
// side by side (band_image.h), in bands of their rows, and when it is full the server must have
// read it before it is written again from the top (a frame's rectangles fit at once; the whole
// window at a high scale takes a few rounds). It is in memory shared with the server (MIT-SHM)
// where it offers that, else it is sent. Shared, a frame is not waited for: the server says when
// it has read it (a completion event), and only then may the image be written again.
class X11Picture {
 public:
  // Throws HostError for a screen it cannot show on (8 bits a pixel, say).
  X11Picture(Display* display, Window window);
  ~X11Picture();
  X11Picture(const X11Picture&) = delete;
  X11Picture& operator=(const X11Picture&) = delete;

  // Puts these rectangles of the canvas, within `shown`, on the window.
  void Put(const Canvas& canvas, std::span<const PixelRect> changed, PixelSize shown);
  // Puts all of a window of `window` pixels: the canvas, and the background beyond it.
  void PutAll(const Canvas& canvas, PixelSize window);
  // Whether an event is the server's word that it has read a frame.
  bool IsCompletion(const XEvent& event) const { return shared_ && event.type == completion_; }
  void Completed() { outstanding_ = false; }
  // Returns once the server has read what was put.
  void WaitUntilRead();

 private:
  // A band of a rectangle, and where it goes in the image; after it the image is full.
  struct Band {
    PixelRect rect;
    ImagePlace place;
    bool fills_image;
  };

  // An image `width` pixels wide in memory shared with the server, or else of the program's own.
  void MakeImage(int width);
  bool Share(PixelSize size);
  void FreeImage();
  void PutImage(const Band& band, bool tell);

  Display* display_;
  Window window_;
  Visual* visual_;
  int depth_;
  GC gc_ = nullptr;
  PixelLayout layout_;
  std::unique_ptr<PixelConverter> converter_;
  bool can_share_ = false;
  XImage* image_ = nullptr;
  PixelSize image_size_;
  BandImageSpace space_{0, 0};            // where the next band goes in the image
  std::vector<Band> bands_;               // a frame's, kept to spare allocations
  std::optional<X11SharedImage> shared_;  // the image, where it is shared with the server
  std::vector<std::uint8_t> own_;         // the image's pixels where they are sent
  int completion_ = 0;                    // the completion event's type
  bool outstanding_ = false;              // a frame put whose completion is not yet seen
};

}  // namespace drelm
