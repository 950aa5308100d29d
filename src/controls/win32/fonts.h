#pragma once

#include <windows.h>

#include <vector>

#include "controls/layout.h"
#include "controls/win32/screen_scale.h"

namespace quillby {

// Whether the font system lists a face of this name.
bool fontFaceInstalled(TextView face);

// The fonts one window's controls use, made for the screen's resolution and
// kept as long as the window. A designed face that is not installed gives way
// to a like one that is, at the same size; every font asks for the Shift-JIS
// character set, so that Japanese text finds a face that has it even where no
// like one is installed.
class WindowFonts {
 public:
  explicit WindowFonts(ScreenScale scale) : scale_(scale) {}
  ~WindowFonts();
  WindowFonts(const WindowFonts&) = delete;
  WindowFonts& operator=(const WindowFonts&) = delete;

  // The font asked for, the window's default when none is named; nullptr if
  // none can be made.
  HFONT get(const FontSpec& wanted);

 private:
  struct Entry {
    FontSpec wanted;
    HFONT font;
  };
  ScreenScale scale_;
  std::vector<Entry> fonts_;
};

}  // namespace quillby
