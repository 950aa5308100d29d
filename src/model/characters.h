#pragma once

#include <cstddef>
#include <utility>

#include "model/text.h"

namespace quillby {

// Characters in UTF-16 text: a high and a low surrogate together are one.
inline bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
inline bool isSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The character starting at `pos` and how many units it takes; a surrogate
// that is half of no pair stands for itself.
inline std::pair<char32_t, std::size_t> characterAt(TextView text, std::size_t pos) {
  if (isHighSurrogate(text[pos]) && pos + 1 < text.size() && isLowSurrogate(text[pos + 1])) {
    return {0x10000 + ((char32_t{text[pos]} - 0xD800) << 10) + (char32_t{text[pos + 1]} - 0xDC00),
            2};
  }
  return {text[pos], 1};
}

// `c` as one unit, or as a pair beyond U+FFFF.
inline void appendCharacter(Text& text, char32_t c) {
  if (c < 0x10000) {
    text += static_cast<char16_t>(c);
    return;
  }
  c -= 0x10000;
  text += static_cast<char16_t>(0xD800 + (c >> 10));
  text += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
}

}  // namespace quillby
