#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/host.h"
#include "canvas/canvas.h"
#include "canvas/world.h"
#include "canvas/world_canvas.h"
#include "platform/common/pacer.h"
#include "platform/common/window_area.h"
#include "platform/web/web_layout.h"

namespace drelm {

// The window as a web page: the picture in a canvas in memory, drawn at the screen's own
// resolution (or, on a phone or a tablet, at the one that fits the whole mechanism in view) and
// at least as large as the screen, shown on the page's <canvas> a changed rectangle at a time.
// The page calls it once a frame (requestAnimationFrame) to run the passes that frame's time has
// come for, held to the wall clock as in the window; the pump at the end of each pass only keeps
// that count, for the browser hands over keys and clicks between passes, never during one.
class WebHost final : public Host {
 public:
  // The longest a frame computes passes before the browser has its turn again: on a machine too
  // slow for the pace the animation slows, and keys are still answered promptly.
  static constexpr std::chrono::milliseconds kFrameBudget{100};

  explicit WebHost(const PictureLayout& layout);
  WebHost(const WebHost&) = delete;
  WebHost& operator=(const WebHost&) = delete;

  WorldCanvas& surface() { return *surface_; }
  const WorldMapping& mapping() const { return mapping_; }
  bool fitted() const { return layout_.fitted; }

  // A frame begins now: the passes due by now are to run.
  void BeginFrame() { frame_time_ = Pacer::Clock::now(); }
  // The end of a pass: counts it, and tells whether another is due in this frame.
  void DoEvents(WindowInput& window) override;
  bool PassDue() const { return pass_due_; }
  // The passes stopped (a pause): the next frame starts the schedule again from its time.
  void Restart() { pacer_.Restart(); }

  // Shows what changed since the last showing, and how many passes that is.
  void ShowFrame();
  // Gives the picture the page's frame of `css_width` x `css_height` CSS pixels, and shows all of
  // it again.
  void Resize(double css_width, double css_height);

 private:
  void Repaint();
  // Puts a rectangle of the canvas on the page.
  void Put(const PixelRect& rect);

  PictureLayout layout_;
  WorldMapping mapping_;
  std::unique_ptr<Canvas> canvas_;
  std::unique_ptr<WorldCanvas> surface_;
  PixelSize shown_;                  // the page's canvas, in pixels
  std::vector<std::uint32_t> rgba_;  // a rectangle as the page takes it
  Pacer pacer_{Pacer::kMaxFrameLag};
  Pacer::Time frame_time_{};
  bool pass_due_ = false;
  long long passes_ = 0;
};

}  // namespace drelm
