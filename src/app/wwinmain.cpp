#include <windows.h>

#include "app/run_quillby.h"
#include "platform/win32/win32_charset.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_host_input.h"
#include "platform/win32/win32_window_manager.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace quillby;
  declareDpiAware();
  Win32Files files;
  Win32Charset charset;
  Win32Dialogs dialogs;
  Win32WindowManager windows;
  Win32HostInput input;
  Win32Clock clock;
  Services services{files, charset, dialogs, windows, input, clock};
  return runQuillby(services);
}
