#pragma once

#include <windows.h>

namespace quillby::test {

// Writes what the screen shows of the window as a 24-bit BMP file.
bool saveScreenshot(HWND window, const wchar_t* path);

}  // namespace quillby::test
