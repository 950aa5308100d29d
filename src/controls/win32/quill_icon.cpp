#include "controls/win32/quill_icon.h"

namespace quillby {

HICON quillIcon() {
  constexpr int kSize = 16;
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(QUILLBY_ICON_ID),
                                       IMAGE_ICON, kSize, kSize, LR_DEFAULTCOLOR | LR_SHARED));
}

}  // namespace quillby
