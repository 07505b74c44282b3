#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "canvas/world.h"
#include "canvas/world_canvas.h"
#include "platform/common/band_image.h"
#include "platform/common/window_host.h"
#include "platform/web/web_layout.h"
#include "platform/web/web_page.h"

namespace drelm {

// The window as a web page: the picture in a canvas in memory, drawn at the screen's own
// resolution (or, on a phone or a tablet, at the one that fits the whole mechanism in view) and
// at least as large as the screen, shown on the page's <canvas> (window_host.h says the rest).
// The browser calls the page once a frame (requestAnimationFrame) to run the passes that frame's
// time has come for, held to the wall clock as in a window: the pump at the end of each pass
// keeps to that frame's time, and waits for nothing, for the browser hands over keys and clicks
// between frames, never during one. What changed goes to the page once, as the frame ends.
class WebHost final : public WindowHost {
 public:
  // The longest a frame computes passes before the browser has its turn again: on a machine too
  // slow for the pace the animation slows, and keys are still answered promptly.
  static constexpr std::chrono::milliseconds kFrameBudget{100};

  explicit WebHost(const PictureLayout& layout);

  Canvas& canvas() override { return *canvas_; }
  WorldCanvas& surface() override { return *surface_; }
  // Says the failure in the browser's console and on the page.
  void ShowError(const std::string& message) override;
  const WorldMapping& mapping() const { return mapping_; }
  bool fitted() const { return layout_.fitted; }

  // A frame begins now: the passes due by now are to run, while PassDue.
  void BeginFrame();
  bool PassDue() const { return pass_due_; }
  // The frame's passes are done: what they changed goes to the page.
  void EndFrame();
  // The passes stopped (a pause): the next frame starts the schedule again from its time.
  void Restart() { RestartPace(); }
  // Gives the picture the page's frame of `css_width` x `css_height` CSS pixels, and shows all of
  // it again.
  void Resize(double css_width, double css_height);

 private:
  void HandOverEvents(WindowInput&) override {}
  void WaitForPass(Pacer::Time due, WindowInput& window) override;
  void WaitForEvents(std::chrono::milliseconds, WindowInput&) override { pass_due_ = false; }
  Pacer::Time Now() const override { return frame_time_; }
  PixelSize ClientArea() const override { return shown_; }
  void ShowRects(std::span<const PixelRect> changed) override;
  void ShowAll() override;
  void WaitUntilShown() override {}
  // Turns rectangles of the canvas into the page's pixels in an image as wide as the picture and a
  // megabyte in all, side by side (band_image.h), and puts them on the page when the image is full
  // or no frame is under way (the page copies them at once: the image may be written again).
  void Stage(std::span<const PixelRect> rects);
  void Flush();

  PictureLayout layout_;
  WorldMapping mapping_;
  std::unique_ptr<Canvas> canvas_;
  std::unique_ptr<WorldCanvas> surface_;
  PixelSize shown_;                     // the page's canvas, in pixels
  std::vector<std::uint32_t> rgba_;     // bands of the canvas as the page takes them
  PixelSize image_size_;                // its width, the picture's, and rows
  std::vector<page::PageBand> staged_;  // turned, not yet put
  BandImageSpace space_{0, 0};          // where the next band goes in it
  Pacer::Time frame_time_{};
  bool in_frame_ = false;
  bool pass_due_ = false;
};

}  // namespace drelm
