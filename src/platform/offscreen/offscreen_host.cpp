#include "platform/offscreen/offscreen_host.h"

#include <algorithm>

namespace drelm {

OffscreenHost::OffscreenHost(PixelSize canvas, WorldMapping mapping)
    : canvas_(canvas.width, canvas.height), surface_(canvas_, mapping), area_(canvas) {}

void OffscreenHost::HandOverEvents(WindowInput& window) {
  ++handovers_;
  while (!typed_.empty()) {
    const int code = typed_.front();
    typed_.pop_front();
    window.KeyPress(code);
  }
  if (exposed_) {
    exposed_ = false;
    Repaint();
  }
}

void OffscreenHost::WaitForPass(Pacer::Time due, WindowInput&) {
  now_ = std::max(now_, due);
}

void OffscreenHost::WaitForEvents(std::chrono::milliseconds longest, WindowInput& window) {
  ++event_waits_;
  now_ += longest;
  HandOverEvents(window);
}

void OffscreenHost::ShowRects(std::span<const PixelRect> changed) {
  showings_.push_back({false, {changed.begin(), changed.end()}});
}

}  // namespace drelm
