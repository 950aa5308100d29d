#pragma once

#include <functional>

#include "formats/settings_file.h"
#include "platform/window_manager.h"
#include "ui/host_buttons.h"
#include "ui/services.h"

namespace quillby {

// Leaves the program from `window`: records which window was in use, stores
// its restored place and its options in "QUILLBY.INI", closes PostPet when so
// chosen, and calls `endProgram`. Settings that cannot be kept do not keep
// PostPet open: the user is told once, after it is closed, and the program
// ends all the same.
void runExitSequence(Services& services, HostButtons& host, SettingsValues& settings,
                     ProgramWindow exiting, WindowId window,
                     const std::function<void()>& endProgram);

}  // namespace quillby
