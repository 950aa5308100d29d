#pragma once

#include <optional>

#include "model/text.h"

namespace quillby {

// Code page 932 (Windows Shift-JIS) ↔ UTF-16. Both directions are exact: a byte
// sequence or a character without an exact counterpart gives nullopt, never a
// silent substitute.
class Charset {
 public:
  virtual ~Charset() = default;
  virtual std::optional<Text> toUnicode(BytesView cp932) const = 0;
  virtual std::optional<Bytes> fromUnicode(TextView text) const = 0;
};

}  // namespace quillby
