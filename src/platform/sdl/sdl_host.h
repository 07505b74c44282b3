#pragma once

#include <memory>
#include <string>

#include "canvas/canvas.h"
#include "canvas/world.h"
#include "canvas/world_canvas.h"
#include "platform/common/host_error.h"
#include "platform/common/paced_host.h"
#include "platform/common/pacer.h"

// SDL's types, declared here so that whoever includes the host does not take in SDL's headers
// and their macros.
struct SDL_Window;
typedef union SDL_Event SDL_Event;

namespace drelm {

class Screen;
class X11SharedPixels;

// The window on an X11 or Wayland display, through SDL2. It holds the picture in a canvas of its
// own, drawn at the desktop's scale and at least as large as the largest display, and shows it:
// the changed part at the display's pace, and all of it again whenever the window is exposed or
// resized; nothing while it is minimized or hidden. Its event pump holds the passes to the wall
// clock and sleeps between frames, and while the window is paused, without spinning.
class SdlHost final : public PacedHost {
 public:
  SdlHost();
  ~SdlHost() override;
  SdlHost(const SdlHost&) = delete;
  SdlHost& operator=(const SdlHost&) = delete;

  // The canvas's pixels a side.
  struct CanvasSize {
    int width;
    int height;
  };

  WorldCanvas& surface() { return surface_; }
  // Shows what changed since the last showing, and returns once the screen has it.
  void ShowChanges();
  // Resizes the window's client area, as a user dragging its frame would.
  void SetClientSize(int width, int height);
  // Shows a message box over the window, for an error that ends the program.
  void ShowError(const std::string& title, const std::string& message);

 private:
  // The pump's operations on SDL: reading the display and handing over its events, showing,
  // sleeping, waiting for an event.
  void DispatchEvents(DrelmWheel& window) override;
  void SendChanges() override;
  void WaitForPass(Pacer::Time due, DrelmWheel& window) override;
  void WaitForEvents(std::chrono::milliseconds longest, DrelmWheel& window) override;
  void Settle() override;
  void Dispatch(const SDL_Event& event, DrelmWheel& window);
  void RepaintAll();
  // Whether the window is on screen at all: a minimized or hidden one is sent no frames.
  bool Visible() const;

  // SDL's video subsystem on a real display, for as long as the host lives.
  struct Video {
    Video();
    ~Video();
    Video(const Video&) = delete;
    Video& operator=(const Video&) = delete;
    bool wayland = false;  // a native Wayland window, else an X11 one
  };
  // The window, opened at the desktop's scale.
  struct Window {
    explicit Window(const Video& video);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    SDL_Window* handle = nullptr;
    double dpi = kStandardDpi;
  };

  Video video_;
  Window window_;
  WorldMapping mapping_;
  CanvasSize canvas_size_;
  std::unique_ptr<X11SharedPixels> shared_;  // on X11, the canvas's memory where it can be
  Canvas canvas_;
  WorldCanvas surface_;
  std::unique_ptr<Screen> screen_;
};

}  // namespace drelm
