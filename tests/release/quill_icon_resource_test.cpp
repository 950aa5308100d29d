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

constexpr int kSize = 16;
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
std::vector<COLORREF> drawn(HICON icon) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = kSize;
  info.bmiHeader.biHeight = -kSize;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  HBRUSH brush = CreateSolidBrush(kBackground);
  const RECT all{0, 0, kSize, kSize};
  FillRect(dc, &all, brush);
  DrawIconEx(dc, 0, 0, icon, kSize, kSize, 0, nullptr, DI_NORMAL);
  GdiFlush();

  std::vector<COLORREF> pixels;
  for (int i = 0; i < kSize * kSize; ++i) {
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

  HICON icon = quillIcon();
  ASSERT_TRUE(icon) << "no icon in the program's resources";
  const std::vector<COLORREF> pixels = drawn(icon);

  std::vector<std::string> wrong;
  for (int y = 0; y < kSize; ++y) {
    ASSERT_EQ(table.rows[y].size(), std::size_t{kSize});
    for (int x = 0; x < kSize; ++x) {
      const char cell = table.rows[y][x];
      const COLORREF expected =
          cell == '.' ? kBackground : table.palette[std::stoul(std::string(1, cell), nullptr, 16)];
      if (pixels[y * kSize + x] != expected) {
        wrong.push_back("(" + std::to_string(x) + "," + std::to_string(y) + ")");
      }
    }
  }
  EXPECT_TRUE(wrong.empty()) << wrong.size() << " pixels differ, first at " << wrong.front();
}

}  // namespace
}  // namespace quillby
