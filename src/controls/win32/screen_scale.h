#pragma once

#include <cmath>

namespace quillby {

// How the layout's twips become the screen's pixels.
struct ScreenScale {
  double twipsPerPixelX = 15;
  double twipsPerPixelY = 15;

  int pixelsX(double twips) const { return static_cast<int>(std::lround(twips / twipsPerPixelX)); }
  int pixelsY(double twips) const { return static_cast<int>(std::lround(twips / twipsPerPixelY)); }
  // Points of a font are 1/72 inch, twips 1/1440.
  int fontPixels(double points) const {
    return static_cast<int>(std::lround(points * 20 / twipsPerPixelY));
  }
};

}  // namespace quillby
