#include "platform/linux/display_choice.h"

#include <gtest/gtest.h>

#include "platform/common/host_error.h"

namespace drelm {
namespace {

TEST(DisplayChoice, WaylandSocketIsThePathOrInTheRuntimeFolder) {
  EXPECT_EQ(WaylandSocketPath({"/run/w/wayland-1", "", ""}), "/run/w/wayland-1");
  EXPECT_EQ(WaylandSocketPath({"wayland-0", "/run/user/1000", ""}), "/run/user/1000/wayland-0");
  // No runtime folder to look in: not tried, or libwayland would complain on stderr.
  EXPECT_EQ(WaylandSocketPath({"wayland-0", "", ":0"}), std::nullopt);
  EXPECT_EQ(WaylandSocketPath({"", "/run/user/1000", ":0"}), std::nullopt);
}

TEST(DisplayChoice, OnlyTheWindowSystemsTheEnvironmentNames) {
  const DisplayEnvironment session{"wayland-0", "/run/user/1000", ":0"};
  const auto choice = [](const DisplayEnvironment& environment, bool socket) {
    const DisplayChoice chosen = ChooseDisplays(environment, socket);
    return std::string(chosen.wayland ? "wayland" : "") + (chosen.x11 ? ",x11" : "");
  };
  EXPECT_EQ(choice(session, true), "wayland,x11");
  EXPECT_EQ(choice({"wayland-0", "/run/user/1000", ""}, true), "wayland");
  // A Wayland socket that is not there: X11 alone, never Wayland after a failing X display.
  EXPECT_EQ(choice(session, false), ",x11");
  try {
    ChooseDisplays({"way\nland", "/run/user/1000", ""}, false);
    FAIL() << "no display was refused";
  } catch (const HostError& error) {
    EXPECT_STREQ(error.what(),
                 "no display: WAYLAND_DISPLAY=way\\nland names no Wayland socket, and DISPLAY is "
                 "not set");
  }
  EXPECT_THROW(ChooseDisplays({"", "", ""}, false), HostError);
}

}  // namespace
}  // namespace drelm
