#pragma once

#include "platform/window_manager.h"

namespace quillby {

class Win32WindowManager final : public WindowManager {
 public:
  double twipsPerPixelX() const override;
  double twipsPerPixelY() const override;
  void setTopmost(WindowId window, bool topmost) override;
  void beginWindowDrag(WindowId window) override;
  std::optional<PixelPoint> normalPosition(WindowId window) const override;
};

// Lets windows and the twips per pixel follow the screen's real resolution
// rather than a scaled 96 dpi. Call before the first window is made.
void declareDpiAware();

}  // namespace quillby
