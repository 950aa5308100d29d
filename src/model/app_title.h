#pragma once

namespace quillby {

// The title of the program's message boxes.
inline constexpr char16_t kAppTitle[] = u"QuillbyVer0.5";

}  // namespace quillby
