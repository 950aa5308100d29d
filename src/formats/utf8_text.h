#pragma once

#include "model/text.h"

namespace quillby {

// What editors put at the start of a UTF-8 file.
inline constexpr BytesView kUtf8Mark = "\xEF\xBB\xBF";

struct Utf8Text {
  Text text;
  bool valid = true;  // false: some bytes were not UTF-8 and show as U+FFFD
};

// UTF-8 as the standard has it: no overlong forms, no surrogates, nothing past
// U+10FFFF. Each byte that does not belong to a valid sequence shows as U+FFFD.
Utf8Text decodeUtf8(BytesView bytes);
bool isUtf8(BytesView bytes);

}  // namespace quillby
