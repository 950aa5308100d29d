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

}  // namespace quillby
