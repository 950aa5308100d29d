#pragma once

#include <functional>
#include <memory>

#include "ui/main_window.h"
#include "ui/services.h"

namespace quillby {

// Builds the main window, loads it and shows it (or the compact one), as every
// start of the program does; `endProgram` runs when the program is to end.
// Null when it could not start: the user has been told why.
std::unique_ptr<Main> startQuillby(Services& services, std::function<void()> endProgram);

// The main window with its real controls, hidden, before anything is read:
// the first half of startQuillby, also the start-up benchmark's yardstick.
// Null when the system refuses a window: the user has been told.
std::unique_ptr<Main> buildMainWindow(Services& services, std::function<void()> endProgram);

}  // namespace quillby
