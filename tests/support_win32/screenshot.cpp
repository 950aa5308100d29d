#include "support_win32/screenshot.h"

#include <cstdio>

namespace quillby::test {
namespace {

BITMAPINFOHEADER topDownHeader(int width, int height) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = width;
  header.biHeight = -height;  // top row first
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  return header;
}

}  // namespace

ScreenPixels screenPixels(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  ScreenPixels shot{r.right - r.left, r.bottom - r.top, {}};
  if (shot.width <= 0 || shot.height <= 0) return {};
  shot.pixels.resize(static_cast<std::size_t>(shot.width) * static_cast<std::size_t>(shot.height));

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, shot.width, shot.height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, shot.width, shot.height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFOHEADER header = topDownHeader(shot.width, shot.height);
  const int rows = GetDIBits(memory, bitmap, 0, static_cast<UINT>(shot.height), shot.pixels.data(),
                             reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (rows != shot.height) return {};
  for (std::uint32_t& pixel : shot.pixels) pixel &= 0xFFFFFF;
  return shot;
}

bool saveScreenshot(HWND window, const wchar_t* path) {
  const ScreenPixels shot = screenPixels(window);
  if (shot.pixels.empty()) return false;
  const BITMAPINFOHEADER header = topDownHeader(shot.width, shot.height);
  const std::size_t bytes = shot.pixels.size() * sizeof(shot.pixels[0]);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(header);
  file.bfSize = static_cast<DWORD>(file.bfOffBits + bytes);
  FILE* out = _wfopen(path, L"wb");
  if (!out) return false;
  const bool written = std::fwrite(&file, sizeof(file), 1, out) == 1 &&
                       std::fwrite(&header, sizeof(header), 1, out) == 1 &&
                       std::fwrite(shot.pixels.data(), bytes, 1, out) == 1;
  return std::fclose(out) == 0 && written;
}

}  // namespace quillby::test
