#pragma once

#include <optional>

#include "model/text.h"

namespace quillby {

// The friend book's mail address: one character per byte, each byte a
// single-byte Shift-JIS code (ASCII, or half-width katakana at 0xA1 to 0xDF).

// Any other byte is shown as U+FFFD; the row keeps the byte itself.
Text singleByteText(BytesView bytes);
// The same, added to the end of `out`.
void appendSingleByteText(Text& out, BytesView bytes);

// Nothing if a character has no single-byte code.
std::optional<Bytes> singleByteBytes(TextView text);

}  // namespace quillby
