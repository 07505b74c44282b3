#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/common/band_image.h"
#include "platform/common/window_area.h"
#include "platform/web/web_layout.h"

// The page the picture is shown in, index.html: its one <canvas> (#picture) in a frame (#frame),
// a line under it (#status), and the state on <body data-state>. Only this file and the page
// itself hold JavaScript.
namespace drelm::page {

// The screen, and the room the picture has on the page as it opens.
PageView View();
// Whether the screen takes touch, with a mouse or without.
bool TouchScreen();
// Gives the picture `pixels` of the canvas, each `layout.css_per_pixel` CSS pixels on the page,
// and says its dots an inch on <canvas data-dpi>. A frame that can be enlarged may grow up to the
// whole canvas; a fitted picture's frame cannot.
void SetPictureSize(PixelSize pixels, const PictureLayout& layout);
// A rectangle of the picture, and where in an image its pixels lie.
struct PageBand {
  PixelRect rect;
  ImagePlace place;
};
// Puts these bands of an image of `size`, RGBA row by row, on the picture, each at its rectangle:
// one call for many. False when the page has no way to draw on its canvas.
bool Put(const std::uint32_t* rgba, PixelSize size, std::span<const PageBand> bands);
// Fills `rect` of the picture with one colour, 0x00RRGGBB.
bool Fill(PixelRect rect, std::uint32_t rgb);
// The number of passes drawn in what the picture shows.
void SetPasses(long long passes);
// <body data-state>: running, paused, ended or error; and the line under the picture.
void SetState(const char* state, const std::string& line = "");
// Gives the picture the keyboard's focus; hands a mouse or pen press on it to drelm_mouse_down
// and a tap of one finger to drelm_tap; keeps the context menu from opening over it while the
// animation runs; keeps keys an input method is composing with from it; and, unless the picture
// is fitted, hands each new size of its frame to drelm_resize.
void Watch(bool fitted);
// A line in the browser's console, for a failure.
void LogError(const std::string& line);

}  // namespace drelm::page
