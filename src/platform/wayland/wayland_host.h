#pragma once

#include <wayland-client.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "canvas/world_canvas.h"
#include "platform/common/window_host.h"
#include "platform/wayland/wayland_connection.h"
#include "platform/wayland/wayland_keyboard.h"
#include "platform/wayland/wayland_scale.h"
#include "platform/wayland/wayland_toplevel.h"

struct xdg_wm_base;
struct zxdg_decoration_manager_v1;
struct wp_fractional_scale_manager_v1;
struct wp_fractional_scale_v1;
struct wp_viewporter;
struct wp_viewport;
struct wl_cursor_theme;

namespace drelm {

class WaylandBuffers;

// The window on a Wayland compositor, through libwayland on the host's own reading of the
// connection: an xdg-shell window (its title bar the compositor's, else libdecor's), drawn at the
// desktop's scale, whole or fractional, one canvas pixel to one pixel of the screen, and shown in
// shared-memory buffers at the pace the compositor asks for frames (window_host.h says the rest).
// What the compositor says is queued by the listeners and handed to the window after libwayland
// returns, so no exception ever unwinds through its frames.
class WaylandHost final : public WindowHost, private ToplevelListener {
 public:
  // Connects to the compositor WAYLAND_DISPLAY names and opens the window; throws NoWaylandDisplay
  // where another display may be tried, HostError where the window cannot be had.
  WaylandHost();
  ~WaylandHost() override;

  Canvas& canvas() override { return *canvas_; }
  WorldCanvas& surface() override { return *surface_; }
  void ShowError(const std::string& message) override;

  // What the listeners saw, for the pump to hand over.
  struct Input {
    enum class Kind { kKeys, kPress, kClose } kind;
    std::vector<int> codes;  // the character codes a key typed
    int button = 0;
    int shift = 0;
    double x = 0;  // the pointer, in points
    double y = 0;
  };

 private:
  friend struct WaylandListeners;

  void HandOverEvents(WindowInput& window) override;
  void WaitForPass(Pacer::Time due, WindowInput& window) override;
  void WaitForEvents(std::chrono::milliseconds longest, WindowInput& window) override;
  PixelSize ClientArea() const override;
  void ShowRects(std::span<const PixelRect> changed) override;
  void ShowAll() override;
  void WaitUntilShown() override {}  // the buffers hold copies: the canvas is free at once

  void Configured(PixelSize logical) override;
  void CloseAsked() override { input_.push_back({Input::Kind::kClose, {}}); }
  // The desktop's scale where the window is: the fractional one where the compositor tells it,
  // else the largest whole one of the outputs it is on (of all of them, before it is on any).
  WaylandScale DesktopScale() const;
  // Takes a new scale of the desktop's: the window is shown anew at it.
  void Rescale();
  PixelSize LargestDisplay() const;
  // Loads the pointer's arrow, once, and shows it where the pointer entered the window.
  void LoadCursor();
  void ShowCursor();

  struct Output {
    wl_output* output = nullptr;
    int scale = 1;
    PixelSize mode;  // the output's pixels
    bool holds_window = false;
  };

  WaylandConnection connection_;
  wl_registry* registry_ = nullptr;
  wl_compositor* compositor_ = nullptr;
  wl_shm* shm_ = nullptr;
  xdg_wm_base* shell_ = nullptr;
  zxdg_decoration_manager_v1* decorations_ = nullptr;
  wp_fractional_scale_manager_v1* fractions_ = nullptr;
  wp_viewporter* viewporter_ = nullptr;
  wl_seat* seat_ = nullptr;
  wl_keyboard* keyboard_ = nullptr;
  wl_pointer* pointer_ = nullptr;
  std::vector<std::unique_ptr<Output>> outputs_;

  wl_surface* window_surface_ = nullptr;
  wp_fractional_scale_v1* fraction_ = nullptr;
  wp_viewport* viewport_ = nullptr;
  std::unique_ptr<WaylandToplevel> toplevel_;
  wl_cursor_theme* cursor_theme_ = nullptr;
  wl_surface* cursor_surface_ = nullptr;
  PixelSize cursor_hotspot_;
  wl_pointer* cursor_pointer_ = nullptr;  // entered the window, its arrow not yet set
  std::uint32_t cursor_serial_ = 0;

  WaylandKeyboard keys_;
  bool pointer_inside_ = false;
  double pointer_x_ = 0, pointer_y_ = 0;  // points
  int preferred_n120_ = 0;                // the fractional scale the compositor prefers, if told
  WaylandScale scale_;                    // the window's pixels a point
  PixelSize logical_;                     // the window's size in points
  WorldMapping mapping_;
  std::unique_ptr<Canvas> canvas_;
  std::unique_ptr<WorldCanvas> surface_;
  std::unique_ptr<WaylandBuffers> buffers_;
  std::deque<Input> input_;
  bool repaint_ = false;  // the window is to be shown whole: configured, resized, rescaled
};

}  // namespace drelm
