#pragma once

#include "model/text.h"

namespace quillby {

// The face the windows were designed with: their default, and the one the
// layouts name. Where it is not installed, a like face stands in for it
// (controls/win32/font_faces.h).
inline constexpr TextView kDesignFace = u"ＭＳ Ｐゴシック";

}  // namespace quillby
