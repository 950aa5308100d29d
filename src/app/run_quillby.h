#pragma once

#include "ui/services.h"

namespace quillby {

// Opens the main window on the given services and runs until the program ends;
// the process exit code.
int runQuillby(Services& services);

}  // namespace quillby
