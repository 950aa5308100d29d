#pragma once

#include "platform/charset.h"

namespace quillby {

// Code page 932 through glibc's iconv, corrected to convert exactly as Windows
// does, for native builds and tests. Each thread converts with its own open
// converters: safe to share between threads.
class IconvCharset final : public Charset {
 public:
  std::optional<Text> toUnicode(BytesView cp932) const override;
  std::optional<Bytes> fromUnicode(TextView text) const override;
};

}  // namespace quillby
