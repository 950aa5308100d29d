#pragma once

#include <initializer_list>

#include "model/text.h"

namespace quillby {

// Bytes written out by hand, so tests state the layout independently of the code.
inline Bytes bytes(std::initializer_list<int> values) {
  Bytes out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}

// Text as Notepad saves it as "Unicode": a byte-order mark, then UTF-16 in the
// order it gives.
inline Bytes utf16(TextView text, bool littleEndian) {
  Bytes out = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    out += littleEndian ? Bytes{low, high} : Bytes{high, low};
  }
  return out;
}

}  // namespace quillby
