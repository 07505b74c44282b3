#pragma once

#include <optional>

namespace drelm {

// The dots an inch an X11 desktop asks programs to draw at: its Xft.dpi resource, which GNOME,
// KDE and Xfce set from their scale. Nothing when the display cannot be opened, the resource is
// not set, or it is not a usable number.
std::optional<double> XftDpi();

}  // namespace drelm
