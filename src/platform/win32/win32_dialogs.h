#pragma once

#include "platform/dialogs.h"

namespace quillby {

// Message boxes owned by the thread's active window.
class Win32Dialogs final : public Dialogs {
 public:
  DialogAnswer show(const DialogRequest& request) override;
};

}  // namespace quillby
