#include <windows.h>

#include "app/run_quillby.h"
#include "platform/win32/win32_clock.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  quillby::Win32Clock clock;
  return quillby::runOnWin32(clock);
}
