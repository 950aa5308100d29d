#pragma once

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/window_manager.h"

namespace quillby {

struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// How much of a window's top must show for the user to take hold of it: this
// many pixels down (all of a lower window), across a third of its width.
inline constexpr int kHoldHeight = 20;

inline bool topShows(const PixelRect& window, const std::vector<PixelRect>& workAreas) {
  const long long width = static_cast<long long>(window.right) - window.left;
  const long long stripBottom =
      window.top +
      std::min<long long>(kHoldHeight, static_cast<long long>(window.bottom) - window.top);
  return std::any_of(workAreas.begin(), workAreas.end(), [&](const PixelRect& area) {
    const long long shown = static_cast<long long>(std::min(window.right, area.right)) -
                            std::max(window.left, area.left);
    return window.top >= area.top && stripBottom <= area.bottom && 3 * shown >= width;
  });
}

// Where a window must go so that the user can reach it: nowhere (nullopt)
// while its top shows on one of the work areas, else the nearest place wholly
// on `nearest`, or that area's top left corner for a window larger than it.
inline std::optional<PixelPoint> onScreenPlace(const PixelRect& window,
                                               const std::vector<PixelRect>& workAreas,
                                               const PixelRect& nearest) {
  if (topShows(window, workAreas)) return std::nullopt;
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  return PixelPoint{std::max(nearest.left, std::min(window.left, nearest.right - width)),
                    std::max(nearest.top, std::min(window.top, nearest.bottom - height))};
}

}  // namespace quillby
