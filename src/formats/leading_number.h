#pragma once

#include <string_view>

namespace quillby {

// The number a text starts with: leading blanks skipped, an optional sign,
// digits and a decimal part, up to the first character that cannot continue it.
// A text without a leading number, or one too large to hold, gives 0.
double leadingNumber(std::string_view text);

}  // namespace quillby
