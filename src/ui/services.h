#pragma once

#include "platform/charset.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/host_input.h"
#include "platform/window_manager.h"

namespace quillby {

// The operating system as the windows see it: real on Win32, fakes in tests.
struct Services {
  Files& files;
  const Charset& charset;
  Dialogs& dialogs;
  WindowManager& windows;
  HostInput& input;
  Clock& clock;

  // The same services with the message boxes of one window.
  Services withDialogs(Dialogs& own) const { return {files, charset, own, windows, input, clock}; }
};

}  // namespace quillby
