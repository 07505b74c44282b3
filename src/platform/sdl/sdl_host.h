#pragma once

#include <memory>
#include <string>

#include "canvas/canvas.h"
#include "canvas/world_canvas.h"
#include "platform/common/paced_host.h"

// SDL's event, declared here so that whoever includes the host does not take in SDL's headers
// and their macros.
typedef union SDL_Event SDL_Event;

namespace drelm {

class Screen;
class SdlVideo;
class SdlWindow;
class WaylandDisplay;

// The window on an X11 or Wayland display, through SDL2. It holds the picture in a canvas of its
// own, drawn at the desktop's scale and at least as large as the largest display, and shows it:
// the changed part at the display's pace, and all of it again whenever the window is exposed or
// resized; nothing while it is minimized or hidden. Its event pump holds the passes to the wall
// clock and sleeps between frames, and while the window is paused, without spinning.
class SdlHost final : public PacedHost {
 public:
  SdlHost();
  ~SdlHost() override;

  WorldCanvas& surface() { return *surface_; }
  // Resizes the window's client area, as a user dragging its frame would.
  void SetClientSize(int width, int height);
  // Shows a message box over the window, for an error that ends the program.
  void ShowError(const std::string& title, const std::string& message);

 private:
  // The pump's operations on SDL: reading the display and handing over its events, showing,
  // sleeping, waiting for an event.
  void HandOverEvents(WindowInput& window) override;
  void ShowFrame() override;
  void WaitForPass(Pacer::Time due, WindowInput& window) override;
  void WaitForEvents(std::chrono::milliseconds longest, WindowInput& window) override;
  void WaitUntilShown() override;
  void HandOver(const SDL_Event& event, WindowInput& window);
  void Repaint();
  // Whether the window is on screen at all: a minimized or hidden one is sent no frames.
  bool Visible() const;
  // Ends the program with one line once the display's connection has failed: after that,
  // nothing may call into SDL.
  void CheckDisplay() const;

  // Made in this order, and gone in the reverse.
  std::unique_ptr<SdlVideo> video_;
  std::unique_ptr<SdlWindow> window_;
  std::unique_ptr<WaylandDisplay> wayland_;  // on Wayland, watched for its loss
  std::unique_ptr<Screen> screen_;
  std::unique_ptr<Canvas> canvas_;
  std::unique_ptr<WorldCanvas> surface_;
};

}  // namespace drelm
