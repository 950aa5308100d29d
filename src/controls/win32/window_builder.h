#pragma once

#include "controls/layout.h"
#include "controls/win32/screen_scale.h"
#include "platform/window_manager.h"

namespace quillby {

// Child window ids follow the layout's order from here on.
inline constexpr int kFirstControlId = 100;

inline ScreenScale screenScale(const WindowManager& windows) {
  return {windows.twipsPerPixelX(), windows.twipsPerPixelY()};
}

// Creates the layout's window, hidden, with its controls in tab order, each
// showing what its portable control holds at this moment. From then on the
// program's changes to the controls reach the real ones, and the user's
// actions raise the controls' events. False when the system refuses a window;
// the program cannot go on then.
bool buildWindow(const WindowLayout& layout, ScreenScale scale);

}  // namespace quillby
