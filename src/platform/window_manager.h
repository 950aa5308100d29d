#pragma once

#include <cstdint>
#include <optional>

namespace quillby {

// A top-level window as the window manager knows it; 0 for a window that has
// no real counterpart (the in-memory backend).
using WindowId = std::uintptr_t;

struct PixelPoint {
  int left = 0;
  int top = 0;
};

// What the program asks of the window manager about its own top-level windows.
class WindowManager {
 public:
  virtual ~WindowManager() = default;

  // From the screen's logical resolution: 1440 twips make one inch.
  virtual double twipsPerPixelX() const = 0;
  virtual double twipsPerPixelY() const = 0;

  // Keeps the window above all others (or stops doing so) at its place and
  // size; shows it if hidden and does not activate it.
  virtual void setTopmost(WindowId window, bool topmost) = 0;

  // Lets the window manager move the window with the mouse until the button
  // is released, as if its title bar had been pressed.
  virtual void beginWindowDrag(WindowId window) = 0;

  // The left and top of the window's restored rectangle, in screen pixels, also
  // while it is minimized or maximized; nullopt when it cannot be had.
  virtual std::optional<PixelPoint> normalPosition(WindowId window) const = 0;
};

}  // namespace quillby
