#pragma once

// The world coordinate system the picture is drawn in, and where it lands on the window.
// The top-left corner of the client area is the world point (kWorldLeft, kWorldTop); x grows to
// the right and y downward. A horizontal unit is 139 twips, a vertical one 100 twips. A twip is a
// physical length, 1/1440 inch, so how many pixels it covers depends on the desktop's scale: 15
// twips a pixel at 96 dots an inch, 7.5 at 192. The mapping never changes while the program runs:
// a larger window shows more of the world to the right and below.
namespace drelm {

inline constexpr double kWorldLeft = -70.0;  // world x at the client area's left edge
inline constexpr double kWorldTop = -40.0;   // world y at the client area's top edge
inline constexpr double kTwipsPerUnitX = 139.0;
inline constexpr double kTwipsPerUnitY = 100.0;
inline constexpr double kTwipsPerInch = 1440.0;
// A desktop at its normal scale; a scale of 2 is 192.
inline constexpr double kStandardDpi = 96.0;
// The scales the program draws at: from half the normal one to four times it.
inline constexpr int kMinDpi = 48;
inline constexpr int kMaxDpi = 384;
// Below them, where that is what fits the whole picture on a small screen at its own pixels (a
// web page on a phone 280 CSS pixels wide at one device pixel to one needs 19): the lines still
// one pixel wide, the joints' circles still apart.
inline constexpr int kLeastFittingDpi = 16;

// The client area when the window opens, in twips: 748 x 539 pixels at 96 dots an inch.
inline constexpr double kStartWidthTwips = 11220.0;
inline constexpr double kStartHeightTwips = 8085.0;

// The whole picture, through the last tick of the trace at x = 188.3, fits in this many pixels at
// 96 dots an inch: the least a canvas holds, so that a window enlarged after start-up shows what
// was drawn.
inline constexpr int kPictureWidthPx = 2400;
inline constexpr int kPictureHeightPx = 1440;

struct PixelPoint {
  double x;
  double y;
};

// The world mapping at one resolution, in dots an inch.
class WorldMapping {
 public:
  constexpr explicit WorldMapping(double dpi = kStandardDpi)
      : dpi_(dpi),
        // Twips times dots first, then one division: exact for whole dots, so 96 dots an inch
        // gives the very same doubles as 139 / 15 and 100 / 15.
        per_unit_x_(kTwipsPerUnitX * dpi / kTwipsPerInch),
        per_unit_y_(kTwipsPerUnitY * dpi / kTwipsPerInch) {}

  constexpr double dpi() const { return dpi_; }
  constexpr double PixelsPerUnitX() const { return per_unit_x_; }
  constexpr double PixelsPerUnitY() const { return per_unit_y_; }

  // Continuous pixel coordinates of a world point; pixel (i, j) covers [i, i+1) x [j, j+1).
  constexpr PixelPoint ToPixel(double x, double y) const {
    return {(x - kWorldLeft) * per_unit_x_, (y - kWorldTop) * per_unit_y_};
  }
  // The world point at a pixel position, for reporting where the pointer is.
  constexpr PixelPoint ToWorld(double px, double py) const {
    return {px / per_unit_x_ + kWorldLeft, py / per_unit_y_ + kWorldTop};
  }
  // Circles are round on screen, so a radius is measured in horizontal units.
  constexpr double RadiusToPixels(double r) const { return r * per_unit_x_; }

  // Whole pixels of a length in twips (to the nearest), and of the picture's extent (enough).
  constexpr int TwipsToPixels(double twips) const {
    return static_cast<int>(twips * dpi_ / kTwipsPerInch + 0.5);
  }
  constexpr int StartWidth() const { return TwipsToPixels(kStartWidthTwips); }
  constexpr int StartHeight() const { return TwipsToPixels(kStartHeightTwips); }
  constexpr int PictureWidth() const { return Scaled(kPictureWidthPx); }
  constexpr int PictureHeight() const { return Scaled(kPictureHeightPx); }

 private:
  constexpr int Scaled(int pixels_at_standard) const {
    const double exact = pixels_at_standard * dpi_ / kStandardDpi;
    const int whole = static_cast<int>(exact);
    return whole < exact ? whole + 1 : whole;
  }

  double dpi_;
  double per_unit_x_;
  double per_unit_y_;
};

}  // namespace drelm
