#include "platform/wayland/wayland_host.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <wayland-cursor.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>
#include <thread>

#include "app/program_end.h"
#include "fractional-scale-v1-client-protocol.h"
#include "platform/common/mouse.h"
#include "platform/common/program_name.h"
#include "platform/wayland/wayland_buffers.h"
#include "viewporter-client-protocol.h"
#include "xdg-decoration-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

extern char** environ;

namespace drelm {
namespace {

constexpr std::uint32_t kCompositorVersion = 4;  // damage_buffer
constexpr std::uint32_t kSeatVersion = 5;
constexpr std::uint32_t kOutputVersion = 2;  // scale, done
constexpr int kCursorSize = 24;              // points
// evdev's numbers of the pointer's buttons.
constexpr std::uint32_t kLeftButtonNumber = 0x110, kRightButtonNumber = 0x111,
                        kMiddleButtonNumber = 0x112;

template <typename T>
T* Bind(wl_registry* registry, std::uint32_t name, const wl_interface& interface,
        std::uint32_t offered, std::uint32_t wanted) {
  return static_cast<T*>(wl_registry_bind(registry, name, &interface, std::min(offered, wanted)));
}

int ButtonCode(std::uint32_t button) {
  switch (button) {
    case kLeftButtonNumber:
      return kLeftButton;
    case kRightButtonNumber:
      return kRightButton;
    case kMiddleButtonNumber:
      return kMiddleButton;
    default:
      return kNoButton;
  }
}

}  // namespace

// The listeners of the compositor's objects: each notes what it was told on the host.
struct WaylandListeners {
  using Host = WaylandHost;

  static void Global(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                     std::uint32_t version) {
    auto* host = static_cast<Host*>(data);
    const std::string_view which = interface;
    if (which == wl_compositor_interface.name && version >= kCompositorVersion) {
      host->compositor_ =
          Bind<wl_compositor>(registry, name, wl_compositor_interface, version, kCompositorVersion);
    } else if (which == wl_shm_interface.name) {
      host->shm_ = Bind<wl_shm>(registry, name, wl_shm_interface, version, 1);
    } else if (which == xdg_wm_base_interface.name) {
      host->shell_ = Bind<xdg_wm_base>(registry, name, xdg_wm_base_interface, version, 1);
      xdg_wm_base_add_listener(host->shell_, &kShell, host);
    } else if (which == zxdg_decoration_manager_v1_interface.name) {
      host->decorations_ = Bind<zxdg_decoration_manager_v1>(
          registry, name, zxdg_decoration_manager_v1_interface, version, 1);
    } else if (which == wp_fractional_scale_manager_v1_interface.name) {
      host->fractions_ = Bind<wp_fractional_scale_manager_v1>(
          registry, name, wp_fractional_scale_manager_v1_interface, version, 1);
    } else if (which == wp_viewporter_interface.name) {
      host->viewporter_ = Bind<wp_viewporter>(registry, name, wp_viewporter_interface, version, 1);
    } else if (which == wl_seat_interface.name && host->seat_ == nullptr) {
      host->seat_ = Bind<wl_seat>(registry, name, wl_seat_interface, version, kSeatVersion);
      wl_seat_add_listener(host->seat_, &kSeat, host);
    } else if (which == wl_output_interface.name && version >= kOutputVersion) {
      auto output = std::make_unique<Host::Output>();
      output->output =
          Bind<wl_output>(registry, name, wl_output_interface, version, kOutputVersion);
      wl_output_add_listener(output->output, &kOutput, output.get());
      host->outputs_.push_back(std::move(output));
    }
  }
  static void GlobalRemove(void*, wl_registry*, std::uint32_t) {}
  static constexpr wl_registry_listener kRegistry{Global, GlobalRemove};

  static void Ping(void*, xdg_wm_base* shell, std::uint32_t serial) {
    xdg_wm_base_pong(shell, serial);
  }
  static constexpr xdg_wm_base_listener kShell{Ping};

  // The outputs: their scale and size, for the window's scale and the canvas.
  static void Geometry(void*, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                       std::int32_t, const char*, const char*, std::int32_t) {}
  static void Mode(void* data, wl_output*, std::uint32_t flags, std::int32_t width,
                   std::int32_t height, std::int32_t) {
    if (flags & WL_OUTPUT_MODE_CURRENT) static_cast<Host::Output*>(data)->mode = {width, height};
  }
  static void Done(void*, wl_output*) {}
  static void Scale(void* data, wl_output*, std::int32_t factor) {
    static_cast<Host::Output*>(data)->scale = std::max(1, factor);
  }
  static constexpr wl_output_listener kOutput{Geometry, Mode, Done, Scale, nullptr, nullptr};

  // The window's surface entering and leaving outputs, and the scale the compositor prefers.
  static Host::Output* OutputOf(Host* host, wl_output* output) {
    for (auto& known : host->outputs_) {
      if (known->output == output) return known.get();
    }
    return nullptr;
  }
  static void Enter(void* data, wl_surface*, wl_output* output) {
    auto* host = static_cast<Host*>(data);
    if (Host::Output* known = OutputOf(host, output)) known->holds_window = true;
    host->Rescale();
  }
  static void Leave(void* data, wl_surface*, wl_output* output) {
    auto* host = static_cast<Host*>(data);
    if (Host::Output* known = OutputOf(host, output)) known->holds_window = false;
    host->Rescale();
  }
  static constexpr wl_surface_listener kSurface{Enter, Leave};

  static void PreferredScale(void* data, wp_fractional_scale_v1*, std::uint32_t n120) {
    auto* host = static_cast<Host*>(data);
    host->preferred_n120_ = static_cast<int>(n120);
    host->Rescale();
  }
  static constexpr wp_fractional_scale_v1_listener kFraction{PreferredScale};

  static void Capabilities(void* data, wl_seat* seat, std::uint32_t capabilities) {
    auto* host = static_cast<Host*>(data);
    const bool keyboard = capabilities & WL_SEAT_CAPABILITY_KEYBOARD;
    const bool pointer = capabilities & WL_SEAT_CAPABILITY_POINTER;
    if (keyboard && host->keyboard_ == nullptr) {
      host->keyboard_ = wl_seat_get_keyboard(seat);
      wl_keyboard_add_listener(host->keyboard_, &kKeyboard, host);
    } else if (!keyboard && host->keyboard_ != nullptr) {
      wl_keyboard_destroy(host->keyboard_);
      host->keyboard_ = nullptr;
    }
    if (pointer && host->pointer_ == nullptr) {
      host->pointer_ = wl_seat_get_pointer(seat);
      wl_pointer_add_listener(host->pointer_, &kPointer, host);
    } else if (!pointer && host->pointer_ != nullptr) {
      wl_pointer_destroy(host->pointer_);
      host->pointer_ = nullptr;
    }
  }
  static void SeatName(void*, wl_seat*, const char*) {}
  static constexpr wl_seat_listener kSeat{Capabilities, SeatName};

  static void Keymap(void* data, wl_keyboard*, std::uint32_t format, std::int32_t fd,
                     std::uint32_t size) {
    auto* host = static_cast<Host*>(data);
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1) {
      host->keys_.SetKeymap(fd, size);
    } else {
      close(fd);
    }
  }
  static void KeyboardEnter(void*, wl_keyboard*, std::uint32_t, wl_surface*, wl_array*) {}
  static void KeyboardLeave(void* data, wl_keyboard*, std::uint32_t, wl_surface*) {
    static_cast<Host*>(data)->keys_.Leave();
  }
  static void Key(void* data, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t key,
                  std::uint32_t state) {
    auto* host = static_cast<Host*>(data);
    if (state == WL_KEYBOARD_KEY_STATE_PRESSED) {
      std::vector<int> codes = host->keys_.Press(key, WaylandKeyboard::Clock::now());
      if (!codes.empty()) host->input_.push_back({Host::Input::Kind::kKeys, std::move(codes)});
    } else {
      host->keys_.Release(key);
    }
  }
  static void Modifiers(void* data, wl_keyboard*, std::uint32_t, std::uint32_t depressed,
                        std::uint32_t latched, std::uint32_t locked, std::uint32_t group) {
    static_cast<Host*>(data)->keys_.SetModifiers(depressed, latched, locked, group);
  }
  static void RepeatInfo(void* data, wl_keyboard*, std::int32_t rate, std::int32_t delay) {
    static_cast<Host*>(data)->keys_.SetRepeat(rate, delay);
  }
  static constexpr wl_keyboard_listener kKeyboard{Keymap, KeyboardEnter, KeyboardLeave,
                                                  Key,    Modifiers,     RepeatInfo};

  static void PointerEnter(void* data, wl_pointer* pointer, std::uint32_t serial,
                           wl_surface* surface, wl_fixed_t x, wl_fixed_t y) {
    auto* host = static_cast<Host*>(data);
    host->pointer_inside_ = surface == host->window_surface_;
    host->pointer_x_ = wl_fixed_to_double(x);
    host->pointer_y_ = wl_fixed_to_double(y);
    // The arrow is set once the window has shown its picture (ShowCursor).
    host->cursor_serial_ = serial;
    host->cursor_pointer_ = host->pointer_inside_ ? pointer : nullptr;
  }
  static void PointerLeave(void* data, wl_pointer*, std::uint32_t, wl_surface*) {
    static_cast<Host*>(data)->pointer_inside_ = false;
  }
  static void Motion(void* data, wl_pointer*, std::uint32_t, wl_fixed_t x, wl_fixed_t y) {
    auto* host = static_cast<Host*>(data);
    host->pointer_x_ = wl_fixed_to_double(x);
    host->pointer_y_ = wl_fixed_to_double(y);
  }
  static void Button(void* data, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t button,
                     std::uint32_t state) {
    auto* host = static_cast<Host*>(data);
    if (state != WL_POINTER_BUTTON_STATE_PRESSED || !host->pointer_inside_) return;
    host->input_.push_back({Host::Input::Kind::kPress,
                            {},
                            ButtonCode(button),
                            host->keys_.ShiftState(),
                            host->pointer_x_,
                            host->pointer_y_});
  }
  static void Axis(void*, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {}
  static void Frame(void*, wl_pointer*) {}
  static void AxisSource(void*, wl_pointer*, std::uint32_t) {}
  static void AxisStop(void*, wl_pointer*, std::uint32_t, std::uint32_t) {}
  static void AxisDiscrete(void*, wl_pointer*, std::uint32_t, std::int32_t) {}
  static constexpr wl_pointer_listener kPointer = [] {
    wl_pointer_listener listener{};
    listener.enter = PointerEnter;
    listener.leave = PointerLeave;
    listener.motion = Motion;
    listener.button = Button;
    listener.axis = Axis;
    listener.frame = Frame;
    listener.axis_source = AxisSource;
    listener.axis_stop = AxisStop;
    listener.axis_discrete = AxisDiscrete;
    return listener;
  }();
};

WaylandHost::WaylandHost() {
  registry_ = wl_display_get_registry(connection_.display());
  wl_registry_add_listener(registry_, &WaylandListeners::kRegistry, this);
  connection_.RoundTrip();  // the globals
  connection_.RoundTrip();  // what they say of themselves: the outputs' scales and sizes
  if (compositor_ == nullptr || shm_ == nullptr || shell_ == nullptr) {
    throw NoWaylandDisplay(std::string("the compositor offers no ") +
                           (compositor_ == nullptr ? "wl_compositor 4"
                            : shm_ == nullptr      ? "wl_shm"
                                                   : "xdg_wm_base"));
  }
  window_surface_ = wl_compositor_create_surface(compositor_);
  wl_surface_add_listener(window_surface_, &WaylandListeners::kSurface, this);
  if (fractions_ != nullptr && viewporter_ != nullptr) {
    fraction_ = wp_fractional_scale_manager_v1_get_fractional_scale(fractions_, window_surface_);
    wp_fractional_scale_v1_add_listener(fraction_, &WaylandListeners::kFraction, this);
    viewport_ = wp_viewporter_get_viewport(viewporter_, window_surface_);
  }
  scale_ = HeldScale(DesktopScale());
  const WorldMapping start(DpiOf(scale_));
  logical_ = LogicalOf({start.StartWidth(), start.StartHeight()}, scale_);
  if (decorations_ != nullptr) {
    toplevel_ = MakeXdgToplevel(shell_, decorations_, window_surface_, *this);
  } else {
    toplevel_ = MakeDecoratedToplevel(connection_.display(), window_surface_, logical_, *this);
  }
  // A compositor of fractional scales tells the window's with its first configure: the picture is
  // drawn at it. Elsewhere the first configure is not waited for: the canvas is made and the first
  // pass drawn meanwhile, and the window is shown once it comes.
  if (fraction_ != nullptr) {
    while (!toplevel_->configured()) connection_.Dispatch(kPausedWait);
  }
  scale_ = HeldScale(DesktopScale());
  mapping_ = WorldMapping(DpiOf(scale_));
  const PixelSize canvas = CanvasFor(mapping_, LargestDisplay());
  canvas_ = std::make_unique<Canvas>(canvas.width, canvas.height);
  surface_ = std::make_unique<WorldCanvas>(*canvas_, mapping_);
  buffers_ = std::make_unique<WaylandBuffers>(connection_.display(), shm_, window_surface_);
  repaint_ = true;
}

WaylandHost::~WaylandHost() {
  // The process ends at once after this: the compositor lets go of the rest with the connection.
  buffers_.reset();
  toplevel_.reset();
}

WaylandScale WaylandHost::DesktopScale() const {
  if (preferred_n120_ > 0) return {preferred_n120_};
  int whole = 1;
  bool on_any = std::any_of(outputs_.begin(), outputs_.end(),
                            [](const auto& output) { return output->holds_window; });
  for (const auto& output : outputs_) {
    if (output->holds_window || !on_any) whole = std::max(whole, output->scale);
  }
  return WaylandScale::Whole(whole);
}

void WaylandHost::Rescale() {
  const WaylandScale scale = HeldScale(DesktopScale());
  if (scale == scale_ || canvas_ == nullptr) return;
  scale_ = scale;
  repaint_ = true;
}

PixelSize WaylandHost::LargestDisplay() const {
  PixelSize largest;
  for (const auto& output : outputs_) {
    const double ours = scale_.Factor() / output->scale;  // our pixels an output's pixel
    largest.width = std::max(largest.width, static_cast<int>(std::ceil(output->mode.width * ours)));
    largest.height =
        std::max(largest.height, static_cast<int>(std::ceil(output->mode.height * ours)));
  }
  return largest;
}

void WaylandHost::ShowCursor() {
  if (cursor_pointer_ == nullptr) return;
  if (cursor_theme_ == nullptr) LoadCursor();
  if (cursor_surface_ != nullptr) {
    wl_pointer_set_cursor(cursor_pointer_, cursor_serial_, cursor_surface_, cursor_hotspot_.width,
                          cursor_hotspot_.height);
  }
  cursor_pointer_ = nullptr;
}

void WaylandHost::LoadCursor() {
  const int whole = std::max(1, static_cast<int>(std::ceil(scale_.Factor())));
  cursor_theme_ = wl_cursor_theme_load(std::getenv("XCURSOR_THEME"), kCursorSize * whole, shm_);
  if (cursor_theme_ == nullptr) return;
  wl_cursor* cursor = wl_cursor_theme_get_cursor(cursor_theme_, "left_ptr");
  if (cursor == nullptr || cursor->image_count == 0) return;
  wl_cursor_image* image = cursor->images[0];
  cursor_surface_ = wl_compositor_create_surface(compositor_);
  wl_surface_set_buffer_scale(cursor_surface_, whole);
  wl_surface_attach(cursor_surface_, wl_cursor_image_get_buffer(image), 0, 0);
  wl_surface_damage_buffer(cursor_surface_, 0, 0, static_cast<int>(image->width),
                           static_cast<int>(image->height));
  wl_surface_commit(cursor_surface_);
  cursor_hotspot_ = {static_cast<int>(image->hotspot_x) / whole,
                     static_cast<int>(image->hotspot_y) / whole};
}

void WaylandHost::Configured(PixelSize logical) {
  // The first configure shows the window at once, whatever the pump has done meanwhile; a later
  // one only when it changes the size (the window activated, say, needs nothing shown again).
  const bool resized = logical.width > 0 && logical.height > 0 &&
                       (logical.width != logical_.width || logical.height != logical_.height);
  if (resized) logical_ = logical;
  if (resized || buffers_ == nullptr || buffers_->size().width == 0) repaint_ = true;
}

PixelSize WaylandHost::ClientArea() const {
  return toplevel_ && toplevel_->configured() ? PixelsOf(logical_, scale_) : PixelSize{};
}

void WaylandHost::HandOverEvents(WindowInput& window) {
  connection_.Dispatch();
  if (const char* failure = toplevel_->Failure()) {
    throw HostError(std::string("cannot decorate the window: ") + failure);
  }
  buffers_->Tidy();
  if (std::vector<int> repeats = keys_.Repeats(WaylandKeyboard::Clock::now()); !repeats.empty()) {
    input_.push_back({Input::Kind::kKeys, std::move(repeats)});
  }
  while (!input_.empty()) {
    const Input input = std::move(input_.front());
    input_.pop_front();
    switch (input.kind) {
      case Input::Kind::kKeys:
        for (int code : input.codes) window.KeyPress(code);
        break;
      case Input::Kind::kPress:
        PressMouse(window, mapping_, input.button, input.shift,
                   {PixelOf(input.x, scale_), PixelOf(input.y, scale_)});
        break;
      case Input::Kind::kClose:
        End();
    }
  }
  if (repaint_) {
    repaint_ = false;
    Repaint();
  }
  buffers_->ShowWaiting(*canvas_);
  ShowCursor();  // after the picture: loading the cursor's theme takes a while
}

void WaylandHost::WaitForPass(Pacer::Time due, WindowInput& window) {
  // Until the window is first configured, the compositor's answers are read as they come: the
  // title bar takes several round trips before it, and the picture shows the moment it may.
  while (!toplevel_->configured() && !window.Paused()) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(due - Pacer::Clock::now());
    if (left.count() <= 0) return;
    WaitForEvents(left, window);
  }
  // Then not reading the display: a frame's sleep is one wake-up. What comes waits for the next
  // frame.
  std::this_thread::sleep_until(due);
}

void WaylandHost::WaitForEvents(std::chrono::milliseconds longest, WindowInput& window) {
  connection_.Dispatch(longest);
  HandOverEvents(window);
}

void WaylandHost::ShowRects(std::span<const PixelRect> changed) {
  const PixelSize pixels = ClientArea();
  if (pixels.width != buffers_->size().width || pixels.height != buffers_->size().height) {
    ShowAll();
    return;
  }
  buffers_->Show(*canvas_, changed);
}

void WaylandHost::ShowAll() {
  // One canvas pixel to one pixel of the screen: the buffer is the window's pixels, and the
  // compositor is told how many there are a point.
  if (viewport_ != nullptr) {
    wl_surface_set_buffer_scale(window_surface_, 1);
    wp_viewport_set_destination(viewport_, logical_.width, logical_.height);
  } else {
    wl_surface_set_buffer_scale(window_surface_, scale_.n120 / WaylandScale::kDenominator);
  }
  wl_region* opaque = wl_compositor_create_region(compositor_);
  wl_region_add(opaque, 0, 0, logical_.width, logical_.height);
  wl_surface_set_opaque_region(window_surface_, opaque);
  wl_region_destroy(opaque);
  buffers_->ShowAll(*canvas_, ClientArea());
}

void WaylandHost::ShowError(const std::string& message) {
  // Wayland has no message box of its own: the desktop's dialog program shows it, where there is
  // one, as other toolkits do.
  const char* arguments[] = {"zenity",     "--error", "--no-markup",   "--title",
                             kProgramName, "--text",  message.c_str(), nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, "zenity", nullptr, nullptr, const_cast<char**>(arguments), environ) ==
      0) {
    int status = 0;
    waitpid(child, &status, 0);
  }
}

}  // namespace drelm
