#pragma once

#include <SDL.h>

#include <stdexcept>
#include <string>

#include "app/host.h"
#include "canvas/canvas.h"
#include "canvas/world_canvas.h"
#include "platform/pacer.h"

namespace drelm {

// The window could not be had: no display, or the system refused it.
class HostError : public std::runtime_error {
 public:
  explicit HostError(const std::string& what) : std::runtime_error(what) {}
};

// The window on an X11 or Wayland display, through SDL2. It holds the picture in a canvas of its
// own, at least as large as the largest display, and shows it: the changed part at the display's
// pace, and all of it again whenever the window is exposed or resized. Its event pump holds the
// passes to the wall clock and waits, without spinning, while the window is paused.
class SdlHost final : public Host {
 public:
  SdlHost();
  ~SdlHost() override;
  SdlHost(const SdlHost&) = delete;
  SdlHost& operator=(const SdlHost&) = delete;

  WorldCanvas& surface() { return surface_; }
  void DoEvents(DrelmWheel& window) override;
  // Sends what changed since the last showing to the screen.
  void ShowChanges();
  // Resizes the window's client area, as a user dragging its frame would.
  void SetClientSize(int width, int height);
  // Shows a message box over the window, for an error that ends the program.
  void ShowError(const std::string& title, const std::string& message);

 private:
  void Dispatch(const SDL_Event& event, DrelmWheel& window);
  // Hands over the events SDL holds, after reading the display for more when asked.
  void DispatchPending(DrelmWheel& window, bool read_display = true);
  // Waits for events until `until`, or until a handler pauses the window.
  void WaitUntil(Pacer::Time until, DrelmWheel& window);
  void ShowRect(const PixelRect& rect);
  void RepaintAll();

  // SDL's video subsystem on a real display, for as long as the host lives.
  struct Video {
    Video();
    ~Video();
    Video(const Video&) = delete;
    Video& operator=(const Video&) = delete;
  };

  Video video_;
  Canvas canvas_;
  WorldCanvas surface_;
  SDL_Window* window_ = nullptr;
  SDL_Surface* canvas_view_ = nullptr;  // the canvas's pixels, seen by SDL for blitting
  Pacer pacer_;
  Pacer::Time last_read_{};
};

}  // namespace drelm
