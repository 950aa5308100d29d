#include "controls/win32/fonts.h"

#include <algorithm>
#include <map>

#include "controls/design_face.h"
#include "controls/win32/font_faces.h"

namespace quillby {
namespace {

// The face and size the windows were designed with.
const FontSpec kDefaultFont{Text(kDesignFace), 9};

void putFace(LOGFONTW& font, TextView face) {
  const std::size_t length = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
  std::copy_n(face.begin(), length, font.lfFaceName);
}

int CALLBACK noteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}

// The face chosen for a designed one, looked up once per run: the fonts do
// not change while the program runs, and each look-up asks the font system.
const Text& chosenFace(const Text& requested) {
  static std::map<Text, Text> chosen;
  const auto known = chosen.find(requested);
  if (known != chosen.end()) return known->second;
  return chosen.emplace(requested, installedFace(requested, fontFaceInstalled)).first->second;
}

HFONT createFont(const FontSpec& wanted, ScreenScale scale) {
  LOGFONTW font{};
  font.lfHeight = -scale.fontPixels(wanted.points);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  putFace(font, chosenFace(wanted.face));
  return CreateFontIndirectW(&font);
}

}  // namespace

bool fontFaceInstalled(TextView face) {
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  putFace(query, face);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &query, noteFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

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
