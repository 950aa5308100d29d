#include "app/run_quillby.h"

#include "controls/win32/message_loop.h"
#include "platform/win32/win32_charset.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_host_input.h"
#include "platform/win32/win32_virtual_store.h"
#include "platform/win32/win32_window_manager.h"

namespace quillby {

int runQuillby(Services& services, StartWindow start) {
  const auto main = start(services, [] { endMessageLoop(0); });
  if (!main) return 1;
  return runMessageLoop();
}

int runOnWin32(Clock& clock, StartWindow start) {
  declareDpiAware();
  Win32Files system;
  // Under Program Files the host program's files are in the user's VirtualStore.
  const auto hostView = hostViewOf(system);
  Files& files = hostView ? *hostView : system;
  Win32Charset charset;
  Win32Dialogs dialogs;
  Win32WindowManager windows;
  Win32HostInput input;
  Services services{files, charset, dialogs, windows, input, clock};
  return runQuillby(services, start);
}

}  // namespace quillby
