#pragma once

#include <deque>
#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "canvas/world_canvas.h"
#include "platform/common/window_host.h"

namespace drelm {

// A window host without a window system: the canvas in memory, a client area and events its
// owner sets, and a clock that moves only when the pump waits. What the pump asks of it is kept,
// so that a test can watch the pump every host shares.
class OffscreenHost final : public WindowHost {
 public:
  explicit OffscreenHost(PixelSize canvas, WorldMapping mapping = WorldMapping());

  Canvas& canvas() override { return canvas_; }
  WorldCanvas& surface() override { return surface_; }
  void ShowError(const std::string& message) override { errors_.push_back(message); }

  // What a window system would do: resize the window (empty: hidden), type a key (handed over
  // with the next events), ask for all of it again.
  void SetClientArea(PixelSize area) { area_ = area; }
  void Type(int code) { typed_.push_back(code); }
  void Expose() { exposed_ = true; }
  // A pass's own time.
  void Advance(Pacer::Clock::duration span) { now_ += span; }
  Pacer::Time now() const { return now_; }

  // What the pump did: each showing (all, or these rectangles), and how often it handed over
  // events and waited for them.
  struct Showing {
    bool all = false;
    std::vector<PixelRect> rects;
  };
  const std::vector<Showing>& showings() const { return showings_; }
  int handovers() const { return handovers_; }
  int event_waits() const { return event_waits_; }
  const std::vector<std::string>& errors() const { return errors_; }

 private:
  void HandOverEvents(WindowInput& window) override;
  void WaitForPass(Pacer::Time due, WindowInput& window) override;
  void WaitForEvents(std::chrono::milliseconds longest, WindowInput& window) override;
  Pacer::Time Now() const override { return now_; }
  PixelSize ClientArea() const override { return area_; }
  void ShowRects(std::span<const PixelRect> changed) override;
  void ShowAll() override { showings_.push_back({true, {}}); }
  void WaitUntilShown() override {}

  Canvas canvas_;
  WorldCanvas surface_;
  PixelSize area_;
  std::deque<int> typed_;
  bool exposed_ = false;
  Pacer::Time now_{};
  std::vector<Showing> showings_;
  int handovers_ = 0;
  int event_waits_ = 0;
  std::vector<std::string> errors_;
};

}  // namespace drelm
