#pragma once

#include <span>

#include "canvas/canvas.h"
#include "platform/common/window_area.h"

namespace drelm {

// One way of putting the canvas on the window; open_screen.h chooses which. Failing to show is
// an error (HostError), never a silent blank window.
class Screen {
 public:
  virtual ~Screen() = default;
  // Memory the canvas is to be drawn in (as many pixels as the canvas asked for at opening) where
  // the display reads the picture straight from it; nothing where the canvas keeps its own.
  virtual Rgb* CanvasMemory() { return nullptr; }
  // Presents these rectangles of the canvas, each within the window's pixels and the canvas (the
  // host keeps them so). The display may go on reading the canvas until WaitUntilRead.
  virtual void Present(const Canvas& canvas, std::span<const PixelRect> changed) = 0;
  // Shows the whole window again: the canvas, and the background where the window is larger.
  virtual void PresentAll(const Canvas& canvas) = 0;
  // Returns once the display has read what was shown: the canvas may be drawn on again.
  virtual void WaitUntilRead() {}
};

}  // namespace drelm
