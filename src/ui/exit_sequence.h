#pragma once

#include <functional>

#include "formats/settings_file.h"
#include "host/host_driver.h"
#include "platform/window_manager.h"
#include "ui/services.h"

namespace quillby {

enum class ExitingWindow { Main, Compact };

// Leaves the program from `window`: records which window was in use, stores
// its restored place and its options in "QUILLBY.INI", closes PostPet when so
// chosen, and calls `endProgram`. Any failure on the way ends the program at
// once, with nothing written after it.
void runExitSequence(Services& services, HostDriver& driver, SettingsValues& settings,
                     ExitingWindow exiting, WindowId window,
                     const std::function<void()>& endProgram);

}  // namespace quillby
