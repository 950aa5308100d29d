#pragma once

#include <windows.h>

#include "model/text.h"

namespace quillby {

// Text and the W functions share UTF-16 code units.
inline const wchar_t* wide(const Text& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline Text windowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  Text text(static_cast<std::size_t>(length) + 1, u'\0');
  const int copied = GetWindowTextW(hwnd, reinterpret_cast<wchar_t*>(text.data()), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

}  // namespace quillby
