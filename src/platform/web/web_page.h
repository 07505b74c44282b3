#pragma once

#include <cstdint>
#include <string>

#include "platform/common/window_area.h"

// The page the picture is shown in, index.html: its one <canvas> (#picture) in a frame that can
// be enlarged (#frame), a line under it (#status), and the state on <body data-state>. Only this
// file and the page itself hold JavaScript.
namespace drelm::page {

// The screen's device pixels to a CSS pixel.
double DevicePixelRatio();
// The screen's size in CSS pixels.
PixelSize ScreenSize();
// Gives the picture `pixels` device pixels, shown at their own size: one device pixel each, at
// `ratio` of them to a CSS pixel. The frame around it may be enlarged up to `largest` pixels.
void SetPictureSize(PixelSize pixels, PixelSize largest, double ratio);
// Puts `w` x `h` pixels of RGBA, row by row, at (x, y) of the picture. False when the page has
// no way to draw on its canvas.
bool Put(const std::uint32_t* rgba, int x, int y, int w, int h);
// The number of passes drawn in what the picture shows.
void SetPasses(long long passes);
// <body data-state>: running, paused, ended or error; and the line under the picture.
void SetState(const char* state, const std::string& line = "");
// Gives the picture the keyboard's focus, keeps the context menu from opening over it while the
// animation runs, and hands each new size of its frame to drelm_resize.
void WatchFrame();
// A line in the browser's console, for a failure.
void LogError(const std::string& line);

}  // namespace drelm::page
