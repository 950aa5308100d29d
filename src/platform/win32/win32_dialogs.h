#pragma once

#include "platform/dialogs.h"

namespace quillby {

// Message boxes owned by the window the request names, in front of all others.
class Win32Dialogs final : public Dialogs {
 public:
  DialogAnswer show(const DialogRequest& request) override;
};

}  // namespace quillby
