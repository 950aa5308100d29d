// QuillbyDemo.exe: Quillby.exe as it ships, but calling the pet back moves no date.
#include <windows.h>

#include "app/run_quillby.h"
#include "demo_clock.h"
#include "platform/win32/win32_clock.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  quillby::Win32Clock real;
  quillby::DemoClock clock(real);
  return quillby::runOnWin32(clock);
}
