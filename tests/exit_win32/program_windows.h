#pragma once

// Both windows as the program builds them, and the real controls in them.
#include <windows.h>

#include <memory>
#include <string_view>

#include "ui/main_window.h"
#include "ui/services.h"

namespace quillby::test {

inline HWND hwndOf(const Form& form) { return reinterpret_cast<HWND>(form.windowId()); }

// The main window built and loaded as the program starts it, the compact one
// built at its first use; every end of the program counts in `ends`. Null when
// a window could not be built or the friend book could not be used.
std::unique_ptr<Main> startProgram(Services& services, int& ends);

// The real control named `name` in each window.
HWND mainControl(Main& main, std::string_view name);
HWND smallControl(SmallForm& small, std::string_view name);

// True once `window` is the foreground window, as after the user clicked it.
bool bringToFront(HWND window);

}  // namespace quillby::test
