#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace quillby::test {

// What the screen shows of a window: one 0x00RRGGBB value a pixel, top row
// first.
struct ScreenPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// Empty when the window has no area on the screen or it could not be read.
ScreenPixels screenPixels(HWND window);

// Writes what the screen shows of the window as a BMP file.
bool saveScreenshot(HWND window, const wchar_t* path);

}  // namespace quillby::test
