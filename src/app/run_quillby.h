#pragma once

#include <functional>
#include <memory>

#include "app/start_quillby.h"
#include "platform/clock.h"
#include "ui/services.h"

namespace quillby {

// How a run brings up its window: startQuillby, or the benchmark's yardstick.
using StartWindow = std::unique_ptr<Main> (*)(Services&, std::function<void()> endProgram);

// Opens the main window on the given services and runs until the program ends;
// the process exit code.
int runQuillby(Services& services, StartWindow start = startQuillby);

// The same on the system's own services, with the clock given: the program's
// own, or the demo's, which never changes the computer's date.
int runOnWin32(Clock& clock, StartWindow start = startQuillby);

}  // namespace quillby
