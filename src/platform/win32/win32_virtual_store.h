#pragma once

#include <memory>

#include "platform/files.h"

namespace quillby {

// `system`'s files as the host program sees them under UAC: through the
// user's VirtualStore when the program folder lies in a system folder; null
// when it does not, and `system` is used as it is.
std::unique_ptr<Files> hostViewOf(Files& system);

}  // namespace quillby
