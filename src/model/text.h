#pragma once

#include <string>
#include <string_view>

namespace quillby {

// Text in memory is UTF-16, the same width as Win32's wide strings.
using Text = std::u16string;
using TextView = std::u16string_view;

// Raw file bytes, e.g. Shift-JIS text as stored.
using Bytes = std::string;
using BytesView = std::string_view;

// Shown in place of a character or byte that could not be read.
inline constexpr char16_t kReplacementCharacter = u'\uFFFD';

}  // namespace quillby
