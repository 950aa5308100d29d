#pragma once

#include <optional>

#include "model/text.h"

namespace quillby {

// A text file that Notepad saved as "Unicode": UTF-16 after a byte-order mark,
// little- or big-endian. Gives the same text in UTF-8 without the mark, or
// nothing for a file that does not start with one. Half of a pair standing
// alone, and an odd last byte, read as U+FFFD.
std::optional<Bytes> utf16AsUtf8(BytesView file);

}  // namespace quillby
