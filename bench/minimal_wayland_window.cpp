// The least a program can do to show a picture on Wayland, as the yardstick of the window's
// start-up there: an xdg-shell window of 748 x 539, no title bar, whose first configure is answered
// with one shared-memory buffer, all blue (drelm-bench-first-frame looks for the hub's blue); then
// it waits to be ended. Usage: drelm-bench-minimal-wayland-window
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "xdg-shell-client-protocol.h"

namespace {

constexpr int kWidth = 748, kHeight = 539;  // the program's window at scale 1
constexpr std::uint32_t kBlue = 0xFF0000FF;

wl_compositor* g_compositor = nullptr;
wl_shm* g_shm = nullptr;
xdg_wm_base* g_shell = nullptr;
bool g_configured = false;

void Global(void*, wl_registry* registry, std::uint32_t name, const char* interface,
            std::uint32_t) {
  if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
    g_compositor =
        static_cast<wl_compositor*>(wl_registry_bind(registry, name, &wl_compositor_interface, 4));
  } else if (std::strcmp(interface, wl_shm_interface.name) == 0) {
    g_shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
  } else if (std::strcmp(interface, xdg_wm_base_interface.name) == 0) {
    g_shell =
        static_cast<xdg_wm_base*>(wl_registry_bind(registry, name, &xdg_wm_base_interface, 1));
  }
}
void GlobalRemove(void*, wl_registry*, std::uint32_t) {}
constexpr wl_registry_listener kRegistry{Global, GlobalRemove};

void Ping(void*, xdg_wm_base* shell, std::uint32_t serial) {
  xdg_wm_base_pong(shell, serial);
}
constexpr xdg_wm_base_listener kShell{Ping};

void Configure(void*, xdg_surface* surface, std::uint32_t serial) {
  xdg_surface_ack_configure(surface, serial);
  g_configured = true;
}
constexpr xdg_surface_listener kSurface{Configure};

void ToplevelConfigure(void*, xdg_toplevel*, std::int32_t, std::int32_t, wl_array*) {}
void Close(void*, xdg_toplevel*) {}
void Bounds(void*, xdg_toplevel*, std::int32_t, std::int32_t) {}
void Capabilities(void*, xdg_toplevel*, wl_array*) {}
constexpr xdg_toplevel_listener kToplevel{ToplevelConfigure, Close, Bounds, Capabilities};

}  // namespace

int main() {
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "drelm-bench-minimal-wayland-window: cannot connect\n");
    return 1;
  }
  wl_registry_add_listener(wl_display_get_registry(display), &kRegistry, nullptr);
  wl_display_roundtrip(display);
  if (g_compositor == nullptr || g_shm == nullptr || g_shell == nullptr) return 1;
  xdg_wm_base_add_listener(g_shell, &kShell, nullptr);
  wl_surface* surface = wl_compositor_create_surface(g_compositor);
  xdg_surface* shell_surface = xdg_wm_base_get_xdg_surface(g_shell, surface);
  xdg_surface_add_listener(shell_surface, &kSurface, nullptr);
  xdg_toplevel* toplevel = xdg_surface_get_toplevel(shell_surface);
  xdg_toplevel_add_listener(toplevel, &kToplevel, nullptr);
  xdg_toplevel_set_title(toplevel, "Quenmark, minimal");
  wl_surface_commit(surface);
  while (!g_configured && wl_display_dispatch(display) >= 0) {
  }
  const int stride = kWidth * 4, bytes = stride * kHeight;
  const int fd = memfd_create("minimal", MFD_CLOEXEC);
  if (fd < 0 || ftruncate(fd, bytes) != 0) return 1;
  void* memory =
      mmap(nullptr, static_cast<std::size_t>(bytes), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (memory == MAP_FAILED) return 1;
  auto* pixels = static_cast<std::uint32_t*>(memory);
  for (int i = 0; i < kWidth * kHeight; ++i) pixels[i] = kBlue;
  wl_shm_pool* pool = wl_shm_create_pool(g_shm, fd, bytes);
  wl_buffer* buffer =
      wl_shm_pool_create_buffer(pool, 0, kWidth, kHeight, stride, WL_SHM_FORMAT_XRGB8888);
  wl_surface_attach(surface, buffer, 0, 0);
  wl_surface_damage_buffer(surface, 0, 0, kWidth, kHeight);
  wl_surface_commit(surface);
  while (wl_display_dispatch(display) >= 0) {
  }
  return 0;
}
