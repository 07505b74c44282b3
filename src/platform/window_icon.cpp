#include "platform/window_icon.h"

namespace drelm {
namespace {

constexpr double kCentre = kWindowIconSize / 2.0;
constexpr double kWheel = 26;  // pixels
constexpr double kHub = 4;
constexpr Rgb kIconBlue = 0x0000FF;
constexpr Rgb kIconRed = 0xFF0000;
constexpr Rgb kIconGreen = 0x00C000;

}  // namespace

Canvas DrawWindowIcon() {
  Canvas icon(kWindowIconSize, kWindowIconSize);
  const double pin_x = kCentre + 15, pin_y = kCentre + 21;  // on the wheel, lower right
  const double joint_x = kCentre + 24, joint_y = kCentre - 4;
  icon.DrawCircle(kCentre, kCentre, kWheel, kIconBlue);
  icon.DrawCircle(kCentre, kCentre, kHub, kIconBlue);
  icon.DrawLine(kCentre, kCentre, pin_x, pin_y, kIconBlue);
  icon.DrawLine(pin_x, pin_y, joint_x, joint_y, kIconRed);
  icon.DrawLine(kCentre + 6, kCentre, joint_x, joint_y, kIconRed);
  icon.DrawLine(kCentre, kCentre, kCentre - 10, kCentre - 24, kIconGreen);
  icon.DrawLine(kCentre - 10, kCentre - 24, joint_x, joint_y, kIconGreen);
  icon.DrawCircle(pin_x, pin_y, 2, kIconBlue);
  icon.DrawCircle(joint_x, joint_y, 2, kIconBlue);
  return icon;
}

}  // namespace drelm
