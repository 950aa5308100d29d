#include "controls/win32/fonts.h"

#include <algorithm>

namespace quillby {
namespace {

// The face and size the windows were designed with.
const FontSpec kDefaultFont{u"ＭＳ Ｐゴシック", 9};

HFONT createFont(const FontSpec& wanted, ScreenScale scale) {
  LOGFONTW font{};
  font.lfHeight = -scale.fontPixels(wanted.points);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::size_t length = std::min<std::size_t>(wanted.face.size(), LF_FACESIZE - 1);
  std::copy_n(wanted.face.begin(), length, font.lfFaceName);
  return CreateFontIndirectW(&font);
}

}  // namespace

WindowFonts::~WindowFonts() {
  for (const auto& entry : fonts_) DeleteObject(entry.font);
}

HFONT WindowFonts::get(const FontSpec& requested) {
  const FontSpec& wanted = requested.isDefault() ? kDefaultFont : requested;
  for (const auto& entry : fonts_) {
    if (entry.wanted.face == wanted.face && entry.wanted.points == wanted.points) return entry.font;
  }
  HFONT font = createFont(wanted, scale_);
  if (font) fonts_.push_back({wanted, font});
  return font;
}

}  // namespace quillby
