#pragma once

#include <chrono>
#include <span>
#include <string>

#include "app/host.h"
#include "canvas/canvas.h"
#include "canvas/world_canvas.h"
#include "platform/common/pacer.h"
#include "platform/common/window_area.h"

namespace drelm {

// What a window host is: the program's window on one window system (X11, Wayland, Win32, a web
// page, or none at all), and the one event pump they all share.
//
// A host holds the picture in a canvas of its own, drawn at the desktop's scale and at least as
// large as the largest display, and shows it: the changed part at the display's pace, all of it
// again when the window system asks (the window exposed or resized), nothing while nobody can see
// the window. The pump (DoEvents, the same on every host) holds the passes to the wall clock, hands
// over events once a frame, and waits for them while the window is paused, never spinning. A host
// supplies the operations below and nothing else; each says what it must do, on any window system.
class WindowHost : public Host {
 public:
  WindowHost() = default;
  explicit WindowHost(Pacer::Clock::duration max_lag) : pacer_(max_lag) {}
  // A host owns its window and the picture's pixels: it is never copied.
  WindowHost(const WindowHost&) = delete;
  WindowHost& operator=(const WindowHost&) = delete;

  // The pump, at the end of each pass.
  void DoEvents(WindowInput& window) final;
  // Shows what changed, and returns once the screen has it (the last picture, as the program ends).
  void ShowFrameAndWait();

  // The picture's pixels, and the window's drawing surface over them.
  virtual Canvas& canvas() = 0;
  virtual WorldCanvas& surface() = 0;
  // Says a failure that ends the program to the user where the window is (a message box), beyond
  // the line on standard error; nothing where the window system has no way to.
  virtual void ShowError(const std::string& message) = 0;

 protected:
  // While paused the pump waits for events no longer than this at a time.
  static constexpr std::chrono::milliseconds kPausedWait{100};

  // --- The pump's verbs: events and time. Each may end the program from a handler. ---
  // Hands the window system's pending events to the window; a window the system asks to show
  // again is shown whole (Repaint).
  virtual void HandOverEvents(WindowInput& window) = 0;
  // Waits until the next pass is due. A host may hand over events that come meanwhile, and
  // return early when one pauses the window.
  virtual void WaitForPass(Pacer::Time due, WindowInput& window) = 0;
  // Waits up to `longest` for an event, and hands over any that came.
  virtual void WaitForEvents(std::chrono::milliseconds longest, WindowInput& window) = 0;
  // The clock the passes are held to.
  virtual Pacer::Time Now() const { return Pacer::Clock::now(); }

  // --- Showing. ---
  // The client area in pixels as the host last heard of it; empty while nobody can see the
  // window (minimized, hidden, not yet mapped), which is then sent nothing.
  virtual PixelSize ClientArea() const = 0;
  // Shows these rectangles of the canvas at the same place in the window, each within the client
  // area and the canvas (the pump keeps them so). The display may go on reading the canvas until
  // WaitUntilShown.
  virtual void ShowRects(std::span<const PixelRect> changed) = 0;
  // Shows the whole client area again: the canvas, and the background where the window is larger.
  virtual void ShowAll() = 0;
  // Returns once the display has read what was shown: the passes that follow write the canvas.
  virtual void WaitUntilShown() = 0;

  // What a host calls when its window system asks for the whole window again.
  void Repaint();
  // What a host whose passes stop outside the pump calls before they go on (a page hidden, say):
  // the next pass starts the schedule again.
  void RestartPace() { pacer_.Restart(); }

 private:
  // Shows what changed since the last showing, cut to the area shown.
  void ShowFrame();

  Pacer pacer_;
};

}  // namespace drelm
