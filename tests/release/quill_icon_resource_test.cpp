// The window's icon as the program loads it from its resources, drawn and
// compared pixel by pixel with the table the build turns into the .ico.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <fstream>
#include <string>
#include <vector>

#include "controls/win32/quill_icon.h"

namespace quillby {
namespace {

constexpr int kSize = 16;  // the table's
// Not in the palette, so a pixel of this colour can only be background.
constexpr COLORREF kBackground = RGB(0x12, 0x34, 0x56);

struct PixelTable {
  std::array<COLORREF, 16> palette{};
  std::vector<std::string> rows;
};

PixelTable readTable(const char* path) {
  PixelTable table;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (line.size() == 8 && line[1] == ' ') {
      const unsigned long rgb = std::stoul(line.substr(2), nullptr, 16);
      table.palette[std::stoul(line.substr(0, 1), nullptr, 16)] =
          RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
    } else {
      table.rows.push_back(line);
    }
  }
  return table;
}

// The icon drawn over kBackground, as COLORREFs, top row first.
std::vector<COLORREF> drawn(HICON icon, int size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  HBRUSH brush = CreateSolidBrush(kBackground);
  const RECT all{0, 0, size, size};
  FillRect(dc, &all, brush);
  DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
  GdiFlush();

  std::vector<COLORREF> pixels;
  for (int i = 0; i < size * size; ++i) {
    const DWORD bgr = static_cast<const DWORD*>(bits)[i];
    pixels.push_back(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
  }
  DeleteObject(brush);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
  return pixels;
}

TEST(QuillIconResource, DrawsEveryPixelOfTheTable) {
  const PixelTable table = readTable(QUILL_ICON_TABLE);
  ASSERT_EQ(table.rows.size(), std::size_t{kSize});
  ASSERT_TRUE(quillIcon()) << "no icon in the program's resources";

  // The window's own, and each size Windows picks for the desktop and Explorer.
  for (const int size : {16, 32, 48, 256}) {
    HICON icon = size == kSize ? quillIcon()
                               : static_cast<HICON>(LoadImageW(
                                     GetModuleHandleW(nullptr), MAKEINTRESOURCEW(QUILLBY_ICON_ID),
                                     IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    ASSERT_TRUE(icon) << size;
    const std::vector<COLORREF> pixels = drawn(icon, size);
    std::vector<std::string> wrong;
    for (int y = 0; y < size; ++y) {
      const std::string& row = table.rows[y * kSize / size];
      ASSERT_EQ(row.size(), std::size_t{kSize});
      for (int x = 0; x < size; ++x) {
        const char cell = row[x * kSize / size];
        const COLORREF expected =
            cell == '.' ? kBackground
                        : table.palette[std::stoul(std::string(1, cell), nullptr, 16)];
        if (pixels[y * size + x] != expected) {
          wrong.push_back("(" + std::to_string(x) + "," + std::to_string(y) + ")");
        }
      }
    }
    EXPECT_TRUE(wrong.empty()) << size << " pixels: " << wrong.size() << " differ, first at "
                               << wrong.front();
    if (size != kSize) DestroyIcon(icon);
  }
}

}  // namespace
}  // namespace quillby
