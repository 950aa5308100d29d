#pragma once

#include <windows.h>

namespace quillby {

// Handles one message the way the program's windows expect: Tab, Shift+Tab,
// Enter and Space move between and press their controls as in a dialog.
void dispatch(MSG& msg);

// Runs the program's windows until endMessageLoop; returns the code given there.
int runMessageLoop();
void endMessageLoop(int exitCode);

}  // namespace quillby
