#pragma once
// The tool's icon as a picture in unit coordinates: a small message-box
// window with a title bar, two lines of text and a button. make_icon
// draws the .ico from it, and the GTK dialog its window icon, so the two
// cannot drift apart.

#include <cstdint>

namespace zorvane::icon {

enum Colour : std::uint8_t { Clear, Frame, TitleBar, Body, TextLine, Button, ButtonEdge };

struct Rgb {
  std::uint8_t red, green, blue;
};

inline constexpr Rgb Palette[] = {{0, 0, 0},       {40, 40, 48},    {32, 96, 200}, {250, 250, 250},
                                  {120, 120, 130}, {220, 224, 232}, {60, 60, 70}};

inline bool Inside(double u, double v, double left, double top, double right, double bottom) {
  return u >= left && u < right && v >= top && v < bottom;
}

// The emblem in unit coordinates, so every size is drawn from one picture.
inline Colour ColourAt(double u, double v) {
  if (!Inside(u, v, 0.04, 0.10, 0.96, 0.90)) return Clear;
  if (!Inside(u, v, 0.09, 0.15, 0.91, 0.85)) return Frame;
  if (v < 0.32) return TitleBar;
  if (Inside(u, v, 0.18, 0.42, 0.82, 0.50) || Inside(u, v, 0.18, 0.55, 0.62, 0.63)) return TextLine;
  if (Inside(u, v, 0.52, 0.66, 0.86, 0.80)) {
    return Inside(u, v, 0.55, 0.69, 0.83, 0.77) ? Button : ButtonEdge;
  }
  return Body;
}

}  // namespace zorvane::icon
