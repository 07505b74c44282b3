#pragma once

#include <memory>
#include <string>

#include "canvas/canvas.h"
#include "canvas/world_canvas.h"
#include "platform/common/window_host.h"

// Xlib's types, declared here so that whoever includes the host does not take in Xlib's macros
// (None, Status, Bool, KeyPress), which collide with ordinary C++ names.
struct _XDisplay;
union _XEvent;

namespace drelm {

class X11Keyboard;
class X11Picture;
struct X11Atoms;

// The window on an X11 display, through Xlib on one connection: opened at the desktop's scale
// (Xft.dpi), its picture in the server's own image of the canvas (window_host.h says the rest).
class X11Host final : public WindowHost {
 public:
  // Opens the display DISPLAY names and the window on it; throws HostError when it cannot.
  X11Host();
  ~X11Host() override;

  Canvas& canvas() override { return *canvas_; }
  WorldCanvas& surface() override { return *surface_; }
  void ShowError(const std::string& message) override;
  // Resizes the client area, as a user dragging its frame would, and shows all of it.
  void SetClientSize(PixelSize size);

 private:
  void HandOverEvents(WindowInput& window) override;
  void WaitForPass(Pacer::Time due, WindowInput& window) override;
  void WaitForEvents(std::chrono::milliseconds longest, WindowInput& window) override;
  PixelSize ClientArea() const override { return mapped_ ? size_ : PixelSize{}; }
  void ShowRects(std::span<const PixelRect> changed) override;
  void ShowAll() override;
  void WaitUntilShown() override;
  void HandOver(_XEvent& event, WindowInput& window);

  // Made in this order, and gone in the reverse.
  _XDisplay* display_ = nullptr;
  std::unique_ptr<X11Atoms> atoms_;
  unsigned long window_ = 0;  // the X window's id
  WorldMapping mapping_;
  std::unique_ptr<X11Keyboard> keyboard_;
  std::unique_ptr<X11Picture> picture_;
  std::unique_ptr<Canvas> canvas_;
  std::unique_ptr<WorldCanvas> surface_;
  PixelSize size_;        // the client area, as the server last said
  bool mapped_ = false;   // on screen: not minimized, not hidden
  bool exposed_ = false;  // the server asked for the whole window again
};

}  // namespace drelm
