#include "platform/sdl/video_driver.h"

#include <gtest/gtest.h>

#include "platform/common/host_error.h"

namespace drelm {
namespace {

TEST(VideoDriver, WaylandSocketIsThePathOrInTheRuntimeFolder) {
  EXPECT_EQ(WaylandSocketPath({"/run/w/wayland-1", "", ""}), "/run/w/wayland-1");
  EXPECT_EQ(WaylandSocketPath({"wayland-0", "/run/user/1000", ""}), "/run/user/1000/wayland-0");
  // No runtime folder to look in: not tried, or libwayland would complain on stderr.
  EXPECT_EQ(WaylandSocketPath({"wayland-0", "", ":0"}), std::nullopt);
  EXPECT_EQ(WaylandSocketPath({"", "/run/user/1000", ":0"}), std::nullopt);
}

TEST(VideoDriver, OnlyTheWindowSystemsTheEnvironmentNames) {
  const DisplayEnvironment session{"wayland-0", "/run/user/1000", ":0"};
  EXPECT_EQ(ChooseDrivers(session, true).Hint(), "wayland,x11");
  EXPECT_EQ(ChooseDrivers({"wayland-0", "/run/user/1000", ""}, true).Hint(), "wayland");
  // A Wayland socket that is not there: X11 alone, never Wayland after a failing X display.
  EXPECT_EQ(ChooseDrivers(session, false).Hint(), "x11");
  try {
    ChooseDrivers({"way\nland", "/run/user/1000", ""}, false);
    FAIL() << "no display was refused";
  } catch (const HostError& error) {
    EXPECT_STREQ(error.what(),
                 "no display: WAYLAND_DISPLAY=way\\nland names no Wayland socket, and DISPLAY is "
                 "not set");
  }
  EXPECT_THROW(ChooseDrivers({"", "", ""}, false), HostError);
}

}  // namespace
}  // namespace drelm
