#pragma once

#include <windows.h>

namespace quillby {

// The main window's 16 by 16, 16-colour icon: a quill. The caller destroys it.
HICON createQuillIcon();

}  // namespace quillby
