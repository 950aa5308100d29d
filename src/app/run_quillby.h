#pragma once

#include "platform/clock.h"
#include "ui/services.h"

namespace quillby {

// Opens the main window on the given services and runs until the program ends;
// the process exit code.
int runQuillby(Services& services);

// The same on the system's own services, with the clock given: the program's
// own, or the demo's, which never changes the computer's date.
int runOnWin32(Clock& clock);

}  // namespace quillby
