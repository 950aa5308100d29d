#pragma once

#include "platform/charset.h"

namespace quillby {

// Code page 932 through the system's own tables.
class Win32Charset final : public Charset {
 public:
  std::optional<Text> toUnicode(BytesView cp932) const override;
  std::optional<Bytes> fromUnicode(TextView text) const override;
};

}  // namespace quillby
