#include "platform/x11/x11_picture.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <bit>
#include <string>

#include "platform/common/host_error.h"

namespace drelm {
namespace {

// How the window's screen lays out a pixel, as an image for it has it; throws HostError for a
// screen of no TrueColor visual of 15, 16, 24 or 30 bits.
PixelLayout LayoutOf(Display* display, const XWindowAttributes& attributes) {
  const Visual* visual = attributes.visual;
  const int depth = attributes.depth;
  const bool true_colour = visual->c_class == TrueColor || visual->c_class == DirectColor;
  if (!true_colour || (depth != 15 && depth != 16 && depth != 24 && depth != 30)) {
    throw HostError("cannot show the picture: the screen has " + std::to_string(depth) +
                    " bits a pixel; the program needs a true-colour screen of 15, 16, 24 or 30");
  }
  XImage* probe = XCreateImage(display, attributes.visual, static_cast<unsigned>(depth), ZPixmap, 0,
                               nullptr, 1, 1, 32, 0);
  if (probe == nullptr) throw HostError("cannot show the picture: no image for the screen");
  constexpr int kOwnOrder = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
  PixelLayout layout{static_cast<std::uint32_t>(visual->red_mask),
                     static_cast<std::uint32_t>(visual->green_mask),
                     static_cast<std::uint32_t>(visual->blue_mask), probe->bits_per_pixel / 8,
                     probe->byte_order != kOwnOrder};
  XDestroyImage(probe);
  if (!layout.Valid()) {
    throw HostError("cannot show the picture: the screen lays out its " + std::to_string(depth) +
                    "-bit pixels in a way the program does not know");
  }
  return layout;
}

}  // namespace

X11Picture::X11Picture(Display* display, Window window) : display_(display), window_(window) {
  XWindowAttributes attributes;
  if (XGetWindowAttributes(display_, window_, &attributes) == 0) {
    throw HostError("cannot show the picture: the window has no attributes");
  }
  visual_ = attributes.visual;
  depth_ = attributes.depth;
  layout_ = LayoutOf(display_, attributes);
  gc_ = XCreateGC(display_, window_, 0, nullptr);
  can_share_ = XShmQueryExtension(display_) == True;
  converter_ = std::make_unique<PixelConverter>(layout_);
}

X11Picture::~X11Picture() {
  FreeImage();
  if (gc_ != nullptr) XFreeGC(display_, gc_);
}

void X11Picture::MakeImage(int width) {
  FreeImage();
  const PixelSize size{width, BandImageRows(width)};
  image_size_ = size;
  space_ = BandImageSpace(size.width, size.height);
  if (can_share_ && !TooLargeForABuffer(size) && Share(size)) return;
  image_ =
      XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0, nullptr,
                   static_cast<unsigned>(size.width), static_cast<unsigned>(size.height), 32, 0);
  if (image_ == nullptr) throw HostError("cannot show the picture: no image for the screen");
  own_.assign(
      static_cast<std::size_t>(image_->bytes_per_line) * static_cast<std::size_t>(size.height), 0);
  image_->data = reinterpret_cast<char*>(own_.data());
}

bool X11Picture::Share(PixelSize size) {
  shared_.emplace(display_, visual_, depth_, size, /*read_only=*/true);
  image_ = shared_->image();
  if (image_ == nullptr) {
    if (shared_->refused()) can_share_ = false;  // a server on another machine: sent from now on
    shared_.reset();
    return false;
  }
  completion_ = XShmGetEventBase(display_) + ShmCompletion;
  return true;
}

void X11Picture::FreeImage() {
  WaitUntilRead();
  if (shared_) {
    shared_.reset();
  } else if (image_ != nullptr) {
    image_->data = nullptr;  // the pixels are not Xlib's to free
    XDestroyImage(image_);
  }
  image_ = nullptr;
  own_.clear();
  own_.shrink_to_fit();
}

void X11Picture::PutImage(const Band& band, bool tell) {
  const PixelRect& rect = band.rect;
  const auto w = static_cast<unsigned>(rect.w), h = static_cast<unsigned>(rect.h);
  if (shared_) {
    XShmPutImage(display_, window_, gc_, image_, band.place.x, band.place.row, rect.x, rect.y, w, h,
                 tell ? True : False);
  } else {
    XPutImage(display_, window_, gc_, image_, band.place.x, band.place.row, rect.x, rect.y, w, h);
  }
}

void X11Picture::Put(const Canvas& canvas, std::span<const PixelRect> changed, PixelSize shown) {
  WaitUntilRead();
  // The image is as wide as the widest area shown yet.
  if (image_ == nullptr || shown.width > image_size_.width) {
    MakeImage(std::max(shown.width, image_size_.width));
  }
  bands_.clear();
  space_.Empty();
  space_.Place(
      changed,
      [this](const PixelRect& band, ImagePlace place) {
        bands_.push_back({band, place, false});
      },
      [this] { bands_.back().fills_image = true; });
  auto* pixels = reinterpret_cast<std::uint8_t*>(image_->data);
  const auto stride = static_cast<std::size_t>(image_->bytes_per_line);
  const auto bytes = static_cast<std::size_t>(layout_.bytes_per_pixel);
  for (std::size_t i = 0; i < bands_.size(); ++i) {
    const Band& band = bands_[i];
    converter_->Convert(canvas, band.rect,
                        pixels + static_cast<std::size_t>(band.place.row) * stride +
                            static_cast<std::size_t>(band.place.x) * bytes,
                        stride);
    PutImage(band, band.fills_image || i + 1 == bands_.size());
    if (band.fills_image) {
      outstanding_ = shared_.has_value();
      WaitUntilRead();
    }
  }
  outstanding_ = shared_ && !bands_.empty();
  XFlush(display_);
}

void X11Picture::PutAll(const Canvas& canvas, PixelSize window) {
  WaitUntilRead();
  if (window.width > canvas.width() || window.height > canvas.height()) {
    const Rgb beyond = kBeyondCanvas;
    XSetForeground(display_, gc_, converter_->Word(beyond));
    XFillRectangle(display_, window_, gc_, 0, 0, static_cast<unsigned>(window.width),
                   static_cast<unsigned>(window.height));
  }
  const PixelSize shown = ShownArea(window, {canvas.width(), canvas.height()});
  const PixelRect all{0, 0, shown.width, shown.height};
  if (!all.Empty()) Put(canvas, std::span(&all, 1), shown);
  WaitUntilRead();
}

void X11Picture::WaitUntilRead() {
  if (!outstanding_) return;
  outstanding_ = false;
  // Normally the completion came long ago and waits in the queue; else a round trip makes sure,
  // and the completions it brings are taken, so that none is taken later for a frame unread.
  XEvent event;
  if (XCheckTypedEvent(display_, completion_, &event) == True) return;
  XSync(display_, False);
  while (XCheckTypedEvent(display_, completion_, &event) == True) {
  }
}

}  // namespace drelm
