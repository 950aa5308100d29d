#include "controls/win32/quill_icon.h"

#include <array>
#include <cstdint>

namespace quillby {
namespace {

constexpr int kSize = 16;

// One character per pixel: '.' is transparent, a hex digit picks a colour of
// the standard 16-colour palette below (8 grey, F white, 7 silver, 4 navy,
// 0 black, C blue).
// clang-format off
constexpr std::array<const char*, kSize> kPixels = {
    ".............888",
    "...........88FF8",
    ".........88FFF48",
    "........8FFFF478",
    ".......8FFFF4778",
    "......8FFFF4778.",
    ".....8FFFF4778..",
    "....8FFFF4778...",
    "....8FFF4778....",
    "...8FFF4788.....",
    "...8FF478.......",
    "...8F48.........",
    "...848..........",
    "...4............",
    "..0.............",
    ".0..CC.CC.CC....",
};
// clang-format on

constexpr std::array<RGBQUAD, 16> kPalette = {{
    {0, 0, 0, 0},
    {0, 0, 128, 0},
    {0, 128, 0, 0},
    {0, 128, 128, 0},
    {128, 0, 0, 0},
    {128, 0, 128, 0},
    {128, 128, 0, 0},
    {192, 192, 192, 0},
    {128, 128, 128, 0},
    {0, 0, 255, 0},
    {0, 255, 0, 0},
    {0, 255, 255, 0},
    {255, 0, 0, 0},
    {255, 0, 255, 0},
    {255, 255, 0, 0},
    {255, 255, 255, 0},
}};  // RGBQUAD is blue, green, red

int colourIndex(char pixel) {
  if (pixel >= '0' && pixel <= '9') return pixel - '0';
  return pixel - 'A' + 10;
}

struct PaletteInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[16];
};

}  // namespace

HICON createQuillIcon() {
  PaletteInfo info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = kSize;
  info.header.biHeight = -kSize;  // top row first
  info.header.biPlanes = 1;
  info.header.biBitCount = 4;
  info.header.biCompression = BI_RGB;
  for (std::size_t i = 0; i < kPalette.size(); ++i) info.colours[i] = kPalette[i];

  void* bits = nullptr;
  HBITMAP colour = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
  if (!colour) return nullptr;

  // Colour rows: two pixels a byte, 8 bytes a row. Mask rows: one bit a pixel,
  // set where the background shows through, 2 bytes a row.
  auto* colourBytes = static_cast<std::uint8_t*>(bits);
  std::array<std::uint8_t, kSize * 2> mask{};
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const char pixel = kPixels[static_cast<std::size_t>(y)][x];
      const int index = pixel == '.' ? 0 : colourIndex(pixel);
      std::uint8_t& pair = colourBytes[y * 8 + x / 2];
      pair = static_cast<std::uint8_t>(x % 2 ? (pair | index) : index << 4);
      if (pixel == '.') mask[static_cast<std::size_t>(y * 2 + x / 8)] |= 0x80 >> (x % 8);
    }
  }
  HBITMAP maskBitmap = CreateBitmap(kSize, kSize, 1, 1, mask.data());

  HICON icon = nullptr;
  if (maskBitmap) {
    ICONINFO parts{TRUE, 0, 0, maskBitmap, colour};
    icon = CreateIconIndirect(&parts);
    DeleteObject(maskBitmap);
  }
  DeleteObject(colour);
  return icon;
}

}  // namespace quillby
