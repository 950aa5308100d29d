#pragma once

// The resource script includes this header for the id alone.
#define QUILLBY_ICON_ID 1

#ifndef RC_INVOKED
#include <windows.h>

namespace quillby {

// The main window's 16 by 16, 16-colour icon: a quill, from the program's own
// resources, or null when the program was built without them. Shared: loaded
// once, never destroyed.
HICON quillIcon();

}  // namespace quillby
#endif
