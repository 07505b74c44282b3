#pragma once

#include <wayland-client.h>

#include <memory>

#include "platform/common/window_area.h"

struct xdg_wm_base;
struct zxdg_decoration_manager_v1;

namespace drelm {

// What the compositor tells of the program's window.
class ToplevelListener {
 public:
  virtual ~ToplevelListener() = default;
  // The window is to be `logical` points large; empty where the program chooses.
  virtual void Configured(PixelSize logical) = 0;
  // The user asked to close it (the frame's close button).
  virtual void CloseAsked() = 0;
};

// The window as a desktop's top-level window, with its caption, its app id and a title bar.
class WaylandToplevel {
 public:
  virtual ~WaylandToplevel() = default;
  // Whether the compositor has configured it: only then may a buffer be committed.
  virtual bool configured() const = 0;
  // What failed of the title bar's drawing, where something did; said once the display is read,
  // since no exception may cross libwayland's frames.
  virtual const char* Failure() const { return nullptr; }
};

// Through xdg-shell itself, the title bar drawn by the compositor (xdg-decoration), where it
// offers that.
std::unique_ptr<WaylandToplevel> MakeXdgToplevel(xdg_wm_base* shell,
                                                 zxdg_decoration_manager_v1* decorations,
                                                 wl_surface* surface, ToplevelListener& listener);

// Through libdecor, which draws the title bar where the compositor draws none (weston, GNOME).
std::unique_ptr<WaylandToplevel> MakeDecoratedToplevel(wl_display* display, wl_surface* surface,
                                                       PixelSize logical,
                                                       ToplevelListener& listener);

}  // namespace drelm
