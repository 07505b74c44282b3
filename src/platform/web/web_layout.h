#pragma once

#include "canvas/world.h"
#include "platform/common/window_area.h"

namespace drelm {

// A length on the page, in CSS pixels.
struct CssSize {
  double width = 0;
  double height = 0;
};

// What the page is shown on, as the browser tells it at the start.
struct PageView {
  double ratio = 1;  // device pixels to a CSS pixel (the screen's scale times the zoom)
  CssSize screen;    // the screen (Chromium keeps it in device-independent pixels)
  CssSize room;  // what the picture has to itself in view: the viewport less the rest of the page
  bool touch_only = false;  // a touch screen and no mouse: a phone or a tablet
};

// How the page shows the picture.
struct PictureLayout {
  double dpi = kStandardDpi;  // the dots an inch the picture is drawn at
  // Phones and tablets, and pages too small for the window's opening size: the area a wide
  // window shows, the whole mechanism and its trace, fitted to the room at the device's pixels.
  // Otherwise the window's opening area at its physical size, in a frame that can be enlarged.
  bool fitted = false;
  PixelSize shown;           // the canvas pixels shown at the start
  PixelSize canvas;          // the canvas held in memory: the picture, and at least the screen
  double css_per_pixel = 1;  // CSS pixels a canvas pixel takes on the page
  // The fewest whole CSS pixels that are whole device pixels: a fitted picture that starts at a
  // multiple of it and spans whole multiples is drawn one canvas pixel to a device pixel, where
  // the browser would otherwise resample it.
  double css_grain = 1;
};

PictureLayout LayOut(const PageView& view);

}  // namespace drelm
