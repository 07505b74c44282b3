#include "platform/wayland/wayland_toplevel.h"

#include <libdecor.h>

#include <string>

#include "app/caption.h"
#include "platform/common/host_error.h"
#include "platform/common/program_name.h"
#include "xdg-decoration-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

namespace drelm {
namespace {

class XdgToplevel final : public WaylandToplevel {
 public:
  XdgToplevel(xdg_wm_base* shell, zxdg_decoration_manager_v1* decorations, wl_surface* surface,
              ToplevelListener& listener)
      : listener_(listener) {
    xdg_surface_ = xdg_wm_base_get_xdg_surface(shell, surface);
    xdg_surface_add_listener(xdg_surface_, &kSurfaceListener, this);
    toplevel_ = xdg_surface_get_toplevel(xdg_surface_);
    xdg_toplevel_add_listener(toplevel_, &kToplevelListener, this);
    xdg_toplevel_set_title(toplevel_, kCaption);
    xdg_toplevel_set_app_id(toplevel_, kProgramName);
    if (decorations != nullptr) {
      decoration_ = zxdg_decoration_manager_v1_get_toplevel_decoration(decorations, toplevel_);
      zxdg_toplevel_decoration_v1_set_mode(decoration_,
                                           ZXDG_TOPLEVEL_DECORATION_V1_MODE_SERVER_SIDE);
    }
    wl_surface_commit(surface);  // no buffer yet: asks for the first configure
  }
  ~XdgToplevel() override {
    if (decoration_ != nullptr) zxdg_toplevel_decoration_v1_destroy(decoration_);
    xdg_toplevel_destroy(toplevel_);
    xdg_surface_destroy(xdg_surface_);
  }
  bool configured() const override { return configured_; }

 private:
  static void OnConfigure(void* data, xdg_surface* surface, std::uint32_t serial) {
    auto* self = static_cast<XdgToplevel*>(data);
    xdg_surface_ack_configure(surface, serial);
    self->configured_ = true;
    self->listener_.Configured(self->pending_);
  }
  static void OnToplevelConfigure(void* data, xdg_toplevel*, std::int32_t width,
                                  std::int32_t height, wl_array*) {
    static_cast<XdgToplevel*>(data)->pending_ = {width, height};
  }
  static void OnClose(void* data, xdg_toplevel*) {
    static_cast<XdgToplevel*>(data)->listener_.CloseAsked();
  }
  static void OnBounds(void*, xdg_toplevel*, std::int32_t, std::int32_t) {}
  static void OnCapabilities(void*, xdg_toplevel*, wl_array*) {}
  static constexpr xdg_surface_listener kSurfaceListener{OnConfigure};
  static constexpr xdg_toplevel_listener kToplevelListener{OnToplevelConfigure, OnClose, OnBounds,
                                                           OnCapabilities};

  ToplevelListener& listener_;
  xdg_surface* xdg_surface_ = nullptr;
  xdg_toplevel* toplevel_ = nullptr;
  zxdg_toplevel_decoration_v1* decoration_ = nullptr;
  PixelSize pending_;
  bool configured_ = false;
};

class DecoratedToplevel final : public WaylandToplevel {
 public:
  DecoratedToplevel(wl_display* display, wl_surface* surface, PixelSize logical,
                    ToplevelListener& listener)
      : listener_(listener), logical_(logical) {
    context_ = libdecor_new(display, &kContextInterface);
    if (context_ == nullptr) throw HostError("cannot decorate the window: libdecor failed");
    frame_ = libdecor_decorate(context_, surface, &kFrameInterface, this);
    if (frame_ == nullptr) throw HostError("cannot decorate the window: libdecor failed");
    libdecor_frame_set_title(frame_, kCaption);
    libdecor_frame_set_app_id(frame_, kProgramName);
    libdecor_frame_map(frame_);
  }
  ~DecoratedToplevel() override {
    if (frame_ != nullptr) libdecor_frame_unref(frame_);
    if (context_ != nullptr) libdecor_unref(context_);
  }
  bool configured() const override { return configured_; }
  const char* Failure() const override { return error_.empty() ? nullptr : error_.c_str(); }

 private:
  static void OnError(libdecor*, libdecor_error, const char* message) {
    // Said when the program next reads the display: no exception may cross libwayland's frames.
    error_ = message != nullptr ? message : "libdecor failed";
  }
  static void OnConfigure(libdecor_frame* frame, libdecor_configuration* configuration,
                          void* data) {
    auto* self = static_cast<DecoratedToplevel*>(data);
    int width = 0, height = 0;
    if (libdecor_configuration_get_content_size(configuration, frame, &width, &height) &&
        width > 0 && height > 0) {
      self->logical_ = {width, height};
    }
    libdecor_state* state = libdecor_state_new(self->logical_.width, self->logical_.height);
    libdecor_frame_commit(frame, state, configuration);
    libdecor_state_free(state);
    self->configured_ = true;
    self->listener_.Configured(self->logical_);
  }
  static void OnClose(libdecor_frame*, void* data) {
    static_cast<DecoratedToplevel*>(data)->listener_.CloseAsked();
  }
  static void OnCommit(libdecor_frame*, void*) {}
  static void OnDismissPopup(libdecor_frame*, const char*, void*) {}
  // The rest of each is reserved, and stays empty.
  static inline libdecor_interface kContextInterface = [] {
    libdecor_interface interface {};
    interface.error = OnError;
    return interface;
  }();
  static inline libdecor_frame_interface kFrameInterface = [] {
    libdecor_frame_interface interface {};
    interface.configure = OnConfigure;
    interface.close = OnClose;
    interface.commit = OnCommit;
    interface.dismiss_popup = OnDismissPopup;
    return interface;
  }();

  static inline std::string error_;  // libdecor tells its context, not the frame
  ToplevelListener& listener_;
  PixelSize logical_;
  libdecor* context_ = nullptr;
  libdecor_frame* frame_ = nullptr;
  bool configured_ = false;
};

}  // namespace

std::unique_ptr<WaylandToplevel> MakeXdgToplevel(xdg_wm_base* shell,
                                                 zxdg_decoration_manager_v1* decorations,
                                                 wl_surface* surface, ToplevelListener& listener) {
  return std::make_unique<XdgToplevel>(shell, decorations, surface, listener);
}

std::unique_ptr<WaylandToplevel> MakeDecoratedToplevel(wl_display* display, wl_surface* surface,
                                                       PixelSize logical,
                                                       ToplevelListener& listener) {
  return std::make_unique<DecoratedToplevel>(display, surface, logical, listener);
}

}  // namespace drelm
