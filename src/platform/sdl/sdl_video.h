#pragma once

namespace drelm {

// SDL's video on the desktop's own window system, for as long as this lives: native Wayland in a
// Wayland session, else X11. Throws HostError, with the one line the program ends with, when
// there is no display or SDL would pick a driver whose windows nobody sees.
class SdlVideo {
 public:
  SdlVideo();
  ~SdlVideo();
  SdlVideo(const SdlVideo&) = delete;
  SdlVideo& operator=(const SdlVideo&) = delete;

  bool wayland() const { return wayland_; }

 private:
  bool wayland_ = false;  // a native Wayland display, else an X11 one
};

}  // namespace drelm
